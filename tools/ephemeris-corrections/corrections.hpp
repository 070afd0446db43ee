#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/real.hpp"

// The correction files of the ephemeris: the differences between Swiss Ephemeris and this
// program's own theory (computed without the files), at the same Universal Time, so that the
// corrections also absorb Delta T.
namespace florimant::corrections {

// Spans and layouts the ephemeris reads.
inline constexpr Real MoonFileFirstDay = 1721420.5L;       // DSEL.rnd record 0
inline constexpr size_t MoonFileRecords = 777955;          // through JD 2499373.5 and the next day
inline constexpr Real BlackMoonFileFirstDay = 2341972.5L;  // NOJLNE.rnd record 0
inline constexpr size_t BlackMoonFileRecords = 146463;     // through JD 2488433.5 and the next day
inline constexpr Real PlanetFileFirstDay = 1721409.0L;     // DPR1.rnd record i is dated 1721409 + 5 i
inline constexpr size_t PlanetFileRecords = 155594;        // through JD 2499373.5 (true node)
inline constexpr Real PlanetCorrectionsEnd = 2415020.5L;   // planets are corrected before 1900 only
inline constexpr size_t PlanetRecordSize = 32;
// The Moon's reader takes any value above 21600 arcseconds as wrapped, so corrections stay within it.
inline constexpr int MoonLimitArcsec = 21600;

// Counts of values that did not fit their field and were clamped.
struct ClampReport {
    size_t moon = 0, blackMoon = 0;
    std::array<size_t, 18> planetCodes{};  // by code 1..17
    Real firstClampedDay = 0, lastClampedDay = 0;
};

// Apparent geocentric longitude difference Swiss Ephemeris minus the plain theory, arcseconds, at JD.
Real MoonDifferenceArcsec(Real jd);
// Osculating lunar apogee minus the mean black moon, arcseconds.
Real BlackMoonDifferenceArcsec(Real jd);
// The 32 bytes of DPR1.rnd record `index`.
std::array<uint8_t, PlanetRecordSize> PlanetRecord(size_t index, ClampReport* report = nullptr);

int16_t MoonRecord(size_t index, ClampReport* report = nullptr);
int32_t BlackMoonRecord(size_t index, ClampReport* report = nullptr);

// Writes the three files into `folder` (its FilePosi subfolder is created), each through a sibling
// temporary file. Progress goes to `log` every few percent.
ClampReport WriteCorrectionFiles(const std::filesystem::path& folder, std::FILE* log);

}  // namespace florimant::corrections
