#pragma once
#include <array>
#include <string>
#include <vector>

#include "common/program_folder.hpp"
#include "common/real.hpp"
#include "engine/chart_data.hpp"
#include "engine/ephemeris.hpp"

// The masters of a chart: sunrise of the birth day, the planetary day and hour of birth with the
// hour's ruler, the rulers of the Ascendant's and Midheaven's signs, and the rulers of the year
// and of the cycle of birth from "Appoggio\GoverAnno.txt". The chart passed in is never changed:
// the Sun and the houses of other moments are computed on a copy.
namespace florimant {

inline constexpr const char* YearRulerFile = "Appoggio\\GoverAnno.txt";

// Julian Day (UT) of the sunrise of the local birth day, the Sun within 0.4° of the Ascendant.
Real FindSunrise(const ProgramFolder& folder, const EphemerisSettings& settings, const ChartData& chart);

struct PlanetaryHour {
    Real SunriseJulianDay = 0;
    int Weekday = 0;                    // 0 Sunday .. 6 Saturday
    std::array<Real, 25> Boundaries{};  // 1..24, B1 the Ascendant, B7 the Midheaven
    int Hour = 0;                       // 1..24, 0 when the Sun lies in none
    int Ruler = 0;                      // planet 1..7, 0 without an hour
};
// The ruler of planetary hour h (1..24) on a weekday, in the Chaldean order from the day's planet.
int HourRuler(int hour, int weekday);
// The 24 boundaries and the hour of the Sun for a meridian and a sunrise as the masters take them.
PlanetaryHour ComputePlanetaryHour(const ProgramFolder& folder, const EphemerisSettings& settings,
                                   const ChartData& chart);

// "Ora Planetaria: 3 Diurna" / "Ora Planetaria: 2 Notturna".
std::string PlanetaryHourText(int hour);
// "dal Sole", "dalla Luna", "da Mercurio" ... for planets 1..7: "Governata " / "Governato " + it.
const std::string& RulerPhrase(int planet);
// "da Saturno", "del Sole" ... "di Saturno" for the year and cycle table indexes 0..7.
const std::string& YearRulerPhrase(int index);
int SignRulerOfLongitude(Real longitude);  // Mars, Venus, Mercury, Moon, Sun, ... by sign

// The year of the table: a birth before the spring equinox of its year (the Sun not yet back at
// 0° Aries) counts in the year before; every year is brought into 1765..2016 in steps of 252.
int YearMasterYear(const ChartData& chart);
int YearIntoRulerCycle(int year);

struct YearMasters {
    int Year = 0;       // the year looked up, 1765..2016
    int YearRuler = 0;  // table index 0..7
    int CycleRuler = 0;
};
// Reads "Appoggio\GoverAnno.txt" (DataFileError when missing or when the line is garbled).
YearMasters ComputeYearMasters(const ProgramFolder& folder, const ChartData& chart);
YearMasters LookUpYearMasters(const ProgramFolder& folder, int tableYear);

// The lines of the installation's "Appoggio\GoverAnno.txt", 1765..2016: each year ruled in turn
// by the planets in descending Chaldean order (Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon),
// and seven cycles of 36 years ruled in the same order, both starting from Saturn in 1765.
std::vector<std::string> YearRulerTableLines();

}  // namespace florimant
