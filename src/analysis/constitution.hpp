#pragma once
#include <array>

#include "engine/chart_data.hpp"

// The "Costituzione (Stoffa)" counts of the seven planets (Sun..Saturn) by the classes of the
// signs they stand in; every planet weighs 1.
namespace florimant {

// Elements in the column order of the elemental table: Fire, Earth, Air, Water.
enum Element { Fire = 0, Earth = 1, Air = 2, Water = 3 };

int SignElement(int sign);      // (s - 1) mod 4
int SignThird(int sign);        // 0 Sale, 1 Zolfo, 2 Mercurio
int SignSeason(int sign);       // 0 spring, 1 summer, 2 autumn, 3 winter
int SignModality(int sign);     // 0 cardinal, 1 fixed, 2 mutable
int SeasonElement(int season);  // spring Air, summer Fire, autumn Earth, winter Water

struct CountTable {
    std::array<std::array<int, 4>, 3> Cells{};  // [row][column]
    std::array<int, 3> RowTotals{};
    std::array<int, 4> ColumnTotals{};
};
// Rows Sale, Zolfo, Mercurio by columns Fire, Earth, Air, Water.
CountTable ComputeElementalConstitution(const ChartData& chart);
// Rows cardinal, fixed, mutable by columns spring, summer, autumn, winter.
CountTable ComputeSeasonalConstitution(const ChartData& chart);

struct HumoralTable {
    // In the table's row order: Air, Fire, Earth, Water.
    int Air = 0, FireCount = 0, EarthCount = 0, WaterCount = 0;
    int Hot = 0, Moist = 0, Cold = 0, Dry = 0;
};
HumoralTable ComputeElementalHumours(const ChartData& chart);
HumoralTable ComputeSeasonalHumours(const ChartData& chart);

}  // namespace florimant
