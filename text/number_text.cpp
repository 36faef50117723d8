#include "text/number_text.h"

bool ParseWholeNumber(const std::string& text, std::uint64_t limit, std::uint64_t& value) {
    if (text.empty() || text.size() > 19) return false;  // no overflow below 10^19
    std::uint64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (result > limit) return false;
    value = result;
    return true;
}

bool ParseSeedText(const std::string& text, std::uint32_t& seed) {
    std::uint64_t value = 0;
    if (!ParseWholeNumber(text, 0xFFFFFFFFull, value)) return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}
