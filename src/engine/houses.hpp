#pragma once
#include <string_view>

#include "common/real.hpp"
#include "engine/chart_data.hpp"

namespace florimant {

// Computes SiderealTime, MidheavenRad, AscendantRad and HouseCusps of `chart` in the named system
// ("PLACIDO", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO", "CASE_UGUALI", "CASE_MEDIE", "MORINO",
// "ALCABIZIO"). jd is the UT Julian Day; hour and minute the local clock time. An unknown name
// (and "ALCABIZIO") sets only cusps 1 and 10 and leaves the others as they were.
void ComputeHouses(Real jd, int longitudeDegrees, int longitudeMinutes, std::string_view eastWest, int latitudeDegrees,
                   int latitudeMinutes, std::string_view northSouth, int hour, int minute, Real correction,
                   std::string_view system, ChartData& chart);

// The house formulas alone, for a right ascension of the meridian `ramc`, a latitude (south
// negative, or 360 - latitude) and an obliquity, all in degrees. Sets the same fields as
// ComputeHouses, with SiderealTime = ramc / 15.
void ComputeHousesFromRamc(Real ramc, Real latitude, Real obliquity, std::string_view system, ChartData& chart);

}  // namespace florimant
