#include <unistd.h>

#include "drawing/analysis_views.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <optional>

#include "analysis/constitution.hpp"
#include "drawing/emf_device.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/recording_device.hpp"
#include "engine/texts.hpp"

using namespace florimant;
using Kind = RecordedShape::Kind;
namespace fs = std::filesystem;

namespace {

constexpr Real S = 4;  // device units per sheet unit in these tests
constexpr Colour Grey{128, 128, 128};

// A program folder with the reception lists and sector texts of the installation and room for
// the chart key files; one per process so that build folders running at once do not collide.
class AnalysisViews : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = fs::temp_directory_path() / ("florimant_analysis_views_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        const fs::path installation = FLORIMANT_INSTALLATION_DIR;
        fs::copy(installation / "Scambi", dir_ / "Scambi", fs::copy_options::recursive);
        fs::copy(installation / "OpzioneT", dir_ / "OpzioneT", fs::copy_options::recursive);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    AnalysisViews() : folder_(dir_) {
        state_.Target = DrawTarget::Window;
        state_.Scale = S;
        state_.FontBase = 3.7L * S;
        orbs_.fill(0);
        orbs_[int(AspectKind::Congiunzione)] = 10;
        orbs_[int(AspectKind::Sestile)] = 4;
        orbs_[int(AspectKind::Quadrato)] = 6;
        orbs_[int(AspectKind::Trigono)] = 8;
        orbs_[int(AspectKind::Opposizione)] = 9;
    }

    static ChartData Chart() {
        ChartData chart;
        const double longitudes[] = {0, 100, 102, 104, 200, 250, 300, 330, 40, 220, 15, 285};
        for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = longitudes[i];
        chart.RetroFlags.fill(' ');
        for (int k = 1; k <= 12; ++k) chart.HouseCusps[size_t(k)] = Normalize(15 + 30 * (k - 1));
        chart.HouseSystem = "CASE_MEDIE";
        return chart;
    }
    static Real Normalize(Real x) { return std::fmod(x + 720, 360); }

    // Every planet at the same longitude.
    static ChartData AllPlanetsAt(Real longitude) {
        ChartData chart = Chart();
        for (int b = 1; b <= 7; ++b) chart.Longitude[size_t(b)] = longitude;
        return chart;
    }

    Canvas MakeCanvas() { return Canvas{state_, device_}; }

    std::vector<const RecordedShape*> Texts(const std::string& text) const {
        std::vector<const RecordedShape*> found;
        for (const auto& shape : device_.Shapes())
            if (shape.Shape == Kind::Text && shape.Text == text) found.push_back(&shape);
        return found;
    }
    const RecordedShape* Text(const std::string& text) const {
        const auto found = Texts(text);
        return found.size() == 1 ? found[0] : nullptr;
    }
    // The text whose anchor is at the sheet point.
    const RecordedShape* TextAt(SheetPoint at) const {
        const DevicePoint p = MapPoint(state_, at);
        for (const auto& shape : device_.Shapes())
            if (shape.Shape == Kind::Text && shape.Points[0][0] == p) return &shape;
        return nullptr;
    }
    static DevicePoint At(SheetPoint p) { return {double(RoundHalfEven(p.X * S)), double(RoundHalfEven(p.Y * S))}; }
    int Count(Kind kind) const {
        int n = 0;
        for (const auto& shape : device_.Shapes()) n += shape.Shape == kind;
        return n;
    }

    static inline fs::path dir_;
    ProgramFolder folder_;
    DrawState state_;
    RecordingDevice device_;
    AspectOrbs orbs_{};
};

// ---- Coordinates ----

TEST_F(AnalysisViews, CoordinatesColumnsStandInsideTheWheelAtTheirAnchors) {
    ChartData chart = Chart();
    chart.Latitude[Body::Moon] = -4.5L;
    chart.Latitude[Body::NorthNode] = 1.25L;  // the nodes show 0 whatever the chart holds
    Canvas c = MakeCanvas();

    DrawCoordinateColumn(c, chart, 0);
    const RecordedShape* caption = Text("[Longitudini Relative]");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Points[0][0], At({100, 69}));
    EXPECT_EQ(int(caption->Align), int(TextAlign::Centre));
    EXPECT_EQ(caption->TextColour, Colours::Cyan);
    EXPECT_EQ(caption->FontUsed, FontForNumber(state_, 15));
    for (int b = 1; b <= 11; ++b) {
        const RecordedShape* row = TextAt({91, 77.5L + 5 * (b - 1)});
        ASSERT_NE(row, nullptr) << b;
        EXPECT_EQ(row->Text, SignPositionText(" ", chart.Longitude[size_t(b)])) << b;
        EXPECT_EQ(row->TextColour, Colours::White);
        EXPECT_EQ(row->FontUsed, FontForNumber(state_, 15));
    }
    EXPECT_EQ(TextAt({91, 77.5L + 5 * 11}), nullptr);

