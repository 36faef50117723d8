#include "preview/placement_preview.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "engine/mesh_cells.h"
#include "preview/pixel_text.h"

namespace {

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

// Beyond the hand-picked tones, hues step by the golden angle so that
// neighbours in the list stay far apart.
double GoldenHue(std::size_t index) {
    const double turns = static_cast<double>(index) * 0.6180339887498949;
    return (turns - std::floor(turns)) * 6.0;
}

const std::uint32_t kTextureTones[] = {0x5E8C3A, 0x8C6A43, 0x6F7F96, 0xB09A5C, 0x3F7F7A,
                                       0x7E5A8C, 0x9C5B4E, 0x4E6EA8, 0x8A8F3C, 0x666666};
const std::uint32_t kModelTones[] = {0xFF3B30, 0xFFE01A, 0x2FF3FF, 0xFF40FF, 0xFFFFFF,
                                     0xFF9500, 0x7CFF4A, 0x5AA9FF, 0xFF9ED8, 0xC8B4FF};

const std::uint32_t kLegendText = 0xE0E0E0;

}  // namespace

std::uint32_t TextureColour(std::size_t index) {
    constexpr std::size_t n = sizeof kTextureTones / sizeof kTextureTones[0];
    return index < n ? kTextureTones[index] : FromHsv(GoldenHue(index), 0.45, 0.60);
}

std::uint32_t ModelColour(std::size_t index) {
    constexpr std::size_t n = sizeof kModelTones / sizeof kModelTones[0];
    return index < n ? kModelTones[index] : FromHsv(GoldenHue(index), 0.80, 1.0);
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
    // Where a pixel spans more than 16 units, 3x3 dots would hide the ground.
    dotRadius_ = scale_ * 16.0 >= 1.0 ? 1 : 0;
    image_ = RgbImage(side(maxX - minX), side(maxY - minY), kBackground);

    std::map<std::string, std::uint64_t> meshesPerTexture;
    for (const TerrainMesh& mesh : meshes) ++meshesPerTexture[mesh.texture];
    for (const auto& [texture, count] : meshesPerTexture)
        textures_.push_back({TextureColour(textures_.size()), texture, count});
    for (const TerrainMesh& mesh : meshes) DrawMesh(mesh);
}

std::uint32_t PlacementPreview::ColourOfTexture(const std::string& texture) const {
    const auto found = std::lower_bound(
        textures_.begin(), textures_.end(), texture,
        [](const LegendEntry& entry, const std::string& name) { return entry.name < name; });
    return found != textures_.end() && found->name == texture ? found->colour : kBackground;
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
    const std::uint32_t colour = ColourOfTexture(mesh.texture);
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
    // Counted before it is drawn: an evenly distributed model can land a
    // little beyond its mesh's edge and so outside the picture, and the
    // legend must still give the count the output holds.
    if (placement.modelOption != lastOption_ || models_.empty()) {
        lastOption_ = placement.modelOption;
        const std::string name = lastOption_ != nullptr ? lastOption_->modelName : std::string();
        const auto found = modelIndex_.emplace(name, models_.size());
        if (found.second) models_.push_back({ModelColour(models_.size()), name, 0});
        lastModel_ = found.first->second;
    }
    LegendEntry& model = models_[lastModel_];
    ++model.count;
    int px, py;
    if (!ToPixel(placement.x, placement.y, px, py)) return;
    const int r = dotRadius_;
    const int xa = std::max(px - r, 0), xb = std::min(px + r, image_.width - 1);
    const int ya = std::max(py - r, 0), yb = std::min(py + r, image_.height - 1);
    for (int y = ya; y <= yb; ++y)
        for (int x = xa; x <= xb; ++x) image_.Set(x, y, model.colour);
}

RgbImage PlacementPreview::WithLegend() const {
    // Two sections (textures with their meshes, models with their placed
    // count), each entry a swatch and a line of text, in as many columns as
    // the picture's width holds.
    const int scale = image_.width >= 600 ? 2 : 1;
    const int line = (kTextHeight + 4) * scale;
    const int swatch = 7 * scale;
    const auto label = [](const LegendEntry& e) { return e.name + " " + std::to_string(e.count); };
    // Columns as wide as the longest entry (a longer one is cut at the edge).
    std::size_t longest = 0;
    for (const auto* entries : {&textures_, &models_})
        for (const LegendEntry& e : *entries) longest = std::max(longest, label(e).size());
    const int available = std::max(1, image_.width - 2 * kMargin);
    const int columnWidth = std::clamp(
        swatch + 3 * scale + static_cast<int>(std::min<std::size_t>(longest, 400)) * kTextAdvance * scale +
            4 * kTextAdvance * scale / 2,
        1, available);
    const int columns = std::max(1, available / columnWidth);
    const auto rows = [&](std::size_t entries) {
        return 1 + static_cast<int>((entries + columns - 1) / columns);
    };
    const int legendHeight = (rows(textures_.size()) + rows(models_.size())) * line + kMargin;

    RgbImage out(image_.width, image_.height + legendHeight, kBackground);
    std::copy(image_.pixels.begin(), image_.pixels.end(), out.pixels.begin());
    int y = image_.height;
    const auto section = [&](const char* heading, const std::vector<LegendEntry>& entries,
                             bool dots) {
        DrawText(out, kMargin, y, heading, kLegendText, scale, out.width - kMargin);
        y += line;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const int x = kMargin + static_cast<int>(i % columns) * columnWidth;
            const int top = y + static_cast<int>(i / columns) * line;
            const int inset = dots ? 2 * scale : 0;
            for (int sy = inset; sy < swatch - inset; ++sy)
                for (int sx = inset; sx < swatch - inset; ++sx)
                    out.Set(x + sx, top + sy, entries[i].colour);
            DrawText(out, x + swatch + 3 * scale, top, label(entries[i]), kLegendText, scale,
                     x + columnWidth);
        }
        y += (rows(entries.size()) - 1) * line;
    };
    section("Textures (meshes)", textures_, false);
    section("Models (placed)", models_, true);
    return out;
}
