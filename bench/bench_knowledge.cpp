// links: knowledge
// The knowledge base's whole-file work on a database of 10,000 entries: the support-file rebuild
// (target: under one second) and the reordering of the editor's "Definitivo".
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "knowledge/remedy_record.hpp"
#include "knowledge/reorder.hpp"
#include "knowledge/support_files.hpp"

namespace fs = std::filesystem;
using namespace florimant;

namespace {
constexpr size_t kEntries = 10000;

const char* const kPlanets[] = {"Sole",  "Luna",    "Mercurio", "Venere", "Marte",
                                "Giove", "Saturno", "NodoNord", "NodoSud"};
const char* const kSigns[] = {"Ariete",   "Toro",      "Gemelli",    "Cancro",     "Leone",    "Vergine",
                              "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
const char* const kKinds[] = {"MSA ", "TSA ", "QSPC ", "HS 8 - ", "HS 123 - "};

// 2,500 remedies with four indications each, long texts in every piece.
struct Database {
    fs::path root;
    Database() {
        root = fs::temp_directory_path() / ("florimant-bench-kb-" + std::to_string(::getpid()));
        fs::remove_all(root);
        const ProgramFolder folder(root);
        std::string bytes(kRemedyRecordSize, '\0');
        for (size_t i = 0; i < kEntries; ++i) {
            RemedyRecord r;
            const size_t remedy = i / 4;
            SplitRemedyField(r, RemedyField::Rimedio,
                             std::string(kKinds[remedy % 5]) + "Pianta " + std::to_string(remedy));
            SplitRemedyField(r, RemedyField::Indicazioni, "Disturbo numero " + std::to_string(i % 1500) + ", ");
            SplitRemedyField(r, RemedyField::SegnaturaPrimaria,
                             std::string(kPlanets[remedy % 9]) + "-" + kPlanets[(remedy / 9) % 9]);
            SplitRemedyField(r, RemedyField::SegnaturaZodiacale,
                             std::string(kSigns[remedy % 12]) + " " + kSigns[(remedy / 12) % 12]);
            SplitRemedyField(r, RemedyField::Posologia, std::string(600, 'p'));
            SplitRemedyField(r, RemedyField::SintesiPsichica, std::string(1200, 's'));
            SplitRemedyField(r, RemedyField::Note, std::string(500, 'n'));
            const std::vector<uint8_t> b = EncodeRemedyRecord(r);
            bytes.append(b.begin(), b.end());
        }
        fs::create_directories(root / "OpzioneH");
        FILE* f = std::fopen((root / "OpzioneH" / "DBmain.rnd").c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    ~Database() { fs::remove_all(root); }
};

Database& Shared() {
    static Database db;
    return db;
}

void BM_RebuildSupportFiles(benchmark::State& state) {
    const ProgramFolder folder(Shared().root);
    for (auto _ : state) RebuildSupportFiles(folder);
    state.counters["records"] = static_cast<double>(kEntries);
}
BENCHMARK(BM_RebuildSupportFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the file writes: reading, sorting and building the 24 files' contents.
void BM_ComputeSupportFiles(benchmark::State& state) {
    const ProgramFolder folder(Shared().root);
    const std::vector<RemedyRecord> records = ReadAllRemedyRecords(folder);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeSupportFiles(records));
}
BENCHMARK(BM_ComputeSupportFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// Moving the last entry to the top, then back, as two "Definitivo" presses.
void BM_ReorderRemedyDatabase(benchmark::State& state) {
    const ProgramFolder folder(Shared().root);
    std::vector<std::string> lines;
    const std::vector<RemedyRecord> records = ReadAllRemedyRecords(folder);
    for (size_t k = 1; k < records.size(); ++k) lines.push_back(RemedyOrderLine(records[k]));
    bool forward = true;
    for (auto _ : state) {
        if (forward) MoveReorderEntry(lines, lines.size() - 1, 0);
        else MoveReorderEntry(lines, 0, lines.size() - 1);
        forward = !forward;
        ReorderRemedyDatabase(folder, lines);
    }
    state.counters["records"] = static_cast<double>(kEntries);
}
BENCHMARK(BM_ReorderRemedyDatabase)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace

BENCHMARK_MAIN();
