#include "engine/astro_time.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>
#include <system_error>
#include <thread>

#include "engine/texts.hpp"

namespace florimant {

namespace {

Real Frac(Real x) { return x - std::trunc(x); }

// x reduced to [0, m) for a positive modulus m.
Real Modulo(Real x, Real m) {
    Real r = std::fmod(x, m);
    if (r < 0) r += m;
    return r >= m ? 0 : r;
}

struct CivilTime {
    long day, month, year, hour, minute;
};

CivilTime CivilTimeOf(Real x, bool gregorian) {
    const Real z = std::trunc(x);
    const Real f = Frac(x);
    Real a = z;
    if (gregorian) {
        const Real alpha = std::trunc((z - 1867216.25L) / 36524.25L);
        a = z + 1 + alpha - std::trunc(alpha / 4);
    }
    const Real b = a + 1524;
    const Real c = std::trunc((b - 122.1L) / 365.25L);
    const Real d = std::trunc(365.25L * c);
    const Real e = std::trunc((b - d) / 30.6001L);
    const Real dayWithFraction = b - d + f - std::trunc(30.6001L * e);
    const Real month = e < 13.5L ? e - 1 : e - 13;
    const Real year = month > 2.5L ? c - 4716 : c - 4715;
    const Real hours = Frac(dayWithFraction) * 24;
    CivilTime t;
    t.day = static_cast<long>(std::trunc(dayWithFraction));
    t.month = static_cast<long>(month);
    t.year = static_cast<long>(year);
    t.hour = static_cast<long>(std::trunc(hours));
    t.minute = static_cast<long>(std::trunc(Frac(hours) * 60 + 0.5L));
    return t;
}

// A clock time that rounds to the 60th minute is nudged forward until it shows the next minute
// properly; the nudge is small enough to never skip a displayed minute.
std::string FormatJulianDay(Real jd, bool byFlag, uint8_t calendarFlag) {
    if (!std::isfinite(jd)) return "Non Valida";
    Real x = jd + 0.5L;
    CivilTime t{};
    for (int guard = 0; guard < 1000; ++guard) {
        const bool gregorian = byFlag ? calendarFlag == 1 : std::trunc(x) >= GregorianReformDay;
        t = CivilTimeOf(x, gregorian);
        if (t.minute < 60) break;
        x += 0.00001L;
    }
    return ZeroPad(t.day, 2) + "/" + ZeroPad(t.month, 2) + "/" + ZeroPad(t.year, 4) + " " + ZeroPad(t.hour, 2) + ":" +
           ZeroPad(t.minute, 2);
}

// Days since 30 December 1899 (the file-date epoch) of a time point, in local time.
Real LocalDaysSince1899(std::time_t seconds, Real fractionOfSecond) {
    std::tm local{};
    localtime_r(&seconds, &local);
    const Real localSeconds = static_cast<Real>(seconds) + static_cast<Real>(local.tm_gmtoff) + fractionOfSecond;
    return localSeconds / 86400 + 25569;  // 25569 days from 1899-12-30 to 1970-01-01
}

}  // namespace

Real JulianDay(uint8_t calendarFlag, Real day, Real month, Real year, Real hour, Real minute) {
    const Real d = day + hour / 24 + minute / 1440;
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    Real b = 0;
    if (calendarFlag == 1) {
        const Real a = std::trunc(year / 100);
        b = 2 - a + std::trunc(a / 4);
    }
    Real c = std::trunc(365.25L * year);
    if (year < 0) c -= 1;
    const Real dd = std::trunc(30.6001L * (month + 1));
    return b + c + dd + d + 1720994.5L;
}

std::string JulianDayToText(Real jd) { return FormatJulianDay(jd, false, 0); }

std::string JulianDayToTextByCalendar(Real jd, uint8_t calendarFlag) { return FormatJulianDay(jd, true, calendarFlag); }

std::string FileDateText(const std::filesystem::path& path) {
    std::error_code ec;
    const auto fileTime = std::filesystem::last_write_time(path, ec);
    if (ec) return "Non Valida";
    const auto systemTime = std::chrono::file_clock::to_sys(fileTime);
    const auto sinceEpoch = systemTime.time_since_epoch();
    const auto whole = std::chrono::floor<std::chrono::seconds>(sinceEpoch);
    const Real fraction = std::chrono::duration<Real>(sinceEpoch - whole).count();
    const Real days = LocalDaysSince1899(static_cast<std::time_t>(whole.count()), fraction);
    return JulianDayToText(JulianDay(1, 30, 12, 1899, 0, 0) + days);
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ZeroPad(local.tm_mday, 2) + "/" + ZeroPad(local.tm_mon + 1, 2) + "/" + ZeroPad(local.tm_year + 1900, 4);
}

int Weekday(Real jd) {
    const int w = static_cast<int>(std::trunc(Frac((jd + 1.5L) / 7) * 7));
    return w < 0 ? w + 7 : w;  // only Julian Days before the epoch give a negative fraction
}

const std::string& WeekdayName(int weekday) {
    static const std::array<std::string, 7> names = {"Domenica", "Lunedì",  "Martedì", "Mercoledì",
                                                     "Giovedì",  "Venerdì", "Sabato"};
    static const std::string none;
    return weekday >= 0 && weekday < 7 ? names[weekday] : none;
}

Real JulianCenturies(Real jd) { return (jd - 2415020) / 36525; }

Real MeanObliquity(Real T) { return 23.4522944L - 0.0130125L * T; }

Real LocalSiderealTime(Real jd, Real ut, Real eastLongitude) {
    const Real T = JulianCenturies(jd);
    // S counts from noon because T is taken at the moment itself; U adds the matching 12 hours.
    Real s = 18.6460655L + 2400.05126L * T + 0.000025805555L * T * T;
    s = Modulo(s, 24);
    const Real u = Modulo(ut + 12, 24);
    return Modulo(s + u + eastLongitude / 15, 24);
}

void WaitSeconds(uint16_t seconds, uint16_t milliseconds) {
    using namespace std::chrono;
    const auto span =
        minutes(seconds / 60) + std::chrono::seconds(seconds % 60) + std::chrono::milliseconds(milliseconds);
    const auto end = steady_clock::now() + span;
    for (auto now = steady_clock::now(); now < end; now = steady_clock::now())
        std::this_thread::sleep_for(std::min<steady_clock::duration>(end - now, std::chrono::milliseconds(10)));
}

Real Normalize360(Real x) {
    // Most angles are already within the turn; for them the general reduction gives x itself
    // (an x just below 360 whose quotient rounds up to 1 comes back as x - 360 + 360 = x).
    if (x >= 0 && x < 360) return x;
    Real r = x - 360 * std::trunc(x / 360);
    if (r < 0) r += 360;
    return r >= 360 ? 0 : r;  // a tiny negative value would otherwise round up to 360 itself
}

Real Normalize30(Real x) {
    Real r = x - 30 * std::trunc(x / 30);
    if (r < 0) r += 30;
    return r >= 30 ? 0 : r;
}

// The sines and cosines of the program are reduced here to an argument within an eighth of a turn
// before the library is called: the library's own reduction of an extended-precision argument is
// exact but very slow, and the series of the ephemeris take tens of thousands of them per chart.
namespace {
// Sine (or cosine, when `cosine`) of q quarter turns plus r radians, |r| <= pi/4.
Real QuarterSin(long long q, Real r, bool cosine) {
    const Real x = r;
    switch ((q + (cosine ? 1 : 0)) & 3) {
    case 0: return std::sin(x);
    case 1: return std::cos(x);
    case 2: return -std::sin(x);
    default: return -std::cos(x);
    }
}

Real RadianSin(Real x, bool cosine) {
    if (!std::isfinite(x)) return std::numeric_limits<Real>::quiet_NaN();
    if (std::fabs(x) <= Pi / 4) return cosine ? std::cos(x) : std::sin(x);
    if (std::fabs(x) > 1e6L) return cosine ? std::cos(x) : std::sin(x);  // rare: let the library reduce
    // pi/2 in three parts: q * high and q * middle are exact for |q| below 2^17, and tail is what
    // the extended-precision pi/2 lacks of the true one.
    static const Real halfPi = Pi / 2;
    static const Real high = std::ldexp(std::trunc(std::ldexp(halfPi, 46)), -46);
    static const Real middle = halfPi - high;
    static constexpr Real tail = -2.508278806334166011778663540165e-20L;
    const long long quarters = std::llrint(x / halfPi);  // no floating-environment save, unlike nearbyint
    const Real q = static_cast<Real>(quarters);
    const Real r = ((x - q * high) - q * middle) - q * tail;
    return QuarterSin(quarters, r, cosine);
}
}  // namespace

// Whole turns come off exactly in degrees; the radian value is then the library's own argument, so
// quarter turns give the library's results (sin 180° is a tiny non-zero, as the house formulas expect).
static Real WholeTurnsOff(Real x) { return std::fabs(x) < 360 ? x : std::fmod(x, Real(360)); }
Real SinDeg(Real x) { return RadianSin(WholeTurnsOff(x) * Pi / 180, false); }
Real CosDeg(Real x) { return RadianSin(WholeTurnsOff(x) * Pi / 180, true); }
Real SinRad(Real x) { return RadianSin(x, false); }
Real CosRad(Real x) { return RadianSin(x, true); }
Real TanDeg(Real x) { return SinDeg(x) / CosDeg(x); }

// Arguments a rounding step outside [-1, 1] are taken as ±1 rather than turned into NaN.
Real ArcSinRad(Real x) {
    x = std::clamp<Real>(x, -1, 1);
    return std::atan(x / std::sqrt(1 - x * x));
}

Real ArcCosRad(Real x) {
    x = std::clamp<Real>(x, -1, 1);
    return std::atan(std::sqrt(1 - x * x) / x);
}

Real RadToDeg(Real x) { return x * 180 / Pi; }

}  // namespace florimant
