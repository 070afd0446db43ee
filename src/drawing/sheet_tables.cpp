#include "drawing/sheet_tables.hpp"

#include <algorithm>

#include "analysis/chart_keys.hpp"
#include "analysis/masters.hpp"
#include "analysis/sectors.hpp"
#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "drawing/sheet_support.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {

namespace {

void Title(Canvas& c, const char* text, SheetPoint at) {
    SetTextColour(c, 4);
    TextLeft(c, text, 2, at);
    SetTextColour(c, 0);
}

// A picture may set a text colour of its own: the row's colour is set again after it.
void BodyPicture(Canvas& c, int body, SheetPoint centre, int logicalTextColour = 0) {
    DrawSymbol(c, SymbolFamily::Body, body, 4, centre);
    SetTextColour(c, logicalTextColour);
}

// Left-aligned text in font `fontNumber`, or in the largest smaller size of its face that ends
// before `rightEdge`, moved down by half the height it gave up so it keeps its row's middle.
void FittedTextLeft(Canvas& c, std::string_view text, int fontNumber, SheetPoint at, Real rightEdge) {
    Font font = FontForNumber(c.State, fontNumber);
    const int room = MapX(c.State, rightEdge) - MapX(c.State, at.X);
    if (room <= 0 || ArialTextWidth(text, font.Height) <= room) {
        TextLeft(c, text, fontNumber, at);
        return;
    }
    const int full = font.Height;
    font.Height = std::max(1, int(full * room / ArialTextWidth(text, full)));
    while (font.Height > 1 && ArialTextWidth(text, font.Height) > room) --font.Height;
    DevicePoint p = MapPoint(c.State, at);
    p.Y += (full - font.Height) / 2;
    TextInFont(c, text, font, p, TextAlign::Left);
}

}  // namespace

std::vector<std::string> SheetKeyLines(const ChartData& chart) {
    const std::vector<Real> terms = TermBoundaries(chart.HouseCusps[1]);
    std::vector<std::string> lines;
    for (int b = 1; b <= 9; ++b) lines.push_back(TermKey(b, FindSector(terms, chart.Longitude[size_t(b)])));
    for (int b = 1; b <= 9; ++b) lines.push_back(DecanKey(b, chart.Longitude[size_t(b)]));
    return lines;
}

void WriteSheetKeys(const ProgramFolder& folder, const ChartData& chart) {
    ReplaceTextFile(folder, PointKeysFile, SheetKeyLines(chart));
}

void DrawTermsTable(Canvas& c, const ProgramFolder& folder, SheetPoint anchor, Real rightEdge) {
    SetTextColour(c, 4);
    TextLeft(c, "TERMINI", 2, {anchor.X - 1, anchor.Y - 8});
    const std::vector<std::string> keys = ReadTextLines(folder, PointKeysFile);
    const std::vector<std::string> texts = ReadTextLines(folder, TermTextsFile);
    Real y = anchor.Y;
    int row = 0, colour = 4;
    for (const std::string& line : keys) {
        std::string key = line.substr(0, 8);
        if (key.size() == 6) key += "  ";
        else key = "********";
        for (const std::string& text : texts) {
            if (text.compare(0, 8, key) != 0) continue;
            if (row == 9) {  // the decans follow, in the other colour
                colour = 0;
                row = 0;
                y += 1;
            }
            ++row;
            BodyPicture(c, row, {anchor.X, y}, colour);
            const std::string shown = text.size() > 21 ? text.substr(21, 60) : std::string();
            FittedTextLeft(c, Cp1252ToUtf8(shown), 2, {anchor.X + 4, y - 2.6L}, rightEdge);
            y += 4.5L;
        }
    }
}

void DrawDodecatemoriaTable(Canvas& c, const ChartData& chart, SheetPoint anchor) {
    Title(c, "DODECATEMORIE", {anchor.X - 2, anchor.Y - 8});
    for (int b = 1; b <= 11; ++b) {
        const Real y = anchor.Y + 4.5L * (b - 1);
        BodyPicture(c, b, {anchor.X, y});
        TextLeft(c, SignPositionText(" ", Dodecatemorion(chart.Longitude[size_t(b)])), 2, {anchor.X + 5, y - 2.5L});
    }
}

