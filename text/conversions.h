#pragma once
// Text <-> number conversions shared by the loaders, the editors and the map
// reader. They behave like formatted stream extraction in the classic locale
// (leading white space skipped, the longest numeric prefix taken, the rest
// ignored, 0 when there is no number) but never build a stream.

#include <cstdint>
#include <string>
#include <string_view>

std::int32_t StringToInt(std::string_view text);
float StringToFloat(std::string_view text);

// printf "%g" with precision 6 in the classic locale, whatever the process
// locale: 1 -> "1", 0.1 -> "0.1", 1234567 -> "1.23457e+06", -0 -> "-0".
std::string FloatToString(float value);
// Writes the same text into buffer, which must hold at least kFloatTextMax
// characters; returns the number of characters written.
constexpr int kFloatTextMax = 32;
int FormatFloat(float value, char* buffer);
