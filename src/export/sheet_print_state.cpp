#include "export/sheet_print_state.hpp"

#include "drawing/sheet_support.hpp"

namespace florimant {

namespace {

// The steps a print and an export share: the whole sheet at zoom 1 from the page's corner, in the
// sheet's own orientation and colour mode.
DrawState PageStateOf(const DrawState& window, const SheetOptions& sheet, DrawTarget target) {
    DrawState state = window;
    state.Target = target;
    state.Zoom = 1;
    state.OffsetX = state.OffsetY = 0;
    state.PrinterLandscape = sheet.Layout == SheetLayoutKind::Landscape;
    state.BlackAndWhite = sheet.BlackAndWhite;
    return state;
}

}  // namespace

DrawState SheetPrintState(const DrawState& window, const SheetOptions& sheet, int pageWidthPixels,
                          int pageHeightPixels) {
    DrawState state = PageStateOf(window, sheet, DrawTarget::Printer);
    ApplyPrintScale(state, pageWidthPixels, pageHeightPixels);
    return state;
}

DrawState SheetPictureState(const DrawState& window, const SheetOptions& sheet) {
    return PageStateOf(window, sheet, DrawTarget::Metafile);
}

SheetPictureSize SheetPictureSizeFor(const DrawState& window, SheetLayoutKind layout) {
    const int screenHeight = RoundHalfEven(210 * window.Scale);
    const int width = RoundHalfEven(280 * window.Scale);
    return {width, layout == SheetLayoutKind::Portrait ? 2 * screenHeight : screenHeight};
}

}  // namespace florimant
