#include "drawing/primitives.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "drawing/emf_player.hpp"
#include "engine/astro_time.hpp"

namespace florimant {

void SetPen(Canvas& c, int role) { c.Target.SetPen(PenForRole(c.State, role)); }
void SetLogicalPen(Canvas& c, int logical) { SetPen(c, RoleForTarget(c.State, logical)); }
void ReleasePen(Canvas& c) { c.Target.SetPen({Colours::Black, 1, PenStyle::Solid}); }
void SetBrush(Canvas& c, Colour colour) { c.Target.SetBrush(BrushColourFor(c.State, colour)); }
void ReleaseBrush(Canvas& c) { c.Target.SetBrush(std::nullopt); }
void SetTextColour(Canvas& c, int logical) { c.Target.SetTextColour(TextColourFor(c.State, logical)); }

void Line(Canvas& c, SheetPoint from, SheetPoint to) { c.Target.Line(MapPoint(c.State, from), MapPoint(c.State, to)); }

namespace {
DeviceRect MapBox(const DrawState& s, SheetPoint a, SheetPoint b) {
    const DevicePoint p = MapPoint(s, a), q = MapPoint(s, b);
    return {std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)};
}
}  // namespace

void Rectangle(Canvas& c, SheetPoint a, SheetPoint b) { c.Target.Rectangle(MapBox(c.State, a, b)); }
void Ellipse(Canvas& c, SheetPoint a, SheetPoint b) { c.Target.Ellipse(MapBox(c.State, a, b)); }

void Dot(Canvas& c, SheetPoint centre, Real r) {
    Ellipse(c, {centre.X - r, centre.Y - r}, {centre.X + r, centre.Y + r});
}

void Circle(Canvas& c, Real r, SheetPoint centre) {
    if (c.State.OnWindow() && c.State.Zoom == 1) {
        c.Target.Arc(MapBox(c.State, {centre.X - r, centre.Y - r}, {centre.X + r, centre.Y + r}), 0, 360);
        return;
    }
    std::vector<DevicePoint> points;
    points.reserve(73);
    points.push_back(MapPoint(c.State, {centre.X - r, centre.Y}));
    for (int d = 5; d <= 360; d += 5)
        points.push_back(MapPoint(c.State, {centre.X - r * CosDeg(d), centre.Y + r * SinDeg(d)}));
    c.Target.Polyline(points);
}

void TextInFont(Canvas& c, std::string_view text, const Font& font, DevicePoint at, TextAlign align) {
    if (c.State.BlackAndWhite) SetTextColour(c, 0);
    c.Target.SetFont(font);
    c.Target.Text(at, text, align);
}

namespace {
void WriteText(Canvas& c, std::string_view text, int font, SheetPoint at, TextAlign align) {
    TextInFont(c, text, FontForNumber(c.State, font), MapPoint(c.State, at), align);
}
}  // namespace

void TextLeft(Canvas& c, std::string_view text, int font, SheetPoint at) {
    WriteText(c, text, font, at, TextAlign::Left);
}
void TextRight(Canvas& c, std::string_view text, int font, SheetPoint at) {
    WriteText(c, text, font, at, TextAlign::Right);
}
void TextCentre(Canvas& c, std::string_view text, int font, SheetPoint at) {
    WriteText(c, text, font, at, TextAlign::Centre);
}

void DashedLine(Canvas& c, SheetPoint a, SheetPoint b) {
    const Real sx = (b.X - a.X) / 44, sy = (b.Y - a.Y) / 44;
    for (int k = 0; k < 15; ++k)
        Line(c, {a.X + 3 * k * sx, a.Y + 3 * k * sy}, {a.X + (3 * k + 2) * sx, a.Y + (3 * k + 2) * sy});
}

