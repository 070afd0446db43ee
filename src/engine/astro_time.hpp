#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

#include "common/real.hpp"

// Astronomical time, calendars and the reduction of angles.
namespace florimant {

inline constexpr Real Pi = 3.1415926535897932385L;
inline constexpr Real DegToRad = 0.0174532925199432957692L;  // the one degree-to-radian constant

// The Gregorian reform: Thursday 4 October 1582 of the Julian calendar was followed by Friday
// 15 October 1582 of the Gregorian. A Julian Day number counts from noon, so the day numbered
// GregorianReformDay begins at GregorianReformMidnight, and the day before it is the last one
// reckoned in the Julian calendar.
inline constexpr long GregorianReformDay = 2299161;                         // 15 October 1582, noon
inline constexpr Real GregorianReformMidnight = GregorianReformDay - 0.5L;  // 15 October 1582, 0:00

// Julian Day of a civil date and clock time; calendarFlag 1 Gregorian, 0 Julian. The time is taken
// as given: add correction / 24 for the UT Julian Day.
Real JulianDay(uint8_t calendarFlag, Real day, Real month, Real year, Real hour, Real minute);
// dd/mm/yyyy hh:mm, Gregorian from 15 October 1582 (GregorianReformDay) on, Julian before.
std::string JulianDayToText(Real jd);
// The same, Gregorian exactly when calendarFlag is 1.
std::string JulianDayToTextByCalendar(Real jd, uint8_t calendarFlag);
// Last-modified time of a file as JulianDayToText, "Non Valida" when it does not exist.
std::string FileDateText(const std::filesystem::path& path);
// Today as dd/mm/yyyy (local time of the system clock).
std::string TodayText();
// 0 Sunday .. 6 Saturday.
int Weekday(Real jd);
const std::string& WeekdayName(int weekday);  // "Domenica" .. "Sabato" (UTF-8)

Real JulianCenturies(Real jd);  // from 1900 January 0.5
Real MeanObliquity(Real T);     // degrees
// Local sidereal time in hours; ut in hours, eastLongitude in degrees (west as 360 - L).
Real LocalSiderealTime(Real jd, Real ut, Real eastLongitude);
// Returns once the time has passed on the system clock.
void WaitSeconds(uint16_t seconds, uint16_t milliseconds);

Real Normalize360(Real x);
Real Normalize30(Real x);
Real SinDeg(Real x);
Real CosDeg(Real x);
Real TanDeg(Real x);
// Sine and cosine of an angle in radians, the same values as the library's, reduced quickly.
Real SinRad(Real x);
Real CosRad(Real x);
Real ArcSinRad(Real x);
Real ArcCosRad(Real x);
Real RadToDeg(Real x);

}  // namespace florimant
