#include "drawing/emf_player.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

namespace florimant {

namespace {

// Record types of the enhanced metafile format that the player understands.
enum : uint32_t {
    EmrHeader = 1,
    EmrPolyBezier = 2,
    EmrPolygon = 3,
    EmrPolyline = 4,
    EmrPolyBezierTo = 5,
    EmrPolylineTo = 6,
    EmrPolyPolyline = 7,
    EmrPolyPolygon = 8,
    EmrSetWindowExtEx = 9,
    EmrSetWindowOrgEx = 10,
    EmrSetViewportExtEx = 11,
    EmrSetViewportOrgEx = 12,
    EmrEof = 14,
    EmrSetMapMode = 17,
    EmrSetPolyFillMode = 19,
    EmrSetTextAlign = 22,
    EmrSetTextColor = 24,
    EmrMoveToEx = 27,
    EmrSaveDC = 33,
    EmrRestoreDC = 34,
    EmrSetWorldTransform = 35,
    EmrModifyWorldTransform = 36,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrEllipse = 42,
    EmrRectangle = 43,
    EmrArc = 45,
    EmrLineTo = 54,
    EmrBeginPath = 59,
    EmrEndPath = 60,
    EmrCloseFigure = 61,
    EmrFillPath = 62,
    EmrStrokeAndFillPath = 63,
    EmrStrokePath = 64,
    EmrAbortPath = 68,
    EmrExtCreateFontIndirectW = 82,
    EmrExtTextOutA = 83,
    EmrExtTextOutW = 84,
    EmrPolyBezier16 = 85,
    EmrPolygon16 = 86,
    EmrPolyline16 = 87,
    EmrPolyBezierTo16 = 88,
    EmrPolylineTo16 = 89,
    EmrPolyPolyline16 = 90,
    EmrPolyPolygon16 = 91,
    EmrExtCreatePen = 95,
};

constexpr uint32_t EmfSignature = 0x464D4520;  // " EMF"
constexpr size_t HeaderMinimum = 88;

struct Damaged {
    std::string Fault;
};

// Bounds-checked little-endian reads inside one record.
class RecordReader {
public:
    RecordReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t size() const { return size_; }
    void Need(size_t offset, size_t count) const {
        if (offset > size_ || count > size_ - offset) throw Damaged{"record troncato"};
    }
    uint32_t U32(size_t o) const {
        Need(o, 4);
        return uint32_t(data_[o]) | uint32_t(data_[o + 1]) << 8 | uint32_t(data_[o + 2]) << 16 |
               uint32_t(data_[o + 3]) << 24;
    }
    int32_t I32(size_t o) const { return static_cast<int32_t>(U32(o)); }
    uint16_t U16(size_t o) const {
        Need(o, 2);
        return uint16_t(data_[o] | data_[o + 1] << 8);
    }
    int16_t I16(size_t o) const { return static_cast<int16_t>(U16(o)); }
    uint8_t U8(size_t o) const {
        Need(o, 1);
        return data_[o];
    }
    float F32(size_t o) const {
        const uint32_t bits = U32(o);
        float f;
        std::memcpy(&f, &bits, 4);
        return std::isfinite(f) ? f : 0.0f;
    }
    Colour ColourAt(size_t o) const { return {U8(o), U8(o + 1), U8(o + 2)}; }

private:
    const uint8_t* data_;
    size_t size_;
};

// x' = x M11 + y M21 + Dx, y' = x M12 + y M22 + Dy, as the format defines its world transform.
struct Transform {
    double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;
    DevicePoint Apply(double x, double y) const { return {x * M11 + y * M21 + Dx, x * M12 + y * M22 + Dy}; }
    // this applied first, then `then`
    Transform Then(const Transform& t) const {
        return {M11 * t.M11 + M12 * t.M21, M11 * t.M12 + M12 * t.M22,      M21 * t.M11 + M22 * t.M21,
                M21 * t.M12 + M22 * t.M22, Dx * t.M11 + Dy * t.M21 + t.Dx, Dx * t.M12 + Dy * t.M22 + t.Dy};
    }
};

struct GdiObject {
    enum class Kind { Pen, Brush, Font } Type = Kind::Pen;
    Pen PenValue;
    double LogicalPenWidth = 0;
    Brush BrushValue;
    Font FontValue;
    double LogicalFontHeight = 0;
};

struct DcState {
    uint32_t MapMode = 1;
    double WindowOrgX = 0, WindowOrgY = 0, WindowExtX = 1, WindowExtY = 1;
    double ViewportOrgX = 0, ViewportOrgY = 0, ViewportExtX = 1, ViewportExtY = 1;
    Transform World;
    GdiObject PenObject;  // selected objects are copied: deleting a selected one keeps it drawing
    GdiObject BrushObject;
    GdiObject FontObject;
    FillRule Rule = FillRule::Alternate;
    uint32_t TextAlign = 0;
    Colour TextColour = Colours::Black;
    DevicePoint Current{};  // logical units
};

class Player {
public:
    Player(const MetafilePicture& picture, Device& device, const DeviceRect& box)
        : picture_(picture), device_(device), box_(box) {
        dc_.PenObject.Type = GdiObject::Kind::Pen;
        dc_.PenObject.PenValue = {Colours::Black, 0, PenStyle::Solid};
        dc_.BrushObject.Type = GdiObject::Kind::Brush;
        dc_.BrushObject.BrushValue = Colours::White;
        dc_.FontObject.Type = GdiObject::Kind::Font;
        dc_.FontObject.LogicalFontHeight = 12;
        dc_.FontObject.FontValue = {"Arial", 12, false, 400, 0};
    }

