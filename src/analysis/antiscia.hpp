#pragma once
#include <optional>

#include "common/real.hpp"

// Reflections of a longitude: the antiscion across the 0° Aries - 0° Libra axis (360 - λ) and
// the contra-antiscion across the 0° Cancer - 0° Capricorn axis (180 - λ), both in [0, 360).
namespace florimant {

Real Antiscion(Real longitude);
Real ContraAntiscion(Real longitude);
Real SignMidpoint(int sign);  // 15, 45 .. 345 for signs 1..12

// What the antiscia view draws for a point: its place and, unless it stands at 0° Aries, the two
// reflections.
struct AntisciaPoints {
    Real Point = 0;
    std::optional<Real> Antiscion, ContraAntiscion;
};
AntisciaPoints ComputeAntiscia(Real longitude);

}  // namespace florimant
