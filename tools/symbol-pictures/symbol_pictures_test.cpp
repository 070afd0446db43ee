// The installation's symbol pictures: every name the drawing layer can ask for is there and plays
// back, the files are exactly what the generator makes from the committed outlines, and the
// outlines are exactly what it takes from the pinned font.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#ifdef SYMBOL_PICTURES_EMF2SVG
#include <emf2svg.h>
#include <QSvgRenderer>
#endif

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/primitives.hpp"
#include "drawing/recording_device.hpp"
#include "export/qt_device.hpp"
#include "symbol_catalogue.hpp"
#include "symbol_outlines.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

const fs::path Installation = FLORIMANT_INSTALLATION_DIR;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path FreshFolder(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Every picture name the drawing layer builds, in colour and black-and-white, on the window and
// on paper; the analysis window asks for Simboli\PiaXnn.emf and Zodiaco\SegMnn.emf by the same rule.
std::set<std::string> NamesTheProgramAsksFor() {
    std::set<std::string> names;
    for (bool bw : {false, true})
        for (DrawTarget target : {DrawTarget::Window, DrawTarget::Printer, DrawTarget::Metafile}) {
            DrawState s;
            s.BlackAndWhite = bw;
            s.Target = target;
            for (int body = 1; body <= 12; ++body) names.insert(SymbolPicturePath(s, SymbolFamily::Body, body));
            for (int sign = 1; sign <= 12; ++sign) names.insert(SymbolPicturePath(s, SymbolFamily::Sign, sign, "M"));
            for (int kind = 1; kind <= 7; ++kind) names.insert(SymbolPicturePath(s, SymbolFamily::Element, kind));
        }
    return names;
}

struct Played {
    std::set<std::tuple<int, int, int>> Colours;
    DeviceRect Extent{1e9, 1e9, -1e9, -1e9};
    size_t Contours = 0;
};

Played Play(const std::string& name, const DeviceRect& box) {
    const MetafilePicture picture = LoadMetafilePicture(ProgramFolder(Installation), name);
    RecordingDevice device;
    PlayMetafile(picture, device, box);
    Played p;
    for (const RecordedShape& shape : device.Shapes()) {
        EXPECT_EQ(shape.Shape, RecordedShape::Kind::Polygons) << name;
        EXPECT_EQ(shape.PenUsed.Style, PenStyle::None) << name;
        if (shape.BrushUsed) p.Colours.insert({shape.BrushUsed->Red, shape.BrushUsed->Green, shape.BrushUsed->Blue});
        for (const auto& contour : shape.Points) {
            ++p.Contours;
            for (const DevicePoint& q : contour) {
                p.Extent.Left = std::min(p.Extent.Left, q.X), p.Extent.Right = std::max(p.Extent.Right, q.X);
                p.Extent.Top = std::min(p.Extent.Top, q.Y), p.Extent.Bottom = std::max(p.Extent.Bottom, q.Y);
            }
        }
    }
    return p;
}

}  // namespace

TEST(SymbolPictures, EveryNameTheProgramAsksForIsInstalledAndPlaysCentredInItsBox) {
    const std::set<std::string> names = NamesTheProgramAsksFor();
    EXPECT_EQ(names.size(), size_t(3 * (12 + 12 + 7)));
    const DeviceRect box{100, 200, 300, 400};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(ProgramFolder(Installation).Exists(name));
        const Played p = Play(name, box);
        ASSERT_GT(p.Contours, 0u);
        ASSERT_EQ(p.Colours.size(), 1u);
        const auto [r, g, b] = *p.Colours.begin();
        const char variant = name[name.find_last_of('\\') + 5];  // after "PiaX", "SegM" or "ElXxx"
        if (name.find("\\El") == std::string::npos) {
            if (variant == 'B') {
                EXPECT_EQ(r + g + b, 3 * 255);
            } else if (variant == 'N') {
                EXPECT_EQ(r + g + b, 0);
            }
        }
        // The glyph fills most of the box and sits in its middle.
        const double w = p.Extent.Right - p.Extent.Left, h = p.Extent.Bottom - p.Extent.Top;
        EXPECT_GT(std::max(w, h), 0.8 * box.Width());
        EXPECT_LE(std::max(w, h), 0.9 * box.Width());
        EXPECT_NEAR((p.Extent.Left + p.Extent.Right) / 2, 200, 1.0);
        EXPECT_NEAR((p.Extent.Top + p.Extent.Bottom) / 2, 300, 1.0);
    }
}

