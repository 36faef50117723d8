#pragma once
// What the reader keeps of a map besides its meshes, found in the same scan:
// the entities the static-model budget and strip/replace look at, and where
// the brushes and curves stand, for the rules that read them.

#include <vector>

#include "engine/map_entities.h"

struct MapIndex {
    MapEntities entities;
    std::vector<ByteRange> brushes;  // brushes without a nested block, "{" to "}"
    std::vector<ByteRange> curves;   // bodies of curve blocks, as a mesh body
};
