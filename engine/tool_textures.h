#pragma once
// Textures of the level editor's tool brushes and patches: clip, trigger,
// hint, portal and the like. The compiled level never draws them and the
// player's view is never blocked by them, so foliage may stand under and in
// them. Chosen from the texture names of real maps (see README).

#include <string_view>

bool IsToolTexture(std::string_view texture);
