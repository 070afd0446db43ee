#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/fixed_text_record.hpp"

// The therapy repertory "OpzioneH\Repertorio.rnd": one 1206-byte record per pair of a pathology
// and a remedy, in the order the user gives them. Record 0 is a header.
namespace florimant {

inline constexpr std::string_view kRepertoryPath = "OpzioneH\\Repertorio.rnd";
inline constexpr std::string_view kPathologyListPath = "OpzioneH\\Patolog.txt";
inline constexpr size_t kRepertoryRecordSize = 1206;
inline constexpr size_t kRepertoryNoteCapacity = 750;  // three pieces of 250

struct RepertoryRecord {
    // Windows-1252 bytes as stored.
    std::string patologia;            // capacity 100
    std::string posologia;            // capacity 250
    std::string rimedio;              // capacity 100
    std::array<std::string, 3> note;  // capacity 250 each

    bool operator==(const RepertoryRecord&) const = default;
};

// The six fields in file order: "Patologia", "Posologia", "Rimedio", "Note.1", "Note.2", "Note.3".
std::span<const TextFieldSpec> RepertoryFieldSpecs();

// The three note pieces joined; and the text cut into characters 1-250, 251-500, 501-750.
std::string JoinRepertoryNote(const RepertoryRecord& record);
void SplitRepertoryNote(RepertoryRecord& record, std::string_view text);

std::vector<uint8_t> EncodeRepertoryRecord(const RepertoryRecord& record);
RepertoryRecord DecodeRepertoryRecord(std::span<const uint8_t> bytes,
                                      const std::string& file = std::string(kRepertoryPath), size_t recordNumber = 0);

size_t CountRepertoryRecords(const ProgramFolder& folder);  // 0 when the file is missing
RepertoryRecord ReadRepertoryRecord(const ProgramFolder& folder, size_t k);
std::vector<RepertoryRecord> ReadAllRepertoryRecords(const ProgramFolder& folder);
void WriteRepertoryRecord(const ProgramFolder& folder, size_t k, const RepertoryRecord& record);
size_t AppendRepertoryRecord(const ProgramFolder& folder, const RepertoryRecord& record);
void DeleteRepertoryRecord(const ProgramFolder& folder, size_t k);

}  // namespace florimant
