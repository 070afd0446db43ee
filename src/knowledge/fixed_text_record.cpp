#include "knowledge/fixed_text_record.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/pstring.hpp"

namespace florimant {

size_t TextRecordSize(std::span<const TextFieldSpec> fields) {
    size_t size = 0;
    for (const TextFieldSpec& f : fields) size += f.capacity + 1;
    return size;
}

std::vector<uint8_t> EncodeTextFields(std::span<const TextFieldSpec> fields, std::span<const std::string> values) {
    std::vector<uint8_t> bytes(TextRecordSize(fields), 0);
    size_t at = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        WritePString(bytes, at, fields[i].capacity,
                     i < values.size() ? std::string_view(values[i]) : std::string_view());
        at += fields[i].capacity + 1;
    }
    return bytes;
}

std::vector<std::string> DecodeTextFields(std::span<const TextFieldSpec> fields, std::span<const uint8_t> bytes,
                                          const std::string& file, size_t recordNumber) {
    const size_t size = TextRecordSize(fields);
    if (bytes.size() != size)
        throw DataFileError(file, "record " + std::to_string(recordNumber) + " di " + std::to_string(bytes.size()) +
                                      " byte invece di " + std::to_string(size));
    std::vector<std::string> values;
    values.reserve(fields.size());
    size_t at = 0;
    for (const TextFieldSpec& f : fields) {
        bool overlong = false;
        values.push_back(ReadPString(bytes, at, f.capacity, &overlong));
        if (overlong)
            throw DataFileError(file, "file danneggiato: nel record " + std::to_string(recordNumber) + " il campo " +
                                          std::string(f.name) + " dichiara " + std::to_string(bytes[at]) +
                                          " caratteri su " + std::to_string(f.capacity));
        at += f.capacity + 1;
    }
    return values;
}

void CheckTextFields(std::span<const TextFieldSpec> fields, std::span<const uint8_t> bytes, const std::string& file,
                     size_t recordNumber) {
    size_t at = 0;
    for (const TextFieldSpec& f : fields) {
        if (at >= bytes.size() || bytes[at] > f.capacity) {
            DecodeTextFields(fields, bytes, file, recordNumber);  // raises the detailed error
            return;
        }
        at += f.capacity + 1;
    }
    if (at != bytes.size()) DecodeTextFields(fields, bytes, file, recordNumber);
}

size_t CountTextRecords(const ProgramFolder& folder, std::string_view programPath, size_t recordSize) {
    if (!folder.Exists(programPath)) return 0;
    RecordFile file(folder, std::string(programPath), recordSize);
    return file.Count();
}

std::vector<uint8_t> ReadRecordBytes(const ProgramFolder& folder, std::string_view programPath, size_t recordSize,
                                     size_t index) {
    RecordFile file(folder, std::string(programPath), recordSize);
    const size_t count = file.Count();
    if (index >= count)
        throw DataFileError(std::string(programPath), "il record " + std::to_string(index) +
                                                          " non esiste (il file ne ha " + std::to_string(count) + ")");
    return file.Read(index);
}

std::vector<uint8_t> ReadRecordFileBytes(const ProgramFolder& folder, std::string_view programPath, size_t recordSize) {
    std::vector<uint8_t> data;
    if (!folder.Exists(programPath)) return data;
    {
        RecordFile file(folder, std::string(programPath), recordSize);
        data.resize(file.Count() * recordSize);  // raises the damaged-size error
    }
    std::FILE* f = std::fopen(folder.Resolve(programPath).c_str(), "rb");
    const bool ok = f && std::fread(data.data(), 1, data.size(), f) == data.size();
    if (f) std::fclose(f);
    if (!ok) throw DataFileError(std::string(programPath), "errore di lettura");
    return data;
}

std::vector<std::vector<uint8_t>> ReadAllRecordBytes(const ProgramFolder& folder, std::string_view programPath,
                                                     size_t recordSize) {
    std::vector<std::vector<uint8_t>> records;
    const std::vector<uint8_t> data = ReadRecordFileBytes(folder, programPath, recordSize);
    records.reserve(data.size() / recordSize);
    for (size_t at = 0; at < data.size(); at += recordSize)
        records.emplace_back(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + recordSize));
    return records;
}

void WriteRecordBytes(const ProgramFolder& folder, std::string_view programPath, size_t index,
                      const std::vector<uint8_t>& record) {
    RecordFile file(folder, std::string(programPath), record.size(), RecordFile::Mode::ReadWrite);
    const size_t count = file.Count();
    if (index > count)
        throw DataFileError(std::string(programPath), "il record " + std::to_string(index) +
                                                          " non esiste (il file ne ha " + std::to_string(count) + ")");
    file.Write(index, record);
}

size_t AppendRecordBytes(const ProgramFolder& folder, std::string_view programPath,
                         const std::vector<uint8_t>& record) {
    const bool exists = folder.Exists(programPath);
    RecordFile file(folder, std::string(programPath), record.size(),
                    exists ? RecordFile::Mode::ReadWrite : RecordFile::Mode::Create);
    const size_t count = file.Count();
    file.Write(count, record);
    return count + 1;
}

void DeleteRecordBytes(const ProgramFolder& folder, std::string_view programPath, size_t recordSize, size_t index) {
    if (!folder.Exists(programPath)) throw DataFileError(std::string(programPath), "file mancante");
    std::vector<std::vector<uint8_t>> records = ReadAllRecordBytes(folder, programPath, recordSize);
    if (index >= records.size())
        throw DataFileError(std::string(programPath), "il record " + std::to_string(index) +
                                                          " non esiste (il file ne ha " +
                                                          std::to_string(records.size()) + ")");
    records.erase(records.begin() + static_cast<long>(index));
    ReplaceRecordFile(folder, programPath, records);
}

void ReplaceRecordFile(const ProgramFolder& folder, std::string_view programPath,
                       const std::vector<std::vector<uint8_t>>& records) {
    std::string contents;
    size_t total = 0;
    for (const auto& r : records) total += r.size();
    contents.reserve(total);
    for (const auto& r : records) contents.append(reinterpret_cast<const char*>(r.data()), r.size());
    ReplaceFile(folder, programPath, contents);
}

}  // namespace florimant