namespace {
void Dots(Canvas& c, SheetPoint a, SheetPoint b, Real radius) {
    const Real length = std::hypot(b.X - a.X, b.Y - a.Y);
    const int n = RoundHalfEven(1.8L * length / 3);
    const Real spread = 1.8L * length - 1;
    if (n <= 0 || spread <= 0) return;  // too short to carry a row of dots
    for (int k = 0; k < n; ++k)
        Dot(c, {a.X + 3 * k * (b.X - a.X) / spread, a.Y + 3 * k * (b.Y - a.Y) / spread}, radius);
}
}  // namespace

void DottedLine(Canvas& c, SheetPoint a, SheetPoint b) { Dots(c, a, b, 0.5L); }
void FineDottedLine(Canvas& c, SheetPoint a, SheetPoint b) { Dots(c, a, b, 0.3L); }

std::string SymbolPicturePath(const DrawState& s, SymbolFamily family, int number, std::string_view prefix) {
    const std::string variant = !s.BlackAndWhite ? "" : s.OnWindow() ? "B" : "N";
    char digits[16];
    switch (family) {
    case SymbolFamily::Body: {
        static constexpr int Renumbered[] = {0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 14, 15};
        const int picture = number >= 1 && number <= 11 ? Renumbered[number] : number;
        std::snprintf(digits, sizeof digits, "%02d", picture);
        return "Simboli\\PiaX" + variant + digits + ".emf";
    }
    case SymbolFamily::Sign:
        std::snprintf(digits, sizeof digits, "%02d", number);
        return "Zodiaco\\Seg" + std::string(prefix) + variant + digits + ".emf";
    case SymbolFamily::Element: {
        static constexpr const char* Names[] = {"",       "ElFuo1", "ElTer1", "ElAri1",
                                                "ElAcq1", "ElSal2", "ElZol2", "ElMer2"};
        if (number < 1 || number > 7) return {};
        return "Simboli\\" + std::string(Names[number]) + variant + ".emf";
    }
    }
    return {};
}

void DrawSymbol(Canvas& c, SymbolFamily family, int number, Real size, SheetPoint centre, std::string_view prefix) {
    if (!c.Pictures || (c.State.OnWindow() && !c.WindowVisible)) return;
    const std::string path = SymbolPicturePath(c.State, family, number, prefix);
    if (path.empty() || !c.Pictures->Exists(path)) return;  // a missing picture leaves its place empty
    const MetafilePicture picture = LoadMetafilePicture(*c.Pictures, path);
    const DevicePoint p = MapPoint(c.State, centre);
    const int h = SymbolHalfSide(c.State, size);
    c.Target.Picture(picture, {p.X - h, p.Y - h, p.X + h, p.Y + h});
}

