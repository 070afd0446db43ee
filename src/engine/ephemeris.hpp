#pragma once
#include <string>

#include "common/program_folder.hpp"
#include "common/real.hpp"
#include "engine/chart_data.hpp"

namespace florimant {

struct EphemerisSettings {
    std::string NodeMode = "VERO";        // "VERO" true node; anything else the mean node
    std::string BlackMoonMode = "MEDIA";  // "VERA" applies the daily correction file
    // false computes the plain theory without the correction files (used by the generator of
    // those files and by accuracy reports); the program always applies them.
    bool ApplyCorrectionFiles = true;
};

// Apparent geocentric ecliptic longitudes and latitudes of bodies 1..19 written into
// chart.Longitude / chart.Latitude (body 13 reads chart.HouseCusps[1]). The correction files are
// opened through `folder` exactly when a computation needs them; a missing or short one raises
// DataFileError naming it.
void ComputeBodies(const ProgramFolder& folder, const EphemerisSettings& settings, int which,
                   int skipLatitudeCorrections, Real jd, ChartData& chart);
// The entry used for charts: as ComputeBodies at jd, with retrograde bodies' longitudes negative.
void ComputeChartBodies(const ProgramFolder& folder, const EphemerisSettings& settings, int which, Real jd,
                        ChartData& chart);

// The time arguments of one computation (angles in degrees, reduced to [0, 360)).
struct TimeArguments {
    Real jd = 0;
    Real d = 0;                  // jd - 2415020
    Real T = 0, T2 = 0;          // Julian centuries from 1900 January 0.5, and its square
    Real MeanNode = 0;           // Ω
    Real SunMeanLongitude = 0;   // L
    Real MoonElongation = 0;     // D
    Real MoonPerigee = 0;        // Γ'
    Real SunAnomaly = 0;         // M
    Real MoonMeanLongitude = 0;  // L'
    Real MoonAnomaly = 0;        // M' of the Sun's lunar term
    Real Nutation = 0;           // Δψ
};
TimeArguments ComputeTimeArguments(Real jd);

// Spans of the tabulated corrections (Julian Days).
inline constexpr Real PlanetCorrectionsFrom = 1721423.5L;   // year 1 ..
inline constexpr Real PlanetCorrectionsUntil = 2415020.5L;  // .. 1900 January 1 0h, excluded

}  // namespace florimant
