#pragma once
// Temporary program folders holding the ephemeris correction files, for the engine tests.
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/bytes.hpp"
#include "common/real_formats.hpp"
#include "engine/correction_files.hpp"

namespace florimant::testing {

struct TempProgramFolder {
    std::filesystem::path path;
    TempProgramFolder() {
        static std::atomic<int> counter{0};
        path = std::filesystem::temp_directory_path() /
               ("florimant-eph-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path / "FilePosi");
    }
    ~TempProgramFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path File(const std::string& name) const { return path / "FilePosi" / name; }

    // A file of `bytes` zero bytes (sparse where the file system allows it).
    void Zeros(const std::string& name, uintmax_t bytes) const {
        std::ofstream(File(name), std::ios::binary).close();
        std::filesystem::resize_file(File(name), bytes);
    }
    void Patch(const std::string& name, uintmax_t offset, const std::vector<uint8_t>& bytes) const {
        std::fstream f(File(name), std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(static_cast<std::streamoff>(offset));
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    // Zero corrections over the whole span of each file.
    void ZeroMoonFile() const { Zeros("DSEL.rnd", 2 * 780000); }
    void ZeroBlackMoonFile() const { Zeros("NOJLNE.rnd", 4 * 150000); }
    void ZeroPlanetFile(uintmax_t records = 160000) const { Zeros("DPR1.rnd", 32 * records); }

    void SetMoonRecord(int64_t n, int16_t arcseconds) const {
        std::vector<uint8_t> b(2);
        WriteI16LE(b, 0, arcseconds);
        Patch("DSEL.rnd", static_cast<uintmax_t>(2 * n), b);
    }
    void SetBlackMoonRecord(int64_t n, int32_t arcseconds) const {
        std::vector<uint8_t> b(4);
        WriteI32LE(b, 0, arcseconds);
        Patch("NOJLNE.rnd", static_cast<uintmax_t>(4 * n), b);
    }
    // A DPR1 record with its Julian Day and one value per code (codes 1..17, arcminutes).
    void SetPlanetRecord(int64_t index, Real jd, const std::vector<std::pair<int, int>>& codeValues) const {
        std::vector<uint8_t> r(32, 0);
        Real48Bytes j = EncodeReal48(jd);
        std::copy(j.begin(), j.end(), r.begin());
        for (auto [code, value] : codeValues) {
            if (code == 8) WriteI16LE(r, 14, static_cast<int16_t>(value));
            else if (code == 17) WriteI16LE(r, 24, static_cast<int16_t>(value));
            else if (code <= 7) r[5 + code] = static_cast<uint8_t>(static_cast<int8_t>(value));
            else if (code == 9) r[16] = static_cast<uint8_t>(static_cast<int8_t>(value));
            else r[17 + (code - 10)] = static_cast<uint8_t>(static_cast<int8_t>(value));
        }
        Patch("DPR1.rnd", static_cast<uintmax_t>(32 * index), r);
    }
};

}  // namespace florimant::testing
