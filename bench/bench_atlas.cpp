// links: archive engine
// The typed place search (a key in the place field: binary search and the seven rows) and the
// whole birth-data result computation (regime list read and scanned), on the shipped atlas.
#include <benchmark/benchmark.h>

#include "archive/birth_entry.hpp"
#include "archive/place_search.hpp"

using namespace florimant;

namespace {

void TypedSearch(benchmark::State& state) {
    const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    const LocalityStore store = state.range(0) ? LocalityStore::Estero : LocalityStore::Italia;
    const LocalityFile file(folder, store);
    const std::string typed = state.range(0) ? "Zurich" : "ROMA";
    for (auto _ : state) benchmark::DoNotOptimize(SearchPlaces(file, typed));
    state.SetLabel(state.range(0) ? "ESTERO.LOC" : "ITALIA.LOC");
}
BENCHMARK(TypedSearch)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void ResultComputation(benchmark::State& state) {
    const ProgramFolder folder(FLORIMANT_INSTALLATION_DIR);
    const LocalityStore store = state.range(0) ? LocalityStore::Estero : LocalityStore::Italia;
    const LocalityFile file(folder, store);
    const std::string typed = state.range(0) ? "NEW YORK" : "ROMA";
    const size_t record = static_cast<size_t>(SearchPlaces(file, typed).m);
    const BirthDate date{15, 7, 1970, 12, 0};
    for (auto _ : state) benchmark::DoNotOptimize(ComputeBirthResult(folder, file, record, date, false));
    state.SetLabel(state.range(0) ? "New York, Database.cll" : "Roma, regime file");
}
BENCHMARK(ResultComputation)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
