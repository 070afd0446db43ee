#include "drawing/analysis_views.hpp"

#include <algorithm>
#include <stdexcept>

#include "analysis/antiscia.hpp"
#include "analysis/chart_keys.hpp"
#include "analysis/sectors.hpp"
#include "drawing/sheet_tables.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {

namespace {

int Wrap(int state, int count) { return count <= 0 ? 0 : ((state % count) + count) % count; }

SheetPoint WheelCentre() {
    const WheelGeometry g = AnalysisWheel();
    return {g.CentreX, g.CentreY};
}

}  // namespace

int AnalysisViewStateCount(int view) {
    switch (view) {
    case StandardChartView: return 1;
    case CoordinatesView: return 3;
    case ConstitutionView: return 4;
    case ArchetypalView: return 1;
    case AspectsView: return 4;
    case AntisciaView: return 1;
    default: return 0;
    }
}

int AnalysisViewHelpMessage(int view, int state, bool sign) {
    if (state < 0 || state >= AnalysisViewStateCount(view)) return 0;
    switch (view) {
    case StandardChartView: return 1;
    case CoordinatesView: return 2 + state;
    case ConstitutionView: return 5 + state;
    case ArchetypalView: return 9;
    case AspectsView: return state == 0 ? 10 : 23 + state;
    case AntisciaView: return sign ? 33 : 30;
    default: return 0;
    }
}

bool AnalysisViewShowsAspectsPanel(int view, int state) {
    return (view == AspectsView && (state == 0 || state == 1)) || (view == CoordinatesView && state == 0);
}

void ClearAnalysisViewArea(Canvas& c) {
    // Painted black on every target: this is the window's own background, not a colour of the
    // drawing, so the black-and-white mode leaves it alone.
    c.Target.SetPen({Colours::Black, 0, PenStyle::None});
    c.Target.SetBrush(Colours::Black);
    Rectangle(c, {2, 2}, {195, 195});
    ReleaseBrush(c);
}

void DrawViewTitle(Canvas& c, const std::string& title, const std::string& subtitle, SheetPoint origin) {
    SetTextColour(c, 4);
    TextLeft(c, title, 2, {origin.X + 5, origin.Y + 5});
    if (!subtitle.empty()) {
        SetTextColour(c, 0);
        TextLeft(c, subtitle, 15, {origin.X + 5, origin.Y + 10});
    }
    SetTextColour(c, 0);
}

// ---- Coordinates ----

void DrawCoordinateColumn(Canvas& c, const ChartData& chart, int state) {
    state = Wrap(state, 3);
    struct Layout {
        int Rows;
        Real SymbolX, FirstY;
        const char* Caption;
    };
    static constexpr Layout Layouts[] = {
        {11, 87, 79, "[Longitudini Relative]"},
        {11, 91, 78, "[Longitudini Assolute]"},
        {9, 89, 80, "[Latitudini]"},
    };
    const Layout& l = Layouts[state];
    SetTextColour(c, 4);
    TextCentre(c, l.Caption, 15, {100, 69});
    for (int b = 1; b <= l.Rows; ++b) {
        const SheetPoint symbol{l.SymbolX, l.FirstY + 5 * Real(b - 1)};
        DrawSymbol(c, SymbolFamily::Body, b, 4, symbol);
        const Real longitude = chart.Longitude[size_t(b)];
        std::string text;
        if (state == 0) {
            text = SignPositionText(" ", longitude);
        } else if (state == 1) {
            text = FormatDecimal(8, longitude);
        } else {
            // The nodes lie on the ecliptic by definition.
            const bool node = b == Body::NorthNode || b == Body::SouthNode;
            text = LatitudeText(node ? 0 : chart.Latitude[size_t(b)]);
        }
        // A picture may carry a text colour of its own: the row's colour is set after it.
        SetTextColour(c, 0);
        TextLeft(c, text, 15, {symbol.X + 4, symbol.Y - 1.5L});
    }
}

