#include "drawing/sheet_view.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace florimant;

namespace {

// A 1920 x 1080 screen.
constexpr int W2 = 960, H2 = 540;

// The screen pixel of sheet pixel `p` (at zoom 1, no pan) in a view, on one axis.
double ScreenOf(double p, Real zoom, int offset) { return p * double(zoom) + offset; }

}  // namespace

TEST(SheetView, OpeningAndTheTwoFitButtons) {
    EXPECT_EQ(OpeningView(true, true, W2), (SheetView{0.5L, 480, 0}));
    EXPECT_EQ(OpeningView(true, false, W2), (SheetView{1, 0, 0}));
    EXPECT_EQ(OpeningView(false, true, W2), (SheetView{1, 0, 0}));
    EXPECT_EQ(OpeningView(false, false, W2), (SheetView{1, 0, 0}));
    EXPECT_EQ(FullHeightView(true, 683), (SheetView{0.5L, 341, 0}));  // the integer half of W2
    EXPECT_EQ(FullHeightView(false, 683), FullWidthView());
    EXPECT_EQ(FullWidthView(), (SheetView{1, 0, 0}));
}

TEST(SheetView, ZoomStopsAtItsLimitsKeepingTheCentre) {
    SheetView view = FullWidthView();
    for (int i = 0; i < 20; ++i) {
        const SheetView next = ZoomedView(view, true, W2, H2);
        EXPECT_LE(next.Zoom, LargestSheetZoom);
        // The sheet point under the centre stays within a pixel of it.
        const double p = (W2 - view.OffsetX) / double(view.Zoom), q = (H2 - view.OffsetY) / double(view.Zoom);
        EXPECT_NEAR(ScreenOf(p, next.Zoom, next.OffsetX), W2, 1.0) << i;
        EXPECT_NEAR(ScreenOf(q, next.Zoom, next.OffsetY), H2, 1.0) << i;
        view = next;
    }
    EXPECT_EQ(view.Zoom, LargestSheetZoom);
    EXPECT_EQ(ZoomedView(view, true, W2, H2), view) << "at the limit nothing moves";
    // Sheet pixel 960 of zoom 1 is at the centre: at zoom 4 the left edge is 3 * 960 to the left.
    EXPECT_NEAR(view.OffsetX, -3 * W2, 2);
    for (int i = 0; i < 30; ++i) view = ZoomedView(view, false, W2, H2);
    EXPECT_EQ(view.Zoom, SmallestSheetZoom);
    EXPECT_NEAR(view.OffsetX, W2 - 0.4 * W2, 2);
    EXPECT_NEAR(view.OffsetY, H2 - 0.4 * H2, 2);
}

TEST(SheetView, ZoomAfterAPanKeepsWhatIsAtTheCentre) {
    // The portrait page opened at half zoom, then dragged 300 pixels left and 200 up.
    const SheetView panned{0.5L, 480 - 300, -200};
    const double p = (W2 - panned.OffsetX) / 0.5, q = (H2 - panned.OffsetY) / 0.5;
    const SheetView in = ZoomedView(panned, true, W2, H2);
    EXPECT_EQ(in.Zoom, 0.5L * SheetZoomStep);
    EXPECT_NEAR(ScreenOf(p, in.Zoom, in.OffsetX), W2, 0.5);
    EXPECT_NEAR(ScreenOf(q, in.Zoom, in.OffsetY), H2, 0.5);
    const SheetView out = ZoomedView(panned, false, W2, H2);
    EXPECT_NEAR(ScreenOf(p, out.Zoom, out.OffsetX), W2, 0.5);
}

TEST(SheetView, ADragMovesOnlyAlongAxesBeyondTwoPixels) {
    const SheetView view{1, 10, 20};
    for (const int d : {1, 2}) {
        EXPECT_EQ(DraggedView(view, 100, 100, 100 + d, 100 + d, d, d), view) << d;
        EXPECT_EQ(DraggedView(view, 100, 100, 100 - d, 100 - d, -d, -d), view) << d;
    }
    EXPECT_EQ(DraggedView(view, 100, 100, 103, 100, 3, 0), (SheetView{1, 13, 20}));
    EXPECT_EQ(DraggedView(view, 100, 100, 97, 97, -3, -3), (SheetView{1, 7, 17}));
    // A long drag along X with a slight shake along Y moves along X only.
    EXPECT_EQ(DraggedView(view, 100, 100, 250, 102, 150, 2), (SheetView{1, 160, 20}));
}

TEST(SheetView, TheWheelScrollsTwentyPixelsANotch) {
    const SheetView view{2, 5, 0};
    EXPECT_EQ(ScrolledView(view, 1), (SheetView{2, 5, 20}));
    EXPECT_EQ(ScrolledView(view, -3), (SheetView{2, 5, -60}));
    EXPECT_EQ(ScrolledView(view, 0), view);
}
