#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <filesystem>

#include "archive/chart_of_subject.hpp"
#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "drawing/sheet.hpp"
#include "drawing/sheet_support.hpp"
#include "drawing/sheet_tables.hpp"
#include "export/qt_device.hpp"
#include "linked_installation.hpp"

using namespace florimant;

namespace {

ProgramFolder SheetFolder() {
    static const std::filesystem::path dir = LinkedInstallation("florimant_sheet_render");
    return ProgramFolder(dir);
}

const char* Name(SheetLayoutKind layout, bool blackAndWhite) {
    if (layout == SheetLayoutKind::Portrait) return blackAndWhite ? "sheet_portrait_bw" : "sheet_portrait";
    return blackAndWhite ? "sheet_landscape_bw" : "sheet_landscape";
}

// The sheet printed on an A4 page at 150 dpi, the demo subject of the installation; or drawn
// at the same scale on the window's black background.
QImage Render(SheetLayoutKind layout, bool blackAndWhite, bool window = false) {
    const ProgramFolder folder = SheetFolder();
    const bool portrait = layout == SheetLayoutKind::Portrait;
    QImage image(portrait ? 1240 : 1754, portrait ? 1754 : 1240, QImage::Format_RGB32);
    image.fill(window ? Qt::black : Qt::white);
    DrawState state;
    state.Target = window ? DrawTarget::Window : DrawTarget::Printer;
    state.BlackAndWhite = blackAndWhite;
    ApplyPrintScale(state, image.width(), image.height());
    ChartData chart;
    SubjectSummary summary;
    ComputeChart(folder, {}, chart, summary);
    SheetInputs inputs;
    inputs.Chart = &chart;
    inputs.Orbs.fill(6);
    inputs.AspectStyle = AspectLineStyle::Bands;
    inputs.DateText = "09/12/2026";
    inputs.OwnerText = "Studio Prova";
    QPainter painter(&image);
    QtDevice device(painter);
    DrawSheet(state, device, folder, inputs, layout);
    if (state.Zoom != 1) qFatal("the sheet left its zoom changed");
    return image;
}

constexpr SheetLayoutKind Layouts[] = {SheetLayoutKind::Portrait, SheetLayoutKind::Landscape};

// Pixels whose channels differ by more than a quarter of their range.
int DifferingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) > 64 || std::abs(p.green() - q.green()) > 64 ||
                std::abs(p.blue() - q.blue()) > 64)
                ++differing;
        }
    return differing;
}

}  // namespace

class SheetRenderTest : public QObject {
    Q_OBJECT
private slots:
    void bothLayoutsFitTheirPages() {
        for (const auto layout : Layouts)
            for (const bool bw : {false, true}) {
                const QImage image = Render(layout, bw);
                image.save(QString(Name(layout, bw)) + ".png");
                // The print scale keeps the sheet inside the page: its last pixels on the right
                // and at the bottom stay white, the term texts included.
                for (int y = 0; y < image.height(); ++y)
                    for (int x = image.width() - 6; x < image.width(); ++x)
                        QVERIFY2(image.pixelColor(x, y) == QColor(Qt::white), Name(layout, bw));
                for (int y = image.height() - 6; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        QVERIFY2(image.pixelColor(x, y) == QColor(Qt::white), Name(layout, bw));
            }
    }

    // Black and white means black, white and the greys of the antialiasing only: black on white
    // paper, white on the window's black.
    void blackAndWhiteHasNoColour() {
        for (const auto layout : Layouts)
            for (const bool window : {false, true}) {
                const QImage image = Render(layout, true, window);
                if (window) image.save(QString(Name(layout, true)) + "_window.png");
                int coloured = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const QColor c = image.pixelColor(x, y);
                        coloured +=
                            std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 8;
                    }
                QVERIFY2(coloured == 0, qPrintable(QString("%1%2: %3 coloured pixels")
                                                       .arg(Name(layout, true))
                                                       .arg(window ? " window" : "")
                                                       .arg(coloured)));
            }
    }

    // The terms table fits its texts by the face's own advances: Qt's layout of every term text of
    // the installation must never be wider than that estimate, nor much narrower.
    void termTextWidthsAreNeverUnderestimated() {
        const std::vector<std::string> lines = ReadTextLines(SheetFolder(), TermTextsFile);
        QVERIFY(lines.size() > 100);
        for (const int height : {9, 14, 22, 31, 60}) {
            Font font;
            font.Face = "Arial";
            font.Height = height;
            font.Weight = 10;
            const QFontMetricsF metrics(MakeQFont(font));
            for (const std::string& line : lines) {
                const std::string text = Cp1252ToUtf8(line.size() > 21 ? line.substr(21, 60) : std::string());
                const double laidOut = metrics.horizontalAdvance(QString::fromStdString(text));
                const double estimate = double(ArialTextWidth(text, height));
                QVERIFY2(laidOut <= estimate && estimate <= laidOut * 1.08 + 1,
                         qPrintable(QString("%1 px: %2 laid out %3, estimated %4")
                                        .arg(height)
                                        .arg(QString::fromStdString(text))
                                        .arg(laidOut)
                                        .arg(estimate)));
            }
        }
    }

    // The exported PNG holds the drawn pixels exactly, however lightly it is compressed.
    void pngExportIsLossless() {
        const QImage image = Render(SheetLayoutKind::Landscape, false);
        const QByteArray png = EncodePng(image);
        QVERIFY(png.startsWith("\x89PNG"));
        const QImage decoded = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(decoded.size(), image.size());
        QCOMPARE(DifferingPixels(decoded, image), 0);
        QVERIFY(decoded == image);
    }

    // Small committed renderings of both sheets in both colour modes guard the whole layout
    // against unnoticed changes; a few pixels may differ with another Qt or its antialiasing.
    // FLORIMANT_UPDATE_REFERENCES=1 rewrites them after an intended change.
    void matchTheReferenceRenderings() {
        for (const auto layout : Layouts)
            for (const bool bw : {false, true}) {
                const QImage full = Render(layout, bw);
                const QImage image = full.scaled(full.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                         .convertToFormat(QImage::Format_RGB32);
                const QString reference =
                    QStringLiteral(FLORIMANT_SOURCE_DIR "/tests/ui/reference/") + Name(layout, bw) + ".png";
                if (qEnvironmentVariableIsSet("FLORIMANT_UPDATE_REFERENCES"))  // as small as they go
                    QVERIFY((bw ? image.convertToFormat(QImage::Format_Grayscale8) : image).save(reference, "PNG", 0));
                const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
                QCOMPARE(expected.size(), image.size());
                const int differing = DifferingPixels(image, expected);
                QVERIFY2(differing < image.width() * image.height() / 200,
                         qPrintable(QString("%1: %2 pixels differ").arg(Name(layout, bw)).arg(differing)));
            }
    }
};

QTEST_MAIN(SheetRenderTest)
#include "sheet_render_test.moc"
