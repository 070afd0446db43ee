#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/archetypal_structure.hpp"
#include "analysis/masters.hpp"
#include "common/file_io.hpp"

using namespace florimant;

namespace {

// A chart with the seven planets at 10° of the given signs (1 Aries .. 12 Pisces).
ChartData PlanetsIn(std::array<int, 7> signs) {
    ChartData chart;
    for (int p = 1; p <= 7; ++p) chart.Longitude[p] = 30 * (signs[static_cast<size_t>(p - 1)] - 1) + 10;
    return chart;
}

const ReceptionLists& ShippedLists() {
    static const ReceptionLists lists = LoadReceptionLists(ProgramFolder(FLORIMANT_INSTALLATION_DIR));
    return lists;
}

std::vector<int> RowPlanets(const StructureRow& row) {
    std::vector<int> planets;
    for (const auto& slot : row.Slots)
        if (slot.Planet) planets.push_back(slot.Planet);
    return planets;
}

}  // namespace

TEST(Dignities, TableCodes) {
    EXPECT_EQ(DignityOf(3, 11), Exaltation);  // Mercury in Aquarius
    EXPECT_EQ(DignityOf(3, 5), Fall);         // Mercury in Leo
    EXPECT_EQ(DignityOf(3, 6), Domicile);
    EXPECT_EQ(DignityOf(3, 12), Exile);
    EXPECT_EQ(DignityOf(1, 11), Exile);  // Sun in Aquarius
    EXPECT_EQ(DignityOf(7, 1), Fall);    // Saturn in Aries
    EXPECT_EQ(DignityOf(2, 3), NoDignity);
    // Every sign has exactly one domicile ruler, and each planet's four kinds cover distinct signs.
    for (int s = 1; s <= 12; ++s) {
        int rulers = 0;
        for (int p = 1; p <= 7; ++p) rulers += RulesSign(p, s);
        EXPECT_EQ(rulers, 1) << s;
    }
    EXPECT_EQ(SignRuler(11), 7);
    EXPECT_STREQ(DignityLetters(Exaltation), "Ae");
}

TEST(Dignities, ShippedReceptionListsAreTheGeneratedOnes) {
    const auto& lists = ShippedLists();
    for (int size = 2; size <= 5; ++size)
        EXPECT_EQ(lists.Keys[static_cast<size_t>(size - 2)], MutualReceptionKeys(size)) << size;
    EXPECT_EQ(lists.Keys[0].size(), 61u);
    const auto& pairs = lists.Keys[0];
    EXPECT_TRUE(std::binary_search(pairs.begin(), pairs.end(), "01040205"));   // Sun in Cancer, Moon in Leo
    EXPECT_FALSE(std::binary_search(pairs.begin(), pairs.end(), "01050204"));  // both at home: no reception
    // Every member of every key stands in a domicile of another member and rules someone's sign.
    for (const auto& key : lists.Keys[2]) {
        ASSERT_EQ(key.size(), 16u);
        for (size_t m = 0; m < 4; ++m) {
            const int sign = std::stoi(key.substr(4 * m + 2, 2));
            const int ruler = SignRuler(sign);
            bool ruledByMember = false;
            for (size_t o = 0; o < 4; ++o) ruledByMember |= std::stoi(key.substr(4 * o, 2)) == ruler && o != m;
            EXPECT_TRUE(ruledByMember) << key;
        }
    }
}

TEST(Dignities, ShippedYearRulersAreTheGeneratedOnes) {
    const auto lines = ReadTextLines(ProgramFolder(FLORIMANT_INSTALLATION_DIR), YearRulerFile);
    EXPECT_EQ(lines, YearRulerTableLines());
    ASSERT_EQ(lines.size(), 252u);
    EXPECT_EQ(lines.front().substr(0, 4), "1765");
    EXPECT_EQ(lines.back().substr(0, 4), "2016");
}

TEST(ArchetypalStructure, CombinationOrders) {
    const auto triples5 = ReceptionCombinationOrder(5, 3);
    const std::vector<std::vector<int>> expected5{{1, 2, 3}, {2, 3, 4}, {1, 3, 4}, {1, 2, 4}, {3, 4, 5},
                                                  {2, 4, 5}, {1, 4, 5}, {2, 3, 5}, {1, 3, 5}, {1, 2, 5}};
    EXPECT_EQ(triples5, expected5);
    const auto triples7 = ReceptionCombinationOrder(7, 3);
    EXPECT_EQ(triples7.size(), 35u);
    EXPECT_NE(std::find(triples7.begin(), triples7.end(), std::vector<int>{4, 5, 7}), triples7.end());
    // Block 6 follows block 5 and is lexicographic.
    EXPECT_EQ(triples7[10], (std::vector<int>{1, 2, 6}));
    EXPECT_EQ(triples7[11], (std::vector<int>{1, 3, 6}));
    const auto quintuples6 = ReceptionCombinationOrder(6, 5);
    const std::vector<std::vector<int>> expectedQ{{1, 2, 3, 4, 5}, {1, 2, 3, 4, 6}, {1, 2, 3, 5, 6},
                                                  {1, 2, 4, 5, 6}, {1, 3, 4, 5, 6}, {2, 3, 4, 5, 6}};
    EXPECT_EQ(quintuples6, expectedQ);
    EXPECT_EQ(ReceptionCombinationOrder(7, 4).size(), 35u);
    EXPECT_TRUE(ReceptionCombinationOrder(3, 4).empty());
}

