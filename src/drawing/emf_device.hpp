#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "drawing/device.hpp"

// A device that records an enhanced metafile. The page is `width` x `height` device units at
// `unitsPerInch`; its frame is the whole page, so a player stretches the page onto its box.
namespace florimant {

// The advance of each UTF-16 unit of a text in device units, as the font lays it out. Readers
// space the characters of a metafile's text by these advances.
using TextAdvances = std::function<std::vector<uint32_t>(const Font& font, std::string_view utf8)>;

class EmfDevice : public Device {
public:
    EmfDevice(int width, int height, double unitsPerInch = 96);
    // Without a measure the advances are estimated from the height and the weight.
    void SetTextMeasure(TextAdvances measure) { measure_ = std::move(measure); }
    ~EmfDevice() override;
    EmfDevice(const EmfDevice&) = delete;
    EmfDevice& operator=(const EmfDevice&) = delete;

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

    // The finished file (closing record added); the device can still be drawn on afterwards and
    // finished again.
    std::vector<uint8_t> Finish() const;
    // Finish and write through a sibling temporary file, so an old picture is never half replaced.
    void Save(const std::filesystem::path& path) const;

private:
    void Append(char* record);  // takes a record made by libUEMF and frees it
    void SelectPen();
    void SelectBrush();

    TextAdvances measure_;
    std::vector<uint8_t> bytes_;
    uint32_t records_ = 0;
    Pen pen_;
    bool penSelected_ = false;
    Brush brush_;
    bool brushSelected_ = false;
    Font font_;
    Font writtenFont_;
    bool fontCreated_ = false;
    Colour textColour_{};
    bool textColourSet_ = false;
    int textAlign_ = -1;
    int fillRule_ = -1;
};

}  // namespace florimant
