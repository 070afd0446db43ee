// links: engine swe
// Each house system of the program against Swiss Ephemeris's swe_houses for the same system, at
// the same instants and places.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <random>
#include <vector>

#include "engine/astro_time.hpp"
#include "engine/houses.hpp"

namespace {

struct Moment {
    florimant::Real jd;
    int hour, minute, lonDeg, lonMin, latDeg, latMin;
    bool west, south;
};

const std::vector<Moment>& Moments() {
    static const std::vector<Moment> moments = [] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> year(1900, 2100), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59),
            lon(0, 179), lat(0, 59);
        std::bernoulli_distribution coin(0.5);
        std::vector<Moment> m(256);
        for (auto& x : m) {
            x.hour = hour(random);
            x.minute = minute(random);
            x.jd = florimant::JulianDay(1, day(random), month(random), year(random), x.hour, x.minute);
            x.lonDeg = lon(random);
            x.lonMin = minute(random);
            x.latDeg = lat(random);
            x.latMin = minute(random);
            x.west = coin(random);
            x.south = coin(random);
        }
        return m;
    }();
    return moments;
}

void Florimant(benchmark::State& state, const char* system) {
    florimant::ChartData chart;
    size_t i = 0;
    for (auto _ : state) {
        const Moment& m = Moments()[i++ % Moments().size()];
        florimant::ComputeHouses(m.jd, m.lonDeg, m.lonMin, m.west ? "O" : "E", m.latDeg, m.latMin, m.south ? "S" : "N",
                                 m.hour, m.minute, 0, system, chart);
        benchmark::DoNotOptimize(chart.HouseCusps);
    }
}

void Swiss(benchmark::State& state, int system) {
    double cusps[13], ascmc[10];
    size_t i = 0;
    for (auto _ : state) {
        const Moment& m = Moments()[i++ % Moments().size()];
        const double lon = (m.west ? -1 : 1) * (m.lonDeg + m.lonMin / 60.0);
        const double lat = (m.south ? -1 : 1) * (m.latDeg + m.latMin / 60.0);
        swe_houses(static_cast<double>(m.jd), lat, lon, system, cusps, ascmc);
        benchmark::DoNotOptimize(cusps);
    }
}

}  // namespace

BENCHMARK_CAPTURE(Florimant, Placidus, "PLACIDO");
BENCHMARK_CAPTURE(Swiss, Placidus, 'P');
BENCHMARK_CAPTURE(Florimant, Koch, "KOCH");
BENCHMARK_CAPTURE(Swiss, Koch, 'K');
BENCHMARK_CAPTURE(Florimant, Regiomontanus, "REGIOMONT");
BENCHMARK_CAPTURE(Swiss, Regiomontanus, 'R');
BENCHMARK_CAPTURE(Florimant, Porphyry, "PORFIRIO");
BENCHMARK_CAPTURE(Swiss, Porphyry, 'O');
BENCHMARK_CAPTURE(Florimant, Campanus, "CAMPANO");
BENCHMARK_CAPTURE(Swiss, Campanus, 'C');
BENCHMARK_CAPTURE(Florimant, Morinus, "MORINO");
BENCHMARK_CAPTURE(Swiss, Morinus, 'M');
BENCHMARK_CAPTURE(Florimant, Equal, "CASE_UGUALI");
BENCHMARK_CAPTURE(Swiss, Equal, 'E');
BENCHMARK_CAPTURE(Florimant, Median, "CASE_MEDIE");

BENCHMARK_MAIN();
