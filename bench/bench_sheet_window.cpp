// links: ui
// The chart-sheet window on a 1920 x 1080 offscreen screen, the installation's current subject:
// the first drawing of each sheet, one step of a drag, one zoom step, the export of a picture
// (file and clipboard), and a print onto a PDF file standing for the printer.
// Targets: a drag step under 16 ms, a zoom step and a first drawing under 100 ms, an export under
// 100 ms, a print under 300 ms.
#include <benchmark/benchmark.h>

#if __has_include(<QApplication>)
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QScreen>

#include <cstdio>
#include <memory>

#include "installation_copy.hpp"
#include "ui/common/messages.hpp"
#include "ui/main/program_start.hpp"
#include "ui/sheets/sheet_window.hpp"

namespace {

using namespace florimant;

// A PDF file in the temporary folder stands for the printer.
class PdfPrinter final : public SheetPrinters {
public:
    PdfPrinter() { printer_.setOutputFileName(QDir::temp().filePath(QStringLiteral("florimant_bench_print.pdf"))); }
    ~PdfPrinter() override { QFile::remove(printer_.outputFileName()); }
    QPrinter* Find() override { return &printer_; }

private:
    QPrinter printer_{QPrinter::HighResolution};
};

struct Sheet {
    explicit Sheet(SheetLayoutKind layout) : state(ProgramFolder(copy.path())) {
        InitialiseProgramState(state, QApplication::primaryScreen());
        state.Display = LoadDisplaySettings(state.Folder);
        state.Orbs = LoadActiveOrbs(state.Folder);
        ComputeChart(state.Folder, ChartEphemerisSettings(state.Orbs), state.Chart, state.Summary);
        SetSheetSwitches(state.Switches, layout);
        window = std::make_unique<SheetWindow>(state, messages);
        window->SetPrinters(std::make_unique<PdfPrinter>());
        window->Prepare();
        window->Place(Placement::FullScreen);
        window->show();
        while (window->drawings() == 0) QApplication::processEvents();
        window->repaint();
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), window->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }

    InstallationCopy copy;
    AppState state;
    RecordedMessages messages;
    std::unique_ptr<SheetWindow> window;
};

void FirstDrawing(benchmark::State& bench, SheetLayoutKind layout) {
    Sheet sheet(layout);
    for (auto _ : bench) {
        sheet.window->RedrawSheet();
        sheet.window->repaint();
    }
}
void BM_FirstDrawingPortrait(benchmark::State& bench) { FirstDrawing(bench, SheetLayoutKind::Portrait); }
void BM_FirstDrawingLandscape(benchmark::State& bench) { FirstDrawing(bench, SheetLayoutKind::Landscape); }

// One mouse move of a drag and the repaint it asks for.
void BM_DragStep(benchmark::State& bench) {
    Sheet sheet(SheetLayoutKind::Portrait);
    const QPoint from(900, 500);
    sheet.Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : bench) {
        step = (step + 1) % 200;
        sheet.Mouse(QEvent::MouseMove, from + QPoint(step, step / 2), Qt::NoButton, Qt::LeftButton);
        sheet.window->repaint();
    }
    sheet.Mouse(QEvent::MouseButtonRelease, from, Qt::LeftButton, Qt::NoButton);
}

// "+" and "-" in turn, each drawn and painted.
void BM_ZoomStep(benchmark::State& bench) {
    Sheet sheet(SheetLayoutKind::Portrait);
    bool in = true;
    for (auto _ : bench) {
        if (in) sheet.window->ZoomIn();
        else sheet.window->ZoomOut();
        in = !in;
        sheet.window->repaint();
    }
}

void BM_EmfExport(benchmark::State& bench) {
    Sheet sheet(SheetLayoutKind::Portrait);
    sheet.window->findChild<QComboBox*>(QStringLiteral("ComboEMF"))->setEditText(QStringLiteral("GRAF01.EMF"));
    for (auto _ : bench) sheet.window->ExportSheetPicture();
    if (!sheet.messages.Empty()) bench.SkipWithError("the export reported a message");
}

void BM_PrintToPdf(benchmark::State& bench) {
    Sheet sheet(SheetLayoutKind::Portrait);
    for (auto _ : bench) sheet.window->PrintSheet();
    if (!sheet.messages.Empty()) bench.SkipWithError("the print reported a message");
}

BENCHMARK(BM_FirstDrawingPortrait)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstDrawingLandscape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmfExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintToPdf)->Unit(benchmark::kMillisecond);

// The offscreen platform with one screen of 1920 x 1080, unless the caller chose a platform.
void UseFullHdOffscreenScreen() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
    const QString config = QDir::temp().filePath(QStringLiteral("florimant_bench_screen.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                   R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
}

}  // namespace

int main(int argc, char** argv) {
    UseFullHdOffscreenScreen();
    QApplication app(argc, argv);
    const QSize screen = QApplication::primaryScreen()->geometry().size();
    std::printf("screen %d x %d\n", screen.width(), screen.height());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
#else
BENCHMARK_MAIN();
#endif
