// links: ui
// The desktop program's start: state, main window shown and first activation; and one activation
// alone (settings read, BASE checked, chart computed), on the offscreen platform in a copy of the
// installation.
#include <benchmark/benchmark.h>

#if __has_include(<QApplication>)
#include <QApplication>
#include <QTemporaryDir>

#include <filesystem>

#include "common/file_io.hpp"
#include "ui/main_window.hpp"

namespace {

QTemporaryDir* Folder() {
    static QTemporaryDir* dir = [] {
        auto* made = new QTemporaryDir;
        std::filesystem::copy(FLORIMANT_INSTALLATION_DIR, made->path().toStdString(),
                              std::filesystem::copy_options::recursive);
        florimant::ReplaceTextFile(florimant::ProgramFolder(made->path().toStdString()), florimant::PasswordFile,
                                   {"brunel"});
        return made;
    }();
    return dir;
}

void StartToMainWindow(benchmark::State& state) {
    for (auto _ : state) {
        florimant::AppState app(florimant::ProgramFolder(Folder()->path().toStdString()));
        florimant::InitialiseProgramState(app, QApplication::primaryScreen());
        florimant::MainWindow window(app);
        window.SetMessageHook([](QMessageBox::Icon, const QString&) {});
        window.show();
        window.Activate();
        QApplication::processEvents();
    }
}
BENCHMARK(StartToMainWindow)->Unit(benchmark::kMillisecond);

void Activation(benchmark::State& state) {
    florimant::AppState app(florimant::ProgramFolder(Folder()->path().toStdString()));
    florimant::InitialiseProgramState(app, QApplication::primaryScreen());
    florimant::MainWindow window(app);
    window.SetMessageHook([](QMessageBox::Icon, const QString&) {});
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
