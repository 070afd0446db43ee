#pragma once
#include <cstdint>
#include <memory>
#include <span>

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
// kept open until the computation ends, so one chart opens each file at most once.
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
    RecordFile& Open(std::unique_ptr<RecordFile>& slot, const char* programPath, size_t recordSize);
    const ProgramFolder& folder_;
    std::unique_ptr<RecordFile> planets_, moon_, blackMoon_;
};

}  // namespace florimant
