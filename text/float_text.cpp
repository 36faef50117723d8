#include "text/float_text.h"

#include <cmath>
#include <cstdint>

namespace {

// 10^0 .. 10^9, all exact in double.
constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// 10^-3 .. 10^5: where the decimal exponent goes up by one. The first three
// are not exact; a value right at one is caught by the digit checks.
constexpr double kSteps[] = {1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5};

}  // namespace

int FormatFloatFast(float value, char* buffer) {
    const double v = std::fabs(static_cast<double>(value));
    // Fixed notation covers decimal exponents -4 .. 5; outside it, and for
    // zero, NaN and infinities, the general formatter decides.
    if (!(v >= 1e-4 && v < 999999.0)) {
        if (v == 0.0) {
            char* out = buffer;
            if (std::signbit(value)) *out++ = '-';
            *out++ = '0';
            return static_cast<int>(out - buffer);
        }
        return FormatFloat(value, buffer);
    }

    // The decimal exponent, possibly off by one at a power of ten; the
    // checks below catch that.
    int exponent = -4;
    while (exponent < 5 && v >= kSteps[exponent + 4]) ++exponent;
    // v * 10^(5 - exponent) carries one rounding of at most 2^-53 relative,
    // far below the 0.5 the rounding to an integer decides on.
    const double scaled = v * kPowers[5 - exponent];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-6) return FormatFloat(value, buffer);  // a (near) tie
    std::uint32_t digits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);
    if (digits >= 1000000u) {
        if (digits != 1000000u) return FormatFloat(value, buffer);
        digits = 100000u;
        ++exponent;
    } else if (digits < 100000u) {
        return FormatFloat(value, buffer);  // the exponent was one too high
    }
    if (exponent >= 6) return FormatFloat(value, buffer);

    char text[6];
    for (int i = 5; i >= 0; --i) {
        text[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int last = 5;  // trailing zeros of the fraction are dropped
    while (last > exponent && last > 0 && text[last] == '0') --last;

    char* out = buffer;
    if (std::signbit(value)) *out++ = '-';
    if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i) *out++ = text[i];
        if (last > exponent) {
            *out++ = '.';
            for (int i = exponent + 1; i <= last; ++i) *out++ = text[i];
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = exponent; i < -1; ++i) *out++ = '0';
        for (int i = 0; i <= last; ++i) *out++ = text[i];
    }
    return static_cast<int>(out - buffer);
}
