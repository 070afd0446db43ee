#pragma once
#include <cstdint>
#include <string>

#include "common/program_folder.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

namespace florimant {

// The chart computation from the subject fields already in `chart` (BirthDateText,
// CorrectionText, CorrectionHours, CalendarFlag, CoordinatesText): parses them, computes the UT
// Julian Day, the houses in "CASE_MEDIE", the bodies, the retrograde flags, the signs, ZoneText,
// JulianDayText, and rearranges the bodies into the order every reader of ChartData sees.
// Raises std::invalid_argument (Italian message) for a date or coordinate text it cannot read.
void ComputeChartFromSubjectFields(const ProgramFolder& folder, const EphemerisSettings& settings, ChartData& chart);

// Fills the subject fields that ComputeChartFromSubjectFields reads (BirthDateText, DateField,
// CorrectionText, CorrectionHours, CalendarFlag, CoordinatesText) from a local civil date and clock
// time, for charts that do not come from the archive (command line, tests).
void SetSubjectFieldsForChart(ChartData& chart, int day, int month, int year, int hour, int minute,
                              Real correctionHours, uint8_t calendarFlag, std::string coordinatesText);

// Reads CoordinatesText (45N28-009E11: latitude degrees, N or S, minutes, "-", longitude degrees,
// E, W or O, minutes) into the latitude and longitude fields; std::invalid_argument when it
// cannot.
void ParseCoordinatesText(ChartData& chart);

// The retrograde flags, signs and final body order: bodies 8..11 become the north node, the
// south node, the Ascendant and the Midheaven. Takes the ephemeris output of ComputeChartBodies
// and reads JulianDayUT (asteroids are kept only for 1850-2080), HouseCusps and MidheavenRad.
void ArrangeChartBodies(ChartData& chart);

}  // namespace florimant
