#include "drawing/recording_device.hpp"

#include <optional>

namespace florimant {

RecordedShape& RecordingDevice::Add(RecordedShape::Kind kind) {
    RecordedShape& s = shapes_.emplace_back();
    s.Shape = kind;
    s.PenUsed = pen_;
    s.BrushUsed = brush_;
    s.FontUsed = font_;
    s.TextColour = textColour_;
    return s;
}

void RecordingDevice::Text(DevicePoint at, std::string_view text, TextAlign align) {
    RecordedShape& s = Add(RecordedShape::Kind::Text);
    s.Points = {{at}};
    s.Text = std::string(text);
    s.Align = align;
}

void RecordingDevice::Line(DevicePoint from, DevicePoint to) { Add(RecordedShape::Kind::Line).Points = {{from, to}}; }

void RecordingDevice::Polyline(std::span<const DevicePoint> points) {
    Add(RecordedShape::Kind::Polyline).Points = {std::vector<DevicePoint>(points.begin(), points.end())};
}

void RecordingDevice::Polygons(std::span<const std::vector<DevicePoint>> contours, FillRule rule) {
    RecordedShape& s = Add(RecordedShape::Kind::Polygons);
    s.Points.assign(contours.begin(), contours.end());
    s.Rule = rule;
}

void RecordingDevice::Ellipse(const DeviceRect& box) { Add(RecordedShape::Kind::Ellipse).Box = box; }

void RecordingDevice::Arc(const DeviceRect& box, double start, double sweep) {
    RecordedShape& s = Add(RecordedShape::Kind::Arc);
    s.Box = box;
    s.StartDegrees = start;
    s.SweepDegrees = sweep;
}

void RecordingDevice::Rectangle(const DeviceRect& box) { Add(RecordedShape::Kind::Rectangle).Box = box; }

void RecordingDevice::Picture(const MetafilePicture& picture, const DeviceRect& box) {
    RecordedShape& s = Add(RecordedShape::Kind::Picture);
    s.Text = picture.Name;
    s.Box = box;
    if (playPictures_) Device::Picture(picture, box);
}

void ReplayShapes(const std::vector<RecordedShape>& shapes, Device& device) {
    // Devices make a pen, brush or font object at every change: only real changes are passed on.
    std::optional<Pen> pen;
    std::optional<Brush> brush;
    std::optional<Font> font;
    std::optional<Colour> textColour;
    for (const RecordedShape& s : shapes) {
        if (s.Shape == RecordedShape::Kind::Picture) continue;
        if (pen != s.PenUsed) device.SetPen(*(pen = s.PenUsed));
        if (brush != s.BrushUsed) device.SetBrush(*(brush = s.BrushUsed));
        if (font != s.FontUsed) device.SetFont(*(font = s.FontUsed));
        if (textColour != s.TextColour) device.SetTextColour(*(textColour = s.TextColour));
        switch (s.Shape) {
        case RecordedShape::Kind::Text:
            if (!s.Points.empty() && !s.Points[0].empty()) device.Text(s.Points[0][0], s.Text, s.Align);
            break;
        case RecordedShape::Kind::Line:
            if (!s.Points.empty() && s.Points[0].size() == 2) device.Line(s.Points[0][0], s.Points[0][1]);
            break;
        case RecordedShape::Kind::Polyline:
            if (!s.Points.empty()) device.Polyline(s.Points[0]);
            break;
        case RecordedShape::Kind::Polygons: device.Polygons(s.Points, s.Rule); break;
        case RecordedShape::Kind::Ellipse: device.Ellipse(s.Box); break;
        case RecordedShape::Kind::Arc: device.Arc(s.Box, s.StartDegrees, s.SweepDegrees); break;
        case RecordedShape::Kind::Rectangle: device.Rectangle(s.Box); break;
        case RecordedShape::Kind::Picture: break;
        }
    }
}

}  // namespace florimant
