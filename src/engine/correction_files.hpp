#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "common/file_io.hpp"
#include "common/program_folder.hpp"
#include "common/real.hpp"

// The tabulated corrections installed with the data, read only:
//  "FilePosi\DPR1.rnd"   32-byte records, one per 5 days: planets before 1900 and the true node;
//  "FilePosi\DSEL.rnd"   signed 16-bit arcseconds per day from JD 1721420.5: the Moon;
//  "FilePosi\NOJLNE.rnd" signed 32-bit arcseconds per day from JD 2341972.5: the black moon.
// A missing or short file raises DataFileError naming it.
namespace florimant {

inline constexpr const char* PlanetCorrectionFile = "FilePosi\\DPR1.rnd";
inline constexpr const char* MoonCorrectionFile = "FilePosi\\DSEL.rnd";
inline constexpr const char* BlackMoonCorrectionFile = "FilePosi\\NOJLNE.rnd";

inline constexpr size_t PlanetCorrectionRecordSize = 32;
inline constexpr Real PlanetCorrectionEpoch = 1721408.5L;
inline constexpr Real MoonCorrectionEpoch = 1721420.5L;
inline constexpr Real BlackMoonCorrectionEpoch = 2341972.5L;

// Field codes of a DPR1 record: 1..8 longitude of Mercury..Pluto, 9 true node, 10..17 latitude of
// Mercury..Pluto. Values in arcminutes.
int16_t PlanetCorrectionField(std::span<const uint8_t> record, int code);
// The record holding x: int(x - epoch - 0.5) div 5.
int64_t PlanetCorrectionRecordIndex(Real jd);
// The daily record n of the Moon and black-moon files: round(jd - epoch - 0.5), half to even.
int64_t DailyCorrectionRecordIndex(Real jd, Real epoch);

// The correction files of one computation: each is opened the first time it is needed and then
// kept open until the computation ends, so one chart opens each file at most once. The last pair
// of records read from each file is kept with it: the two passes of a chart and the planets of one
// date interpolate between the same two records, read once. Nothing outlives the computation.
class CorrectionFiles {
public:
    explicit CorrectionFiles(const ProgramFolder& folder) : folder_(folder) {}

    // Interpolated DPR1 value of `code` at jd, in arcminutes (above 21600 reduced by 21600).
    Real PlanetCorrection(int code, Real jd);
    // Interpolated Moon correction at jd, arcseconds (above 21600 reduced by 21600).
    Real MoonCorrection(Real jd);
    // Interpolated black-moon correction at jd, arcseconds.
    Real BlackMoonCorrection(Real jd);

private:
    struct File {
        File(const char* path, size_t size) : programPath(path), recordSize(size) {}
        const char* programPath;
        size_t recordSize;
        std::unique_ptr<RecordFile> file;
        int64_t pairIndex = -1;     // first record of `pair`, -1 before the first read
        std::vector<uint8_t> pair;  // records pairIndex and pairIndex + 1
    };
    // Records n and n + 1 of the file, opening it first when needed.
    std::span<const uint8_t> Pair(File& file, int64_t n);
    Real Daily(File& file, Real epoch, Real jd, bool wrap);

    const ProgramFolder& folder_;
    File planets_{PlanetCorrectionFile, PlanetCorrectionRecordSize};
    File moon_{MoonCorrectionFile, 2};
    File blackMoon_{BlackMoonCorrectionFile, 4};
};

}  // namespace florimant
