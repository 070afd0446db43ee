#include "analysis/constitution.hpp"

#include <algorithm>

#include "engine/texts.hpp"

namespace florimant {
namespace {

int PlanetSign(const ChartData& chart, int planet) {
    return std::clamp(SignOf(chart.Longitude[static_cast<size_t>(planet)]) + 1, 1, 12);
}

template <typename Row, typename Column>
CountTable Count(const ChartData& chart, Row row, Column column) {
    CountTable t;
    for (int p = 1; p <= 7; ++p) {
        const int s = PlanetSign(chart, p), r = row(s), c = column(s);
        ++t.Cells[static_cast<size_t>(r)][static_cast<size_t>(c)];
        ++t.RowTotals[static_cast<size_t>(r)];
        ++t.ColumnTotals[static_cast<size_t>(c)];
    }
    return t;
}

template <typename ElementOfSign>
HumoralTable Humours(const ChartData& chart, ElementOfSign elementOf) {
    std::array<int, 4> n{};
    for (int p = 1; p <= 7; ++p) ++n[static_cast<size_t>(elementOf(PlanetSign(chart, p)))];
    HumoralTable h;
    h.Air = n[Air];
    h.FireCount = n[Fire];
    h.EarthCount = n[Earth];
    h.WaterCount = n[Water];
    h.Hot = h.Air + h.FireCount;
    h.Moist = h.Air + h.WaterCount;
    h.Cold = h.EarthCount + h.WaterCount;
    h.Dry = h.FireCount + h.EarthCount;
    return h;
}

}  // namespace

int SignElement(int sign) { return (sign - 1) % 4; }
int SignThird(int sign) { return (sign - 1) / 4; }
int SignSeason(int sign) { return (sign - 1) / 3; }
int SignModality(int sign) { return (sign - 1) % 3; }
int SeasonElement(int season) {
    static constexpr int elements[] = {Air, Fire, Earth, Water};
    return elements[season];
}

CountTable ComputeElementalConstitution(const ChartData& chart) { return Count(chart, SignThird, SignElement); }
CountTable ComputeSeasonalConstitution(const ChartData& chart) { return Count(chart, SignModality, SignSeason); }
HumoralTable ComputeElementalHumours(const ChartData& chart) { return Humours(chart, SignElement); }
HumoralTable ComputeSeasonalHumours(const ChartData& chart) {
    return Humours(chart, [](int sign) { return SeasonElement(SignSeason(sign)); });
}

}  // namespace florimant
