#pragma once
// A seed as the user types it: a whole number from 0 to 4294967295, digits
// only. Shared by arbrel-cli's --seed and the window's Seed field.

#include <cstdint>
#include <string>

bool ParseSeedText(const std::string& text, std::uint32_t& seed);
