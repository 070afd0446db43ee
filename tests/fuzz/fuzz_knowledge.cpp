// links: knowledge
// The readers of the three knowledge-base record files on arbitrary contents. The first byte
// chooses the file (primary database, repertory, plant database); the rest is the file. Only
// DataFileError may come out of a reader. A file that reads cleanly must go through the support
// file computation and through CSV export and import keeping every record; once the import has
// turned lone CR or LF inside texts into CR LF, the round trip must be exact.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/data_file_error.hpp"
#include "knowledge/csv_io.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/plant_support_files.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"
#include "knowledge/support_files.hpp"

namespace fs = std::filesystem;
using namespace florimant;

namespace {
const fs::path& Folder() {
    // In memory where the system offers it: every import replaces the file with a synced write.
    static const fs::path folder = [] {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path p = base / ("florimant-fuzz-knowledge-" + std::to_string(::getpid()));
        fs::create_directories(p / "OpzioneH");
        fs::create_directories(p / "OpzioneS");
        return p;
    }();
    return folder;
}

size_t TextRecordSizeOf(KnowledgeFile file) {
    switch (file) {
    case KnowledgeFile::Database: return kRemedyRecordSize;
    case KnowledgeFile::Repertory: return kRepertoryRecordSize;
    case KnowledgeFile::Plants: return kPlantRecordSize;
    }
    return 1;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void ReadAndConvert(const ProgramFolder& folder, KnowledgeFile file) {
    switch (file) {
    case KnowledgeFile::Database: {
        const auto records = ReadAllRemedyRecords(folder);
        if (records.size() > 1) ReadRemedyRecord(folder, records.size() - 1);
        ComputeSupportFiles(records);
        break;
    }
    case KnowledgeFile::Repertory: ComputePathologyList(ReadAllRepertoryRecords(folder)); break;
    case KnowledgeFile::Plants: ComputePlantSupportFiles(ReadAllPlantRecords(folder)); break;
    }
    const size_t count = CountTextRecords(folder, KnowledgeFilePath(file), TextRecordSizeOf(file));
    if (count == 0) return;  // an empty file has no header record to keep
    const size_t entries = count - 1;
    if (ImportKnowledgeCsv(folder, file, ExportKnowledgeCsv(folder, file), "fuzz.csv") != entries) std::abort();
    const std::string csv = ExportKnowledgeCsv(folder, file);
    const std::string before = ReadFile(folder.Resolve(KnowledgeFilePath(file)));
    ImportKnowledgeCsv(folder, file, csv, "fuzz.csv");
    if (ReadFile(folder.Resolve(KnowledgeFilePath(file))) != before) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const KnowledgeFile file = static_cast<KnowledgeFile>(data[0] % 3);
    const ProgramFolder folder(Folder());
    {
        std::ofstream out(folder.Resolve(KnowledgeFilePath(file)), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    try {
        ReadAndConvert(folder, file);
    } catch (const DataFileError&) {}
    return 0;
}
