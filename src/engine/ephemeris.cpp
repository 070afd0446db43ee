#include "engine/ephemeris.hpp"

#include <cmath>
#include <optional>
#include <vector>

#include "engine/astro_time.hpp"
#include "engine/correction_files.hpp"
#include "engine/fast_trig.hpp"
#include "engine/moon.hpp"

namespace florimant {

namespace {

// The orbit geometry and the periodic terms are computed in double (see fast_trig.hpp); the mean
// elements and the time arguments are formed and reduced in extended precision first.
constexpr double TwoPi = 2 * fast::Pi;

struct Vector3 {
    double x = 0, y = 0, z = 0;
};
struct OrbitState {
    Vector3 position, velocity;  // AU and AU per day, ecliptic of date
};

// c0 + c1 T + c2 T²
struct Polynomial {
    Real c0 = 0, c1 = 0, c2 = 0;
    Real operator()(Real T) const { return c0 + c1 * T + c2 * T * T; }
};

struct OrbitalElements {
    Polynomial meanAnomaly, eccentricity, semiMajorAxis, perihelion, node, inclination;  // degrees, AU
};

// Polar angle of a coordinate pair, in [0, 2π). A second coordinate of exactly 0 is nudged off
// the axis so the angle of a point in the ecliptic plane stays defined.
double PolarAngle(double x, double y) {
    if (y == 0) y = 1.75453e-7;
    return fast::FullAngle(x, y);
}

// Turns the pair (x, y) by an angle given by its cosine and sine. This is the polar form's
// "radius and angle plus the turn" written as a rotation: the same values without the arctangent,
// square root and two sines per turn; a second coordinate of exactly 0 is replaced by 1.75453e-7
// first, as in the polar form.
struct Rotation {
    double cosine, sine;
    explicit Rotation(double radians) : cosine(std::cos(radians)), sine(std::sin(radians)) {}
};

void Turn(double& x, double& y, const Rotation& turn) {
    if (y == 0) y = 1.75453e-7;
    const double turnedX = x * turn.cosine - y * turn.sine;
    y = x * turn.sine + y * turn.cosine;
    x = turnedX;
}

// Position and velocity on a Keplerian orbit, rotated into the ecliptic of date. The mean anomaly
// is reduced to a turn in extended precision (it grows by thousands of turns per century).
OrbitState KeplerianMotion(Real meanAnomalyDeg, double e, double a, double perihelionDeg, double inclinationDeg,
                           double nodeDeg) {
    const double m = static_cast<double>(Normalize360(meanAnomalyDeg)) * fast::DegToRad;
    double ecc = m;
    for (int i = 0; i < 3; ++i) ecc = m + e * std::sin(ecc);
    const double root = std::sqrt(1 - e * e);
    const double cosE = std::cos(ecc), sinE = std::sin(ecc);
    OrbitState s;
    s.position = {a * (cosE - e), a * root * sinE, 0};
    const double rate = 0.01720209 / ((1 - e * cosE) * (a * std::sqrt(a)));
    s.velocity = {-a * rate * sinE, a * rate * root * cosE, 0};
    const Rotation perihelion(perihelionDeg * fast::DegToRad), inclination(inclinationDeg * fast::DegToRad),
        node(nodeDeg * fast::DegToRad);
    for (Vector3* v : {&s.position, &s.velocity}) {
        Turn(v->x, v->y, perihelion);
        Turn(v->y, v->z, inclination);
        Turn(v->x, v->y, node);
    }
    return s;
}

// Mean elements of date; Jupiter..Pluto have an older set used before T = -2 (1700).
const OrbitalElements& ElementsOf(int body, Real T) {
    static const OrbitalElements mercury{{102.2793806L, 149472.51523L, 0.000006389L},
                                         {0.20561421L, 0.00002046L, -0.00000003L},
                                         {0.3870984L},
                                         {28.75375278L, 0.370280556L, 0.000120833L},
                                         {47.14594444L, 1.185208333L, 0.000173889L},
                                         {7.002880556L, 0.001860833L, -0.000018333L}};
    static const OrbitalElements venus{{212.6032194L, 58517.80386L, 0.001286056L},
                                       {0.00682069L, -0.00004774L, 0.0000091L},
                                       {0.7233316L},
                                       {54.38418611L, 0.508186111L, -0.001386389L},
                                       {75.77964722L, 0.89985L, 0.00041L},
                                       {3.393630556L, 0.00100583L, -0.000000972L}};
    static const OrbitalElements mars{{319.529425L, 19139.8585L, 0.000180806L},
                                      {0.0933129L, 0.000092064L, -0.000000077L},
                                      {1.5236915L},
                                      {285.4317611L, 1.069766667L, 0.00013125L},
                                      {48.78644167L, 0.770991667L, -0.000001389L},
                                      {1.850333333L, -0.000675L, 0.000012611L}};
    static const OrbitalElements outer[2][5] = {{
                                                    {{225.49281253L, 3033.687936L},
                                                     {0.04838144L, -0.0000155L},
                                                     {5.202561L},
                                                     {273.3930152L, 1.33834464L},
                                                     {99.41984827L, 1.05829152L},
                                                     {1.3096585L, -0.00515613L}},
                                                    {{174.215296L, 1223.507963L},
                                                     {0.05422831L, -0.00020495L},
                                                     {9.55475L},
                                                     {338.911673L, -0.31667941L},
                                                     {112.8261394L, 0.82587569L},
                                                     {2.49080547L, -0.00466035L}},
                                                    {{74.17574887L, 427.2742717L},
                                                     {0.04681664L, 0.00041875L},
                                                     {19.21814L},
                                                     {95.68630387L, 2.05082548L},
                                                     {73.52220082L, 0.52415598L},
                                                     {0.77256652L, 0.00012824L}},
                                                    {{30.1329437L, 240.4551595L},
                                                     {0.00912805L, -0.00127185L},
                                                     {30.10957L},
                                                     {284.168255L, -21.6328615L},
                                                     {130.6841531L, 1.10046492L},
                                                     {1.77939281L, -0.00975088L}},
                                                    {{229.7810007L, 145.1781092L},
                                                     {0.24797376L, 0.00289875L},
                                                     {39.51774L},
                                                     {113.5365761L, 0.20863761L},
                                                     {108.94405L, 1.37395444L},
                                                     {17.15140319L, -0.01611824L}},
                                                },
                                                {
                                                    {{225.32833L, 3034.69202L, -0.00072L},
                                                     {0.04833L, 0.00016L},
                                                     {5.202561L},
                                                     {273.27754L, 0.59943L, 0.0007L},
                                                     {99.44338L, 1.01053L, 0.00035L},
                                                     {1.30874L, -0.005696L}},
                                                    {{175.46622L, 1221.55147L, -0.0005L},
                                                     {0.05589L, -0.00035L},
                                                     {9.55475L},
                                                     {338.30777L, 1.08522L, 0.00098L},
                                                     {112.79039L, 0.873195L, -0.00015L},
                                                     {2.49252L, -0.00392L, -0.00002L}},
                                                    {{72.64882L, 428.37911L, 0.00008L},
                                                     {0.046344L, -0.00003L},
                                                     {19.21814L},
                                                     {98.07155L, 0.98577L, -0.00107L},
                                                     {73.4771L, 0.49867L, 0.00131L},
                                                     {0.77246L, 0.00063L, 0.00004L}},
                                                    {{37.73067L, 218.46134L, -0.00007L},
                                                     {0.008997L},
                                                     {30.10957L},
                                                     {276.04597L, 0.32564L, 0.00014L},
                                                     {130.68136L, 1.09894L, 0.000249L},
                                                     {1.77924L, -0.00954L}},
                                                    {{229.94722L, 144.91306L},
                                                     {0.24864L},
                                                     {39.51774L},
                                                     {113.52136L},
                                                     {108.95444L, 1.39601L, 0.00031L},
                                                     {17.14678L}},
                                                }};
    static const OrbitalElements minor[5] = {
        {{108.2925L, 7820.36556L},
         {0.0794314L},
         {2.7672273L},
         {71.0794444L},
         {80.23555556L, 1.3960111L},
         {10.59694444L}},
        {{106.6641667L, 7806.531667L},
         {0.2347096L},
         {2.7704955L},
         {310.166111L},
         {172.497222L, 1.39601111L},
         {34.81416667L}},
        {{267.685L, 8256.081111L},
         {0.2562318L},
         {2.6689897L},
         {245.3752778L},
         {170.137777L, 1.396011111L, 0.0003083333L},
         {13.01694444L}},
        {{138.7733333L, 9924.931111L},
         {0.0902807L},
         {2.360723L},
         {149.6386111L},
         {103.2197222L, 1.396011111L, 0.000308333L},
         {7.139444444L}},
        {{34.6127752L, 713.5756219L},
         {0.382270369L, -0.004694073L},
         {13.66975144L},
         {337.407213L, 2.163306646L},
         {208.1482658L, 1.247724355L},
         {6.911179715L, 0.011236955L}},
    };
    switch (body) {
    case Body::Mercury: return mercury;
    case Body::Venus: return venus;
    case Body::Mars: return mars;
    default: break;
    }
    if (body >= Body::Jupiter && body <= Body::Pluto) return outer[T < -2 ? 1 : 0][body - Body::Jupiter];
    return minor[body - Body::Ceres];
}

// Fitted heliocentric corrections of Jupiter..Pluto for 1900-2100 (AU).
struct PeriodicTerm {
    double amplitude, rate, phase;  // A cos(B T + C), degrees
};
struct FittedCoordinate {
    Polynomial trend;
    std::vector<PeriodicTerm> terms;
    double operator()(double T) const {
        double v = static_cast<double>(trend(T));
        for (const PeriodicTerm& t : terms) v += t.amplitude * fast::CosDeg(t.rate * T + t.phase);
        return v;
    }
};

double SaturnLatitudeTerm(double T) {
    using fast::CosDeg;
    const double s = -0.0005 * CosDeg(1251.1 * T + 43.7) + 0.0005 * CosDeg(622.8 * T + 13.7) +
                     0.0003 * CosDeg(1824.7 * T - 71.1) + 0.0001 * CosDeg(2997.1 * T + 78.2);
    return fast::SinDeg(s) / fast::DegToRad;
}

Vector3 FittedCorrection(int body, double T) {
    static const FittedCoordinate table[5][3] = {
        {{{0.002, -0.0134, 0.0127},
          {{-0.0023, 676.2, 0.9},
           {0.00045, 2361.4, 174.9},
           {0.0015, 1427.5, -188.8},
           {0.0006, 2110.1, 153.6},
           {0.0014, 3606.8, -57.7},
           {-0.0017, 2540.2, 121.7},
           {-0.00099, 6704.8, -22.3},
           {-0.0006, 5480.2, 24.5},
           {0.00096, 1651.3, -118.3},
           {0.0006, 6310.8, -4.8},
           {0.0007, 4826.6, 36.2}}},
         {{-0.001, -0.0005, 0.0045},
          {{0.0051, 581.7, -9.7},
           {-0.0005, 2510.7, -12.5},
           {-0.0026, 1313.7, -61.4},
           {0.0013, 2370.79, -24.6},
           {-0.0013, 3599.3, 37.7},
           {-0.001, 2574.7, 31.4},
           {-0.00096, 6708.2, -114.5},
           {-0.0006, 5499.4, -74.97},
           {-0.0013, 1419, 54.2},
           {0.0006, 6339.3, -109},
           {0.0007, 4824.5, -50.9}}},
         {}},
        {{{-0.0014, 0.0026, 0},
          {{0.0111, 1242.2, 78.3},
           {-0.0045, 3034.96, 62.8},
           {-0.0066, 1829.2, -51.5},
           {-0.0078, 640.6, 24.2},
           {-0.0016, 2363.4, -141.4}}},
         {{-0.0009, 0.0037, 0},
          {{0.0134, 1238.9, -16.4},
           {-0.00426, 3040.9, -25.2},
           {0.0064, 1835.3, 36.1},
           {-0.0153, 610.8, -44.2},
           {-0.0015, 2480.5, -69.4}}},
         {{0.0006, -0.0002, 0}, {}}},
        {{{0.0134, -0.02186, 0},
          {{0.0317, 404.3, 81.9}, {-0.00495, 3037.9, 57.3}, {0.004, 993.5, -54.4}, {-0.0018, 1249.4, 79.2}}},
         {{-0.0021, -0.0159, 0},
          {{0.0299, 422.3, -17.7}, {-0.0049, 3035.1, -31.3}, {-0.0038, 945.3, 60.1}, {-0.0023, 1227, -4.99}}},
         {{-0.0003, 0.0005, 0}, {{0.0005, 352.5, -54.99}, {0.0001, 3027.5, 54.2}, {-0.0001, 1150.3, -88}}}},
        {{{-0.1122, 0.166, -0.0544},
          {{-0.00496, 3035.3, 58.7}, {0.0961, 177.1, -68.8}, {-0.0073, 630.9, 51}, {-0.0025, 1236.6, 78}}},
         {{0.1832, -0.6718, 0.2726},
          {{-0.1923, 175.7, 31.8}, {0.0122, 542.1, 189.6}, {0.0027, 1219.4, 178.1}, {-0.00496, 3035.6, -31.3}}},
         {{0.00196, -0.0119, 0.0111}, {{0.0001, 3049.3, 44.2}, {-0.0002, 893.9, 48.5}, {0.00007, 1416.5, -25.2}}}},
        {{{-0.0603, 0.5002, -0.6126},
          {{0.049, 273.97, 89.97}, {-0.0049, 3030.6, 61.3}, {0.0027, 1075.3, -28.1}, {-0.0007, 1402.3, 20.3}}},
         {{-0.0426, 0.073, -0.029},
          {{0.0371, 372, -331.3}, {-0.0049, 3049.6, -39.2}, {-0.0108, 566.2, 318.3}, {0.0003, 1746.5, -238.3}}},
         {{0.0145, -0.0928, 0.1195}, {{0.0117, 302.6, -77.3}, {0.00198, 528.1, 48.6}, {-0.0002, 1000.4, -46.1}}}},
    };
    const FittedCoordinate* c = table[body - Body::Jupiter];
    Vector3 v{c[0](T), c[1](T), 0};
    if (body != Body::Jupiter) v.z = c[2](T);  // Jupiter has no z correction
    if (body == Body::Saturn) v.z += SaturnLatitudeTerm(T);
    return v;
}

Real EarthEccentricity(Real T) { return 0.01675104L - 0.0000418L * T - 0.000000126L * T * T; }

// The Earth's heliocentric motion; the planets of the same pass are seen from it.
OrbitState EarthMotion(Real T) {
    const Real T2 = T * T;
    return KeplerianMotion(358.4758445L + 35999.04975L * T - 0.000150278L * T2,
                           static_cast<double>(EarthEccentricity(T)), 1.00000023,
                           static_cast<double>(101.2208333L + 1.719175L * T + 0.000452778L * T2), 0, 0);
}

// The Sun's apparent longitude: equation of centre, planetary and lunar perturbations,
// nutation and aberration.
Real SunLongitude(const TimeArguments& t) {
    using fast::CosDeg;
    using fast::SinDeg;
    const double T = static_cast<double>(t.T);
    const double e = static_cast<double>(EarthEccentricity(t.T));
    const double m = static_cast<double>(t.SunAnomaly) * fast::DegToRad;
    double ecc = m;
    for (int i = 0; i < 5; ++i) ecc = m + e * std::sin(ecc);
    const double v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(ecc / 2)) / fast::DegToRad;
    const Real lambda0 = Normalize360(v - t.SunAnomaly + t.SunMeanLongitude);

