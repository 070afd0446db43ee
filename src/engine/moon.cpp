#include "engine/moon.hpp"

#include <iterator>

#include "engine/astro_time.hpp"

namespace florimant {

namespace {

// One periodic term: coefficient in arcseconds and the multiples of M', M, D and F in its
// argument.
struct LunarTerm {
    Real c;
    int mp, m, d, f;
};

// The Moon's longitude.
constexpr LunarTerm LongitudeTerms[] = {
    {22639.55L, 1, 0, 0, 0},   {-4586.47L, 1, 0, -2, 0}, {2369.912L, 0, 0, 2, 0},  {769.02L, 2, 0, 0, 0},
    {-668.15L, 0, 1, 0, 0},    {-411.61L, 0, 0, 0, 2},   {-211.66L, 2, 0, -2, 0},  {-205.96L, 1, 1, -2, 0},
    {191.95L, 1, 0, 2, 0},     {-165.15L, 0, 1, -2, 0},  {147.69L, 1, -1, 0, 0},   {-125.15L, 0, 0, 1, 0},
    {-109.67L, 1, 1, 0, 0},    {-55.17L, 0, 0, -2, 2},   {-45.099L, 1, 0, 0, 2},   {39.53L, 1, 0, 0, -2},
    {-37.79L, 1, 0, -4, 0},    {36.12L, 3, 0, 0, 0},     {-30.77L, 2, 0, -4, 0},   {28.48L, 1, -1, -2, 0},
    {-24.42L, 0, 1, 2, 0},     {18.61L, 1, 0, -1, 0},    {18.02L, 0, 1, 1, 0},     {14.58L, 1, -1, 2, 0},
    {14.39L, 2, 0, 2, 0},      {13.9L, 0, 0, 4, 0},      {-13.19L, 3, 0, -2, 0},   {9.7L, 2, -1, 0, 0},
    {9.37L, 1, 0, -2, -2},     {-8.63L, 2, 1, -2, 0},    {-8.47L, 1, 0, 1, 0},     {-8.096L, 0, 2, -2, 0},
    {-7.65L, 2, 1, 0, 0},      {-7.49L, 0, 2, 0, 0},     {-7.41L, 1, 2, -2, 0},    {-6.38L, 1, 0, 2, -2},
    {-5.74L, 0, 0, 2, 2},      {-4.39L, 1, 1, -4, 0},    {-3.99L, 2, 0, 0, 2},     {3.22L, 1, 0, -3, 0},
    {-2.92L, 1, 1, 2, 0},      {-2.74L, 2, 1, -4, 0},    {-2.49L, 2, -1, -2, 0},   {2.58L, 1, -2, 0, 0},
    {2.53L, 1, -2, -2, 0},     {-2.15L, 0, 1, -2, 2},    {1.98L, 1, 0, 4, 0},      {1.94L, 4, 0, 0, 0},
    {-1.88L, 0, 1, -4, 0},     {1.75L, 2, 0, -1, 0},     {-1.44L, 0, 1, 2, -2},    {-1.298L, 2, 0, 0, -2},
    {1.27L, 1, 1, 1, 0},       {1.23L, 2, 0, -3, 0},     {-1.19L, 3, 0, -4, 0},    {1.18L, 2, -1, 2, 0},
    {-1.17L, 1, 2, 0, 0},      {-1.09L, 1, -1, -1, 0},   {1.06L, 3, 0, 2, 0},      {-0.59L, 2, 0, 1, 0},
    {-0.99L, 1, 0, 2, 2},      {-0.95L, 4, 0, -2, 0},    {-0.59L, 2, 0, -6, 0},    {0.56L, 0, 1, -1, 0},
    {0.76L, 1, -2, 2, 0},      {0.58L, 0, 0, -1, 2},     {-0.55L, 3, 1, 0, 0},     {0.68L, 3, -1, 0, 0},
    {0.557L, 2, 0, -2, 2},     {0.538L, 2, 0, -2, -2},
};
static_assert(std::size(LongitudeTerms) == 70);

// The argument of latitude; its 3λ term is added separately.
constexpr LunarTerm ArgumentOfLatitudeTerms[] = {
    {22609, 1, 0, 0, 0},     {-4578.1L, 1, 0, -2, 0}, {2373.4L, 0, 0, 2, 0},  {768, 2, 0, 0, 0},
    {192.7L, 1, 0, 2, 0},    {-182.4L, 1, 1, -2, 0},  {-165.1L, 0, 1, -2, 0}, {-152.5L, 2, 0, -2, 0},
    {-138.8L, -1, 1, 0, 0},  {-127, 0, 1, 0, 0},      {-115.2L, 1, 1, 0, 0},  {-112.8L, 0, 0, 1, 0},
    {-85.1L, -1, 0, 0, 2},   {-52.1L, 0, 0, -2, 2},   {-38.6L, 1, 0, -4, 0},  {-34.1L, 2, 0, -4, 0},
};

template <size_t N>
Real SumSeries(const LunarTerm (&terms)[N], Real mp, Real m, Real d, Real f) {
    Real sum = 0;
    for (const LunarTerm& t : terms) sum += t.c * SinDeg(t.mp * mp + t.m * m + t.d * d + t.f * f);
    return sum;
}

}  // namespace

MoonPosition ComputeMoon(const TimeArguments& t) {
    const Real T = t.T;
    Real lp = t.MoonMeanLongitude;
    Real mp = t.MoonMeanLongitude - t.MoonPerigee;
    Real f = t.MoonMeanLongitude - t.MeanNode;
    Real d = t.MoonElongation;
    Real m = t.SunAnomaly;
    const Real node = t.MeanNode;

    const Real a1 = SinDeg(51.2L + 20.2L * T);
    const Real a2 = 14.27L * SinDeg(193.4404L - 132.87L * T - 0.0091731L * t.T2);
    const Real a3 = SinDeg(node);
    const Real a4 = -15.58L * SinDeg(node + 275.05L - 2.3L * T);
    lp += (0.84L * a1 + a2 + 7.261L * a3) / 3600;
    mp += (2.94L * a1 + a2 + 9.337L * a3) / 3600;
    d += (7.24L * a1 + 7.261L * a3) / 3600;
    m += -6.4L * a1 / 3600;
    f += (0.21L * a1 + a2 - 88.699L * a3 + a4) / 3600;

    MoonPosition p;
    p.Longitude = Normalize360(lp + SumSeries(LongitudeTerms, mp, m, d, f) / 3600 + t.Nutation);

    const Real s = f + (SumSeries(ArgumentOfLatitudeTerms, mp, m, d, f) + 50.64L * SinDeg(3 * p.Longitude)) / 3600;
    const Real k = 1 - 0.00004664L * CosDeg(node) - 0.0000754L * CosDeg(node + 275.05L - 2.3L * T);
    const Real n = 44.3L * SinDeg(mp + f - 2 * d) - 30.6L * SinDeg(2 * d + f - mp) - 24.6L * SinDeg(f - mp) -
                   22.6L * SinDeg(m + f - 2 * d) + 20.6L * SinDeg(f - mp) + 11 * SinDeg(-m - 2 * d) -
                   6 * SinDeg(mp + f - 4 * d);
    p.Latitude = (18519.7L * k * SinDeg(s) - 6.2L * SinDeg(3 * s) - 526.1L * SinDeg(f - 2 * d) + n) / 3600;
    return p;
}

Real MeanLunarNode(Real T) {
    return Normalize360(259.183275L - 1934.142L * T + 0.002078L * T * T + 0.0000022L * T * T * T);
}

Real TrueLunarNode(const TimeArguments& t, Real sun, Real moon) {
    const Real node = MeanLunarNode(t.T);
    const Real perihelion = 282.596403L;  // fixed, as the series was fitted
    const Real perigee = t.MoonPerigee;
    const Real x = node + 1.517L * SinDeg(2 * (sun - node)) - 0.163L * SinDeg(sun - perihelion) -
                   0.128L * SinDeg(2 * (moon - sun)) + 0.12L * SinDeg(2 * (moon - node)) +
                   0.107L * SinDeg(2 * (perigee - node)) + 0.063L * SinDeg(3 * sun - perihelion - 2 * node) +
                   0.04L * SinDeg(moon + perigee - 2 * sun) - 0.04L * SinDeg(moon + perigee - 2 * node) +
                   0.027L * SinDeg(moon - perigee) - 0.027L * SinDeg(sun + perihelion - 2 * node) +
                   0.015L * SinDeg(2 * (sun - perigee)) - 0.013L * SinDeg(2 * node + moon - perigee - 2 * sun) -
                   0.013L * SinDeg(moon - 2 * node - perigee + 2 * sun) -
                   0.007L * SinDeg(2 * moon + perihelion - 3 * sun) +
                   0.005L * SinDeg(3 * moon - perigee - 2 * node) - 0.005L * SinDeg(3 * moon - perigee - 2 * sun);
    return Normalize360(x);
}

Real MeanBlackMoon(const TimeArguments& t) { return Normalize360(t.MoonPerigee + 180); }

}  // namespace florimant
