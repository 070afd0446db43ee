#pragma once
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "common/file_io.hpp"
#include "common/program_folder.hpp"
#include "knowledge/remedy_record.hpp"

// Helpers shared by the knowledge-base file tests.
namespace knowledge_test {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path path;
    TempFolder() {
        static std::atomic<int> counter{0};
        path = fs::temp_directory_path() /
               ("florimant-kb-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
    florimant::ProgramFolder folder() const { return florimant::ProgramFolder(path); }
};

inline std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

inline florimant::RemedyRecord Remedy(const std::string& name, const std::string& indication,
                                      const std::string& primary = "", const std::string& zodiac = "") {
    using namespace florimant;
    RemedyRecord r;
    SplitRemedyField(r, RemedyField::Rimedio, name);
    SplitRemedyField(r, RemedyField::Indicazioni, indication);
    SplitRemedyField(r, RemedyField::SegnaturaPrimaria, primary);
    SplitRemedyField(r, RemedyField::SegnaturaZodiacale, zodiac);
    return r;
}

// Every regular file below the folder with its bytes, by path relative to it.
inline std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) files[fs::relative(e.path(), root).string()] = ReadBytes(e.path());
    return files;
}

}  // namespace knowledge_test
