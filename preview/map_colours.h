#pragma once
// The colours of the pictures (0xRRGGBB). A texture gets the colour of the
// ground its name speaks of (grass green, sand pale yellow, water blue...),
// varied a little by the whole name so that two grass textures still differ;
// a name with none of those words gets a muted tone of its own. Models get
// bright tones that stand out on every ground. All are pure functions of
// the name or the index: the same everywhere, on every run.

#include <cstddef>
#include <cstdint>
#include <string>

std::uint32_t TextureColour(const std::string& textureName);
std::uint32_t ModelColour(std::size_t index);

// The colour with each channel multiplied by factor (0 .. 2), capped at 255.
std::uint32_t Shade(std::uint32_t rgb, double factor);
