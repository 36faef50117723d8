#pragma once
// The text of one misc_model entity block, formatted straight into a caller's
// buffer (the output file's buffer, or memory in the tests and the fuzzers).

#include <cstddef>

#include "text/conversions.h"
#include "engine/model_placement.h"

// Room FormatPlacementBlock needs for a model name of nameSize bytes (and a
// model class name of classSize bytes when the block is marked), with room
// for a spawnflags line.
constexpr std::size_t PlacementBlockCapacity(std::size_t nameSize, std::size_t classSize = 0) {
    return 96 + 7 * static_cast<std::size_t>(kFloatTextMax) + nameSize + 24 + classSize + 32;
}

// Writes the seven-line block and returns its length. out must hold
// PlacementBlockCapacity(modelName.size()) bytes. A marked block has one more
// line before its classname, "arbrel_class" with the placement's model class
// (out must then hold PlacementBlockCapacity(name size, class size)). A model
// with spawnflags set has a "spawnflags" line last before its classname.
std::size_t FormatPlacementBlock(const ModelPlacement& placement, char* out, bool mark = false);

// True when any of the seven numbers is NaN (infinities are written as they are).
bool PlacementHasNaN(const ModelPlacement& placement);

// "WARNING: float is NaN (not a number), debug output: x, y, z, pitch, roll, yaw, scale\n"
std::size_t FormatNaNWarning(const ModelPlacement& placement, char* out);
constexpr std::size_t kNaNWarningCapacity = 64 + 7 * (kFloatTextMax + 2);
