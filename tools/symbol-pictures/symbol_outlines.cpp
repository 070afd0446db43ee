#include "symbol_outlines.hpp"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/program_folder.hpp"
#include "drawing/emf_player.hpp"
#include "export/qt_device.hpp"

namespace symbols {

namespace {

// The larger side of every glyph spans this many picture units, leaving a margin so that
// antialiasing at the box edge never clips a stroke.
constexpr double GlyphSpan = 860;

// The stroke weight, in picture units, of most of the font's symbols once fitted. Lighter glyphs
// (the Sun's ring, the letters) are thickened to it so that no symbol of a wheel
// looks faint beside the others; our drawn shapes are stroked to it once their centre lines fit
// the picture.
constexpr double StrokeWeight = 80;
// Outline points closer than this to the line through their neighbours are dropped.
constexpr double FlatnessTolerance = 0.6;

QPainterPath FontPath(const QRawFont& font, const std::u32string& characters) {
    const QString text = QString::fromUcs4(characters.data(), qsizetype(characters.size()));
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    QPainterPath path;
    QPointF pen(0, 0);
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] == 0) throw std::runtime_error("the font has no glyph for " + text.toStdString());
        path.addPath(font.pathForGlyph(glyphs[i]).translated(pen));
        pen += advances[i];
    }
    return path;
}

QPainterPath Stroked(const QPainterPath& lines) {
    QPainterPathStroker stroker;
    stroker.setWidth(StrokeWeight);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(4);  // keeps the triangles' 60-degree corners sharp
    QPainterPath stroke = stroker.createStroke(lines);
    stroke.setFillRule(Qt::WindingFill);
    return stroke;
}

QPainterPath Triangle(QPointF apex, double side, bool up) {
    const double h = side * std::sqrt(3.0) / 2, dir = up ? 1 : -1;
    QPainterPath p;
    p.moveTo(apex);
    p.lineTo(apex.x() - side / 2, apex.y() + dir * h);
    p.lineTo(apex.x() + side / 2, apex.y() + dir * h);
    p.closeSubpath();
    return p;
}

QPainterPath Bar(double y, double x0, double x1) {
    QPainterPath p;
    p.moveTo(x0, y);
    p.lineTo(x1, y);
    return p;
}

// The Moon's crescent, and the alchemical signs: the element triangles (air and earth crossed by
// a bar that reaches past the sides), salt (a circle divided by its horizontal diameter) and
// sulphur (a triangle over a cross).
QPainterPath DrawnPath(DrawnShape shape) {
    if (shape == DrawnShape::Crescent) {
        // A disc less a slightly smaller one moved to the left: horns to the left, as the font's
        // crescents of the black moon, and about twice a stroke thick in the middle.
        QPainterPath disc, bite;
        disc.addEllipse(QPointF(0, 0), 500, 500);
        bite.addEllipse(QPointF(-120, 0), 450, 450);
        return disc.subtracted(bite);
    }
    const double side = 1000, h = side * std::sqrt(3.0) / 2;
    QPainterPath lines;
    switch (shape) {
    case DrawnShape::FireTriangle: lines = Triangle({500, 0}, side, true); break;
    case DrawnShape::AirTriangle:
        lines = Triangle({500, 0}, side, true);
        lines.addPath(Bar(h * 0.55, 80, 920));
        break;
    case DrawnShape::WaterTriangle: lines = Triangle({500, h}, side, false); break;
    case DrawnShape::EarthTriangle:
        lines = Triangle({500, h}, side, false);
        lines.addPath(Bar(h * 0.45, 80, 920));
        break;
    case DrawnShape::Salt:
        lines.addEllipse(QPointF(500, 500), 430, 430);
        lines.addPath(Bar(500, 70, 930));
        break;
    case DrawnShape::Sulphur: {
        const double s = 560, th = s * std::sqrt(3.0) / 2;
        lines = Triangle({500, 0}, s, true);
        QPainterPath stem;
        stem.moveTo(500, th);
        stem.lineTo(500, th + 480);
        lines.addPath(stem);
        lines.addPath(Bar(th + 230, 300, 700));
        break;
    }
    case DrawnShape::None:
    case DrawnShape::Crescent: break;
    }
    // Centre lines scaled first, so that the stroke has its weight in picture units.
    const QRectF box = lines.boundingRect();
    const double scale = (GlyphSpan - StrokeWeight) / std::max(box.width(), box.height());
    QTransform t;
    t.scale(scale, scale);
    return Stroked(t.map(lines));
}