    device_.Clear();
    DrawCoordinateColumn(c, chart, 1);
    ASSERT_NE(Text("[Longitudini Assolute]"), nullptr);
    for (int b = 1; b <= 11; ++b) {
        const RecordedShape* row = TextAt({95, 76.5L + 5 * (b - 1)});
        ASSERT_NE(row, nullptr) << b;
        EXPECT_EQ(row->Text, FormatDecimal(8, chart.Longitude[size_t(b)]));
    }

    device_.Clear();
    DrawCoordinateColumn(c, chart, 2);
    ASSERT_NE(Text("[Latitudini]"), nullptr);
    int rows = 0;
    for (const auto& shape : device_.Shapes())
        rows += shape.Shape == Kind::Text && shape.FontUsed == FontForNumber(state_, 15);
    EXPECT_EQ(rows, 1 + 9);  // caption and points 1..9: no Ascendant or Midheaven
    EXPECT_EQ(TextAt({93, 80 - 1.5L + 5})->Text, "04° 30' Sud");
    EXPECT_EQ(TextAt({93, 80 - 1.5L + 5 * 7})->Text, "00° 00' Nord");
    EXPECT_EQ(TextAt({93, 80 - 1.5L + 5 * 8})->Text, "00° 00' Nord");
}

TEST_F(AnalysisViews, CoordinatesViewTitlesAndAspectsPanel) {
    Canvas c = MakeCanvas();
    const ChartData chart = Chart();
    AnalysisViewResult result = DrawAnalysisView(c, chart, folder_, orbs_, CoordinatesView, 0);
    ASSERT_NE(Text("LONGITUDINI PLANETARIE"), nullptr);
    EXPECT_EQ(Text("LONGITUDINI PLANETARIE")->Points[0][0], At({5, 5}));
    EXPECT_EQ(Text("LONGITUDINI PLANETARIE")->FontUsed, FontForNumber(state_, 2));
    ASSERT_NE(Text("(Relative al Segno occupato)"), nullptr);
    EXPECT_EQ(Text("(Relative al Segno occupato)")->Points[0][0], At({5, 10}));
    EXPECT_TRUE(result.ShowAspectsPanel);
    EXPECT_TRUE(result.PointsRecorded && result.SignsRecorded);
    EXPECT_EQ(result.HelpMessage, 2);
    ASSERT_FALSE(result.AspectsPanel.empty());
    EXPECT_EQ(result.AspectsPanel.front(), "PIANETI NEI TERMINI");

    device_.Clear();
    result = DrawAnalysisView(c, chart, folder_, orbs_, CoordinatesView, 1);
    EXPECT_NE(Text("(Assolute, con origine 0° Ariete)"), nullptr);
    EXPECT_FALSE(result.ShowAspectsPanel);
    EXPECT_TRUE(result.AspectsPanel.empty());
    EXPECT_EQ(result.HelpMessage, 3);

    device_.Clear();
    result = DrawAnalysisView(c, chart, folder_, orbs_, CoordinatesView, 2);
    EXPECT_NE(Text("LATITUDINI PLANETARIE"), nullptr);
    EXPECT_EQ(Text("LONGITUDINI PLANETARIE"), nullptr);
    EXPECT_EQ(result.HelpMessage, 4);
}

// ---- Constitution ----

// The numbers of a table by their colour.
std::map<std::string, std::vector<int>> NumbersByColour(const RecordingDevice& d) {
    std::map<std::string, std::vector<int>> found;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape != Kind::Text || shape.Text.empty() ||
            shape.Text.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const Colour k = shape.TextColour;
        const std::string name = k == Grey              ? "grey"
                                 : k == Colours::White  ? "white"
                                 : k == Colours::Red    ? "red"
                                 : k == Colours::Green  ? "green"
                                 : k == Colours::Yellow ? "yellow"
                                 : k == Colours::Cyan   ? "aqua"
                                                        : "other";
        found[name].push_back(std::stoi(shape.Text));
    }
    return found;
}
int Sum(const std::vector<int>& v) {
    int s = 0;
    for (int x : v) s += x;
    return s;
}

