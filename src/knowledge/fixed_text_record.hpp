#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"

// The record files of the knowledge base are all made of fixed text fields packed without gaps.
// This layer encodes and decodes such records and reads, writes, appends and deletes them by
// record number, opening the file for each operation. Texts stay Windows-1252 bytes as stored.
namespace florimant {

struct TextFieldSpec {
    std::string_view name;  // used in error messages and as the CSV column name
    size_t capacity;        // the field occupies capacity + 1 bytes
};

// Bytes of a record made of the given fields.
size_t TextRecordSize(std::span<const TextFieldSpec> fields);

// Fields cut to their capacities, the bytes after each text set to 0.
std::vector<uint8_t> EncodeTextFields(std::span<const TextFieldSpec> fields, std::span<const std::string> values);

// Reads every field. A record of the wrong size, or a length byte above its field's capacity, is
// reported as DataFileError naming `file`, the record number and the field.
std::vector<std::string> DecodeTextFields(std::span<const TextFieldSpec> fields, std::span<const uint8_t> bytes,
                                          const std::string& file, size_t recordNumber);

// Checks every length byte of a record without building the texts (same errors as above).
void CheckTextFields(std::span<const TextFieldSpec> fields, std::span<const uint8_t> bytes, const std::string& file,
                     size_t recordNumber);

// Number of records of a record file; 0 when the file is missing. A size that is not a whole
// number of records is reported as a damaged file.
size_t CountTextRecords(const ProgramFolder& folder, std::string_view programPath, size_t recordSize);
std::vector<uint8_t> ReadRecordBytes(const ProgramFolder& folder, std::string_view programPath, size_t recordSize,
                                     size_t index);
// The whole file in one read, its size checked to be a whole number of records; empty when the
// file is missing. Record k is bytes [k * recordSize, (k + 1) * recordSize).
std::vector<uint8_t> ReadRecordFileBytes(const ProgramFolder& folder, std::string_view programPath, size_t recordSize);
// Every record of the file, in one read (the rebuilds scan whole files).
std::vector<std::vector<uint8_t>> ReadAllRecordBytes(const ProgramFolder& folder, std::string_view programPath,
                                                     size_t recordSize);
// Overwrites record `index` (index <= count; index == count appends).
void WriteRecordBytes(const ProgramFolder& folder, std::string_view programPath, size_t index,
                      const std::vector<uint8_t>& record);
// Appends at the end, creating the file when missing; returns the new number of records.
size_t AppendRecordBytes(const ProgramFolder& folder, std::string_view programPath, const std::vector<uint8_t>& record);
// Removes record `index`, moving the later ones one place down. The shortened file replaces the old
// one through a sibling temporary file, so an interruption never leaves a doubled or lost record.
void DeleteRecordBytes(const ProgramFolder& folder, std::string_view programPath, size_t recordSize, size_t index);
// Replaces the whole file by these records (sibling temporary file and rename).
void ReplaceRecordFile(const ProgramFolder& folder, std::string_view programPath,
                       const std::vector<std::vector<uint8_t>>& records);

}  // namespace florimant
