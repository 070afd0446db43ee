#include "analysis/masters.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "analysis/dignities.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "engine/astro_time.hpp"
#include "engine/houses.hpp"
#include "engine/texts.hpp"

namespace florimant {
namespace {

// Sun, Venus, Mercury, Moon, Saturn, Jupiter, Mars: the order of the planetary hours.
constexpr std::array<int, 7> ChaldeanHours{1, 4, 3, 2, 7, 6, 5};
// Where each weekday's first hour stands in that sequence (Sunday .. Saturday).
constexpr std::array<int, 7> WeekdayShift{0, 3, 6, 2, 5, 1, 4};
// Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon: the order of the year and cycle rulers.
constexpr std::array<int, 7> ChaldeanDescending{7, 6, 5, 1, 4, 3, 2};
constexpr int FirstTableYear = 1765, TableYears = 252, CycleYears = 36;

Real BirthLatitude(const ChartData& chart) {
    const Real latitude = chart.LatitudeDegrees + chart.LatitudeMinutes / Real(60);
    return chart.NorthSouth == "S" ? -latitude : latitude;
}

Real BirthEastLongitude(const ChartData& chart) {
    const Real longitude = chart.LongitudeDegrees + chart.LongitudeMinutes / Real(60);
    return chart.EastWest == "O" || chart.EastWest == "W" ? 360 - longitude : longitude;
}

// The Sun and the houses of `work` for a UT Julian Day; the houses take the local clock time.
void ComputeSunAndHouses(const ProgramFolder& folder, const EphemerisSettings& settings, Real jd, ChartData& work) {
    ComputeBodies(folder, settings, Body::Sun, 0, jd, work);
    const std::string clock = JulianDayToTextByCalendar(jd - work.CorrectionHours / 24, work.CalendarFlag);
    const int hour = DigitsAt(clock, 11, 2).value_or(0), minute = DigitsAt(clock, 14, 2).value_or(0);
    ComputeHouses(jd, work.LongitudeDegrees, work.LongitudeMinutes, work.EastWest, work.LatitudeDegrees,
                  work.LatitudeMinutes, work.NorthSouth, hour, minute, work.CorrectionHours,
                  work.HouseSystem.empty() ? "CASE_MEDIE" : work.HouseSystem, work);
}

// The ecliptic point whose right ascension is RAMC + f θ, θ its diurnal semi-arc.
Real SemiArcPoint(Real ramc, Real k, Real obliquity, Real f) {
    const auto g = [&](Real theta) { return k * SinDeg(ramc + f * theta) - CosDeg(theta); };
    Real previous = 0.000000001L, current = 180.0001L;
    for (int step = 0; step < 5; ++step) {
        Real difference = g(current) - g(previous);
        if (difference == 0) difference = 0.000001L;
        const Real next = current - g(current) * (current - previous) / difference;
        previous = current;
        current = next;
    }
    const Real alpha = Normalize360(ramc + f * current);
    Real lambda = std::atan(TanDeg(alpha) / CosDeg(obliquity)) / DegToRad;
    if (lambda < 0) lambda += 180;
    if (alpha > 180) lambda += 180;
    return Normalize360(lambda);
}

}  // namespace

Real FindSunrise(const ProgramFolder& folder, const EphemerisSettings& settings, const ChartData& chart) {
    ChartData work = chart;
    Real jd = JulianDay(chart.CalendarFlag, chart.BirthDay, chart.BirthMonth, chart.BirthYear, 0, 0) +
              chart.CorrectionHours / 24;
    const Real start = jd;
    ComputeSunAndHouses(folder, settings, jd, work);
    for (int pass = 0; pass < 2001; ++pass) {
        const Real d = Normalize360(work.Longitude[Body::Sun] - work.HouseCusps[1]) / 2;
        jd += 0.0008L * d;
        ComputeSunAndHouses(folder, settings, jd, work);
        if (d <= 0.2L) break;
    }
    const Real days = std::trunc(jd - start);
    if (days > 0) jd -= days;
    return jd;
}

int HourRuler(int hour, int weekday) {
    if (hour < 1 || hour > 24 || weekday < 0 || weekday > 6) return 0;
    return ChaldeanHours[static_cast<size_t>((hour + WeekdayShift[static_cast<size_t>(weekday)] - 1) % 7)];
}

PlanetaryHour ComputePlanetaryHour(const ProgramFolder& folder, const EphemerisSettings& settings,
                                   const ChartData& chart) {
    PlanetaryHour result;
    const Real sunrise = FindSunrise(folder, settings, chart);
    result.SunriseJulianDay = sunrise;
    const Real correctionDays = chart.CorrectionHours / 24;
    const Real localBirth = chart.JulianDayUT - correctionDays;
    // A birth before sunrise belongs to the planetary day before. Both moments are compared in
    // universal time: set against the local birth moment, births up to the zone's hours before
    // sunrise east of Greenwich would take the new day.
    const int weekday = sunrise > chart.JulianDayUT ? Weekday(localBirth - 1) : Weekday(localBirth);
    result.Weekday = weekday;

    const Real ramc = 15 * LocalSiderealTime(sunrise - correctionDays,
                                             chart.BirthHour + chart.BirthMinute / 60 + chart.CorrectionHours,
                                             BirthEastLongitude(chart));
    const Real obliquity = MeanObliquity(JulianCenturies(sunrise - correctionDays));
    const Real k = -TanDeg(BirthLatitude(chart)) * TanDeg(obliquity);
    static constexpr std::array<Real, 12> Fractions{
        1, Real(5) / 6,  Real(2) / 3,  Real(1) / 2,  Real(1) / 3,  Real(1) / 6,
        0, -Real(1) / 6, -Real(1) / 3, -Real(1) / 2, -Real(2) / 3, -Real(5) / 6};
    for (size_t i = 0; i < Fractions.size(); ++i) {
        result.Boundaries[i + 1] = SemiArcPoint(ramc, k, obliquity, Fractions[i]);
        result.Boundaries[i + 13] = Normalize360(result.Boundaries[i + 1] + 180);
    }
    const Real sun = chart.Longitude[Body::Sun];
    for (int i = 1; i <= 24; ++i) {
        const Real from = result.Boundaries[static_cast<size_t>(i)];
        const Real to = result.Boundaries[static_cast<size_t>(i == 24 ? 1 : i + 1)];
        if (Normalize360(from - to) >= Normalize360(from - sun)) {
            result.Hour = i;
            break;
        }
    }
    result.Ruler = HourRuler(result.Hour, weekday);
    return result;
}

std::string PlanetaryHourText(int hour) {
    return hour <= 12 ? "Ora Planetaria: " + std::to_string(hour) + " Diurna"
                      : "Ora Planetaria: " + std::to_string(hour - 12) + " Notturna";
}

const std::string& RulerPhrase(int planet) {
    static const std::array<std::string, 8> phrases{"",          "dal Sole", "dalla Luna", "da Mercurio",
                                                    "da Venere", "da Marte", "da Giove",   "da Saturno"};
    return phrases[static_cast<size_t>(planet >= 1 && planet <= 7 ? planet : 0)];
}

const std::string& YearRulerPhrase(int index) {
    static const std::array<std::string, 8> phrases{"da Saturno", "del Sole", "della Luna", "di Mercurio",
                                                    "di Venere",  "di Marte", "di Giove",   "di Saturno"};
    if (index < 0 || index > 7) throw std::out_of_range("indice di governatore fuori intervallo");
    return phrases[static_cast<size_t>(index)];
}

int SignRulerOfLongitude(Real longitude) { return SignRuler(SignOf(Normalize360(longitude)) + 1); }

int YearIntoRulerCycle(int year) {
    // One step of 252 years for every cycle, so that years far outside the table still land in it.
    int offset = (year - FirstTableYear) % TableYears;
    if (offset < 0) offset += TableYears;
    return FirstTableYear + offset;
}

int YearMasterYear(const ChartData& chart) {
    const std::string text = JulianDayToText(chart.JulianDayUT);
    int year = DigitsAt(text, 6, 4).value_or(-1);
    const int month = DigitsAt(text, 3, 2).value_or(0);
    if (year < 0 || month < 1 || month > 12)
        throw std::invalid_argument("Data di nascita non leggibile: \"" + text + "\"");
    // From January to June the Sun stands beyond 180° only before it has come back to 0° Aries:
    // the natal Sun alone tells whether the equinox of the birth year had come, at every hour of
    // the year, in leap and common years alike.
    if (month <= 6 && chart.Longitude[Body::Sun] >= 180) --year;
    return year;
}

YearMasters LookUpYearMasters(const ProgramFolder& folder, int tableYear) {
    const auto lines = ReadTextLines(folder, YearRulerFile);
    if (lines.empty()) throw DataFileError(YearRulerFile, "file vuoto");
    const std::string wanted = ZeroPad(tableYear, 4);
    const std::string* found = &lines.back();
    for (const std::string& line : lines)
        if (line.compare(0, 4, wanted) == 0) {
            found = &line;
            break;
        }
    YearMasters masters;
    masters.Year = DigitsAt(*found, 0, 4).value_or(-1);
    masters.YearRuler = DigitsAt(*found, 4, 2).value_or(-1);
    masters.CycleRuler = DigitsAt(*found, 6, 2).value_or(-1);
    if (masters.Year < 0 || masters.YearRuler < 0 || masters.YearRuler > 7 || masters.CycleRuler < 0 ||
        masters.CycleRuler > 7)
        throw DataFileError(YearRulerFile, "riga non valida: \"" + *found + "\"");
    return masters;
}

YearMasters ComputeYearMasters(const ProgramFolder& folder, const ChartData& chart) {
    return LookUpYearMasters(folder, YearIntoRulerCycle(YearMasterYear(chart)));
}

std::vector<std::string> YearRulerTableLines() {
    std::vector<std::string> lines;
    for (int offset = 0; offset < TableYears; ++offset)
        lines.push_back(ZeroPad(FirstTableYear + offset, 4) +
                        ZeroPad(ChaldeanDescending[static_cast<size_t>(offset % 7)], 2) +
                        ZeroPad(ChaldeanDescending[static_cast<size_t>(offset / CycleYears)], 2));
    return lines;
}

}  // namespace florimant
