#include <unistd.h>

#include "drawing/sheet_tables.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/file_io.hpp"
#include "drawing/emf_device.hpp"
#include "drawing/recording_device.hpp"
#include "drawing/sheet_support.hpp"

using namespace florimant;
using Kind = RecordedShape::Kind;

namespace {

ChartData TableChart() {
    ChartData chart;
    for (int b = 1; b <= 11; ++b) chart.Longitude[size_t(b)] = 31.5L * b + 0.25L;
    chart.Longitude[3] = 40;  // on a decan boundary
    chart.HouseCusps[1] = 100;
    return chart;
}

std::vector<const RecordedShape*> Texts(const RecordingDevice& d) {
    std::vector<const RecordedShape*> out;
    for (const auto& s : d.Shapes())
        if (s.Shape == Kind::Text) out.push_back(&s);
    return out;
}

DrawState Paper() {
    DrawState s;
    s.Target = DrawTarget::Printer;
    s.Scale = 1;
    s.FontBase = 30;
    return s;
}

}  // namespace

TEST(SheetKeys, TermKeysThenDecanKeys) {
    const std::vector<std::string> lines = SheetKeyLines(TableChart());
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0].substr(0, 4), "Sole");
    EXPECT_EQ(lines[0].size(), 6u);
    EXPECT_EQ(lines[9], "SolDec04");  // 31.75: fourth decan
    EXPECT_EQ(lines[11], "");         // Mercury exactly on 40
}