    const double p1 = 6.4 * SinDeg(231.19 + 20.2 * T) + (1.882 - 0.016 * T) * SinDeg(57.24 + 150.27 * T) +
                      0.266 * SinDeg(31.8 + 119 * T) + 0.202 * SinDeg(315.6 + 893.3 * T);
    const double ms = static_cast<double>(t.SunAnomaly) + p1 / 3600;
    const double ve = 63.07037 + 22518.442986 * T;
    const double venus = 4.838 * CosDeg(ve + 90) + 5.526 * CosDeg(2 * ve + 90.12) +
                         2.497 * CosDeg(2 * ve - ms + 257.75) + 1.559 * CosDeg(3 * ve - ms + 77.96) +
                         1.024 * CosDeg(3 * ve - 2 * ms + 50.85) + 0.666 * CosDeg(3 * ve + 270.41) +
                         0.21 * CosDeg(4 * ve + 89.8) + 0.154 * CosDeg(5 * ve - 3 * ms + 34.1) +
                         0.152 * CosDeg(4 * ve - 2 * ms + 227.4) + 0.144 * CosDeg(4 * ve - ms + 79);
    const double ma = 165.94905 + 16859.069667 * T;
    const double mars = 2.043 * CosDeg(2 * ma + 89.76) + 1.77 * CosDeg(2 * ma - ms + 306.27) +
                        0.585 * CosDeg(4 * ma - 2 * ms + 185.82) + 0.5 * CosDeg(4 * ma - ms + 317.7) +
                        0.425 * CosDeg(3 * ma - ms + 317.7) + 0.204 * CosDeg(5 * ma - 2 * ms + 185.5);
    const double ju = 221.64742 + 32964.466939 * T;
    const double jupiter = 7.208 * CosDeg(ju + 91.09) + 2.731 * CosDeg(2 * ju + 270.25) +
                           2.6 * CosDeg(ju - ms + 174.77) + 1.61 * CosDeg(2 * ju - ms + 292.6) +
                           0.556 * CosDeg(3 * ju - ms + 177.31);
    const double sa = 193.1323 + 34777.259042 * T;
    const double saturn = 0.419 * CosDeg(sa + 90.34) + 0.32 * CosDeg(sa - ms + 259.22);
    const double elongation = static_cast<double>(t.MoonElongation);
    const double moon = 6.454 * SinDeg(elongation) + 0.424 * SinDeg(elongation - static_cast<double>(t.MoonAnomaly));
    return Normalize360(lambda0 + (p1 + venus + mars + jupiter + saturn + moon) / 3600 + t.Nutation -
                        (20.47 + 0.342 * CosDeg(ms)) / 3600);
}

struct Position {
    Real longitude = 0, latitude = 0;
};

Position PlanetPosition(int body, const TimeArguments& t, const OrbitState& earth) {
    const Real T = t.T;
    const OrbitalElements& el = ElementsOf(body, T);
    auto value = [T](const Polynomial& p) { return static_cast<double>(p(T)); };
    OrbitState s = KeplerianMotion(el.meanAnomaly(T), value(el.eccentricity), value(el.semiMajorAxis),
                                   value(el.perihelion), value(el.inclination), value(el.node));
    if (body >= Body::Jupiter && body <= Body::Pluto && T >= 0 && T <= 2) {
        Vector3 c = FittedCorrection(body, static_cast<double>(T));
        s.position.x += c.x;
        s.position.y += c.y;
        s.position.z += c.z;
    }
    const double x = s.position.x - earth.position.x, y = s.position.y - earth.position.y,
                 z = s.position.z - earth.position.z;
    const double vx = s.velocity.x - earth.velocity.x, vy = s.velocity.y - earth.velocity.y;
    const double rate = (x * vy - y * vx) / (x * x + y * y) / fast::DegToRad;  // degrees per day
    const double lightTimeShift = std::sqrt(x * x + y * y + z * z) * 0.0057683 * rate;

    Position p;
    p.longitude = Normalize360(PolarAngle(x, y) / fast::DegToRad + t.Nutation - lightTimeShift);
    // The polar angle lies in [0, 2π): angles in the lower half plane are southern latitudes.
    // (Splitting at a fixed northern limit, 0.35 rad or Pallas's 0.607621835 rad, would turn a
    // northern latitude above the limit into an angle near -360 degrees.)
    double theta = PolarAngle(std::sqrt(x * x + y * y), z);
    if (theta > fast::Pi) theta -= TwoPi;
    p.latitude = theta / fast::DegToRad;
    return p;
}

bool IsSelected(int which, int body) {
    if (which == 0) return true;
    if (which == 20 || which == 21) return body <= Body::Pluto;
    if (body == Body::Sun) return true;                               // its pass yields the Earth for every other body
    if (which == Body::LunarNode && body == Body::Moon) return true;  // the true node needs the Moon
    if (which == Body::AscendantPoint || which == Body::LatitudeZero) return false;
    return body == which;
}

}  // namespace

