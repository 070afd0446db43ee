#pragma once
#include <array>
#include <string>
#include <vector>

#include "analysis/dignities.hpp"
#include "common/program_folder.hpp"
#include "engine/chart_data.hpp"

// The "Struttura Archetipale" reading: the dignity or debility of each planet, the groups of
// planets in mutual reception found in the "Scambi" lists, and the planets each classified
// planet disposes of, as rows of up to eight slots.
namespace florimant {

// Reception group marks.
inline constexpr int FirstPairMark = 21, LaterPairMark = 22, TripleMark = 3, QuadrupleMark = 4, QuintupleMark = 5;

struct StructureSlot {
    int Planet = 0;  // 0 = empty
    int Level = 0;   // 1 for the root
    int Parent = 0;  // 0 for the root
};

struct StructureRow {
    int Root = 0;
    DignityCode Code = NoDignity;
    int Mark = 0;
    std::array<StructureSlot, 8> Slots{};
    int FilledSlots() const;
};

struct ArchetypalStructure {
    std::array<DignityCode, PlanetCount + 1> Codes{};  // by planet 1..7
    std::array<int, PlanetCount + 1> Marks{};
    std::vector<StructureRow> Rows;  // sorted; only planets with a code
    bool Empty() const { return Rows.empty(); }
};

// The four reception lists: pairs, triples, quadruples, quintuples (index 0..3).
struct ReceptionLists {
    std::array<std::vector<std::string>, 4> Keys;
};
inline constexpr std::array<const char*, 4> ReceptionListFiles{"Scambi\\Scambio22.txt", "Scambi\\Scambio33.txt",
                                                               "Scambi\\Scambio44.txt", "Scambi\\Scambio55.txt"};
// Missing files raise DataFileError.
ReceptionLists LoadReceptionLists(const ProgramFolder& folder);

// The combinations of `size` positions among 1..freeCount in the order the search tries them:
// in blocks by the highest position, lexicographic within a block, except the triples with
// highest position 4 and 5 which run from the top down.
std::vector<std::vector<int>> ReceptionCombinationOrder(int freeCount, int size);

ArchetypalStructure ComputeArchetypalStructure(const ChartData& chart, const ReceptionLists& lists);
ArchetypalStructure ComputeArchetypalStructure(const ProgramFolder& folder, const ChartData& chart);

// "sol", "lun", "mer", "ven", "mar", "gio", "sat".
const char* PlanetAbbreviation(int planet);

}  // namespace florimant
