#pragma once
#include <string>
#include <vector>

#include "analysis/archetypal_structure.hpp"
#include "analysis/aspects.hpp"
#include "common/program_folder.hpp"
#include "drawing/primitives.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

// The small tables of the chart sheets, each drawn from its anchor (the top-left of its first
// row; titles stand 8 units higher).
namespace florimant {

inline constexpr const char* TermTextsFile = "OpzioneT\\SpgPianCan.Txt";

// The 18 lines of the sheet key file: term keys ("Sole07") of bodies 1..9, then their decan
// keys ("SolDec05", empty on a multiple of 10 degrees).
std::vector<std::string> SheetKeyLines(const ChartData& chart);
// Rewrites "OpzioneT\PosiPian.txt" with those lines.
void WriteSheetKeys(const ProgramFolder& folder, const ChartData& chart);

// "TERMINI": one row per line of the term texts whose key matches a line of the sheet key file;
// the rows after the ninth (the decans) in the other colour. A text wider than the room up to
// `rightEdge` is written smaller, centred on its row, so it stays off the next table and the
// page's edge.
void DrawTermsTable(Canvas& c, const ProgramFolder& folder, SheetPoint anchor, Real rightEdge);
void DrawDodecatemoriaTable(Canvas& c, const ChartData& chart, SheetPoint anchor);
void DrawLongitudesTable(Canvas& c, const ChartData& chart, SheetPoint anchor);          // portrait
void DrawRelativeLongitudesTable(Canvas& c, const ChartData& chart, SheetPoint anchor);  // landscape
void DrawLatitudesTable(Canvas& c, const ChartData& chart, SheetPoint anchor);
// The triangular table of spherical distances between points 1..9 (rows) and 2..11 (columns),
// cells 5 units wide (5.5 high on the sheets, 8 in the analysis window): a red, aqua or yellow
// stroke for each aspect mark and the distance in the colour of the last mark. `anchor` is its
// top-left corner; the column pictures start `titleHeight` below it (the default leaves room for
// the window's larger title font).
void DrawSphericalDistanceTable(Canvas& c, const ChartData& chart, const AspectOrbs& orbs, SheetPoint anchor,
                                Real cellHeight = 5.5L, Real titleHeight = 5);
// The ecliptic aspect grid of the analysis window, laid out as the table above (cells 8 high):
// the glyph of the aspect found and its whole-degree deviation ("03").
void DrawEclipticGrid(Canvas& c, const ChartData& chart, const AspectOrbs& orbs, SheetPoint anchor);
// The vector glyph (1..12) that marks an aspect kind; 0 for decile and novile.
int AspectGlyph(AspectKind kind);

// The archetypal structure turned on its side: each row a column of planets rising from the
// anchor, framed in the colour of its dignity code, rows in the same reception joined.
void DrawSheetStructure(Canvas& c, const ArchetypalStructure& structure, SheetPoint anchor);

// The planetary day and hour with the hour's ruler, the Ascendant's and Midheaven's rulers and
// the year and cycle rulers, computed afresh (the chart is left as it is).
void DrawSheetMasters(Canvas& c, const ProgramFolder& folder, const EphemerisSettings& settings, const ChartData& chart,
                      SheetPoint anchor);

}  // namespace florimant
