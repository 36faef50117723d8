#pragma once
// The brushes of a map as convex solids: each face line's three points give
// a plane, and the brush is the space on the inner side of all of them.
// Also their outlines seen from above, for pictures of the map.

#include <string_view>
#include <vector>

#include "engine/map_index.h"

struct PointXY {
    double x = 0.0, y = 0.0;
};

// The inside of a face: nx * x + ny * y + nz * z <= d. The normal has
// length 1 and points out of the brush: (p0 - p1) x (p2 - p1) of the face's
// points, as the level editor writes them.
struct BrushPlane {
    double nx = 0.0, ny = 0.0, nz = 0.0, d = 0.0;
};

struct Brush {
    std::vector<BrushPlane> planes;
    bool toolOnly = true;  // every face carries a tool texture (clip, trigger...)
    // The corners' bounds; a brush without at least four corners is empty.
    bool empty = true;
    double minX = 0, minY = 0, minZ = 0, maxX = 0, maxY = 0, maxZ = 0;
    std::vector<PointXY> outline;  // convex, counter-clockwise, seen from above
};

// One brush from its block, "{" to "}". Lines that are not faces (contents,
// toolFlags) are passed over, and so is a face whose points do not span a
// plane.
Brush ReadBrush(std::string_view block);

// Every brush of the map (the index's ranges into it), in file order.
std::vector<Brush> ReadBrushes(std::string_view map, const MapIndex& index);

// The part of the vertical line through (x, y) inside the brush, as
// [bottom, top]; false when the line misses it. A line along a side counts
// as outside.
bool VerticalSpan(const Brush& brush, double x, double y, double& bottom, double& top);
