#include "common/file_io.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
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

RecordFile::RecordFile(const ProgramFolder& folder, std::string programPath, size_t recordSize, Mode mode)
    : programPath_(std::move(programPath)), path_(folder.Resolve(programPath_)), recordSize_(recordSize) {
    const char* how = "rb";
    if (mode == Mode::ReadWrite) how = "r+b";
    if (mode == Mode::Create) {
        std::error_code ec;
        fs::create_directories(path_.parent_path(), ec);
        NotifyFileOperation("write", path_);
        how = "w+b";
    }
    errno = 0;
    file_ = std::fopen(path_.c_str(), how);
    if (!file_) {
        std::error_code ec;
        throw DataFileError(programPath_, fs::exists(path_, ec) ? IoFault("impossibile aprire il file") : "file mancante");
    }
}

RecordFile::~RecordFile() {
    if (file_) std::fclose(file_);
}

uint64_t RecordFile::SizeInBytes() const {
    if (std::fseek(file_, 0, SEEK_END) != 0) throw DataFileError(programPath_, IoFault("errore di lettura"));
    long size = std::ftell(file_);
    if (size < 0) throw DataFileError(programPath_, IoFault("errore di lettura"));
    return static_cast<uint64_t>(size);
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

std::vector<uint8_t> RecordFile::Read(size_t index) const {
    std::vector<uint8_t> record(recordSize_);
    errno = 0;
    if (std::fseek(file_, static_cast<long>(index * recordSize_), SEEK_SET) != 0 ||
        std::fread(record.data(), 1, recordSize_, file_) != recordSize_)
        throw DataFileError(programPath_, "file troppo corto: il record " + std::to_string(index) + " manca o è incompleto");
    return record;
}

void RecordFile::Write(size_t index, const std::vector<uint8_t>& record) {
    if (record.size() != recordSize_) throw DataFileError(programPath_, "record di lunghezza errata");
    NotifyFileOperation("write", path_);
    errno = 0;
    if (std::fseek(file_, static_cast<long>(index * recordSize_), SEEK_SET) != 0 ||
        std::fwrite(record.data(), 1, recordSize_, file_) != recordSize_ || std::fflush(file_) != 0)
        throw DataFileError(programPath_, IoFault("errore di scrittura"));
}

void RecordFile::Append(const std::vector<uint8_t>& record) { Write(CountWhole(), record); }

void RecordFile::Truncate(size_t records) {
    NotifyFileOperation("truncate", path_);
    std::fflush(file_);
    if (::ftruncate(fileno(file_), static_cast<off_t>(records * recordSize_)) != 0)
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

void ReplaceFile(const fs::path& path, std::string_view contents) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const fs::path temp = TemporarySibling(path);
    const std::string shown = path.filename().string();
    NotifyFileOperation("write", temp);
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) throw DataFileError(shown, IoFault("impossibile creare il file temporaneo"));
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = std::fflush(f) == 0 && ok;
    ok = ::fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        fs::remove(temp, ec);
        throw DataFileError(shown, IoFault("errore di scrittura"));
    }
    NotifyFileOperation("rename", path);
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw DataFileError(shown, "impossibile sostituire il file: " + ec.message());
    }
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
