// The main window on a copy of the shipped installation: login, password change, access codes,
// usage log, the idle-time handling of the combo boxes and what each activation reads and writes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <memory>

#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "support/main_window_run.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

// The main window's run, with the recorded texts as a list.
struct Run : MainWindowRun {
    using MainWindowRun::MainWindowRun;
    QStringList messages() const { return MainWindowRun::messages.Texts(); }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsLockedWithFactoryPasswordHint() {
        Run run;
        run.Start();
        QVERIFY(!run.state.Switches.Unlocked);
        QVERIFY(run.Shown("PanelPass"));
        QVERIFY(run.Shown("LabInitialPassword"));
        for (const char* name : {"PageControl1", "Panel9", "BitBtnNomeCognome", "BBistruz", "BBdispensa", "EdAggiorna"})
            QVERIFY2(!run.Shown(name), name);
        QVERIFY(!run.Find<QPushButton>("BBokRegi")->isEnabled());
        QCOMPARE(run.Find<QPushButton>("BBok")->text(), QStringLiteral("OK Prosegui"));
        QCOMPARE(run.Find<QTabWidget>("PageControl1")->tabText(0), QStringLiteral("Funzioni  Astrologiche"));
        // The demo subject is shown, and the windows not built yet cannot be opened.
        QVERIFY(!run.Find<QPlainTextEdit>("MemoDati")->toPlainText().trimmed().isEmpty());
        QVERIFY(!run.Find<QPushButton>("BBProped")->isEnabled());
        QVERIFY(run.messages().isEmpty());
    }

    void loginWrongRightAndOneExtraCharacter() {
        Run run;
        run.Start();
        auto* ok = run.Find<QPushButton>("BBok");
        run.TypePassword("brunex");
        QCOMPARE(run.Find<QLabel>("PanMainPass")->text(), QStringLiteral("******"));
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!run.state.Switches.Unlocked);
        QVERIFY(!ok->isEnabled());
        QVERIFY(run.Find<QLineEdit>("EdMainPass1")->text().isEmpty());
        QVERIFY(run.messages().isEmpty());  // a wrong password gets no message

        run.TypePassword("brunel7");
        QVERIFY(!ok->isEnabled());
        QTest::keyClick(run.Find<QLineEdit>("EdMainPass1"), Qt::Key_Backspace);
        QVERIFY(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(run.state.Switches.Unlocked);
        QVERIFY(run.Shown("PageControl1"));
        QVERIFY(run.Shown("Panel9"));
        QVERIFY(run.Shown("BitBtnNomeCognome"));
        QCOMPARE(run.Find<QPushButton>("BitBtnNomeCognome")->text(), QStringLiteral("Nome Cognome"));
    }

    void twoLoginsCountTwoUses() {
        Run run;
        fs::remove_all(run.state.Folder.Resolve("OpzioneT"));
        run.Start();
        run.TypePassword("brunel");
        QTest::mouseClick(run.Find<QPushButton>("BBok"), Qt::LeftButton);
        QTest::mouseClick(run.Find<QPushButton>("BBok"), Qt::LeftButton);
        const std::string today = UsageJulianDayText(TodayText());
        QCOMPARE(today.size(), size_t(7));
        // Created as 2451545, 2451545, 1 and then counted twice.
        const auto summary = run.Lines(UsageSummaryFile);
        QCOMPARE(summary, (std::vector<std::string>{today, today, "3"}));
        QCOMPARE(run.Lines(UsageDatesFile), (std::vector<std::string>{today, today}));
        auto* dates = run.Find<QListWidget>("Cbox1");
        QCOMPARE(dates->count(), 2);
        QCOMPARE(dates->item(0)->text(), QString::fromStdString(TodayText()));
        QVERIFY(!run.Shown("Cbox1"));
    }

    void garbledUsageCountIsReportedAndKept() {
        Run run;
        ReplaceTextFile(run.state.Folder, UsageSummaryFile, {"2451545", "2451545", "molti"});
        run.Start();
        run.TypePassword("brunel");
        QTest::mouseClick(run.Find<QPushButton>("BBok"), Qt::LeftButton);
        QVERIFY(run.state.Switches.Unlocked);
        QCOMPARE(run.messages().size(), 1);
        QVERIFY(run.messages()[0].contains(QStringLiteral("Sole.tm1")));
        QCOMPARE(run.Lines(UsageSummaryFile)[2], std::string("molti"));
    }

