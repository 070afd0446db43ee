// The calibration window: slider positions and axis factors, what Reset and the sliders store,
// and the figure drawn in red and white on black.
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <filesystem>

#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/settings_number.hpp"
#include "support/window_test.hpp"
#include "ui/settings/calibration_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Calibration : ProgramCopy {
    std::unique_ptr<CalibrationWindow> window;

    Calibration() {
        state.Draw.Scale = 2;
        window = std::make_unique<CalibrationWindow>(state, messages);
        window->resize(600, 440);
    }
    QScrollBar* Bar(const char* name) { return window->findChild<QScrollBar*>(QString::fromLatin1(name)); }
    std::vector<std::string> Lines() { return ReadTextLines(state.Folder, DisplaySettingsFile); }
    Real Number(size_t line) { return ParseLeadingReal(Lines().at(line - 1)).value(); }
};

}  // namespace

class CalibrationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void positionsAndFactors() {
        QCOMPARE(CalibrationWindow::FactorOfPosition(-200), Real(1.2L));
        QCOMPARE(CalibrationWindow::FactorOfPosition(200), Real(0.8L));
        QCOMPARE(CalibrationWindow::PositionOfFactor(Real(1.05L)), -50);
        QCOMPARE(CalibrationWindow::PositionOfFactor(1), 0);
    }

    void slidersStoreTheFactorsAndResetRestoresThem() {
        Calibration c;
        c.window->Prepare();
        QCOMPARE(c.Bar("ScBO")->value(), 0);
        const auto before = c.Lines();
        c.Bar("ScBO")->setValue(-200);
        c.Bar("ScBV")->setValue(200);
        QCOMPARE(c.Number(7), Real(1.2L));
        QCOMPARE(c.Number(8), Real(0.8L));
        QCOMPARE(c.state.Draw.AxisCorrectionX, Real(1.2L));
        QTest::mouseClick(c.window->findChild<QPushButton*>(QStringLiteral("BBres")), Qt::LeftButton);
        QCOMPARE(c.Number(7), Real(1));
        QCOMPARE(c.Number(8), Real(1));
        QCOMPARE(c.Bar("ScBV")->value(), 0);
        const auto after = c.Lines();
        QCOMPARE(std::vector<std::string>(after.begin(), after.begin() + 6),
                 std::vector<std::string>(before.begin(), before.begin() + 6));
        QVERIFY(c.messages.Empty());
    }

    void zeroOnLineSevenGivesPositionZero() {
        Calibration c;
        auto lines = c.Lines();
        lines[6] = "0";
        lines[7] = " 1.10000000000000E+0000";
        ReplaceTextFile(c.state.Folder, DisplaySettingsFile, lines);
        c.window->Prepare();
        QCOMPARE(c.Bar("ScBO")->value(), 0);
        QCOMPARE(c.Bar("ScBV")->value(), -100);
    }

    void drawsTheFigureAfterATick() {
        Calibration c;
        c.window->Prepare();
        c.window->show();
        // The figure comes with the window's second timer tick, however busy the machine is.
        const auto circleDrawn = [&](QImage& image) {
            image = c.window->grab().toImage();
            for (int x = 85; x <= 95; ++x) {  // the circle's leftmost point: centre 140 minus radius 95, at scale 2
                const QColor colour = image.pixelColor(x, 203);
                if (colour.red() > colour.green() + 80 && colour.red() > colour.blue() + 80) return true;
            }
            return false;
        };
        QImage image;
        QTRY_VERIFY_WITH_TIMEOUT(circleDrawn(image), 5000);
        QCOMPARE(image.pixelColor(10, 10), QColor(Qt::black));
    }

    void missingSettingsFileIsReported() {
        Calibration c;
        fs::remove(c.state.Folder.Resolve(DisplaySettingsFile));
        c.window->Prepare();
        QCOMPARE(c.messages.Texts().size(), 1);
        QVERIFY(c.messages.Texts()[0].contains(QStringLiteral("MMVarLas.stt")));
    }
};

QTEST_MAIN(CalibrationWindowTest)
#include "calibration_window_test.moc"
