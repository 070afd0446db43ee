#pragma once
#include <array>

#include "archive/subject_records.hpp"
#include "common/program_folder.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

// The three compact chart texts stored in a subject's birth record. Nothing reads them back;
// they keep the record complete for other programs.
namespace florimant {

// From the ephemeris longitudes of bodies 1..14 in the ephemeris's own order (absolute values)
// and Placidus cusps 1..12.
ChartSummaries BuildChartSummaries(const BodyReals& longitudes, const std::array<Real, 13>& cusps);
// Computes the subject's chart at its Universal Time Julian day (Placidus cusps whatever house
// system is chosen elsewhere) and builds the texts.
ChartSummaries ComputeChartSummaries(const ProgramFolder& folder, const EphemerisSettings& settings,
                                     const BirthData& data);

}  // namespace florimant
