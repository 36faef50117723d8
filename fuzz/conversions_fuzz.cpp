// Checks the number conversions against slow references: strtol/strtod on
// the same numeric prefix the fast code takes, and a round trip of the
// "%g" writer through snprintf.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "text/conversions.h"

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The prefix that stream extraction of an integer would take.
std::string IntegerPrefix(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) ++i;
    std::size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i == digits ? std::string() : std::string(s.substr(start, i - start));
}

std::int32_t ReferenceInt(std::string_view s) {
    std::string prefix = IntegerPrefix(s);
    if (prefix.empty()) return 0;
    long long v = std::strtoll(prefix.c_str(), nullptr, 10);  // saturates at LLONG limits
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

// The longest prefix of the form [sign] digits [. digits] [e [sign] digits].
std::string FloatPrefix(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) ++i;
    std::size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantissa = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++mantissa;
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1, frac = 0;
        while (j < s.size() && IsDigit(s[j])) ++j, ++frac;
        if (mantissa + frac > 0) i = j, mantissa += frac;
    }
    if (mantissa == 0) return std::string();
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            i = j;
        }
    }
    return std::string(s.substr(start, i - start));
}

float ReferenceFloat(std::string_view s) {
    std::string prefix = FloatPrefix(s);
    if (prefix.empty()) return 0.0f;
    float v = std::strtof(prefix.c_str(), nullptr);
    if (std::isinf(v)) v = v > 0 ? FLT_MAX : -FLT_MAX;
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    if (StringToInt(text) != ReferenceInt(text)) std::abort();

    const float fast = StringToFloat(text);
    const float slow = ReferenceFloat(text);
    if (std::memcmp(&fast, &slow, sizeof fast) != 0) std::abort();

    // Any float, written by both writers, must give the same text.
    if (size >= sizeof(float)) {
        float value;
        std::memcpy(&value, data, sizeof value);
        char reference[64];
        std::snprintf(reference, sizeof reference, "%g", static_cast<double>(value));
        if (FloatToString(value) != reference) std::abort();
    }
    return 0;
}