    void Play();

private:
    void Record(uint32_t type, const RecordReader& r);
    Transform Total() const;
    DevicePoint ToDevice(DevicePoint logical) const { return Total().Apply(logical.X, logical.Y); }
    double DeviceScale() const;
    std::vector<DevicePoint> ReadPoints(const RecordReader& r, size_t offset, uint32_t count, bool small) const;
    void Poly(uint32_t type, const RecordReader& r, bool small);
    void PolyPoly(const RecordReader& r, bool polygon, bool small);
    void Shape(std::vector<DevicePoint> logical, bool closed, bool bezier, bool fromCurrent);
    void ApplyPen();
    void ApplyBrush();
    void EllipseOrRectangle(const RecordReader& r, bool ellipse);
    void TextOut(const RecordReader& r, bool wide);
    void ArcOut(const RecordReader& r);
    void Select(uint32_t handle);
    void StrokeAndFillPath(bool stroke, bool fill);

    const MetafilePicture& picture_;
    Device& device_;
    DeviceRect box_;
    MetafileHeader header_;
    Transform frameToBox_;
    DcState dc_;
    std::vector<DcState> saved_;
    std::map<uint32_t, GdiObject> objects_;
    bool inPath_ = false;
    std::vector<std::vector<DevicePoint>> path_;  // device units
};

MetafileHeader ParseHeader(const RecordReader& r) {
    MetafileHeader h;
    if (r.size() < HeaderMinimum || r.U32(0) != EmrHeader) throw Damaged{"intestazione mancante"};
    if (r.U32(40) != EmfSignature) throw Damaged{"firma del metafile errata"};
    h.BoundsLeft = r.I32(8), h.BoundsTop = r.I32(12), h.BoundsRight = r.I32(16), h.BoundsBottom = r.I32(20);
    h.FrameLeft = r.I32(24), h.FrameTop = r.I32(28), h.FrameRight = r.I32(32), h.FrameBottom = r.I32(36);
    h.Bytes = r.U32(48);
    h.Records = r.U32(52);
    h.Handles = r.U16(56);
    h.DeviceWidth = r.I32(72), h.DeviceHeight = r.I32(76);
    h.DeviceWidthMm = r.I32(80), h.DeviceHeightMm = r.I32(84);
    return h;
}

// The header record's size is checked against the data before it is parsed.
RecordReader FirstRecord(const std::vector<uint8_t>& bytes) {
    RecordReader whole(bytes.data(), bytes.size());
    if (bytes.size() < HeaderMinimum) throw Damaged{"file troppo corto"};
    const uint32_t size = whole.U32(4);
    if (size < HeaderMinimum || size > bytes.size() || size % 4 != 0) throw Damaged{"intestazione danneggiata"};
    return RecordReader(bytes.data(), size);
}

void Player::Play() {
    const std::vector<uint8_t>& bytes = picture_.Bytes;
    header_ = ParseHeader(FirstRecord(bytes));

    // The frame (0.01 mm) in reference device units, mapped onto the box.
    double left = header_.BoundsLeft, top = header_.BoundsTop, right = header_.BoundsRight,
           bottom = header_.BoundsBottom;
    if (header_.DeviceWidthMm > 0 && header_.DeviceHeightMm > 0 && header_.DeviceWidth > 0 &&
        header_.DeviceHeight > 0 && header_.FrameRight > header_.FrameLeft && header_.FrameBottom > header_.FrameTop) {
        const double sx = double(header_.DeviceWidth) / (header_.DeviceWidthMm * 100.0);
        const double sy = double(header_.DeviceHeight) / (header_.DeviceHeightMm * 100.0);
        left = header_.FrameLeft * sx, right = header_.FrameRight * sx;
        top = header_.FrameTop * sy, bottom = header_.FrameBottom * sy;
    }
    const double w = right - left, h = bottom - top;
    const double kx = w != 0 ? box_.Width() / w : 1, ky = h != 0 ? box_.Height() / h : 1;
    frameToBox_ = {kx, 0, 0, ky, box_.Left - left * kx, box_.Top - top * ky};

    size_t offset = 0;
    while (offset < bytes.size()) {
        if (bytes.size() - offset < 8) throw Damaged{"record troncato"};
        RecordReader head(bytes.data() + offset, 8);
        const uint32_t type = head.U32(0), size = head.U32(4);
        if (size < 8 || size % 4 != 0 || size > bytes.size() - offset) throw Damaged{"record danneggiato"};
        if (type == EmrEof) return;
        if (offset > 0 || type != EmrHeader) Record(type, RecordReader(bytes.data() + offset, size));
        offset += size;
    }
    // A picture without its closing record still shows what it holds.
}

Transform Player::Total() const {
    Transform page;
    const uint32_t mode = dc_.MapMode;
    if (mode == 7 || mode == 8) {  // isotropic, anisotropic
        const double sx = dc_.WindowExtX != 0 ? dc_.ViewportExtX / dc_.WindowExtX : 1;
        const double sy = dc_.WindowExtY != 0 ? dc_.ViewportExtY / dc_.WindowExtY : 1;
        page = {sx, 0, 0, sy, dc_.ViewportOrgX - dc_.WindowOrgX * sx, dc_.ViewportOrgY - dc_.WindowOrgY * sy};
    } else {
        double unitsPerMm = 0;
        switch (mode) {
        case 2: unitsPerMm = 10; break;           // 0.1 mm
        case 3: unitsPerMm = 100; break;          // 0.01 mm
        case 4: unitsPerMm = 100 / 25.4; break;   // 0.01 inch
        case 5: unitsPerMm = 1000 / 25.4; break;  // 0.001 inch
        case 6: unitsPerMm = 1440 / 25.4; break;  // twips
        default: break;
        }
        double sx = 1, sy = 1;
        if (unitsPerMm > 0 && header_.DeviceWidthMm > 0 && header_.DeviceHeightMm > 0) {
            sx = header_.DeviceWidth / double(header_.DeviceWidthMm) / unitsPerMm;
            sy = -header_.DeviceHeight / double(header_.DeviceHeightMm) / unitsPerMm;
        }
        page = {sx, 0, 0, sy, dc_.ViewportOrgX - dc_.WindowOrgX * sx, dc_.ViewportOrgY - dc_.WindowOrgY * sy};
    }
    return dc_.World.Then(page).Then(frameToBox_);
}

double Player::DeviceScale() const {
    const Transform t = Total();
    return std::sqrt(std::fabs(t.M11 * t.M22 - t.M12 * t.M21));
}

std::vector<DevicePoint> Player::ReadPoints(const RecordReader& r, size_t offset, uint32_t count, bool small) const {
    const size_t each = small ? 4 : 8;
    if (count > (r.size() - std::min(offset, r.size())) / each) throw Damaged{"numero di punti eccessivo"};
    std::vector<DevicePoint> points;
    points.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t o = offset + i * each;
        if (small) points.push_back({double(r.I16(o)), double(r.I16(o + 2))});
        else points.push_back({double(r.I32(o)), double(r.I32(o + 4))});
    }
    return points;
}

std::vector<DevicePoint> FlattenBeziers(const std::vector<DevicePoint>& p) {
    // p[0] then groups of three: control, control, end.
    std::vector<DevicePoint> out;
    if (p.empty()) return out;
    out.push_back(p[0]);
    for (size_t i = 1; i + 2 < p.size(); i += 3) {
        const DevicePoint a = p[i - 1], b = p[i], c = p[i + 1], d = p[i + 2];
        constexpr int Steps = 12;
        for (int s = 1; s <= Steps; ++s) {
            const double t = double(s) / Steps, u = 1 - t;
            const double k0 = u * u * u, k1 = 3 * u * u * t, k2 = 3 * u * t * t, k3 = t * t * t;
            out.push_back({k0 * a.X + k1 * b.X + k2 * c.X + k3 * d.X, k0 * a.Y + k1 * b.Y + k2 * c.Y + k3 * d.Y});
        }
    }
    return out;
}

void Player::ApplyPen() {
    Pen pen = dc_.PenObject.PenValue;
    if (dc_.PenObject.LogicalPenWidth > 0)
        pen.Width = std::max(1, static_cast<int>(std::lround(dc_.PenObject.LogicalPenWidth * DeviceScale())));
    device_.SetPen(pen);
}

void Player::ApplyBrush() { device_.SetBrush(dc_.BrushObject.BrushValue); }

void Player::Shape(std::vector<DevicePoint> logical, bool closed, bool bezier, bool fromCurrent) {
    if (fromCurrent) logical.insert(logical.begin(), dc_.Current);
    if (logical.empty()) return;
    dc_.Current = logical.back();
    std::vector<DevicePoint> pts;
    pts.reserve(logical.size());
    for (const DevicePoint& p : logical) pts.push_back(ToDevice(p));
    if (bezier) pts = FlattenBeziers(pts);
    if (inPath_) {
        if (fromCurrent && !path_.empty() && !path_.back().empty()) {
            path_.back().insert(path_.back().end(), pts.begin() + 1, pts.end());
        } else {
            path_.push_back(std::move(pts));
        }
        return;
    }
    ApplyPen();
    if (closed) {
        ApplyBrush();
        device_.Polygon(pts, dc_.Rule);
    } else {
        device_.Polyline(pts);
    }
}

void Player::Poly(uint32_t type, const RecordReader& r, bool small) {
    const uint32_t count = r.U32(24);
    std::vector<DevicePoint> pts = ReadPoints(r, 28, count, small);
    const uint32_t base = small ? type - (EmrPolyBezier16 - EmrPolyBezier) : type;
    switch (base) {
    case EmrPolyBezier: Shape(std::move(pts), false, true, false); break;
    case EmrPolygon: Shape(std::move(pts), true, false, false); break;
    case EmrPolyline: Shape(std::move(pts), false, false, false); break;
    case EmrPolyBezierTo: Shape(std::move(pts), false, true, true); break;
    case EmrPolylineTo: Shape(std::move(pts), false, false, true); break;
    default: break;
    }
}

void Player::PolyPoly(const RecordReader& r, bool polygon, bool small) {
    const uint32_t polys = r.U32(24), total = r.U32(28);
    if (polys > r.size() / 4) throw Damaged{"numero di figure eccessivo"};
    r.Need(32, size_t(polys) * 4);
    std::vector<uint32_t> counts(polys);
    uint64_t sum = 0;
    for (uint32_t i = 0; i < polys; ++i) sum += counts[i] = r.U32(32 + size_t(i) * 4);
    if (sum != total) throw Damaged{"conteggio dei punti incoerente"};
    const std::vector<DevicePoint> all = ReadPoints(r, 32 + size_t(polys) * 4, total, small);
    std::vector<std::vector<DevicePoint>> contours;
    size_t at = 0;
    for (uint32_t n : counts) {
        std::vector<DevicePoint> c;
        for (uint32_t i = 0; i < n; ++i) c.push_back(ToDevice(all[at++]));
        if (!c.empty()) contours.push_back(std::move(c));
    }
    if (!all.empty()) dc_.Current = all.back();
    if (inPath_) {
        for (auto& c : contours) path_.push_back(std::move(c));
        return;
    }
    ApplyPen();
    if (polygon) {
        ApplyBrush();
        device_.Polygons(contours, dc_.Rule);
    } else {
        for (const auto& c : contours) device_.Polyline(c);
    }
}

void Player::EllipseOrRectangle(const RecordReader& r, bool ellipse) {
    const DevicePoint a = ToDevice({double(r.I32(8)), double(r.I32(12))});
    const DevicePoint b = ToDevice({double(r.I32(16)), double(r.I32(20))});
    const DeviceRect box{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
    if (inPath_) {
        std::vector<DevicePoint> c;
        if (ellipse) {
            const double cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
            for (int i = 0; i < 36; ++i) {
                const double t = i * M_PI / 18;
                c.push_back({cx + box.Width() / 2 * std::cos(t), cy - box.Height() / 2 * std::sin(t)});
            }
        } else {
            c = {{box.Left, box.Top}, {box.Right, box.Top}, {box.Right, box.Bottom}, {box.Left, box.Bottom}};
        }
        path_.push_back(std::move(c));
        return;
    }
    ApplyPen();
    ApplyBrush();
    if (ellipse) device_.Ellipse(box);
    else device_.Rectangle(box);
}

void Player::ArcOut(const RecordReader& r) {
    const DevicePoint a = ToDevice({double(r.I32(8)), double(r.I32(12))});
    const DevicePoint b = ToDevice({double(r.I32(16)), double(r.I32(20))});
    const DevicePoint from = ToDevice({double(r.I32(24)), double(r.I32(28))});
    const DevicePoint to = ToDevice({double(r.I32(32)), double(r.I32(36))});
    const DeviceRect box{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
    const double cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    const double start = std::atan2(cy - from.Y, from.X - cx) * 180 / M_PI;
    const double end = std::atan2(cy - to.Y, to.X - cx) * 180 / M_PI;
    double sweep = end - start;
    while (sweep <= 0) sweep += 360;  // counter-clockwise; equal radials make the whole ellipse
    if (inPath_) return;
    ApplyPen();
    device_.Arc(box, start, sweep);
}

std::string Utf16ToUtf8(const RecordReader& r, size_t offset, uint32_t chars) {
    std::string out;
    for (uint32_t i = 0; i < chars; ++i) {
        uint32_t c = r.U16(offset + size_t(i) * 2);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < chars) {
            const uint32_t low = r.U16(offset + size_t(i + 1) * 2);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        if (c == 0) break;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | c >> 6), out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | c >> 12), out += char(0x80 | (c >> 6 & 0x3F)), out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18), out += char(0x80 | (c >> 12 & 0x3F)), out += char(0x80 | (c >> 6 & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void Player::TextOut(const RecordReader& r, bool wide) {
    // emrtext starts at 36: reference point, character count, string offset, options, rectangle.
    const DevicePoint ref{double(r.I32(36)), double(r.I32(40))};
    const uint32_t chars = r.U32(44), offString = r.U32(48);
    if (chars > r.size()) throw Damaged{"testo troppo lungo"};
    r.Need(offString, size_t(chars) * (wide ? 2 : 1));
    std::string text;
    if (wide) {
        text = Utf16ToUtf8(r, offString, chars);
    } else {
        std::string raw;
        for (uint32_t i = 0; i < chars; ++i) raw += char(r.U8(offString + i));
        text = Cp1252ToUtf8(raw);
    }
    if (inPath_ || text.empty()) return;

    Font font = dc_.FontObject.FontValue;
    const double height = std::fabs(dc_.FontObject.LogicalFontHeight) * DeviceScale();
    font.Height = std::max(1, static_cast<int>(std::lround(height)));
    if (font.FixedWidth > 0)
        font.FixedWidth = std::max(1, static_cast<int>(std::lround(font.FixedWidth * DeviceScale())));
    device_.SetFont(font);
    device_.SetTextColour(dc_.TextColour);

    DevicePoint at = ToDevice((dc_.TextAlign & 1) ? dc_.Current : ref);
    const uint32_t horizontal = dc_.TextAlign & 6, vertical = dc_.TextAlign & 0x18;
    const TextAlign align = horizontal == 6 ? TextAlign::Centre : horizontal == 2 ? TextAlign::Right : TextAlign::Left;
    // The device writes from the top; a baseline or bottom reference is moved up by the usual
    // ascent (four fifths of the cell) or the whole cell.
    if (vertical == 0x18) at.Y -= 0.8 * font.Height;
    else if (vertical == 0x08) at.Y -= font.Height;
    device_.Text(at, text, align);
}

void Player::Select(uint32_t handle) {
    if (handle & 0x80000000u) {
        switch (handle & 0x7FFFFFFFu) {
        case 0: dc_.BrushObject.BrushValue = Colours::White; break;
        case 1: dc_.BrushObject.BrushValue = Colour{192, 192, 192}; break;
        case 2: dc_.BrushObject.BrushValue = Colour{128, 128, 128}; break;
        case 3: dc_.BrushObject.BrushValue = Colour{64, 64, 64}; break;
        case 4: dc_.BrushObject.BrushValue = Colours::Black; break;
        case 5: dc_.BrushObject.BrushValue = std::nullopt; break;
        case 6: dc_.PenObject.PenValue = {Colours::White, 0, PenStyle::Solid}, dc_.PenObject.LogicalPenWidth = 0; break;
        case 7: dc_.PenObject.PenValue = {Colours::Black, 0, PenStyle::Solid}, dc_.PenObject.LogicalPenWidth = 0; break;
        case 8: dc_.PenObject.PenValue = {Colours::Black, 0, PenStyle::None}, dc_.PenObject.LogicalPenWidth = 0; break;
        default: break;  // stock fonts and palettes keep the current font
        }
        return;
    }
    const auto it = objects_.find(handle);
    if (it == objects_.end()) return;
    switch (it->second.Type) {
    case GdiObject::Kind::Pen: dc_.PenObject = it->second; break;
    case GdiObject::Kind::Brush: dc_.BrushObject = it->second; break;
    case GdiObject::Kind::Font: dc_.FontObject = it->second; break;
    }
}

PenStyle PenStyleOf(uint32_t style) {
    switch (style & 0xF) {
    case 1:
    case 3:
    case 4: return PenStyle::Dashed;
    case 2:
    case 8: return PenStyle::Dotted;
    case 5: return PenStyle::None;
    default: return PenStyle::Solid;
    }
}

void Player::StrokeAndFillPath(bool stroke, bool fill) {
    std::vector<std::vector<DevicePoint>> contours;
    for (auto& c : path_)
        if (!c.empty()) contours.push_back(std::move(c));
    path_.clear();
    if (contours.empty()) return;
    if (fill) {
        if (stroke) ApplyPen();
        else device_.SetPen({Colours::Black, 0, PenStyle::None});
        ApplyBrush();
        device_.Polygons(contours, dc_.Rule);
    } else if (stroke) {
        ApplyPen();
        for (const auto& c : contours) device_.Polyline(c);
    }
}

void Player::Record(uint32_t type, const RecordReader& r) {
    switch (type) {
    case EmrPolyBezier:
    case EmrPolygon:
    case EmrPolyline:
    case EmrPolyBezierTo:
    case EmrPolylineTo: Poly(type, r, false); break;
    case EmrPolyBezier16:
    case EmrPolygon16:
    case EmrPolyline16:
    case EmrPolyBezierTo16:
    case EmrPolylineTo16: Poly(type, r, true); break;
    case EmrPolyPolyline: PolyPoly(r, false, false); break;
    case EmrPolyPolygon: PolyPoly(r, true, false); break;
    case EmrPolyPolyline16: PolyPoly(r, false, true); break;
    case EmrPolyPolygon16: PolyPoly(r, true, true); break;
    case EmrSetWindowExtEx: dc_.WindowExtX = r.I32(8), dc_.WindowExtY = r.I32(12); break;
    case EmrSetWindowOrgEx: dc_.WindowOrgX = r.I32(8), dc_.WindowOrgY = r.I32(12); break;
    case EmrSetViewportExtEx: dc_.ViewportExtX = r.I32(8), dc_.ViewportExtY = r.I32(12); break;
    case EmrSetViewportOrgEx: dc_.ViewportOrgX = r.I32(8), dc_.ViewportOrgY = r.I32(12); break;
    case EmrSetMapMode: dc_.MapMode = r.U32(8); break;
    case EmrSetPolyFillMode: dc_.Rule = r.U32(8) == 2 ? FillRule::Winding : FillRule::Alternate; break;
    case EmrSetTextAlign: dc_.TextAlign = r.U32(8); break;
    case EmrSetTextColor: dc_.TextColour = r.ColourAt(8); break;
    case EmrMoveToEx:
        dc_.Current = {double(r.I32(8)), double(r.I32(12))};
        if (inPath_) path_.push_back({ToDevice(dc_.Current)});
        break;
    case EmrLineTo: {
        const DevicePoint to{double(r.I32(8)), double(r.I32(12))};
        if (inPath_) {
            if (path_.empty()) path_.push_back({ToDevice(dc_.Current)});
            path_.back().push_back(ToDevice(to));
        } else {
            ApplyPen();
            device_.Line(ToDevice(dc_.Current), ToDevice(to));
        }
        dc_.Current = to;
        break;
    }
    case EmrSaveDC:
        if (saved_.size() < 1024) saved_.push_back(dc_);  // deeper nesting is no real picture's
        break;
    case EmrRestoreDC: {
        const int32_t relative = r.I32(8);
        if (relative < 0 && size_t(-int64_t(relative)) <= saved_.size()) {
            saved_.resize(saved_.size() - size_t(-int64_t(relative)) + 1);
            dc_ = saved_.back();
            saved_.pop_back();
        }
        break;
    }
    case EmrSetWorldTransform: dc_.World = {r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)}; break;
    case EmrModifyWorldTransform: {
        const Transform t{r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)};
        switch (r.U32(32)) {
        case 1: dc_.World = Transform{}; break;
        case 2: dc_.World = t.Then(dc_.World); break;
        case 3: dc_.World = dc_.World.Then(t); break;
        case 4: dc_.World = t; break;
        default: break;
        }
        break;
    }
    case EmrSelectObject: Select(r.U32(8)); break;
    case EmrDeleteObject: objects_.erase(r.U32(8)); break;
    case EmrCreatePen: {
        GdiObject o;
        o.Type = GdiObject::Kind::Pen;
        const uint32_t style = r.U32(12);
        o.LogicalPenWidth = r.I32(16);
        o.PenValue = {r.ColourAt(24), 0, PenStyleOf(style)};
        objects_[r.U32(8)] = o;
        break;
    }
    case EmrExtCreatePen: {
        GdiObject o;
        o.Type = GdiObject::Kind::Pen;
        const uint32_t style = r.U32(28);
        o.LogicalPenWidth = r.U32(32);
        o.PenValue = {r.ColourAt(40), 0, PenStyleOf(style)};
        if (((style >> 16) & 0xF) == 0) o.LogicalPenWidth = 0;  // cosmetic: always one pixel
        objects_[r.U32(8)] = o;
        break;
    }
    case EmrCreateBrushIndirect: {
        GdiObject o;
        o.Type = GdiObject::Kind::Brush;
        const uint32_t style = r.U32(12);
        if (style != 1) o.BrushValue = r.ColourAt(16);  // hatched and pattern brushes are drawn solid
        objects_[r.U32(8)] = o;
        break;
    }
    case EmrExtCreateFontIndirectW: {
        GdiObject o;
        o.Type = GdiObject::Kind::Font;
        o.LogicalFontHeight = r.I32(12);
        const int32_t width = r.I32(16);
        o.FontValue.Weight = r.I32(28);
        o.FontValue.Italic = r.U8(32) != 0;
        o.FontValue.Face = Utf16ToUtf8(r, 40, 32);
        o.FontValue.FixedWidth = width > 0 ? width : 0;
        o.FontValue.Height = 1;
        objects_[r.U32(8)] = o;
        break;
    }
    case EmrExtTextOutW: TextOut(r, true); break;
    case EmrExtTextOutA: TextOut(r, false); break;
    case EmrEllipse: EllipseOrRectangle(r, true); break;
    case EmrRectangle: EllipseOrRectangle(r, false); break;
    case EmrArc: ArcOut(r); break;
    case EmrBeginPath: inPath_ = true, path_.clear(); break;
    case EmrEndPath: inPath_ = false; break;
    case EmrAbortPath: inPath_ = false, path_.clear(); break;
    case EmrCloseFigure:
        if (!path_.empty() && !path_.back().empty()) path_.back().push_back(path_.back().front());
        break;
    case EmrFillPath: StrokeAndFillPath(false, true); break;
    case EmrStrokePath: StrokeAndFillPath(true, false); break;
    case EmrStrokeAndFillPath: StrokeAndFillPath(true, true); break;
    default: break;  // not drawn
    }
}

}  // namespace

MetafileHeader ReadMetafileHeader(const MetafilePicture& picture) {
    try {
        return ParseHeader(FirstRecord(picture.Bytes));
    } catch (const Damaged& d) {
        throw DataFileError(picture.Name, "immagine danneggiata: " + d.Fault);
    }
}

void PlayMetafile(const MetafilePicture& picture, Device& device, const DeviceRect& box) {
    try {
        Player(picture, device, box).Play();
    } catch (const Damaged& d) {
        throw DataFileError(picture.Name, "immagine danneggiata: " + d.Fault);
    }
}

void Device::Picture(const MetafilePicture& picture, const DeviceRect& box) { PlayMetafile(picture, *this, box); }

MetafilePicture LoadMetafilePicture(const ProgramFolder& folder, std::string_view programPath) {
    MetafilePicture picture;
    picture.Name = std::string(programPath);
    picture.Bytes = ReadWholeFile(folder, programPath);
    return picture;
}

}  // namespace florimant
