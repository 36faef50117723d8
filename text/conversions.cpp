#include "text/conversions.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

bool IsStreamSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips leading white space; returns the index of the first other character.
std::size_t SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsStreamSpace(text[i])) ++i;
    return i;
}

// A number that does not fit a float: too large saturates as stream
// extraction does, too small becomes the nearest subnormal (through double,
// whose range covers every float subnormal) or zero. Never the C library's
// strtof, whose reading depends on the process locale.
float OutOfFloatRange(const char* first, const char* last, std::size_t intDigits,
                      std::size_t exponentAt) {
    // Rough decimal magnitude: the value is far from 1 either way.
    std::int64_t magnitude = 0;
    std::size_t k = 0;
    while (k < intDigits && first[k] == '0') ++k;
    if (k < intDigits) {
        magnitude = static_cast<std::int64_t>(intDigits - k);
    } else {
        for (k = intDigits + 1; first + k < last && first[k] == '0'; ++k) --magnitude;
    }
    if (exponentAt > 0) {
        const std::int32_t exponent = StringToInt(std::string_view(first + exponentAt + 1,
                                                                   last - first - exponentAt - 1));
        magnitude += exponent;
    }
    if (magnitude > 0) return FLT_MAX;
    double tiny = 0.0;
    const auto result = std::from_chars(first, last, tiny, std::chars_format::general);
    return result.ec == std::errc() ? static_cast<float>(tiny) : 0.0f;
}

}  // namespace

std::int32_t StringToInt(std::string_view text) {
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so INT32_MIN needs no special case;
    // saturate instead of overflowing.
    constexpr std::int64_t kLimit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t value = 0;
    bool anyDigit = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (value < kLimit) value = value * 10 + (text[i] - '0');
    }
    if (!anyDigit) return 0;
    if (negative) return value >= kLimit ? std::numeric_limits<std::int32_t>::min()
                                         : static_cast<std::int32_t>(-value);
    return value >= kLimit ? std::numeric_limits<std::int32_t>::max()
                           : static_cast<std::int32_t>(value);
}

float StringToFloat(std::string_view text) {
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t intDigits = 0, fracDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++intDigits;
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && IsDigit(text[j])) ++j, ++fracDigits;
        if (intDigits > 0 || fracDigits > 0) i = j;
    }
    if (intDigits == 0 && fracDigits == 0) return 0.0f;
    // An exponent counts only when at least one digit follows it.
    std::size_t exponentAt = 0;  // from the mantissa's start; 0 for none
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            exponentAt = i - mantissaStart;
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    float value = 0.0f;
    const char* first = text.data() + mantissaStart;
    const char* last = text.data() + i;
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = OutOfFloatRange(first, last, intDigits, exponentAt);
    } else if (result.ec != std::errc()) {
        return 0.0f;
    }
    return negative ? -value : value;
}

int FormatFloat(float value, char* buffer) {
    auto result = std::to_chars(buffer, buffer + kFloatTextMax, static_cast<double>(value),
                                std::chars_format::general, 6);
    return static_cast<int>(result.ptr - buffer);
}

std::string FloatToString(float value) {
    char buffer[kFloatTextMax];
    return std::string(buffer, FormatFloat(value, buffer));
}
