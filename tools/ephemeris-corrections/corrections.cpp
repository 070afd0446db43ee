#include "corrections.hpp"

#include <swephexp.h>

#include <cmath>
#include <mutex>
#include <stdexcept>

#include "common/bytes.hpp"
#include "common/file_io.hpp"
#include "common/real_formats.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

namespace florimant::corrections {

namespace {

void InitSwissEphemeris() {
    static std::once_flag once;
    std::call_once(once, [] { swe_set_ephe_path(const_cast<char*>(SWE_EPHE_DIR)); });
}

// Longitude and latitude of a Swiss Ephemeris body, apparent geocentric of date.
std::array<double, 2> Swiss(int body, Real jd) {
    InitSwissEphemeris();
    double xx[6];
    char error[256] = {0};
    if (swe_calc_ut(static_cast<double>(jd), body, SEFLG_SWIEPH, xx, error) < 0)
        throw std::runtime_error(std::string("Swiss Ephemeris: ") + error);
    return {xx[0], xx[1]};
}

// The plain theory, without correction files; which selects the bodies as the ephemeris does.
ChartData Plain(int which, Real jd) {
    static const ProgramFolder nowhere(std::filesystem::temp_directory_path());
    EphemerisSettings settings;
    settings.NodeMode = "VERO";
    settings.BlackMoonMode = "MEDIA";
    settings.ApplyCorrectionFiles = false;
    ChartData chart;
    ComputeBodies(nowhere, settings, which, 0, jd, chart);
    return chart;
}

Real Wrap180(Real degrees) {
    degrees = std::fmod(degrees, 360.0L);
    if (degrees >= 180) degrees -= 360;
    if (degrees < -180) degrees += 360;
    return degrees;
}

template <typename T>
T Clamp(Real value, long limit, size_t& count, Real jd, ClampReport* report) {
    long rounded = std::lround(value);
    if (rounded > limit || rounded < -limit) {
        rounded = rounded > 0 ? limit : -limit;
        ++count;
        if (report) {
            if (report->firstClampedDay == 0 || jd < report->firstClampedDay) report->firstClampedDay = jd;
            if (jd > report->lastClampedDay) report->lastClampedDay = jd;
        }
    }
    return static_cast<T>(rounded);
}

}  // namespace

Real MoonDifferenceArcsec(Real jd) {
    const Real engine = Plain(Body::Moon, jd).Longitude[Body::Moon];
    return Wrap180(Swiss(SE_MOON, jd)[0] - engine) * 3600;
}

Real BlackMoonDifferenceArcsec(Real jd) {
    const Real engine = Plain(Body::BlackMoon, jd).Longitude[Body::BlackMoon];
    return Wrap180(Swiss(SE_OSCU_APOG, jd)[0] - engine) * 3600;
}

int16_t MoonRecord(size_t index, ClampReport* report) {
    const Real jd = MoonFileFirstDay + static_cast<Real>(index);
    size_t dummy = 0;
    return Clamp<int16_t>(MoonDifferenceArcsec(jd), MoonLimitArcsec, report ? report->moon : dummy, jd, report);
}

int32_t BlackMoonRecord(size_t index, ClampReport* report) {
    const Real jd = BlackMoonFileFirstDay + static_cast<Real>(index);
    size_t dummy = 0;
    return Clamp<int32_t>(BlackMoonDifferenceArcsec(jd), 2000000000L, report ? report->blackMoon : dummy, jd, report);
}

std::array<uint8_t, PlanetRecordSize> PlanetRecord(size_t index, ClampReport* report) {
    std::array<uint8_t, PlanetRecordSize> record{};
    const Real jd = PlanetFileFirstDay + 5 * static_cast<Real>(index);
    const Real48Bytes day = EncodeReal48(jd);
    std::copy(day.begin(), day.end(), record.begin());
    ClampReport local;
    ClampReport& r = report ? *report : local;

    const ChartData plain = Plain(0, jd);
    // Code 9: the true node over the whole span.
    {
        const Real diff = Wrap180(Swiss(SE_TRUE_NODE, jd)[0] - plain.Longitude[Body::LunarNode]) * 60;
        record[16] = static_cast<uint8_t>(Clamp<int8_t>(diff, 127, r.planetCodes[9], jd, report));
    }
    if (jd >= PlanetCorrectionsEnd) return record;  // planets: zero from 1900 on

    static constexpr int kSwissPlanets[8] = {SE_MERCURY, SE_VENUS,  SE_MARS,    SE_JUPITER,
                                             SE_SATURN,  SE_URANUS, SE_NEPTUNE, SE_PLUTO};
    for (int k = 0; k < 8; ++k) {
        const int body = Body::Mercury + k;  // ephemeris order: Mercury .. Pluto are 3..10
        const auto swiss = Swiss(kSwissPlanets[k], jd);
        const Real lonArcmin = Wrap180(swiss[0] - plain.Longitude[body]) * 60;
        const Real latArcmin = (swiss[1] - plain.Latitude[body]) * 60;
        if (k < 7) {
            record[6 + k] = static_cast<uint8_t>(Clamp<int8_t>(lonArcmin, 127, r.planetCodes[1 + k], jd, report));
            record[17 + k] = static_cast<uint8_t>(Clamp<int8_t>(latArcmin, 127, r.planetCodes[10 + k], jd, report));
        } else {
            WriteI16LE(record, 14, Clamp<int16_t>(lonArcmin, 32767, r.planetCodes[8], jd, report));
            WriteI16LE(record, 24, Clamp<int16_t>(latArcmin, 32767, r.planetCodes[17], jd, report));
        }
    }
    return record;
}

namespace {
void Progress(std::FILE* log, const char* what, size_t i, size_t n) {
    if (log && (i % (n / 20 + 1) == 0)) std::fprintf(log, "%s: %zu/%zu\n", what, i, n), std::fflush(log);
}
}  // namespace

ClampReport WriteCorrectionFiles(const std::filesystem::path& folder, std::FILE* log) {
    ClampReport report;
    std::string moon(MoonFileRecords * 2, '\0');
    for (size_t i = 0; i < MoonFileRecords; ++i) {
        Progress(log, "DSEL.rnd", i, MoonFileRecords);
        WriteI16LE(std::span<uint8_t>(reinterpret_cast<uint8_t*>(moon.data()), moon.size()), 2 * i,
                   MoonRecord(i, &report));
    }
    ReplaceFile(folder / "FilePosi" / "DSEL.rnd", moon);

    std::string blackMoon(BlackMoonFileRecords * 4, '\0');
    for (size_t i = 0; i < BlackMoonFileRecords; ++i) {
        Progress(log, "NOJLNE.rnd", i, BlackMoonFileRecords);
        WriteI32LE(std::span<uint8_t>(reinterpret_cast<uint8_t*>(blackMoon.data()), blackMoon.size()), 4 * i,
                   BlackMoonRecord(i, &report));
    }
    ReplaceFile(folder / "FilePosi" / "NOJLNE.rnd", blackMoon);

    std::string planets;
    planets.reserve(PlanetFileRecords * PlanetRecordSize);
    for (size_t i = 0; i < PlanetFileRecords; ++i) {
        Progress(log, "DPR1.rnd", i, PlanetFileRecords);
        const auto record = PlanetRecord(i, &report);
        planets.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    ReplaceFile(folder / "FilePosi" / "DPR1.rnd", planets);
    return report;
}

}  // namespace florimant::corrections
