#pragma once
#include <string>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"

// Whole-file reads for the consultations and searches, which, unlike the editors, report a missing
// database as an error instead of showing an empty list.
namespace florimant {

std::vector<RemedyRecord> RequireRemedyRecords(const ProgramFolder& folder);
std::vector<RepertoryRecord> RequireRepertoryRecords(const ProgramFolder& folder);
std::vector<PlantRecord> RequirePlantRecords(const ProgramFolder& folder);

// Lines of a Windows-1252 text file as UTF-8; DataFileError when the file is missing.
std::vector<std::string> ReadDisplayLines(const ProgramFolder& folder, std::string_view programPath);

}  // namespace florimant
