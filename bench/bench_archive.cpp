// links: archive engine
// Adding a subject to and searching a 10,000-subject archive, and the chart of the current
// subject end to end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "archive/chart_of_subject.hpp"
#include "archive/chart_summary.hpp"
#include "archive/current_subject.hpp"
#include "archive/subject_archive.hpp"

namespace fs = std::filesystem;
using namespace florimant;

namespace {

struct TempFolder {
    fs::path path;
    TempFolder() {
        static int serial = 0;
        path = fs::temp_directory_path() /
               ("florimant-bench-archive-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
};

BirthData MakeSubject(const std::string& name) {
    BirthData d;
    d.Name = name;
    d.Day = 15, d.Month = 3, d.Year = 1960, d.Hour = 10, d.Minute = 30;
    d.Correction = -1;
    d.CoordinatesText = "45N28-009E11";
    d.Locality = "MILANO *MI*";
    d.Nationality = "ITALIA";
    return d;
}

std::string Name(int i) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "COGNOME%05d NOME", (i * 7919) % 10000);
    return buffer;
}

// An archive of `count` subjects written directly in sorted order, as a long use would leave it.
void WriteArchive(const ProgramFolder& folder, int count) {
    EnsureBaseArchive(folder);
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) texts.push_back(MakeIndexText(Name(i), i));
    std::sort(texts.begin(), texts.end());
    std::ofstream index(folder.Resolve("BASE.ST1"), std::ios::binary | std::ios::app);
    for (const std::string& t : texts) {
        auto bytes = EncodeIndexRecord({t});
        index.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    std::ofstream births(folder.Resolve("BASE.ST2"), std::ios::binary | std::ios::app);
    const auto record = EncodeBirthRecord(BuildBirthRecord(MakeSubject("X"), "-1", {}, 0));
    for (int i = 1; i <= count; ++i)
        births.write(reinterpret_cast<const char*>(record.data()), static_cast<long>(record.size()));
}

// The installation's correction files when they are there; the plain theory otherwise.
EphemerisSettings BenchSettings(const fs::path& root) {
    EphemerisSettings settings;
    const fs::path installed = fs::path(FLORIMANT_INSTALLATION_DIR) / "FilePosi";
    if (fs::exists(installed)) {
        fs::create_directory_symlink(installed, root / "FilePosi");
    } else {
        settings.ApplyCorrectionFiles = false;
    }
    return settings;
}

void BM_AddSubjectTo10000(benchmark::State& state) {
    TempFolder t;
    ProgramFolder folder(t.path);
    WriteArchive(folder, 10000);
    const ChartSummaries summaries{"01eA00", "01A00", "eKl0"};
    int i = 0;
    for (auto _ : state) AddSubject(folder, "BASE", MakeSubject("MEDIO" + std::to_string(i++)), {}, summaries);
    state.counters["subjects"] = static_cast<double>(OpenArchive(folder, "BASE").Count);
}
BENCHMARK(BM_AddSubjectTo10000)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_AddSubjectWithChartTo10000(benchmark::State& state) {
    TempFolder t;
    ProgramFolder folder(t.path);
    WriteArchive(folder, 10000);
    const EphemerisSettings settings = BenchSettings(t.path);
    int i = 0;
    for (auto _ : state) AddSubject(folder, settings, "BASE", MakeSubject("MEDIO" + std::to_string(i++)), {});
    state.SetLabel(settings.ApplyCorrectionFiles ? "correction files" : "plain theory");
}
BENCHMARK(BM_AddSubjectWithChartTo10000)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_FindIndexPositionIn10000(benchmark::State& state) {
    TempFolder t;
    ProgramFolder folder(t.path);
    WriteArchive(folder, 10000);
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(FindIndexPosition(folder, "BASE", Name(i++).substr(0, 10)));
}
BENCHMARK(BM_FindIndexPositionIn10000)->Unit(benchmark::kMicrosecond);

void BM_ComputeChart(benchmark::State& state) {
    TempFolder t;
    ProgramFolder folder(t.path);
    const EphemerisSettings settings = BenchSettings(t.path);
    AddSubject(folder, "TMPR", MakeSubject("ROSSI MARIO"), {}, {});
    for (auto _ : state) {
        ChartData chart;
        SubjectSummary summary;
        ComputeChart(folder, settings, chart, summary);
        benchmark::DoNotOptimize(chart.Longitude[1]);
    }
    state.SetLabel(settings.ApplyCorrectionFiles ? "correction files" : "plain theory");
}
BENCHMARK(BM_ComputeChart)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