QPainterPath FitToPicture(QPainterPath path) {
    path.setFillRule(Qt::WindingFill);
    const QRectF box = path.boundingRect();
    if (box.isEmpty()) throw std::runtime_error("empty glyph outline");
    const double scale = GlyphSpan / std::max(box.width(), box.height());
    QTransform t;
    t.translate(PictureUnits / 2.0, PictureUnits / 2.0);
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    // Merging overlapping pieces after the scaling flattens the curves finely in picture units;
    // the result fills with either rule alike.
    return t.map(path).simplified();
}

// Twice the filled area over the outline's length: the width of a glyph made of strokes.
double MeanStrokeWidth(const QPainterPath& path) {
    double area = 0, length = 0;
    for (const QPolygonF& c : path.toSubpathPolygons()) {
        for (qsizetype i = 0; i < c.size(); ++i) {
            const QPointF a = c[i], b = c[(i + 1) % c.size()];
            area += a.x() * b.y() - b.x() * a.y();
            length += std::hypot(b.x() - a.x(), b.y() - a.y());
        }
    }
    return length > 0 ? std::fabs(area) / length : 0;  // |sum of cross products| / 2 * 2 / length
}

QPainterPath Thickened(const QPainterPath& path, double extra) {
    QPainterPathStroker stroker;
    stroker.setWidth(extra);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath stroke = stroker.createStroke(path);
    stroke.setFillRule(Qt::WindingFill);
    QPainterPath body = path;
    body.setFillRule(Qt::WindingFill);
    return body.united(stroke);
}

void DropFlatPoints(const QPolygonF& c, qsizetype from, qsizetype to, std::vector<bool>& keep) {
    if (to - from < 2) return;
    const QPointF a = c[from], b = c[to % c.size()];
    const double dx = b.x() - a.x(), dy = b.y() - a.y(), len = std::hypot(dx, dy);
    double worst = -1;
    qsizetype at = from;
    for (qsizetype i = from + 1; i < to; ++i) {
        const QPointF p = c[i];
        const double d = len > 0 ? std::fabs(dx * (p.y() - a.y()) - dy * (p.x() - a.x())) / len
                                 : std::hypot(p.x() - a.x(), p.y() - a.y());
        if (d > worst) worst = d, at = i;
    }
    if (worst <= FlatnessTolerance) return;
    keep[size_t(at)] = true;
    DropFlatPoints(c, from, at, keep);
    DropFlatPoints(c, at, to, keep);
}

std::vector<Contour> Contours(const QPainterPath& path) {
    std::vector<Contour> contours;
    for (QPolygonF polygon : path.toSubpathPolygons()) {
        if (polygon.size() > 1 && polygon.first() == polygon.last()) polygon.removeLast();
        if (polygon.size() < 3) continue;
        // Split the closed contour at its first point and the point farthest from it.
        qsizetype far = 0;
        for (qsizetype i = 1; i < polygon.size(); ++i)
            if (QLineF(polygon[0], polygon[i]).length() > QLineF(polygon[0], polygon[far]).length()) far = i;
        std::vector<bool> keep(size_t(polygon.size()), false);
        keep[0] = keep[size_t(far)] = true;
        DropFlatPoints(polygon, 0, far, keep);
        DropFlatPoints(polygon, far, polygon.size(), keep);
        Contour c;
        for (qsizetype i = 0; i < polygon.size(); ++i) {
            if (!keep[size_t(i)]) continue;
            const florimant::DevicePoint q{std::clamp(std::round(polygon[i].x()), 0.0, double(PictureUnits)),
                                           std::clamp(std::round(polygon[i].y()), 0.0, double(PictureUnits))};
            if (c.empty() || !(c.back() == q)) c.push_back(q);
        }
        while (c.size() > 1 && c.back() == c.front()) c.pop_back();
        if (c.size() >= 3) contours.push_back(std::move(c));
    }
    OrientForAnyFillRule(contours);
    return contours;
}

