// links: drawing ui
// The chart sheet's wheel drawn onto each device: the recording device (drawing code alone), an
// EMF, a PNG-sized image at 150 dpi, PDF and SVG; and playback of the EMF onto an image.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "drawing/emf_device.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/recording_device.hpp"
#include "drawing/wheel.hpp"
#include "ui/qt_device.hpp"

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
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        benchmark::DoNotOptimize(buffer.size());
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

}  // namespace

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
