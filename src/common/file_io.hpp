#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"

// The file layer every module uses: fixed-size record files, whole files, CR LF text files and
// whole-file replacement through a sibling temporary file and a rename.
namespace florimant {

// Called before every operation that changes a file ("write", "append", "rename", "remove",
// "truncate"), with the real path. Tests install a hook that throws to simulate an interruption
// at a chosen step; the program leaves it empty.
using FileOperationHook = std::function<void(std::string_view operation, const std::filesystem::path& path)>;
void SetFileOperationHook(FileOperationHook hook);
void NotifyFileOperation(std::string_view operation, const std::filesystem::path& path);

// A file of fixed-size records, opened for one action. Every failure raises DataFileError naming
// the file by its program path.
class RecordFile {
public:
    enum class Mode { Read, ReadWrite, Create };  // Create empties or makes the file
    RecordFile(const ProgramFolder& folder, std::string programPath, size_t recordSize, Mode mode = Mode::Read);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    size_t recordSize() const noexcept { return recordSize_; }
    // Number of whole records. A size that is not a whole number of records is reported as a
    // damaged file unless the caller only wants the whole ones (`CountWhole`).
    size_t Count() const;
    size_t CountWhole() const;
    std::vector<uint8_t> Read(size_t index) const;  // throws when the record is short or absent
    // `count` consecutive records from `first` in one read (the same checks as Read).
    std::vector<uint8_t> ReadRecords(size_t first, size_t count) const;
    void Write(size_t index, const std::vector<uint8_t>& record);  // index <= Count()
    void Append(const std::vector<uint8_t>& record);
    void Truncate(size_t records);
    const std::string& programPath() const noexcept { return programPath_; }
    const std::filesystem::path& path() const noexcept { return path_; }

private:
    uint64_t SizeInBytes() const;
    std::string programPath_;
    std::filesystem::path path_;
    size_t recordSize_;
    // Unbuffered: every record is read or written by offset in one system call, so a reader of a
    // few records never fills a stream buffer it will not use.
    int fd_ = -1;
};

// Whole file contents; DataFileError "file mancante" when absent.
std::vector<uint8_t> ReadWholeFile(const ProgramFolder& folder, std::string_view programPath);
// Lines of a text file, without their line ends (CR LF, LF or a lone CR); bytes as stored.
std::vector<std::string> ReadTextLines(const ProgramFolder& folder, std::string_view programPath);
std::vector<std::string> SplitTextLines(std::string_view contents);

// Replaces a whole file: the new contents go to a sibling temporary file that is flushed and then
// renamed over the old one, so an interruption leaves either the old or the new file. Missing
// folders are created.
void ReplaceFile(const std::filesystem::path& path, std::string_view contents);
void ReplaceFile(const ProgramFolder& folder, std::string_view programPath, std::string_view contents);
// Copies a file over another the same way: the bytes go to the destination's sibling temporary
// file, which is flushed, given the source's modification time (the edition of a knowledge base is
// read from it) and renamed over the destination. DataFileError "copia da ... non riuscita" naming
// the destination when the source cannot be read or the destination not written.
void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Lines joined with CR LF after each line.
std::string JoinTextLines(const std::vector<std::string>& lines);
void ReplaceTextFile(const ProgramFolder& folder, std::string_view programPath, const std::vector<std::string>& lines);

// The sibling temporary name used by ReplaceFile ("name~tmp"); readers never look at it.
std::filesystem::path TemporarySibling(const std::filesystem::path& path);

}  // namespace florimant
