#pragma once
#include <QImage>
#include <QString>
#include <filesystem>
#include <string>

#include "symbol_catalogue.hpp"

// The Qt half of the generator: outlines from the font and from our drawn shapes, and a contact
// sheet of the finished pictures for a look. Needs a QGuiApplication.
namespace symbols {

// The font the glyphs are taken from and the SHA-256 of the file the committed table was made
// from; another file of the same name may draw the glyphs differently.
inline constexpr const char* PinnedFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* PinnedFontSha256 = "abdc775b21b1bc470d50c97e790d276f2054b7504e56e5bd3e64f48d68582322";

QString FileSha256(const QString& path);

// Every entry's outline, scaled so that its larger side spans the same share of the picture and
// centred on the picture's middle. Raises std::runtime_error when the font cannot be read or lacks
// a glyph.
OutlineTable ExtractOutlines(const QString& fontFile);
std::string OutlineTableHeader(const QString& fontFile);

// Every picture in colour on white and on black, "B" on black and "N" on white, large and at
// the size the chart sheets print them.
QImage RenderContactSheet(const std::filesystem::path& installation);

}  // namespace symbols
