#include "drawing/sheet_tables.hpp"

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

void BodyPicture(Canvas& c, int body, SheetPoint centre) { DrawSymbol(c, SymbolFamily::Body, body, 4, centre); }

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

void DrawTermsTable(Canvas& c, const ProgramFolder& folder, SheetPoint anchor) {
    SetTextColour(c, 4);
    TextLeft(c, "TERMINI", 2, {anchor.X - 1, anchor.Y - 8});
    const std::vector<std::string> keys = ReadTextLines(folder, PointKeysFile);
    const std::vector<std::string> texts = ReadTextLines(folder, TermTextsFile);
    Real y = anchor.Y;
    int row = 0;
    for (const std::string& line : keys) {
        std::string key = line.substr(0, 8);
        if (key.size() == 6)
            key += "  ";
        else
            key = "********";
        for (const std::string& text : texts) {
            if (text.compare(0, 8, key) != 0) continue;
            if (row == 9) {  // the decans follow, in the other colour
                SetTextColour(c, 0);
                row = 0;
                y += 1;
            }
            ++row;
            BodyPicture(c, row, {anchor.X, y});
            const std::string shown = text.size() > 21 ? text.substr(21, 60) : std::string();
            TextLeft(c, Cp1252ToUtf8(shown), 2, {anchor.X + 4, y - 2.6L});
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
    const YearMasters year = ComputeYearMasters(folder, settings, chart);
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

void DrawSphericalDistanceTable(Canvas& c, const ChartData& chart, const AspectOrbs& orbs, SheetPoint anchor) {
    constexpr Real CellWidth = 5, CellHeight = 8, HeaderWidth = 6, TitleHeight = 6;
    const Real gridX = anchor.X + HeaderWidth, gridY = anchor.Y + TitleHeight + CellHeight;
    const auto cellLeft = [&](int column) { return gridX + CellWidth * (column - 2); };
    const auto cellTop = [&](int row) { return gridY + CellHeight * (row - 1); };

    Title(c, "DISTANZE SFERICHE", {anchor.X, anchor.Y});
    for (int column = 2; column <= 11; ++column)
        BodyPicture(c, column, {cellLeft(column) + CellWidth / 2, anchor.Y + TitleHeight + CellHeight / 2});
    for (int row = 1; row <= 9; ++row) BodyPicture(c, row, {anchor.X + HeaderWidth / 2, cellTop(row) + CellHeight / 2});
    // The name again in the empty corner under the diagonal.
    SetTextColour(c, 4);
    TextLeft(c, "DISTANZE", 15, {gridX, cellTop(7)});
    TextLeft(c, "SFERICHE", 15, {gridX, cellTop(7) + 4});

    for (const SphericalGridCell& cell : ComputeSphericalGrid(chart, orbs)) {
        const Real x = cellLeft(cell.Column), y = cellTop(cell.Row);
        SetLogicalPen(c, 10);
        ReleaseBrush(c);
        Rectangle(c, {x, y}, {x + CellWidth, y + CellHeight});
        const struct {
            bool On;
            int Role;
            Real Dy;
        } marks[] = {{cell.MarkA, 74, 1}, {cell.MarkB, 75, 1.8L}, {cell.MarkC, 76, 2.6L}};
        for (const auto& mark : marks) {
            if (!mark.On) continue;
            SetPen(c, mark.Role);
            Line(c, {x + 0.8L, y + mark.Dy}, {x + CellWidth - 0.8L, y + mark.Dy});
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
        TextCentre(c, whole, 0, {x + CellWidth / 2, y + 3.2L});
        c.Target.SetTextColour(colour);
        TextCentre(c, decimals, 0, {x + CellWidth / 2, y + 5.4L});
    }
}

}  // namespace florimant
