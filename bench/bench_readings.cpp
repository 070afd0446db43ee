// links: analysis archive knowledge engine
// The readings the analysis window and the chart sheets compute on every press: the archetypal
// structure (with its four reception lists read from the installation), the chart keys written to
// a scratch folder, and the planetary hour with its sunrise search.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "analysis/archetypal_structure.hpp"
#include "analysis/chart_keys.hpp"
#include "analysis/masters.hpp"
#include "engine/chart.hpp"

namespace fs = std::filesystem;
using namespace florimant;

namespace {

const ProgramFolder& Installation() {
    static const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    return folder;
}

const ChartData& MilanChart() {
    static const ChartData chart = [] {
        ChartData c;
        SetSubjectFieldsForChart(c, 15, 3, 1960, 10, 30, -1, 1, "45N28-009E11");
        ComputeChartFromSubjectFields(Installation(), EphemerisSettings{}, c);
        return c;
    }();
    return chart;
}

void BM_ComputeArchetypalStructure(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeArchetypalStructure(Installation(), MilanChart()));
}
BENCHMARK(BM_ComputeArchetypalStructure)->Unit(benchmark::kMicrosecond);

void BM_WriteChartKeys(benchmark::State& state) {
    const fs::path scratch = fs::temp_directory_path() / ("florimant-bench-keys-" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    const ProgramFolder folder(scratch);
    const AspectOrbs orbs = FixedOrbSetA().Orbs;
    for (auto _ : state) benchmark::DoNotOptimize(WriteChartKeys(folder, MilanChart(), orbs));
    fs::remove_all(scratch);
}
BENCHMARK(BM_WriteChartKeys)->Unit(benchmark::kMicrosecond);

void BM_ComputePlanetaryHour(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputePlanetaryHour(Installation(), EphemerisSettings{}, MilanChart()));
}
BENCHMARK(BM_ComputePlanetaryHour)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
