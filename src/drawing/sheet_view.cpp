#include "drawing/sheet_view.hpp"

#include <algorithm>
#include <cstdlib>

#include "drawing/draw_state.hpp"

namespace florimant {

namespace {

// The offset that keeps the sheet point at screen pixel `centre` in place when the zoom goes from
// `from` to `to`.
int OffsetAbout(int offset, int centre, Real from, Real to) {
    return centre - RoundHalfEven((centre - offset) * to / from);
}

}  // namespace

SheetView FullWidthView() { return {}; }

SheetView FullHeightView(bool portraitPage, int halfScreenWidth) {
    if (!portraitPage) return FullWidthView();
    return {Real(0.5), halfScreenWidth / 2, 0};
}

SheetView OpeningView(bool printerExists, bool portraitSheet, int halfScreenWidth) {
    return printerExists ? FullHeightView(portraitSheet, halfScreenWidth) : FullWidthView();
}

SheetView ZoomedView(const SheetView& view, bool in, int halfScreenWidth, int halfScreenHeight) {
    const Real zoom = in ? std::min(view.Zoom * SheetZoomStep, LargestSheetZoom)
                         : std::max(view.Zoom / SheetZoomStep, SmallestSheetZoom);
    if (zoom == view.Zoom || view.Zoom <= 0) return view;
    return {zoom, OffsetAbout(view.OffsetX, halfScreenWidth, view.Zoom, zoom),
            OffsetAbout(view.OffsetY, halfScreenHeight, view.Zoom, zoom)};
}

SheetView DraggedView(const SheetView& view, int pressX, int pressY, int releaseX, int releaseY, int dx, int dy) {
    SheetView moved = view;
    if (std::abs(pressX - releaseX) > SheetDragThreshold) moved.OffsetX += dx;
    if (std::abs(pressY - releaseY) > SheetDragThreshold) moved.OffsetY += dy;
    return moved;
}

SheetView ScrolledView(const SheetView& view, int notchesDown) {
    SheetView moved = view;
    moved.OffsetY += SheetWheelStep * notchesDown;
    return moved;
}

}  // namespace florimant