void DrawLongitudesTable(Canvas& c, const ChartData& chart, SheetPoint anchor) {
    Title(c, "LONGITUDINI", {anchor.X - 2, anchor.Y - 8});
    for (int b = 1; b <= 11; ++b) {
        const Real y = anchor.Y + 7 * (b - 1);
        const Real lambda = chart.Longitude[size_t(b)];
        BodyPicture(c, b, {anchor.X, y + 1});
        TextLeft(c, SignPositionText(" ", lambda), 2, {anchor.X + 5, y - 2.5L});
        TextLeft(c, AbsoluteLongitudeText(lambda), 0, {anchor.X + 5, y + 1.5L});
    }
}

void DrawRelativeLongitudesTable(Canvas& c, const ChartData& chart, SheetPoint anchor) {
    Title(c, "LONGITUDINI Relative (tra parentesi: Longitudini Assolute)", {anchor.X - 2, anchor.Y - 8});
    for (int b = 1; b <= 11; ++b) {
        const int column = b <= 4 ? 0 : b <= 8 ? 1 : 2;
        const int first = column == 0 ? 1 : column == 1 ? 5 : 9;
        const Real x = anchor.X + 55 * column;
        const Real y = anchor.Y + 4.5L * (b - first);
        const Real lambda = chart.Longitude[size_t(b)];
        BodyPicture(c, b, {x, y + 0.1L});
        TextLeft(c, SignPositionText(" ", lambda) + " " + AbsoluteLongitudeText(lambda), 15, {x + 5, y - 2.5L});
    }
}

void DrawLatitudesTable(Canvas& c, const ChartData& chart, SheetPoint anchor) {
    Title(c, "LATITUDINI", {anchor.X - 2, anchor.Y - 8});
    for (int b = 1; b <= 7; ++b) {
        const Real y = anchor.Y + 4.5L * (b - 1);
        BodyPicture(c, b, {anchor.X, y});
        TextLeft(c, LatitudeText(chart.Latitude[size_t(b)]), 2, {anchor.X + 5, y - 2.5L});
    }
}

void DrawSheetMasters(Canvas& c, const ProgramFolder& folder, const EphemerisSettings& settings, const ChartData& chart,
                      SheetPoint anchor) {
    const PlanetaryHour hour = ComputePlanetaryHour(folder, settings, chart);
    const YearMasters year = ComputeYearMasters(folder, chart);
    const Real asc = chart.Longitude[Body::Ascendant], mc = chart.Longitude[Body::Midheaven];
    struct Row {
        Real Dy;
        int Colour, Font;
        std::string Text;
    };
    const Row rows[] = {
        {0, 4, 2, "Giorno Planetario: " + WeekdayName(hour.Weekday)},
        {4.5L, 4, 15, PlanetaryHourText(hour.Hour)},
        {8, 4, 15, "Governata " + RulerPhrase(hour.Ruler)},
        {14, 0, 2, "Ascendente " + SignDegreeText(1, asc)},
        {18.5L, 0, 15, "Governato " + RulerPhrase(SignRulerOfLongitude(asc))},
        {24, 4, 2, "Mediocielo " + SignDegreeText(1, mc)},
        {28.5L, 4, 15, "Governato " + RulerPhrase(SignRulerOfLongitude(mc))},
        {33, 0, 2, "Anno " + YearRulerPhrase(year.YearRuler)},
        {37, 0, 15, "nel Ciclo " + YearRulerPhrase(year.CycleRuler)},
    };
    for (const Row& row : rows) {
        SetTextColour(c, row.Colour);
        TextLeft(c, row.Text, row.Font, {anchor.X, anchor.Y + row.Dy});
    }
}

