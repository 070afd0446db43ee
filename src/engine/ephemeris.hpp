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

}  // namespace florimant
