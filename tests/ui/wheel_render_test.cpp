#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <filesystem>

#include "drawing/wheel.hpp"
#include "export/qt_device.hpp"

using namespace florimant;

namespace {

ChartData SampleChart() {
    ChartData chart;
    const double longitudes[] = {0, 100, 102, 104, 200, 250, 300, 330, 40, 220, 15, 285};
    for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = longitudes[i];
    chart.RetroFlags.fill(' ');
    chart.RetroFlags[5] = 'r';
    for (int k = 1; k <= 12; ++k) chart.HouseCusps[size_t(k)] = 30 * k;
    chart.HouseSystem = "CASE_MEDIE";
    return chart;
}

// The chart sheet's wheel on paper, 5 pixels per sheet unit.
QImage RenderWheel(bool blackAndWhite, bool window, int pixelsPerUnit = 5) {
    DrawState s;
    s.Target = window ? DrawTarget::Window : DrawTarget::Printer;
    s.BlackAndWhite = blackAndWhite;
    const int k = pixelsPerUnit;
    s.Scale = k;
    s.FontBase = 4 * k;
    s.OffsetX = -k * 80;
    s.OffsetY = -k * 10;
    QImage image(k * 190, k * 190, QImage::Format_RGB32);
    image.fill(window ? Qt::black : Qt::white);
    QPainter painter(&image);
    QtDevice device(painter);
    const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    Canvas c{s, device, &folder};
    const ChartData chart = SampleChart();
    const WheelGeometry g = SheetWheel();
    const SheetPoint centre{g.CentreX, g.CentreY};
    DrawZodiacRing(c, chart, centre, g.R1, g.R2);
    DrawBodies(c, chart, centre, g.R3, g.R4, 7);
    DrawHouseRing(c, chart, centre, g.R5 - 3, g.R6 - 3);
    DrawAngles(c, chart, centre, g.R1 + 5);
    AspectOrbs orbs;
    orbs.fill(8);
    DrawAspectLines(c, chart, centre, g.R6 - 3, orbs, blackAndWhite ? AspectLineStyle::Lines : AspectLineStyle::Bands);
    DrawFooterLogo(c, {0, 0}, !blackAndWhite);
    return image;
}

}  // namespace

class WheelRenderTest : public QObject {
    Q_OBJECT
private slots:
    void colourOnPaper() {
        const QImage image = RenderWheel(false, false);
        image.save("wheel_colour_paper.png");
        // The ring of the Sun (green pen) sits on the body ring at 0 degrees Ariete; the
        // horizon marks are red on both sides.
        int red = 0, green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c == QColor(Qt::red);
                green += c == QColor(Qt::green);
            }
        QVERIFY(red > 100);
        QVERIFY(green > 100);
        // The sign pictures of the installation stand in the middle of their sector of the ring,
        // in the colour of their element: Ariete (fire) at 15 degrees, on the ascendant, and Toro
        // (earth) at 45.
        auto colourNear = [&](double longitude, QColor colour) {
            const double theta = (15 - longitude) * M_PI / 180, r = (67 + 57) / 2.0;
            const int cx = int(std::lround((173 - r * std::cos(theta)) * 5 - 400));
            const int cy = int(std::lround((105 - r * std::sin(theta)) * 5 - 50));
            int n = 0;
            for (int y = cy - 17; y <= cy + 17; ++y)
                for (int x = cx - 17; x <= cx + 17; ++x) n += image.pixelColor(x, y) == colour;
            return n;
        };
        QVERIFY(colourNear(15, QColor(215, 30, 25)) > 30);
        QVERIFY(colourNear(45, QColor(25, 150, 45)) > 30);
        QCOMPARE(colourNear(15, QColor(25, 150, 45)), 0);
    }

    // A small committed rendering guards the whole wheel, with the installation's sign and body
    // pictures, against unnoticed changes; a few pixels may differ with the antialiasing of
    // another Qt. FLORIMANT_UPDATE_REFERENCES=1 rewrites it after an intended change.
    void matchesTheReferenceRendering() {
        const QString reference = QStringLiteral(FLORIMANT_SOURCE_DIR "/tests/ui/reference/wheel_colour_paper.png");
        const QImage image = RenderWheel(false, false, 2);
        if (qEnvironmentVariableIsSet("FLORIMANT_UPDATE_REFERENCES")) QVERIFY(image.save(reference));
        const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(expected.size(), image.size());
        int differing = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor a = image.pixelColor(x, y), b = expected.pixelColor(x, y);
                if (std::abs(a.red() - b.red()) > 64 || std::abs(a.green() - b.green()) > 64 ||
                    std::abs(a.blue() - b.blue()) > 64)
                    ++differing;
            }
        QVERIFY2(differing < image.width() * image.height() / 200, qPrintable(QString::number(differing)));
    }

    void standardChartOfTheAnalysisWindow() {
        const auto dir =
            std::filesystem::temp_directory_path() / ("florimant_standard_chart_render_" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "OpzioneT");
        DrawState s;
        s.Scale = 4;
        s.FontBase = 15;
        QImage image(4 * 200, 4 * 200, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            QtDevice device(painter);
            Canvas c{s, device, nullptr};
            AspectOrbs orbs;
            orbs.fill(6);
            const StandardChartCentres centres = DrawStandardChart(c, SampleChart(), ProgramFolder(dir), orbs);
            DrawAnalysisAspectLines(c, SampleChart(), orbs, AspectLineStyle::Bands);
            // The recorded centre of the Sun carries its small white circle.
            const QColor sun = image.pixelColor(int(centres.Points[1].X * 4), int(centres.Points[1].Y * 4));
            QCOMPARE(sun, QColor(Qt::white));
        }
        image.save("standard_chart_window.png");
    }

    void blackAndWhiteOnTheWindowIsWhiteOnBlack() {
        const QImage image = RenderWheel(true, true);
        image.save("wheel_bw_window.png");
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                QVERIFY2(c.red() == c.green() && c.green() == c.blue(), qPrintable(QString("%1,%2").arg(x).arg(y)));
            }
    }
};

QTEST_MAIN(WheelRenderTest)
#include "wheel_render_test.moc"
