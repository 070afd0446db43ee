#include "export/qt_device.hpp"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <map>

namespace florimant {

namespace {

// Coordinates far outside any page (a garbled picture) are pinned, as the raster engine slows
// down badly on huge or undefined values.
double Safe(double v) {
    if (!std::isfinite(v)) return 0;
    return std::clamp(v, -1e6, 1e6);
}
QPointF ToQt(DevicePoint p) { return {Safe(p.X), Safe(p.Y)}; }
QRectF ToQt(const DeviceRect& r) {
    return QRectF(QPointF(Safe(r.Left), Safe(r.Top)), QPointF(Safe(r.Right), Safe(r.Bottom))).normalized();
}
QColor ToQt(Colour c) { return QColor(c.Red, c.Green, c.Blue); }

constexpr int PngQuality = 80;

}  // namespace

QString ResolveFontFace(std::string_view face) {
    const QString name = QString::fromUtf8(face.data(), qsizetype(face.size())).trimmed();
    const QString key = name.toLower();
    if (key == "arial") return QStringLiteral("Liberation Sans");
    if (key == "arial narrow") return QStringLiteral("Liberation Sans Narrow");
    if (key == "courier" || key == "courier new") return QStringLiteral("Liberation Mono");
    if (key == "times new roman") return QStringLiteral("Liberation Serif");
    return name;
}

QFont MakeQFont(const Font& font) {
    QFont f(ResolveFontFace(font.Face));
    f.setStyleStrategy(QFont::PreferOutline);
    f.setItalic(font.Italic);
    f.setWeight(QFont::Weight(std::clamp(font.Weight, 100, 900)));
    // The metafile's cell height is ascent + descent; Qt sizes the em. Measure the face once at a
    // large size and scale.
    static std::map<QString, double> cellPerEm;
    auto it = cellPerEm.find(f.family());
    if (it == cellPerEm.end()) {
        QFont probe = f;
        probe.setPixelSize(1000);
        const QFontMetricsF m(probe);
        it = cellPerEm.emplace(f.family(), m.height() > 0 ? m.height() / 1000.0 : 1.15).first;
    }
    f.setPixelSize(std::max(1, int(std::lround(std::max(1, font.Height) / it->second))));
    if (font.FixedWidth > 0) {
        const double average = QFontMetricsF(f).averageCharWidth();
        if (average > 0) f.setStretch(std::clamp(int(std::lround(100 * font.FixedWidth / average)), 1, 4000));
    }
    return f;
}

std::vector<uint32_t> MeasureTextAdvances(const Font& font, std::string_view utf8) {
    const QString s = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    const QFontMetricsF m(MakeQFont(font));
    // Rounded running positions, so the rounding of single advances does not add up along the text.
    std::vector<uint32_t> advances;
    long previous = 0;
    for (qsizetype i = 1; i <= s.size(); ++i) {
        const long next = std::lround(m.horizontalAdvance(s.left(i)));
        advances.push_back(uint32_t(std::max(0L, next - previous)));
        previous = std::max(previous, next);
    }
    return advances;
}

QByteArray EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Qt's PNG writer turns quality 0..100 into zlib levels 9..0: 80 is level 1.
    writer.setQuality(PngQuality);
    if (!writer.write(image)) return {};
    return bytes;
}

QtDevice::QtDevice(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    SetPen({});
    SetBrush(std::nullopt);
    SetFont({});
}

void QtDevice::SetPen(const Pen& pen) {
    Qt::PenStyle style = Qt::SolidLine;
    if (pen.Style == PenStyle::Dashed) style = Qt::DashLine;
    if (pen.Style == PenStyle::Dotted) style = Qt::DotLine;
    if (pen.Style == PenStyle::None) style = Qt::NoPen;
    pen_ = QPen(QBrush(ToQt(pen.Rgb)), std::max(0, pen.Width), style, Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(pen_);
}

void QtDevice::SetBrush(const Brush& brush) { painter_.setBrush(brush ? QBrush(ToQt(*brush)) : QBrush(Qt::NoBrush)); }

void QtDevice::SetFont(const Font& font) { font_ = MakeQFont(font); }

void QtDevice::SetTextColour(Colour colour) { textColour_ = ToQt(colour); }

void QtDevice::Text(DevicePoint at, std::string_view text, TextAlign align) {
    const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFontMetricsF m(font_, painter_.device());
    const double width = m.horizontalAdvance(s);
    double x = Safe(at.X);
    if (align == TextAlign::Right) x -= width;
    if (align == TextAlign::Centre) x -= width / 2;
    painter_.setFont(font_);
    painter_.setPen(textColour_);
    painter_.drawText(QPointF(x, Safe(at.Y) + m.ascent()), s);
    painter_.setPen(pen_);
}

void QtDevice::Line(DevicePoint from, DevicePoint to) { painter_.drawLine(ToQt(from), ToQt(to)); }

void QtDevice::Polyline(std::span<const DevicePoint> points) {
    QPolygonF poly;
    for (const DevicePoint& p : points) poly << ToQt(p);
    painter_.drawPolyline(poly);
}

void QtDevice::Polygons(std::span<const std::vector<DevicePoint>> contours, FillRule rule) {
    QPainterPath path;
    path.setFillRule(rule == FillRule::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    for (const auto& c : contours) {
        QPolygonF poly;
        for (const DevicePoint& p : c) poly << ToQt(p);
        if (!poly.isEmpty() && poly.first() != poly.last()) poly << poly.first();
        path.addPolygon(poly);
    }
    painter_.drawPath(path);
}

void QtDevice::Ellipse(const DeviceRect& box) { painter_.drawEllipse(ToQt(box)); }

void QtDevice::Arc(const DeviceRect& box, double start, double sweep) {
    painter_.drawArc(ToQt(box), int(std::lround(start * 16)), int(std::lround(std::clamp(sweep, -360.0, 360.0) * 16)));
}

void QtDevice::Rectangle(const DeviceRect& box) { painter_.drawRect(ToQt(box)); }

}  // namespace florimant
