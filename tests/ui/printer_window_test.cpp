// The printer window: the panel of the current mode, and the switch written to line 2 of the
// display settings with line 1 as 1.
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

#include "common/file_io.hpp"
#include "ui/main_window.hpp"
#include "ui/printer_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

class PrinterWindowTest : public QObject {
    Q_OBJECT
private slots:
    void switchingTwiceReturnsToStandard() {
        QTemporaryDir dir;
        fs::copy(FLORIMANT_INSTALLATION_DIR, dir.path().toStdString(), fs::copy_options::recursive);
        AppState state(ProgramFolder(dir.path().toStdString()));
        auto lines = ReadTextLines(state.Folder, DisplaySettingsFile);
        lines[0] = std::string(1, '0');
        ReplaceTextFile(state.Folder, DisplaySettingsFile, lines);
        state.Display = LoadDisplaySettings(state.Folder);
        PrinterWindow window(state);
        window.Open();
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("Panel1"))->isHidden());
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("Panel2"))->isHidden());
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("LabModi"))->isHidden());

        window.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("LabModi"))->isHidden());
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("Panel2"))->isHidden());
        lines = ReadTextLines(state.Folder, DisplaySettingsFile);
        QCOMPARE(lines.at(0), std::string("1"));
        QCOMPARE(lines.at(1), std::string("1"));

        window.Open();
        window.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        lines = ReadTextLines(state.Folder, DisplaySettingsFile);
        QCOMPARE(lines.at(0), std::string("1"));
        QCOMPARE(lines.at(1), std::string("0"));
        QCOMPARE(state.Display.PrinterCompatibilityMode, 0);
    }
};

QTEST_MAIN(PrinterWindowTest)
#include "printer_window_test.moc"