TEST_F(AnalysisViews, ConstitutionTablesOfAChartAllInAries) {
    const ChartData chart = AllPlanetsAt(5);
    Canvas c = MakeCanvas();

    DrawConstitution(c, chart, 0);
    ASSERT_NE(Text("STOFFA ELEMENTARE"), nullptr);
    EXPECT_EQ(Text("STOFFA ELEMENTARE")->TextColour, Colours::Cyan);
    EXPECT_NE(Text("(Livello psicosomatico)"), nullptr);
    EXPECT_NE(Text("[Elementare]"), nullptr);
    for (const char* label : {"Volontà", "Corpo", "Pensiero", "Sentimento", "Fuoco", "Terra", "Aria", "Acqua", "Tot",
                              "Sale", "Zolfo", "Mercurio", "Istinto", "Persona", "Collettività"})
        EXPECT_NE(Text(label), nullptr) << label;
    EXPECT_EQ(Text("Volontà")->TextColour, Colours::Red);
    EXPECT_EQ(Text("Sentimento")->TextColour, Colours::Cyan);
    auto numbers = NumbersByColour(device_);
    EXPECT_EQ(numbers["grey"].size(), 12u);
    EXPECT_EQ(Sum(numbers["grey"]), 7);
    EXPECT_EQ(numbers["white"], (std::vector<int>{7, 0, 0}));  // Sale, Zolfo, Mercurio
    EXPECT_EQ(numbers["red"], std::vector<int>{7});            // the Fire column
    EXPECT_EQ(numbers["green"], std::vector<int>{0});

    device_.Clear();
    DrawConstitution(c, chart, 2);
    EXPECT_NE(Text("STOFFA STAGIONALE"), nullptr);
    for (const char* label :
         {"Primavera", "Estate", "Autunno", "Inverno", "Tropici", "(cardinali)", "Solidi", "(fissi)", "Bicorporei",
          "(mutevoli)", "Totali", "[Stagionale]", "(Livello somatopsichico)"})
        EXPECT_NE(Text(label), nullptr) << label;
    EXPECT_EQ(Text("Primavera")->TextColour, Colours::Yellow);
    numbers = NumbersByColour(device_);
    EXPECT_EQ(numbers["white"], (std::vector<int>{7, 0, 0}));  // cardinal
    EXPECT_EQ(numbers["yellow"], std::vector<int>{7});         // spring

    // Elemental humours: Fire 7, hot 7 and dry 7; seasonal: Air 7, hot 7 and moist 7.
    device_.Clear();
    DrawConstitution(c, chart, 1);
    EXPECT_NE(Text("ATTRIBUZIONE UMORALE"), nullptr);
    EXPECT_NE(Text("(Elementare)"), nullptr);
    for (const char* label :
         {"Estroverso", "Eteronomo", "Introverso", "Autonomo", "C=caldo", "U=umido", "F=freddo", "S=secco"})
        EXPECT_NE(Text(label), nullptr) << label;
    numbers = NumbersByColour(device_);
    EXPECT_EQ(numbers["white"], (std::vector<int>{7, 0, 0, 7}));  // hot, moist, cold, dry
    EXPECT_EQ(numbers["red"], std::vector<int>{7});
    EXPECT_EQ(numbers["yellow"], std::vector<int>{0});
    device_.Clear();
    DrawConstitution(c, chart, 3);
    EXPECT_NE(Text("(Stagionale)"), nullptr);
    EXPECT_NE(Text("[Stagionale]"), nullptr);
    numbers = NumbersByColour(device_);
    EXPECT_EQ(numbers["white"], (std::vector<int>{7, 7, 0, 0}));
    EXPECT_EQ(numbers["yellow"], std::vector<int>{7});
}

TEST_F(AnalysisViews, ConstitutionCountsAddUpForAnyChart) {
    Canvas c = MakeCanvas();
    for (int seed = 0; seed < 12; ++seed) {
        ChartData chart = Chart();
        for (int b = 1; b <= 7; ++b) chart.Longitude[size_t(b)] = std::fmod(37.3L * b * (seed + 1) + 11 * seed, 360);
        chart.Longitude[Body::Sun] = 30;  // exactly 30° is Taurus
        for (int state : {0, 2}) {
            device_.Clear();
            DrawConstitution(c, chart, state);
            auto numbers = NumbersByColour(device_);
            EXPECT_EQ(Sum(numbers["grey"]), 7);
            EXPECT_EQ(Sum(numbers["white"]), 7);
            EXPECT_EQ(Sum(numbers["red"]) + Sum(numbers["green"]) + Sum(numbers["yellow"]) + Sum(numbers["aqua"]), 7);
        }
        for (int state : {1, 3}) {
            device_.Clear();
            DrawConstitution(c, chart, state);
            auto numbers = NumbersByColour(device_);
            EXPECT_EQ(Sum(numbers["white"]), 14);  // the four quality totals
        }
    }
    // The Sun at 30° counts as Earth: the elemental Earth column holds it.
    ChartData chart = AllPlanetsAt(100);
    chart.Longitude[Body::Sun] = 30;
    device_.Clear();
    DrawConstitution(c, chart, 0);
    EXPECT_EQ(NumbersByColour(device_)["green"], std::vector<int>{1});
}

