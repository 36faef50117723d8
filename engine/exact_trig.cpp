// The functions work in double and double-double arithmetic (a value held as
// the unevaluated sum hi + lo of two doubles, about 106 bits). Each first
// takes a fast path accurate to far more bits than its result has, and
// returns that result when the error bound of the fast path cannot reach a
// rounding boundary; the rare remaining arguments take a slower double-double
// path that is accurate to about 2^-100. tools/exact_trig_check.cpp compares
// the results with MPFR for every argument that placement can produce.
//
// Only +, -, *, / and sqrt on binary64 values are used, and the build forbids
// contraction into fused multiply-add, so the bits are the same on every
// IEEE-754 platform that evaluates double expressions in double (SSE2 on
// x86-64, not the x87 unit).

#include "engine/exact_trig.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

struct DoubleDouble {
    double hi, lo;
};

#include "engine/exact_trig_tables.inc"

// Fast-path error bounds, relative to the result (many times the error the
// fast paths reach, so that only arguments close to a rounding boundary take
// the slow path).
constexpr double kSinCosFastError = 0x1p-63;
// acos: the fast double result is within 2^-48 of the true value, 32 units
// in its last place at most; within 1024 of a float rounding midpoint it is
// too close to decide.
constexpr std::uint64_t kAcosUndecidedUlps = 1024;
constexpr double kLargestReduced = 0x1p10;

double Abs(double x) { return x < 0 ? -x : x; }

