#include "preview/map_colours.h"

#include <cctype>
#include <cstring>

namespace {

struct GroundWord {
    const char* word;
    std::uint32_t colour;
};

// Looked for in the texture name; the word that starts first wins, so
// "dirt_grass_blend" is dirt.
const GroundWord kGroundWords[] = {
    {"grass", 0x4E8B2E}, {"dirt", 0x8B6A42},  {"mud", 0x5A4430},     {"sand", 0xD4BE86},
    {"rock", 0x7D7A74},  {"cliff", 0x66605A}, {"snow", 0xECF0F4},    {"water", 0x3A6FA8},
    {"asphalt", 0x38383B}, {"concrete", 0xA9A9A2},
};

const std::uint32_t kModelTones[] = {0xFF3B30, 0xFFE01A, 0x2FF3FF, 0xFF40FF, 0xFFFFFF,
                                     0xFF9500, 0x7CFF4A, 0x5AA9FF, 0xFF9ED8, 0xC8B4FF};

// FNV-1a: a stable number for a name.
std::uint32_t NameHash(const std::string& name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

int Channel(double value) {
    if (!(value > 0.0)) return 0;
    return value >= 255.0 ? 255 : static_cast<int>(value + 0.5);
}

// HSV to 0xRRGGBB; hue in [0, 6), saturation and value in [0, 1].
std::uint32_t FromHsv(double hue, double saturation, double value) {
    const int sector = static_cast<int>(hue) % 6;
    const double f = hue - static_cast<int>(hue);
    const double p = value * (1 - saturation), q = value * (1 - saturation * f),
                 t = value * (1 - saturation * (1 - f));
    double r = value, g = t, b = p;
    switch (sector) {
        case 1: r = q; g = value; b = p; break;
        case 2: r = p; g = value; b = t; break;
        case 3: r = p; g = q; b = value; break;
        case 4: r = t; g = p; b = value; break;
        case 5: r = value; g = p; b = q; break;
        default: break;
    }
    return static_cast<std::uint32_t>(Channel(r * 255.0) << 16 | Channel(g * 255.0) << 8 |
                                      Channel(b * 255.0));
}

// Beyond the hand-picked tones, hues step by the golden angle so that
// neighbours in the list stay far apart.
double GoldenHue(std::size_t index) {
    const double turns = static_cast<double>(index % 100000) * 0.6180339887498949;
    return (turns - static_cast<double>(static_cast<std::size_t>(turns))) * 6.0;
}

}  // namespace

std::uint32_t Shade(std::uint32_t rgb, double factor) {
    const auto part = [&](int shift) {
        return static_cast<std::uint32_t>(Channel(((rgb >> shift) & 0xFF) * factor)) << shift;
    };
    return part(16) | part(8) | part(0);
}

std::uint32_t TextureColour(const std::string& textureName) {
    std::string lower = textureName;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::uint32_t hash = NameHash(textureName);
    const GroundWord* best = nullptr;
    std::size_t bestAt = std::string::npos;
    for (const GroundWord& ground : kGroundWords) {
        const std::size_t at = lower.find(ground.word);
        if (at < bestAt) {
            bestAt = at;
            best = &ground;
        }
    }
    // 0.88 .. 1.12 of the ground's colour, by name.
    if (best != nullptr) return Shade(best->colour, 0.88 + 0.24 * (hash % 1000) / 999.0);
    return FromHsv((hash % 6000) / 1000.0, 0.30 + 0.15 * ((hash >> 13) % 100) / 99.0,
                   0.45 + 0.20 * ((hash >> 20) % 100) / 99.0);
}

std::uint32_t ModelColour(std::size_t index) {
    constexpr std::size_t n = sizeof kModelTones / sizeof kModelTones[0];
    return index < n ? kModelTones[index] : FromHsv(GoldenHue(index), 0.80, 1.0);
}
