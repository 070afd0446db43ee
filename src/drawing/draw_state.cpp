#include "drawing/draw_state.hpp"

#include <cfenv>
#include <cmath>

#include "engine/astro_time.hpp"

namespace florimant {

int RoundHalfEven(Real value) {
    // nearbyint follows the current rounding mode, which the program never changes from
    // round-to-nearest-even; set it explicitly so a library that changed it cannot skew the sheet.
    const int saved = std::fegetround();
    if (saved != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const Real rounded = std::nearbyint(value);
    if (saved != FE_TONEAREST) std::fesetround(saved);
    // Far outside any device: pinned, as converting an out-of-range value to int is undefined.
    if (!(rounded > -1e9L)) return rounded != rounded ? 0 : -1000000000;
    if (rounded > 1e9L) return 1000000000;
    return static_cast<int>(rounded);
}

int MapX(const DrawState& s, Real x) { return RoundHalfEven(x / s.AxisCorrectionX * s.Scale * s.Zoom) + s.OffsetX; }
int MapY(const DrawState& s, Real y) { return RoundHalfEven(y / s.AxisCorrectionY * s.Scale * s.Zoom) + s.OffsetY; }
DevicePoint MapPoint(const DrawState& s, SheetPoint p) {
    return {static_cast<double>(MapX(s, p.X)), static_cast<double>(MapY(s, p.Y))};
}
int SymbolHalfSide(const DrawState& s, Real size) { return RoundHalfEven(size / 2 * s.Scale * s.Zoom); }

namespace {

struct PenRole {
    int Role;
    Colour Rgb;
    Real WidthOfW;   // width as a multiple of W
    bool TimesZoom;  // the width grows with the zoom
    PenStyle Style;
};

constexpr Colour DarkGrey{69, 69, 69}, Grey{128, 128, 128}, Orange{255, 128, 64}, Olive{196, 200, 36};
constexpr Real Q = 0.25L, E = 0.125L;

constexpr PenRole PenRoles[] = {
    {0, Colours::Black, Q, false, PenStyle::Solid},
    {1, Colours::White, Q, false, PenStyle::Solid},
    {2, Colours::Red, Q, false, PenStyle::Solid},
    {3, Colours::Green, Q, false, PenStyle::Solid},
    {4, Colours::Blue, Q, false, PenStyle::Solid},
    {5, Colours::Cyan, Q, false, PenStyle::Solid},
    {6, Colours::Magenta, Q, false, PenStyle::Solid},
    {7, Colours::Yellow, Q, false, PenStyle::Solid},
    {8, DarkGrey, Q, false, PenStyle::Solid},
    {9, Grey, Q, false, PenStyle::Solid},
    {10, Colours::Black, E, false, PenStyle::Solid},
    {11, Colours::Blue, E, false, PenStyle::Solid},
    {12, Colours::Red, E, false, PenStyle::Dashed},
    {13, Colours::Red, E, false, PenStyle::Solid},
    {14, Colours::Green, E, false, PenStyle::Solid},
    {15, Colours::Blue, E, false, PenStyle::Solid},
    {16, Colours::Magenta, E, false, PenStyle::Solid},
    {17, Colours::White, E, false, PenStyle::Solid},
    {18, Orange, E, false, PenStyle::Solid},
    {22, Colours::Red, 0.8L, false, PenStyle::Solid},
    {25, Colours::Cyan, E, false, PenStyle::Solid},
    {26, Colours::Magenta, E, false, PenStyle::Dashed},
    {33, Colours::Cyan, 0.8L, false, PenStyle::Solid},
    {58, Colours::Green, 2, true, PenStyle::Solid},
    {59, Colours::Green, 1, true, PenStyle::Solid},
    {60, Colours::Cyan, 1, true, PenStyle::Solid},
    {61, Colours::Blue, 1, true, PenStyle::Solid},
    {62, Colours::White, 1, true, PenStyle::Solid},
    {63, Colours::Black, 1 / 1.5L, false, PenStyle::Solid},
    {64, Colours::Red, 1, true, PenStyle::Solid},
    {71, Colours::Blue, 0.5L, false, PenStyle::Solid},
    {74, Colours::Red, 0.5L, false, PenStyle::Solid},
    {75, Colours::Cyan, 0.5L, false, PenStyle::Solid},
    {76, Colours::Yellow, 0.5L, false, PenStyle::Solid},
    {77, Colours::Yellow, 0.8L, false, PenStyle::Solid},
    {78, Olive, 0.4L, false, PenStyle::Solid},
    {79, Colours::Red, 0.4L, false, PenStyle::Solid},
    {80, Colours::Cyan, 0.4L, false, PenStyle::Solid},
};

PenRole FindPenRole(int role) {
    for (const PenRole& r : PenRoles)
        if (r.Role == role) return r;
    return {role, Colours::Black, role >= 10 ? E : Q, false, PenStyle::Solid};
}

// Black-and-white mode: every colour but white is black on paper and white on the window,
// whose sheet background is black.
Colour MonochromeOf(const DrawState& s, Colour c) {
    if (c == Colours::White) return c;
    return s.OnWindow() ? Colours::White : Colours::Black;
}

}  // namespace

Pen PenForRole(const DrawState& s, int role) {
    const PenRole r = FindPenRole(role);
    Real w = r.WidthOfW * s.Scale;
    if (r.TimesZoom) w *= s.Zoom;
    Pen pen;
    pen.Rgb = s.BlackAndWhite ? MonochromeOf(s, r.Rgb) : r.Rgb;
    pen.Width = RoundHalfEven(w * s.LineThickness);
    pen.Style = r.Style;
    return pen;
}

int RoleForTarget(const DrawState& s, int logical) {
    if (!s.OnWindow()) return logical;
    switch (logical) {
    case 4: return 5;
    case 0: return 1;
    case 10: return 17;
    case 2: return 7;
    case 7: return 2;
    default: return logical;
    }
}

Colour TextColourFor(const DrawState& s, int logical) {
    if (logical == 4) return s.OnWindow() ? Colours::Cyan : Colours::Blue;
    return s.OnWindow() ? Colours::White : Colours::Black;
}

Colour BrushColourFor(const DrawState& s, Colour c) {
    if (!s.BlackAndWhite) return c;
    if (s.BackgroundPicture) return s.OnWindow() ? Colours::Black : Colours::White;
    return MonochromeOf(s, c);
}

namespace {
struct FontEntry {
    int Number;
    const char* Face;
    int Divisor;
};
constexpr FontEntry Fonts[] = {{0, "Arial", 38},  {1, "Arial", 30},    {2, "Arial", 23},    {3, "Arial", 20},
                               {4, "Arial", 16},  {5, "Arial", 12},    {15, "Arial", 27},   {16, "Arial", 27},
                               {18, "Arial", 21}, {21, "Courier", 20}, {22, "Courier", 22}, {33, "Arial", 33}};
}  // namespace

Font FontForNumber(const DrawState& s, int number) {
    FontEntry entry = Fonts[0];
    for (const FontEntry& f : Fonts)
        if (f.Number == number) entry = f;
    Font font;
    font.Face = entry.Face;
    font.Height = RoundHalfEven(s.FontBase * 30 * s.Zoom) / entry.Divisor;
    font.Weight = 10;  // thin, as the sheets were designed with
    if (number == 16) {
        font.Italic = true;
        font.FixedWidth = 10;
    }
    return font;
}

PageFrame PageFrameFor(const DrawState& s) {
    PageFrame frame;
    frame.Visible = s.OnWindow() && s.PrinterExists;
    frame.TopLeft = {1, 1};
    frame.BottomRight = {279, s.PrinterLandscape ? Real(202) : Real(405)};
    return frame;
}

WheelGeometry SheetWheel() { return {173, 105, 67, 57, 57, 44, 44, 38}; }
WheelGeometry AnalysisWheel() { return {100, 100, 78, 65, 65, 50, 47, 39}; }

Real DrawingAngle(Real ascendant, Real longitude) { return Normalize360(ascendant - longitude); }

SheetPoint WheelPoint(Real cx, Real cy, Real r, Real theta, Real k) {
    return {cx - r * CosDeg(theta), cy - k * r * SinDeg(theta)};
}

}  // namespace florimant
