// Saves a PNG of every window of the desktop program as it first appears, taken in the working
// directory as program folder: florimant-screenshots OUTDIR. Run it on the offscreen platform in
// a copy of the installation: it logs in, so it writes the usage log like a real start.
#include <QApplication>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "shots.hpp"
#include "ui/common/italian.hpp"
#include "ui/main/program_start.hpp"

namespace florimant {
namespace {

struct Registered {
    const char* area;
    int rank;
    RegisterShots::Take take;
};

std::vector<Registered>& Registry() {
    static std::vector<Registered> registry;
    return registry;
}

}  // namespace

RegisterShots::RegisterShots(const char* area, int rank, Take take) {
    Registry().push_back({area, rank, std::move(take)});
}

bool Shots::Save(QWidget& widget, const QString& name) {
    QApplication::processEvents();
    const QString path = out_.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(path));
        ok_ = false;
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void Shots::Wait(int ms) {
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec();
}

}  // namespace florimant

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    florimant::InstallItalianTranslations(app);
    if (argc != 2) {
        std::fprintf(stderr, "uso: florimant-screenshots CARTELLA\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "impossibile creare %s\n", argv[1]);
        return 1;
    }
    florimant::AppState state(florimant::ProgramFolder::Current());
    florimant::InitialiseProgramState(state, QApplication::primaryScreen());
    florimant::RecordedMessages messages;
    florimant::MainWindow window(state, messages);
    window.show();
    QApplication::processEvents();
    window.Activate();
    florimant::Shots shots(window, messages, out);

    auto& registry = florimant::Registry();
    std::stable_sort(registry.begin(), registry.end(), [](const auto& a, const auto& b) { return a.rank < b.rank; });
    for (const auto& entry : registry) entry.take(shots);

    for (const auto& message : messages.Texts()) std::fprintf(stderr, "messaggio: %s\n", qPrintable(message));
    return shots.ok() ? 0 : 1;
}
