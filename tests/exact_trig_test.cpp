// Known values of placement's arc cosine, cosine and sine, with the same bits
// on every platform; several are arguments where Debian 12's C library
// rounds the other way (MPFR agrees with the values here).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "engine/exact_trig.h"

namespace {

std::uint64_t Bits(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

TEST(ExactTrigTest, KnownValues) {
    const struct {
        float x, acos;
    } acosCases[] = {
        {1.0f, 0.0f},                        // flat ground: no tilt
        {-1.0f, 0x1.921fb6p+1f},             // upside down: pi
        {0.0f, 0x1.921fb6p+0f},              // the float nearest pi/2
        {0x1p-30f, 0x1.921fb6p+0f},
        {0.5f, 0x1.0c1524p+0f},
        {-0.5f, 0x1.0c1524p+1f},
        {0x1.fffffep-1f, 0x1.6a09e6p-12f},   // the largest float below 1
        {0x1.000062p-1f, 0x1.0c14eap+0f},    // glibc 2.36: 0x1.0c14ecp+0
        {-0x1.00008cp-3f, 0x1.b23542p+0f},   // glibc 2.36: 0x1.b23544p+0
    };
    for (const auto& c : acosCases) EXPECT_EQ(Bits(ExactAcos(c.x)), Bits(c.acos)) << std::hexfloat << c.x;
    for (float x : {1.0000001f, -2.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()})
        EXPECT_TRUE(std::isnan(ExactAcos(x))) << x;

    const struct {
        double theta, cos, sin;
    } trigCases[] = {
        {0.0, 1.0, 0.0},
        {0x1.2fcc5ep-9, 0x1.ffffa5dea83a7p-1, 0x1.2fcc4c2c6e084p-9},   // glibc: cos ...a8p-1
        {0x1.44f86ep-6, 0x1.ffe637daecb8dp-1, 0x1.44f2f997ff2d6p-6},   // glibc: cos ...8cp-1
        {0x1.c83ab8p-7, 0x1.fff34bc87f38cp-1, 0x1.c836f20199033p-7},   // glibc: sin ...34p-7
        {0x1.905572p-6, 0x1.ffd8dfcd87e99p-1, 0x1.904b3f6309a0fp-6},   // glibc: sin ...a1p-6
        {0x1.921fb6p+0, -0x1.777a5cf72ceccp-25, 0x1.ffffffffffff7p-1},  // float(pi/2)
        {0x1.921fb6p+1, -0x1.fffffffffffdep-1, -0x1.777a5cf72cec6p-24},  // float(pi)
        {0x1.921fb6p+2, 0x1.fffffffffff76p-1, 0x1.777a5cf72ceadp-23},   // float(2 pi)
    };
    for (const auto& c : trigCases) {
        double cosine, sine;
        ExactCosSin(c.theta, cosine, sine);
        EXPECT_EQ(Bits(cosine), Bits(c.cos)) << std::hexfloat << c.theta;
        EXPECT_EQ(Bits(sine), Bits(c.sin)) << std::hexfloat << c.theta;
    }
}

}  // namespace
