#include "drawing/sheet.hpp"

#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "drawing/primitives.hpp"
#include "drawing/sheet_tables.hpp"
#include "engine/astro_time.hpp"

namespace florimant {

namespace {

// Puts the zoom back however the sheet drawing ends.
struct ZoomGuard {
    DrawState& State;
    Real Saved;
    ~ZoomGuard() { State.Zoom = Saved; }
};

struct LayoutAnchors {
    SheetPoint Wheel;
    Real RightEdge;  // of "TEMA DI NASCITA" and the house-system and node lines
    SheetPoint HouseLine, NodeLine, Footer, DateAndOwner;
};

// Where the term texts must end: before the latitudes table beside them on the portrait sheet,
// at the right margin of the header on the landscape one (the page ends some 17 units further).
constexpr Real TermsRightEdgePortrait = 202;
constexpr Real TermsRightEdgeLandscape = 313;
// The printed title of the distance table is 4.2 units high: its column pictures start below it,
// and the table still ends above the structure block on both sheets.
constexpr Real DistanceTitleHeight = 4.5L;

}  // namespace

std::string SheetBirthLine(const ChartData& chart) {
    const std::string& weekday = WeekdayName(Weekday(chart.JulianDayUT - chart.CorrectionHours / 24));
    std::string line = "NASCITA " + weekday + " " + chart.BirthDateText + " (GMT" + chart.ZoneText + ")";
    if (chart.CalendarFlag == 0) line += " Calend. Giuliano";
    return line;
}

std::string SheetOwnerText(const ProgramFolder& folder) {
    constexpr std::string_view names = "FileTmp\\Personal.Tmp";
    if (!folder.Exists(names)) return {};
    const auto lines = ReadTextLines(folder, names);
    const std::string first = lines.size() > 0 ? Cp1252ToUtf8(lines[0]) : std::string();
    const std::string last = lines.size() > 1 ? Cp1252ToUtf8(lines[1]) : std::string();
    return first + " " + last;
}

void DrawSheet(DrawState& state, Device& device, const ProgramFolder& folder, const SheetInputs& inputs,
               SheetLayoutKind layout, bool windowVisible) {
    const ChartData& chart = *inputs.Chart;
    const bool portrait = layout == SheetLayoutKind::Portrait;
    Canvas c{state, device, &folder, windowVisible};
    const std::string birthLine = SheetBirthLine(chart);
    WriteSheetKeys(folder, chart);

    ZoomGuard guard{state, state.Zoom};
    if (portrait) state.Zoom *= Real(1.15);
    else state.Zoom /= Real(1.22);
    const LayoutAnchors a = portrait
                                ? LayoutAnchors{{148, 123}, 230, {230, 19.8L}, {230, 23.5L}, {190, 170}, {225, 316}}
                                : LayoutAnchors{{168, 98}, 313, {313, 20.5L}, {313, 25}, {108, 77}, {158, 218}};

    const WheelGeometry g = SheetWheel();
    DrawZodiacRing(c, chart, a.Wheel, g.R1, g.R2, "M");
    DrawBodies(c, chart, a.Wheel, g.R3, g.R4, 9);
    DrawHouseRing(c, chart, a.Wheel, g.R5 - 3, g.R6 - 3);
    DrawAspectLines(c, chart, a.Wheel, g.R6 - 3, inputs.Orbs, inputs.AspectStyle);
    DrawAngles(c, chart, a.Wheel, g.R1 + 5);
    DrawSphericalDistanceTable(c, chart, inputs.Orbs, portrait ? SheetPoint{15, 202} : SheetPoint{15, 105}, 5.5L,
                               DistanceTitleHeight);

    SetTextColour(c, 0);
    TextLeft(c, chart.SubjectName, 4, {15, 15});
    TextRight(c, "TEMA DI NASCITA", 3, {a.RightEdge, 15});
    TextLeft(c, birthLine, 2, {15, 25});
    TextLeft(c, chart.LocalityText + " - " + chart.NationalityText, 2, {15, 30});
    TextLeft(c, chart.CoordinatesText, 2, {15, 35});
    SetTextColour(c, 4);
    TextRight(c, portrait ? "DOMIFICAZIONE: " + chart.HouseSystem : std::string("DOMIFICAZIONE: CASE MEDIE"), 15,
              a.HouseLine);
    TextRight(c, (portrait ? "NODO: " : "NODO ") + inputs.Ephemeris.NodeMode, 15, a.NodeLine);

    DrawFooterLogo(c, a.Footer, !state.BlackAndWhite);
    SetTextColour(c, 0);
    TextLeft(c, chart.JulianDayText, 2, {15, 40});
    DrawDateAndOwner(c, a.DateAndOwner, inputs.DateText, inputs.OwnerText);

    const ArchetypalStructure structure =
        inputs.Structure ? *inputs.Structure : ComputeArchetypalStructure(folder, chart);
    if (portrait) {
        DrawTermsTable(c, folder, {115, 220}, TermsRightEdgePortrait);
        DrawDodecatemoriaTable(c, chart, {115, 275});
        DrawLatitudesTable(c, chart, {205, 219});
        DrawLongitudesTable(c, chart, {18, 115});
        DrawSheetMasters(c, folder, inputs.Ephemeris, chart, {16, 55});
        DrawSheetStructure(c, structure, {25, 315});
    } else {
        DrawDodecatemoriaTable(c, chart, {265, 90});
        DrawTermsTable(c, folder, {243, 150}, TermsRightEdgeLandscape);
        DrawLatitudesTable(c, chart, {18, 65});
        DrawRelativeLongitudesTable(c, chart, {165, 210});
        DrawSheetStructure(c, structure, {25, 218});
        DrawSheetMasters(c, folder, inputs.Ephemeris, chart, {263, 35});
    }

    SetTextColour(c, 0);
    if (portrait) {
        TextLeft(c, "NOTA: sul grafico zodiacale non", 2, {165, 267.5L});
        TextLeft(c, "sono tracciati gli Aspetti", 2, {165, 272.5L});
        TextLeft(c, "che coinvolgono i Nodi Lunari", 2, {165, 277.5L});
    } else {
        TextCentre(c, "NOTA: sul grafico zodiacale non sono tracciati gli Aspetti", 15, {170, 185});
        TextCentre(c, "che coinvolgono i Nodi Lunari", 15, {170, 190});
    }
}

}  // namespace florimant
