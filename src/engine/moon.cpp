#include "engine/moon.hpp"

#include <iterator>

#include "engine/astro_time.hpp"
#include "engine/fast_trig.hpp"

namespace florimant {

namespace {

// One periodic term: coefficient in arcseconds and the multiples of M', M, D and F in its
// argument.
struct LunarTerm {
    double c;
    int mp, m, d, f;
};

// The Moon's longitude.
constexpr LunarTerm LongitudeTerms[] = {
    {22639.55, 1, 0, 0, 0}, {-4586.47, 1, 0, -2, 0}, {2369.912, 0, 0, 2, 0}, {769.02, 2, 0, 0, 0},
    {-668.15, 0, 1, 0, 0},  {-411.61, 0, 0, 0, 2},   {-211.66, 2, 0, -2, 0}, {-205.96, 1, 1, -2, 0},
    {191.95, 1, 0, 2, 0},   {-165.15, 0, 1, -2, 0},  {147.69, 1, -1, 0, 0},  {-125.15, 0, 0, 1, 0},
    {-109.67, 1, 1, 0, 0},  {-55.17, 0, 0, -2, 2},   {-45.099, 1, 0, 0, 2},  {39.53, 1, 0, 0, -2},
    {-37.79, 1, 0, -4, 0},  {36.12, 3, 0, 0, 0},     {-30.77, 2, 0, -4, 0},  {28.48, 1, -1, -2, 0},
    {-24.42, 0, 1, 2, 0},   {18.61, 1, 0, -1, 0},    {18.02, 0, 1, 1, 0},    {14.58, 1, -1, 2, 0},
    {14.39, 2, 0, 2, 0},    {13.9, 0, 0, 4, 0},      {-13.19, 3, 0, -2, 0},  {9.7, 2, -1, 0, 0},
    {9.37, 1, 0, -2, -2},   {-8.63, 2, 1, -2, 0},    {-8.47, 1, 0, 1, 0},    {-8.096, 0, 2, -2, 0},
    {-7.65, 2, 1, 0, 0},    {-7.49, 0, 2, 0, 0},     {-7.41, 1, 2, -2, 0},   {-6.38, 1, 0, 2, -2},
    {-5.74, 0, 0, 2, 2},    {-4.39, 1, 1, -4, 0},    {-3.99, 2, 0, 0, 2},    {3.22, 1, 0, -3, 0},
    {-2.92, 1, 1, 2, 0},    {-2.74, 2, 1, -4, 0},    {-2.49, 2, -1, -2, 0},  {2.58, 1, -2, 0, 0},
    {2.53, 1, -2, -2, 0},   {-2.15, 0, 1, -2, 2},    {1.98, 1, 0, 4, 0},     {1.94, 4, 0, 0, 0},
    {-1.88, 0, 1, -4, 0},   {1.75, 2, 0, -1, 0},     {-1.44, 0, 1, 2, -2},   {-1.298, 2, 0, 0, -2},
    {1.27, 1, 1, 1, 0},     {1.23, 2, 0, -3, 0},     {-1.19, 3, 0, -4, 0},   {1.18, 2, -1, 2, 0},
    {-1.17, 1, 2, 0, 0},    {-1.09, 1, -1, -1, 0},   {1.06, 3, 0, 2, 0},     {-0.59, 2, 0, 1, 0},
    {-0.99, 1, 0, 2, 2},    {-0.95, 4, 0, -2, 0},    {-0.59, 2, 0, -6, 0},   {0.56, 0, 1, -1, 0},
    {0.76, 1, -2, 2, 0},    {0.58, 0, 0, -1, 2},     {-0.55, 3, 1, 0, 0},    {0.68, 3, -1, 0, 0},
    {0.557, 2, 0, -2, 2},   {0.538, 2, 0, -2, -2},
};
static_assert(std::size(LongitudeTerms) == 70);

// The argument of latitude; its 3λ term is added separately.
constexpr LunarTerm ArgumentOfLatitudeTerms[] = {
    {22609, 1, 0, 0, 0},   {-4578.1, 1, 0, -2, 0}, {2373.4, 0, 0, 2, 0},  {768, 2, 0, 0, 0},
    {192.7, 1, 0, 2, 0},   {-182.4, 1, 1, -2, 0},  {-165.1, 0, 1, -2, 0}, {-152.5, 2, 0, -2, 0},
    {-138.8, -1, 1, 0, 0}, {-127, 0, 1, 0, 0},     {-115.2, 1, 1, 0, 0},  {-112.8, 0, 0, 1, 0},
    {-85.1, -1, 0, 0, 2},  {-52.1, 0, 0, -2, 2},   {-38.6, 1, 0, -4, 0},  {-34.1, 2, 0, -4, 0},
};

// The arguments M', M, D and F of one computation as points of the unit circle with the multiples
// the series use; every term is then a product of four of them.
struct LunarArguments {
    fast::Multiples<4> mp;
    fast::Multiples<2> m;
    fast::Multiples<6> d;
    fast::Multiples<2> f;
    LunarArguments(double mpDeg, double mDeg, double dDeg, double fDeg)
        : mp(mpDeg * fast::DegToRad), m(mDeg * fast::DegToRad), d(dDeg * fast::DegToRad), f(fDeg * fast::DegToRad) {}
    double Sin(const LunarTerm& t) const { return (mp[t.mp] * m[t.m] * d[t.d] * f[t.f]).s; }
};

template <size_t N>
double SumSeries(const LunarTerm (&terms)[N], const LunarArguments& arguments) {
    double sum = 0;
    for (const LunarTerm& t : terms) sum += t.c * arguments.Sin(t);
    return sum;
}

}  // namespace

MoonPosition ComputeMoon(const TimeArguments& t) {
    using fast::CosDeg;
    using fast::SinDeg;
    // The mean longitude stays extended: it carries the Moon's position itself. The other
    // arguments only enter sines.
    Real lp = t.MoonMeanLongitude;
    double mp = static_cast<double>(t.MoonMeanLongitude - t.MoonPerigee);
    double f = static_cast<double>(t.MoonMeanLongitude - t.MeanNode);
    double d = static_cast<double>(t.MoonElongation);
    double m = static_cast<double>(t.SunAnomaly);
    const double node = static_cast<double>(t.MeanNode);
    const double T = static_cast<double>(t.T), T2 = static_cast<double>(t.T2);

    const double a1 = SinDeg(51.2 + 20.2 * T);
    const double a2 = 14.27 * SinDeg(193.4404 - 132.87 * T - 0.0091731 * T2);
    const double a3 = SinDeg(node);
    const double a4 = -15.58 * SinDeg(node + 275.05 - 2.3 * T);
    lp += (0.84 * a1 + a2 + 7.261 * a3) / 3600;
    mp += (2.94 * a1 + a2 + 9.337 * a3) / 3600;
    d += (7.24 * a1 + 7.261 * a3) / 3600;
    m += -6.4 * a1 / 3600;
    f += (0.21 * a1 + a2 - 88.699 * a3 + a4) / 3600;

    const LunarArguments arguments(mp, m, d, f);
    MoonPosition p;
    p.Longitude = Normalize360(lp + SumSeries(LongitudeTerms, arguments) / 3600 + t.Nutation);

    const double s =
        f +
        (SumSeries(ArgumentOfLatitudeTerms, arguments) + 50.64 * SinDeg(3 * static_cast<double>(p.Longitude))) / 3600;
    const double k = 1 - 0.00004664 * CosDeg(node) - 0.0000754 * CosDeg(node + 275.05 - 2.3 * T);
    const double n = 44.3 * SinDeg(mp + f - 2 * d) - 30.6 * SinDeg(2 * d + f - mp) - 24.6 * SinDeg(f - mp) -
                     22.6 * SinDeg(m + f - 2 * d) + 20.6 * SinDeg(f - mp) + 11 * SinDeg(-m - 2 * d) -
                     6 * SinDeg(mp + f - 4 * d);
    p.Latitude = (18519.7 * k * SinDeg(s) - 6.2 * SinDeg(3 * s) - 526.1 * SinDeg(f - 2 * d) + n) / 3600;
    return p;
}

Real MeanLunarNode(Real T) {
    return Normalize360(259.183275L - 1934.142L * T + 0.002078L * T * T + 0.0000022L * T * T * T);
}

Real TrueLunarNode(const TimeArguments& t, Real sunLongitude, Real moonLongitude) {
    using fast::SinDeg;
    const Real meanNode = MeanLunarNode(t.T);
    const double node = static_cast<double>(meanNode);
    const double sun = static_cast<double>(sunLongitude), moon = static_cast<double>(moonLongitude);
    const double perihelion = 282.596403;  // fixed, as the series was fitted
    const double perigee = static_cast<double>(t.MoonPerigee);
    const double x = 1.517 * SinDeg(2 * (sun - node)) - 0.163 * SinDeg(sun - perihelion) -
                     0.128 * SinDeg(2 * (moon - sun)) + 0.12 * SinDeg(2 * (moon - node)) +
                     0.107 * SinDeg(2 * (perigee - node)) + 0.063 * SinDeg(3 * sun - perihelion - 2 * node) +
                     0.04 * SinDeg(moon + perigee - 2 * sun) - 0.04 * SinDeg(moon + perigee - 2 * node) +
                     0.027 * SinDeg(moon - perigee) - 0.027 * SinDeg(sun + perihelion - 2 * node) +
                     0.015 * SinDeg(2 * (sun - perigee)) - 0.013 * SinDeg(2 * node + moon - perigee - 2 * sun) -
                     0.013 * SinDeg(moon - 2 * node - perigee + 2 * sun) -
                     0.007 * SinDeg(2 * moon + perihelion - 3 * sun) + 0.005 * SinDeg(3 * moon - perigee - 2 * node) -
                     0.005 * SinDeg(3 * moon - perigee - 2 * sun);
    return Normalize360(meanNode + x);
}

Real MeanBlackMoon(const TimeArguments& t) { return Normalize360(t.MoonPerigee + 180); }

}  // namespace florimant
