#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

extern "C" {
#include <uemf.h>
}

#include "common/data_file_error.hpp"
#include "drawing/emf_device.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/recording_device.hpp"

using namespace florimant;
using Kind = RecordedShape::Kind;

namespace {

// One of every shape, with changes of pen, brush, font and text colour in between.
void DrawSample(Device& d) {
    d.SetPen({Colours::Red, 3, PenStyle::Solid});
    d.SetBrush(Colours::Yellow);
    d.Line({10, 20}, {110, 20});
    const std::vector<DevicePoint> zig{{10, 30}, {40, 60}, {70, 30}, {100, 60}};
    d.Polyline(zig);
    d.SetPen({Colour{69, 69, 69}, 0, PenStyle::Dashed});
    const std::vector<std::vector<DevicePoint>> ring{{{200, 200}, {300, 200}, {300, 300}, {200, 300}},
                                                     {{220, 220}, {280, 220}, {280, 280}, {220, 280}}};
    d.Polygons(ring, FillRule::Alternate);
    d.SetBrush(std::nullopt);
    d.Polygon(std::vector<DevicePoint>{{5, 5}, {15, 5}, {10, 15}}, FillRule::Winding);
    d.SetBrush(Colours::Blue);
    d.Ellipse({400, 100, 500, 160});
    d.Rectangle({50, 400, 150, 450});
    d.SetFont({"Arial", 24, true, 10, 0});
    d.SetTextColour(Colours::Cyan);
    d.Text({300, 500}, "Ariete 12°34' è", TextAlign::Centre);
    d.SetFont({"Courier", 18, false, 700, 0});
    d.Text({600, 500}, "XII", TextAlign::Right);
    d.Text({600, 550}, "AS", TextAlign::Left);
}

RecordingDevice Replay(const std::vector<uint8_t>& bytes, const DeviceRect& box, std::string name = "prova.emf") {
    RecordingDevice out;
    PlayMetafile({std::move(name), bytes}, out, box);
    return out;
}

}  // namespace

TEST(EmfRoundTrip, PlaysBackWhatWasDrawn) {
    EmfDevice emf(800, 600);
    DrawSample(emf);
    RecordingDevice direct;
    DrawSample(direct);
    const RecordingDevice played = Replay(emf.Finish(), {0, 0, 800, 600});

    ASSERT_EQ(played.Shapes().size(), direct.Shapes().size());
    for (size_t i = 0; i < direct.Shapes().size(); ++i) {
        SCOPED_TRACE(i);
        const RecordedShape &a = direct.Shapes()[i], &b = played.Shapes()[i];
        // A line comes back as the two-point outline it is in the file.
        if (a.Shape == Kind::Line) {
            EXPECT_TRUE(b.Shape == Kind::Line || b.Shape == Kind::Polyline);
        } else {
            EXPECT_EQ(int(a.Shape), int(b.Shape));
        }
        EXPECT_EQ(a.Points, b.Points);
        if (a.Shape != Kind::Text) {
            EXPECT_EQ(a.PenUsed, b.PenUsed);
        }
        if (a.Shape == Kind::Polygons || a.Shape == Kind::Ellipse || a.Shape == Kind::Rectangle) {
            EXPECT_EQ(a.BrushUsed, b.BrushUsed);
            EXPECT_EQ(a.Box, b.Box);
            EXPECT_EQ(int(a.Rule), int(b.Rule));
        }
        if (a.Shape == Kind::Text) {
            EXPECT_EQ(a.Text, b.Text);
            EXPECT_EQ(int(a.Align), int(b.Align));
            EXPECT_EQ(a.FontUsed, b.FontUsed);
            EXPECT_EQ(a.TextColour, b.TextColour);
        }
    }
}

TEST(EmfRoundTrip, StretchesTheFrameIntoTheBox) {
    EmfDevice emf(100, 50);
    emf.SetPen({Colours::Black, 2, PenStyle::Solid});
    emf.Line({0, 0}, {100, 50});
    emf.SetFont({"Arial", 10, false, 400, 0});
    emf.Text({50, 10}, "x", TextAlign::Left);
    const RecordingDevice played = Replay(emf.Finish(), {1000, 2000, 1200, 2200});
    ASSERT_EQ(played.Shapes().size(), 2u);
    EXPECT_EQ(played.Shapes()[0].Points[0], (std::vector<DevicePoint>{{1000, 2000}, {1200, 2200}}));
    EXPECT_EQ(played.Shapes()[0].PenUsed.Width, 6);  // width grows with the mean of both stretches
    EXPECT_EQ(played.Shapes()[1].Points[0][0], (DevicePoint{1100, 2040}));
    EXPECT_EQ(played.Shapes()[1].FontUsed.Height, 28);
}