    void passwordChange() {
        Run run;
        run.Start();
        auto* newPass = run.Find<QLineEdit>("EdNewPass");
        auto* save = run.Find<QPushButton>("BBokRegi");
        QTest::keyClicks(newPass, QStringLiteral("abc"));
        QVERIFY(newPass->text().isEmpty());
        QVERIFY(!run.messages().isEmpty());
        QCOMPARE(run.messages().last(), QStringLiteral("Inserire PRIMA la Password Attuale!"));

        run.TypePassword("brunex");
        QTest::keyClicks(newPass, QStringLiteral("abc"));
        QCOMPARE(newPass->text(), QStringLiteral("abc"));
        QVERIFY(!save->isEnabled());

        run.TypePassword("brunel");
        run.MainWindowRun::messages.Clear();
        for (const char* refused : {"12345", "1234567"}) {
            newPass->clear();
            QTest::keyClicks(newPass, QString::fromLatin1(refused));
            QVERIFY(save->isEnabled());
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(run.messages().last(), QStringLiteral("Occorrono 6 caratteri"));
        }
        QCOMPARE(run.Lines(PasswordFile)[0], std::string("brunel"));

        newPass->clear();
        QTest::keyClicks(newPass, QStringLiteral("  segr3t"));
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(run.Lines(PasswordFile)[0], std::string("segr3t"));
        QCOMPARE(save->text(), QStringLiteral("Ok Fatto!"));
        QVERIFY(!save->isEnabled());

        // The new password counts from the next activation, and the hint is gone then.
        run.window->Activate();
        QVERIFY(!run.Shown("LabInitialPassword"));
        run.TypePassword("segr3t");
        QTest::mouseClick(run.Find<QPushButton>("BBok"), Qt::LeftButton);
        QVERIFY(run.state.Switches.Unlocked);
    }

    void accessCodesInLowerCase() {
        {
            Run run("zzzzzz");
            run.Start();
            QVERIFY(!run.Shown("LabInitialPassword"));
            QTest::mouseClick(run.Find<QToolButton>("SBpass"), Qt::LeftButton);
            QVERIFY(run.Shown("EdPass"));
            QTest::keyClicks(run.Find<QLineEdit>("EdPass"), QStringLiteral("morvelant"));
            QVERIFY(run.state.Switches.Unlocked);
            QVERIFY(run.state.Switches.MaintenanceMode);
            QVERIFY(run.Shown("Cbox1"));
            QVERIFY(run.Shown("BButility"));
            QVERIFY(run.Shown("PageControl1"));
            QVERIFY(!run.Shown("EdPass"));
            QCOMPARE(run.Find<QLineEdit>("EdPass")->text(), QStringLiteral("OK"));
            QVERIFY(!run.Shown("BTervano1"));
        }
        {
            Run run("zzzzzz");
            run.Start();
            QTest::mouseClick(run.Find<QToolButton>("SBpass"), Qt::LeftButton);
            QTest::keyClicks(run.Find<QLineEdit>("EdPass"), QStringLiteral("crotalemi"));
            QVERIFY(run.state.Switches.Unlocked);
            QVERIFY(run.state.Switches.PlantListMode);
            QVERIFY(run.Shown("BTervano1"));
            QVERIFY(run.Shown("BTervano2"));
            QVERIFY(!run.Shown("BButility"));
        }
        {
            Run run("zzzzzz");
            run.Start();
            QTest::mouseClick(run.Find<QToolButton>("SBpass"), Qt::LeftButton);
            QTest::keyClicks(run.Find<QLineEdit>("EdPass"), QStringLiteral("#quadriverso"));
            QVERIFY(run.state.Switches.Unlocked);
            QVERIFY(run.Shown("BButility"));
        }
        {
            Run run("zzzzzz");
            run.Start();
            QTest::mouseClick(run.Find<QToolButton>("SBpass"), Qt::LeftButton);
            auto* code = run.Find<QLineEdit>("EdPass");
            QTest::keyClicks(code, QStringLiteral("brun"));
            QCOMPARE(code->text(), QStringLiteral("****"));
            QTest::keyClicks(code, QStringLiteral("el"));
            QCOMPARE(code->text(), QStringLiteral("OK"));
            QVERIFY(!run.state.Switches.Unlocked);
            QCOMPARE(run.Lines(PasswordFile)[0], std::string("brunel"));
            // The factory password works at once.
            run.TypePassword("brunel");
            QTest::mouseClick(run.Find<QPushButton>("BBok"), Qt::LeftButton);
            QVERIFY(run.state.Switches.Unlocked);
        }
    }

