// The updates window with volumes made in a temporary folder: devices found, older editions in red,
// the new edition installed with its date, and the message when no device carries OpzioneH.
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <filesystem>

#include "common/file_io.hpp"
#include "support/window_test.hpp"
#include "ui/tools/update_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Updates : ProgramCopy {
    QTemporaryDir volumes;
    std::unique_ptr<UpdateWindow> window;

    Updates() { window = std::make_unique<UpdateWindow>(state, messages); }
    // A volume carrying OpzioneH with the two files dated `days` after the installed edition.
    fs::path Volume(const char* name, int days) {
        const fs::path root = fs::path(volumes.path().toStdString()) / name;
        const fs::path folder = root / "OpzioneH";
        fs::create_directories(folder);
        const auto installed = fs::last_write_time(state.Folder.Resolve("OpzioneH\\DBmain.rnd"));
        for (const char* file : {"DBmain.rnd", "Repertorio.rnd"}) {
            ReplaceFile(folder / file, std::string("edizione ") + name);
            fs::last_write_time(folder / file, installed + std::chrono::hours(24 * days));
        }
        return root;
    }
    QLineEdit* Box(const char* name) { return window->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QPushButton* Button(const char* name) { return window->findChild<QPushButton*>(QString::fromLatin1(name)); }
};

}  // namespace

class UpdateWindowTest : public QObject {
    Q_OBJECT
private slots:
    void installsTheNewerEdition() {
        Updates u;
        const fs::path empty = fs::path(u.volumes.path().toStdString()) / "vuoto";
        fs::create_directories(empty);
        u.window->SetVolumes({empty, u.Volume("vecchio", -400), u.Volume("nuovo", 400)});
        u.window->Prepare();
        QVERIFY(u.messages.Empty());
        QVERIFY(u.window->windowTitle().startsWith(QStringLiteral("SITUAZIONE AGGIORNAMENTI - ")));
        QVERIFY(u.Box("EdDisp1")->text().endsWith(QStringLiteral("vecchio")));
        QVERIFY(u.Box("EdNuoAgg1")->styleSheet().contains(QStringLiteral("red")));
        QVERIFY(u.Box("EdNuoAgg2")->styleSheet().contains(QStringLiteral("aqua")));
        QVERIFY(!u.Button("Ok3")->isEnabled());
        QVERIFY(u.Button("Ok2")->isEnabled());

        const QString newEdition = u.Box("EdNuoAgg2")->text();
        QVERIFY(u.Box("EdUltAgg")->text() != newEdition);
        QTest::mouseClick(u.Button("Ok2"), Qt::LeftButton);
        QCOMPARE(u.Box("EdUltAgg")->text(), newEdition);
        QCOMPARE(u.Button("BBritorna")->text(), QStringLiteral("Fatto. Ritorna al Menu"));
        const auto bytes = ReadWholeFile(u.state.Folder, "OpzioneH\\DBmain.rnd");
        QCOMPARE(std::string(bytes.begin(), bytes.end()), std::string("edizione nuovo"));
    }

    void noDeviceIsReported() {
        Updates u;
        u.window->SetVolumes({});
        u.window->Prepare();
        QCOMPARE(u.messages.Texts(), QStringList{QStringLiteral("Non è stato rilevato alcun disco di aggiornamento")});
        QVERIFY(!u.Button("Ok1")->isEnabled());
    }

    // A device plugged in after the window was made is found at the next opening.
    void volumesAreReadAtEveryOpening() {
        Updates u;
        std::vector<fs::path> mounted;
        u.window->SetVolumeSource([&mounted] { return mounted; });
        u.window->Prepare();
        QCOMPARE(u.messages.Texts().size(), 1);
        mounted.push_back(u.Volume("chiavetta", 10));
        u.window->Prepare();
        QCOMPARE(u.messages.Texts().size(), 1);
        QVERIFY(u.Box("EdDisp1")->text().endsWith(QStringLiteral("chiavetta")));
        QVERIFY(u.Button("Ok1")->isEnabled());
    }
};

QTEST_MAIN(UpdateWindowTest)
#include "update_window_test.moc"
