#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>
#include <cstdlib>

extern "C" {
#include <emf2svg.h>
}

#include "drawing/emf_device.hpp"
#include "export/qt_device.hpp"

using namespace florimant;

namespace {

// Shapes whose pixels do not depend on font rendering.
void DrawShapes(Device& d) {
    d.SetPen({Colours::Black, 2, PenStyle::Solid});
    d.SetBrush(Colours::Red);
    const std::vector<std::vector<DevicePoint>> ring{{{20, 20}, {120, 20}, {120, 120}, {20, 120}},
                                                     {{50, 50}, {90, 50}, {90, 90}, {50, 90}}};
    d.Polygons(ring, FillRule::Alternate);
    d.SetBrush(Colours::Yellow);
    d.SetPen({Colours::Blue, 4, PenStyle::Solid});
    d.Ellipse({150, 20, 250, 120});
    d.SetBrush(Colours::Green);
    d.Rectangle({150, 150, 250, 200});
    d.SetPen({Colours::Magenta, 3, PenStyle::Solid});
    d.Line({20, 250}, {250, 250});
}

QImage Blank() {
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

}  // namespace

// Our metafiles must open in other programs: an independent reader (libemf2svg) converts them to
// SVG, which must paint what our own device paints.
class EmfInteropTest : public QObject {
    Q_OBJECT
private slots:
    void independentReaderSeesTheSameDrawing() {
        EmfDevice emf(300, 300);
        DrawShapes(emf);
        std::vector<uint8_t> bytes = emf.Finish();

        generatorOptions options{};
        options.nameSpace = const_cast<char*>("svg");
        options.svgDelimiter = true;
        options.imgWidth = 300;
        options.imgHeight = 300;
        char* svg = nullptr;
        size_t svgLength = 0;
        QVERIFY(emf2svg(reinterpret_cast<char*>(bytes.data()), bytes.size(), &svg, &svgLength, &options) != 0);
        const QByteArray svgText(svg, qsizetype(svgLength));
        std::free(svg);

        QImage theirs = Blank(), ours = Blank();
        {
            QSvgRenderer renderer(svgText);
            QVERIFY(renderer.isValid());
            QPainter painter(&theirs);
            renderer.render(&painter, QRectF(0, 0, 300, 300));
        }
        {
            QPainter painter(&ours);
            QtDevice device(painter);
            DrawShapes(device);
        }
        theirs.save("emf_interop_theirs.png");
        // Not the hole at (70, 70): libemf2svg writes no fill rule, so SVG fills it (non-zero).
        const QPoint inside[] = {{35, 35}, {200, 70}, {200, 175}, {10, 10}, {200, 230}};
        for (const QPoint& p : inside) {
            const QColor a = ours.pixelColor(p), b = theirs.pixelColor(p);
            QVERIFY2(a == b, qPrintable(QString("%1,%2: %3 %4").arg(p.x()).arg(p.y()).arg(a.name(), b.name())));
        }
        // The line is there in its colour (the reader draws pens thinner, so only its hue is compared).
        QCOMPARE(theirs.pixelColor(100, 250).hue(), ours.pixelColor(100, 250).hue());
    }
};

QTEST_MAIN(EmfInteropTest)
#include "emf_interop_test.moc"