TEST(EmfRoundTrip, HeaderCountsRecordsAndBytes) {
    EmfDevice emf(300, 200, 300);
    emf.Line({1, 1}, {2, 2});
    const std::vector<uint8_t> bytes = emf.Finish();
    const MetafileHeader h = ReadMetafileHeader({"a.emf", bytes});
    EXPECT_EQ(h.Bytes, bytes.size());
    EXPECT_EQ(h.DeviceWidth, 300);
    EXPECT_EQ(h.DeviceWidthMm, 25);
    EXPECT_EQ(h.FrameRight, 2500);
    uint32_t lastType;
    std::memcpy(&lastType, bytes.data() + bytes.size() - 20, 4);
    EXPECT_EQ(lastType, 14u);
}

namespace {

// A metafile put together record by record, as other drawing programs write them.
struct Builder {
    std::vector<uint8_t> Bytes;
    void Add(char* record) {
        uint32_t size;
        std::memcpy(&size, record + 4, 4);
        Bytes.insert(Bytes.end(), record, record + size);
        std::free(record);
    }
    Builder(int32_t width = 1000, int32_t height = 1000) {
        const U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(width, height));
        // 10 units per millimetre, frame = bounds
        const U_RECTL frame = rectl_set(point32_set(0, 0), point32_set(width * 10, height * 10));
        Add(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(1000, 1000), sizel_set(100, 100), 0));
    }
    std::vector<uint8_t> Finish() {
        Add(U_EMRMOVETOEX_set(point32_set(0, 0)));  // placeholder to make EOF follow something harmless
        const uint32_t eof[5] = {14, 20, 0, 16, 20};
        const size_t at = Bytes.size();
        Bytes.resize(at + 20);
        std::memcpy(Bytes.data() + at, eof, 20);
        return Bytes;
    }
};

}  // namespace

TEST(EmfPlayer, SmallPointsBeziersStockObjectsAndTransforms) {
    Builder b;
    b.Add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    b.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(100, 100)));
    b.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(1000, 1000)));
    b.Add(U_EMRSELECTOBJECT_set(U_WHITE_PEN));
    const U_POINT16 line[3] = {{1, 2}, {3, 4}, {5, 6}};
    b.Add(U_EMRPOLYLINE16_set(rectl_set(point32_set(0, 0), point32_set(5, 6)), 3, line));
    b.Add(U_EMRSELECTOBJECT_set(U_BLACK_BRUSH));
    b.Add(U_EMRPOLYGON16_set(rectl_set(point32_set(0, 0), point32_set(5, 6)), 3, line));
    const U_POINTL bez[4] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
    b.Add(U_EMRPOLYBEZIER_set(rectl_set(point32_set(0, 0), point32_set(10, 10)), 4, bez));
    // The world transform moves everything 5 units right.
    b.Add(U_EMRSETWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 5, 0)));
    b.Add(U_EMRRECTANGLE_set(rectl_set(point32_set(0, 0), point32_set(10, 10))));
    b.Add(U_EMRMODIFYWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 0, 0), U_MWT_IDENTITY));
    b.Add(U_EMRELLIPSE_set(rectl_set(point32_set(0, 0), point32_set(10, 10))));
    const RecordingDevice d = Replay(b.Finish(), {0, 0, 1000, 1000});

    ASSERT_EQ(d.Shapes().size(), 5u);
    EXPECT_EQ(d.Shapes()[0].Shape, Kind::Polyline);
    EXPECT_EQ(d.Shapes()[0].Points[0], (std::vector<DevicePoint>{{10, 20}, {30, 40}, {50, 60}}));
    EXPECT_EQ(d.Shapes()[0].PenUsed.Rgb, Colours::White);
    EXPECT_EQ(d.Shapes()[1].Shape, Kind::Polygons);
    EXPECT_EQ(d.Shapes()[1].BrushUsed, Brush(Colours::Black));
    const auto& curve = d.Shapes()[2].Points[0];
    ASSERT_EQ(curve.size(), 13u);
    EXPECT_EQ(curve.back(), (DevicePoint{100, 0}));
    EXPECT_NEAR(curve[6].Y, 75, 1e-9);  // the middle of this cubic is at 3/4 of the control height
    EXPECT_EQ(d.Shapes()[3].Box, (DeviceRect{50, 0, 150, 100}));
    EXPECT_EQ(d.Shapes()[4].Box, (DeviceRect{0, 0, 100, 100}));
}

