// Placement's arc cosine, cosine and sine against MPFR: about a million
// sampled arguments and the hardest cases that the exhaustive check
// (tools/exact_trig_check) found, those whose exact value lies nearest a
// rounding midpoint.

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <vector>

#include "engine/exact_trig.h"

namespace {

double CosineOf(double x) {
    double cosine, sine;
    ExactCosSin(x, cosine, sine);
    return cosine;
}

double SineOf(double x) {
    double cosine, sine;
    ExactCosSin(x, cosine, sine);
    return sine;
}

// The correctly rounded value of f(x) in T's precision, as MPFR computes it
// (a float converts to and from double exactly).
template <typename T>
T Correct(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), T x) {
    mpfr_t in, out;
    mpfr_inits2(std::numeric_limits<T>::digits, in, out, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(in, x, MPFR_RNDN);
    f(out, in, MPFR_RNDN);
    const double result = mpfr_get_d(out, MPFR_RNDN);
    mpfr_clears(in, out, static_cast<mpfr_ptr>(nullptr));
    return static_cast<T>(result);
}

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
    // The 24 arguments of each function whose exact value lies nearest a
    // rounding midpoint (within 1e-10 to 5e-7 of the last place).
    const float acosCases[] = {
        0x1.04c444p-12f, 0x1.110b46p-26f, -0x1.80d99ap-7f, 0x1.145f36p-6f,
        -0x1.3abeeap-10f, 0x1.fa5036p-9f, -0x1.cd19a2p-3f, -0x1.cdbddap-11f,
        0x1.d4921ep-11f, -0x1.dbfe6ep-3f, -0x1.bbbd2ep-24f, 0x1.110b48p-26f,
        0x1.110b44p-26f, 0x1.83bfbp-8f, -0x1.00c66p-1f, -0x1.ad7a4ap-5f,
        0x1.6dd8eap-4f, 0x1.110b4ap-26f, -0x1.eb9ddcp-3f, 0x1.16e4aap-3f,
        0x1.110b42p-26f, 0x1.3c990cp-10f, 0x1.04e444p-12f, 0x1.04a444p-12f,
    };
    const double cosCases[] = {
        0x1.41d418p-1, 0x1.77a75cp-1, 0x1.f3873ap+1, 0x1.8004e8p+2,
        0x1.5b5cf6p+0, 0x1.6a759cp+1, 0x1.17d6d8p-1, 0x1.097804p+1,
        0x1.33ed8ap+0, 0x1.570d7cp+1, 0x1.7fe19ep+1, 0x1.2d0deep+1,
        0x1.21e59ep+2, 0x1.5abf44p-2, 0x1.b4cd68p+1, 0x1.d196acp-1,
        0x1.2ba664p+1, 0x1.00d12cp+2, 0x1.6e47a8p+0, 0x1.518526p+2,
        0x1.250e0ap+0, 0x1.939d6ap+1, 0x1.96e77p-1, 0x1.2fcc5ep-9,
    };
    const double sinCases[] = {
        0x1.fcb922p+1, 0x1.ee41cp+1, 0x1.6daa34p+2, 0x1.5939c4p-1,
        0x1.a100b6p+0, 0x1.b81a9cp+0, 0x1.f7d0bp+1, 0x1.a26132p-4,
        0x1.347ac2p+2, 0x1.4d3868p+0, 0x1.ef2ea2p+1, 0x1.851eap-1,
        0x1.f3ca8p+0, 0x1.9051f2p+0, 0x1.bccf78p+1, 0x1.0617eap+1,
        0x1.2ae408p+2, 0x1.72dcap+1, 0x1.76ea78p-1, 0x1.ec4658p+1,
        0x1.4a9b3ap+0, 0x1.4ce85ap+1, 0x1.dbf944p+0, 0x1.dbe398p+1,
    };
    Mismatches mismatches;
    for (float x : acosCases) mismatches.Check("acos", x, ExactAcos(x), Correct(mpfr_acos, x));
    for (double x : cosCases) mismatches.Check("cos", x, CosineOf(x), Correct(mpfr_cos, x));
    for (double x : sinCases) mismatches.Check("sin", x, SineOf(x), Correct(mpfr_sin, x));
    EXPECT_EQ(mismatches.count, 0) << mismatches.text.str();
}

TEST(ExactTrigMpfrTest, AMillionSampledArguments) {
    std::mt19937 random(20240607);
    Mismatches mismatches;
    for (int i = 0; i < 200000; ++i) {
        // Uniform over the floats of [-1, 1] (mostly tiny ones) and over the values.
        const std::uint32_t bits = random() % 0x3f800001u | (random() & 0x80000000u);
        float x;
        std::memcpy(&x, &bits, sizeof x);
        mismatches.Check("acos", x, ExactAcos(x), Correct(mpfr_acos, x));
        x = static_cast<float>(static_cast<double>(random()) / 2147483648.0 - 1.0);
        mismatches.Check("acos", x, ExactAcos(x), Correct(mpfr_acos, x));
    }
    for (int i = 0; i < 150000; ++i) {
        // Placement's angles, and any double of [-2 pi, 2 pi].
        double theta = PlacementTheta(random() % 36000001u);
        mismatches.Check("cos", theta, CosineOf(theta), Correct(mpfr_cos, theta));
        mismatches.Check("sin", theta, SineOf(theta), Correct(mpfr_sin, theta));
        const std::uint64_t high = random();
        theta = (static_cast<double>(high << 21 ^ random()) / 9007199254740992.0 * 2.0 - 1.0) * 6.283185307179586;
        mismatches.Check("cos", theta, CosineOf(theta), Correct(mpfr_cos, theta));
        mismatches.Check("sin", theta, SineOf(theta), Correct(mpfr_sin, theta));
    }
    EXPECT_EQ(mismatches.count, 0) << mismatches.text.str();
}

}  // namespace
