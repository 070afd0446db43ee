#pragma once
#include <cmath>

// Trigonometry of the ephemeris series, in double. The time arguments are formed and reduced to a
// turn in extended precision; the periodic terms summed from them are at most a few degrees of
// quantities known to a fraction of an arcsecond, so double's 1e-16 relative error (below 1e-9
// arcsecond on a longitude) changes nothing a reader or a correction file can see, while a double
// sine costs a fraction of an extended one.
namespace florimant::fast {

inline constexpr double DegToRad = 0.017453292519943295769;
inline constexpr double Pi = 3.141592653589793238;

inline double SinDeg(double degrees) { return std::sin(degrees * DegToRad); }
inline double CosDeg(double degrees) { return std::cos(degrees * DegToRad); }

// A point of the unit circle, cos θ + i sin θ: products add angles, so the sines of the integer
// combinations of a few arguments follow from a handful of library calls.
struct Cis {
    double c = 1, s = 0;
};
inline Cis operator*(Cis a, Cis b) { return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s}; }
inline Cis CisRad(double radians) { return {std::cos(radians), std::sin(radians)}; }

// cis(k θ) for k = -K..K by repeated products (the error grows by about one rounding per step).
template <int K>
class Multiples {
public:
    explicit Multiples(double radians) {
        const Cis one = CisRad(radians);
        v_[K] = Cis{};
        for (int k = 1; k <= K; ++k) {
            v_[K + k] = v_[K + k - 1] * one;
            v_[K - k] = {v_[K + k].c, -v_[K + k].s};
        }
    }
    Cis operator[](int k) const { return v_[K + k]; }

private:
    Cis v_[2 * K + 1];
};

// Angle of the point (x, y) in [0, 2π).
inline double FullAngle(double x, double y) {
    double angle = std::atan2(y, x);
    if (angle < 0) angle += 2 * Pi;
    return angle;
}

}  // namespace florimant::fast
