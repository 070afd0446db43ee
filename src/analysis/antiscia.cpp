#include "analysis/antiscia.hpp"

#include "engine/astro_time.hpp"

namespace florimant {

Real Antiscion(Real longitude) { return Normalize360(360 - longitude); }
Real ContraAntiscion(Real longitude) { return Normalize360(180 - longitude); }
Real SignMidpoint(int sign) { return 30 * Real(sign) - 15; }

AntisciaPoints ComputeAntiscia(Real longitude) {
    AntisciaPoints points;
    points.Point = longitude;
    if (longitude > 0 && longitude < 360) {
        points.Antiscion = 360 - longitude;
        points.ContraAntiscion = Normalize360(*points.Antiscion - 180);
    }
    return points;
}

}  // namespace florimant
