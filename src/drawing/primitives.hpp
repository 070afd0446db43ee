#pragma once
#include <string>
#include <string_view>

#include "common/program_folder.hpp"
#include "drawing/device.hpp"
#include "drawing/draw_state.hpp"

// The primitives every sheet and window drawing is made of: they take sheet units, choose pens,
// brushes and fonts by number from the drawing state, and draw on the canvas's device.
namespace florimant {

struct Canvas {
    const DrawState& State;
    Device& Target;
    // The program folder the symbol pictures are read from; none draws no pictures.
    const ProgramFolder* Pictures = nullptr;
    // Pictures are drawn on the window only while it is shown.
    bool WindowVisible = true;
};

void SetPen(Canvas& c, int role);
void SetLogicalPen(Canvas& c, int logicalRole);    // the role the target gives a logical role
void ReleasePen(Canvas& c);                        // back to the thin black pen
void SetBrush(Canvas& c, Colour colour);           // turned by the colour mode
void ReleaseBrush(Canvas& c);                      // shapes outlined only
void SetTextColour(Canvas& c, int logicalColour);  // 0 or 4

void Line(Canvas& c, SheetPoint from, SheetPoint to);
void Rectangle(Canvas& c, SheetPoint corner1, SheetPoint corner2);
void Ellipse(Canvas& c, SheetPoint corner1, SheetPoint corner2);
void Dot(Canvas& c, SheetPoint centre, Real radius);
// A true arc on the window at zoom 1; elsewhere 72 chords, from the left end counter-clockwise
// on the page (Y grows with the sine).
void Circle(Canvas& c, Real radius, SheetPoint centre);

// Texts whose top-left, top-right or top-centre is at the point, with font `font`. In
// black-and-white mode the text colour becomes logical 0 first.
void TextLeft(Canvas& c, std::string_view text, int font, SheetPoint at);
void TextRight(Canvas& c, std::string_view text, int font, SheetPoint at);
void TextCentre(Canvas& c, std::string_view text, int font, SheetPoint at);
// The same with a font and a device point of the caller's own (a size made to fit, say).
void TextInFont(Canvas& c, std::string_view text, const Font& font, DevicePoint at, TextAlign align);

void DashedLine(Canvas& c, SheetPoint from, SheetPoint to);      // 15 dashes
void DottedLine(Canvas& c, SheetPoint from, SheetPoint to);      // dots of radius 0.5
void FineDottedLine(Canvas& c, SheetPoint from, SheetPoint to);  // dots of radius 0.3

enum class SymbolFamily { Body, Sign, Element };
// "Simboli\PiaX01.emf", "Zodiaco\SegMB05.emf", "Simboli\ElFuo1N.emf": the variant letter is "B"
// for black-and-white on the window and "N" for black-and-white on paper. Body numbers 8..11
// are pictures 11, 13, 14, 15 (the nodes, the ascendant and the midheaven).
std::string SymbolPicturePath(const DrawState& state, SymbolFamily family, int number, std::string_view prefix = "");
// The picture stretched into the square of side `size` centred on the point. A missing picture
// is skipped; a damaged one raises DataFileError.
void DrawSymbol(Canvas& c, SymbolFamily family, int number, Real size, SheetPoint centre, std::string_view prefix = "");

// Vector glyphs 1..14 (the aspect marks of the analysis window), `size` sheet units across.
void DrawGlyph(Canvas& c, int glyph, Real size, SheetPoint at);
void DrawPageFrame(Canvas& c);
// The footer mark at the anchor (the mark itself sits 5 units right and 130 units down): a
// star and the program's name on a bar, red and yellow in colour, outlined otherwise.
void DrawFooterLogo(Canvas& c, SheetPoint anchor, bool colour);
// The date (font 1) right-aligned at the anchor, and 4 units lower the owner's name (font 15).
void DrawDateAndOwner(Canvas& c, SheetPoint anchor, std::string_view date, std::string_view owner);

}  // namespace florimant
