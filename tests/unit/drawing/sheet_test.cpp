#include "drawing/sheet.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "archive/chart_of_subject.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "drawing/emf_device.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/recording_device.hpp"
#include "linked_installation.hpp"

using namespace florimant;

namespace {

ChartData Chart() {
    ChartData chart;
    chart.SubjectName = "ROSSI ANNA";
    chart.BirthDateText = "12/03/1975 08:30";
    chart.ZoneText = "+1";
    chart.CorrectionHours = -1;
    chart.JulianDayUT = 2442483.8125L;  // Wednesday 12 March 1975, 07:30 UT
    chart.CalendarFlag = 1;
    chart.HouseSystem = "CASE_MEDIE";
    for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = 29.5L * i;
    for (int k = 1; k <= 12; ++k) chart.HouseCusps[size_t(k)] = 30 * (k - 1) + 5;
    chart.RetroFlags.fill(' ');
    return chart;
}

std::filesystem::path Folder(const char* name, bool withTermTexts) { return LinkedInstallation(name, withTermTexts); }

// The chart of the installation's current subject.
ChartData DemoChart(const std::filesystem::path& dir) {
    ChartData chart;
    SubjectSummary summary;
    ComputeChart(ProgramFolder(dir), {}, chart, summary);
    return chart;
}

SheetInputs InputsOf(const ChartData& chart) {
    SheetInputs inputs;
    inputs.Chart = &chart;
    inputs.Orbs.fill(6);
    return inputs;
}

}  // namespace

TEST(Sheet, BirthLineNamesTheLocalWeekdayAndTheJulianCalendar) {
    ChartData chart = Chart();
    EXPECT_EQ(SheetBirthLine(chart), "NASCITA Mercoledì 12/03/1975 08:30 (GMT+1)");
    chart.CalendarFlag = 0;
    EXPECT_EQ(SheetBirthLine(chart), "NASCITA Mercoledì 12/03/1975 08:30 (GMT+1) Calend. Giuliano");
}

TEST(Sheet, WritesTheKeysAndPutsTheZoomBack) {
    const auto dir = Folder("florimant_sheet_keys", true);
    const ChartData chart = DemoChart(dir);
    const SheetInputs inputs = InputsOf(chart);
    DrawState state;
    state.Target = DrawTarget::Printer;
    state.Scale = 4;
    state.Zoom = 1.5;
    RecordingDevice d;
    DrawSheet(state, d, ProgramFolder(dir), inputs, SheetLayoutKind::Landscape);
    EXPECT_EQ(state.Zoom, 1.5L);
    EXPECT_EQ(ReadTextLines(ProgramFolder(dir), "OpzioneT\\PosiPian.txt").size(), 18u);
    bool title = false, note = false, masters = false;
    for (const auto& s : d.Shapes()) {
        title |= s.Text == "TEMA DI NASCITA";
        note |= s.Text == "che coinvolgono i Nodi Lunari";
        masters |= s.Text.rfind("Giorno Planetario: ", 0) == 0;
    }
    EXPECT_TRUE(title);
    EXPECT_TRUE(note);
    EXPECT_TRUE(masters);
}

TEST(Sheet, AMissingTermTextFileStopsTheDrawingButNotTheZoom) {
    const auto dir = Folder("florimant_sheet_missing", false);
    const ChartData chart = Chart();
    SheetInputs inputs;
    inputs.Chart = &chart;
    DrawState state;
    state.Zoom = 2;
    RecordingDevice d;
    EXPECT_THROW(DrawSheet(state, d, ProgramFolder(dir), inputs, SheetLayoutKind::Portrait), DataFileError);
    EXPECT_EQ(state.Zoom, 2);
}