// ---- Archetypal structure ----

StructureRow Row(int root, DignityCode code, std::vector<std::pair<int, int>> others = {}, int mark = 0) {
    StructureRow row;
    row.Root = root;
    row.Code = code;
    row.Mark = mark;
    row.Slots[0] = {root, 1, 0};
    for (size_t i = 0; i < others.size(); ++i) row.Slots[i + 1] = {others[i].first, 2, others[i].second};
    return row;
}

TEST_F(AnalysisViews, ArchetypalRowsFramedColouredAndRecorded) {
    ArchetypalStructure s;
    s.Rows = {Row(Body::Mars, Exile), Row(Body::Sun, Domicile, {{Body::Moon, Body::Sun}, {Body::Saturn, Body::Sun}}),
              Row(Body::Venus, Reception, {}, FirstPairMark), Row(Body::Jupiter, Reception, {}, FirstPairMark)};
    Canvas c = MakeCanvas();
    const auto centres = DrawArchetypalStructure(c, s);

    // Rows 13 apart centred on Y 100; slot 1 on the right, the others 7 units leftwards.
    const Real y0 = 100 - 13 * 1.5L;
    EXPECT_NEAR(double(centres[Body::Mars].Y - centres[Body::Sun].Y), -13, 1e-9);
    EXPECT_NEAR(double(centres[Body::Mars].Y), double(y0 - 1.8L), 1e-9);
    EXPECT_NEAR(double(centres[Body::Sun].X - centres[Body::Moon].X), 7, 1e-9);
    EXPECT_NEAR(double(centres[Body::Moon].X - centres[Body::Saturn].X), 7, 1e-9);
    EXPECT_NEAR(double(centres[Body::Venus].X), double(centres[Body::Sun].X), 1e-9);
    EXPECT_EQ(centres[Body::Mercury].X, 0);  // not in the table: nothing to click

    ASSERT_NE(Text("Esilio"), nullptr);
    EXPECT_EQ(Text("Esilio")->TextColour, Colours::Red);
    EXPECT_EQ(Text("Domicil")->TextColour, Colours::Cyan);
    ASSERT_EQ(Texts("Scambio").size(), 2u);
    EXPECT_EQ(Texts("Scambio")[0]->TextColour, Colours::Yellow);
    ASSERT_EQ(Texts("sol").size(), 2u);  // Moon and Saturn under the Sun
    EXPECT_EQ(Texts("sol")[0]->FontUsed, FontForNumber(state_, 0));
    EXPECT_EQ(Text("Domicil")->FontUsed, FontForNumber(state_, 15));

    std::vector<Colour> frames;
    for (const auto& shape : device_.Shapes())
        if (shape.Shape == Kind::Rectangle) frames.push_back(shape.PenUsed.Rgb);
    EXPECT_EQ(frames, (std::vector<Colour>{Colours::Red, Colours::Cyan, Colours::Yellow, Colours::Yellow}));
    // The Sun's frame spans its three slots: from 4 left of Saturn to 22 right of the Sun.
    const RecordedShape* sunFrame = nullptr;
    for (const auto& shape : device_.Shapes())
        if (shape.Shape == Kind::Rectangle && shape.PenUsed.Rgb == Colours::Cyan) sunFrame = &shape;
    ASSERT_NE(sunFrame, nullptr);
    EXPECT_NEAR(sunFrame->Box.Left, double(RoundHalfEven((centres[Body::Saturn].X - 4) * S)), 1);
    EXPECT_NEAR(sunFrame->Box.Right, double(RoundHalfEven((centres[Body::Sun].X + 22) * S)), 1);
    // The widest row is centred on the wheel.
    EXPECT_NEAR((sunFrame->Box.Left + sunFrame->Box.Right) / 2, 100 * S, 1);

    // The two rows of one reception are joined by two yellow strokes across the gap.
    int connectors = 0;
    for (const auto& shape : device_.Shapes())
        connectors += shape.Shape == Kind::Line && shape.PenUsed == PenForRole(state_, 77);
    EXPECT_EQ(connectors, 2);

    // Different marks are not joined.
    s.Rows[3].Mark = LaterPairMark;
    device_.Clear();
    DrawArchetypalStructure(c, s);
    connectors = 0;
    for (const auto& shape : device_.Shapes())
        connectors += shape.Shape == Kind::Line && shape.PenUsed == PenForRole(state_, 77);
    EXPECT_EQ(connectors, 0);
}

