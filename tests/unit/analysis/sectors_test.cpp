#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "analysis/chart_keys.hpp"
#include "common/file_io.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

bool Has(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// Equal houses from an Ascendant, as the chart of the analysis window sees them.
ChartData ChartWithAscendant(Real ascendant) {
    ChartData chart;
    for (int i = 1; i <= 12; ++i)
        chart.HouseCusps[static_cast<size_t>(i)] = std::fmod(ascendant + 30 * (i - 1), Real(360));
    chart.Longitude[Body::Ascendant] = ascendant;
    chart.Longitude[Body::Midheaven] = std::fmod(ascendant + 270, Real(360));
    return chart;
}

struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("florimant-keys-" + std::to_string(::getpid()));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
};

}  // namespace

TEST(Sectors, DecadeBoundaries) {
    const auto decades = DecadeBoundaries();
    EXPECT_EQ(FindSector(decades, 0), 1);
    EXPECT_EQ(FindSector(decades, 5), 1);
    EXPECT_EQ(FindSector(decades, 10), 1);
    EXPECT_EQ(FindSector(decades, 10.0001L), 2);
    EXPECT_EQ(FindSector(decades, 20), 3);
    EXPECT_EQ(FindSector(decades, 25), 3);
    EXPECT_EQ(FindSector(decades, 355), 36);
    EXPECT_EQ(FindSector(decades, 350), 36);
    EXPECT_EQ(DecanOf(20), 0);
    EXPECT_EQ(DecanOf(20.5L), 3);
    EXPECT_EQ(DecanOf(359.9L), 36);
    EXPECT_EQ(DecanKey(1, 45), "SolDec05");
    EXPECT_EQ(DecanKey(1, 40), "");
}

TEST(Sectors, TermsFromFifteenDegreesBeforeTheAscendant) {
    for (Real ascendant : {Real(0), Real(7.3L), Real(100), Real(355.5L), Real(12), Real(359.99L)}) {
        const auto terms = TermBoundaries(ascendant);
        EXPECT_EQ(FindSector(terms, ascendant), 3) << static_cast<double>(ascendant);
        EXPECT_EQ(FindSector(terms, std::fmod(ascendant + 360 - 14.9L, Real(360))), 1);
    }
    // C1 = 13: term 1 runs from 358° across 0° Aries to 4°.
    const auto spanning = TermBoundaries(13);  // boundaries 4, 10, ... 358
    EXPECT_EQ(FindSector(spanning, 359), FindSector(spanning, 1));
    EXPECT_EQ(FindSector(spanning, 359), 1);
    EXPECT_EQ(FindSector(spanning, 4), 1);    // B0 goes to sector 1
    EXPECT_EQ(FindSector(spanning, 10), 3);   // other boundaries to the higher sector
    EXPECT_EQ(FindSector(spanning, 358), 1);  // except the last one
}

TEST(Sectors, DodecatemoriaAndComputedKeys) {
    EXPECT_NEAR(static_cast<double>(Dodecatemorion(35)), 95, 1e-12);
    EXPECT_NEAR(static_cast<double>(Dodecatemorion(359)), 347, 1e-12);
    EXPECT_NEAR(static_cast<double>(Dodecatemorion(60)), 60, 1e-12);
    ChartData chart = ChartWithAscendant(123.4L);
    chart.Longitude[1] = 20;
    const auto s = ComputeSectors(chart);
    EXPECT_EQ(s.TermKeys[Body::Ascendant], "Asce03");
    EXPECT_EQ(s.DecanKeys[1], "");
    EXPECT_EQ(s.DecadeKeys[1], "SO03");
    EXPECT_EQ(s.DecadeKeys[Body::Ascendant], "AS13");
}

