// links: drawing export
// The chart sheet's wheel and the whole portrait sheet drawn onto each device: the recording
// device (drawing code alone), an EMF, a PNG at 150 dpi (and its encoding alone), PDF and SVG; and
// playback of the EMF. The landscape sheet on the same devices, the whole export of the sheet to a
// PNG and an EMF file, and the analysis window's standard chart on a screen-sized image.
#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <filesystem>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "drawing/analysis_views.hpp"
#include "drawing/emf_device.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/recording_device.hpp"
#include "drawing/sheet.hpp"
#include "drawing/sheet_support.hpp"
#include "drawing/wheel.hpp"
#include "export/qt_device.hpp"
#include "export/sheet_export.hpp"
#include "linked_installation.hpp"

using namespace florimant;

namespace {

ChartData SampleChart() {
    ChartData chart;
    const double longitudes[] = {0, 100, 102, 104, 200, 250, 300, 330, 40, 220, 15, 285};
    for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = longitudes[i];
    chart.RetroFlags.fill(' ');
    chart.RetroFlags[5] = 'r';
    for (int k = 1; k <= 12; ++k) chart.HouseCusps[size_t(k)] = 30 * k;
    chart.HouseSystem = "CASE_MEDIE";
    return chart;
}

// 150 dpi: 5.9 pixels per millimetre, the sheet unit.
void DrawWheel(Device& device, DrawTarget target, Real scale) {
    DrawState s;
    s.Target = target;
    s.Scale = scale;
    s.FontBase = 4 * scale;
    const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    Canvas c{s, device, &folder};
    static const ChartData chart = SampleChart();
    AspectOrbs orbs;
    orbs.fill(8);
    const WheelGeometry g = SheetWheel();
    const SheetPoint centre{g.CentreX, g.CentreY};
    DrawZodiacRing(c, chart, centre, g.R1, g.R2);
    DrawBodies(c, chart, centre, g.R3, g.R4, 7);
    DrawHouseRing(c, chart, centre, g.R5 - 3, g.R6 - 3);
    DrawAspectLines(c, chart, centre, g.R6 - 3, orbs, AspectLineStyle::Bands);
    DrawAngles(c, chart, centre, g.R1 + 5);
}

constexpr Real Dpi150 = 150 / 25.4L;

void BM_WheelRecording(benchmark::State& state) {
    for (auto _ : state) {
        RecordingDevice d;
        DrawWheel(d, DrawTarget::Printer, Dpi150);
        benchmark::DoNotOptimize(d.Shapes().size());
    }
}

void BM_WheelEmf(benchmark::State& state) {
    for (auto _ : state) {
        EmfDevice d(1650, 1240);
        DrawWheel(d, DrawTarget::Metafile, Dpi150);
        benchmark::DoNotOptimize(d.Finish().size());
    }
}

void BM_WheelPng150(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(1650, 1240, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtDevice d(painter);
        DrawWheel(d, DrawTarget::Printer, Dpi150);
        painter.end();
        benchmark::DoNotOptimize(EncodePng(image).size());
    }
}

void BM_WheelPdf(benchmark::State& state) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(150);
        QPainter painter(&pdf);
        QtDevice d(painter);
        DrawWheel(d, DrawTarget::Printer, Dpi150);
        painter.end();
        benchmark::DoNotOptimize(buffer.size());
    }
}

void BM_WheelSvg(benchmark::State& state) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(1650, 1240));
        QPainter painter(&svg);
        QtDevice d(painter);
        DrawWheel(d, DrawTarget::Printer, Dpi150);
        painter.end();
        benchmark::DoNotOptimize(buffer.size());
    }
}