StandardChartCentres DrawCoordinates(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                     const AspectOrbs& orbs, int state) {
    state = Wrap(state, 3);
    StandardChartCentres centres = DrawStandardChart(c, chart, folder, orbs);
    static const char* const Subtitles[] = {"(Relative al Segno occupato)", "(Assolute, con origine 0° Ariete)", ""};
    DrawViewTitle(c, state == 2 ? "LATITUDINI PLANETARIE" : "LONGITUDINI PLANETARIE", Subtitles[state]);
    DrawCoordinateColumn(c, chart, state);
    return centres;
}

// ---- Aspects ----

AspectsViewCentres DrawAspectsView(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                   const AspectOrbs& orbs, int state) {
    state = Wrap(state, 4);
    AspectsViewCentres result;
    if (state <= 1) {
        result.ChartDrawn = true;
        result.Centres = DrawStandardChart(c, chart, folder, orbs);
        DrawViewTitle(c, "ASPETTI PLANETARI", "(Solo aspetti maggiori) ");
        DrawAnalysisAspectLines(c, chart, orbs, state == 0 ? AspectLineStyle::Lines : AspectLineStyle::Bands);
        return result;
    }
    // The grids stand alone, centred on the wheel's place: 56 units across (row headers and ten
    // columns of 5) and 80 down (title, column headers and nine rows of 8).
    const SheetPoint anchor{WheelCentre().X - 28, WheelCentre().Y - 40};
    DrawAnalysisPageFrame(c);
    if (state == 2) DrawEclipticGrid(c, chart, orbs, anchor);
    else DrawSphericalDistanceTable(c, chart, orbs, anchor, 8);
    SetTextColour(c, 0);
    return result;
}

// ---- Archetypal structure ----

std::array<SheetPoint, Body::Count + 1> DrawReducedChart(Canvas& c, const ChartData& chart) {
    std::array<SheetPoint, Body::Count + 1> centres{};
    DrawAnalysisPageFrame(c);
    const WheelGeometry g = AnalysisWheel();
    const SheetPoint centre = WheelCentre();
    SetTextColour(c, 0);
    DrawZodiacRing(c, chart, centre, g.R1, g.R2 + 4, "M", 7);
    DrawBodies(c, chart, centre, g.R3 + 4, g.R4 + 5, AnalysisPointCount, true, &centres);
    DrawAngles(c, chart, centre, g.R1 + 5);
    DrawFooterLogo(c, {5, 50}, !c.State.BlackAndWhite);
    return centres;
}