TEST(ChartKeys, FamiliesInOrderAndFiles) {
    ChartData chart = ChartWithAscendant(100);
    const Real points[] = {0, 45, 165.5, 0.5, 20, 250, 300, 10, 100, 190, 100, 10};
    for (int i = 1; i <= 9; ++i) chart.Longitude[i] = points[i];
    chart.Longitude[Body::NorthNode] = 10;
    chart.Longitude[Body::SouthNode] = 190;
    chart.Longitude[Body::Moon] = 165.5L;
    chart.Longitude[Body::Mercury] = 0;
    const AspectOrbs orbs = FixedOrbSetA().Orbs;
    TempFolder temp;
    const ProgramFolder folder(temp.path);
    const ChartKeys keys = WriteChartKeys(folder, chart, orbs);
    const auto& k = keys.PointKeys;
    ASSERT_GE(k.size(), 11u * 5u);
    EXPECT_EQ(k[0], "SoleToro");
    EXPECT_EQ(k[10], "McieArie");
    // Houses: cusps moved back by 15°; the Sun at 45° is 55° before the Ascendant at 100°.
    EXPECT_EQ(k[11], "SoleUndi");
    EXPECT_EQ(k[11 + 9], "AscePrim");
    EXPECT_EQ(k[22 + 9], "Asce03");
    EXPECT_TRUE(Has(k, "SolDec05"));
    EXPECT_FALSE(Has(k, "MerDec01"));  // Mercury at 0°: no decan
    EXPECT_TRUE(Has(k, "SolAnAcq"));   // 315°
    EXPECT_TRUE(Has(k, "SolCaLeo"));   // 135°
    EXPECT_FALSE(Has(k, "MerAnAri"));  // 0° Aries has no reflections
    EXPECT_TRUE(Has(k, "NonOpNos"));   // the node axis is always keyed
    EXPECT_FALSE(Has(k, "LunOpNon"));  // 155.5° apart: no major aspect
    EXPECT_EQ(keys.SignKeys.front(), "ArAnPes");
    EXPECT_EQ(keys.SignKeys[10], "AcAnTor");
    EXPECT_EQ(keys.SignKeys[12], "ArCaVer");
    EXPECT_EQ(keys.SignKeys.size(), 24u);
    EXPECT_NEAR(static_cast<double>(keys.Dodecatemoria[1]), 225, 1e-12);
    EXPECT_EQ(ReadTextLines(folder, PointKeysFile), k);
    EXPECT_EQ(ReadTextLines(folder, SignKeysFile), keys.SignKeys);
}

TEST(ChartKeys, HouseBoundaryGoesToTheHigherHouse) {
    const ChartData chart = ChartWithAscendant(100);
    EXPECT_EQ(KeyHouse(chart.HouseCusps, 115), 2);  // cusp 2 (130) less 15
    EXPECT_EQ(KeyHouse(chart.HouseCusps, 114.9L), 1);
    EXPECT_EQ(KeyHouse(chart.HouseCusps, 86), 1);  // 14° before the Ascendant
    EXPECT_EQ(KeyHouse(chart.HouseCusps, 84), 12);
}

TEST(Sectors, ListSectorTextsMatchesByKeyPrefix) {
    TempFolder temp;
    const ProgramFolder folder(temp.path);
    const std::string pad(13, ' ');
    ReplaceTextFile(folder, SpecificPointTextsFile,
                    {"Sole07  " + pad + "Sole nel settimo termine", "Sole07  " + pad + "seconda riga ignorata",
                     "SolDec05" + pad + "Sole nel quinto decano", "SO05    " + pad + "Sole nella quinta decade",
                     "Asce03  " + pad + std::string(80, 'x')});
    std::array<std::string, AnalysisPointCount + 1> keys{};
    keys[1] = "Sole07";
    keys[10] = "Asce03";
    const auto lines = ListSectorTexts(folder, "PIANETI NEI TERMINI", keys, 6);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "Sole nel settimo termine");
    EXPECT_EQ(lines[2], std::string(70, 'x'));
    keys = {};
    keys[1] = "SO05";
    keys[2] = "";  // a point on a multiple of 10° adds nothing
    EXPECT_EQ(ListSectorTexts(folder, "H", keys, 4), (std::vector<std::string>{"H", "Sole nella quinta decade"}));
    EXPECT_THROW(ListSectorTexts(ProgramFolder(temp.path / "none"), "H", keys, 4), std::exception);
}
