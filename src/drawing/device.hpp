#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The small canvas every drawing goes through. Coordinates are device units (pixels of the
// window or image, points of the printer, logical units of a metafile), X to the right and Y
// downwards. A device keeps one current pen, brush, font and text colour; every shape uses them.
namespace florimant {

struct Colour {
    uint8_t Red = 0, Green = 0, Blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

namespace Colours {
inline constexpr Colour Black{0, 0, 0}, White{255, 255, 255}, Red{255, 0, 0}, Green{0, 255, 0}, Blue{0, 0, 255},
    Cyan{0, 255, 255}, Magenta{255, 0, 255}, Yellow{255, 255, 0};
}

enum class PenStyle { Solid, Dashed, Dotted, None };

struct Pen {
    Colour Rgb{};
    int Width = 1;  // device units; 0 draws the thinnest line the device has
    PenStyle Style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// A solid brush, or none (shapes are outlined only).
using Brush = std::optional<Colour>;

struct Font {
    std::string Face = "Arial";  // "Arial", "Arial Narrow", "Courier", "Courier New" or any installed face
    int Height = 10;             // character cell height in device units
    bool Italic = false;
    int Weight = 400;    // 100 thin .. 900 black, as in the metafile's LOGFONT
    int FixedWidth = 0;  // average character width in device units; 0 lets the face decide
    friend bool operator==(const Font&, const Font&) = default;
};

// Where the given point is on the text: its top-left, top-right or top-centre.
enum class TextAlign { Left, Right, Centre };

enum class FillRule { Alternate, Winding };

struct DevicePoint {
    double X = 0, Y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

struct DeviceRect {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    double Width() const { return Right - Left; }
    double Height() const { return Bottom - Top; }
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

// An enhanced metafile held in memory, with the name it was loaded from (for messages).
struct MetafilePicture {
    std::string Name;
    std::vector<uint8_t> Bytes;
};

class Device {
public:
    virtual ~Device() = default;

    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual void SetTextColour(Colour colour) = 0;

    // Text in UTF-8 with the current font and text colour, on a transparent background.
    virtual void Text(DevicePoint at, std::string_view text, TextAlign align) = 0;
    virtual void Line(DevicePoint from, DevicePoint to) = 0;
    virtual void Polyline(std::span<const DevicePoint> points) = 0;
    // Closed outlines filled together (holes by the fill rule) with the current brush.
    virtual void Polygons(std::span<const std::vector<DevicePoint>> contours, FillRule rule) = 0;
    virtual void Ellipse(const DeviceRect& box) = 0;
    // Part of the outline of the ellipse in `box`, counter-clockwise from `startDegrees`
    // (0 = 3 o'clock) through `sweepDegrees` (negative: clockwise).
    virtual void Arc(const DeviceRect& box, double startDegrees, double sweepDegrees) = 0;
    virtual void Rectangle(const DeviceRect& box) = 0;
    // The picture stretched into `box`. Devices that cannot do better play it back through
    // PlayMetafile onto themselves; a damaged picture raises DataFileError.
    virtual void Picture(const MetafilePicture& picture, const DeviceRect& box);

    void Polygon(std::span<const DevicePoint> points, FillRule rule = FillRule::Alternate);
};

}  // namespace florimant
