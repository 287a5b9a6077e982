// Degree trigonometry of our own: the C libraries' sin, cos and atan2 differ in their last bits
// from one platform to the next, and a recorded game must play the same everywhere. Only
// exactly rounded operations are used here, in a fixed order, so every IEEE-754 machine gets
// the same bits; the double working precision leaves the float results within one unit in the
// last place.
#include "media.h"

#include <cmath>

#ifdef __FAST_MATH__
#error "the game must be built without fast-math: its rounding is part of the rules"
#endif

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double RAD = PI / 180.0;
constexpr double DEG = 180.0 / PI;

// Taylor coefficients, highest power first: the sine's from -1/19! to -1/3!, the cosine's
// from 1/20! to -1/2!. The first terms left out are below 1e-20 for |x| <= pi/4.
constexpr double SIN_TERMS[] = {-1.0 / 121645100408832000.0, 1.0 / 355687428096000.0,
                                -1.0 / 1307674368000.0,      1.0 / 6227020800.0,
                                -1.0 / 39916800.0,           1.0 / 362880.0,
                                -1.0 / 5040.0,               1.0 / 120.0,
                                -1.0 / 6.0};
constexpr double COS_TERMS[] = {1.0 / 2432902008176640000.0, -1.0 / 6402373705728000.0,
                                1.0 / 20922789888000.0,      -1.0 / 87178291200.0,
                                1.0 / 479001600.0,           -1.0 / 3628800.0,
                                1.0 / 40320.0,               -1.0 / 720.0,
                                1.0 / 24.0,                  -0.5};

template <size_t N> double horner(const double (&c)[N], double z) {
    double p = 0;
    for (double k : c) p = p * z + k;
    return p;
}

double sin_small(double x) { return x + x * (x * x * horner(SIN_TERMS, x * x)); }
double cos_small(double x) { return 1.0 + x * x * horner(COS_TERMS, x * x); }

// sin of d degrees, d already in [0, 360): folded to a quarter turn exactly, in degrees.
double sin_turn(double d) {
    bool lower = d >= 180;
    if (lower) d -= 180;
    if (d > 90) d = 180 - d;
    // [0, 90]: the half nearer 0 by the sine's series, the rest by the cosine's.
    double v = d <= 45 ? sin_small(d * RAD) : cos_small((90 - d) * RAD);
    return lower && v != 0 ? -v : v; // a whole half turn is +0, as at 0
}

// [0, 360): fmod is exact, and so is adding 360 to what it leaves of a float.
double wrap(float d) {
    double r = std::fmod(double(d), 360.0);
    return r < 0 ? r + 360.0 : r;
}

// atan u for |u| <= tan(pi/8) (alternating series to u^47; the first term left out is
// below 1e-19).
double atan_small(double u) {
    double z = u * u;
    double p = 0;
    for (int k = 23; k >= 1; k--) p = p * z + ((k & 1) ? -1.0 : 1.0) / double(2 * k + 1);
    return u + u * (z * p);
}

// atan r for 0 <= r <= 1, in degrees.
double atan_unit_deg(double r) {
    constexpr double TAN_PI_8 = 0.41421356237309504880;
    if (r <= TAN_PI_8) return atan_small(r) * DEG;
    return 45.0 + atan_small((r - 1.0) / (r + 1.0)) * DEG;
}

} // namespace

float sin_deg(float d) {
    if (!std::isfinite(d)) return NAN;
    return float(sin_turn(wrap(d)));
}

float cos_deg(float d) {
    if (!std::isfinite(d)) return NAN;
    double r = wrap(d) + 90.0; // exact: r is a float's remainder below 360
    return float(sin_turn(r >= 360 ? r - 360 : r));
}

float atan2_deg(float y, float x) {
    if (std::isnan(y) || std::isnan(x)) return NAN;
    double ay = std::fabs(double(y)), ax = std::fabs(double(x));
    double a;
    if (ay == 0 && ax == 0) {
        a = 0; // the signs below give +-0 or +-180, as atan2 does
    } else if (std::isinf(ay) || std::isinf(ax)) {
        a = std::isinf(ay) ? (std::isinf(ax) ? 45.0 : 90.0) : 0.0;
    } else {
        a = ay <= ax ? atan_unit_deg(ay / ax) : 90.0 - atan_unit_deg(ax / ay);
    }
    if (std::signbit(x)) a = 180.0 - a;
    return float(std::signbit(y) ? -a : a);
}

int sgn(float v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }
