#include "engine/houses.hpp"

#include <cmath>
#include <string>

#include "engine/astro_time.hpp"

namespace florimant {

namespace {

constexpr Real TwoPi = 2 * Pi;

// Ecliptic longitude (degrees) of the point of right ascension `alpha` (degrees): the Midheaven
// formula, also used for the Placidus cusps. The half circle is chosen by the sine of the same
// rounded angle the tangent was taken of, so that exactly 180° gives 180 and not 0.
Real LongitudeOfRightAscension(Real alpha, Real obliquity) {
    Real m = RadToDeg(std::atan(TanDeg(alpha) / CosDeg(obliquity)));
    if (m < 0) m += 180;
    if (SinDeg(alpha) < 0) m += 180;
    return m;
}

Real Ascendant(Real ramc, Real latitude, Real obliquity) {
    const Real t = Normalize360(ramc + 90);
    const Real a = RadToDeg(std::atan(TanDeg(latitude) / CosDeg(t)));
    Real asc = RadToDeg(std::atan(TanDeg(t) * CosDeg(a) / CosDeg(a + obliquity)));
    if (asc < 0) asc += 180;
    if (SinDeg(t) < 0) asc += 180;
    return asc;
}

// Angle of (num, den) in [0, 2π]: atan(num / den) placed in its quadrant by the signs of num and
// den. Where num or den is exactly 0 (a house pole of zero at the equator, for one) the signs alone
// leave the offset open; the angle is then put on its axis, as the signs would place it an instant
// away. Reusing the offset of the previous angle instead turns equatorial cusps half a circle.
Real AngleOf(Real num, Real den) {
    if (den == 0) return num < 0 ? 1.5L * Pi : Pi / 2;
    const Real theta = std::atan(num / den);
    Real offset = 0;
    if (den < 0) offset = Pi;
    else if (num < 0) offset = TwoPi;
    return theta + offset;
}

struct Frame {
    Real ramc, latitude, obliquity;  // degrees
    Real ramcR, latitudeR, obliquityR;
};

// g(θ) = K sin(RAMC + fθ) - cos θ vanishes where the hour angle fθ is the fraction f of the
// semi-arc θ of an ecliptic point: five secant steps from both ends of the range. Above about 60°
// of latitude five steps leave the semi-arc tenths of a degree, and near the polar circle half a
// circle, away from the root, so outside the polar circles (|K| < 1, where g(0) < 0 < g(180) and
// the root is unique) the root is finished: further secant steps, and bisection of [0, 180] if
// they stray. Inside the polar circles no cusp exists and the five steps stand.
Real PlacidusSemiArc(const Frame& w, Real k, Real f) {
    const auto g = [&](Real theta) { return k * SinDeg(w.ramc + f * theta) - CosDeg(theta); };
    Real previous = 0.000000001L, current = 180.0001L;
    Real gPrevious = g(previous), gCurrent = g(current);
    const auto secantStep = [&] {
        Real difference = gCurrent - gPrevious;
        if (difference == 0) difference = 0.000001L;
        const Real next = current - (current - previous) / difference * gCurrent;
        previous = current;
        gPrevious = gCurrent;
        current = next;
        gCurrent = g(current);
    };
    for (int step = 0; step < 5; ++step) secantStep();
    if (!(std::fabs(k) < 1)) return current;

    for (int step = 0; step < 50 && std::fabs(current - previous) > 1e-12L && gCurrent != gPrevious; ++step)
        secantStep();
    if (current >= 0 && current <= 180 && std::fabs(gCurrent) <= 1e-15L) return current;
    Real low = 0, high = 180;
    for (int step = 0; step < 80; ++step) {
        const Real middle = (low + high) / 2;
        (g(middle) < 0 ? low : high) = middle;
    }
    return (low + high) / 2;
}

void Placidus(const Frame& w, std::array<Real, 13>& cusp) {
    const Real k = -std::tan(w.latitudeR) * std::tan(w.obliquityR);
    const auto cuspFor = [&](Real f) {
        const Real alpha = Normalize360(w.ramc + f * PlacidusSemiArc(w, k, f));
        return LongitudeOfRightAscension(alpha, w.obliquity);
    };
    cusp[11] = Normalize360(cuspFor(1.0L / 3));
    cusp[12] = Normalize360(cuspFor(2.0L / 3));
    cusp[2] = Normalize360(cuspFor(-2.0L / 3) + 180);
    cusp[3] = Normalize360(cuspFor(-1.0L / 3) + 180);
}

// Cusps 4..9 opposite 10..3; halfTurn is 180 or π.
void OppositeCusps(std::array<Real, 13>& cusp, Real halfTurn) {
    for (int i = 4; i <= 9; ++i) cusp[i] = cusp[i <= 6 ? i + 6 : i - 6] + halfTurn;
}

void Koch(const Frame& w, Real midheavenRad, std::array<Real, 13>& cusp) {
    const Real sinDelta = std::sin(w.obliquityR) * std::sin(midheavenRad);
    const Real delta = std::atan(sinDelta / std::sqrt(1 - sinDelta * sinDelta));
    const Real s = std::tan(w.latitudeR) * std::tan(delta);
    Real c2 = 1 - s * s;
    if (c2 <= 0) c2 = 0.0001L;  // the Midheaven never rises: polar substitute
    const Real ascensionalDifference = std::atan(s / std::sqrt(c2));
    const Real obliqueAscension = w.ramcR - ascensionalDifference;
    Real step = (w.ramcR + Pi / 2 - obliqueAscension) / 3;
    if (step < 0) step += TwoPi;

    std::array<Real, 13> r{};
    Real x = obliqueAscension + step - Pi / 2;
    for (int i : {11, 12, 1, 2, 3}) {
        if (x > TwoPi) x -= TwoPi;
        r[i] = AngleOf(std::cos(x),
                       -(std::sin(x) * std::cos(w.obliquityR) + std::tan(w.latitudeR) * std::sin(w.obliquityR)));
        x += step;
    }
    r[10] = midheavenRad;
    OppositeCusps(r, Pi);
    for (int i = 1; i <= 12; ++i) cusp[i] = RadToDeg(r[i]);
}

void Regiomontanus(const Frame& w, Real midheavenRad, Real ascendantRad, std::array<Real, 13>& cusp) {
    std::array<Real, 13> r{};
    const std::array<std::pair<int, Real>, 4> houses = {{{11, 30}, {12, 60}, {2, 120}, {3, 150}}};
    for (const auto& [i, h] : houses) {
        const Real hR = h * Pi / 180;
        const Real rr = w.ramcR + hR;
        const Real pole = std::atan(std::sin(hR) * std::tan(w.latitudeR));
        const Real m = AngleOf(std::tan(pole), std::cos(rr));
        r[i] = AngleOf(std::cos(m) * std::tan(rr), std::cos(m + w.obliquityR));
    }
    r[10] = midheavenRad;
    r[1] = ascendantRad;
    OppositeCusps(r, Pi);
    for (int i = 1; i <= 12; ++i) cusp[i] = RadToDeg(r[i]);
}

void Porphyry(std::array<Real, 13>& cusp) {
    Real q = cusp[1] - cusp[10];
    if (q < 0) q += 360;
    const Real r = 180 - q;
    cusp[11] = cusp[10] + q / 3;
    cusp[12] = cusp[11] + q / 3;
    cusp[2] = cusp[1] + r / 3;
    cusp[3] = cusp[2] + r / 3;
    OppositeCusps(cusp, 180);
}

// atan(num / den) placed in its quadrant by the signs of the result and of num.
Real HalfTurnRule(Real num, Real den) {
    Real lambda = std::atan(num / den);
    if (lambda < 0) lambda += Pi;
    if (num < 0) lambda += Pi;
    return lambda;
}

// The house circles start 0.000001° past the axes so that no tangent is taken at exactly 90°.
Real HouseCircle(int i) { return 30 * i + 60.000001L; }

void Campanus(const Frame& w, std::array<Real, 13>& cusp) {
    for (int i = 1; i <= 12; ++i) {
        const Real h = HouseCircle(i) * Pi / 180;
        Real c = std::atan(std::cos(w.latitudeR) * std::tan(h));
        if (c < 0) c += Pi;
        if (std::sin(h) < 0) c += Pi;
        const Real num = std::sin(w.ramcR + c);
        const Real den = std::cos(w.obliquityR) * std::cos(w.ramcR + c) -
                         std::sin(w.obliquityR) * std::sin(c) * std::tan(w.latitudeR);
        cusp[i] = RadToDeg(HalfTurnRule(num, den));
    }
}

void Morinus(const Frame& w, std::array<Real, 13>& cusp) {
    for (int i = 1; i <= 12; ++i) {
        const Real h = HouseCircle(i) * Pi / 180;
        const Real num = std::cos(w.obliquityR) * std::sin(w.ramcR + h);
        cusp[i] = RadToDeg(HalfTurnRule(num, std::cos(w.ramcR + h)));
    }
}

void EqualFromAscendant(std::array<Real, 13>& cusp) {
    const Real asc = cusp[1];
    for (int i = 1; i <= 12; ++i) cusp[i] = asc + 30 * (i - 1);
}

}  // namespace

void ComputeHousesFromRamc(Real ramc, Real latitude, Real obliquity, std::string_view system, ChartData& chart) {
    const Frame w{ramc, latitude, obliquity, ramc * Pi / 180, latitude * Pi / 180, obliquity * Pi / 180};
    auto& cusp = chart.HouseCusps;
    chart.SiderealTime = ramc / 15;
    chart.HouseSystem = std::string(system.substr(0, 15));

    cusp[10] = Normalize360(LongitudeOfRightAscension(ramc, obliquity));
    cusp[1] = Normalize360(Ascendant(ramc, latitude, obliquity));
    chart.MidheavenRad = cusp[10] * DegToRad;
    chart.AscendantRad = cusp[1] * DegToRad;

    if (system == "PLACIDO") {
        Placidus(w, cusp);
        OppositeCusps(cusp, 180);
    } else if (system == "KOCH") {
        Koch(w, chart.MidheavenRad, cusp);
    } else if (system == "REGIOMONT") {
        Regiomontanus(w, chart.MidheavenRad, chart.AscendantRad, cusp);
    } else if (system == "PORFIRIO") {
        Porphyry(cusp);
    } else if (system == "CAMPANO") {
        Campanus(w, cusp);
    } else if (system == "MORINO") {
        Morinus(w, cusp);
    } else if (system == "CASE_UGUALI" || system == "CASE_MEDIE") {
        EqualFromAscendant(cusp);
    } else {
        return;  // "ALCABIZIO" and unknown names: only the angles are fresh
    }
    for (int i = 1; i <= 12; ++i) cusp[i] = Normalize360(cusp[i]);
}

void ComputeHouses(Real jd, int longitudeDegrees, int longitudeMinutes, std::string_view eastWest, int latitudeDegrees,
                   int latitudeMinutes, std::string_view northSouth, int hour, int minute, Real correction,
                   std::string_view system, ChartData& chart) {
    const Real obliquity = MeanObliquity(JulianCenturies(jd));
    Real longitude = longitudeDegrees + longitudeMinutes / Real(60);
    if (eastWest == "O" || eastWest == "W") longitude = 360 - longitude;
    Real latitude = latitudeDegrees + latitudeMinutes / Real(60);
    if (northSouth == "S") latitude = 360 - latitude;  // sine and tangent take the southern sign
    const Real siderealTime = LocalSiderealTime(jd, hour + minute / Real(60) + correction, longitude);
    ComputeHousesFromRamc(15 * siderealTime, latitude, obliquity, system, chart);
    chart.SiderealTime = siderealTime;
}

}  // namespace florimant