namespace {

// The triangular table of point pairs shared by the ecliptic grid and the spherical distances:
// a title, the points' pictures heading rows 1..9 and columns 2..11, the table's name again in
// the empty corner under the diagonal.
struct PointGrid {
    SheetPoint Anchor;
    // The title room fits the analysis window's title font; the sheets pass their own.
    Real CellWidth = 5, CellHeight = 8, HeaderWidth = 6, TitleHeight = 5, HeaderHeight = 4.5L;
    Real Left(int column) const { return Anchor.X + HeaderWidth + CellWidth * (column - 2); }
    Real Top(int row) const { return Anchor.Y + TitleHeight + HeaderHeight + CellHeight * (row - 1); }
};

void DrawPointGridFrame(Canvas& c, const PointGrid& g, const char* title, const char* name1, const char* name2) {
    Title(c, title, g.Anchor);
    for (int column = 2; column <= 11; ++column)
        BodyPicture(c, column, {g.Left(column) + g.CellWidth / 2, g.Anchor.Y + g.TitleHeight + g.HeaderHeight / 2}, 4);
    for (int row = 1; row <= 9; ++row)
        BodyPicture(c, row, {g.Anchor.X + g.HeaderWidth / 2, g.Top(row) + g.CellHeight / 2}, 4);
    SetTextColour(c, 4);
    TextLeft(c, name1, 15, {g.Left(2), g.Top(7)});
    TextLeft(c, name2, 15, {g.Left(2), g.Top(7) + 3.5L});
}

void DrawCellFrame(Canvas& c, const PointGrid& g, Real x, Real y) {
    SetLogicalPen(c, 10);
    ReleaseBrush(c);
    Rectangle(c, {x, y}, {x + g.CellWidth, y + g.CellHeight});
}

}  // namespace

int AspectGlyph(AspectKind kind) {
    switch (kind) {
    case AspectKind::Congiunzione: return 1;
    case AspectKind::Sestile: return 2;
    case AspectKind::Quadrato: return 3;
    case AspectKind::Trigono: return 4;
    case AspectKind::Opposizione: return 5;
    case AspectKind::SemiQuadrato: return 6;
    case AspectKind::SesquiQuadr: return 7;
    case AspectKind::SemiSestile: return 8;
    case AspectKind::Quinconce: return 9;
    case AspectKind::Quintile: return 10;
    case AspectKind::BiQuintile: return 11;
    case AspectKind::Settile: return 12;
    default: return 0;  // decile and novile have no mark of their own
    }
}

void DrawEclipticGrid(Canvas& c, const ChartData& chart, const AspectOrbs& orbs, SheetPoint anchor) {
    const PointGrid g{anchor};
    DrawPointGridFrame(c, g, "ASPETTI  &  ORBITE", "", "sull'eclittica");
    for (const EclipticGridCell& cell : ComputeEclipticGrid(chart, orbs)) {
        const Real x = g.Left(cell.Column), y = g.Top(cell.Row);
        DrawCellFrame(c, g, x, y);
        if (!cell.Kind) continue;
        DrawGlyph(c, AspectGlyph(*cell.Kind), 4, {x + g.CellWidth / 2, y + 2.5L});
        SetTextColour(c, 0);
        TextCentre(c, cell.ExactnessText, 0, {x + g.CellWidth / 2, y + 5});
    }
}

void DrawSphericalDistanceTable(Canvas& c, const ChartData& chart, const AspectOrbs& orbs, SheetPoint anchor,
                                Real cellHeight, Real titleHeight) {
    // On the sheets the cells are lower, so the table ends above the structure block under it.
    const PointGrid g{anchor, 5, cellHeight, 6, titleHeight};
    DrawPointGridFrame(c, g, "DISTANZE SFERICHE", "DISTANZE", "SFERICHE");
    constexpr Real CellWidth = 5;
    const auto cellLeft = [&](int column) { return g.Left(column); };
    const auto cellTop = [&](int row) { return g.Top(row); };

    for (const SphericalGridCell& cell : ComputeSphericalGrid(chart, orbs)) {
        const Real x = cellLeft(cell.Column), y = cellTop(cell.Row);
        DrawCellFrame(c, g, x, y);
        // The marks side by side along the top of the cell: A red, B aqua, C yellow.
        const struct {
            bool On;
            int Role;
            Real From;
        } marks[] = {{cell.MarkA, 74, 0.5L}, {cell.MarkB, 75, 1.9L}, {cell.MarkC, 76, 3.3L}};
        for (const auto& mark : marks) {
            if (!mark.On) continue;
            SetPen(c, mark.Role);
            Line(c, {x + mark.From, y + 0.4L}, {x + mark.From + 1.2L, y + 0.4L});
        }
        Colour colour{128, 128, 128};
        if (cell.Colour == SphericalMark::A) colour = Colours::Red;
        if (cell.Colour == SphericalMark::B) colour = Colours::Cyan;
        if (cell.Colour == SphericalMark::C) colour = Colours::Yellow;
        // Five characters do not fit across a cell: whole degrees over the decimals.
        const size_t point = cell.Text.find('.');
        const std::string whole = cell.Text.substr(0, point);
        const std::string decimals = point == std::string::npos ? std::string() : cell.Text.substr(point);
        c.Target.SetTextColour(colour);
        TextCentre(c, whole, 0, {x + CellWidth / 2, y + 0.4L});
        c.Target.SetTextColour(colour);
        TextCentre(c, decimals, 0, {x + CellWidth / 2, y + 2.8L});
    }
}