std::vector<Contour> FontOutline(const QRawFont& font, const std::u32string& characters) {
    QPainterPath path = FitToPicture(FontPath(font, characters));
    const double weight = MeanStrokeWidth(path);
    if (weight < StrokeWeight - 2) path = FitToPicture(Thickened(path, StrokeWeight - weight));
    return Contours(path);
}

}  // namespace

QString FileSha256(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

OutlineTable ExtractOutlines(const QString& fontFile) {
    const QRawFont font(fontFile, 2048);
    if (!font.isValid()) throw std::runtime_error("cannot read the font " + fontFile.toStdString());
    OutlineTable table;
    for (const SymbolEntry& e : Catalogue())
        table[e.Key] =
            e.Shape == DrawnShape::None ? FontOutline(font, e.Characters) : Contours(FitToPicture(DrawnPath(e.Shape)));
    return table;
}

std::string OutlineTableHeader(const QString& fontFile) {
    const QRawFont font(fontFile, 2048);
    return "Outlines of the symbol pictures (tools/symbol-pictures): closed contours in picture units,\n"
           "0..1000 both ways, Y downwards, filled even-odd. Written by `symbol-pictures outlines`.\n"
           "Glyphs from " +
           font.familyName().toStdString() + " (" + QFileInfo(fontFile).fileName().toStdString() +
           "), DejaVu fonts licence (Bitstream Vera; DejaVu changes public domain);\n"
           "the element, salt and sulphur signs are drawn by the generator.\n"
           "font-sha256 " +
           FileSha256(fontFile).toStdString() + "\n";
}

QImage RenderContactSheet(const std::filesystem::path& installation) {
    const auto& catalogue = Catalogue();
    constexpr int Big = 96, Small = 16, Pad = 6, Label = 120;
    constexpr int RowHeight = Big + 2 * Pad, Columns = 2;
    constexpr int ColumnWidth = Label + 4 * (Big + Pad) + 2 * (Small + 2 * Pad) + 3 * Pad;
    const int rows = int((catalogue.size() + Columns - 1) / Columns);
    QImage image(Columns * ColumnWidth, rows * RowHeight, QImage::Format_RGB32);
    image.fill(QColor(225, 225, 225));
    QPainter painter(&image);
    florimant::QtDevice device(painter);
    const florimant::ProgramFolder folder(installation);
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const SymbolEntry& e = catalogue[i];
        const int x0 = int(i / size_t(rows)) * ColumnWidth, y0 = int(i % size_t(rows)) * RowHeight;
        painter.setPen(Qt::black);
        painter.setFont(QFont("DejaVu Sans", 8));
        painter.drawText(QRect(x0 + Pad, y0 + Pad, Label - Pad, Big), Qt::AlignVCenter | Qt::TextWordWrap,
                         QString::fromStdString(e.Key + "\n" + e.Meaning));
        int x = x0 + Label;
        auto cell = [&](Variant v, bool black, int size) {
            const int y = y0 + (RowHeight - size) / 2;
            const QRect r(x, y, size, size);
            painter.fillRect(r.adjusted(-Pad / 2, -Pad / 2, Pad / 2, Pad / 2), black ? Qt::black : Qt::white);
            if (size == Big) {  // the picture's box and middle lines, to judge the centring
                painter.setPen(QColor(140, 140, 140));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r.adjusted(0, 0, -1, -1));
                painter.drawLine(r.center().x(), r.top(), r.center().x(), r.top() + 4);
                painter.drawLine(r.center().x(), r.bottom() - 4, r.center().x(), r.bottom());
                painter.drawLine(r.left(), r.center().y(), r.left() + 4, r.center().y());
                painter.drawLine(r.right() - 4, r.center().y(), r.right(), r.center().y());
            }
            const florimant::MetafilePicture picture = florimant::LoadMetafilePicture(folder, ProgramPath(e, v));
            device.Picture(picture,
                           {double(r.left()), double(r.top()), double(r.left() + size), double(r.top() + size)});
            x += size + (size == Big ? Pad : 2 * Pad);
        };
        cell(Variant::Colour, false, Big);
        cell(Variant::Colour, true, Big);
        cell(Variant::OnBlack, true, Big);
        cell(Variant::OnWhite, false, Big);
        x += Pad;
        cell(Variant::Colour, false, Small);
        cell(Variant::Colour, true, Small);
    }
    return image;
}

}  // namespace symbols
