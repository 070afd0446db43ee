// The line-thickness window: steps work on the 4-character text, the factor stays within 0.5..4,
// and every change reaches line 5 of the display settings file.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <filesystem>

#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/settings_number.hpp"
#include "support/window_test.hpp"
#include "ui/settings/line_thickness_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Thickness : ProgramCopy {
    std::unique_ptr<LineThicknessWindow> window;

    Thickness() {
        state.Display = LoadDisplaySettings(state.Folder);
        window = std::make_unique<LineThicknessWindow>(state, messages);
        window->Prepare();
        window->show();
    }
    QLineEdit* Edit() { return window->findChild<QLineEdit*>(QStringLiteral("EditSpeLin")); }
    void Type(const QString& text) {
        Edit()->selectAll();
        QTest::keyClicks(Edit(), text);
    }
    void Click(const char* name) {
        QTest::mouseClick(window->findChild<QAbstractButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    Real Stored() { return ParseLeadingReal(ReadTextLines(state.Folder, DisplaySettingsFile).at(4)).value(); }
};

}  // namespace

class LineThicknessWindowTest : public QObject {
    Q_OBJECT
private slots:
    void stepsStartFromTheShownText() {
        Thickness t;
        QCOMPARE(t.Edit()->text(), QStringLiteral("1"));
        t.Click("SpinButton1Up");
        QCOMPARE(t.Edit()->text(), QStringLiteral("1,05"));
        t.Click("SpinButton1Up");
        QCOMPARE(t.Edit()->text(), QStringLiteral("1,10"));  // 1.05 / 0.95, not 1 / 0.95²
        QVERIFY(qAbs(double(t.Stored() - Real(1.05L) / Real(0.95L))) < 1e-12);
        t.Click("BitBtn1");
        QCOMPARE(t.Edit()->text(), QStringLiteral("1"));
        QCOMPARE(t.Stored(), Real(1));
    }

    void factorIsClampedAtBothEnds() {
        Thickness t;
        t.Type(QStringLiteral("3,8"));
        t.Click("SpinButton1Up");
        QCOMPARE(t.Edit()->text(), QStringLiteral("4"));
        QCOMPARE(t.Stored(), Real(4));
        t.Type(QStringLiteral("0,52"));
        t.Click("SpinButton1Down");
        QCOMPARE(t.Edit()->text(), QStringLiteral("0,5"));
        QCOMPARE(t.Stored(), Real(0.5));
        // Typing 7 and closing stores 4 and shows it.
        t.Type(QStringLiteral("7"));
        t.Click("BitBtnRitorna");
        QVERIFY(!t.window->isVisible());
        QCOMPARE(t.Edit()->text(), QStringLiteral("4"));
        QCOMPARE(t.Stored(), Real(4));
        QCOMPARE(t.state.Display.LineThicknessFactor, Real(4));
    }

    void textThatIsNoNumberChangesNothing() {
        Thickness t;
        const auto before = ReadWholeFile(t.state.Folder, DisplaySettingsFile);
        t.Type(QStringLiteral("x1"));
        t.Click("SpinButton1Up");
        t.Click("BitBtnRitorna");
        QCOMPARE(t.messages.Texts().size(), 2);
        QVERIFY(t.window->isVisible());  // stays open for a correction
        QCOMPARE(ReadWholeFile(t.state.Folder, DisplaySettingsFile), before);
        QCOMPARE(t.state.Display.LineThicknessFactor, Real(1));
    }
};

QTEST_MAIN(LineThicknessWindowTest)
#include "line_thickness_window_test.moc"
