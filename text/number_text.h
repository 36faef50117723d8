#pragma once
// Whole numbers as the user types them on the command line or in the window:
// digits only, no sign, no spaces.

#include <cstdint>
#include <string>

// False when the text is not such a number or exceeds limit.
bool ParseWholeNumber(const std::string& text, std::uint64_t limit, std::uint64_t& value);
// A seed: a whole number from 0 to 4294967295 (arbrel-cli --seed and the
// window's Seed field).
bool ParseSeedText(const std::string& text, std::uint32_t& seed);
