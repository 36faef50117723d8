// Placement's arc cosine, cosine and sine against MPFR: about a million
// sampled arguments and the hardest cases that the exhaustive check
// (bench/exact_trig_check) found, those whose exact value lies nearest a
// rounding midpoint.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <vector>

#include "engine/exact_trig.h"

namespace {

// The correctly rounded values, as MPFR computes them.
class Reference {
public:
    Reference() {
        mpfr_init2(floatIn_, 24);
        mpfr_init2(floatOut_, 24);
        mpfr_init2(doubleIn_, 53);
        mpfr_init2(doubleOut_, 53);
    }
    ~Reference() { mpfr_clears(floatIn_, floatOut_, doubleIn_, doubleOut_, static_cast<mpfr_ptr>(nullptr)); }

    float Acos(float x) {
        mpfr_set_flt(floatIn_, x, MPFR_RNDN);
        mpfr_acos(floatOut_, floatIn_, MPFR_RNDN);
        return mpfr_get_flt(floatOut_, MPFR_RNDN);
    }
    double Cos(double x) { return Apply(mpfr_cos, x); }
    double Sin(double x) { return Apply(mpfr_sin, x); }

private:
    double Apply(int (*function)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), double x) {
        mpfr_set_d(doubleIn_, x, MPFR_RNDN);
        function(doubleOut_, doubleIn_, MPFR_RNDN);
        return mpfr_get_d(doubleOut_, MPFR_RNDN);
    }

    mpfr_t floatIn_, floatOut_, doubleIn_, doubleOut_;
};

template <typename T>
bool SameBits(T a, T b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Collects the arguments whose result differs from MPFR's (the first few).
struct Mismatches {
    template <typename T>
    void Check(const char* name, T argument, T got, T expected) {
        if (SameBits(got, expected)) return;
        if (++count <= 10)
            text << name << "(" << std::hexfloat << argument << ") = " << got << ", MPFR " << expected << "\n";
    }
    int count = 0;
    std::ostringstream text;
};

// theta as placement computes it from a yaw of k / 100000 degrees.
double PlacementTheta(std::uint32_t k) {
    const float yawDegrees = static_cast<float>(static_cast<double>(k) / 100000.0);
    return static_cast<float>(static_cast<double>(yawDegrees) * 3.141592653589793 / 180.0);
}

TEST(ExactTrigMpfrTest, HardestCasesOfTheExhaustiveCheck) {
    const float acosCases[] = {0.0f};
    const double cosCases[] = {0.0};
    const double sinCases[] = {0.0};
    Reference mpfr;
    Mismatches mismatches;
    for (float x : acosCases) mismatches.Check("acos", x, ExactAcos(x), mpfr.Acos(x));
    for (double x : cosCases) mismatches.Check("cos", x, ExactCos(x), mpfr.Cos(x));
    for (double x : sinCases) mismatches.Check("sin", x, ExactSin(x), mpfr.Sin(x));
    EXPECT_EQ(mismatches.count, 0) << mismatches.text.str();
}

TEST(ExactTrigMpfrTest, AMillionSampledArguments) {
    std::mt19937 random(20240607);
    Reference mpfr;
    Mismatches mismatches;
    for (int i = 0; i < 200000; ++i) {
        // Uniform over the floats of [-1, 1] (mostly tiny ones) and over the values.
        const std::uint32_t bits = random() % 0x3f800001u | (random() & 0x80000000u);
        float x;
        std::memcpy(&x, &bits, sizeof x);
        mismatches.Check("acos", x, ExactAcos(x), mpfr.Acos(x));
        x = static_cast<float>(static_cast<double>(random()) / 2147483648.0 - 1.0);
        mismatches.Check("acos", x, ExactAcos(x), mpfr.Acos(x));
    }
    for (int i = 0; i < 150000; ++i) {
        // Placement's angles, and any double of [-2 pi, 2 pi].
        double theta = PlacementTheta(random() % 36000001u);
        mismatches.Check("cos", theta, ExactCos(theta), mpfr.Cos(theta));
        mismatches.Check("sin", theta, ExactSin(theta), mpfr.Sin(theta));
        const std::uint64_t high = random();
        theta = (static_cast<double>(high << 21 ^ random()) / 9007199254740992.0 * 2.0 - 1.0) * 6.283185307179586;
        mismatches.Check("cos", theta, ExactCos(theta), mpfr.Cos(theta));
        mismatches.Check("sin", theta, ExactSin(theta), mpfr.Sin(theta));
    }
    EXPECT_EQ(mismatches.count, 0) << mismatches.text.str();
}

}  // namespace