TEST(TermsTable, RowsByKeyAndTheDecansInTheOtherColour) {
    const auto dir = std::filesystem::temp_directory_path() / ("florimant_terms_table_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    const ProgramFolder folder(dir);
    std::vector<std::string> keys;
    for (int i = 0; i < 9; ++i) keys.push_back("Key00" + std::to_string(i));
    keys.push_back("");          // no key: matches nothing
    keys.push_back("SolDec05");  // an 8-character key is not a term key
    ReplaceTextFile(folder, "OpzioneT\\PosiPian.txt", keys);
    std::vector<std::string> texts;
    for (int i = 0; i < 9; ++i)
        texts.push_back("Key00" + std::to_string(i) + "  " + std::string(13, ' ') + "Testo " + std::to_string(i));
    texts.push_back("Key003  " + std::string(13, ' ') + "Altro \xe8");  // a second row for the same key
    texts.push_back("SolDec05" + std::string(13, ' ') + "Decano");
    ReplaceTextFile(folder, TermTextsFile, texts);

    RecordingDevice d;
    const DrawState s = Paper();
    Canvas c{s, d};
    DrawTermsTable(c, folder, {100, 50}, 400);
    const auto t = Texts(d);
    ASSERT_EQ(t.size(), 11u);  // title + 10 rows
    EXPECT_EQ(t[0]->Text, "TERMINI");
    EXPECT_EQ(t[0]->Points[0][0], (DevicePoint{99, 42}));
    EXPECT_EQ(t[1]->Text, "Testo 0");
    EXPECT_EQ(t[1]->TextColour, Colours::Blue);
    EXPECT_EQ(t[5]->Text, "Altro è");
    EXPECT_EQ(t[10]->Text, "Testo 8");
    EXPECT_EQ(t[10]->TextColour, Colours::Black);  // the tenth row starts the second group
    EXPECT_EQ(t[10]->Points[0][0].Y, RoundHalfEven(50 + 4.5L * 9 + 1 - 2.6L));
    for (size_t i = 1; i < t.size(); ++i) EXPECT_EQ(t[i]->FontUsed, FontForNumber(s, 2));  // all fit
}

TEST(TermsTable, TextsTooLongForTheRoomAreWrittenSmallerOnTheirRow) {
    const auto dir = std::filesystem::temp_directory_path() / ("florimant_terms_fit_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    const ProgramFolder folder(dir);
    ReplaceTextFile(folder, "OpzioneT\\PosiPian.txt", {"Sole01", "Luna01"});
    const std::string longest = "Sole: termine 49, da +273\xb0 a +279\xb0 dall'ASC, Mercurio  WWW";
    ReplaceTextFile(folder, TermTextsFile,
                    {"Sole01  " + std::string(13, ' ') + longest, "Luna01  " + std::string(13, ' ') + "Luna"});
    RecordingDevice d;
    DrawState s = Paper();
    s.Scale = 5;
    s.FontBase = 16;
    s.BlackAndWhite = true;
    Canvas c{s, d};
    const Real rightEdge = 120;
    DrawTermsTable(c, folder, {50, 40}, rightEdge);
    const auto t = Texts(d);
    ASSERT_EQ(t.size(), 3u);
    const Font normal = FontForNumber(s, 2);
    const RecordedShape& fitted = *t[1];
    EXPECT_LT(fitted.FontUsed.Height, normal.Height);
    EXPECT_EQ(fitted.FontUsed.Face, normal.Face);
    EXPECT_EQ(fitted.TextColour, Colours::Black);  // black and white on paper
    const double left = fitted.Points[0][0].X;
    EXPECT_EQ(left, MapX(s, 54));
    EXPECT_LE(left + double(ArialTextWidth(fitted.Text, fitted.FontUsed.Height)), MapX(s, rightEdge));
    EXPECT_GT(left + double(ArialTextWidth(fitted.Text, fitted.FontUsed.Height + 1)),
              MapX(s, rightEdge));  // as large as fits
    // Centred on the row it would have had.
    EXPECT_EQ(fitted.Points[0][0].Y, MapY(s, 40 - 2.6L) + (normal.Height - fitted.FontUsed.Height) / 2);
    EXPECT_EQ(t[2]->FontUsed, normal);  // a short text keeps its font
}

TEST(SheetTables, LongitudesDodecatemoriaLatitudesRows) {
    RecordingDevice d;
    const DrawState s = Paper();
    Canvas c{s, d};
    const ChartData chart = TableChart();
    DrawLongitudesTable(c, chart, {18, 115});
    auto t = Texts(d);
    ASSERT_EQ(t.size(), 1u + 22);
    EXPECT_EQ(t[0]->Text, "LONGITUDINI");
    EXPECT_EQ(t[2]->Text, "(31°,75)");
    EXPECT_EQ(t[2]->Points[0][0], (DevicePoint{23, 116}));  // (Y0 + 1.5, X0 + 5)
    EXPECT_EQ(t[2]->FontUsed.Height, 900 / 38);

    d.Clear();
    DrawRelativeLongitudesTable(c, chart, {165, 210});
    t = Texts(d);
    ASSERT_EQ(t.size(), 12u);
    EXPECT_EQ(t[5]->Points[0][0].X, 165 + 55 + 5);  // Mars heads the second column
    EXPECT_EQ(t[5]->Points[0][0].Y, 208);           // round(210 - 2.5) = 208 (ties to even)

    d.Clear();
    DrawDodecatemoriaTable(c, chart, {115, 275});
    EXPECT_EQ(Texts(d).size(), 12u);
    d.Clear();
    DrawLatitudesTable(c, chart, {205, 219});
    EXPECT_EQ(Texts(d).size(), 8u);
}

TEST(SphericalDistances, OneCellPerPairWithMarksAndColouredDistances) {
    ChartData chart;
    for (int b = 1; b <= 11; ++b) chart.Longitude[size_t(b)] = std::fmod(7.0L * b * b, 360.0L);  // spread out
    chart.Longitude[2] = chart.Longitude[1] + 120;                                               // Sun-Moon trine
    AspectOrbs orbs;
    orbs.fill(3);
    RecordingDevice d;
    const DrawState s = Paper();
    Canvas c{s, d};
    DrawSphericalDistanceTable(c, chart, orbs, {15, 202});
    int cells = 0, aqua = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape == Kind::Rectangle) ++cells;
        if (shape.Shape == Kind::Line && shape.PenUsed.Rgb == Colours::Cyan) ++aqua;
    }
    EXPECT_EQ(cells, 9 * 10 - 36);  // rows 1..9 against columns up to 11, above the diagonal
    EXPECT_GE(aqua, 1);
    // The Sun-Moon cell (first row, first column) shows "120.0" in aqua, whole over decimals.
    const auto t = Texts(d);
    bool found = false;
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if (t[i]->Text == "120" && t[i + 1]->Text == ".0" && t[i]->Points[0][0].X == RoundHalfEven(15 + 6 + 2.5L)) {
            found = true;
            EXPECT_EQ(t[i]->TextColour, Colours::Cyan);
            EXPECT_EQ(t[i]->Points[0][0].Y, RoundHalfEven(202 + 5 + 4.5L + 0.4L));
        }
    EXPECT_TRUE(found);

    // The sheets give their smaller title less room: the whole grid moves up by the difference.
    d.Clear();
    DrawSphericalDistanceTable(c, chart, orbs, {15, 202}, 5.5L, 4.5L);
    for (const auto* text : Texts(d)) {
        if (text->Text == "120") {
            EXPECT_EQ(text->Points[0][0].Y, RoundHalfEven(202 + 4.5L + 4.5L + 0.4L));
        }
    }
}

