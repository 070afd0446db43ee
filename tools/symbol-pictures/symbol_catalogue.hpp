#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "drawing/device.hpp"

// The symbol pictures of the installation (Simboli, Zodiaco): which pictures exist, the glyph each
// one shows, its colour, and how a picture file is made from the glyph's outline.
//
// Making a picture takes two steps. The outlines (closed polygons in picture units, 0..1000 both
// ways, Y downwards) are taken once from a pinned font and from our own drawn shapes and kept in
// the committed outline table; the pictures are then written from that table alone, so the files
// come out byte for byte the same on any machine.
namespace symbols {

inline constexpr int PictureUnits = 1000;

// The three files of every picture: the colour picture, "B" (black-and-white on the window, whose
// background is black: a white glyph) and "N" (black-and-white on paper: a black glyph).
enum class Variant { Colour, OnBlack, OnWhite };
inline constexpr Variant AllVariants[] = {Variant::Colour, Variant::OnBlack, Variant::OnWhite};

// Where a glyph comes from: characters of the font, or one of our drawn shapes.
enum class DrawnShape { None, Crescent, FireTriangle, EarthTriangle, AirTriangle, WaterTriangle, Salt, Sulphur };

struct SymbolEntry {
    std::string Key;      // "PiaX01", "SegM05", "ElFuo1": unique, names the outline
    std::string Folder;   // "Simboli" or "Zodiaco"
    std::string Stem;     // file name before the variant letter ("PiaX", "SegM", "ElFuo1")
    std::string Number;   // two digits after the variant letter, or empty
    std::string Meaning;  // what the glyph stands for, for the documentation and the contact sheet
    florimant::Colour Rgb;
    std::u32string Characters;  // font characters drawn side by side (empty for drawn shapes)
    DrawnShape Shape = DrawnShape::None;
};

const std::vector<SymbolEntry>& Catalogue();

// "Simboli\PiaXB01.emf": the program's own path of one variant.
std::string ProgramPath(const SymbolEntry& entry, Variant variant);
florimant::Colour VariantColour(const SymbolEntry& entry, Variant variant);

using Contour = std::vector<florimant::DevicePoint>;
using OutlineTable = std::map<std::string, std::vector<Contour>>;  // by entry key

// Turns outer contours one way and holes (contours inside an odd number of others) the other,
// so that readers filling by the non-zero rule, or ignoring the picture's fill mode, paint the
// same as the even-odd rule the pictures ask for.
void OrientForAnyFillRule(std::vector<Contour>& contours);

// The table's text: a comment header, then per entry "glyph KEY" and one "c x y x y ..." line per
// closed contour (whole picture units). Reading checks every number and raises
// florimant::DataFileError naming the file for anything malformed.
std::string FormatOutlineTable(const OutlineTable& table, const std::string& header);
OutlineTable ParseOutlineTable(const std::string& text, const std::string& fileName);
OutlineTable ReadOutlineTable(const std::filesystem::path& path);

// The metafile of one variant: a square page, the contours filled together (even-odd) with the
// variant's colour and no outline pen.
std::vector<uint8_t> PictureBytes(const std::vector<Contour>& contours, florimant::Colour colour);

// Writes every picture of the catalogue below `installation` (its Simboli and Zodiaco folders).
// Raises florimant::DataFileError when the table lacks an entry's outline. Returns the files
// written.
int WritePictures(const OutlineTable& table, const std::filesystem::path& installation);

}  // namespace symbols
