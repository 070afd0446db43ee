#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.hpp"
#include "common/program_folder.hpp"
#include "common/real.hpp"

// The two locality files of the birth-data entry: "Localita\ITALIA.LOC" (Italian places) and
// "Localita\ESTERO.LOC" (foreign places). Each is a file of 88-byte records sorted by name; record 0
// is a header, so the place count is the record count minus 1.
//
// Record layout (little-endian):
//   0  PString[31]  place name, upper case; "ROMA *RM*" marks a province between two "*"
//  32  extended     latitude in degrees, north positive
//  42  6 bytes      unused
//  48  extended     longitude in degrees, east positive
//  58  2 bytes      unused
//  60  int32        time-regime code: 9 decimal digits, digits 2-9 + ".CAL" name the regime list
//  64  PString[23]  state or country ("ITALIA", "FRANCIA")
namespace florimant {

inline constexpr size_t LocalityRecordSize = 88;
inline constexpr size_t LocalityNameCapacity = 31;
inline constexpr size_t LocalityStateCapacity = 23;

enum class LocalityStore { Italia, Estero };

// "Localita\ITALIA.LOC" or "Localita\ESTERO.LOC".
std::string_view LocalityFilePath(LocalityStore store);

// Texts are kept as stored (Windows-1252 bytes): the place search compares bytes.
struct LocalityRecord {
    std::string name;
    Real latitude = 0;
    Real longitude = 0;
    int32_t regimeCode = 0;
    std::string state;
};

std::vector<uint8_t> EncodeLocalityRecord(const LocalityRecord& record);
// `bytes` must hold at least LocalityRecordSize bytes.
LocalityRecord DecodeLocalityRecord(std::span<const uint8_t> bytes);

// The regime list name of a code: digits 2-9 followed by ".CAL" (100920000 -> "00920000.CAL").
// A code that is not a 9-digit positive number names no list: DataFileError on `file`.
std::string RegimeFileName(int32_t regimeCode, std::string_view file);
// The code that names list `listId` (0..99999999): 100000000 + listId.
int32_t RegimeCodeOf(uint32_t listId);

// One locality file kept open while the entry window shows it.
class LocalityFile {
public:
    // DataFileError when the file is missing or is not a whole number of records.
    LocalityFile(const ProgramFolder& folder, LocalityStore store);

    LocalityStore store() const noexcept { return store_; }
    const std::string& programPath() const noexcept { return file_->programPath(); }
    // Places, record 0 excluded.
    size_t Count() const noexcept { return count_; }
    // Record 1..Count(); DataFileError outside that range.
    LocalityRecord Read(size_t record) const;
    // Only the name field, for the binary search.
    std::string ReadName(size_t record) const;

private:
    LocalityStore store_;
    std::unique_ptr<RecordFile> file_;
    size_t count_ = 0;
};

// Writes a whole locality file: a header record followed by `places` in the order given.
// The file is replaced through a sibling temporary file.
void WriteLocalityFile(const ProgramFolder& folder, LocalityStore store, const std::vector<LocalityRecord>& places);

}  // namespace florimant
