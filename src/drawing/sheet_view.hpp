#pragma once
#include "common/real.hpp"

// How the sheet window shows its sheet: the zoom and the pan offsets, and how the window's
// buttons, the mouse and the wheel change them. Plain values, so the window's rules can be tested
// without a window.
namespace florimant {

// Z, and OX, OY in screen pixels.
struct SheetView {
    Real Zoom = 1;
    int OffsetX = 0, OffsetY = 0;
    friend bool operator==(const SheetView&, const SheetView&) = default;
};

inline constexpr Real SheetZoomStep = 1.15L;
inline constexpr Real SmallestSheetZoom = 0.4L;
inline constexpr Real LargestSheetZoom = 4.0L;
// The wheel moves the sheet this many pixels a notch.
inline constexpr int SheetWheelStep = 20;
// A drag shorter than this along an axis leaves that offset as it was.
inline constexpr int SheetDragThreshold = 2;

// "Larghezza": zoom 1 from the top-left corner of the screen.
SheetView FullWidthView();
// "Altezza": a portrait page at zoom 0.5, a quarter of the screen from the left; a landscape page
// as "Larghezza". `halfScreenWidth` is W2, half the screen width in whole pixels.
SheetView FullHeightView(bool portraitPage, int halfScreenWidth);
// Opening: a printer set to the sheet's orientation shows the page as "Altezza" does; without a
// printer both sheets open at zoom 1.
SheetView OpeningView(bool printerExists, bool portraitSheet, int halfScreenWidth);

// "+" (`in`) and "-": one step of 1.15, within 0.4 and 4.0, about the centre of the screen
// (W2, H2): the sheet point at the centre stays there.
SheetView ZoomedView(const SheetView& view, bool in, int halfScreenWidth, int halfScreenHeight);

// The end of a drag that went down at (pressX, pressY), last moved the sheet by (dx, dy) and came
// up at (releaseX, releaseY): each offset takes its displacement only when the pointer moved more
// than 2 pixels along its axis.
SheetView DraggedView(const SheetView& view, int pressX, int pressY, int releaseX, int releaseY, int dx, int dy);

// The wheel: every notch down moves the sheet 20 pixels down, every notch up 20 pixels up.
SheetView ScrolledView(const SheetView& view, int notchesDown);

}  // namespace florimant
