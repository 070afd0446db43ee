#pragma once
#include <string>
#include <string_view>

#include "common/real.hpp"
#include "drawing/draw_state.hpp"

// Small pieces the chart sheets share: the print scale and the absolute longitude text.
namespace florimant {

// While printing: S = page width / 210 x 0.776 printer pixels per unit, no axis correction,
// F = round(page width / 82).
void ApplyPrintScale(DrawState& state, int pageWidthPixels);
// Back to the screen: the screen's S and axis corrections, F = round(3.7 S).
void RestoreScreenScale(DrawState& state, Real screenScale, Real axisCorrectionX, Real axisCorrectionY);

// "(" + whole degrees + "°," + the first two digits of the fraction as its shortest decimal text
// shows them + ")": 123.25 gives "(123°,25)", 123.5 "(123°,5)", 123 "(123°,)". UTF-8.
std::string AbsoluteLongitudeText(Real longitude);

// The width of a UTF-8 text in Arial (and the metric-compatible Liberation Sans) whose character
// cell is `cellHeight` high, in the same units: never less than a device that rounds the em to a
// whole unit lays it out. Characters outside Windows-1252's Latin range count as wide ones.
Real ArialTextWidth(std::string_view utf8, Real cellHeight);

// The name check of an exported picture: every "." must be followed by exactly "EMF" up to the
// end of the name, so "GRAF03.EMF" and "GRAF03" pass and "GRAF03.emf" or "GRAF03.EMF.BAK" do not.
bool PassesPictureNameCheck(std::string_view name);

}  // namespace florimant
