#include "archive/chart_summary.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/astro_time.hpp"
#include "engine/houses.hpp"

namespace florimant {

namespace {
constexpr std::string_view BodyLetters = "elmvagsunpdhxy";  // bodies 1..14 of the ephemeris order
constexpr std::string_view SignLetters = "ATGNLVBSRCQP";    // Ariete .. Pesci

Real Reduce360(Real x) {
    if (!std::isfinite(x)) return 0;
    x = std::fmod(x, 360.0L);
    return x < 0 ? x + 360 : x;
}

std::string TwoDigits(long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02ld", value);
    return buffer;
}

// Sign letter and whole degrees within the sign, the longitude truncated to whole degrees first.
std::string SignAndDegrees(Real longitude) {
    const long whole = static_cast<long>(std::floor(Reduce360(longitude))) % 360;
    return std::string(1, SignLetters[static_cast<size_t>(whole / 30)]) + TwoDigits(whole % 30);
}

// The house (1..12) whose cusp-to-next-cusp arc holds the longitude.
int HouseOf(Real longitude, const std::array<Real, 13>& cusps) {
    const Real x = Reduce360(longitude);
    for (int h = 1; h <= 12; ++h) {
        const Real start = Reduce360(cusps[static_cast<size_t>(h)]);
        const Real end = Reduce360(cusps[static_cast<size_t>(h % 12 + 1)]);
        const Real span = Reduce360(end - start);
        if (Reduce360(x - start) < span) return h;
    }
    return 1;  // degenerate cusps (all equal)
}

Real Separation(Real a, Real b) {
    Real d = std::fabs(Reduce360(a) - Reduce360(b));
    return d > 180 ? 360 - d : d;
}
}  // namespace

ChartSummaries BuildChartSummaries(const BodyReals& longitudes, const std::array<Real, 13>& cusps) {
    ChartSummaries s;
    for (int body = 1; body <= 12; ++body) {
        const Real lambda = std::fabs(longitudes[static_cast<size_t>(body)]);
        const std::string signDegrees = SignAndDegrees(lambda);
        s.Bodies += TwoDigits(HouseOf(lambda, cusps)) + BodyLetters[static_cast<size_t>(body - 1)] + signDegrees;
    }
    for (int cusp = 1; cusp <= 12; ++cusp)
        s.Cusps += TwoDigits(cusp) + SignAndDegrees(cusps[static_cast<size_t>(cusp)]);
    for (int i = 1; i <= 10; ++i) {
        for (int j = i + 1; j <= 14; ++j) {
            if (j == 11 || j == 12) continue;
            const Real d = Separation(std::fabs(longitudes[static_cast<size_t>(i)]),
                                      std::fabs(longitudes[static_cast<size_t>(j)]));
            char aspect = 0;
            Real orb = 0;
            if (d > 171) aspect = 'O', orb = 180 - d;
            else if (d > 112 && d < 128) aspect = 'Z', orb = std::fabs(d - 120);
            else if (d > 84 && d < 96) aspect = 'W', orb = std::fabs(d - 90);
            else if (d > 56 && d < 64) aspect = 'J', orb = std::fabs(d - 60);
            else if (d < 9) aspect = 'K', orb = d;
            if (!aspect) continue;
            const std::string orbText = std::to_string(static_cast<long>(std::nearbyint(orb)));
            s.Aspects += BodyLetters[static_cast<size_t>(i - 1)];
            s.Aspects += aspect;
            s.Aspects += BodyLetters[static_cast<size_t>(j - 1)];
            s.Aspects += orbText[0];
        }
    }
    if (s.Aspects.size() > 124) s.Aspects.resize(124);
    return s;
}

ChartSummaries ComputeChartSummaries(const ProgramFolder& folder, const EphemerisSettings& settings,
                                     const BirthData& data) {
    const uint8_t calendarFlag = data.CalendarKind == Calendar::Gregorian ? 1 : 0;
    const Real jd =
        JulianDay(calendarFlag, data.Day, data.Month, data.Year, data.Hour, data.Minute) + data.Correction / 24;
    auto coordinates = ParseCoordinateText(data.CoordinatesText);
    Coordinates c = coordinates ? *coordinates : Coordinates{};
    ChartData chart;
    const std::string eastWest = (c.EastWest == 'W' || c.EastWest == 'O') ? "W" : "E";
    ComputeHouses(jd, c.LongitudeDegrees, c.LongitudeMinutes, eastWest, c.LatitudeDegrees, c.LatitudeMinutes,
                  std::string(1, c.NorthSouth), data.Hour, data.Minute, data.Correction, "PLACIDO", chart);
    ComputeChartBodies(folder, settings, 0, jd, chart);
    return BuildChartSummaries(chart.Longitude, chart.HouseCusps);
}

}  // namespace florimant
