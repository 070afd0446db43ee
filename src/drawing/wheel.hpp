#pragma once
#include <array>
#include <string_view>
#include <vector>

#include "analysis/aspects.hpp"
#include "analysis/chart_keys.hpp"
#include "drawing/primitives.hpp"
#include "engine/chart_data.hpp"

// The layers of the zodiac wheel of the chart sheets, outermost first. Each takes the chart, the
// wheel's centre and the radii it uses (see SheetWheel for the chart sheets' values).
namespace florimant {

// Sign circles, horizon stubs, sign and decan boundaries, sign pictures (family signs with
// `prefix`, size 7) and the decan rulers' pictures.
// With `signCentres` (the analysis window) each sign symbol also gets a small circle on its
// centre, and the centres of signs 1..12 are recorded for the mouse.
void DrawZodiacRing(Canvas& c, const ChartData& chart, SheetPoint centre, Real r1, Real r2,
                    std::string_view prefix = "M", Real signSymbolSize = 7,
                    std::array<SheetPoint, 13>* signCentres = nullptr);
// The median houses: ticks every 6 degrees, boundaries, Roman numerals; circles when outer < 70.
void DrawHouseRing(Canvas& c, const ChartData& chart, SheetPoint centre, Real outer, Real inner);
// Bodies 1..count on the ring between `inner` and `outer`, spread apart where crowded, each with
// its picture, its position in the sign and a red "r" when retrograde, tied to its true place.
// The analysis window's variant (`analysis`): 8 degrees apart, symbols of size 7 on the ring's
// middle without position texts, a red "R" for retrograde points 1..9, ties stopping short of the
// symbol, a small circle on each symbol; `centres` records points 1..count for the mouse.
void DrawBodies(Canvas& c, const ChartData& chart, SheetPoint centre, Real outer, Real inner, int count,
                bool analysis = false, std::array<SheetPoint, Body::Count + 1>* centres = nullptr);
// Horizon, ascendant and (median houses only) midheaven and house boundary marks at radius `ra`.
void DrawAngles(Canvas& c, const ChartData& chart, SheetPoint centre, Real ra);

// Aspect lines between the seven planets inside the circle of radius `radius`: oppositions and
// squares hard, trines and sextiles soft, by the given orbs; conjunctions and other distances draw
// nothing. Style 0 draws bands (tight aspects wide), style 1 plain and dotted lines.
enum class AspectLineStyle { Bands = 0, Lines = 1 };
void DrawAspectLines(Canvas& c, const ChartData& chart, SheetPoint centre, Real radius, const AspectOrbs& orbs,
                     AspectLineStyle style);
// The analysis window's aspect lines between points 1..11 on the circle of radius 39 around
// (100, 100), each point marked by a dot: bands (aqua on blue, yellow on red) or lines (aqua,
// and red dashes for oppositions and squares).
void DrawAnalysisAspectLines(Canvas& c, const ChartData& chart, const AspectOrbs& orbs, AspectLineStyle style);

// The six corners of the band drawn for an aspect between two points, half-width `width`.
std::vector<SheetPoint> AspectBand(SheetPoint from, SheetPoint to, Real width);

// The analysis window's chart: page frame, sign ring (symbols of size 9), points 1..11, house
// ring, angle marks and footer logo on the analysis preset; rewrites the chart key files and
// returns the keys with the symbol centres (the attributions of a click need the dodecatemoria).
struct StandardChartCentres {
    std::array<SheetPoint, Body::Count + 1> Points{};
    std::array<SheetPoint, 13> Signs{};
    ChartKeys Keys;
};
StandardChartCentres DrawStandardChart(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                       const AspectOrbs& orbs);

// The small circle (radius 1.5, red pen) on a clickable symbol of the analysis window: white,
// or red while the symbol is selected by a click.
void MarkSymbolCentre(Canvas& c, SheetPoint centre, bool selected = false);
// Whether a click of the analysis window hits a recorded symbol centre: `click` is the device
// point less the pan offsets, hit within 15 device pixels on each axis (axis correction 1).
bool SymbolHit(const DrawState& state, DevicePoint click, SheetPoint centre);

// The page frame of the analysis window, laid out as with the printer set to landscape whatever
// the printer is (drawn only on the window, as every page frame).
void DrawAnalysisPageFrame(Canvas& c);

// The display angles of crowded bodies: the angles (degrees) moved apart to at least
// `separation`, each crowd kept round its true place as far as the free space allows.
std::vector<Real> SpreadAngles(const std::vector<Real>& angles, Real separation = 10);

// The decan rulers in body numbers, 0..10 degrees Ariete first (Mars, Sun, Venus, ...).
int DecanRuler(int decan);  // decan 0..35

}  // namespace florimant
