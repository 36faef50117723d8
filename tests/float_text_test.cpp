#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "text/float_text.h"

namespace {

std::string Fast(float v) {
    char buffer[kFloatTextMax];
    return std::string(buffer, FormatFloatFast(v, buffer));
}

}  // namespace

// Every float near the powers of ten and the rounding ties, and a sweep of
// bit patterns over the whole range, agree with the general formatter.
TEST(FormatFloatFast, AgreesWithTheGeneralFormatter) {
    // Every mismatch is counted; the first few are shown.
    int mismatches = 0;
    auto check = [&](float v) {
        const std::string fast = Fast(v), general = FloatToString(v);
        if (fast != general && ++mismatches <= 10)
            ADD_FAILURE() << std::hexfloat << v << ": " << fast << ", not " << general;
    };
    for (int e = -6; e <= 7; ++e) {
        const float p = static_cast<float>(std::pow(10.0, e));
        float up = p, down = p;
        for (int i = 0; i < 2000; ++i) {
            check(up); check(-down);
            up = std::nextafter(up, std::numeric_limits<float>::infinity());
            down = std::nextafter(down, 0.0f);
        }
        // Near ties at six digits: x.xxxxx5 * 10^e.
        for (int k = 0; k < 200; ++k) {
            float t = static_cast<float>((100000.5 + k * 37) * std::pow(10.0, e - 5));
            for (int i = 0; i < 5; ++i) {
                check(t);
                t = std::nextafter(t, std::numeric_limits<float>::infinity());
            }
        }
    }
    check(std::numeric_limits<float>::infinity());
    EXPECT_EQ(Fast(std::numeric_limits<float>::quiet_NaN()), FloatToString(std::numeric_limits<float>::quiet_NaN()));
    for (std::uint64_t bits = 0; bits < 0x100000000ull; bits += 1237) {
        const std::uint32_t b = static_cast<std::uint32_t>(bits);
        float v;
        std::memcpy(&v, &b, sizeof v);
        if (!std::isnan(v)) check(v);
    }
    EXPECT_EQ(mismatches, 0);
}