TEST_F(AnalysisViews, ArchetypalTablesStayInsideTheReducedWheel) {
    // Seven rows of one planet, and one row of seven: the tallest and the widest tables.
    ArchetypalStructure tall, wide;
    for (int p = 1; p <= 7; ++p) tall.Rows.push_back(Row(p, Domicile));
    wide.Rows.push_back(Row(Body::Sun, Domicile, {{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}));
    for (const ArchetypalStructure* s : {&tall, &wide}) {
        device_.Clear();
        Canvas c = MakeCanvas();
        DrawArchetypalStructure(c, *s);
        int frames = 0;
        for (const auto& shape : device_.Shapes()) {
            if (shape.Shape != Kind::Rectangle) continue;
            ++frames;
            // Every corner within the natal ring's inner circle (R4 + 5 = 55).
            for (double x : {shape.Box.Left, shape.Box.Right})
                for (double y : {shape.Box.Top, shape.Box.Bottom})
                    EXPECT_LT(std::hypot(x / S - 100, y / S - 100), 55) << x << " " << y;
        }
        EXPECT_EQ(frames, int(s->Rows.size()));
    }
}

TEST_F(AnalysisViews, ArchetypalEmptyStructureShowsItsSentence) {
    Canvas c = MakeCanvas();
    const auto centres = DrawArchetypalStructure(c, ArchetypalStructure{});
    ASSERT_NE(Text("Nessuna Debilità né Dignità Planetaria"), nullptr);
    EXPECT_EQ(Count(Kind::Rectangle), 0);
    for (const SheetPoint& p : centres) EXPECT_EQ(p.X, 0);
}

TEST_F(AnalysisViews, ArchetypalViewDrawsTheReducedWheelWithoutHouseRing) {
    Canvas c = MakeCanvas();
    const ChartData chart = Chart();
    const AnalysisViewResult result = DrawAnalysisView(c, chart, folder_, orbs_, ArchetypalView, 0);
    ASSERT_NE(Text("STRUTTURA ARCHETIPALE"), nullptr);
    EXPECT_EQ(Text("STRUTTURA ARCHETIPALE")->Points[0][0], At({5, 5}));
    EXPECT_EQ(Text("STRUTTURA ARCHETIPALE")->TextColour, Colours::Cyan);
    EXPECT_EQ(Text("STRUTTURA ARCHETIPALE")->FontUsed, FontForNumber(state_, 2));
    ASSERT_NE(Text(std::string(50, ' ')), nullptr);
    EXPECT_EQ(Text(std::string(50, ' '))->Points[0][0], At({197, 48}));
    for (const char* numeral : {"I", "IV", "X", "XII"}) EXPECT_EQ(Text(numeral), nullptr) << numeral;
    EXPECT_NE(Text("AS"), nullptr);           // angle marks
    EXPECT_NE(Text("Florimant 3"), nullptr);  // footer logo
    EXPECT_EQ(result.HelpMessage, 9);
    EXPECT_FALSE(result.ShowAspectsPanel);
    EXPECT_TRUE(result.PointsRecorded && result.ArchetypalRecorded);
    EXPECT_FALSE(result.SignsRecorded);
    // The clickable natal ring on the middle of R3 + 4 .. R4 + 5.
    for (int b = 1; b <= 11; ++b)
        EXPECT_NEAR(double(std::hypot(result.Points[size_t(b)].X - 100, result.Points[size_t(b)].Y - 100)), 62, 1e-9)
            << b;

    // Exactly the planets of the table are clickable; Saturn in Aquarius (330°) is at home.
    const ArchetypalStructure structure = ComputeArchetypalStructure(folder_, chart);
    std::array<bool, 8> inTable{};
    for (const auto& row : structure.Rows)
        for (const auto& slot : row.Slots) inTable[size_t(slot.Planet)] = true;
    for (int p = 1; p <= 7; ++p) EXPECT_EQ(result.ArchetypalPlanets[size_t(p)].X != 0, inTable[size_t(p)]) << p;
    EXPECT_TRUE(inTable[Body::Saturn]);
}

// ---- Aspects ----

TEST_F(AnalysisViews, AspectsStatesLinesBandsAndGrids) {
    Canvas c = MakeCanvas();
    const ChartData chart = Chart();
    const auto wheel = FindWheelAspects(chart, orbs_);
    ASSERT_FALSE(wheel.empty());
    int hard = 0;
    for (const auto& a : wheel) hard += !a.Harmonious();
    ASSERT_GT(hard, 0);

    AnalysisViewResult result = DrawAnalysisView(c, chart, folder_, orbs_, AspectsView, 0);
    ASSERT_NE(Text("ASPETTI PLANETARI"), nullptr);
    EXPECT_EQ(Text("ASPETTI PLANETARI")->FontUsed, FontForNumber(state_, 2));
    ASSERT_NE(Text("(Solo aspetti maggiori) "), nullptr);
    EXPECT_EQ(Text("(Solo aspetti maggiori) ")->FontUsed, FontForNumber(state_, 15));
    int dashes = 0;
    for (const auto& shape : device_.Shapes())
        dashes += shape.Shape == Kind::Line && shape.PenUsed == PenForRole(state_, 2);
    EXPECT_GE(dashes, 15 * hard);
    EXPECT_TRUE(result.ShowAspectsPanel);
    EXPECT_EQ(result.AspectsPanel, AspectListLines(chart, orbs_));
    EXPECT_EQ(result.HelpMessage, 10);
    EXPECT_TRUE(result.PointsRecorded);

    device_.Clear();
    result = DrawAnalysisView(c, chart, folder_, orbs_, AspectsView, 1);
    int bands = 0;
    for (const auto& shape : device_.Shapes())
        bands += shape.Shape == Kind::Polygons &&
                 (shape.BrushUsed == Brush(Colours::Blue) || shape.BrushUsed == Brush(Colours::Red));
    EXPECT_EQ(bands, int(wheel.size()));
    EXPECT_EQ(result.HelpMessage, 24);

    // The grids stand alone: no wheel, no panel.
    device_.Clear();
    result = DrawAnalysisView(c, chart, folder_, orbs_, AspectsView, 2);
    EXPECT_NE(Text("ASPETTI  &  ORBITE"), nullptr);
    EXPECT_NE(Text("sull'eclittica"), nullptr);
    EXPECT_EQ(Text("AS"), nullptr);
    EXPECT_EQ(Text("ASPETTI PLANETARI"), nullptr);
    EXPECT_FALSE(result.ShowAspectsPanel);
    EXPECT_FALSE(result.PointsRecorded);
    EXPECT_EQ(result.HelpMessage, 25);
    // Cells of 5 by 8 inside the left square (the yellow rectangle is the page frame).
    for (const auto& shape : device_.Shapes()) {
        if (shape.Shape != Kind::Rectangle || shape.PenUsed.Rgb == Colours::Yellow) continue;
        EXPECT_NEAR(shape.Box.Width(), 5 * S, 1);
        EXPECT_NEAR(shape.Box.Height(), 8 * S, 1);
        EXPECT_GE(shape.Box.Left, 2 * S);
        EXPECT_LE(shape.Box.Bottom, 195 * S);
    }

    device_.Clear();
    result = DrawAnalysisView(c, chart, folder_, orbs_, AspectsView, 3);
    EXPECT_NE(Text("DISTANZE SFERICHE"), nullptr);
    EXPECT_EQ(result.HelpMessage, 26);
    EXPECT_FALSE(result.ShowAspectsPanel);
}

// ---- Antiscia ----

TEST_F(AnalysisViews, AntisciaOfAPlanetAtTenDegreesAries) {
    ChartData chart = Chart();
    chart.Longitude[Body::Ascendant] = 0;
    chart.Longitude[Body::Mars] = 10;
    Canvas c = MakeCanvas();
    DrawPointAntiscia(c, chart, Body::Mars, 0);
    // θ = 360 - 10: left of the centre, a little below; its antiscion (350°) a little above,
    // its contra-antiscion (170°) on the right.
    const DevicePoint point = At({62, 107}), antiscion = At({62, 93}), contra = At({138, 107});
    std::map<int, std::pair<DevicePoint, DevicePoint>> lines;  // by colour
    for (const auto& shape : device_.Shapes())
        if (shape.Shape == Kind::Line) {
            const Colour k = shape.PenUsed.Rgb;
            lines[k == Colours::Cyan  ? 0
                  : k == Colours::Red ? 1
                  : k == Grey         ? 2
                                      : 3] = {shape.Points[0][0], shape.Points[0][1]};
        }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::make_pair(point, antiscion));
    EXPECT_EQ(lines[1], std::make_pair(point, contra));
    EXPECT_EQ(lines[2], std::make_pair(antiscion, contra));
    for (const auto& shape : device_.Shapes()) {
        if (shape.Shape == Kind::Line) {
            EXPECT_EQ(shape.PenUsed.Width, RoundHalfEven(S / 4));
        }
    }
    EXPECT_EQ(Count(Kind::Ellipse), 3);
    ASSERT_NE(Text("ANTISCE e"), nullptr);
    EXPECT_EQ(Text("ANTISCE e")->TextColour, Colours::Cyan);
    ASSERT_NE(Text("CONTRANTISCE"), nullptr);
    EXPECT_EQ(Text("CONTRANTISCE")->TextColour, Colours::Red);
    // In the corner under the wheel, clear of the angle marks' texts and inside the left square.
    for (const char* title : {"ANTISCE e", "CONTRANTISCE"}) {
        const RecordedShape* t = Text(title);
        EXPECT_EQ(int(t->Align), int(TextAlign::Right)) << title;
        EXPECT_EQ(t->Points[0][0].X, 194 * S) << title;
        EXPECT_GE(t->Points[0][0].Y, 183 * S) << title;
        EXPECT_LE(t->Points[0][0].Y + t->FontUsed.Height, 195 * S) << title;
    }

    // At exactly 0° Ariete only the dot.
    chart.Longitude[Body::Mars] = 0;
    device_.Clear();
    DrawPointAntiscia(c, chart, Body::Mars, 0);
    EXPECT_EQ(Count(Kind::Line), 0);
    EXPECT_EQ(Count(Kind::Ellipse), 1);
}

