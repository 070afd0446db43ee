#pragma once
#include <string>
#include <string_view>

#include "common/real.hpp"
#include "drawing/draw_state.hpp"

// Small pieces the chart sheets share: the print scale and the absolute longitude text.
namespace florimant {

// While printing: S = page width / 210 x 0.776 printer pixels per unit, no axis correction,
// F = round(page width / 82), the page (its printable part) being `pageWidthPixels` x
// `pageHeightPixels`. The sheets are laid out for A4: a page shorter than A4 for its width (US
// Letter upright) counts by the width an A4 page of its height would have, so the sheet fits both
// sides.
void ApplyPrintScale(DrawState& state, int pageWidthPixels, int pageHeightPixels);
// Back to the screen: the screen's S and axis corrections, F = round(3.7 S).
void RestoreScreenScale(DrawState& state, Real screenScale, Real axisCorrectionX, Real axisCorrectionY);

// "(" + whole degrees + "°," + the first two digits of the fraction as its shortest decimal text
// shows them + ")": 123.25 gives "(123°,25)", 123.5 "(123°,5)", 123 "(123°,)". UTF-8.
std::string AbsoluteLongitudeText(Real longitude);

// The width of a UTF-8 text in Arial (and the metric-compatible Liberation Sans) whose character
// cell is `cellHeight` high, in the same units: never less than a device that rounds the em to a
// whole unit lays it out. Characters outside Windows-1252's Latin range count as wide ones.
Real ArialTextWidth(std::string_view utf8, Real cellHeight);

// The name check of an exported picture: exactly one of the names the window offers,
// "GRAF01.EMF" ... "GRAF15.EMF" in upper case. Any other name (a folder in it, another number,
// "GRAF03.emf") would write a file the orientation file has no line for, or the line of another.
bool PassesPictureNameCheck(std::string_view name);

}  // namespace florimant
