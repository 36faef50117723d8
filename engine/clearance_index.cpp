#include "engine/clearance_index.h"

#include <algorithm>
#include <cmath>

#include "engine/mesh_body_parser.h"
#include "engine/mesh_cells.h"
#include "engine/tool_textures.h"

namespace {

// Cells of the grid: at least this wide, and at most this many a side.
constexpr double kMinCell = 64.0;
constexpr double kMaxCellsPerSide = 512.0;
// An item whose bounds cover more cells than this is checked on every query.
constexpr std::size_t kLargeItemCells = 256;

MeshVertex Mix(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c, float t) {
    // The quadratic Bezier curve through a (t = 0) and c (t = 1), pulled by b.
    const float u = 1.0f - t;
    const float wa = u * u, wb = 2.0f * u * t, wc = t * t;
    return {a.x * wa + b.x * wb + c.x * wc, a.y * wa + b.y * wb + c.y * wc, a.z * wa + b.z * wb + c.z * wc,
            a.alpha * wa + b.alpha * wb + c.alpha * wc};
}

// A curve's surface as a grid: each 3 x 3 patch of control points evaluated
// at quarters in both directions. A control grid without whole patches is
// taken as it is.
TerrainMesh CurveSurface(const TerrainMesh& curve) {
    const std::size_t rows = WalkedRows(curve), columns = static_cast<std::size_t>(std::max(curve.columns, 0));
    if (rows < 3 || columns < 3 || rows % 2 == 0 || columns % 2 == 0) return curve;
    constexpr std::size_t kSteps = 4;
    const float kT[kSteps + 1] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
    TerrainMesh surface;
    surface.texture = curve.texture;
    const std::size_t outRows = (rows - 1) / 2 * kSteps + 1, outColumns = (columns - 1) / 2 * kSteps + 1;
    surface.rows = static_cast<std::int32_t>(outRows);
    surface.columns = static_cast<std::int32_t>(outColumns);
    surface.vertices.resize(outRows * outColumns);
    const auto at = [&](std::size_t r, std::size_t c) -> const MeshVertex& { return curve.vertices[r * columns + c]; };
    for (std::size_t r = 0; r < outRows; ++r) {
        const std::size_t patchR = std::min(r / kSteps, (rows - 1) / 2 - 1), stepR = r - patchR * kSteps;
        for (std::size_t c = 0; c < outColumns; ++c) {
            const std::size_t patchC = std::min(c / kSteps, (columns - 1) / 2 - 1), stepC = c - patchC * kSteps;
            MeshVertex across[3];
            for (std::size_t k = 0; k < 3; ++k) {
                const std::size_t cr = 2 * patchR + k, cc = 2 * patchC;
                across[k] = Mix(at(cr, cc), at(cr, cc + 1), at(cr, cc + 2), kT[stepC]);
            }
            surface.vertices[r * outColumns + c] = Mix(across[0], across[1], across[2], kT[stepR]);
        }
    }
    return surface;
}

}  // namespace

void ClearanceIndex::Build(std::string_view map, const MapIndex& index, const std::vector<TerrainMesh>& meshes) {
    brushes_.clear();
    triangles_.clear();
    for (Brush& brush : ReadBrushes(map, index))
        if (!brush.empty && !brush.toolOnly) brushes_.push_back(std::move(brush));
    std::vector<TerrainMesh> curves(index.curves.size());
    for (std::size_t i = 0; i < curves.size(); ++i) {
        TerrainMesh curve;
        ParseMeshBody(map.data() + index.curves[i].begin, map.data() + index.curves[i].end, curve);
        curves[i] = CurveSurface(curve);
    }
    const std::vector<TerrainMesh>* const lists[] = {&meshes, &curves};
    std::size_t cells = 0;  // reserved at once: a large map has a few hundred thousand triangles
    for (const std::vector<TerrainMesh>* list : lists)
        for (const TerrainMesh& surface : *list)
            if (WalkedRows(surface) > 1) cells += (WalkedRows(surface) - 1) * static_cast<std::size_t>(surface.columns - 1);
    triangles_.reserve(2 * cells);
    for (const std::vector<TerrainMesh>* list : lists)
        for (const TerrainMesh& surface : *list) AddSurface(surface);
    File();
}

void ClearanceIndex::AddSurface(const TerrainMesh& mesh) {
    if (IsToolTexture(mesh.texture)) return;
    ForEachCell(mesh, [&](const MeshVertex& v00, const MeshVertex& v10, const MeshVertex& v01, const MeshVertex& v11) {
        AddTriangle(v00, v10, v01);
        AddTriangle(v11, v10, v01);
    });
}

void ClearanceIndex::AddTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    for (const MeshVertex* v : {&a, &b, &c})
        if (!std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->z)) return;
    // Seen from above, a wall has no area and covers nothing.
    const double area = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
                        (static_cast<double>(b.y) - a.y) * (static_cast<double>(c.x) - a.x);
    if (std::fabs(area) < 1e-6) return;
    triangles_.push_back({a.x, a.y, a.z, a.alpha, b.x, b.y, b.z, b.alpha, c.x, c.y, c.z, c.alpha});
}

ClearanceIndex::Bounds ClearanceIndex::BoundsOf(std::size_t item) const {
    if (item < brushes_.size()) {
        const Brush& b = brushes_[item];
        return {b.minX, b.minY, b.maxX, b.maxY};
    }
    const Triangle& t = triangles_[item - brushes_.size()];
    return {std::min({t.ax, t.bx, t.cx}), std::min({t.ay, t.by, t.cy}), std::max({t.ax, t.bx, t.cx}),
            std::max({t.ay, t.by, t.cy})};
}

