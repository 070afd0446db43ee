#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive/locality_records.hpp"
#include "common/program_folder.hpp"
#include "common/real.hpp"

// Legal-time regime lists: for one area, the moments at which the legal time changed and the
// correction (hours added to the local clock time to obtain Universal Time) valid from each one on.
//
// Record layout, 24 bytes (little-endian):
//   0  extended     instant: Julian day (UT) + RegimeInstantOffset; in a "RICH" record the number of
//                   the list that continues this one
//  10  PString[4]   code
//  15  1 byte       unused
//  16  double       correction in hours valid from the instant on
//
// Codes: "GREG" in record 0 (its instant is the adoption of the Gregorian calendar; a whole part
// of 1721423 means Gregorian for every date), "LMT " in record 1 (local mean time before it),
// "RICH" (the list continues in another list of the same store), "****" (end of a list in the
// shared database). Any other code is a label that is only shown.
//
// Italian places use one file per list, "Calendar\NNNNNNNN.CAL". Foreign places share
// "Calendar\Database.cll" (lists one after another, each ended by "****"), located through the text
// index "Calendar\Elencal.002": characters 1-12 the list name, 15-20 its first record number.
namespace florimant {

inline constexpr size_t RegimeRecordSize = 24;
inline constexpr size_t RegimeCodeCapacity = 4;
// Added to every stored instant, so that a reader that forgot it would be off by years, not by
// an unnoticeable amount. The atlas writer and every reader use this one constant.
inline constexpr Real RegimeInstantOffset = 1000000;
// The whole part of a "GREG" instant that means "Gregorian for every date".
inline constexpr long AlwaysGregorianDay = 1721423;

inline constexpr std::string_view RegimeDatabasePath = "Calendar\\Database.cll";
inline constexpr std::string_view RegimeIndexPath = "Calendar\\Elencal.002";

inline constexpr std::string_view GregorianCode = "GREG";
inline constexpr std::string_view LocalMeanTimeCode = "LMT ";
inline constexpr std::string_view ContinuationCode = "RICH";
inline constexpr std::string_view EndOfListCode = "****";

struct RegimeRecord {
    Real stored = 0;        // the instant field as stored (offset included)
    std::string code;       // as stored, up to 4 bytes
    double correction = 0;  // hours, UT minus local clock time

    Real Instant() const { return stored - RegimeInstantOffset; }
    bool Is(std::string_view c) const { return code == c; }
};

std::vector<uint8_t> EncodeRegimeRecord(const RegimeRecord& record);
// `bytes` must hold at least RegimeRecordSize bytes.
RegimeRecord DecodeRegimeRecord(std::span<const uint8_t> bytes);

// A record built from a UT Julian day (the offset is added here).
RegimeRecord MakeRegimeRecord(Real julianDayUT, std::string_view code, double correction);
// A "RICH" record continuing in list `listId`.
RegimeRecord MakeContinuationRecord(uint32_t listId);
// The list name a "RICH" record points at ("00390001.CAL"); DataFileError on `file` when the
// field is not a number of at most 8 digits.
std::string ContinuationFileName(const RegimeRecord& record, std::string_view file);

// One list read into memory, with the program path it came from (for messages).
struct RegimeList {
    std::string name;    // "00390000.CAL"
    std::string source;  // "Calendar\00390000.CAL" or "Calendar\Database.cll"
    std::vector<RegimeRecord> records;
};

// Reads the list `fileName` ("NNNNNNNN.CAL") from the store of `store`: for Italian places the
// file "Calendar\" + fileName from record 0; for foreign places the shared database from the record
// the index names. Records are taken until a "****" record (not kept) or the end of the source.
// DataFileError when a file is missing or damaged or the index does not list the name.
RegimeList ReadRegimeList(const ProgramFolder& folder, LocalityStore store, std::string_view fileName);

// The index line of a list in "Calendar\Elencal.002": name in characters 1-12, two blanks, the first
// record number right-aligned in characters 15-20.
std::string RegimeIndexLine(std::string_view fileName, size_t firstRecord);

// Bytes of a whole list file or database, records in the order given.
std::string EncodeRegimeRecords(const std::vector<RegimeRecord>& records);

}  // namespace florimant
