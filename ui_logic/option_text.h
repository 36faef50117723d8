#pragma once
// How the class tabs list one option: its class file line without the line
// end (fields joined by commas, numbers as FloatToString writes them, flags
// as 0 or 1). A very long line is shown cut, ending in "...": the list stays
// quick to fill and draw, and the option itself is untouched.

#include <cstddef>
#include <string>

#include "config/foliage_records.h"

constexpr std::size_t kMaxListedTextSize = 300;

std::string TextureOptionText(const TextureOption& option);
std::string ModelOptionText(const ModelOption& option);