TEST(ArchetypalStructure, NoDignityNoReceptionGivesNoRows) {
    const ChartData chart = PlanetsIn({3, 3, 4, 9, 9, 5, 9});
    EXPECT_TRUE(ComputeArchetypalStructure(chart, ReceptionLists{}).Empty());
}

TEST(ArchetypalStructure, PairMarksAndSortOrder) {
    // Sun in Cancer / Moon in Leo, Mercury in Taurus / Venus in Gemini, Mars in Sagittarius /
    // Jupiter in Aries: three pairs. Saturn in Sagittarius is disposed of by Jupiter.
    const auto s = ComputeArchetypalStructure(PlanetsIn({4, 5, 2, 3, 9, 1, 9}), ShippedLists());
    EXPECT_EQ(s.Marks[1], FirstPairMark);
    EXPECT_EQ(s.Marks[2], FirstPairMark);
    for (int p : {3, 4, 5, 6}) EXPECT_EQ(s.Marks[static_cast<size_t>(p)], LaterPairMark) << p;
    EXPECT_EQ(s.Marks[7], 0);
    EXPECT_EQ(s.Codes[7], NoDignity);
    ASSERT_EQ(s.Rows.size(), 6u);
    std::vector<int> roots;
    for (const auto& row : s.Rows) roots.push_back(row.Root);
    EXPECT_EQ(roots, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(RowPlanets(s.Rows[5]), (std::vector<int>{6, 7}));
    EXPECT_EQ(s.Rows[5].Slots[1].Level, 2);
    EXPECT_EQ(s.Rows[5].Slots[1].Parent, 6);
}

TEST(ArchetypalStructure, TripleAndDispositionTrees) {
    // Sun in Gemini, Mercury in Cancer, Moon in Leo: a triple. Mars and Jupiter in Leo hang under
    // the Sun, Venus and Saturn in Gemini under Mercury.
    const auto s = ComputeArchetypalStructure(PlanetsIn({3, 5, 4, 3, 5, 5, 3}), ShippedLists());
    for (int p : {1, 2, 3}) {
        EXPECT_EQ(s.Marks[static_cast<size_t>(p)], TripleMark);
        EXPECT_EQ(s.Codes[static_cast<size_t>(p)], Reception);
    }
    ASSERT_EQ(s.Rows.size(), 3u);
    EXPECT_EQ(RowPlanets(s.Rows[0]), (std::vector<int>{1, 5, 6}));
    EXPECT_EQ(RowPlanets(s.Rows[1]), (std::vector<int>{2}));
    EXPECT_EQ(RowPlanets(s.Rows[2]), (std::vector<int>{3, 4, 7}));
}

TEST(ArchetypalStructure, DeeperLevelsParentsAndDignitiesFirst) {
    // Sun in Leo (domicile) disposes of Mars in Leo; Mars disposes of Jupiter in Scorpio (level 3);
    // Venus in Aries is in exile and heads the table with its own row. Moon in Libra (Venus) hangs
    // under Venus; Mercury in Aquarius is exalted; Saturn in Cancer in exile.
    const auto s = ComputeArchetypalStructure(PlanetsIn({5, 7, 11, 1, 5, 8, 4}), ShippedLists());
    EXPECT_EQ(s.Codes[1], Domicile);
    EXPECT_EQ(s.Codes[3], Exaltation);
    EXPECT_EQ(s.Codes[4], Exile);
    EXPECT_EQ(s.Codes[7], Exile);
    ASSERT_EQ(s.Rows.size(), 4u);
    // exile (Venus, Saturn), exaltation (Mercury), domicile (Sun)
    EXPECT_EQ(s.Rows[0].Root, 4);
    EXPECT_EQ(s.Rows[1].Root, 7);
    EXPECT_EQ(s.Rows[2].Root, 3);
    EXPECT_EQ(s.Rows[3].Root, 1);
    EXPECT_EQ(RowPlanets(s.Rows[0]), (std::vector<int>{4, 2}));
    const auto& sun = s.Rows[3];
    EXPECT_EQ(RowPlanets(sun), (std::vector<int>{1, 5, 6}));
    EXPECT_EQ(sun.Slots[1].Level, 2);
    EXPECT_EQ(sun.Slots[1].Parent, 1);
    EXPECT_EQ(sun.Slots[2].Level, 3);
    EXPECT_EQ(sun.Slots[2].Parent, 5);
    EXPECT_STREQ(PlanetAbbreviation(sun.Slots[2].Parent), "mar");
}

TEST(ArchetypalStructure, MissingListIsAnError) {
    EXPECT_THROW(LoadReceptionLists(ProgramFolder("/nonexistent-florimant")), std::exception);
}
