#include "knowledge/query_sources.hpp"

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "knowledge/query_text.hpp"

namespace florimant {

namespace {
void RequireFile(const ProgramFolder& folder, std::string_view programPath) {
    if (!folder.Exists(programPath)) throw DataFileError(std::string(programPath), "file mancante");
}
}  // namespace

std::vector<RemedyRecord> RequireRemedyRecords(const ProgramFolder& folder) {
    RequireFile(folder, kRemedyDatabasePath);
    return ReadAllRemedyRecords(folder);
}

std::vector<RepertoryRecord> RequireRepertoryRecords(const ProgramFolder& folder) {
    RequireFile(folder, kRepertoryPath);
    return ReadAllRepertoryRecords(folder);
}

std::vector<PlantRecord> RequirePlantRecords(const ProgramFolder& folder) {
    RequireFile(folder, kPlantDatabasePath);
    return ReadAllPlantRecords(folder);
}

std::vector<std::string> ReadDisplayLines(const ProgramFolder& folder, std::string_view programPath) {
    std::vector<std::string> lines = ReadTextLines(folder, programPath);
    for (std::string& line : lines) line = ToDisplay(line);
    return lines;
}

}  // namespace florimant
