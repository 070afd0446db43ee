// links: engine swe
// A whole chart (houses plus the 19 bodies with the retrograde pass and the correction-file
// reads) beside Swiss Ephemeris computing the same 19 bodies once at the same instants.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <random>
#include <vector>

#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"
#include "engine/houses.hpp"

using namespace florimant;

namespace {

std::vector<double> Instants() {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> dist(2396758.5, 2481129.5);  // 1850-2080
    std::vector<double> jds(512);
    for (double& jd : jds) jd = dist(rng);
    return jds;
}

void OurChart(benchmark::State& state) {
    const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    EphemerisSettings settings;
    settings.NodeMode = state.range(0) ? "VERO" : "MEDIO";
    settings.BlackMoonMode = state.range(0) ? "VERA" : "MEDIA";
    const auto jds = Instants();
    size_t i = 0;
    ChartData chart;
    for (auto _ : state) {
        const double jd = jds[i++ % jds.size()];
        ComputeHouses(jd, 12, 29, "E", 41, 54, "N", 12, 0, -1, "CASE_MEDIE", chart);
        ComputeChartBodies(folder, settings, 0, jd, chart);
        benchmark::DoNotOptimize(chart.Longitude);
    }
}
BENCHMARK(OurChart)->Arg(0)->Arg(1)->ArgName("true_node_and_black_moon")->Unit(benchmark::kMicrosecond);

void SwissEphemeris19Bodies(benchmark::State& state) {
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    static const int bodies[19] = {SE_SUN,       SE_MOON,      SE_MERCURY,   SE_VENUS,     SE_MARS,
                                   SE_JUPITER,   SE_SATURN,    SE_URANUS,    SE_NEPTUNE,   SE_PLUTO,
                                   SE_TRUE_NODE, SE_OSCU_APOG, SE_MEAN_NODE, SE_MEAN_APOG, SE_CERES,
                                   SE_PALLAS,    SE_JUNO,      SE_VESTA,     SE_CHIRON};
    const auto jds = Instants();
    size_t i = 0;
    double xx[6];
    char error[256];
    for (auto _ : state) {
        const double jd = jds[i++ % jds.size()];
        for (int body : bodies) {
            swe_calc_ut(jd, body, SEFLG_SWIEPH | SEFLG_SPEED, xx, error);
            benchmark::DoNotOptimize(xx);
        }
    }
}
BENCHMARK(SwissEphemeris19Bodies)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
