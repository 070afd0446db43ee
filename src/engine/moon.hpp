#pragma once
#include "common/real.hpp"
#include "engine/ephemeris.hpp"

// The three lunar bodies of the ephemeris, from the time arguments of the computation. The
// corrections from the installation's files are added by the ephemeris, which owns the files.
namespace florimant {

struct MoonPosition {
    Real Longitude = 0;  // degrees, with the nutation, before the tabulated correction
    Real Latitude = 0;   // degrees
};
MoonPosition ComputeMoon(const TimeArguments& t);

// Mean lunar node, degrees (its own polynomial, with the T³ term).
Real MeanLunarNode(Real T);
// True node from the mean node and this pass's Sun and Moon longitudes, degrees.
Real TrueLunarNode(const TimeArguments& t, Real sunLongitude, Real moonLongitude);
// The black moon: the mean lunar apogee, degrees.
Real MeanBlackMoon(const TimeArguments& t);

// Spans of the lunar correction files (Julian Days, bounds as the rules state them).
inline constexpr Real MoonCorrectionsAbove = 1721422.5L, MoonCorrectionsBelow = 2499373.5L;           // exclusive
inline constexpr Real NodeCorrectionsAbove = 1721433.5L, NodeCorrectionsBelow = 2499373.5L;           // exclusive
inline constexpr Real BlackMoonCorrectionsFrom = 2396758.5L, BlackMoonCorrectionsUntil = 2488433.5L;  // [from, until)

}  // namespace florimant