    void nodeModeAndOrbSetAtIdleTime() {
        Run run;
        run.Start();
        run.TypePassword("brunel");
        QTest::mouseClick(run.Find<QPushButton>("BBok"), Qt::LeftButton);
        auto* node = run.Find<QComboBox>("ComboNodo");
        auto* orb = run.Find<QComboBox>("ComboOrb");
        QVERIFY(!node->isEnabled());
        QCOMPARE(orb->currentText(), QStringLiteral("A (normali)"));
        QTest::mouseClick(run.Find<QToolButton>("BBlk"), Qt::LeftButton);
        QVERIFY(node->isEnabled());
        QVERIFY(orb->isEnabled());

        node->setEditText(QStringLiteral("FALSO"));
        QTRY_COMPARE(node->currentText(), QStringLiteral("MEDIO"));
        QCOMPARE(run.Lines(ActiveOrbFile)[17], std::string("MEDIO"));
        QCOMPARE(run.state.Orbs.NodeMode, std::string("MEDIO"));

        QTest::mouseDClick(node->lineEdit(), Qt::LeftButton);
        QTRY_COMPARE(run.Lines(ActiveOrbFile)[17], std::string("VERO"));
        QCOMPARE(node->currentText(), QStringLiteral("VERO"));

        orb->setCurrentIndex(1);
        QTRY_COMPARE(run.state.Orbs.Letter, 'B');
        QCOMPARE(run.Lines(ActiveOrbFile)[18], std::string("B"));
        orb->setEditText(QStringLiteral("Z"));
        QTRY_COMPARE(orb->currentText(), QStringLiteral("A (normali)"));
        QCOMPARE(run.state.Orbs.Letter, 'A');

        // Every activation locks the combos again.
        run.window->Activate();
        QVERIFY(!node->isEnabled());
        QVERIFY(!orb->isEnabled());
        QVERIFY(run.messages().isEmpty());
    }

    void activationPreparesTheFolder() {
        Run run;
        const ProgramFolder& folder = run.state.Folder;
        for (const char* name : {"BASE.ST1", "BASE.ST2", "BASE.ST3"}) fs::remove(folder.Resolve(name));
        fs::remove_all(folder.Resolve("FileTmp"));
        auto settings = run.Lines(DisplaySettingsFile);
        settings[5] = "Ko6Backup";
        ReplaceTextFile(folder, DisplaySettingsFile, settings);
        run.Start();
        QVERIFY(folder.Exists("BASE.ST1"));
        QVERIFY(folder.Exists("BASE.ST3"));
        QCOMPARE(run.Lines(UserNameFile), (std::vector<std::string>{"Nome", "Cognome"}));
        QCOMPARE(run.Lines(DisplaySettingsFile)[5], std::string("Da definire"));

        ReplaceTextFile(folder, UserNameFile, {"Carla", "Rossi"});
        run.window->Activate();
        QCOMPARE(run.Find<QPushButton>("BitBtnNomeCognome")->text(), QStringLiteral("Carla Rossi"));

        // A child's bottom-right corner lies 10 pixels beyond the main window's.
        const QRect frame = run.window->frameGeometry();
        const QPoint at = run.window->ChildAnchor(QSize(200, 100));
        QCOMPARE(at.x() + 200, frame.left() + frame.width() + 10);
        QCOMPARE(at.y() + 100, frame.top() + frame.height() + 10);
    }

    void missingPasswordFileStopsActivationWithAMessage() {
        Run run;
        fs::remove(run.state.Folder.Resolve(PasswordFile));
        run.Start();
        QVERIFY(!run.messages().isEmpty());
        for (const auto& message : run.messages()) QVERIFY(message.contains(QStringLiteral("Appoggio1.txt")));
        QVERIFY(!run.state.Switches.Unlocked);
        QVERIFY(!run.Find<QPushButton>("BBok")->isEnabled());
    }

    void subjectMemoShowsAnnotations() {
        Run run;
        run.Start();
        auto* memo = run.Find<QPlainTextEdit>("MemoDati");
        auto* notes = run.Find<QPlainTextEdit>("MemoAnnotaz");
        QVERIFY(notes->isHidden());
        QTest::mouseClick(memo->viewport(), Qt::LeftButton);
        QVERIFY(!notes->isHidden());
        QTest::mouseClick(notes->viewport(), Qt::LeftButton);
        QVERIFY(notes->isHidden());
        // The demo subject has its text, so "Apri Testo" is offered.
        QCOMPARE(run.Shown("BBApriTesto"), run.state.Summary.TextButtonVisible);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
