#include "export/sheet_export.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QXmlStreamReader>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "archive/chart_of_subject.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/recording_device.hpp"
#include "linked_installation.hpp"

using namespace florimant;
namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Standard output of a command line, empty when it fails.
std::string Output(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
    return out;
}

// Every text element of an SVG file, joined.
std::string SvgTexts(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    std::string texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts += xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString() + "\n";
    return texts;
}

std::string EmfTexts(const fs::path& path) {
    const std::string bytes = ReadFile(path);
    const MetafilePicture picture{path.string(), std::vector<uint8_t>(bytes.begin(), bytes.end())};
    RecordingDevice device;
    PlayMetafile(picture, device, {0, 0, 1000, 1000});
    std::string texts;
    for (const RecordedShape& s : device.Shapes())
        if (s.Shape == RecordedShape::Kind::Text) texts += s.Text + "\n";
    return texts;
}

struct HookGuard {
    explicit HookGuard(FileOperationHook hook) { SetFileOperationHook(std::move(hook)); }
    ~HookGuard() { SetFileOperationHook(nullptr); }
};

constexpr const char* AllLandscape = "L\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\n";

// A program folder of the installation with an Emf folder of its own, and the demo subject's chart.
class SheetExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove(root_ / "Emf");
        fs::remove_all(out_);
        fs::create_directories(root_ / "Emf");
        fs::create_directories(out_);
        WriteFile(root_ / "Emf" / "TipGraf.Set", AllLandscape);
        SubjectSummary summary;
        ComputeChart(folder_, {}, chart_, summary);
        inputs_.Chart = &chart_;
        name_ = chart_.SubjectName.substr(0, chart_.SubjectName.find_last_not_of(' ') + 1);
        inputs_.Orbs.fill(6);
        inputs_.DateText = "09/12/2026";
        inputs_.OwnerText = "Studio Prova";
        // The window of a 768-pixel screen, zoomed and panned.
        window_.Scale = 768 / Real(210);
        window_.FontBase = Real(3.7) * window_.Scale;
        window_.Zoom = 0.5;
        window_.OffsetX = 192;
        window_.OffsetY = -40;
        window_.AxisCorrectionX = 1.1L;
    }
    void TearDown() override {
        fs::remove_all(root_);
        fs::remove_all(out_);
    }

    SheetExportResult Export(SheetFileKind kind, const fs::path& out, SheetLayoutKind layout, int dpi = 75) {
        SheetExportRequest request;
        request.Sheet.Layout = layout;
        request.Sheet.Aspects = AspectLineStyle::Bands;
        request.Kind = kind;
        request.Dpi = dpi;
        request.Out = out;
        return ExportSheet(folder_, window_, inputs_, request);
    }

    const fs::path root_ = LinkedInstallation("florimant_sheet_export");
    const fs::path out_ = root_.parent_path() / (root_.filename().string() + "_out");
    const ProgramFolder folder_{root_};
    ChartData chart_;
    std::string name_;  // the subject's name without the blanks of its field
    SheetInputs inputs_;
    DrawState window_;
};

TEST_F(SheetExportTest, PngIsThePrintedPageAtItsResolution) {
    for (const auto& [layout, dpi, width, height] : {std::tuple{SheetLayoutKind::Portrait, 150, 1240, 1754},
                                                     std::tuple{SheetLayoutKind::Landscape, 75, 877, 620}}) {
        const fs::path out = out_ / "sheet.png";
        const SheetExportResult drawn = Export(SheetFileKind::Png, out, layout, dpi);
        EXPECT_EQ(drawn.Width, width);
        EXPECT_EQ(drawn.Height, height);
        const QImage image(QString::fromStdString(out.string()));
        ASSERT_EQ(image.size(), QSize(width, height));
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, dpi, 0.5);
        int dark = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) dark += qGray(image.pixel(x, y)) < 128;
        // Texts, wheel and tables: a few percent of the page.
        EXPECT_GT(dark, width * height / 4 / 100) << dpi;
    }
}