TimeArguments ComputeTimeArguments(Real jd) {
    TimeArguments t;
    t.jd = jd;
    t.d = jd - 2415020;
    t.T = t.d / 36525;
    t.T2 = t.T * t.T;
    const Real T = t.T, T2 = t.T2, d = t.d;
    t.MeanNode = Normalize360(259.1833L - 0.05295392L * d + (0.002078L + 0.000002L * T) * T2);
    t.SunMeanLongitude = Normalize360(279.69668L + 36000.7689L * T + 0.0003025L * T2);
    t.MoonElongation = Normalize360(350.737486L + 445267.114L * T - 0.001436L * T2);
    t.MoonPerigee = Normalize360(334.32956L + 0.11140408L * d + (0.010325L - 0.000012L * T) * T2);
    t.SunAnomaly = Normalize360(358.47584L + 35999.04975L * T - 0.00015L * T2);
    t.MoonMeanLongitude = Normalize360(270.434164L + 13.1763965L * d + (0.0000019L * T - 0.001133L) * T2);
    t.MoonAnomaly = Normalize360(296.1046083L + 477198.849L * T + 0.009191671L * T2);
    t.Nutation = (-(17.2327 + 0.01737 * static_cast<double>(T)) * fast::SinDeg(static_cast<double>(t.MeanNode)) -
                  1.273 * fast::SinDeg(2 * static_cast<double>(t.SunMeanLongitude))) /
                 3600;
    return t;
}