TEST(SymbolPictures, VariantsAreColourWhiteOnTheWindowAndBlackOnPaper) {
    for (const symbols::SymbolEntry& e : symbols::Catalogue()) {
        SCOPED_TRACE(e.Key);
        const Played colour = Play(symbols::ProgramPath(e, symbols::Variant::Colour), {0, 0, 50, 50});
        const Played window = Play(symbols::ProgramPath(e, symbols::Variant::OnBlack), {0, 0, 50, 50});
        const Played paper = Play(symbols::ProgramPath(e, symbols::Variant::OnWhite), {0, 0, 50, 50});
        EXPECT_EQ(colour.Colours, (std::set<std::tuple<int, int, int>>{{e.Rgb.Red, e.Rgb.Green, e.Rgb.Blue}}));
        EXPECT_EQ(window.Colours, (std::set<std::tuple<int, int, int>>{{255, 255, 255}}));
        EXPECT_EQ(paper.Colours, (std::set<std::tuple<int, int, int>>{{0, 0, 0}}));
        EXPECT_EQ(colour.Contours, window.Contours);
        EXPECT_EQ(colour.Contours, paper.Contours);
        // A colour picture must show on the black window and on white paper alike.
        const int light = std::max({e.Rgb.Red, e.Rgb.Green, e.Rgb.Blue}),
                  dark = std::min({e.Rgb.Red, e.Rgb.Green, e.Rgb.Blue});
        EXPECT_GE(light, 120);
        EXPECT_LE(dark, 180);
    }
}

TEST(SymbolPictures, TheFoldersHoldExactlyTheCataloguedPictures) {
    std::set<std::string> expected, found;
    for (const symbols::SymbolEntry& e : symbols::Catalogue())
        for (symbols::Variant v : symbols::AllVariants) expected.insert(symbols::ProgramPath(e, v));
    EXPECT_EQ(expected.size(), symbols::Catalogue().size() * 3);
    for (const char* folder : {"Simboli", "Zodiaco"})
        for (const auto& entry : fs::directory_iterator(Installation / folder))
            found.insert(std::string(folder) + "\\" + entry.path().filename().string());
    EXPECT_EQ(found, expected);
    for (const std::string& name : NamesTheProgramAsksFor()) EXPECT_TRUE(expected.count(name)) << name;
}

TEST(SymbolPictures, RegeneratingFromTheCommittedOutlinesGivesTheCommittedFiles) {
    const fs::path dir = FreshFolder("florimant_symbol_pictures");
    const int written = symbols::WritePictures(symbols::ReadOutlineTable(SYMBOL_OUTLINES), dir);
    EXPECT_EQ(written, int(symbols::Catalogue().size() * 3));
    for (const symbols::SymbolEntry& e : symbols::Catalogue())
        for (symbols::Variant v : symbols::AllVariants) {
            std::string name = symbols::ProgramPath(e, v);
            name[e.Folder.size()] = '/';
            EXPECT_EQ(Contents(dir / name), Contents(Installation / name)) << name;
        }
    fs::remove_all(dir);
}

TEST(SymbolPictures, TheOutlinesComeFromThePinnedFont) {
    if (symbols::FileSha256(symbols::PinnedFontFile) != symbols::PinnedFontSha256)
        GTEST_SKIP() << "the installed DejaVu Sans is not the pinned file";
    const symbols::OutlineTable table = symbols::ExtractOutlines(symbols::PinnedFontFile);
    const std::string text = symbols::FormatOutlineTable(table, symbols::OutlineTableHeader(symbols::PinnedFontFile));
    EXPECT_TRUE(text == Contents(SYMBOL_OUTLINES)) << "outlines.txt is not what `symbol-pictures outlines` writes";
    // Reading the table back gives the same contours.
    EXPECT_EQ(symbols::ParseOutlineTable(text, "outlines.txt").size(), symbols::Catalogue().size());
}

// Some readers fill by the non-zero rule whatever the picture asks (libemf2svg writes no fill
// rule): holes such as the Sun's ring must stay open for them too.
TEST(SymbolPictures, TheGlyphsFillTheSameByEitherFillRule) {
    const symbols::OutlineTable table = symbols::ReadOutlineTable(SYMBOL_OUTLINES);
    auto render = [](const std::vector<symbols::Contour>& contours, Qt::FillRule rule) {
        QImage image(250, 250, QImage::Format_Grayscale8);
        image.fill(255);
        QPainter painter(&image);
        QPainterPath path;
        path.setFillRule(rule);
        for (const auto& c : contours) {
            QPolygonF polygon;
            for (const DevicePoint& p : c) polygon << QPointF(p.X / 4, p.Y / 4);
            polygon << polygon.first();
            path.addPolygon(polygon);
        }
        painter.fillPath(path, Qt::black);
        return image;
    };
    for (const auto& [key, contours] : table) {
        SCOPED_TRACE(key);
        const QImage evenOdd = render(contours, Qt::OddEvenFill), nonZero = render(contours, Qt::WindingFill);
        int differing = 0;
        for (int y = 0; y < 250; ++y)
            for (int x = 0; x < 250; ++x) differing += evenOdd.pixelColor(x, y) != nonZero.pixelColor(x, y);
        EXPECT_EQ(differing, 0);
    }
    // The Sun keeps the open ring between its rim and its dot.
    const QImage sun = render(table.at("PiaX01"), Qt::WindingFill);
    EXPECT_EQ(sun.pixelColor(125, 125), QColor(Qt::black));
    EXPECT_EQ(sun.pixelColor(125, 80), QColor(Qt::white));
}