std::array<SheetPoint, PlanetCount + 1> DrawArchetypalStructure(Canvas& c, const ArchetypalStructure& structure) {
    std::array<SheetPoint, PlanetCount + 1> centres{};
    const SheetPoint centre = WheelCentre();
    if (structure.Empty()) {
        SetTextColour(c, 0);
        TextCentre(c, "Nessuna Debilità né Dignità Planetaria", 2, {centre.X, centre.Y - 2.5L});
        return centres;
    }
    // Row geometry (sheet units): slot 1 at x1, slot k at x1 - 7 (k - 1); the frame runs from
    // 4 left of the last slot to 22 right of slot 1 (level and label), 11 high, so consecutive
    // rows 13 apart leave a gap of 2 for the reception connectors. The widest row is centred.
    constexpr Real Step = 7, RowPitch = 13, FrameLeft = 4, FrameRight = 22, FrameUp = 5.6L, FrameDown = 5.4L;
    int widest = 1;
    for (const StructureRow& row : structure.Rows) widest = std::max(widest, row.FilledSlots());
    const Real x1 = centre.X + FrameLeft / 2 - FrameRight / 2 + Step / 2 * Real(widest - 1);
    const size_t count = structure.Rows.size();

    struct RowColour {
        int Pen;
        Colour Text;
    };
    const auto colourOf = [](DignityCode code) {
        if (code == Domicile || code == Exaltation) return RowColour{5, Colours::Cyan};
        if (code == Exile || code == Fall) return RowColour{2, Colours::Red};
        return RowColour{7, Colours::Yellow};
    };

    for (size_t k = 0; k < count; ++k) {
        const StructureRow& row = structure.Rows[k];
        const Real yc = centre.Y + RowPitch * (Real(k) - Real(count - 1) / 2);
        const RowColour colour = colourOf(row.Code);
        const int filled = std::max(1, row.FilledSlots());

        SetPen(c, colour.Pen);
        ReleaseBrush(c);
        Rectangle(c, {x1 - Step * Real(filled - 1) - FrameLeft, yc - FrameUp}, {x1 + FrameRight, yc + FrameDown});

        for (size_t i = 0; i < row.Slots.size(); ++i) {
            const StructureSlot& slot = row.Slots[i];
            if (slot.Planet < 1 || slot.Planet > PlanetCount) continue;
            const SheetPoint p{x1 - Step * Real(i), yc - 1.8L};
            DrawSymbol(c, SymbolFamily::Body, slot.Planet, 5.5L, p);
            centres[size_t(slot.Planet)] = p;
            c.Target.SetTextColour(colour.Text);
            if (i == 0) {
                TextLeft(c, std::to_string(slot.Level), 2, {p.X + 3.3L, yc - 4.4L});
                c.Target.SetTextColour(colour.Text);
                TextLeft(c, DignityLabel(row.Code), 15, {p.X + 6.5L, yc - 3.9L});
            } else {
                TextLeft(c, std::to_string(slot.Level), 33, {p.X - 3.5L, yc + 1.3L});
                c.Target.SetTextColour(colour.Text);
                TextLeft(c, slot.Parent ? PlanetAbbreviation(slot.Parent) : "", 0, {p.X - 1.3L, yc + 1.6L});
            }
        }

        // Two rows of one reception: joined across the gap between their frames.
        const StructureRow* above = k > 0 ? &structure.Rows[k - 1] : nullptr;
        if (above && row.Code == Reception && above->Code == Reception && row.Mark != 0 && row.Mark == above->Mark) {
            const Real top = yc - RowPitch + FrameDown, bottom = yc - FrameUp;
            SetPen(c, 77);
            Line(c, {x1 + 9, top}, {x1 + 9, bottom});
            Line(c, {x1 + 15, top}, {x1 + 15, bottom});
        }
    }
    SetTextColour(c, 0);
    return centres;
}

ArchetypalViewCentres DrawArchetypalView(Canvas& c, const ChartData& chart, const ArchetypalStructure& structure) {
    ArchetypalViewCentres centres;
    centres.Points = DrawReducedChart(c, chart);
    SetTextColour(c, 4);
    TextLeft(c, "STRUTTURA ARCHETIPALE", 2, {5, 5});
    // Blanks over the top of the panel column, as the window writes them.
    SetTextColour(c, 0);
    TextLeft(c, std::string(50, ' '), 2, {197, 48});
    centres.Planets = DrawArchetypalStructure(c, structure);
    return centres;
}

// ---- Antiscia ----

namespace {

// A longitude on the wheel circle of radius R6, whole units, as the aspect lines place points.
SheetPoint AntisciaPlace(Real ascendant, Real longitude) {
    const WheelGeometry g = AnalysisWheel();
    const Real theta = Real(RoundHalfEven(ascendant) + 360 - RoundHalfEven(longitude));
    return {Real(RoundHalfEven(g.CentreX - g.R6 * CosDeg(theta))),
            Real(RoundHalfEven(g.CentreY - g.R6 * SinDeg(theta)))};
}

}  // namespace