TEST_F(AnalysisViews, AntisciaOfASignFollowOnlyTheAscendant) {
    ChartData chart = Chart();
    chart.Longitude[Body::Ascendant] = 0;
    Canvas c = MakeCanvas();
    DrawPointAntiscia(c, chart, 0, 1);  // Ariete: midpoint 15°, antiscion 345°, contra 165°
    const auto first = device_.Shapes();
    ChartData other = AllPlanetsAt(200);
    other.Longitude[Body::Ascendant] = 0;
    device_.Clear();
    DrawPointAntiscia(c, other, 0, 1);
    ASSERT_EQ(first.size(), device_.Shapes().size());
    for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i].Points, device_.Shapes()[i].Points) << i;
    bool found = false;
    for (const auto& shape : first)
        if (shape.Shape == Kind::Line && shape.PenUsed.Rgb == Colours::Cyan) {
            // 15° at θ 345 and 345° at θ 15: mirror images across the horizon.
            EXPECT_EQ(shape.Points[0][0].X, shape.Points[0][1].X);
            EXPECT_EQ(shape.Points[0][0].Y - 100 * S, 100 * S - shape.Points[0][1].Y);
            found = true;
        }
    EXPECT_TRUE(found);
    EXPECT_THROW(DrawPointAntiscia(c, chart, 8, 0), std::invalid_argument);
    EXPECT_THROW(DrawPointAntiscia(c, chart, 0, 13), std::invalid_argument);
}