#ifdef SYMBOL_PICTURES_EMF2SVG
// Pictures saved from the sheets go to other programs: an independent reader (libemf2svg) must
// paint every picture as our own player does.
TEST(SymbolPictures, AnIndependentReaderPaintsThePicturesAsWeDo) {
    constexpr int Side = 120;
    for (const symbols::SymbolEntry& e : symbols::Catalogue()) {
        SCOPED_TRACE(e.Key);
        const MetafilePicture picture =
            LoadMetafilePicture(ProgramFolder(Installation), symbols::ProgramPath(e, symbols::Variant::Colour));
        std::vector<uint8_t> bytes = picture.Bytes;
        generatorOptions options{};
        options.nameSpace = const_cast<char*>("svg");
        options.svgDelimiter = true;
        options.imgWidth = Side;
        options.imgHeight = Side;
        char* svg = nullptr;
        size_t length = 0;
        ASSERT_NE(emf2svg(reinterpret_cast<char*>(bytes.data()), bytes.size(), &svg, &length, &options), 0);
        const QByteArray svgText(svg, qsizetype(length));
        std::free(svg);
        QImage theirs(Side, Side, QImage::Format_RGB32), ours(Side, Side, QImage::Format_RGB32);
        theirs.fill(Qt::white), ours.fill(Qt::white);
        {
            QSvgRenderer renderer(svgText);
            ASSERT_TRUE(renderer.isValid());
            QPainter painter(&theirs);
            renderer.render(&painter, QRectF(0, 0, Side, Side));
        }
        {
            QPainter painter(&ours);
            QtDevice device(painter);
            device.Picture(picture, {0, 0, Side, Side});
        }
        // The reader scales the page a little differently, so the glyph is compared by its ink in
        // the glyph's colour (a hole filled by the wrong rule or a lost contour changes it a lot)
        // and by where that ink is.
        struct Ink {
            double Count = 0, X = 0, Y = 0;
        };
        auto ink = [&](const QImage& image) {
            Ink k;
            for (int y = 0; y < Side; ++y)
                for (int x = 0; x < Side; ++x)
                    if (image.pixelColor(x, y) == QColor(e.Rgb.Red, e.Rgb.Green, e.Rgb.Blue))
                        ++k.Count, k.X += x, k.Y += y;
            if (k.Count > 0) k.X /= k.Count, k.Y /= k.Count;
            return k;
        };
        const Ink a = ink(ours), b = ink(theirs);
        EXPECT_GT(a.Count, Side * Side / 20);
        EXPECT_NEAR(b.Count / a.Count, 1.0, 0.25);
        EXPECT_NEAR(a.X, b.X, 3.0);
        EXPECT_NEAR(a.Y, b.Y, 3.0);
    }
}
#endif

TEST(SymbolPictures, AMalformedOutlineTableIsRefusedWithTheLineNamed) {
    const char* bad[] = {
        "c 1 2 3 4 5 6\n",                   // a contour before any glyph
        "glyph PiaX01\nc 1 2 3 4 5\n",       // odd number of coordinates
        "glyph PiaX01\nc 1 2 3 4\n",         // fewer than three points
        "glyph PiaX01\nc 1 2 3 4 5 1001\n",  // outside the picture
        "glyph PiaX01\nc 1 2 3 4 5 -6\n",    // negative
        "glyph PiaX01\nc 1 2 3 x4 5 6\n",    // not a number
        "glyph PiaX01\nglyph PiaX01\n",      // repeated name
        "glyph\n",                           // no name
        "glyph PiaX01\nz 1 2\n",             // unknown line
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        try {
            symbols::ParseOutlineTable(text, "outlines.txt");
            ADD_FAILURE() << "accepted";
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.file(), "outlines.txt");
            EXPECT_NE(e.fault().find("riga "), std::string::npos);
        }
    }
    // A table without an entry's outline writes nothing for it and says which.
    const fs::path dir = FreshFolder("florimant_symbol_pictures_partial");
    symbols::OutlineTable partial = symbols::ParseOutlineTable("# only the Sun\nglyph PiaX01\nc 1 2 3 4 5 6\n", "t");
    EXPECT_THROW(symbols::WritePictures(partial, dir), DataFileError);
    fs::remove_all(dir);
    EXPECT_THROW(symbols::ReadOutlineTable(dir / "missing.txt"), DataFileError);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
