#include "engine/texts.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/number_text.hpp"
#include "engine/astro_time.hpp"

namespace florimant {

namespace {

struct SignNames {
    std::string full, upper, four, three;
};

const std::array<SignNames, 12>& SignTable() {
    static const std::array<SignNames, 12> table = {{
        {"Ariete", "ARIETE    ", "Arie", "Ari"},
        {"Toro", "TORO      ", "Toro", "Tor"},
        {"Gemelli", "GEMELLI   ", "Geme", "Gem"},
        {"Cancro", "CANCRO    ", "Canc", "Can"},
        {"Leone", "LEONE     ", "Leon", "Leo"},
        {"Vergine", "VERGINE   ", "Verg", "Ver"},
        {"Bilancia", "BILANCIA  ", "Bila", "Bil"},
        {"Scorpione", "SCORPIONE ", "Scor", "Sco"},
        {"Sagittario", "SAGITTARIO", "Sagi", "Sag"},
        {"Capricorno", "CAPRICORNO", "Capr", "Cap"},
        {"Acquario", "ACQUARIO  ", "Acqu", "Acq"},
        {"Pesci", "PESCI     ", "Pesc", "Pes"},
    }};
    return table;
}

// A sign byte read from a damaged record must not index past the table.
const SignNames* SignEntry(int sign) { return sign >= 0 && sign < 12 ? &SignTable()[sign] : nullptr; }

const std::string& Pick(int sign, std::string SignNames::*field) {
    static const std::string none;
    const SignNames* entry = SignEntry(sign);
    return entry ? entry->*field : none;
}

// The parts of a longitude that the angle texts show.
struct SignAngle {
    int sign;  // 0..11
    long degrees, minutes;
    Real seconds;
};

SignAngle SplitLongitude(Real longitude) {
    const Real lambda = Normalize360(longitude);
    SignAngle a;
    a.sign = std::min(11, static_cast<int>(lambda / 30));
    const Real p = Normalize30(lambda);
    a.degrees = static_cast<long>(std::trunc(p));
    a.minutes = static_cast<long>(std::trunc((p - std::trunc(p)) * 60));
    a.seconds = (lambda - a.degrees - 30 * a.sign - a.minutes / Real(60)) * 3600;
    return a;
}

// Degrees and minutes rounded to the nearest minute, but never carried past 29°59' into the next
// sign, so the text always names the sign the longitude is in.
void RoundToMinute(SignAngle& a) {
    if (a.seconds > 30) {
        if (a.minutes != 59) a.minutes += 1;
        if (a.minutes == 59 && a.degrees < 29) {
            a.minutes = 0;
            a.degrees += 1;
        }
    }
}

long RoundedSeconds(const SignAngle& a) { return std::lround(a.seconds); }

}  // namespace

const std::string& SignName(int sign) { return Pick(sign, &SignNames::full); }
const std::string& SignUpperName(int sign) { return Pick(sign, &SignNames::upper); }
const std::string& SignName4(int sign) { return Pick(sign, &SignNames::four); }
const std::string& SignName3(int sign) { return Pick(sign, &SignNames::three); }

int SignOf(Real longitude) { return std::min(11, static_cast<int>(Normalize360(longitude) / 30)); }

std::string ZeroPad(long value, int width) {
    std::string s = std::to_string(value).substr(0, 5);
    if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), '0');
    return s;
}

std::string FormatDecimal(int width, Real x) {
    if (!std::isfinite(x)) throw std::domain_error("FormatDecimal: valore non finito");
    ScientificForm form = ScientificFormOf(x);
    const int exponent = form.Exponent;
    std::string& mantissa = form.Mantissa;  // digit, point, 14 digits
    std::string plain;
    if (exponent == 0) {
        plain = mantissa;
    } else {
        mantissa.erase(1, 1);  // 15 digits without the point
        if (exponent < 0) {
            plain = std::string(-exponent, '0') + mantissa;
            plain.insert(1, ".");
        } else {
            // Beyond 15 digits the expansion continues with zeros up to the units.
            if (static_cast<int>(mantissa.size()) < exponent + 1) mantissa.append(exponent + 1 - mantissa.size(), '0');
            plain = mantissa;
            plain.insert(exponent + 1, ".");
        }
    }
    return plain.substr(0, std::max(0, width));
}

std::string SignDegreeText(int mode, Real longitude) {
    SignAngle a = SplitLongitude(longitude);
    const std::string& abbreviation = SignName3(a.sign);
    if (mode == 2)
        return ZeroPad(a.degrees, 2) + abbreviation + ZeroPad(a.minutes, 2) + ":" + ZeroPad(RoundedSeconds(a), 2);
    RoundToMinute(a);
    return ZeroPad(a.degrees, 2) + abbreviation + ZeroPad(a.minutes, 2);
}

std::string InSignText(int mode, Real longitude) {
    SignAngle a = SplitLongitude(longitude);
    if (mode == 2)
        return ZeroPad(a.degrees, 2) + "°" + ZeroPad(a.minutes, 2) + "'" + ZeroPad(RoundedSeconds(a), 2) + "\"";
    RoundToMinute(a);
    return ZeroPad(a.degrees, 2) + "°" + ZeroPad(a.minutes, 2) + "'";
}

std::string SignPositionText(std::string_view flag, Real longitude) {
    SignAngle a = SplitLongitude(longitude);
    RoundToMinute(a);
    std::string text = ZeroPad(a.degrees, 2) + "°" + ZeroPad(a.minutes, 2) + "' " + SignName(a.sign);
    if (flag == "r" || flag == "R") text += " Retrogrado ";
    else text += flag;
    return text;
}

std::string LatitudeText(Real latitude) {
    const Real v = std::fabs(latitude);
    const long degrees = static_cast<long>(std::trunc(v));
    const long minutes = static_cast<long>(std::trunc((v - std::trunc(v)) * 60));
    return ZeroPad(degrees, 2) + "° " + ZeroPad(minutes, 2) + "' " + (latitude >= 0 ? "Nord" : "Sud");
}

std::string RepeatChar(int count, char ch) { return std::string(std::max(0, count), ch); }

}  // namespace florimant
