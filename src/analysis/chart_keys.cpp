#include "analysis/chart_keys.hpp"

#include "analysis/antiscia.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {
namespace {

const char* AspectCode(AspectKind kind) {
    switch (kind) {
    case AspectKind::Congiunzione: return "Co";
    case AspectKind::Sestile: return "Se";
    case AspectKind::Quadrato: return "Qu";
    case AspectKind::Trigono: return "Tr";
    default: return "Op";
    }
}

const std::string& Sign3Of(Real longitude) { return SignName3(SignOf(Normalize360(longitude))); }

}  // namespace

int KeyHouse(const std::array<Real, 13>& cusps, Real longitude) {
    int house = 1;
    for (int i = 1; i <= 12; ++i) {
        const Real from = cusps[static_cast<size_t>(i)] - 15, to = cusps[static_cast<size_t>(i == 12 ? 1 : i + 1)] - 15;
        if (Normalize360(longitude - from) <= Normalize360(to - from)) house = i;
    }
    return house;
}

std::vector<std::string> ChartKeyLines(const ChartData& chart, const ChartSectors& sectors, const AspectOrbs& orbs) {
    std::vector<std::string> keys;
    const auto longitude = [&](int i) { return chart.Longitude[static_cast<size_t>(i)]; };
    for (int i = 1; i <= AnalysisPointCount; ++i)
        keys.push_back(PointCode4(i) + SignName4(SignOf(Normalize360(longitude(i)))));
    for (int i = 1; i <= AnalysisPointCount; ++i)
        keys.push_back(PointCode4(i) + HouseCode(KeyHouse(chart.HouseCusps, longitude(i))));
    for (int i = 1; i <= AnalysisPointCount; ++i) keys.push_back(sectors.TermKeys[static_cast<size_t>(i)]);
    for (int i = 1; i <= AnalysisPointCount; ++i)
        if (!sectors.DecanKeys[static_cast<size_t>(i)].empty())
            keys.push_back(sectors.DecanKeys[static_cast<size_t>(i)]);
    for (int i = 1; i <= AnalysisPointCount; ++i) keys.push_back(sectors.DecadeKeys[static_cast<size_t>(i)]);
    for (int i = 1; i <= AnalysisPointCount; ++i)
        if (longitude(i) > 0 && longitude(i) < 360)
            keys.push_back(PointCode3(i) + "An" + Sign3Of(Antiscion(longitude(i))));
    for (int i = 1; i <= AnalysisPointCount; ++i)
        if (longitude(i) > 0 && longitude(i) < 360)
            keys.push_back(PointCode3(i) + "Ca" + Sign3Of(ContraAntiscion(longitude(i))));
    // Every pair, exact oppositions included: the node axis always gives NonOpNos.
    for (int i = 1; i <= 9; ++i)
        for (int j = i + 1; j <= AnalysisPointCount; ++j)
            if (const auto kind = FindMajorAspect(AngularSeparation(longitude(i), longitude(j)), orbs))
                keys.push_back(PointCode3(i) + AspectCode(*kind) + PointCode3(j));
    return keys;
}

std::vector<std::string> SignKeyLines() {
    std::vector<std::string> keys;
    for (int s = 1; s <= 12; ++s) keys.push_back(SignKeyCode2(s) + "An" + Sign3Of(Antiscion(SignMidpoint(s))));
    for (int s = 1; s <= 12; ++s) keys.push_back(SignKeyCode2(s) + "Ca" + Sign3Of(ContraAntiscion(SignMidpoint(s))));
    return keys;
}

ChartKeys WriteChartKeys(const ProgramFolder& folder, const ChartData& chart, const AspectOrbs& orbs) {
    ChartKeys keys;
    keys.Sectors = ComputeSectors(chart);
    keys.PointKeys = ChartKeyLines(chart, keys.Sectors, orbs);
    keys.SignKeys = SignKeyLines();
    for (int i = 1; i <= AnalysisPointCount; ++i)
        keys.Dodecatemoria[static_cast<size_t>(i)] = Dodecatemorion(chart.Longitude[static_cast<size_t>(i)]);
    ReplaceTextFile(folder, PointKeysFile, keys.PointKeys);
    ReplaceTextFile(folder, SignKeysFile, keys.SignKeys);
    return keys;
}

}  // namespace florimant
