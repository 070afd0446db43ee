#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/remedy_record.hpp"

// The remedy pick list of the signature, synthesis and composition searches, built from every
// record of the primary database, the header record included.
namespace florimant {

inline constexpr std::string_view kProductIndexPath = "FileDum\\Prdts.dum";

struct RemedyPickList {
    std::vector<std::string> names;    // UTF-8, catalogue order, distinct
    std::vector<size_t> firstRecords;  // for each name, the first record (from 0) carrying it
};

// Names with trailing blanks removed; names containing "Errore" and empty names left out; sorted
// into catalogue order; a name equal to the one before it dropped. A stored name with trailing
// blanks is found under its listed form, so every listed name has its record.
RemedyPickList BuildRemedyPickList(const std::vector<RemedyRecord>& records);
// Reads the database (DataFileError when missing) and writes "FileDum\Prdts.dum": one line per
// listed name with the number of its first record, as the windows do on activation.
RemedyPickList LoadRemedyPickList(const ProgramFolder& folder);
void WriteProductIndex(const ProgramFolder& folder, const RemedyPickList& list);
// The record numbers of "FileDum\Prdts.dum", line by line (DataFileError for a line that is not a
// number).
std::vector<size_t> ReadProductIndex(const ProgramFolder& folder);

// The record's name as the list shows it: without trailing blanks, UTF-8.
std::string ListedName(const RemedyRecord& record);
// Whether the record's name without trailing blanks equals `name` (UTF-8).
bool IsNamed(const RemedyRecord& record, std::string_view name);
// The first record, from record 0, whose name without trailing blanks equals `name` (UTF-8).
std::optional<size_t> FirstRecordNamed(const std::vector<RemedyRecord>& records, std::string_view name);

}  // namespace florimant
