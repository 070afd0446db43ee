#include "analysis/archetypal_structure.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

#include "common/file_io.hpp"
#include "engine/texts.hpp"

namespace florimant {
namespace {

int PlanetSign(const ChartData& chart, int planet) {
    return std::clamp(SignOf(chart.Longitude[static_cast<size_t>(planet)]) + 1, 1, 12);
}

bool Listed(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

std::vector<std::vector<int>> Lexicographic(int highest, int size) {
    std::vector<std::vector<int>> result;
    std::vector<int> combination;
    std::function<void(int)> extend = [&](int from) {
        if (static_cast<int>(combination.size()) == size - 1) {
            auto full = combination;
            full.push_back(highest);
            result.push_back(std::move(full));
            return;
        }
        for (int p = from; p < highest; ++p) {
            combination.push_back(p);
            extend(p + 1);
            combination.pop_back();
        }
    };
    extend(1);
    return result;
}

int SortClass(const StructureRow& row) {
    switch (row.Code) {
    case Exile: return 0;
    case Fall: return 1;
    case Exaltation: return 7;
    case Domicile: return 8;
    default: break;
    }
    switch (row.Mark) {
    case FirstPairMark: return 2;
    case LaterPairMark: return 3;
    case TripleMark: return 4;
    case QuadrupleMark: return 5;
    default: return 6;
    }
}

}  // namespace

int StructureRow::FilledSlots() const {
    return static_cast<int>(
        std::count_if(Slots.begin(), Slots.end(), [](const StructureSlot& s) { return s.Planet != 0; }));
}

ReceptionLists LoadReceptionLists(const ProgramFolder& folder) {
    ReceptionLists lists;
    for (size_t i = 0; i < lists.Keys.size(); ++i) lists.Keys[i] = ReadTextLines(folder, ReceptionListFiles[i]);
    return lists;
}

std::vector<std::vector<int>> ReceptionCombinationOrder(int freeCount, int size) {
    std::vector<std::vector<int>> order;
    for (int m = size; m <= freeCount; ++m) {
        if (size == 3 && m == 4) {
            order.insert(order.end(), {{2, 3, 4}, {1, 3, 4}, {1, 2, 4}});
        } else if (size == 3 && m == 5) {
            order.insert(order.end(), {{3, 4, 5}, {2, 4, 5}, {1, 4, 5}, {2, 3, 5}, {1, 3, 5}, {1, 2, 5}});
        } else {
            auto block = Lexicographic(m, size);
            order.insert(order.end(), block.begin(), block.end());
        }
    }
    return order;
}

ArchetypalStructure ComputeArchetypalStructure(const ChartData& chart, const ReceptionLists& lists) {
    ArchetypalStructure s;
    std::array<int, PlanetCount + 1> sign{};
    std::array<bool, PlanetCount + 1> placed{};
    std::array<StructureRow, PlanetCount + 1> rows{};
    for (int p = 1; p <= PlanetCount; ++p) {
        sign[static_cast<size_t>(p)] = PlanetSign(chart, p);
        rows[static_cast<size_t>(p)].Root = p;
        rows[static_cast<size_t>(p)].Slots[0] = {p, 1, 0};
    }
    // Dignities.
    for (int p = 1; p <= PlanetCount; ++p) {
        s.Codes[static_cast<size_t>(p)] = DignityOf(p, sign[static_cast<size_t>(p)]);
        if (s.Codes[static_cast<size_t>(p)] != NoDignity) placed[static_cast<size_t>(p)] = true;
    }
    const auto key = [&](const std::vector<int>& planets) {
        std::vector<std::pair<int, int>> members;
        for (int p : planets) members.emplace_back(p, sign[static_cast<size_t>(p)]);
        return ReceptionKey(members);
    };
    const auto freePlanets = [&] {
        std::vector<int> free;
        for (int p = 1; p <= PlanetCount; ++p)
            if (!placed[static_cast<size_t>(p)]) free.push_back(p);
        return free;
    };
    const auto placeMarked = [&] {
        for (int p = 1; p <= PlanetCount; ++p)
            if (s.Marks[static_cast<size_t>(p)] != 0 && !placed[static_cast<size_t>(p)]) {
                if (s.Codes[static_cast<size_t>(p)] == NoDignity) s.Codes[static_cast<size_t>(p)] = Reception;
                placed[static_cast<size_t>(p)] = true;
            }
    };
    // Pairs: every match counts; the first is told apart from the others.
    {
        const auto free = freePlanets();
        bool first = true;
        for (size_t a = 0; a < free.size(); ++a)
            for (size_t b = a + 1; b < free.size(); ++b)
                if (Listed(lists.Keys[0], key({free[a], free[b]}))) {
                    const int mark = first ? FirstPairMark : LaterPairMark;
                    s.Marks[static_cast<size_t>(free[a])] = s.Marks[static_cast<size_t>(free[b])] = mark;
                    first = false;
                }
        placeMarked();
    }
    // Triples, quadruples, quintuples: the first match of each size only.
    for (int size = 3; size <= 5; ++size) {
        const auto free = freePlanets();
        for (const auto& positions : ReceptionCombinationOrder(static_cast<int>(free.size()), size)) {
            std::vector<int> members;
            for (int position : positions) members.push_back(free[static_cast<size_t>(position - 1)]);
            if (!Listed(lists.Keys[static_cast<size_t>(size - 2)], key(members))) continue;
            for (int p : members) s.Marks[static_cast<size_t>(p)] = size;
            placeMarked();
            break;
        }
    }
    // Disposition trees: first the planets in a domicile of a root, then those in a domicile of
    // a planet already hung, slot by slot.
    const auto append = [&](StructureRow& row, int planet, int level, int parent) {
        for (StructureSlot& slot : row.Slots)
            if (slot.Planet == 0) {
                slot = {planet, level, parent};
                placed[static_cast<size_t>(planet)] = true;
                return;
            }
    };
    for (int p = 1; p <= PlanetCount; ++p) {
        if (s.Codes[static_cast<size_t>(p)] == NoDignity) continue;
        for (int v = 1; v <= PlanetCount; ++v)
            if (v != p && !placed[static_cast<size_t>(v)] && RulesSign(p, sign[static_cast<size_t>(v)]))
                append(rows[static_cast<size_t>(p)], v, 2, p);
    }
    for (size_t k = 1; k < 7; ++k)
        for (int j = 1; j <= PlanetCount; ++j) {
            StructureRow& row = rows[static_cast<size_t>(j)];
            const StructureSlot holder = row.Slots[k];
            if (holder.Planet == 0) continue;
            for (int v = 1; v <= PlanetCount; ++v) {
                if (placed[static_cast<size_t>(v)] || !RulesSign(holder.Planet, sign[static_cast<size_t>(v)])) continue;
                const bool inRow = std::any_of(row.Slots.begin(), row.Slots.end(),
                                               [&](const StructureSlot& slot) { return slot.Planet == v; });
                if (!inRow) append(row, v, holder.Level + 1, holder.Planet);
            }
        }
    for (int p = 1; p <= PlanetCount; ++p) {
        StructureRow row = rows[static_cast<size_t>(p)];
        row.Code = s.Codes[static_cast<size_t>(p)];
        row.Mark = s.Marks[static_cast<size_t>(p)];
        if (row.Code != NoDignity) s.Rows.push_back(row);
    }
    std::stable_sort(s.Rows.begin(), s.Rows.end(),
                     [](const StructureRow& a, const StructureRow& b) { return SortClass(a) < SortClass(b); });
    return s;
}

ArchetypalStructure ComputeArchetypalStructure(const ProgramFolder& folder, const ChartData& chart) {
    return ComputeArchetypalStructure(chart, LoadReceptionLists(folder));
}

const char* PlanetAbbreviation(int planet) {
    static const char* const names[] = {"", "sol", "lun", "mer", "ven", "mar", "gio", "sat"};
    return planet >= 1 && planet <= PlanetCount ? names[planet] : "";
}

}  // namespace florimant