// ---- The entry point ----

TEST_F(AnalysisViews, EntryPointStatesMessagesAndRefusals) {
    EXPECT_EQ(AnalysisViewStateCount(CoordinatesView), 3);
    EXPECT_EQ(AnalysisViewStateCount(ConstitutionView), 4);
    EXPECT_EQ(AnalysisViewStateCount(ArchetypalView), 1);
    EXPECT_EQ(AnalysisViewStateCount(AspectsView), 4);
    EXPECT_EQ(AnalysisViewStateCount(5), 0);
    const int constitution[] = {5, 6, 7, 8};
    for (int s = 0; s < 4; ++s) EXPECT_EQ(AnalysisViewHelpMessage(ConstitutionView, s), constitution[s]);
    EXPECT_EQ(AnalysisViewHelpMessage(AntisciaView, 0, false), 30);
    EXPECT_EQ(AnalysisViewHelpMessage(AntisciaView, 0, true), 33);
    EXPECT_EQ(AnalysisViewHelpMessage(AspectsView, 4), 0);

    Canvas c = MakeCanvas();
    const ChartData chart = Chart();
    EXPECT_THROW(DrawAnalysisView(c, chart, folder_, orbs_, 7, 0), std::invalid_argument);
    // A missing point or sign is refused before anything is drawn.
    EXPECT_THROW(DrawAnalysisView(c, chart, folder_, orbs_, AntisciaView, 0), std::invalid_argument);
    EXPECT_THROW(DrawAnalysisView(c, chart, folder_, orbs_, AntisciaView, 0, 9), std::invalid_argument);
    EXPECT_TRUE(device_.Shapes().empty());

    // States wrap as the buttons' counters do.
    const AnalysisViewResult wrapped = DrawAnalysisView(c, chart, folder_, orbs_, ConstitutionView, 5);
    EXPECT_EQ(wrapped.HelpMessage, 6);
    EXPECT_NE(Text("ATTRIBUZIONE UMORALE"), nullptr);

    device_.Clear();
    const AnalysisViewResult antiscia = DrawAnalysisView(c, chart, folder_, orbs_, AntisciaView, 0, 0, 4);
    EXPECT_EQ(antiscia.HelpMessage, 33);
    EXPECT_NE(Text("CONTRANTISCE"), nullptr);
    EXPECT_NE(Text("AS"), nullptr);  // over the standard chart
}

