// Backup and restore of the BASE archive onto a volume made in a temporary folder: what is copied
// where, the messages without a volume, and "OK" only after the files have arrived.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "support/window_test.hpp"
#include "ui/tools/backup_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Backup : ProgramCopy {
    QTemporaryDir volume;
    std::unique_ptr<BackupWindow> window;

    Backup() {
        messages.fallback = Answer::Yes;
        window = std::make_unique<BackupWindow>(state, messages);
        window->SetVolumes({volume.path().toStdString()});
        window->Prepare();
    }
    fs::path Target() const { return fs::path(volume.path().toStdString()) / "TamorilBck"; }
    QString Text(const char* name) {
        if (auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
        return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
};

}  // namespace

class BackupWindowTest : public QObject {
    Q_OBJECT
private slots:
    void nothingHappensWithoutAVolume() {
        Backup b;
        QCOMPARE(b.Text("EdUnita"), QStringLiteral("?:\\TamorilBck"));
        QCOMPARE(b.Text("EdUltimoBackup"), QStringLiteral("Mai"));
        b.window->Backup();
        b.window->Restore();
        QCOMPARE(b.messages.Texts(), (QStringList{QStringLiteral("Necessario definire l'Unità di backup"),
                                                  QStringLiteral("Necessario definire l'Unità di backup")}));
        QCOMPARE(b.Text("LabUnita"), QStringLiteral("Unità:"));
        QVERIFY(!fs::exists(b.Target()));
    }

    void backupThenRestore() {
        Backup b;
        b.window->ChooseVolume(b.volume.path().toStdString());
        QCOMPARE(ReadTextLines(b.state.Folder, DisplaySettingsFile).at(5), b.Target().string());
        b.window->Backup();
        QVERIFY(b.messages.Empty());
        QVERIFY(b.Text("LabEsito").startsWith(QStringLiteral("OK")));
        for (const char* name : {"BASE.ST1", "BASE.ST2", "BASE.ST3"})
            QCOMPARE(ReadWholeFile(ProgramFolder(b.Target() / "DatiBase"), name), ReadWholeFile(b.state.Folder, name));
        QVERIFY(fs::exists(b.Target() / "BASEtxt" / "00001.txt"));
        QCOMPARE(ReadTextLines(b.state.Folder, "FileDum\\MMbakMod1.dum").at(0), TodayText());

        // The archive is damaged after the backup; a restore brings it back.
        const auto original = ReadWholeFile(b.state.Folder, "BASE.ST2");
        ReplaceFile(b.state.Folder, "BASE.ST2", "rotto");
        fs::remove(b.state.Folder.Resolve("BASEtxt\\00001.txt"));
        b.messages.fallback = Answer::No;
        b.window->Restore();
        QCOMPARE(b.Text("LabUnita"), QStringLiteral("Origine:"));
        QCOMPARE(ReadWholeFile(b.state.Folder, "BASE.ST2").size(), size_t(5));
        b.messages.fallback = Answer::Yes;
        b.window->Restore();
        QCOMPARE(b.messages.Texts().last(), QStringLiteral("SOSTITUIRE i dati attuali con una COPIA?"));
        QCOMPARE(ReadWholeFile(b.state.Folder, "BASE.ST2"), original);
        QVERIFY(b.state.Folder.Exists("BASEtxt\\00001.txt"));
        QCOMPARE(b.Text("LabUnita"), QStringLiteral("Unità:"));
    }

    void missingVolumeOrSourceIsNamed() {
        Backup b;
        const fs::path gone = fs::path(b.volume.path().toStdString()) / "assente";
        b.window->ChooseVolume(gone);
        b.window->Backup();
        QCOMPARE(b.messages.Texts().last(),
                 QStringLiteral("L'Unità %1 non è disponibile").arg(QString::fromStdString(gone.string())));
        b.window->Restore();
        QCOMPARE(b.messages.Texts().last(), QStringLiteral("La sorgente %1 non è disponibile")
                                                .arg(QString::fromStdString((gone / "TamorilBck").string())));
        QVERIFY(b.Text("LabEsito").isEmpty());
    }

    // The list of devices is read when it is shown: a stick plugged in later appears in it.
    void deviceListIsReadWhenShown() {
        Backup b;
        std::vector<fs::path> mounted;
        b.window->SetVolumeSource([&mounted] { return mounted; });
        auto* list = b.window->findChild<QListWidget*>(QStringLiteral("ListUnita"));
        auto* define = b.window->findChild<QPushButton*>(QStringLiteral("BBdefinisci"));
        QTest::mouseClick(define, Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        mounted.push_back(b.volume.path().toStdString());
        QTest::mouseClick(define, Qt::LeftButton);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString::fromStdString(mounted.front().string()));
    }
};

QTEST_MAIN(BackupWindowTest)
#include "backup_window_test.moc"