TEST(SheetStructure, FramesLabelsAndJoinedReceptions) {
    RecordingDevice d;
    const DrawState s = Paper();
    Canvas c{s, d};
    ArchetypalStructure none;
    DrawSheetStructure(c, none, {25, 315});
    ASSERT_EQ(Texts(d).size(), 2u);
    EXPECT_EQ(Texts(d)[1]->Text, "Nessuna Debilità né Dignità Planetaria");

    ArchetypalStructure structure;
    StructureRow domicile;
    domicile.Root = 1, domicile.Code = Domicile;
    domicile.Slots[0] = {1, 1, 0};
    domicile.Slots[1] = {5, 2, 1};
    StructureRow first, second;
    first.Root = 2, first.Code = second.Code = Reception, first.Mark = second.Mark = FirstPairMark;
    second.Root = 4;
    first.Slots[0] = {2, 1, 0};
    second.Slots[0] = {4, 1, 0};
    structure.Rows = {domicile, first, second};
    d.Clear();
    DrawSheetStructure(c, structure, {25, 315});
    std::vector<const RecordedShape*> frames;
    int bridges = 0;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape == Kind::Rectangle && !shape.BrushUsed) frames.push_back(&shape);
        if (shape.Shape == Kind::Rectangle && shape.BrushUsed == Brush(Colours::White)) ++bridges;
    }
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0]->PenUsed.Rgb, Colours::Cyan);
    EXPECT_EQ(frames[0]->Box, (DeviceRect{17, 303, 29, 319}));  // two planets: Y0 - 14 + 2 .. Y0 + 4
    EXPECT_EQ(frames[1]->PenUsed.Rgb, (Colour{255, 128, 64}));
    EXPECT_EQ(bridges, 1);  // only the two rows of the same reception are joined
    const auto t = Texts(d);
    bool scamb = false, abbreviation = false;
    for (const auto* text : t) {
        scamb |= text->Text == "Scamb";
        abbreviation |= text->Text == "sol";
    }
    EXPECT_TRUE(scamb);
    EXPECT_TRUE(abbreviation);
}

TEST(SheetTables, APictureWithItsOwnTextColourDoesNotRecolourTheRows) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("florimant_table_pictures_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "Simboli");
    for (int b = 1; b <= 11; ++b) {
        EmfDevice emf(50, 50);
        emf.SetFont({"Arial", 10, false, 400, 0});
        emf.SetTextColour(Colours::Magenta);
        emf.Text({1, 1}, "x", TextAlign::Left);
        char name[32];
        std::snprintf(name, sizeof name, "PiaX%02d.emf", b <= 7 ? b : b == 8 ? 11 : b == 9 ? 13 : b == 10 ? 14 : 15);
        emf.Save(dir / "Simboli" / name);
    }
    const ProgramFolder folder(dir);
    RecordingDevice d(true);
    const DrawState s = Paper();
    Canvas c{s, d, &folder};
    DrawLatitudesTable(c, TableChart(), {205, 219});
    int rows = 0;
    for (const auto& shape : d.Shapes())
        if (shape.Shape == Kind::Text && shape.Text != "x" && shape.Text != "LATITUDINI") {
            ++rows;
            EXPECT_EQ(shape.TextColour, Colours::Black);
        }
    EXPECT_EQ(rows, 7);
}

TEST(EclipticGrid, GlyphAndDeviationInTheCellOfAnAspect) {
    ChartData chart;
    for (int b = 1; b <= 11; ++b) chart.Longitude[size_t(b)] = 200 + 1.0L * b;  // all within a few degrees
    chart.Longitude[1] = 10;
    chart.Longitude[2] = 133;  // Sun-Moon trine, 3 degrees wide of exact
    AspectOrbs orbs{};
    orbs[size_t(AspectKind::Trigono)] = 8;
    RecordingDevice d;
    const DrawState s = Paper();
    Canvas c{s, d};
    DrawEclipticGrid(c, chart, orbs, {100, 20});
    const auto t = Texts(d);
    int deviations = 0;
    for (const auto* text : t) deviations += text->Text == "03";
    EXPECT_EQ(deviations, 1);
    int cells = 0, blueStrokes = 0;
    for (const auto& shape : d.Shapes()) {
        cells += shape.Shape == Kind::Rectangle;
        blueStrokes += shape.Shape == Kind::Line && shape.PenUsed.Rgb == Colours::Blue;  // the trine's glyph
    }
    EXPECT_EQ(cells, 54);
    EXPECT_EQ(blueStrokes, 3);
    EXPECT_EQ(AspectGlyph(AspectKind::Opposizione), 5);
    EXPECT_EQ(AspectGlyph(AspectKind::Decile), 0);
}