TEST(Sheet, ExportedAsAMetafileItPlaysBackAsDrawn) {
    const auto dir = Folder("florimant_sheet_emf", true);
    const ChartData chart = DemoChart(dir);
    SheetInputs inputs = InputsOf(chart);
    inputs.AspectStyle = AspectLineStyle::Bands;
    DrawState state;
    state.Target = DrawTarget::Metafile;
    state.Scale = 4;
    state.FontBase = 15;
    // Symbol pictures go into the metafile as their own shapes: the direct drawing plays them too.
    RecordingDevice direct(true);
    DrawSheet(state, direct, ProgramFolder(dir), inputs, SheetLayoutKind::Portrait);
    EmfDevice emf(4 * 280, 4 * 410);
    DrawSheet(state, emf, ProgramFolder(dir), inputs, SheetLayoutKind::Portrait);
    RecordingDevice played;
    PlayMetafile({"GRAF01.EMF", emf.Finish()}, played, {0, 0, 4 * 280, 4 * 410});
    // Empty texts write nothing into the file, and a picture's own entry is only its name.
    std::vector<RecordedShape> drawn;
    for (const RecordedShape& shape : direct.Shapes())
        if ((shape.Shape != RecordedShape::Kind::Text || !shape.Text.empty()) &&
            shape.Shape != RecordedShape::Kind::Picture)
            drawn.push_back(shape);
    ASSERT_EQ(played.Shapes().size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(int(played.Shapes()[i].Shape == RecordedShape::Kind::Polyline ? RecordedShape::Kind::Line
                                                                                : played.Shapes()[i].Shape),
                  int(drawn[i].Shape == RecordedShape::Kind::Polyline ? RecordedShape::Kind::Line : drawn[i].Shape))
            << i;
        if (drawn[i].Shape != RecordedShape::Kind::Text) continue;
        EXPECT_EQ(played.Shapes()[i].Text, drawn[i].Text) << i;
        EXPECT_NEAR(played.Shapes()[i].Points[0][0].X, drawn[i].Points[0][0].X, 1e-6) << i;
        EXPECT_NEAR(played.Shapes()[i].Points[0][0].Y, drawn[i].Points[0][0].Y, 1e-6) << i;
    }
}

// The sheet window draws its sheet once and paints the recording at every pan: replayed, the
// recording makes the same calls as the drawing, symbol pictures included, without its files.
TEST(Sheet, ARecordingReplaysTheDrawingWithoutItsFiles) {
    const auto dir = Folder("florimant_sheet_replay", true);
    const ChartData chart = DemoChart(dir);
    const SheetInputs inputs = InputsOf(chart);
    DrawState state;
    state.Scale = 4;
    state.BlackAndWhite = true;
    RecordingDevice recorded(true);
    DrawSheet(state, recorded, ProgramFolder(dir), inputs, SheetLayoutKind::Portrait);
    std::vector<RecordedShape> drawn;
    size_t pictures = 0;
    for (const RecordedShape& s : recorded.Shapes())
        if (s.Shape != RecordedShape::Kind::Picture) drawn.push_back(s);
        else ++pictures;
    ASSERT_GT(pictures, 50u);
    // The pictures' own shapes are in the recording, at least one for each picture.
    RecordingDevice unplayed;
    DrawSheet(state, unplayed, ProgramFolder(dir), inputs, SheetLayoutKind::Portrait);
    ASSERT_GE(drawn.size() - (unplayed.Shapes().size() - pictures), pictures);

    std::filesystem::remove_all(dir);
    RecordingDevice replayed;
    ReplayShapes(recorded.Shapes(), replayed);
    ASSERT_EQ(replayed.Shapes().size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
        const RecordedShape &a = drawn[i], &b = replayed.Shapes()[i];
        ASSERT_TRUE(a.Shape == b.Shape && a.Points == b.Points && a.Box == b.Box && a.Text == b.Text &&
                    a.Align == b.Align && a.Rule == b.Rule && a.StartDegrees == b.StartDegrees &&
                    a.SweepDegrees == b.SweepDegrees)
            << "shape " << i;
        ASSERT_TRUE(a.PenUsed == b.PenUsed && a.BrushUsed == b.BrushUsed && a.FontUsed == b.FontUsed &&
                    a.TextColour == b.TextColour)
            << "state of shape " << i;
    }
}