void BM_PlayWheelEmfOntoImage(benchmark::State& state) {
    EmfDevice emf(1650, 1240);
    DrawWheel(emf, DrawTarget::Metafile, Dpi150);
    const MetafilePicture picture{"wheel.emf", emf.Finish()};
    for (auto _ : state) {
        QImage image(1650, 1240, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtDevice d(painter);
        PlayMetafile(picture, d, {0, 0, 1650, 1240});
    }
}

const ProgramFolder& SheetFolder() {
    static const ProgramFolder folder(LinkedInstallation("florimant_bench_sheet"));
    return folder;
}

const ChartData& DemoChart() {
    static const ChartData chart = [] {
        ChartData c;
        SubjectSummary summary;
        ComputeChart(SheetFolder(), {}, c, summary);
        return c;
    }();
    return chart;
}

const SheetInputs& DemoInputs() {
    static const SheetInputs inputs = [] {
        SheetInputs in;
        in.Chart = &DemoChart();
        in.Orbs.fill(6);
        in.DateText = "09/12/2026";
        return in;
    }();
    return inputs;
}

// A screen 1080 pixels high, as the window's state before a print or an export.
DrawState ScreenState() {
    DrawState state;
    state.Scale = 1080 / Real(210);
    state.FontBase = Real(3.7) * state.Scale;
    return state;
}

void DrawSheetOnto(Device& device, DrawTarget target, int pageWidth, SheetLayoutKind layout) {
    DrawState state;
    state.Target = target;
    const bool portrait = layout == SheetLayoutKind::Portrait;
    ApplyPrintScale(state, pageWidth, pageWidth * (portrait ? 297 : 210) / (portrait ? 210 : 297));
    DrawSheet(state, device, SheetFolder(), DemoInputs(), layout);
}

// The printed page as the window prints it and the PNG, PDF and SVG exports draw it.
void PaintSheet(QPainter& painter, const QRect& page, SheetLayoutKind layout) {
    SheetOptions sheet;
    sheet.Layout = layout;
    DrawSheetOn(painter, page, ScreenState(), SheetFolder(), DemoInputs(), sheet);
}

void DrawPortrait(Device& device, DrawTarget target, int pageWidth) {
    DrawSheetOnto(device, target, pageWidth, SheetLayoutKind::Portrait);
}

void BM_SheetRecording(benchmark::State& state) {
    for (auto _ : state) {
        RecordingDevice d;
        DrawPortrait(d, DrawTarget::Printer, 1240);
    }
}

void BM_SheetEmf(benchmark::State& state) {
    for (auto _ : state) {
        EmfDevice d(1240, 1754, 150);
        DrawPortrait(d, DrawTarget::Metafile, 1240);
        benchmark::DoNotOptimize(d.Finish().size());
    }
}

void BM_SheetPng150(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(1240, 1754, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintSheet(painter, image.rect(), SheetLayoutKind::Portrait);
        painter.end();
        benchmark::DoNotOptimize(EncodePng(image).size());
    }
}

// The PNG encoding alone, as the sheet export writes it.
void BM_SheetPngEncoding(benchmark::State& state) {
    QImage image(1240, 1754, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintSheet(painter, image.rect(), SheetLayoutKind::Portrait);
    }
    for (auto _ : state) benchmark::DoNotOptimize(EncodePng(image).size());
    state.counters["bytes"] = double(EncodePng(image).size());
}

// The drawing alone, without the PNG encoding.
void BM_SheetImage150(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(1240, 1754, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintSheet(painter, image.rect(), SheetLayoutKind::Portrait);
    }
}

void BM_SheetPdf(benchmark::State& state) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(150);
        QPainter painter(&pdf);
        PaintSheet(painter, QRect(0, 0, pdf.width(), pdf.height()), SheetLayoutKind::Portrait);
    }
}

void BM_SheetSvg(benchmark::State& state) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(1240, 1754));
        QPainter painter(&svg);
        PaintSheet(painter, QRect(0, 0, 1240, 1754), SheetLayoutKind::Portrait);
    }
}

void BM_LandscapeEmf(benchmark::State& state) {
    for (auto _ : state) {
        EmfDevice d(1754, 1240, 150);
        DrawSheetOnto(d, DrawTarget::Metafile, 1754, SheetLayoutKind::Landscape);
        benchmark::DoNotOptimize(d.Finish().size());
    }
}

void BM_LandscapePng150(benchmark::State& state) {
    for (auto _ : state) {
        QImage image(1754, 1240, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PaintSheet(painter, image.rect(), SheetLayoutKind::Landscape);
        painter.end();
        benchmark::DoNotOptimize(EncodePng(image).size());
    }
}

void BM_LandscapePdf(benchmark::State& state) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(150);
        pdf.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&pdf);
        PaintSheet(painter, QRect(0, 0, pdf.width(), pdf.height()), SheetLayoutKind::Landscape);
    }
}

// The whole export as the window and the command line run it: drawing, encoding and the file
// written through its temporary sibling.
void ExportPortrait(benchmark::State& state, SheetFileKind kind, const char* name) {
    const std::filesystem::path out = SheetFolder().root() / name;
    SheetExportRequest request;
    request.Kind = kind;
    request.Out = out;
    for (auto _ : state) benchmark::DoNotOptimize(ExportSheet(SheetFolder(), ScreenState(), DemoInputs(), request));
    std::filesystem::remove(out);
}

void BM_ExportSheetPng150(benchmark::State& state) { ExportPortrait(state, SheetFileKind::Png, "sheet.png"); }
void BM_ExportSheetEmf(benchmark::State& state) { ExportPortrait(state, SheetFileKind::Emf, "GRAF01.EMF"); }

// The analysis window's standard chart at five pixels per unit (1405 x 1020), as on screen.
void BM_StandardChartScreen(benchmark::State& state) {
    const ChartData& chart = DemoChart();
    AspectOrbs orbs;
    orbs.fill(6);
    for (auto _ : state) {
        QImage image(1405, 1020, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        QtDevice d(painter);
        DrawState s;
        s.Target = DrawTarget::Window;
        s.Scale = 5;
        s.FontBase = 3.7L * s.Scale;
        Canvas c{s, d, &SheetFolder()};
        benchmark::DoNotOptimize(DrawAnalysisView(c, chart, SheetFolder(), orbs, 0, 0, 0, 0));
    }
}

}  // namespace

BENCHMARK(BM_SheetRecording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetPng150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetImage150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetPngEncoding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetSvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LandscapeEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LandscapePng150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LandscapePdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportSheetPng150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportSheetEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandardChartScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelRecording)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelEmf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelPng150)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelSvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayWheelEmfOntoImage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Fonts need a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