void ClearanceIndex::File() {
    offsets_.clear();
    items_.clear();
    large_.clear();
    columns_ = rows_ = 0;
    const std::size_t count = brushes_.size() + triangles_.size();
    if (count == 0) return;
    const Bounds first = BoundsOf(0);
    double minX = first.minX, minY = first.minY, maxX = first.maxX, maxY = first.maxY;
    for (std::size_t item = 0; item < count; ++item) {
        const Bounds b = BoundsOf(item);
        minX = std::min(minX, b.minX), minY = std::min(minY, b.minY);
        maxX = std::max(maxX, b.maxX), maxY = std::max(maxY, b.maxY);
    }
    cell_ = std::max({kMinCell, (maxX - minX) / kMaxCellsPerSide, (maxY - minY) / kMaxCellsPerSide});
    originX_ = minX;
    originY_ = minY;
    columns_ = static_cast<std::size_t>((maxX - minX) / cell_) + 1;
    rows_ = static_cast<std::size_t>((maxY - minY) / cell_) + 1;
    const auto span = [&](const Bounds& b, std::size_t& x0, std::size_t& y0, std::size_t& x1, std::size_t& y1) {
        x0 = static_cast<std::size_t>((b.minX - originX_) / cell_);
        y0 = static_cast<std::size_t>((b.minY - originY_) / cell_);
        x1 = std::min(columns_ - 1, static_cast<std::size_t>((b.maxX - originX_) / cell_));
        y1 = std::min(rows_ - 1, static_cast<std::size_t>((b.maxY - originY_) / cell_));
        return (x1 - x0 + 1) * (y1 - y0 + 1) <= kLargeItemCells;
    };
    // Counted first, then filled: one array for all cells.
    std::vector<std::uint32_t> counts(columns_ * rows_ + 1, 0);
    for (std::size_t item = 0; item < count; ++item) {
        std::size_t x0, y0, x1, y1;
        if (!span(BoundsOf(item), x0, y0, x1, y1)) continue;
        for (std::size_t y = y0; y <= y1; ++y)
            for (std::size_t x = x0; x <= x1; ++x) ++counts[y * columns_ + x + 1];
    }
    for (std::size_t i = 1; i < counts.size(); ++i) counts[i] += counts[i - 1];
    offsets_ = counts;
    items_.resize(offsets_.back());
    for (std::size_t item = 0; item < count; ++item) {
        std::size_t x0, y0, x1, y1;
        if (!span(BoundsOf(item), x0, y0, x1, y1)) {
            large_.push_back(static_cast<std::uint32_t>(item));
            continue;
        }
        for (std::size_t y = y0; y <= y1; ++y)
            for (std::size_t x = x0; x <= x1; ++x) items_[counts[y * columns_ + x]++] = static_cast<std::uint32_t>(item);
    }
}

bool ClearanceIndex::Cell(double x, double y, std::size_t& cell) const {
    if (columns_ == 0) return false;
    const double cx = (x - originX_) / cell_, cy = (y - originY_) / cell_;
    if (!(cx >= 0.0 && cy >= 0.0 && cx < static_cast<double>(columns_) && cy < static_cast<double>(rows_)))
        return false;
    cell = static_cast<std::size_t>(cy) * columns_ + static_cast<std::size_t>(cx);
    return true;
}

bool ClearanceIndex::Covers(const Triangle& t, double x, double y, double low, double high) const {
    // Barycentric weights of (x, y) in the triangle seen from above.
    const double ex = static_cast<double>(t.bx) - t.ax, ey = static_cast<double>(t.by) - t.ay;
    const double fx = static_cast<double>(t.cx) - t.ax, fy = static_cast<double>(t.cy) - t.ay;
    const double px = x - t.ax, py = y - t.ay;
    const double area = ex * fy - ey * fx;
    const double wb = (px * fy - py * fx) / area, wc = (ex * py - ey * px) / area, wa = 1.0 - wb - wc;
    if (wa < 0.0 || wb < 0.0 || wc < 0.0) return false;
    const double z = wa * t.az + wb * t.bz + wc * t.cz;
    if (!(z >= low && z <= high)) return false;
    return wa * t.aa + wb * t.ba + wc * t.ca >= kOpaque;
}

bool ClearanceIndex::Blocked(float x, float y, float z, float clearance) const {
    const double ground = z;
    return Occupied(x, y, ground + kLift, ground + std::max(kLift, static_cast<double>(clearance)));
}

bool ClearanceIndex::Occupied(double x, double y, double low, double high) const {
    const auto blocks = [&](std::uint32_t item) {
        if (item < brushes_.size()) {
            double bottom, top;
            return VerticalSpan(brushes_[item], x, y, bottom, top) && bottom <= high && top >= low;
        }
        const Triangle& t = triangles_[item - brushes_.size()];
        return Covers(t, x, y, low, high);
    };
    for (std::uint32_t item : large_)
        if (blocks(item)) return true;
    std::size_t cell;
    if (!Cell(x, y, cell)) return false;
    for (std::uint32_t i = offsets_[cell]; i < offsets_[cell + 1]; ++i)
        if (blocks(items_[i])) return true;
    return false;
}
