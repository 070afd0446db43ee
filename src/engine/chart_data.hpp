#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "common/real.hpp"

namespace florimant {

// Index of every per-body array. The ephemeris fills 1..19 in its own order; the chart driver then
// puts the nodes, the Ascendant and the Midheaven into 8..11 (see ChartData).
namespace Body {
inline constexpr int Sun = 1, Moon = 2, Mercury = 3, Venus = 4, Mars = 5, Jupiter = 6, Saturn = 7;
// ephemeris order
inline constexpr int Uranus = 8, Neptune = 9, Pluto = 10, LunarNode = 11, BlackMoon = 12, AscendantPoint = 13,
                     LatitudeZero = 14, Ceres = 15, Pallas = 16, Juno = 17, Vesta = 18, Chiron = 19;
// order after the chart driver
inline constexpr int NorthNode = 8, SouthNode = 9, Ascendant = 10, Midheaven = 11;
inline constexpr int Count = 22;  // arrays are indexed 1..Count; index 0 holds nothing
}  // namespace Body

using BodyReals = std::array<Real, Body::Count + 1>;

// The chart of the current subject. One instance lives for the whole run; each chart computation
// overwrites every field.
struct ChartData {
    // Subject fields, read from the current subject.
    std::string SubjectName;
    std::string DateField;
    std::string PlaceField;
    std::string BirthDateText;  // dd/mm/yyyy hh:mm
    std::string CorrectionText;
    Real CorrectionHours = 0;  // UT = local clock time + correction
    std::string ZoneText;
    Real BirthDay = 0, BirthMonth = 0, BirthYear = 0, BirthHour = 0, BirthMinute = 0;
    int HourInt = 0, MinuteInt = 0;
    uint8_t CalendarFlag = 1;     // 1 Gregorian, 0 Julian
    std::string CoordinatesText;  // 45N28-009E11
    int LatitudeDegrees = 0, LatitudeMinutes = 0, LongitudeDegrees = 0, LongitudeMinutes = 0;
    std::string NorthSouth, EastWest;
    std::string LocalityText;
    std::string NationalityText;
    std::string AnnotationText;

    // Chart fields.
    Real JulianDayUT = 0;
    std::string JulianDayText;
    BodyReals Longitude{};
    BodyReals Latitude{};
    std::array<char, Body::Count + 1> RetroFlags{};    // 'r' retrograde, ' ' otherwise
    std::array<uint8_t, Body::Count + 1> BodySigns{};  // sign number 1..12
    std::array<Real, 13> HouseCusps{};                 // cusps 1..12; index 0 unused
    Real SiderealTime = 0;
    Real MidheavenRad = 0;
    Real AscendantRad = 0;
    std::string HouseSystem;
};

}  // namespace florimant