void DrawPointAntiscia(Canvas& c, const ChartData& chart, int point, int sign) {
    Real longitude = 0;
    if (point >= Body::Sun && point <= Body::Saturn) longitude = Normalize360(chart.Longitude[size_t(point)]);
    else if (point == 0 && sign >= 1 && sign <= 12) longitude = SignMidpoint(sign);
    else throw std::invalid_argument("antisce: serve un pianeta da 1 a 7 o un segno da 1 a 12");

    const Real asc = chart.Longitude[Body::Ascendant];
    // In the lower right corner of the left square: straight under the wheel the angle marks'
    // texts stand wherever the houses put them.
    c.Target.SetTextColour(Colours::Cyan);
    TextRight(c, "ANTISCE e", 2, {194, 183.5L});
    c.Target.SetTextColour(Colours::Red);
    TextRight(c, "CONTRANTISCE", 2, {194, 189});

    const AntisciaPoints points = ComputeAntiscia(longitude);
    const SheetPoint at = AntisciaPlace(asc, points.Point);
    if (points.Antiscion && points.ContraAntiscion) {
        const SheetPoint a = AntisciaPlace(asc, *points.Antiscion);
        const SheetPoint k = AntisciaPlace(asc, *points.ContraAntiscion);
        SetPen(c, 5);
        Line(c, at, a);
        SetPen(c, 2);
        Line(c, at, k);
        SetPen(c, 9);
        Line(c, a, k);
        SetLogicalPen(c, 10);
        SetBrush(c, c.State.OnWindow() ? Colours::White : Colours::Black);
        Dot(c, a, 0.8L);
        Dot(c, k, 0.8L);
    }
    SetLogicalPen(c, 10);
    SetBrush(c, c.State.OnWindow() ? Colours::White : Colours::Black);
    Dot(c, at, 0.8L);
    ReleaseBrush(c);
    SetTextColour(c, 0);
}

// ---- The entry point ----

AnalysisViewResult DrawAnalysisView(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                    const AspectOrbs& orbs, int view, int state, int point, int sign) {
    const int states = AnalysisViewStateCount(view);
    if (states == 0) throw std::invalid_argument("vista sconosciuta: " + std::to_string(view));
    state = Wrap(state, states);
    AnalysisViewResult result;
    result.HelpMessage = AnalysisViewHelpMessage(view, state, point == 0);
    result.ShowAspectsPanel = AnalysisViewShowsAspectsPanel(view, state);
    const auto keep = [&](const StandardChartCentres& centres) {
        result.PointsRecorded = result.SignsRecorded = true;
        result.Points = centres.Points;
        result.Signs = centres.Signs;
    };

    switch (view) {
    case StandardChartView: keep(DrawStandardChart(c, chart, folder, orbs)); break;
    case CoordinatesView: {
        const StandardChartCentres centres = DrawCoordinates(c, chart, folder, orbs, state);
        keep(centres);
        if (result.ShowAspectsPanel) result.AspectsPanel = CoordinatesViewLines(folder, centres.Keys.Sectors);
        break;
    }
    case ConstitutionView:
        DrawAnalysisPageFrame(c);
        DrawConstitution(c, chart, state);
        break;
    case ArchetypalView: {
        const ArchetypalStructure structure = ComputeArchetypalStructure(folder, chart);
        const ArchetypalViewCentres centres = DrawArchetypalView(c, chart, structure);
        result.PointsRecorded = result.ArchetypalRecorded = true;
        result.Points = centres.Points;
        result.ArchetypalPlanets = centres.Planets;
        break;
    }
    case AspectsView: {
        const AspectsViewCentres drawn = DrawAspectsView(c, chart, folder, orbs, state);
        if (drawn.ChartDrawn) keep(drawn.Centres);
        if (result.ShowAspectsPanel) result.AspectsPanel = AspectListLines(chart, orbs);
        break;
    }
    case AntisciaView: {
        if (point != 0 && (point < Body::Sun || point > Body::Saturn))
            throw std::invalid_argument("antisce: il punto deve essere un pianeta da 1 a 7");
        if (point == 0 && (sign < 1 || sign > 12))
            throw std::invalid_argument("antisce: serve un pianeta da 1 a 7 o un segno da 1 a 12");
        keep(DrawStandardChart(c, chart, folder, orbs));
        DrawPointAntiscia(c, chart, point, sign);
        break;
    }
    }
    return result;
}

}  // namespace florimant