void DrawSheetStructure(Canvas& c, const ArchetypalStructure& structure, SheetPoint anchor) {
    const Real x0 = anchor.X, y0 = anchor.Y;
    Title(c, "STRUTTURA ARCHETIPALE", {x0 - 8, y0 - 53});
    if (structure.Empty()) {
        TextLeft(c, "Nessuna Debilità né Dignità Planetaria", 2, {x0 - 8, y0});
        return;
    }
    constexpr Colour Orange{255, 128, 64};
    static const char* const Labels[] = {"", "Domicil", "Esaltaz", "Esilio", "Caduta", "Scamb"};
    for (size_t k = 0; k < structure.Rows.size(); ++k) {
        const StructureRow& row = structure.Rows[k];
        const Real x = x0 + 13 * Real(k);
        const int code = row.Code;
        const int n = row.FilledSlots();
        SetPen(c, code <= 2 ? 5 : code <= 4 ? 2 : 18);
        ReleaseBrush(c);
        Rectangle(c, {x - 8, y0 - 7 * n + 2}, {x + 4, y0 + 4});
        const Colour text = code <= 2 ? Colours::Cyan : code <= 4 ? Colours::Red : Orange;
        for (size_t i = 0; i < row.Slots.size(); ++i) {
            const StructureSlot& slot = row.Slots[i];
            if (slot.Planet == 0) continue;
            const Real y = y0 - 7 * Real(i);
            DrawSymbol(c, SymbolFamily::Body, slot.Planet, 5.5L, {x, y});
            c.Target.SetTextColour(text);
            if (i == 0) {
                TextLeft(c, std::to_string(slot.Level), 2, {x - 6.5L, y - 2.5L});
                c.Target.SetTextColour(text);
                TextLeft(c, code >= 1 && code <= 5 ? Labels[code] : "", 1, {code == 5 ? x - 8 : x - 7, y0 + 4.5L});
            } else {
                TextLeft(c, std::to_string(slot.Level), 15, {x - 6, y - 4});
                c.Target.SetTextColour(text);
                TextLeft(c, slot.Parent ? PlanetAbbreviation(slot.Parent) : "", 33, {x - 7.5L, y - 0.5L});
            }
        }
        // A reception shared with the previous row: open the wall between them and bridge it.
        if (k > 0 && code == Reception && structure.Rows[k - 1].Code == Reception &&
            row.Mark == structure.Rows[k - 1].Mark) {
            const Colour background = c.State.OnWindow() ? Colours::Black : Colours::White;
            c.Target.SetPen({background, 1, PenStyle::Solid});
            c.Target.SetBrush(background);
            Rectangle(c, {x - 9, y0 - 5}, {x - 8, y0 + 3.9L});
            SetPen(c, 18);
            ReleaseBrush(c);
            Line(c, {x - 9.1L, y0 - 5}, {x - 8, y0 - 5});
            Line(c, {x - 10, y0 + 4}, {x - 7.5L, y0 + 4});
        }
    }
}

}  // namespace florimant