std::uint64_t Bits(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double FromBits(std::uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// s + e is exactly a + b, with s = a + b rounded.
DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// The same when |a| >= |b| (or a = 0).
DoubleDouble FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// p + e is exactly a * b (Dekker's product: a and b split into 26-bit halves
// whose products are exact).
DoubleDouble TwoProduct(double a, double b) {
    const double ca = 134217729.0 * a;  // 2^27 + 1
    const double aHigh = ca - (ca - a), aLow = a - aHigh;
    const double cb = 134217729.0 * b;
    const double bHigh = cb - (cb - b), bLow = b - bHigh;
    const double p = a * b;
    return {p, ((aHigh * bHigh - p) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

// Sums for terms that do not cancel each other (all sums here).
DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = TwoSum(a.hi, b.hi);
    return FastTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

DoubleDouble Add(DoubleDouble a, double b) {
    DoubleDouble s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

DoubleDouble Mul(DoubleDouble a, DoubleDouble b) {
    DoubleDouble p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

DoubleDouble Scale(DoubleDouble a, double powerOfTwo) { return {a.hi * powerOfTwo, a.lo * powerOfTwo}; }

// sqrt(z) for a double z >= 0, with one correction step.
DoubleDouble Sqrt(double z) {
    const double h = std::sqrt(z);
    if (h == 0) return {0, 0};
    const DoubleDouble square = TwoProduct(h, h);
    return FastTwoSum(h, ((z - square.hi) - square.lo) / (2 * h));
}

// ---- cosine and sine ----

// The fast path writes x = q pi/2 + a + d with a = j pi/256 from a table,
// 0 <= j < 128, and |d| <= pi/512 (a hair more), then
//   sin(a + d) = sin a + cos a d + sin a (cos d - 1) + cos a (sin d - d)
//   cos(a + d) = cos a - sin a d + cos a (cos d - 1) - sin a (sin d - d).
// The table holds sin a and cos a as a 26-bit head and the rest, so that
// head * d splits into two exact products; the first two terms are added
// exactly and everything else, below 2^-18 of the result, in double.
// Relative error below 2^-68.
struct FastStep {
    int j, quadrant;
    double dHigh, dLow, dTail;  // d = dHigh + dLow + dTail, dHigh with 26 bits
    double cosMinusOne, sinMinusD;
};

// For |x| <= 2^10: the products of N = round(x 256/pi) with the first two
// parts of pi/256 are exact, and so is x - N * part0 (the two are within a
// factor of two); the third part leaves an error of about 2^-120.
FastStep Reduce(double x) {
    constexpr double kShifter = 0x1.8p52;  // adding it rounds to an integer
    const double n = (x * k256OverPi + kShifter) - kShifter;
    const auto turns = static_cast<std::uint64_t>(static_cast<std::int64_t>(n));
    FastStep s;
    s.j = static_cast<int>(turns & 127);
    s.quadrant = static_cast<int>((turns >> 7) & 3);
    const DoubleDouble d = TwoSum(x - n * kPiOver256Parts[0], -(n * kPiOver256Parts[1]));
    const double c = 134217729.0 * d.hi;  // 2^27 + 1: splits off 26 bits
    s.dHigh = c - (c - d.hi);
    s.dLow = d.hi - s.dHigh;
    s.dTail = d.lo - n * kPiOver256Parts[2];
    const double d2 = d.hi * d.hi;
    s.cosMinusOne = d2 * (-0.5 + d2 * (0x1.5555555555555p-5 + d2 * -0x1.6c16c16c16c17p-10));
    s.sinMinusD = d.hi * d2 * (-0x1.5555555555555p-3 + d2 * (0x1.1111111111111p-7 + d2 * -0x1.a01a01a01a01ap-13));
    return s;
}

// lead + slope d + lead (cos d - 1) + slope (sin d - d), lead and slope
// given as head and rest: sin(a + d) with lead = sin a, slope = cos a;
// cos(a + d) with lead = cos a, slope = -sin a. Sets decided when every
// value within the error bound rounds to the same double (rounding is
// monotonic, so the two ends of the interval tell).
double Evaluate(const FastStep& s, double leadHead, double leadRest, double slopeHead, double slopeRest,
                bool& decided) {
    // The small terms first, the error of the exact sum last: it comes last.
    const double d = s.dHigh + s.dLow;
    const double small = (leadRest + slopeHead * s.dLow + (slopeRest * d + slopeHead * s.dTail)) +
                         (slopeHead + slopeRest) * s.sinMinusD + (leadHead + leadRest) * s.cosMinusOne;
    const DoubleDouble sum = TwoSum(leadHead, slopeHead * s.dHigh);
    const double rest = small + sum.lo;
    const double reach = kSinCosFastError * Abs(sum.hi);
    const double low = sum.hi + (rest - reach);
    decided = low == sum.hi + (rest + reach);
    return low;
}

// The slow path: r = x - k pi/2 as a double-double, |r| <= pi/4 (a hair
// more), and k mod 4. For |x| <= 2^20 the products of k with the first three
// parts of pi/2 are exact, and x - k * part0 is exact; the fourth part
// leaves an error of about 2^-150, small even beside the r of an x very
// close to a multiple of pi/2.
DoubleDouble ReduceByHalfPi(double x, int& quadrant) {
    constexpr double kShifter = 0x1.8p52;
    const double k = (x * kTwoOverPi + kShifter) - kShifter;
    quadrant = static_cast<int>(static_cast<std::uint64_t>(static_cast<std::int64_t>(k)) & 3);
    const DoubleDouble r = TwoSum(x - k * kHalfPiParts[0], -(k * kHalfPiParts[1]));
    return Add(Add(r, -(k * kHalfPiParts[2])), -(k * kHalfPiParts[3]));
}

// The whole Taylor series in double-double, to r^31 and r^30 (truncation
// below 2^-117).
DoubleDouble SinSeries(DoubleDouble r) {
    const DoubleDouble t = Mul(r, r);
    DoubleDouble u = kSinTaylor[0];
    for (int i = 1; i < 15; ++i) u = Add(kSinTaylor[i], Mul(t, u));
    return Add(r, Mul(r, Mul(t, u)));
}

DoubleDouble CosSeries(DoubleDouble r) {
    const DoubleDouble t = Mul(r, r);
    DoubleDouble u = kCosTaylor[0];
    for (int i = 1; i < 15; ++i) u = Add(kCosTaylor[i], Mul(t, u));
    return Add(Mul(t, u), 1.0);
}

// sin(x + quarterTurns pi/2), accurate to about 2^-100.
double SlowSin(double x, int quarterTurns) {
    int quadrant;
    const DoubleDouble r = ReduceByHalfPi(x, quadrant);
    quadrant = (quadrant + quarterTurns) & 3;
    const DoubleDouble y = (quadrant & 1) != 0 ? CosSeries(r) : SinSeries(r);
    return (quadrant & 2) != 0 ? -y.hi : y.hi;
}

// ---- arc cosine ----

// asin s for |s| <= 1/2 in double, relative error below 2^-49: s + s t p(t),
// t = s^2, with the fitted p evaluated in pairs (Estrin's scheme: a shorter
// chain of dependent operations than Horner's).
double AsinFast(double s) {
    const double* const c = kAsinFit;  // highest degree first
    const double t = s * s, t2 = t * t, t4 = t2 * t2;
    const double low = (c[11] + c[10] * t) + t2 * (c[9] + c[8] * t) + t4 * ((c[7] + c[6] * t) + t2 * (c[5] + c[4] * t));
    const double high = (c[3] + c[2] * t) + t2 * (c[1] + c[0] * t);
    return s + s * t * (low + (t4 * t4) * high);
}

// asin s for |s| <= 1/2 in double-double: the Taylor series to s^91
// (truncation below 2^-100).
DoubleDouble AsinSlow(DoubleDouble s) {
    const DoubleDouble t = Mul(s, s);
    DoubleDouble u = kAsinTaylor[0];
    for (std::size_t i = 1; i < sizeof kAsinTaylor / sizeof kAsinTaylor[0]; ++i) u = Add(kAsinTaylor[i], Mul(t, u));
    return Add(s, Mul(s, Mul(t, u)));
}

// acos x = pi/2 - asin x for |x| <= 1/2, 2 asin s for x > 1/2 and
// pi - 2 asin s for x < -1/2, with s = sqrt((1 - |x|) / 2) <= 1/2 (1 - |x|
// is exact for a float x).
double AcosFast(double x) {
    if (Abs(x) <= 0.5) return kHalfPi.hi - AsinFast(x);
    const double s = AsinFast(std::sqrt((1.0 - Abs(x)) * 0.5));
    return x > 0 ? 2.0 * s : kPi.hi - 2.0 * s;
}

DoubleDouble AcosSlow(double x) {
    if (Abs(x) <= 0.5) return Add(kHalfPi, Scale(AsinSlow({x, 0.0}), -1.0));
    const DoubleDouble twiceAsin = Scale(AsinSlow(Sqrt((1.0 - Abs(x)) * 0.5)), 2.0);
    return x > 0 ? twiceAsin : Add(kPi, Scale(twiceAsin, -1.0));
}

// A float holds the 24 leading bits of a double's 53; the 29 bits dropped
// decide the rounding, and 2^28 there is the midpoint between two floats.
constexpr std::uint64_t kDroppedBits = (std::uint64_t{1} << 29) - 1;
constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28;

bool NearFloatMidpoint(double a) {
    const std::uint64_t dropped = Bits(a) & kDroppedBits;
    const std::uint64_t distance = dropped > kMidpoint ? dropped - kMidpoint : kMidpoint - dropped;
    return distance <= kAcosUndecidedUlps;
}

// The float nearest a.hi + a.lo (a >= 0): a.hi's nearest float, unless a.hi
// is itself a midpoint, where the sign of a.lo picks the side.
float RoundToFloat(DoubleDouble a) {
    const std::uint64_t bits = Bits(a.hi);
    if ((bits & kDroppedBits) == kMidpoint && a.lo != 0) return static_cast<float>(FromBits(a.lo > 0 ? bits + 1 : bits - 1));
    return static_cast<float>(a.hi);
}

}  // namespace

float ExactAcos(float x) {
    if (x != x) return x;
    if (!(x >= -1.0f && x <= 1.0f)) return std::numeric_limits<float>::quiet_NaN();
    const double fast = AcosFast(x);
    if (!NearFloatMidpoint(fast)) return static_cast<float>(fast);
    return RoundToFloat(AcosSlow(x));
}

void ExactCosSin(double x, double& cosine, double& sine) {
    if (!(Abs(x) <= kLargestReduced)) {
        cosine = sine = x != x ? x : std::numeric_limits<double>::quiet_NaN();
        return;
    }
    // Below 2^-27, x^3/6 is less than half the gap below x, and x^2/2 less
    // than half the gap below 1.
    if (Abs(x) < 0x1p-27) {
        cosine = 1.0;
        sine = x;
        return;
    }
    const FastStep step = Reduce(x);
    // Within 2^-30 of a multiple of pi/2 the fast reduction's error (about
    // 2^-120) is too large beside d: the slow path reduces more precisely.
    // Placement's angles never come that close.
    if (step.j == 0 && Abs(step.dHigh + step.dLow) < 0x1p-30) {
        sine = SlowSin(x, 0);
        cosine = SlowSin(x, 1);
        return;
    }
    const double* const t = kSinCosOfPiOver256[step.j];
    bool sinDecided, cosDecided;
    const double sinR = Evaluate(step, t[0], t[1], t[2], t[3], sinDecided);
    const double cosR = Evaluate(step, t[2], t[3], -t[0], -t[1], cosDecided);
    // x = q pi/2 + r: sin x is sin r, cos r, -sin r, -cos r for q mod 4 =
    // 0 to 3, and cos x the same a quarter turn ahead. A table, not
    // branches, which placement's random angles would mispredict.
    const double turns[4] = {sinR, cosR, -sinR, -cosR};
    sine = turns[step.quadrant];
    cosine = turns[(step.quadrant + 1) & 3];
    if (!(sinDecided && cosDecided)) {
        sine = SlowSin(x, 0);
        cosine = SlowSin(x, 1);
    }
}
