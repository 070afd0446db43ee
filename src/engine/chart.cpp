#include "engine/chart.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "common/number_text.hpp"
#include "common/utf8.hpp"
#include "engine/astro_time.hpp"
#include "engine/houses.hpp"
#include "engine/texts.hpp"

namespace florimant {

namespace {

// Asteroids and Chiron are shown only between 1 January 1850 and 31 December 2080, 0h.
constexpr Real AsteroidsFrom = 2396758.5L, AsteroidsUntil = 2481129.5L;

void ParseBirthDateText(ChartData& chart) {
    const std::string& t = chart.BirthDateText;
    const int day = DigitsAt(t, 0, 2).value_or(-1), month = DigitsAt(t, 3, 2).value_or(-1),
              year = DigitsAt(t, 6, 4).value_or(-1), hour = DigitsAt(t, 11, 2).value_or(-1),
              minute = DigitsAt(t, 14, 2).value_or(-1);
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 0 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59)
        throw std::invalid_argument("Data di nascita non valida: \"" + t + "\" (atteso gg/mm/aaaa hh:mm)");
    chart.BirthDay = day;
    chart.BirthMonth = month;
    chart.BirthYear = year;
    chart.BirthHour = hour;
    chart.BirthMinute = minute;
}

std::string ShortestText(Real value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", value);
    return buffer;
}

}  // namespace

void ParseCoordinatesText(ChartData& chart) {
    const std::string& t = chart.CoordinatesText;
    auto letter = [&](size_t at) { return at < t.size() ? UpperCaseAscii(t[at]) : '\0'; };
    const int latDeg = DigitsAt(t, 0, 2).value_or(-1), latMin = DigitsAt(t, 3, 2).value_or(-1),
              lonDeg = DigitsAt(t, 6, 3).value_or(-1), lonMin = DigitsAt(t, 10, 2).value_or(-1);
    const char ns = letter(2), ew = letter(9);
    if (latDeg < 0 || latDeg > 90 || latMin < 0 || latMin > 60 || lonDeg < 0 || lonDeg > 180 || lonMin < 0 ||
        lonMin > 60 || (ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W' && ew != 'O'))
        throw std::invalid_argument("Coordinate non valide: \"" + t + "\" (atteso un testo come 45N28-009E11)");
    chart.LatitudeDegrees = latDeg;
    chart.NorthSouth = std::string(1, ns);
    chart.LatitudeMinutes = latMin;
    chart.LongitudeDegrees = lonDeg;
    chart.EastWest = std::string(1, ew);
    chart.LongitudeMinutes = lonMin;
}

void ArrangeChartBodies(ChartData& chart) {
    const bool nodeRetrograde = chart.Longitude[Body::LunarNode] < 0;
    for (int i = 1; i <= Body::Count; ++i) {
        chart.RetroFlags[i] = chart.Longitude[i] < 0 && i <= Body::Neptune ? 'r' : ' ';
        chart.Longitude[i] = std::fabs(chart.Longitude[i]);
    }
    if (chart.JulianDayUT < AsteroidsFrom || chart.JulianDayUT > AsteroidsUntil) {
        for (int i = Body::Ceres; i <= Body::Chiron; ++i) {
            chart.Longitude[i] = 0;
            chart.RetroFlags[i] = ' ';
        }
    }
    chart.Longitude[Body::NorthNode] = chart.Longitude[Body::LunarNode];
    chart.Longitude[Body::SouthNode] = Normalize360(chart.Longitude[Body::NorthNode] + 180);
    chart.Longitude[Body::Ascendant] = chart.HouseCusps[1];
    chart.Longitude[Body::Midheaven] = chart.MidheavenRad / DegToRad;
    for (int i = Body::NorthNode; i <= Body::Midheaven; ++i) chart.Latitude[i] = 0;
    chart.RetroFlags[Body::NorthNode] = chart.RetroFlags[Body::SouthNode] = nodeRetrograde ? 'r' : ' ';
    // Signs of the final order, so that the sign of body 8 is the north node's and not Uranus's.
    for (int i = 1; i <= Body::Count; ++i)
        chart.BodySigns[i] = static_cast<uint8_t>(std::clamp(static_cast<int>(chart.Longitude[i] / 30) + 1, 1, 12));
}

void ComputeChartFromSubjectFields(const ProgramFolder& folder, const EphemerisSettings& settings, ChartData& chart) {
    ParseBirthDateText(chart);
    chart.JulianDayUT = JulianDay(chart.CalendarFlag, chart.BirthDay, chart.BirthMonth, chart.BirthYear,
                                  chart.BirthHour, chart.BirthMinute) +
                        chart.CorrectionHours / 24;
    ParseCoordinatesText(chart);
    chart.HourInt = static_cast<int>(std::lround(chart.BirthHour));
    chart.MinuteInt = static_cast<int>(std::lround(chart.BirthMinute));

    chart.HouseSystem = "CASE_MEDIE";
    ComputeHouses(chart.JulianDayUT, chart.LongitudeDegrees, chart.LongitudeMinutes, chart.EastWest,
                  chart.LatitudeDegrees, chart.LatitudeMinutes, chart.NorthSouth, chart.HourInt, chart.MinuteInt,
                  chart.CorrectionHours, chart.HouseSystem, chart);
    ComputeChartBodies(folder, settings, 0, chart.JulianDayUT, chart);

    // The zone is the correction with its sign reversed: -1 hour shows as +1.00.
    chart.ZoneText = (-chart.CorrectionHours >= 0 ? "+" : "-") + FormatDecimal(4, chart.CorrectionHours);
    chart.JulianDayText = "JD=" + ShortestText(chart.JulianDayUT).substr(0, 12);
    ArrangeChartBodies(chart);
}

void SetSubjectFieldsForChart(ChartData& chart, int day, int month, int year, int hour, int minute,
                              Real correctionHours, uint8_t calendarFlag, std::string coordinatesText) {
    std::string correction = ShortestText(correctionHours + 0.0L);  // no "-0"
    std::replace(correction.begin(), correction.end(), '.', ',');
    if (correctionHours >= 0) correction = "+" + correction;
    chart.DateField =
        ZeroPad(year, 4) + ZeroPad(month, 2) + ZeroPad(day, 2) + ZeroPad(hour, 2) + ZeroPad(minute, 2) + correction;
    chart.BirthDateText = ZeroPad(day, 2) + "/" + ZeroPad(month, 2) + "/" + ZeroPad(year, 4) + " " + ZeroPad(hour, 2) +
                          ":" + ZeroPad(minute, 2);
    chart.CorrectionText = correction.substr(0, 5);
    chart.CorrectionHours = correctionHours;
    chart.CalendarFlag = calendarFlag;
    chart.CoordinatesText = std::move(coordinatesText);
}

}  // namespace florimant
