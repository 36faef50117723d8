#pragma once
// What stands over the ground, for the clearance rule: the solid brushes of
// the map and the triangles of its meshes and curves, filed in a grid over X
// and Y so a question about one point looks at one cell.

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/brush_geometry.h"
#include "engine/terrain_mesh.h"

class ClearanceIndex {
public:
    // Surfaces above the ground by less than this are the ground itself
    // (float error, or the same height on a neighbouring patch).
    static constexpr double kLift = 0.5;
    // A covering patch hides the ground where its opacity is at least this.
    static constexpr float kOpaque = 128.0f;

    // From the loaded map: its meshes, and the brushes and curves that the
    // index locates in map.
    void Build(std::string_view map, const MapIndex& index, const std::vector<TerrainMesh>& meshes);

    // Whether the ground point (x, y, z) lies inside a solid brush, or a
    // surface lies over it within `clearance`. The patch the point lies on
    // counts too where it folds over it (arches, curved walls): at the point
    // itself it is less than kLift above.
    bool Blocked(float x, float y, float z, float clearance) const;

    // Whether a solid brush or (where opaque) a surface has some part over
    // (x, y) between the heights low and high.
    bool Occupied(double x, double y, double low, double high) const;

    std::size_t Brushes() const { return brushes_.size(); }
    std::size_t Triangles() const { return triangles_.size(); }

private:
    struct Triangle {
        float ax, ay, az, aa, bx, by, bz, ba, cx, cy, cz, ca;
    };
    struct Bounds {
        double minX, minY, maxX, maxY;
    };
    void AddSurface(const TerrainMesh& mesh);
    void AddTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c);
    Bounds BoundsOf(std::size_t item) const;
    void File();
    bool Cell(double x, double y, std::size_t& cell) const;
    bool Covers(const Triangle& t, double x, double y, double low, double high) const;

    std::vector<Brush> brushes_;        // solid ones only
    std::vector<Triangle> triangles_;   // of every surface that is not a tool's
    // Items 0..brushes-1 are brushes, the rest triangles. The grid holds the
    // items whose bounds touch each cell (offsets into items_, one per cell
    // plus one); items that would fill many cells are kept aside in large_.
    double originX_ = 0, originY_ = 0, cell_ = 1;
    std::size_t columns_ = 0, rows_ = 0;
    std::vector<std::uint32_t> offsets_, items_, large_;
};
