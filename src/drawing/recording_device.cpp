#include "drawing/recording_device.hpp"

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

}  // namespace florimant
