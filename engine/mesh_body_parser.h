#pragma once
// Turns the text between a mesh block's braces into a TerrainMesh: the header
// lines (texture, second name, size line) and the "(" ")" groups of vertex
// lines. Never fails; malformed text gives whatever the rules make of it.

#include "engine/terrain_mesh.h"

// Fills mesh (texture, rows, columns, vertices) from [begin, end). The vertex
// list is reserved exactly before it is filled. May throw std::bad_alloc.
void ParseMeshBody(const char* begin, const char* end, TerrainMesh& mesh);
