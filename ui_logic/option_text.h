#pragma once
// How the class tabs list one option: its fields joined by commas, numbers
// as FloatToString writes them, flags as 0 or 1 (the option's file line
// without its line end).

#include <string>

#include "config/foliage_records.h"

std::string TextureOptionText(const TextureOption& option);
std::string ModelOptionText(const ModelOption& option);
