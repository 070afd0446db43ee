#pragma once
#include <string_view>
#include <vector>

#include "analysis/aspects.hpp"
#include "drawing/primitives.hpp"
#include "engine/chart_data.hpp"

// The layers of the zodiac wheel of the chart sheets, outermost first. Each takes the chart, the
// wheel's centre and the radii it uses (see SheetWheel for the chart sheets' values).
namespace florimant {

// Sign circles, horizon stubs, sign and decan boundaries, sign pictures (family signs with
// `prefix`, size 7) and the decan rulers' pictures.
void DrawZodiacRing(Canvas& c, const ChartData& chart, SheetPoint centre, Real r1, Real r2, std::string_view prefix = "M");
// The median houses: ticks every 6 degrees, boundaries, Roman numerals; circles when outer < 70.
void DrawHouseRing(Canvas& c, const ChartData& chart, SheetPoint centre, Real outer, Real inner);
// Bodies 1..count on the ring between `inner` and `outer`, spread apart where crowded, each with
// its picture, its position in the sign and a red "r" when retrograde, tied to its true place.
void DrawBodies(Canvas& c, const ChartData& chart, SheetPoint centre, Real outer, Real inner, int count);
// Horizon, ascendant and (median houses only) midheaven and house boundary marks at radius `ra`.
void DrawAngles(Canvas& c, const ChartData& chart, SheetPoint centre, Real ra);

// Aspect lines between the seven planets inside the circle of radius `radius`: oppositions and
// squares hard, trines and sextiles soft, by the given orbs; conjunctions and other distances draw
// nothing. Style 0 draws bands (tight aspects wide), style 1 plain and dotted lines.
enum class AspectLineStyle { Bands = 0, Lines = 1 };
void DrawAspectLines(Canvas& c, const ChartData& chart, SheetPoint centre, Real radius, const AspectOrbs& orbs,
                     AspectLineStyle style);
// The six corners of the band drawn for an aspect between two points, half-width `width`.
std::vector<SheetPoint> AspectBand(SheetPoint from, SheetPoint to, Real width);

// The display angles of crowded bodies: the angles (degrees) moved apart to at least
// `separation`, each crowd kept round its true place as far as the free space allows.
std::vector<Real> SpreadAngles(const std::vector<Real>& angles, Real separation = 10);

// The decan rulers in body numbers, 0..10 degrees Ariete first (Mars, Sun, Venus, ...).
int DecanRuler(int decan);  // decan 0..35

}  // namespace florimant
