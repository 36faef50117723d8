#include "engine/placement_preview.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/mesh_cells.h"

namespace {

std::uint32_t Fnv1a(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
    return hash;
}

// HSV to 0xRRGGBB; hue in [0, 6), saturation and value in [0, 1].
std::uint32_t FromHsv(double hue, double saturation, double value) {
    const int sector = static_cast<int>(hue) % 6;
    const double f = hue - std::floor(hue);
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
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(v * 255.0)); };
    return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

std::uint32_t Darken(std::uint32_t rgb, double factor) {
    auto part = [&](int shift) {
        return static_cast<std::uint32_t>(std::lround(((rgb >> shift) & 0xFF) * factor)) << shift;
    };
    return part(16) | part(8) | part(0);
}

bool Finite(const MeshVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// The pixel column or row of a coordinate, held inside 0 .. size-1 before the
// conversion so that far-off corners cannot overflow an int.
int PixelIndex(double coordinate, int size) {
    return static_cast<int>(std::floor(std::clamp(coordinate, 0.0, size - 1.0)));
}

}  // namespace

std::uint32_t TextureColour(const std::string& texture) {
    const std::uint32_t hash = Fnv1a(texture);
    return FromHsv((hash % 360) / 60.0, 0.25 + (hash >> 9) % 20 / 100.0, 0.40 + (hash >> 17) % 20 / 100.0);
}

std::uint32_t ModelColour(const std::string& modelName) {
    const std::uint32_t hash = Fnv1a(modelName);
    return FromHsv((hash % 360) / 60.0, 0.85, 1.0);
}

PlacementPreview::PlacementPreview(const std::vector<TerrainMesh>& meshes, int longerSide) {
    longerSide = std::max(longerSide, 16);
    double minX = std::numeric_limits<double>::infinity(), maxX = -minX, minY = minX, maxY = -minX;
    for (const TerrainMesh& mesh : meshes) {
        const std::size_t count = WalkedRows(mesh) * static_cast<std::size_t>(std::max(mesh.columns, 0));
        for (std::size_t i = 0; i < count; ++i) {
            const MeshVertex& v = mesh.vertices[i];
            if (!Finite(v)) continue;
            minX = std::min(minX, double{v.x});
            maxX = std::max(maxX, double{v.x});
            minY = std::min(minY, double{v.y});
            maxY = std::max(maxY, double{v.y});
        }
    }
    if (!(minX <= maxX)) minX = maxX = minY = maxY = 0.0;  // no terrain: an empty square

    const double extent = std::max(maxX - minX, maxY - minY);
    const int inner = longerSide - 2 * kMargin;
    scale_ = extent > 0.0 ? (inner - 1) / extent : 1.0;
    const auto side = [&](double span) {
        return std::clamp(static_cast<int>(std::ceil(span * scale_)) + 1, 1, inner) + 2 * kMargin;
    };
    minX_ = minX;
    maxY_ = maxY;
    image_ = RgbImage(side(maxX - minX), side(maxY - minY), kBackground);
    for (const TerrainMesh& mesh : meshes) DrawMesh(mesh);
}

bool PlacementPreview::ToPixel(double x, double y, int& px, int& py) const {
    const double fx = std::floor(kMargin + (x - minX_) * scale_);
    const double fy = std::floor(kMargin + (maxY_ - y) * scale_);
    // The comparisons are false for NaN, which is left out with everything outside.
    if (!(fx >= 0.0 && fx < image_.width && fy >= 0.0 && fy < image_.height)) return false;
    px = static_cast<int>(fx);
    py = static_cast<int>(fy);
    return true;
}

void PlacementPreview::DrawMesh(const TerrainMesh& mesh) {
    const std::uint32_t colour = TextureColour(mesh.texture);
    ForEachCell(mesh, [&](const MeshVertex& v00, const MeshVertex& v10, const MeshVertex& v01,
                          const MeshVertex& v11) {
        FillTriangle(v00, v10, v01, colour);
        FillTriangle(v11, v10, v01, colour);
    });
}

void PlacementPreview::FillTriangle(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c,
                                    std::uint32_t colour) {
    if (!Finite(a) || !Finite(b) || !Finite(c)) return;
    // Steeper ground is drawn darker, so the relief shows.
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0.0)) return;  // collinear corners cover nothing
    const std::uint32_t shaded = Darken(colour, 0.55 + 0.45 * std::fabs(nz) / length);

    // Corners in pixel units; pixel (i, j) covers [i, i+1) x [j, j+1).
    const double ax = kMargin + (a.x - minX_) * scale_, ay = kMargin + (maxY_ - a.y) * scale_;
    const double bx = kMargin + (b.x - minX_) * scale_, by = kMargin + (maxY_ - b.y) * scale_;
    const double cx = kMargin + (c.x - minX_) * scale_, cy = kMargin + (maxY_ - c.y) * scale_;
    const double area = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    if (area == 0.0) return;  // a vertical wall, seen edge-on from above
    const int x0 = PixelIndex(std::min({ax, bx, cx}), image_.width);
    const int x1 = PixelIndex(std::max({ax, bx, cx}), image_.width);
    const int y0 = PixelIndex(std::min({ay, by, cy}), image_.height);
    const int y1 = PixelIndex(std::max({ay, by, cy}), image_.height);
    const double sign = area > 0.0 ? 1.0 : -1.0;
    for (int y = y0; y <= y1; ++y) {
        const double py = y + 0.5;
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5;
            const double e0 = sign * ((bx - ax) * (py - ay) - (by - ay) * (px - ax));
            const double e1 = sign * ((cx - bx) * (py - by) - (cy - by) * (px - bx));
            const double e2 = sign * ((ax - cx) * (py - cy) - (ay - cy) * (px - cx));
            if (e0 >= 0.0 && e1 >= 0.0 && e2 >= 0.0) image_.Set(x, y, shaded);
        }
    }
}

void PlacementPreview::Place(const ModelPlacement& placement) {
    int px, py;
    if (!ToPixel(placement.x, placement.y, px, py)) return;
    if (placement.modelOption != lastOption_) {
        lastOption_ = placement.modelOption;
        const std::string name = lastOption_ != nullptr ? lastOption_->modelName : std::string();
        auto found = modelColours_.find(name);
        if (found == modelColours_.end()) found = modelColours_.emplace(name, ModelColour(name)).first;
        lastColour_ = found->second;
    }
    const int xa = std::max(px - 1, 0), xb = std::min(px + 1, image_.width - 1);
    const int ya = std::max(py - 1, 0), yb = std::min(py + 1, image_.height - 1);
    for (int y = ya; y <= yb; ++y)
        for (int x = xa; x <= xb; ++x) image_.Set(x, y, lastColour_);
}