namespace {
// One pass over the selected bodies. `files` is empty when no correction is applied; a file is
// opened the first time a body needs it and stays open for the rest of the computation.
void ComputePass(std::optional<CorrectionFiles>& files, const EphemerisSettings& settings, int which,
                 int skipLatitudeCorrections, Real jd, ChartData& chart) {
    const TimeArguments t = ComputeTimeArguments(jd);

    const OrbitState earth = EarthMotion(t.T);
    for (int body = Body::Sun; body <= Body::Chiron; ++body) {
        if (!IsSelected(which, body)) continue;
        Real& longitude = chart.Longitude[body];
        Real& latitude = chart.Latitude[body];
        switch (body) {
        case Body::Sun:
            longitude = SunLongitude(t);
            latitude = 0;
            break;
        case Body::Moon: {
            MoonPosition moon = ComputeMoon(t);
            longitude = moon.Longitude;
            latitude = moon.Latitude;
            if (files && jd > MoonCorrectionsAbove && jd < MoonCorrectionsBelow)
                longitude = Normalize360(longitude + files->MoonCorrection(jd) / 3600);
            break;
        }
        case Body::LunarNode:
            if (settings.NodeMode == "VERO") {
                longitude = TrueLunarNode(t, chart.Longitude[Body::Sun], chart.Longitude[Body::Moon]);
                if (files && jd > NodeCorrectionsAbove && jd < NodeCorrectionsBelow)
                    longitude = Normalize360(longitude + files->PlanetCorrection(9, jd) / 60);
            } else {
                longitude = MeanLunarNode(t.T);
            }
            latitude = 0;
            break;
        case Body::BlackMoon:
            longitude = MeanBlackMoon(t);
            if (files && settings.BlackMoonMode == "VERA" && jd >= BlackMoonCorrectionsFrom &&
                jd < BlackMoonCorrectionsUntil)
                longitude = Normalize360(longitude + files->BlackMoonCorrection(jd) / 3600);
            latitude = 0;
            break;
        case Body::AscendantPoint:
            longitude = chart.HouseCusps[1];
            latitude = 0;
            break;
        case Body::LatitudeZero: latitude = 0; break;
        default: {
            Position p = PlanetPosition(body, t, earth);
            longitude = p.longitude;
            latitude = p.latitude;
            if (files && body <= Body::Pluto && jd >= PlanetCorrectionsFrom && jd < PlanetCorrectionsUntil) {
                const int code = body - 2;  // Mercury 1 .. Pluto 8; latitudes 10..17
                longitude = Normalize360(longitude + files->PlanetCorrection(code, jd) / 60);
                if (skipLatitudeCorrections != 1) latitude += files->PlanetCorrection(code + 9, jd) / 60;
            }
            break;
        }
        }
    }
}

std::optional<CorrectionFiles> FilesFor(const ProgramFolder& folder, const EphemerisSettings& settings) {
    std::optional<CorrectionFiles> files;
    if (settings.ApplyCorrectionFiles) files.emplace(folder);
    return files;
}
}  // namespace

void ComputeBodies(const ProgramFolder& folder, const EphemerisSettings& settings, int which,
                   int skipLatitudeCorrections, Real jd, ChartData& chart) {
    std::optional<CorrectionFiles> files = FilesFor(folder, settings);
    ComputePass(files, settings, which, skipLatitudeCorrections, jd, chart);
}

// Both passes share the open correction files: one chart opens each file at most once.
void ComputeChartBodies(const ProgramFolder& folder, const EphemerisSettings& settings, int which, Real jd,
                        ChartData& chart) {
    std::optional<CorrectionFiles> files = FilesFor(folder, settings);
    ComputePass(files, settings, which, 1, jd + 0.001L, chart);
    const BodyReals later = chart.Longitude;
    ComputePass(files, settings, which, 0, jd, chart);
    for (int body = Body::Sun; body <= Body::Chiron; ++body) {
        const Real l1 = later[body], l0 = chart.Longitude[body];
        // The 5-degree limit keeps the step from 360 back to 0 from looking retrograde.
        if (l1 < l0 && std::fabs(l1 - l0) < 5) chart.Longitude[body] = -l0;
    }
}

}  // namespace florimant