namespace {

// Pairs (dy, dx) in glyph units (-10..10); 100 lifts the pen before the next pair.
constexpr signed char PenUp = 100;
const std::array<std::vector<signed char>, 15> GlyphTables = {{
    {},
    // 1 conjunction: a ring with a stroke up and to the right
    {0, -6, -4, -4, -6, 0, -4, 4, 0, 6, 4, 4, 6, 0, 4, -4, 0, -6, PenUp, -4, 4, -10, 10},
    // 2 sextile: a six-pointed asterisk
    {-10, 0, 10, 0, PenUp, -5, -9, 5, 9, PenUp, 5, -9, -5, 9},
    // 3 square
    {-7, -7, -7, 7, 7, 7, 7, -7, -7, -7},
    // 4 trine
    {-9, 0, 7, 8, 7, -8, -9, 0},
    // 5 opposition: two rings joined by a stroke
    {6, -8, 3, -5, 6, -2, 9, -5, 6, -8, PenUp, 4, -4, -4, 4, PenUp, -6, 2, -9, 5, -6, 8, -3, 5, -6, 2},
    // 6 semisquare: an open angle
    {-8, 8, 8, 8, 8, -8},
    // 7 sesquiquadrate: a square with a stroke
    {-4, -8, -4, 4, 8, 4, 8, -8, -4, -8, PenUp, -4, 4, -10, 10},
    // 8 semisextile: a stroke over a bar
    {-9, 0, 9, 0, PenUp, 9, -8, 9, 8},
    // 9 quincunx: a bar under a stroke
    {9, 0, -9, 0, PenUp, -9, -8, -9, 8},
    // 10 quintile: a bar with a spike
    {6, -8, 6, 8, PenUp, 6, 0, -8, 0},
    // 11 biquintile: two bars with a spike
    {6, -8, 6, 8, PenUp, 9, -8, 9, 8, PenUp, 6, 0, -8, 0},
    // 12 septile: a bent stroke
    {-8, -6, -8, 6, 8, -2},
    // 13 parallel: two slanted bars
    {8, -6, -8, -2, PenUp, 8, 2, -8, 6},
    // 14 contraparallel: two slanted bars crossed
    {8, -6, -8, -2, PenUp, 8, 2, -8, 6, PenUp, 0, -9, 0, 9},
}};

int GlyphRole(const DrawState& s, int glyph) {
    switch (glyph) {
    case 1:
    case 13: return 3;
    case 3:
    case 5:
    case 6:
    case 7:
    case 14: return 2;
    case 8:
    case 10:
    case 11:
    case 12: return 5;
    default: return RoleForTarget(s, 4);
    }
}

}  // namespace

void DrawGlyph(Canvas& c, int glyph, Real size, SheetPoint at) {
    if (glyph < 1 || glyph > 14) return;
    SetPen(c, GlyphRole(c.State, glyph));
    const std::vector<signed char>& table = GlyphTables[size_t(glyph)];
    const Real k = 0.45L * size / 10;  // glyph units span -10..10
    bool penDown = false;
    SheetPoint last{};
    for (size_t i = 0; i + 1 < table.size();) {
        if (table[i] == PenUp) {
            penDown = false;
            ++i;
            continue;
        }
        const SheetPoint p{at.X + table[i + 1] * k, at.Y + table[i] * k};
        if (penDown) Line(c, last, p);
        last = p, penDown = true;
        i += 2;
    }
}

void DrawPageFrame(Canvas& c) {
    const PageFrame frame = PageFrameFor(c.State);
    if (!frame.Visible) return;
    SetPen(c, 7);
    ReleaseBrush(c);
    Rectangle(c, frame.TopLeft, frame.BottomRight);
}

void DrawFooterLogo(Canvas& c, SheetPoint anchor, bool colour) {
    const Real x = anchor.X + 5, y = anchor.Y + 130;
    const SheetPoint star[] = {{x + 10, y - 2}, {x + 25, y + 7},  {x + 10, y + 12},
                               {x + 20, y - 2}, {x + 20, y + 13}, {x + 10, y - 2}};
    std::vector<DevicePoint> points;
    for (const SheetPoint& p : star) points.push_back(MapPoint(c.State, p));
    SetPen(c, 2);
    if (colour) SetBrush(c, Colours::Yellow);
    else ReleaseBrush(c);
    c.Target.Polygon(points, FillRule::Winding);
    if (colour) {
        SetBrush(c, Colours::Red);
        Rectangle(c, {x - 1, y}, {x + 30, y + 5});
        c.Target.SetTextColour(Colours::White);
        TextLeft(c, "Florimant 3", 15, {x + 1, y + 0.5L});
    } else {
        ReleaseBrush(c);
        Rectangle(c, {x - 1, y}, {x + 30, y + 5});
        SetTextColour(c, 4);
        TextLeft(c, "Florimant 3", 15, {x, y + 0.5L});
    }
    ReleaseBrush(c);
}

void DrawDateAndOwner(Canvas& c, SheetPoint anchor, std::string_view date, std::string_view owner) {
    TextRight(c, date, 1, anchor);
    TextRight(c, owner, 15, {anchor.X, anchor.Y + 4});
}

}  // namespace florimant
