#include "common/file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>

#include "common/data_file_error.hpp"

namespace florimant {

namespace fs = std::filesystem;

namespace {
FileOperationHook& Hook() {
    static FileOperationHook hook;
    return hook;
}

std::string IoFault(const char* what) {
    std::string fault = what;
    if (errno != 0) fault += std::string(" (") + std::strerror(errno) + ")";
    return fault;
}
}  // namespace

void SetFileOperationHook(FileOperationHook hook) { Hook() = std::move(hook); }

void NotifyFileOperation(std::string_view operation, const fs::path& path) {
    if (Hook()) Hook()(operation, path);
}

namespace {
// pread/pwrite of the whole span, resuming after a partial transfer or a signal. Returns the
// number of bytes transferred (short only at the end of the file for a read), or -1 on error.
ssize_t ReadFully(int fd, uint8_t* data, size_t size, uint64_t offset) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool WriteFully(int fd, const uint8_t* data, size_t size, uint64_t offset) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

RecordFile::RecordFile(const ProgramFolder& folder, std::string programPath, size_t recordSize, Mode mode)
    : programPath_(std::move(programPath)), recordSize_(recordSize) {
    if (recordSize_ == 0) throw DataFileError(programPath_, "dimensione del record nulla");
    int flags = O_RDONLY;
    if (mode == Mode::ReadWrite) flags = O_RDWR;
    errno = 0;
    if (mode != Mode::Create) {
        // The path as spelled is what the case-insensitive lookup returns whenever it exists, so
        // the lookup, which stats or lists every folder on the way, runs only when it does not.
        path_ = folder.AsSpelled(programPath_);
        fd_ = ::open(path_.c_str(), flags | O_CLOEXEC);
        if (fd_ < 0 && (errno == ENOENT || errno == ENOTDIR)) {
            path_ = folder.Resolve(programPath_);
            errno = 0;
            fd_ = ::open(path_.c_str(), flags | O_CLOEXEC);
        }
    } else {
        path_ = folder.Resolve(programPath_);
        std::error_code ec;
        fs::create_directories(path_.parent_path(), ec);
        NotifyFileOperation("write", path_);
        errno = 0;
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    }
    if (fd_ < 0) {
        const int openError = errno;
        std::error_code ec;
        const bool exists = fs::exists(path_, ec);
        errno = openError;
        throw DataFileError(programPath_, exists ? IoFault("impossibile aprire il file") : "file mancante");
    }
}

RecordFile::~RecordFile() {
    if (fd_ >= 0) ::close(fd_);
}

uint64_t RecordFile::SizeInBytes() const {
    struct stat st;
    errno = 0;
    if (::fstat(fd_, &st) != 0) throw DataFileError(programPath_, IoFault("errore di lettura"));
    return static_cast<uint64_t>(st.st_size);
}

size_t RecordFile::Count() const {
    uint64_t size = SizeInBytes();
    if (size % recordSize_ != 0)
        throw DataFileError(programPath_, "file danneggiato: la lunghezza (" + std::to_string(size) +
                                              " byte) non è un numero intero di record da " +
                                              std::to_string(recordSize_) + " byte");
    return static_cast<size_t>(size / recordSize_);
}

size_t RecordFile::CountWhole() const { return static_cast<size_t>(SizeInBytes() / recordSize_); }

std::vector<uint8_t> RecordFile::Read(size_t index) const { return ReadRecords(index, 1); }

std::vector<uint8_t> RecordFile::ReadRecords(size_t first, size_t count) const {
    // An index so large that its offset overflows is simply a record the file does not have.
    constexpr uint64_t limit = static_cast<uint64_t>(std::numeric_limits<off_t>::max());
    const auto missing = [&](size_t index) {
        return DataFileError(programPath_,
                             "file troppo corto: il record " + std::to_string(index) + " manca o è incompleto");
    };
    if (count == 0) return {};
    if (count > limit / recordSize_ || first > limit / recordSize_ - count) throw missing(first);
    std::vector<uint8_t> records(count * recordSize_);
    errno = 0;
    const ssize_t n = ReadFully(fd_, records.data(), records.size(), static_cast<uint64_t>(first) * recordSize_);
    if (n < 0) throw DataFileError(programPath_, IoFault("errore di lettura"));
    if (static_cast<size_t>(n) != records.size()) throw missing(first + static_cast<size_t>(n) / recordSize_);
    return records;
}

void RecordFile::Write(size_t index, const std::vector<uint8_t>& record) {
    if (record.size() != recordSize_) throw DataFileError(programPath_, "record di lunghezza errata");
    NotifyFileOperation("write", path_);
    errno = 0;
    if (!WriteFully(fd_, record.data(), recordSize_, static_cast<uint64_t>(index) * recordSize_))
        throw DataFileError(programPath_, IoFault("errore di scrittura"));
}

void RecordFile::Append(const std::vector<uint8_t>& record) { Write(CountWhole(), record); }

void RecordFile::Truncate(size_t records) {
    NotifyFileOperation("truncate", path_);
    errno = 0;
    if (::ftruncate(fd_, static_cast<off_t>(records * recordSize_)) != 0)
        throw DataFileError(programPath_, IoFault("errore di scrittura"));
}

std::vector<uint8_t> ReadWholeFile(const ProgramFolder& folder, std::string_view programPath) {
    fs::path path = folder.Resolve(programPath);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DataFileError(std::string(programPath), "file mancante");
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw DataFileError(std::string(programPath), "errore di lettura");
    return data;
}

std::vector<std::string> SplitTextLines(std::string_view contents) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < contents.size(); ++i) {
        char c = contents[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') ++i;
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

std::vector<std::string> ReadTextLines(const ProgramFolder& folder, std::string_view programPath) {
    std::vector<uint8_t> data = ReadWholeFile(folder, programPath);
    return SplitTextLines(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

fs::path TemporarySibling(const fs::path& path) {
    fs::path temp = path;
    temp += "~tmp";
    return temp;
}

namespace {
// What went wrong in WriteThroughSibling, for the caller to word.
struct SiblingFault {
    std::string Fault;
    bool Failed() const { return !Fault.empty(); }
};

// What a copied file takes from its source besides the bytes.
struct SourceAttributes {
    fs::file_time_type Modified;
    fs::perms Permissions;
};

// The steps of every whole-file replacement: the contents to the sibling temporary file (flushed to
// the disk), a copied file's attributes, then the rename over the file. Each changing step is
// announced to the hook first; a failed step removes the temporary file.
SiblingFault WriteThroughSibling(const fs::path& path, std::string_view contents,
                                 const std::optional<SourceAttributes>& source) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const fs::path temp = TemporarySibling(path);
    NotifyFileOperation("write", temp);
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return {IoFault("impossibile creare il file temporaneo")};
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok && source) {
        fs::permissions(temp, source->Permissions, ec);
        if (!ec) fs::last_write_time(temp, source->Modified, ec);
        ok = !ec;
    }
    if (!ok) {
        const SiblingFault fault{IoFault("errore di scrittura")};
        fs::remove(temp, ec);
        return fault;
    }
    NotifyFileOperation("rename", path);
    fs::rename(temp, path, ec);
    if (ec) {
        const SiblingFault fault{"impossibile sostituire il file: " + ec.message()};
        fs::remove(temp, ec);
        return fault;
    }
    return {};
}
}  // namespace

void ReplaceFile(const fs::path& path, std::string_view contents) {
    const SiblingFault fault = WriteThroughSibling(path, contents, std::nullopt);
    if (fault.Failed()) throw DataFileError(path.filename().string(), fault.Fault);
}

void CopyFileReplacing(const fs::path& from, const fs::path& to) {
    const auto failed = [&] { return DataFileError(to.string(), "copia da " + from.string() + " non riuscita"); };
    std::error_code ec;
    SourceAttributes attributes{fs::last_write_time(from, ec), {}};
    if (ec) throw failed();
    attributes.Permissions = fs::status(from, ec).permissions();
    if (ec) throw failed();
    std::ifstream in(from, std::ios::binary);
    if (!in) throw failed();
    const std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw failed();
    if (WriteThroughSibling(to, contents, attributes).Failed()) throw failed();
}

void ReplaceFile(const ProgramFolder& folder, std::string_view programPath, std::string_view contents) {
    try {
        ReplaceFile(folder.Resolve(programPath), contents);
    } catch (const DataFileError& e) {
        throw DataFileError(std::string(programPath), e.fault());
    }
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void ReplaceTextFile(const ProgramFolder& folder, std::string_view programPath, const std::vector<std::string>& lines) {
    ReplaceFile(folder, programPath, JoinTextLines(lines));
}

}  // namespace florimant
