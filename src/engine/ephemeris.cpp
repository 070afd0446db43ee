#include "engine/ephemeris.hpp"

#include <cmath>
#include <optional>
#include <vector>

#include "engine/astro_time.hpp"
#include "engine/correction_files.hpp"
#include "engine/moon.hpp"

namespace florimant {

namespace {

constexpr Real TwoPi = 2 * Pi;

struct Vector3 {
    Real x = 0, y = 0, z = 0;
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

// Polar form of a coordinate pair: the angle lies in [0, 2π). A second coordinate of exactly 0
// is nudged off the axis so the angle of a point in the ecliptic plane stays defined.
void ToPolar(Real x, Real y, Real& radius, Real& angle) {
    if (y == 0) y = 1.75453e-7L;
    radius = std::sqrt(x * x + y * y);
    angle = std::atan2(y, x);
    if (angle < 0) angle += TwoPi;
}

Real PolarAngle(Real x, Real y) {
    Real r, angle;
    ToPolar(x, y, r, angle);
    return angle;
}

// Turns the pair (x, y) by an angle given by its cosine and sine. This is the polar form's
// "radius and angle plus the turn" written as a rotation: the same values without the arctangent,
// square root and two sines per turn; a second coordinate of exactly 0 is replaced by 1.75453e-7
// first, as in the polar form.
struct Rotation {
    Real cosine, sine;
    explicit Rotation(Real angle) : cosine(CosRad(angle)), sine(SinRad(angle)) {}
};

void Turn(Real& x, Real& y, const Rotation& turn) {
    if (y == 0) y = 1.75453e-7L;
    const Real turnedX = x * turn.cosine - y * turn.sine;
    y = x * turn.sine + y * turn.cosine;
    x = turnedX;
}

// Position and velocity on a Keplerian orbit, rotated into the ecliptic of date.
OrbitState KeplerianMotion(Real meanAnomalyDeg, Real e, Real a, Real perihelionDeg, Real inclinationDeg,
                           Real nodeDeg) {
    const Real m = Normalize360(meanAnomalyDeg) * DegToRad;
    Real ecc = m;
    for (int i = 0; i < 3; ++i) ecc = m + e * SinRad(ecc);
    const Real root = std::sqrt(1 - e * e);
    const Real cosE = CosRad(ecc), sinE = SinRad(ecc);
    OrbitState s;
    s.position = {a * (cosE - e), a * root * sinE, 0};
    const Real rate = 0.01720209L / ((1 - e * cosE) * (a * std::sqrt(a)));
    s.velocity = {-a * rate * sinE, a * rate * root * cosE, 0};
    const Rotation perihelion(perihelionDeg * DegToRad), inclination(inclinationDeg * DegToRad),
        node(nodeDeg * DegToRad);
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
    static const OrbitalElements outer[2][5] = {
        {
            {{225.49281253L, 3033.687936L}, {0.04838144L, -0.0000155L}, {5.202561L}, {273.3930152L, 1.33834464L},
             {99.41984827L, 1.05829152L}, {1.3096585L, -0.00515613L}},
            {{174.215296L, 1223.507963L}, {0.05422831L, -0.00020495L}, {9.55475L}, {338.911673L, -0.31667941L},
             {112.8261394L, 0.82587569L}, {2.49080547L, -0.00466035L}},
            {{74.17574887L, 427.2742717L}, {0.04681664L, 0.00041875L}, {19.21814L}, {95.68630387L, 2.05082548L},
             {73.52220082L, 0.52415598L}, {0.77256652L, 0.00012824L}},
            {{30.1329437L, 240.4551595L}, {0.00912805L, -0.00127185L}, {30.10957L}, {284.168255L, -21.6328615L},
             {130.6841531L, 1.10046492L}, {1.77939281L, -0.00975088L}},
            {{229.7810007L, 145.1781092L}, {0.24797376L, 0.00289875L}, {39.51774L}, {113.5365761L, 0.20863761L},
             {108.94405L, 1.37395444L}, {17.15140319L, -0.01611824L}},
        },
        {
            {{225.32833L, 3034.69202L, -0.00072L}, {0.04833L, 0.00016L}, {5.202561L}, {273.27754L, 0.59943L, 0.0007L},
             {99.44338L, 1.01053L, 0.00035L}, {1.30874L, -0.005696L}},
            {{175.46622L, 1221.55147L, -0.0005L}, {0.05589L, -0.00035L}, {9.55475L}, {338.30777L, 1.08522L, 0.00098L},
             {112.79039L, 0.873195L, -0.00015L}, {2.49252L, -0.00392L, -0.00002L}},
            {{72.64882L, 428.37911L, 0.00008L}, {0.046344L, -0.00003L}, {19.21814L}, {98.07155L, 0.98577L, -0.00107L},
             {73.4771L, 0.49867L, 0.00131L}, {0.77246L, 0.00063L, 0.00004L}},
            {{37.73067L, 218.46134L, -0.00007L}, {0.008997L}, {30.10957L}, {276.04597L, 0.32564L, 0.00014L},
             {130.68136L, 1.09894L, 0.000249L}, {1.77924L, -0.00954L}},
            {{229.94722L, 144.91306L}, {0.24864L}, {39.51774L}, {113.52136L}, {108.95444L, 1.39601L, 0.00031L},
             {17.14678L}},
        }};
    static const OrbitalElements minor[5] = {
        {{108.2925L, 7820.36556L}, {0.0794314L}, {2.7672273L}, {71.0794444L}, {80.23555556L, 1.3960111L},
         {10.59694444L}},
        {{106.6641667L, 7806.531667L}, {0.2347096L}, {2.7704955L}, {310.166111L}, {172.497222L, 1.39601111L},
         {34.81416667L}},
        {{267.685L, 8256.081111L}, {0.2562318L}, {2.6689897L}, {245.3752778L},
         {170.137777L, 1.396011111L, 0.0003083333L}, {13.01694444L}},
        {{138.7733333L, 9924.931111L}, {0.0902807L}, {2.360723L}, {149.6386111L},
         {103.2197222L, 1.396011111L, 0.000308333L}, {7.139444444L}},
        {{34.6127752L, 713.5756219L}, {0.382270369L, -0.004694073L}, {13.66975144L}, {337.407213L, 2.163306646L},
         {208.1482658L, 1.247724355L}, {6.911179715L, 0.011236955L}},
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
    Real amplitude, rate, phase;  // A cos(B T + C), degrees
};
struct FittedCoordinate {
    Polynomial trend;
    std::vector<PeriodicTerm> terms;
    Real operator()(Real T) const {
        Real v = trend(T);
        for (const PeriodicTerm& t : terms) v += t.amplitude * CosDeg(t.rate * T + t.phase);
        return v;
    }
};

Real SaturnLatitudeTerm(Real T) {
    Real s = -0.0005L * CosDeg(1251.1L * T + 43.7L) + 0.0005L * CosDeg(622.8L * T + 13.7L) +
             0.0003L * CosDeg(1824.7L * T - 71.1L) + 0.0001L * CosDeg(2997.1L * T + 78.2L);
    return SinDeg(s) / DegToRad;
}

Vector3 FittedCorrection(int body, Real T) {
    static const FittedCoordinate table[5][3] = {
        {{{0.002L, -0.0134L, 0.0127L},
          {{-0.0023L, 676.2L, 0.9L}, {0.00045L, 2361.4L, 174.9L}, {0.0015L, 1427.5L, -188.8L},
           {0.0006L, 2110.1L, 153.6L}, {0.0014L, 3606.8L, -57.7L}, {-0.0017L, 2540.2L, 121.7L},
           {-0.00099L, 6704.8L, -22.3L}, {-0.0006L, 5480.2L, 24.5L}, {0.00096L, 1651.3L, -118.3L},
           {0.0006L, 6310.8L, -4.8L}, {0.0007L, 4826.6L, 36.2L}}},
         {{-0.001L, -0.0005L, 0.0045L},
          {{0.0051L, 581.7L, -9.7L}, {-0.0005L, 2510.7L, -12.5L}, {-0.0026L, 1313.7L, -61.4L},
           {0.0013L, 2370.79L, -24.6L}, {-0.0013L, 3599.3L, 37.7L}, {-0.001L, 2574.7L, 31.4L},
           {-0.00096L, 6708.2L, -114.5L}, {-0.0006L, 5499.4L, -74.97L}, {-0.0013L, 1419, 54.2L},
           {0.0006L, 6339.3L, -109}, {0.0007L, 4824.5L, -50.9L}}},
         {}},
        {{{-0.0014L, 0.0026L, 0},
          {{0.0111L, 1242.2L, 78.3L}, {-0.0045L, 3034.96L, 62.8L}, {-0.0066L, 1829.2L, -51.5L},
           {-0.0078L, 640.6L, 24.2L}, {-0.0016L, 2363.4L, -141.4L}}},
         {{-0.0009L, 0.0037L, 0},
          {{0.0134L, 1238.9L, -16.4L}, {-0.00426L, 3040.9L, -25.2L}, {0.0064L, 1835.3L, 36.1L},
           {-0.0153L, 610.8L, -44.2L}, {-0.0015L, 2480.5L, -69.4L}}},
         {{0.0006L, -0.0002L, 0}, {}}},
        {{{0.0134L, -0.02186L, 0},
          {{0.0317L, 404.3L, 81.9L}, {-0.00495L, 3037.9L, 57.3L}, {0.004L, 993.5L, -54.4L}, {-0.0018L, 1249.4L, 79.2L}}},
         {{-0.0021L, -0.0159L, 0},
          {{0.0299L, 422.3L, -17.7L}, {-0.0049L, 3035.1L, -31.3L}, {-0.0038L, 945.3L, 60.1L}, {-0.0023L, 1227, -4.99L}}},
         {{-0.0003L, 0.0005L, 0}, {{0.0005L, 352.5L, -54.99L}, {0.0001L, 3027.5L, 54.2L}, {-0.0001L, 1150.3L, -88}}}},
        {{{-0.1122L, 0.166L, -0.0544L},
          {{-0.00496L, 3035.3L, 58.7L}, {0.0961L, 177.1L, -68.8L}, {-0.0073L, 630.9L, 51}, {-0.0025L, 1236.6L, 78}}},
         {{0.1832L, -0.6718L, 0.2726L},
          {{-0.1923L, 175.7L, 31.8L}, {0.0122L, 542.1L, 189.6L}, {0.0027L, 1219.4L, 178.1L}, {-0.00496L, 3035.6L, -31.3L}}},
         {{0.00196L, -0.0119L, 0.0111L}, {{0.0001L, 3049.3L, 44.2L}, {-0.0002L, 893.9L, 48.5L}, {0.00007L, 1416.5L, -25.2L}}}},
        {{{-0.0603L, 0.5002L, -0.6126L},
          {{0.049L, 273.97L, 89.97L}, {-0.0049L, 3030.6L, 61.3L}, {0.0027L, 1075.3L, -28.1L}, {-0.0007L, 1402.3L, 20.3L}}},
         {{-0.0426L, 0.073L, -0.029L},
          {{0.0371L, 372, -331.3L}, {-0.0049L, 3049.6L, -39.2L}, {-0.0108L, 566.2L, 318.3L}, {0.0003L, 1746.5L, -238.3L}}},
         {{0.0145L, -0.0928L, 0.1195L},
          {{0.0117L, 302.6L, -77.3L}, {0.00198L, 528.1L, 48.6L}, {-0.0002L, 1000.4L, -46.1L}}}},
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
    return KeplerianMotion(358.4758445L + 35999.04975L * T - 0.000150278L * T2, EarthEccentricity(T), 1.00000023L,
                           101.2208333L + 1.719175L * T + 0.000452778L * T2, 0, 0);
}

// The Sun's apparent longitude: equation of centre, planetary and lunar perturbations,
// nutation and aberration.
Real SunLongitude(const TimeArguments& t) {
    const Real T = t.T;
    const Real e = EarthEccentricity(T);
    const Real m = t.SunAnomaly * DegToRad;
    Real ecc = m;
    for (int i = 0; i < 5; ++i) ecc = m + e * SinRad(ecc);
    const Real v = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(ecc / 2)) / DegToRad;
    const Real lambda0 = Normalize360(v - t.SunAnomaly + t.SunMeanLongitude);

    const Real p1 = 6.4L * SinDeg(231.19L + 20.2L * T) + (1.882L - 0.016L * T) * SinDeg(57.24L + 150.27L * T) +
                    0.266L * SinDeg(31.8L + 119 * T) + 0.202L * SinDeg(315.6L + 893.3L * T);
    const Real ms = t.SunAnomaly + p1 / 3600;
    const Real ve = 63.07037L + 22518.442986L * T;
    const Real venus = 4.838L * CosDeg(ve + 90) + 5.526L * CosDeg(2 * ve + 90.12L) +
                       2.497L * CosDeg(2 * ve - ms + 257.75L) + 1.559L * CosDeg(3 * ve - ms + 77.96L) +
                       1.024L * CosDeg(3 * ve - 2 * ms + 50.85L) + 0.666L * CosDeg(3 * ve + 270.41L) +
                       0.21L * CosDeg(4 * ve + 89.8L) + 0.154L * CosDeg(5 * ve - 3 * ms + 34.1L) +
                       0.152L * CosDeg(4 * ve - 2 * ms + 227.4L) + 0.144L * CosDeg(4 * ve - ms + 79);
    const Real ma = 165.94905L + 16859.069667L * T;
    const Real mars = 2.043L * CosDeg(2 * ma + 89.76L) + 1.77L * CosDeg(2 * ma - ms + 306.27L) +
                      0.585L * CosDeg(4 * ma - 2 * ms + 185.82L) + 0.5L * CosDeg(4 * ma - ms + 317.7L) +
                      0.425L * CosDeg(3 * ma - ms + 317.7L) + 0.204L * CosDeg(5 * ma - 2 * ms + 185.5L);
    const Real ju = 221.64742L + 32964.466939L * T;
    const Real jupiter = 7.208L * CosDeg(ju + 91.09L) + 2.731L * CosDeg(2 * ju + 270.25L) +
                         2.6L * CosDeg(ju - ms + 174.77L) + 1.61L * CosDeg(2 * ju - ms + 292.6L) +
                         0.556L * CosDeg(3 * ju - ms + 177.31L);
    const Real sa = 193.1323L + 34777.259042L * T;
    const Real saturn = 0.419L * CosDeg(sa + 90.34L) + 0.32L * CosDeg(sa - ms + 259.22L);
    const Real moon = 6.454L * SinDeg(t.MoonElongation) + 0.424L * SinDeg(t.MoonElongation - t.MoonAnomaly);
    return Normalize360(lambda0 + (p1 + venus + mars + jupiter + saturn + moon) / 3600 + t.Nutation -
                        (20.47L + 0.342L * CosDeg(ms)) / 3600);
}

struct Position {
    Real longitude = 0, latitude = 0;
};

Position PlanetPosition(int body, const TimeArguments& t, const OrbitState& earth) {
    const Real T = t.T;
    const OrbitalElements& el = ElementsOf(body, T);
    OrbitState s = KeplerianMotion(el.meanAnomaly(T), el.eccentricity(T), el.semiMajorAxis(T), el.perihelion(T),
                                   el.inclination(T), el.node(T));
    if (body >= Body::Jupiter && body <= Body::Pluto && T >= 0 && T <= 2) {
        Vector3 c = FittedCorrection(body, T);
        s.position.x += c.x;
        s.position.y += c.y;
        s.position.z += c.z;
    }
    const Real x = s.position.x - earth.position.x, y = s.position.y - earth.position.y,
               z = s.position.z - earth.position.z;
    const Real vx = s.velocity.x - earth.velocity.x, vy = s.velocity.y - earth.velocity.y;
    const Real rate = (x * vy - y * vx) / (x * x + y * y) / DegToRad;  // degrees per day
    const Real lightTimeShift = std::sqrt(x * x + y * y + z * z) * 0.0057683L * rate;

    Position p;
    p.longitude = Normalize360(PolarAngle(x, y) / DegToRad + t.Nutation - lightTimeShift);
    // The polar angle lies in [0, 2π): angles in the lower half plane are southern latitudes.
    // (Splitting at a fixed northern limit, 0.35 rad or Pallas's 0.607621835 rad, would turn a
    // northern latitude above the limit into an angle near -360 degrees.)
    Real theta = PolarAngle(std::sqrt(x * x + y * y), z);
    if (theta > Pi) theta -= TwoPi;
    p.latitude = theta / DegToRad;
    return p;
}

bool IsSelected(int which, int body) {
    if (which == 0) return true;
    if (which == 20 || which == 21) return body <= Body::Pluto;
    if (body == Body::Sun) return true;  // its pass yields the Earth for every other body
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
    t.Nutation = (-(17.2327L + 0.01737L * T) * SinDeg(t.MeanNode) - 1.273L * SinDeg(2 * t.SunMeanLongitude)) / 3600;
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
            case Body::LatitudeZero:
                latitude = 0;
                break;
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
