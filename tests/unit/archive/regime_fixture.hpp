#pragma once
// A throw-away program folder with small locality and regime files for the atlas tests.
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/locality_records.hpp"
#include "archive/regime_records.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"

namespace atlas_test {

namespace fs = std::filesystem;
using namespace florimant;

// Julian day of a UT moment, Gregorian calendar.
inline Real Ut(int year, int month, int day, int hour = 0, int minute = 0) {
    return JulianDay(1, day, month, year, hour, minute);
}

inline RegimeRecord Greg(Real storedInstantWithoutOffset) {
    return MakeRegimeRecord(storedInstantWithoutOffset, "GREG", 0);
}
inline RegimeRecord Lmt(Real ut, double correction) { return MakeRegimeRecord(ut, "LMT ", correction); }
inline RegimeRecord Change(Real ut, double correction, const char* label) {
    return MakeRegimeRecord(ut, label, correction);
}
inline RegimeRecord Rich(uint32_t list) { return MakeContinuationRecord(list); }
inline RegimeRecord End() { return RegimeRecord{0, "****", 0}; }

inline LocalityRecord Place(const std::string& name, Real lat, Real lon, uint32_t list, const std::string& state) {
    return LocalityRecord{name, lat, lon, RegimeCodeOf(list), state};
}

class AtlasFolder {
public:
    AtlasFolder() {
        static int serial = 0;
        root_ = fs::temp_directory_path() /
                ("florimant-atlas-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    ~AtlasFolder() { fs::remove_all(root_); }
    AtlasFolder(const AtlasFolder&) = delete;
    AtlasFolder& operator=(const AtlasFolder&) = delete;

    ProgramFolder folder() const { return ProgramFolder(root_); }
    const fs::path& root() const { return root_; }

    void ItalianList(const std::string& name, const std::vector<RegimeRecord>& records) {
        ReplaceFile(folder(), "Calendar\\" + name, EncodeRegimeRecords(records));
    }
    // Foreign lists go one after another into the database, each ended by "****".
    void ForeignList(const std::string& name, const std::vector<RegimeRecord>& records) {
        if (database_.empty()) database_.push_back(End());
        index_.push_back(RegimeIndexLine(name, database_.size()));
        database_.insert(database_.end(), records.begin(), records.end());
        database_.push_back(End());
        ReplaceFile(folder(), "Calendar\\Database.cll", EncodeRegimeRecords(database_));
        ReplaceTextFile(folder(), "Calendar\\Elencal.002", index_);
    }
    void Places(LocalityStore store, const std::vector<LocalityRecord>& places) {
        WriteLocalityFile(folder(), store, places);
    }
    void Bytes(const std::string& relative, const std::string& bytes) {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << bytes;
    }

private:
    fs::path root_;
    std::vector<RegimeRecord> database_;
    std::vector<std::string> index_;
};

}  // namespace atlas_test
