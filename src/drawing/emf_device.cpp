#include "drawing/emf_device.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <uemf.h>
#include <uemf_utf.h>
}

#include "common/file_io.hpp"

namespace florimant {

namespace {

constexpr uint32_t PenHandle = 1, BrushHandle = 2, FontHandle = 3, HandleCount = 4;

int32_t Whole(double v) { return static_cast<int32_t>(std::clamp(std::lround(v), -0x7FFFFFFFL, 0x7FFFFFFFL)); }
U_POINTL PointOf(DevicePoint p) { return point32_set(Whole(p.X), Whole(p.Y)); }
U_RECTL RectOf(const DeviceRect& r) {
    return rectl_set(point32_set(Whole(r.Left), Whole(r.Top)), point32_set(Whole(r.Right), Whole(r.Bottom)));
}
U_COLORREF ColourRef(Colour c) { return colorref3_set(c.Red, c.Green, c.Blue); }

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

U_RECTL BoundsOf(std::span<const U_POINTL> pts) {
    U_RECTL r{0, 0, 0, 0};
    if (pts.empty()) return r;
    r.left = r.right = pts[0].x;
    r.top = r.bottom = pts[0].y;
    for (const U_POINTL& p : pts) {
        r.left = std::min(r.left, p.x), r.right = std::max(r.right, p.x);
        r.top = std::min(r.top, p.y), r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

}  // namespace

EmfDevice::EmfDevice(int width, int height, double unitsPerInch) {
    width = std::max(1, width), height = std::max(1, height);
    const int32_t wmm = std::max(1L, std::lround(width * 25.4 / unitsPerInch));
    const int32_t hmm = std::max(1L, std::lround(height * 25.4 / unitsPerInch));
    // The frame is the whole page in 0.01 mm, consistent with the device size in millimetres, so a
    // player maps it back onto exactly the page's units.
    const U_RECTL bounds = rectl_set(point32_set(0, 0), point32_set(width, height));
    const U_RECTL frame = rectl_set(point32_set(0, 0), point32_set(wmm * 100, hmm * 100));
    Append(U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, sizel_set(width, height), sizel_set(wmm, hmm), 0));
    Append(U_EMRSETMAPMODE_set(U_MM_TEXT));
    Append(U_EMRSETBKMODE_set(U_TRANSPARENT));
}

EmfDevice::~EmfDevice() = default;

void EmfDevice::Append(char* record) {
    if (!record) throw std::bad_alloc();
    uint32_t size;
    std::memcpy(&size, record + 4, 4);
    bytes_.insert(bytes_.end(), record, record + size);
    std::free(record);
    ++records_;
}

void EmfDevice::SetPen(const Pen& pen) {
    if (penSelected_ && pen == pen_) return;
    pen_ = pen;
    // The old pen is unselected before it is deleted: players differ on deleting a selected object.
    if (penSelected_) {
        Append(U_EMRSELECTOBJECT_set(U_BLACK_PEN));
        Append(U_EMRDELETEOBJECT_set(PenHandle));
    }
    uint32_t style = U_PS_SOLID;
    if (pen.Style == PenStyle::Dashed) style = U_PS_DASH;
    if (pen.Style == PenStyle::Dotted) style = U_PS_DOT;
    if (pen.Style == PenStyle::None) style = U_PS_NULL;
    U_POINT width{pen.Width, 0};
    Append(U_EMRCREATEPEN_set(PenHandle, logpen_set(style, width, ColourRef(pen.Rgb))));
    Append(U_EMRSELECTOBJECT_set(PenHandle));
    penSelected_ = true;
}

void EmfDevice::SetBrush(const Brush& brush) {
    if (brushSelected_ && brush == brush_) return;
    brush_ = brush;
    if (brushSelected_) {
        Append(U_EMRSELECTOBJECT_set(U_NULL_BRUSH));
        Append(U_EMRDELETEOBJECT_set(BrushHandle));
    }
    if (brush) {
        Append(U_EMRCREATEBRUSHINDIRECT_set(BrushHandle, logbrush_set(U_BS_SOLID, ColourRef(*brush), 0)));
    } else {
        Append(U_EMRCREATEBRUSHINDIRECT_set(BrushHandle, logbrush_set(U_BS_NULL, ColourRef(Colours::Black), 0)));
    }
    Append(U_EMRSELECTOBJECT_set(BrushHandle));
    brushSelected_ = true;
}

void EmfDevice::SetFont(const Font& font) { font_ = font; }

void EmfDevice::SetTextColour(Colour colour) {
    if (textColourSet_ && colour == textColour_) return;
    textColour_ = colour, textColourSet_ = true;
    Append(U_EMRSETTEXTCOLOR_set(ColourRef(colour)));
}

void EmfDevice::Text(DevicePoint at, std::string_view text, TextAlign align) {
    if (text.empty()) return;
    // The font record is written only when text uses it, once per change.
    if (!fontCreated_ || !(font_ == writtenFont_)) {
        uint16_t face[U_LF_FACESIZE] = {};
        size_t n = 0;
        uint16_t* wide = U_Utf8ToUtf16le(font_.Face.c_str(), 0, &n);
        if (wide) {
            std::memcpy(face, wide, std::min<size_t>(n, U_LF_FACESIZE - 1) * 2);
            std::free(wide);
        }
        const U_LOGFONT lf = logfont_set(font_.Height, font_.FixedWidth, 0, 0, font_.Weight, font_.Italic ? 1 : 0, 0, 0,
                                         U_ANSI_CHARSET, U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, U_PROOF_QUALITY,
                                         U_DEFAULT_PITCH | U_FF_DONTCARE, face);
        if (fontCreated_) {
            Append(U_EMRSELECTOBJECT_set(U_DEVICE_DEFAULT_FONT));
            Append(U_EMRDELETEOBJECT_set(FontHandle));
        }
        Append(U_EMREXTCREATEFONTINDIRECTW_set(FontHandle, reinterpret_cast<const char*>(&lf), nullptr));
        Append(U_EMRSELECTOBJECT_set(FontHandle));
        fontCreated_ = true;
        writtenFont_ = font_;
    }
    const int alignBits = U_TA_TOP | (align == TextAlign::Right    ? U_TA_RIGHT
                                      : align == TextAlign::Centre ? U_TA_CENTER
                                                                   : U_TA_LEFT);
    if (alignBits != textAlign_) {
        Append(U_EMRSETTEXTALIGN_set(alignBits));
        textAlign_ = alignBits;
    }
    const std::string utf8(text);
    size_t chars = 0;
    uint16_t* wide = U_Utf8ToUtf16le(utf8.c_str(), 0, &chars);
    if (!wide) return;
    std::vector<uint32_t> advances;
    if (measure_) advances = measure_(font_, text);
    if (advances.size() != chars) {
        // Estimates from the height and weight; our own player ignores them either way.
        uint32_t* estimate = dx_set(font_.Height, font_.Weight, static_cast<uint32_t>(chars));
        advances.assign(estimate, estimate + (estimate ? chars : 0));
        std::free(estimate);
        advances.resize(chars, uint32_t(font_.Height / 2));
    }
    uint64_t width = 0;
    for (uint32_t a : advances) width += a;
    const U_RECTL none = rectl_set(point32_set(0, 0), point32_set(-1, -1));
    char* emrtext =
        emrtext_set(PointOf(at), static_cast<U_NUM_STR>(chars), 2, wide, U_ETO_NO_RECT, none, advances.data());
    std::free(wide);
    if (!emrtext) throw std::bad_alloc();
    double left = at.X;
    if (align == TextAlign::Right) left -= double(width);
    if (align == TextAlign::Centre) left -= double(width) / 2;
    const U_RECTL bounds = rectl_set(PointOf({left, at.Y}), PointOf({left + double(width), at.Y + font_.Height}));
    char* record = U_EMREXTTEXTOUTW_set(bounds, U_GM_COMPATIBLE, 1.0f, 1.0f, reinterpret_cast<PU_EMRTEXT>(emrtext));
    std::free(emrtext);
    Append(record);
}

void EmfDevice::Line(DevicePoint from, DevicePoint to) {
    SelectPen();
    Append(U_EMRMOVETOEX_set(PointOf(from)));
    Append(U_EMRLINETO_set(PointOf(to)));
}

void EmfDevice::Polyline(std::span<const DevicePoint> points) {
    if (points.size() < 2) return;
    SelectPen();
    std::vector<U_POINTL> pts;
    for (const DevicePoint& p : points) pts.push_back(PointOf(p));
    Append(U_EMRPOLYLINE_set(BoundsOf(pts), static_cast<uint32_t>(pts.size()), pts.data()));
}

void EmfDevice::Polygons(std::span<const std::vector<DevicePoint>> contours, FillRule rule) {
    SelectPen();
    SelectBrush();
    const int fill = rule == FillRule::Winding ? U_WINDING : U_ALTERNATE;
    if (fill != fillRule_) {
        Append(U_EMRSETPOLYFILLMODE_set(fill));
        fillRule_ = fill;
    }
    std::vector<U_POINTL> pts;
    std::vector<uint32_t> counts;
    for (const auto& c : contours) {
        if (c.empty()) continue;
        for (const DevicePoint& p : c) pts.push_back(PointOf(p));
        counts.push_back(static_cast<uint32_t>(c.size()));
    }
    if (counts.empty()) return;
    if (counts.size() == 1) Append(U_EMRPOLYGON_set(BoundsOf(pts), counts[0], pts.data()));
    else
        Append(U_EMRPOLYPOLYGON_set(BoundsOf(pts), static_cast<uint32_t>(counts.size()), counts.data(),
                                    static_cast<uint32_t>(pts.size()), pts.data()));
}

void EmfDevice::Ellipse(const DeviceRect& box) {
    SelectPen();
    SelectBrush();
    Append(U_EMRELLIPSE_set(RectOf(box)));
}

void EmfDevice::Arc(const DeviceRect& box, double start, double sweep) {
    SelectPen();
    if (sweep < 0) start += sweep, sweep = -sweep;
    const double cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
    const double rx = box.Width() / 2, ry = box.Height() / 2;
    const double a = start * M_PI / 180, b = (start + std::min(sweep, 360.0)) * M_PI / 180;
    // Arcs run counter-clockwise from the start radial to the end radial; equal radials close the ellipse.
    const DevicePoint from{cx + rx * 4 * std::cos(a), cy - ry * 4 * std::sin(a)};
    const DevicePoint to{cx + rx * 4 * std::cos(b), cy - ry * 4 * std::sin(b)};
    Append(U_EMRARC_set(RectOf(box), PointOf(from), PointOf(to)));
}

void EmfDevice::Rectangle(const DeviceRect& box) {
    SelectPen();
    SelectBrush();
    Append(U_EMRRECTANGLE_set(RectOf(box)));
}

void EmfDevice::SelectPen() {
    if (!penSelected_) SetPen(pen_);
}
void EmfDevice::SelectBrush() {
    if (!brushSelected_) SetBrush(brush_);
}

std::vector<uint8_t> EmfDevice::Finish() const {
    std::vector<uint8_t> out = bytes_;
    // The closing record: no palette entries; its last field repeats its size.
    const uint32_t eof[5] = {U_EMR_EOF, 20, 0, 16, 20};
    const size_t at = out.size();
    out.resize(at + 20);
    for (int i = 0; i < 5; ++i) PutU32(out, at + 4 * i, eof[i]);
    PutU32(out, 48, static_cast<uint32_t>(out.size()));  // nBytes
    PutU32(out, 52, records_ + 1);                       // nRecords
    out[56] = uint8_t(HandleCount), out[57] = 0;         // nHandles
    return out;
}

void EmfDevice::Save(const std::filesystem::path& path) const {
    const std::vector<uint8_t> bytes = Finish();
    ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace florimant