TEST_F(SheetExportTest, PdfAndSvgHoldTheSheetsTexts) {
    const fs::path pdf = out_ / "sheet.pdf";
    const SheetExportResult page = Export(SheetFileKind::Pdf, pdf, SheetLayoutKind::Landscape, 300);
    EXPECT_NEAR(page.Width, 3508, 1);  // A4 at 300 dpi
    EXPECT_NEAR(page.Height, 2480, 1);
    EXPECT_THAT(Output("pdfinfo '" + pdf.string() + "'"), HasSubstr("842 x 595 pts (A4)"));
    const std::string text = Output("pdftotext '" + pdf.string() + "' -");
    EXPECT_THAT(text, HasSubstr(name_));
    EXPECT_THAT(text, HasSubstr("TEMA DI NASCITA"));
    EXPECT_THAT(text, HasSubstr("DOMIFICAZIONE: CASE MEDIE"));

    const fs::path svg = out_ / "sheet.svg";
    EXPECT_EQ(Export(SheetFileKind::Svg, svg, SheetLayoutKind::Portrait, 150).Height, 1754);
    EXPECT_THAT(ReadFile(svg), HasSubstr("viewBox=\"0 0 1240 1754\""));
    const std::string texts = SvgTexts(svg);
    EXPECT_THAT(texts, HasSubstr(name_));
    EXPECT_THAT(texts, HasSubstr("DOMIFICAZIONE: " + chart_.HouseSystem));
}

// The sheet picture is as wide as the page frame at the screen's scale and one or two screens high.
TEST_F(SheetExportTest, EmfIsTheSheetPictureAndRecordsTheSheetsOrientation) {
    const fs::path portrait = SheetPicturePath(folder_, "GRAF03.EMF");
    const SheetExportResult drawn = Export(SheetFileKind::Emf, portrait, SheetLayoutKind::Portrait);
    EXPECT_EQ(drawn.Width, 1024);
    EXPECT_EQ(drawn.Height, 2 * 768);
    const std::string bytes = ReadFile(portrait);
    const MetafileHeader header = ReadMetafileHeader({"GRAF03.EMF", std::vector<uint8_t>(bytes.begin(), bytes.end())});
    EXPECT_EQ(header.DeviceWidth, 1024);
    EXPECT_EQ(header.DeviceHeight, 1536);
    EXPECT_THAT(EmfTexts(portrait), HasSubstr("TEMA DI NASCITA"));
    EXPECT_THAT(EmfTexts(portrait), HasSubstr(name_));
    std::string expected = AllLandscape;
    expected[6] = 'P';
    EXPECT_EQ(ReadFile(root_ / "Emf" / "TipGraf.Set"), expected);

    EXPECT_EQ(Export(SheetFileKind::Emf, out_ / "GRAF04.EMF", SheetLayoutKind::Landscape).Height, 768);
    EXPECT_EQ(ReadFile(root_ / "Emf" / "TipGraf.Set"), expected) << "a picture elsewhere is not recorded";
}

