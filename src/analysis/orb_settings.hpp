#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/program_folder.hpp"
#include "common/real.hpp"
#include "engine/ephemeris.hpp"

// The orb sets and the two settings files that hold them:
// "FileSet\OrbiDomi.stt" (20 lines: the active set's 14 orbs in editor-row order, parallel and
// antiscia orbs, house system, node kind, set letter, black moon kind) and
// "FileDum\MMVarOrb.dum" (49 lines: the three sets of 16 numbers and the marked set's letter).
// Both are rewritten whole through a sibling temporary file.
namespace florimant {

inline constexpr std::string_view ActiveOrbFile = "FileSet\\OrbiDomi.stt";
inline constexpr std::string_view OrbSetsFile = "FileDum\\MMVarOrb.dum";

// The internal index of an aspect kind is its position in the active orb table.
enum class AspectKind {
    Congiunzione,
    Sestile,
    Quadrato,
    Trigono,
    Opposizione,
    SemiSestile,
    Decile,
    Novile,
    SemiQuadrato,
    Settile,
    Quintile,
    SesquiQuadr,
    BiQuintile,
    Quinconce
};
inline constexpr int AspectKindCount = 14;

// Editor row r (1..14, the order of the editor and of both files) to internal index.
inline constexpr std::array<int, AspectKindCount> EditorRowToAspect{0, 5, 6, 7, 8, 9, 1, 10, 2, 3, 11, 12, 13, 4};

// The orbs of one set by internal index, with the parallel and antiscia orbs.
struct OrbSetValues {
    std::array<Real, AspectKindCount> Orbs{};
    Real ParallelOrb = 0;
    Real AntisciaOrb = 0;
};

// Set A is fixed; B and C start from these defaults before any file is read.
OrbSetValues FixedOrbSetA();
OrbSetValues DefaultOrbSetB();
OrbSetValues DefaultOrbSetC();
// "A (normali)", "B (personali)", "C (personali)"; any other letter reads as "A".
std::string OrbSetDisplayName(char letter);
char NormalizeOrbSetLetter(char letter);

// The active orb table with the chart settings that share its file.
struct ActiveOrbTable {
    OrbSetValues Values;
    char Letter = 'A';
    std::string HouseSystem = "PLACIDO";  // at most 15 characters
    std::string NodeMode = "VERO";        // "VERO" or "MEDIO"
    std::string BlackMoonMode = "MEDIA";  // "VERA" selects the true black moon
};

// The node and black moon kinds of the table as the ephemeris takes them.
EphemerisSettings ChartEphemerisSettings(const ActiveOrbTable& table);

// Reads "FileSet\OrbiDomi.stt". Missing, short or garbled files raise DataFileError.
ActiveOrbTable LoadActiveOrbs(const ProgramFolder& folder);
// Writes "FileSet\OrbiDomi.stt" from a table.
void SaveActiveOrbs(const ProgramFolder& folder, const ActiveOrbTable& table);
// Replaces line n (1..20) of "FileSet\OrbiDomi.stt" by text, the other lines kept as read (each cut
// to 25 characters), then loads the file again.
ActiveOrbTable ReplaceSettingsLine(const ProgramFolder& folder, int line, std::string_view text);

// The three sets of "FileDum\MMVarOrb.dum".
struct OrbSets {
    std::array<OrbSetValues, 3> Sets;  // A, B, C
    char Letter = 'A';
};
OrbSets LoadOrbSets(const ProgramFolder& folder);
// Every number as a real; with `fixedSetAAsIntegers` the 14 orbs of set A are written as the
// integers the orb editor writes (10, 1, 1, 1, 1, 1, 4, 1, 6, 8, 1, 1, 1, 9).
void SaveOrbSets(const ProgramFolder& folder, const OrbSets& sets, bool fixedSetAAsIntegers);

// Makes one set active: its 16 numbers go to "FileSet\OrbiDomi.stt" with the current house system,
// node kind and black moon kind, "FileDum\MMVarOrb.dum" is rewritten with the letter, and the
// table is loaded again. When "FileDum\MMVarOrb.dum" is missing nothing is written and `Message`
// holds the message to show.
struct ApplyOrbSetResult {
    bool Applied = false;
    std::string Message;  // Manca File "MMVarOrb.dum"
    ActiveOrbTable Table;
};
ApplyOrbSetResult ApplyOrbSet(const ProgramFolder& folder, char letter);

}  // namespace florimant
