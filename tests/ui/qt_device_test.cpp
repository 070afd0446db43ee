#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QtTest>

#include "drawing/emf_device.hpp"
#include "drawing/emf_player.hpp"
#include "export/qt_device.hpp"

using namespace florimant;

namespace {

QImage WhiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The shapes of a small test card: filled square with a hole, ellipse, arc, lines, text.
void DrawCard(Device& d) {
    d.SetPen({Colours::Black, 2, PenStyle::Solid});
    d.SetBrush(Colours::Red);
    const std::vector<std::vector<DevicePoint>> ring{{{20, 20}, {120, 20}, {120, 120}, {20, 120}},
                                                     {{50, 50}, {90, 50}, {90, 90}, {50, 90}}};
    d.Polygons(ring, FillRule::Alternate);
    d.SetBrush(Colours::Yellow);
    d.SetPen({Colours::Blue, 4, PenStyle::Solid});
    d.Ellipse({150, 20, 250, 120});
    d.SetPen({Colours::Green, 3, PenStyle::Solid});
    d.Arc({20, 150, 120, 250}, 0, 180);
    d.SetPen({Colours::Magenta, 1, PenStyle::Dashed});
    d.Line({150, 150}, {250, 250});
    d.SetFont({"Arial", 30, false, 10, 0});
    d.SetTextColour(Colours::Blue);
    d.Text({200, 260}, "Ariete 12°", TextAlign::Centre);
}

}  // namespace

class QtDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void facesResolveToLiberation() {
        QCOMPARE(ResolveFontFace("Arial"), QString("Liberation Sans"));
        QCOMPARE(ResolveFontFace("courier new"), QString("Liberation Mono"));
        QCOMPARE(QFontInfo(MakeQFont({"Arial", 20, false, 400, 0})).family(), QString("Liberation Sans"));
        QCOMPARE(QFontInfo(MakeQFont({"Courier", 20, false, 400, 0})).family(), QString("Liberation Mono"));
        // The cell height asked for is the ascent plus the descent the device gets.
        const QFontMetricsF m(MakeQFont({"Arial", 40, false, 400, 0}));
        QVERIFY(std::fabs(m.ascent() + m.descent() - 40) <= 1.5);
    }

    void paintsShapesWithPenBrushAndHoles() {
        QImage image = WhiteImage(300, 300);
        {
            QPainter painter(&image);
            QtDevice device(painter);
            DrawCard(device);
        }
        image.save("qt_device_card.png");
        QCOMPARE(image.pixelColor(35, 35), QColor(Qt::red));      // inside the ring
        QCOMPARE(image.pixelColor(70, 70), QColor(Qt::white));    // the hole
        QCOMPARE(image.pixelColor(200, 70), QColor(Qt::yellow));  // inside the ellipse
        QCOMPARE(image.pixelColor(200, 21), QColor(Qt::blue));    // on its outline
        // The upper half of the arc is drawn, the lower half is not.
        QCOMPARE(image.pixelColor(70, 150), QColor(Qt::green));
        QCOMPARE(image.pixelColor(70, 249), QColor(Qt::white));
    }

    void textHangsFromItsTopPoint() {
        QImage image = WhiteImage(300, 100);
        {
            QPainter painter(&image);
            QtDevice device(painter);
            device.SetFont({"Arial", 40, false, 400, 0});
            device.SetTextColour(Colours::Black);
            device.Text({150, 30}, "HH", TextAlign::Right);
        }
        int top = 100, bottom = -1, left = 300, right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    top = std::min(top, y), bottom = std::max(bottom, y);
                    left = std::min(left, x), right = std::max(right, x);
                }
        QVERIFY(top >= 30 && top <= 40);  // capitals start just under the internal leading
        QVERIFY(bottom < 70);
        QVERIFY(right <= 150 && right >= 140);
        QVERIFY(left > 100);
    }

    void playsMetafilesLikeDirectDrawing() {
        EmfDevice emf(300, 300);
        DrawCard(emf);
        const MetafilePicture picture{"card.emf", emf.Finish()};
        QImage direct = WhiteImage(300, 300), played = WhiteImage(300, 300);
        {
            QPainter painter(&direct);
            QtDevice device(painter);
            DrawCard(device);
        }
        {
            QPainter painter(&played);
            QtDevice device(painter);
            device.Picture(picture, {0, 0, 300, 300});
        }
        played.save("qt_device_card_from_emf.png");
        int differing = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                if (direct.pixel(x, y) != played.pixel(x, y)) ++differing;
        QVERIFY2(differing < 300 * 300 / 100, qPrintable(QString::number(differing)));
    }

    void measuresAdvancesForMetafileText() {
        const Font font{"Arial", 40, false, 400, 0};
        const std::vector<uint32_t> advances = MeasureTextAdvances(font, "Wil°");
        QCOMPARE(advances.size(), size_t(4));
        uint32_t total = 0;
        for (uint32_t a : advances) total += a;
        const double width = QFontMetricsF(MakeQFont(font)).horizontalAdvance(QString::fromUtf8("Wil°"));
        QVERIFY(std::fabs(total - width) <= 0.5);
        QVERIFY(advances[0] > advances[2]);  // W is wider than l
    }

    void writesSvg() {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(300, 300));
        {
            QPainter painter(&svg);
            QtDevice device(painter);
            DrawCard(device);
        }
        const QByteArray text = buffer.data();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains("Ariete"));
    }
};

QTEST_MAIN(QtDeviceTest)
#include "qt_device_test.moc"