TEST_F(AnalysisViews, StandardChartFrameIsLandscapeAndKeysAreReturned) {
    state_.PrinterLandscape = false;  // a portrait printer does not stretch the window's frame
    Canvas c = MakeCanvas();
    const StandardChartCentres centres = DrawStandardChart(c, Chart(), folder_, orbs_);
    ASSERT_EQ(device_.Shapes()[0].Shape, Kind::Rectangle);
    EXPECT_EQ(device_.Shapes()[0].Box, (DeviceRect{1 * S, 1 * S, 279 * S, 202 * S}));
    EXPECT_EQ(centres.Keys.Sectors.Terms[Body::Ascendant], 3);
    EXPECT_FALSE(centres.Keys.PointKeys.empty());
}

TEST_F(AnalysisViews, ClearingPaintsTheLeftSquareBlack) {
    state_.BlackAndWhite = true;
    Canvas c = MakeCanvas();
    ClearAnalysisViewArea(c);
    ASSERT_EQ(device_.Shapes().size(), 1u);
    EXPECT_EQ(device_.Shapes()[0].Box, (DeviceRect{2 * S, 2 * S, 195 * S, 195 * S}));
    EXPECT_EQ(device_.Shapes()[0].BrushUsed, Brush(Colours::Black));
}

}  // namespace

namespace {

TEST(AnalysisClicks, SymbolHitWithinFifteenPixelsOnEachAxis) {
    DrawState s;
    s.Scale = 4;
    const SheetPoint centre{50, 25};  // device (200, 100)
    EXPECT_TRUE(SymbolHit(s, {200, 100}, centre));
    EXPECT_TRUE(SymbolHit(s, {214.9, 85.1}, centre));
    EXPECT_FALSE(SymbolHit(s, {215, 100}, centre));  // strict bound
    EXPECT_FALSE(SymbolHit(s, {200, 115}, centre));
    // Zoomed: the centre moves with the zoom, the tolerance stays 15 device pixels.
    s.Zoom = 2;
    EXPECT_TRUE(SymbolHit(s, {410, 190}, centre));
    EXPECT_FALSE(SymbolHit(s, {200, 100}, centre));
    // An axis correction of 2 maps X at half the width: the click is corrected back.
    s.Zoom = 1;
    s.AxisCorrectionX = 2;
    EXPECT_EQ(MapX(s, centre.X), 100);
    EXPECT_TRUE(SymbolHit(s, {100, 100}, centre));
}

TEST(AnalysisClicks, SelectedSymbolCircleTurnsRed) {
    RecordingDevice d;
    DrawState s;
    s.Scale = 4;
    Canvas c{s, d};
    MarkSymbolCentre(c, {10, 10}, true);
    MarkSymbolCentre(c, {10, 10});
    ASSERT_EQ(d.Shapes().size(), 2u);
    EXPECT_EQ(d.Shapes()[0].BrushUsed, Brush(Colours::Red));
    EXPECT_EQ(d.Shapes()[1].BrushUsed, Brush(Colours::White));
    EXPECT_EQ(d.Shapes()[0].PenUsed, PenForRole(s, 2));
    EXPECT_EQ(d.Shapes()[0].Box, (DeviceRect{34, 34, 46, 46}));
}

}  // namespace

namespace {

// The views draw on a metafile as on the window: the picture plays back with the same texts.
TEST_F(AnalysisViews, EveryViewRecordsAsAMetafile) {
    state_.Target = DrawTarget::Metafile;
    const ChartData chart = Chart();
    const std::pair<int, int> views[] = {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2},
                                         {2, 3}, {3, 0}, {4, 0}, {4, 1}, {4, 2}, {4, 3}};
    for (const auto& [view, state] : views) {
        EmfDevice emf(int(281 * S), int(204 * S));
        RecordingDevice direct;
        Canvas toEmf{state_, emf};
        Canvas toRecord{state_, direct};
        DrawAnalysisView(toEmf, chart, folder_, orbs_, view, state);
        DrawAnalysisView(toRecord, chart, folder_, orbs_, view, state);
        const MetafilePicture picture{"view.emf", emf.Finish()};
        RecordingDevice played;
        PlayMetafile(picture, played, {0, 0, 281 * S, 204 * S});
        std::vector<std::string> drawnTexts, playedTexts;
        // An empty text leaves no record in a metafile.
        for (const auto& shape : direct.Shapes())
            if (shape.Shape == Kind::Text && !shape.Text.empty()) drawnTexts.push_back(shape.Text);
        for (const auto& shape : played.Shapes())
            if (shape.Shape == Kind::Text) playedTexts.push_back(shape.Text);
        EXPECT_FALSE(drawnTexts.empty()) << view << "/" << state;
        EXPECT_EQ(playedTexts, drawnTexts) << view << "/" << state;
    }
}

}  // namespace
