// The printer window: the panel of the current mode, and the switch written to line 2 of the
// display settings with line 1 as 1.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/file_io.hpp"
#include "support/window_test.hpp"
#include "ui/settings/printer_window.hpp"

using namespace florimant;

class PrinterWindowTest : public QObject {
    Q_OBJECT
private slots:
    void switchingTwiceReturnsToStandard() {
        ProgramCopy program;
        AppState& state = program.state;
        auto lines = ReadTextLines(state.Folder, DisplaySettingsFile);
        lines[0] = std::string(1, '0');
        ReplaceTextFile(state.Folder, DisplaySettingsFile, lines);
        state.Display = LoadDisplaySettings(state.Folder);
        PrinterWindow window(state, program.messages);
        window.Prepare();
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("Panel1"))->isHidden());
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("Panel2"))->isHidden());
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("LabModi"))->isHidden());

        window.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("LabModi"))->isHidden());
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("Panel2"))->isHidden());
        lines = ReadTextLines(state.Folder, DisplaySettingsFile);
        QCOMPARE(lines.at(0), std::string("1"));
        QCOMPARE(lines.at(1), std::string("1"));

        window.Prepare();
        window.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        lines = ReadTextLines(state.Folder, DisplaySettingsFile);
        QCOMPARE(lines.at(0), std::string("1"));
        QCOMPARE(lines.at(1), std::string("0"));
        QCOMPARE(state.Display.PrinterCompatibilityMode, 0);
    }

    // While "MODIFICA  ATTUATA !" is shown the other panel's button takes no click: the mode is
    // switched once per opening.
    void aSecondClickWhileTheNoticeIsShownDoesNothing() {
        ProgramCopy program;
        AppState& state = program.state;
        state.Display = LoadDisplaySettings(state.Folder);
        state.Display.PrinterCompatibilityMode = 0;
        PrinterWindow window(state, program.messages);
        window.Prepare();
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        auto* back = window.findChild<QPushButton*>(QStringLiteral("BitBtn2"));
        QVERIFY(back->isVisible());
        QTest::mouseClick(back, Qt::LeftButton);
        back->click();
        QCOMPARE(state.Display.PrinterCompatibilityMode, 1);
        QCOMPARE(ReadTextLines(state.Folder, DisplaySettingsFile).at(1), std::string("1"));
        QTRY_VERIFY(!window.isVisible());  // it closes by itself
        window.Prepare();
        QVERIFY(back->isEnabled());
    }
};

QTEST_MAIN(PrinterWindowTest)
#include "printer_window_test.moc"
