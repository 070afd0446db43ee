#pragma once
#include "common/program_folder.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

namespace florimant {

// The chart computation from the subject fields already in `chart` (BirthDateText,
// CorrectionText, CorrectionHours, CalendarFlag, CoordinatesText): parses them, computes the UT
// Julian Day, the houses in "CASE_MEDIE", the bodies, the retrograde flags, the signs, ZoneText,
// JulianDayText, and rearranges the bodies into the order every reader of ChartData sees.
void ComputeChartFromSubjectFields(const ProgramFolder& folder, const EphemerisSettings& settings, ChartData& chart);

}  // namespace florimant
