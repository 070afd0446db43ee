// links: ui
// The desktop program's start: state, main window shown and first activation; and one activation
// alone (settings read, BASE checked, chart computed), on the offscreen platform in a copy of the
// installation.
#include <benchmark/benchmark.h>

#if __has_include(<QApplication>)
#include <QApplication>

#include "common/file_io.hpp"
#include "installation_copy.hpp"
#include "ui/common/messages.hpp"
#include "ui/main/main_window.hpp"
#include "ui/main/program_start.hpp"

namespace {

florimant::InstallationCopy* Folder() {
    static florimant::InstallationCopy* copy = [] {
        auto* made = new florimant::InstallationCopy;
        florimant::ReplaceTextFile(florimant::ProgramFolder(made->path()), florimant::PasswordFile, {"brunel"});
        return made;
    }();
    return copy;
}

void StartToMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        florimant::AppState app(florimant::ProgramFolder(Folder()->path()));
        florimant::InitialiseProgramState(app, QApplication::primaryScreen());
        florimant::RecordedMessages messages;
        florimant::MainWindow window(app, messages);
        window.show();
        window.Activate();
        QApplication::processEvents();
    }
}
BENCHMARK(StartToMainWindow)->Unit(benchmark::kMillisecond);

void Activation(benchmark::State& state) {
    florimant::AppState app(florimant::ProgramFolder(Folder()->path()));
    florimant::InitialiseProgramState(app, QApplication::primaryScreen());
    florimant::RecordedMessages messages;
    florimant::MainWindow window(app, messages);
    for (auto _ : state) window.Activate();
}
BENCHMARK(Activation)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete Folder();
    return 0;
}
#else
BENCHMARK_MAIN();
#endif
