#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "archive/subject_archive.hpp"
#include "archive/subject_records.hpp"
#include "common/program_folder.hpp"
#include "common/trim.hpp"

// A program folder in a temporary directory, removed afterwards, with helpers to make subjects.
struct ArchiveFolder {
    std::filesystem::path path;
    florimant::ProgramFolder folder;

    ArchiveFolder() : path(MakePath()), folder(path) {}
    ~ArchiveFolder() { std::filesystem::remove_all(path); }

    static std::filesystem::path MakePath() {
        static int serial = 0;
        auto p = std::filesystem::temp_directory_path() /
                 ("florimant-archive-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        std::filesystem::remove_all(p);
        std::filesystem::create_directories(p);
        return p;
    }

    std::string Bytes(const std::string& name) const {
        std::ifstream in(folder.Resolve(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Put(const std::string& name, const std::string& bytes) const {
        auto p = folder.Resolve(name);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    uintmax_t Size(const std::string& name) const { return std::filesystem::file_size(folder.Resolve(name)); }
};

inline florimant::BirthData Subject(const std::string& name, int day = 15, int month = 3, int year = 1960) {
    florimant::BirthData d;
    d.Name = name;
    d.Day = day;
    d.Month = month;
    d.Year = year;
    d.Hour = 10;
    d.Minute = 30;
    d.Correction = -1;
    d.CoordinatesText = "45N28-009E11";
    d.Locality = "MILANO *MI*";
    d.Nationality = "ITALIA";
    return d;
}

inline const florimant::ChartSummaries& FixedSummaries() {
    static const florimant::ChartSummaries s{"01eA00", "01A00", "eKl0"};
    return s;
}

// Every index text 1..N, in file order.
inline std::vector<std::string> IndexTexts(const florimant::ProgramFolder& folder, const std::string& archive) {
    std::vector<std::string> texts;
    const long n = florimant::OpenArchive(folder, archive).Count;
    for (long p = 1; p <= n; ++p) texts.push_back(florimant::ReadIndexEntry(folder, archive, p));
    return texts;
}

inline std::vector<std::string> IndexNames(const florimant::ProgramFolder& folder, const std::string& archive) {
    std::vector<std::string> names;
    for (const std::string& t : IndexTexts(folder, archive)) {
        names.push_back(florimant::WithoutTrailingBlanks(t.substr(0, 38)));
    }
    return names;
}