TEST(EmfPlayer, PathsFillWithTheirHolesAndSkipUnknownRecords) {
    Builder b;
    b.Add(U_EMRSETPOLYFILLMODE_set(U_WINDING));
    b.Add(U_EMRCREATEBRUSHINDIRECT_set(1, logbrush_set(U_BS_SOLID, colorref3_set(10, 20, 30), 0)));
    b.Add(U_EMRSELECTOBJECT_set(1));
    b.Add(U_EMRDELETEOBJECT_set(1));  // a deleted selected brush keeps painting until replaced
    b.Add(U_EMRSETPIXELV_set(point32_set(1, 1), colorref3_set(0, 0, 0)));  // not drawn
    b.Add(U_EMRBEGINPATH_set());
    b.Add(U_EMRMOVETOEX_set(point32_set(0, 0)));
    b.Add(U_EMRLINETO_set(point32_set(100, 0)));
    b.Add(U_EMRLINETO_set(point32_set(100, 100)));
    b.Add(U_EMRCLOSEFIGURE_set());
    b.Add(U_EMRMOVETOEX_set(point32_set(20, 20)));
    b.Add(U_EMRLINETO_set(point32_set(40, 20)));
    b.Add(U_EMRLINETO_set(point32_set(40, 40)));
    b.Add(U_EMRENDPATH_set());
    b.Add(U_EMRFILLPATH_set(rectl_set(point32_set(0, 0), point32_set(100, 100))));
    const RecordingDevice d = Replay(b.Finish(), {0, 0, 1000, 1000});
    ASSERT_EQ(d.Shapes().size(), 1u);
    const RecordedShape& s = d.Shapes()[0];
    EXPECT_EQ(s.Shape, Kind::Polygons);
    EXPECT_EQ(s.Points.size(), 2u);
    EXPECT_EQ(s.Points[0].size(), 4u);  // closed back to its start
    EXPECT_EQ(s.BrushUsed, Brush(Colour{10, 20, 30}));
    EXPECT_EQ(s.PenUsed.Style, PenStyle::None);
    EXPECT_EQ(int(s.Rule), int(FillRule::Winding));
}

TEST(EmfPlayer, DamagedFilesAreReportedByNameAtEveryCut) {
    EmfDevice emf(200, 200);
    DrawSample(emf);
    const std::vector<uint8_t> good = emf.Finish();
    // Every cut inside a record is reported; a cut between records just ends the picture early.
    int reported = 0;
    for (size_t n = 0; n < good.size(); n += 3) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + n);
        try {
            Replay(cut, {0, 0, 10, 10}, "Simboli\\PiaX01.emf");
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.file(), "Simboli\\PiaX01.emf");
            ++reported;
        }
    }
    EXPECT_GT(reported, 0);
}

TEST(EmfPlayer, LyingCountsAndSizesAreRejected) {
    EmfDevice emf(200, 200);
    emf.SetPen({Colours::Black, 1, PenStyle::Solid});
    emf.Polyline(std::vector<DevicePoint>{{0, 0}, {1, 1}, {2, 2}});
    std::vector<uint8_t> bytes = emf.Finish();
    // Find the polyline record and claim a huge point count.
    size_t at = 0;
    for (size_t o = 0; o + 8 <= bytes.size();) {
        uint32_t type, size;
        std::memcpy(&type, &bytes[o], 4);
        std::memcpy(&size, &bytes[o + 4], 4);
        if (type == U_EMR_POLYLINE) at = o;
        o += size;
    }
    ASSERT_NE(at, 0u);
    std::vector<uint8_t> bad = bytes;
    const uint32_t huge = 0x40000000;
    std::memcpy(&bad[at + 24], &huge, 4);
    EXPECT_THROW(Replay(bad, {0, 0, 10, 10}), DataFileError);
    bad = bytes;
    const uint32_t tooBig = 0x7FFFFFF0;
    std::memcpy(&bad[at + 4], &tooBig, 4);
    EXPECT_THROW(Replay(bad, {0, 0, 10, 10}), DataFileError);
    bad = bytes;
    bad[40] = 'X';  // signature
    EXPECT_THROW(Replay(bad, {0, 0, 10, 10}), DataFileError);
    EXPECT_THROW(Replay({}, {0, 0, 10, 10}), DataFileError);
}

TEST(EmfPlayer, MissingPictureFileIsADataFileError) {
    const auto dir = std::filesystem::temp_directory_path() / ("florimant_emf_missing_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    EXPECT_THROW(LoadMetafilePicture(ProgramFolder(dir), "Simboli\\PiaX99.emf"), DataFileError);
}
