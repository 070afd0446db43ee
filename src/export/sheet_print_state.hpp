#pragma once
#include "drawing/draw_state.hpp"
#include "drawing/sheet.hpp"
#include "drawing/wheel.hpp"

// The drawing states a chart sheet is printed and exported with. Each is made from a copy of the
// window's state, so neither a print nor an export ever moves the window's zoom, pan, scale or
// font base.
namespace florimant {

// What the sheet shows: its layout, the colour mode and the aspect lines.
struct SheetOptions {
    SheetLayoutKind Layout = SheetLayoutKind::Portrait;
    bool BlackAndWhite = false;
    AspectLineStyle Aspects = AspectLineStyle::Lines;
};

// The printed page: zoom 1 without pan, the printer target set to the sheet's orientation, and
// the print scale of a page of that size (S, F, no axis correction).
DrawState SheetPrintState(const DrawState& window, const SheetOptions& sheet, int pageWidthPixels,
                          int pageHeightPixels);

// The exported picture: zoom 1 without pan on the metafile target; the screen's scale, axis
// corrections and font base stay those of the window.
DrawState SheetPictureState(const DrawState& window, const SheetOptions& sheet);

struct SheetPictureSize {
    int Width = 0, Height = 0;
};
// The exported picture is as wide as the page frame (280 units at the screen's scale) and one
// screen high for the landscape sheet, two for the portrait one; the screen is 210 units high.
SheetPictureSize SheetPictureSizeFor(const DrawState& window, SheetLayoutKind layout);

}  // namespace florimant
