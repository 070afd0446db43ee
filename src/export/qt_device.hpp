#pragma once
#include <QBrush>
#include <QByteArray>
#include <QFont>
#include <QPen>
#include <QString>

#include "drawing/device.hpp"

class QImage;
class QPainter;

// The device of the screen, the printer, PDF, SVG and images: everything a QPainter can paint on.
// Faces the sheets name ("Arial", "Courier") resolve to the metric-compatible Liberation faces
// the installation provides, so a sheet looks the same on every machine.
namespace florimant {

QString ResolveFontFace(std::string_view face);
// A QFont whose character cell (ascent + descent) is `font.Height` pixels of the painter.
QFont MakeQFont(const Font& font);

// Advances of each UTF-16 unit of a text in the font as Qt lays it out, for the metafiles we write.
std::vector<uint32_t> MeasureTextAdvances(const Font& font, std::string_view utf8);

// The PNG file of an image. A sheet is mostly white, so a low zlib level gives a file little
// larger than the default one in a fraction of the time.
QByteArray EncodePng(const QImage& image);

class QtDevice : public Device {
public:
    // The painter must stay active for the device's lifetime; antialiasing is switched on.
    explicit QtDevice(QPainter& painter);

    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void SetFont(const Font& font) override;
    void SetTextColour(Colour colour) override;
    void Text(DevicePoint at, std::string_view text, TextAlign align) override;
    void Line(DevicePoint from, DevicePoint to) override;
    void Polyline(std::span<const DevicePoint> points) override;
    void Polygons(std::span<const std::vector<DevicePoint>> contours, FillRule rule) override;
    void Ellipse(const DeviceRect& box) override;
    void Arc(const DeviceRect& box, double startDegrees, double sweepDegrees) override;
    void Rectangle(const DeviceRect& box) override;

private:
    QPainter& painter_;
    QPen pen_;
    QFont font_;
    QColor textColour_;
};

}  // namespace florimant
