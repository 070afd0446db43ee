#pragma once
#include <string>
#include <vector>

#include "drawing/device.hpp"

// A device that keeps every drawing call with the pen, brush, font and text colour in force, so
// tests can check what was drawn and where.
namespace florimant {

struct RecordedShape {
    enum class Kind { Text, Line, Polyline, Polygons, Ellipse, Arc, Rectangle, Picture };
    Kind Shape = Kind::Line;
    std::vector<std::vector<DevicePoint>> Points;  // one list; several for Polygons; the ends for Line
    DeviceRect Box;                                // Ellipse, Arc, Rectangle, Picture
    double StartDegrees = 0, SweepDegrees = 0;     // Arc
    FillRule Rule = FillRule::Alternate;
    std::string Text;  // Text; the picture's name for Picture
    TextAlign Align = TextAlign::Left;
    Pen PenUsed;
    Brush BrushUsed;
    Font FontUsed;
    Colour TextColour;
};

class RecordingDevice : public Device {
public:
    // With `playPictures` pictures are played back into the record too, after their own entry.
    explicit RecordingDevice(bool playPictures = false) : playPictures_(playPictures) {}

    void SetPen(const Pen& pen) override { pen_ = pen; }
    void SetBrush(const Brush& brush) override { brush_ = brush; }
    void SetFont(const Font& font) override { font_ = font; }
    void SetTextColour(Colour colour) override { textColour_ = colour; }
    void Text(DevicePoint at, std::string_view text, TextAlign align) override;
    void Line(DevicePoint from, DevicePoint to) override;
    void Polyline(std::span<const DevicePoint> points) override;
    void Polygons(std::span<const std::vector<DevicePoint>> contours, FillRule rule) override;
    void Ellipse(const DeviceRect& box) override;
    void Arc(const DeviceRect& box, double startDegrees, double sweepDegrees) override;
    void Rectangle(const DeviceRect& box) override;
    void Picture(const MetafilePicture& picture, const DeviceRect& box) override;

    const std::vector<RecordedShape>& Shapes() const { return shapes_; }
    std::vector<RecordedShape> TakeShapes() { return std::move(shapes_); }
    void Clear() { shapes_.clear(); }

private:
    RecordedShape& Add(RecordedShape::Kind kind);
    bool playPictures_;
    Pen pen_;
    Brush brush_;
    Font font_;
    Colour textColour_;
    std::vector<RecordedShape> shapes_;
};

// Draws recorded shapes again on `device`, each with the pen, brush, font and text colour it was
// recorded with. Picture entries are skipped: a recording that played its pictures holds their
// shapes right after them, so drawing it again reads no file.
void ReplayShapes(const std::vector<RecordedShape>& shapes, Device& device);

}  // namespace florimant
