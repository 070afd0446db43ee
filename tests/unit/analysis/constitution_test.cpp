#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "analysis/antiscia.hpp"
#include "analysis/click_cycle.hpp"
#include "analysis/constitution.hpp"

using namespace florimant;

namespace {

int Sum(const CountTable& t) {
    int total = 0;
    for (const auto& row : t.Cells) total += std::accumulate(row.begin(), row.end(), 0);
    return total;
}

}  // namespace

TEST(Constitution, AllInAries) {
    ChartData chart;
    for (int p = 1; p <= 7; ++p) chart.Longitude[p] = 0;
    const auto elemental = ComputeElementalConstitution(chart);
    EXPECT_EQ(elemental.Cells[0][Fire], 7);  // Sale / Fire
    EXPECT_EQ(elemental.RowTotals[0], 7);
    EXPECT_EQ(elemental.ColumnTotals[Fire], 7);
    const auto seasonal = ComputeSeasonalConstitution(chart);
    EXPECT_EQ(seasonal.Cells[0][0], 7);  // cardinal / spring
    const auto eh = ComputeElementalHumours(chart);
    EXPECT_EQ(eh.FireCount, 7);
    EXPECT_EQ(eh.Hot, 7);
    EXPECT_EQ(eh.Dry, 7);
    EXPECT_EQ(eh.Moist, 0);
    const auto sh = ComputeSeasonalHumours(chart);
    EXPECT_EQ(sh.Air, 7);
    EXPECT_EQ(sh.Hot, 7);
    EXPECT_EQ(sh.Moist, 7);
    EXPECT_EQ(sh.Dry, 0);
}

TEST(Constitution, SignBoundariesAndClasses) {
    ChartData chart;
    for (int p = 1; p <= 7; ++p) chart.Longitude[p] = 100;  // Cancer
    chart.Longitude[1] = 30;                                // exactly 30° is Taurus
    chart.Longitude[2] = 359.999L;                          // Pisces
    const auto elemental = ComputeElementalConstitution(chart);
    EXPECT_EQ(elemental.Cells[0][Earth], 1);  // Taurus: Sale, Earth
    EXPECT_EQ(elemental.Cells[2][Water], 1);  // Pisces: Mercurio, Water
    EXPECT_EQ(elemental.Cells[0][Water], 5);  // Cancer: Sale, Water
    const auto seasonal = ComputeSeasonalConstitution(chart);
    EXPECT_EQ(seasonal.Cells[1][0], 1);  // Taurus: fixed, spring
    EXPECT_EQ(seasonal.Cells[2][3], 1);  // Pisces: mutable, winter
    EXPECT_EQ(seasonal.Cells[0][1], 5);  // Cancer: cardinal, summer
    EXPECT_EQ(SeasonElement(SignSeason(4)), Fire);
    EXPECT_EQ(SignThird(9), 2);
}

TEST(Constitution, CountsAlwaysAddUp) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> degrees(0, 360);
    for (int n = 0; n < 200; ++n) {
        ChartData chart;
        for (int p = 1; p <= 11; ++p) chart.Longitude[p] = degrees(random);
        EXPECT_EQ(Sum(ComputeElementalConstitution(chart)), 7);
        EXPECT_EQ(Sum(ComputeSeasonalConstitution(chart)), 7);
        for (const auto& h : {ComputeElementalHumours(chart), ComputeSeasonalHumours(chart)}) {
            EXPECT_EQ(h.Air + h.FireCount + h.EarthCount + h.WaterCount, 7);
            EXPECT_EQ(h.Hot + h.Moist + h.Cold + h.Dry, 14);
        }
    }
}

TEST(Antiscia, ReflectionsOfPointsAndSigns) {
    const auto at10 = ComputeAntiscia(10);
    ASSERT_TRUE(at10.Antiscion && at10.ContraAntiscion);
    EXPECT_DOUBLE_EQ(static_cast<double>(*at10.Antiscion), 350);        // 20° Pisces
    EXPECT_DOUBLE_EQ(static_cast<double>(*at10.ContraAntiscion), 170);  // 20° Virgo
    const auto at0 = ComputeAntiscia(0);
    EXPECT_FALSE(at0.Antiscion.has_value());
    EXPECT_FALSE(at0.ContraAntiscion.has_value());
    EXPECT_DOUBLE_EQ(static_cast<double>(ContraAntiscion(200)), 340);
    EXPECT_DOUBLE_EQ(static_cast<double>(Antiscion(0)), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(SignMidpoint(12)), 345);
}

TEST(ClickCycle, PointsAndSigns) {
    uint8_t sun = 0;
    const ClickAction expected[] = {ClickAction::ShowAttributions, ClickAction::ShowSignatureList,
                                    ClickAction::HidePanel, ClickAction::ShowAntiscia, ClickAction::ShowAttributions};
    const int messages[] = {28, 29, 28, 30, 28};
    for (int k = 0; k < 5; ++k) {
        const ClickStep step = AdvancePointClick(1, sun);
        EXPECT_EQ(step.Action, expected[k]) << k;
        EXPECT_EQ(step.HelpMessage, messages[k]) << k;
    }
    // The north node has a list but no antiscia; the Ascendant neither: no click is lost.
    uint8_t node = 3;
    EXPECT_EQ(AdvancePointClick(8, node).Action, ClickAction::ShowAttributions);
    uint8_t ascendant = 0;
    EXPECT_EQ(AdvancePointClick(10, ascendant).Action, ClickAction::ShowAttributions);
    EXPECT_EQ(AdvancePointClick(10, ascendant).Action, ClickAction::HidePanel);
    EXPECT_EQ(AdvancePointClick(10, ascendant).Action, ClickAction::ShowAttributions);
    uint8_t aries = 0;
    const int signMessages[] = {31, 32, 31, 33, 31};
    for (int m : signMessages) EXPECT_EQ(AdvanceSignClick(aries).HelpMessage, m);
}