TEST_F(SheetExportTest, RefusedPictureNamesWriteNothing) {
    const auto refusal = [&](const fs::path& out) {
        try {
            Export(SheetFileKind::Emf, out, SheetLayoutKind::Portrait);
        } catch (const SheetExportError& e) {
            EXPECT_FALSE(fs::exists(out));
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    for (const char* name : {"GRAF03.emf", "GRAF03.EMF.BAK", "GRAF01X.EMF", "XXXX01.EMF", "SHEET.EMF"})
        EXPECT_EQ(refusal(out_ / name), "File deve essere .EMF") << name;
    EXPECT_EQ(refusal(SheetPicturePath(folder_, "SHEET.EMF")), "File deve essere .EMF");
    EXPECT_EQ(refusal(SheetPicturePath(folder_, "GRAF16.EMF")), "File deve essere .EMF");
    EXPECT_THROW(Export(SheetFileKind::Png, out_ / "x.png", SheetLayoutKind::Portrait, 10), SheetExportError);
    EXPECT_EQ(ReadFile(root_ / "Emf" / "TipGraf.Set"), AllLandscape);

    fs::remove(root_ / "Emf" / "TipGraf.Set");
    EXPECT_THROW(Export(SheetFileKind::Emf, SheetPicturePath(folder_, "GRAF05.EMF"), SheetLayoutKind::Portrait),
                 DataFileError);
    EXPECT_FALSE(fs::exists(SheetPicturePath(folder_, "GRAF05.EMF")));
}

TEST_F(SheetExportTest, TheWindowsStateIsLeftAsItWas) {
    const DrawState before = window_;
    Export(SheetFileKind::Png, out_ / "zoomed.png", SheetLayoutKind::Portrait);
    Export(SheetFileKind::Emf, SheetPicturePath(folder_, "GRAF01.EMF"), SheetLayoutKind::Landscape);
    QImage page(200, 300, QImage::Format_RGB32);
    QPainter painter(&page);
    DrawSheetOn(painter, page.rect(), window_, folder_, inputs_, {});
    painter.end();
    const auto fields = [](const DrawState& d) {
        return std::tuple(d.Target, d.Zoom, d.OffsetX, d.OffsetY, d.Scale, d.FontBase, d.AxisCorrectionX,
                          d.AxisCorrectionY, d.BlackAndWhite, d.PrinterLandscape);
    };
    EXPECT_EQ(fields(window_), fields(before));

    // Nor does the window's zoom or pan reach the page.
    window_.Zoom = 1;
    window_.OffsetX = window_.OffsetY = 0;
    Export(SheetFileKind::Png, out_ / "plain.png", SheetLayoutKind::Portrait);
    EXPECT_EQ(ReadFile(out_ / "zoomed.png"), ReadFile(out_ / "plain.png"));
}

// The window prints through DrawSheetOn: a page anywhere on its device shows what the PNG shows.
TEST_F(SheetExportTest, DrawSheetOnPaintsThePngsPage) {
    Export(SheetFileKind::Png, out_ / "sheet.png", SheetLayoutKind::Landscape);
    const QImage png =
        QImage(QString::fromStdString((out_ / "sheet.png").string())).convertToFormat(QImage::Format_RGB32);
    QImage device(png.width() + 60, png.height() + 40, QImage::Format_RGB32);
    device.fill(Qt::white);
    QPainter painter(&device);
    SheetOptions sheet;
    sheet.Layout = SheetLayoutKind::Landscape;
    sheet.Aspects = AspectLineStyle::Bands;
    DrawSheetOn(painter, QRect(QPoint(60, 40), png.size()), window_, folder_, inputs_, sheet);
    painter.end();
    EXPECT_TRUE(device.copy(QRect(QPoint(60, 40), png.size())) == png);
}

// The window prints a recorded page: it paints what DrawSheetOn paints.
TEST_F(SheetExportTest, ARecordedPagePaintsWhatDrawSheetOnPaints) {
    SheetOptions sheet;
    sheet.Layout = SheetLayoutKind::Portrait;
    sheet.BlackAndWhite = true;
    const QRect page(30, 20, 620, 877);
    QImage direct(page.width() + 60, page.height() + 40, QImage::Format_RGB32);
    direct.fill(Qt::white);
    QImage replayed = direct;
    {
        QPainter painter(&direct);
        DrawSheetOn(painter, page, window_, folder_, inputs_, sheet);
    }
    {
        const auto shapes = RecordSheetPage(page.size(), window_, folder_, inputs_, sheet);
        QPainter painter(&replayed);
        PaintRecordedPage(painter, page, shapes);
    }
    EXPECT_TRUE(direct == replayed);
    // The recording read its files when it was made: a missing term text stops it there.
    fs::remove(root_ / "OpzioneT" / "SpgPianCan.Txt");
    EXPECT_THROW(RecordSheetPage(page.size(), window_, folder_, inputs_, sheet), DataFileError);
}

TEST_F(SheetExportTest, AnInterruptedExportLeavesTheOldPictureAndOrientation) {
    const fs::path picture = SheetPicturePath(folder_, "GRAF02.EMF");
    const fs::path png = out_ / "old.png";
    WriteFile(picture, "old picture");
    WriteFile(png, "old page");
    {
        HookGuard hook([&](std::string_view operation, const fs::path& path) {
            if (operation == "rename" && (path == picture || path == png)) throw std::runtime_error("interrotto");
        });
        EXPECT_THROW(Export(SheetFileKind::Emf, picture, SheetLayoutKind::Portrait), std::runtime_error);
        EXPECT_THROW(Export(SheetFileKind::Png, png, SheetLayoutKind::Portrait), std::runtime_error);
    }
    EXPECT_EQ(ReadFile(picture), "old picture");
    EXPECT_EQ(ReadFile(png), "old page");
    EXPECT_EQ(ReadFile(root_ / "Emf" / "TipGraf.Set"), AllLandscape);
}

TEST_F(SheetExportTest, AFailedWriteIsAnError) {
    WriteFile(out_ / "file", "not a folder");
    for (const auto& [kind, name] :
         {std::pair{SheetFileKind::Png, "a.png"}, std::pair{SheetFileKind::Pdf, "a.pdf"},
          std::pair{SheetFileKind::Svg, "a.svg"}, std::pair{SheetFileKind::Emf, "GRAF01.EMF"}})
        EXPECT_THROW(Export(kind, out_ / "file" / name, SheetLayoutKind::Portrait), DataFileError) << name;
}

}  // namespace
