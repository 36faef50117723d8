#include "preview/top_down_picture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/mesh_cells.h"
#include "preview/map_colours.h"
#include "preview/pixel_text.h"

namespace {

const std::uint32_t kLegendText = 0xE0E0E0;

bool Finite(const MeshVertex& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// The pixel column or row of a coordinate, held inside 0 .. size-1 before
// the conversion so that far-off corners cannot overflow an int.
int PixelIndex(double coordinate, int size) {
    const double held = std::clamp(coordinate, 0.0, size - 1.0);
    return static_cast<int>(held);  // held >= 0: truncation is the floor
}

void FillTriangle(RgbImage& image, const ViewTransform& view, const MeshVertex& a, const MeshVertex& b,
                  const MeshVertex& c, std::uint32_t colour) {
    if (!Finite(a) || !Finite(b) || !Finite(c)) return;
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    if (nx == 0.0 && ny == 0.0 && nz == 0.0) return;  // collinear corners cover nothing
    const std::uint32_t shaded = Shade(colour, HillShade(nx, ny, nz));

    // Corners in pixel units; pixel (i, j) covers [i, i+1) x [j, j+1).
    double ax, ay, bx, by, cx, cy;
    view.ToPixel(a.x, a.y, ax, ay);
    view.ToPixel(b.x, b.y, bx, by);
    view.ToPixel(c.x, c.y, cx, cy);
    const double area = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
    if (area == 0.0) return;  // a vertical wall, seen edge-on from above
    const double left = std::min({ax, bx, cx}), right = std::max({ax, bx, cx});
    const double top = std::min({ay, by, cy}), bottom = std::max({ay, by, cy});
    if (right < 0.0 || bottom < 0.0 || left >= image.width || top >= image.height) return;
    const int x0 = PixelIndex(left, image.width), x1 = PixelIndex(right, image.width);
    const int y0 = PixelIndex(top, image.height), y1 = PixelIndex(bottom, image.height);
    const double sign = area > 0.0 ? 1.0 : -1.0;
    for (int y = y0; y <= y1; ++y) {
        const double py = y + 0.5;
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5;
            const double e0 = sign * ((bx - ax) * (py - ay) - (by - ay) * (px - ax));
            const double e1 = sign * ((cx - bx) * (py - by) - (cy - by) * (px - bx));
            const double e2 = sign * ((ax - cx) * (py - cy) - (ay - cy) * (px - cx));
            if (e0 >= 0.0 && e1 >= 0.0 && e2 >= 0.0) image.Set(x, y, shaded);
        }
    }
}

void DrawMark(RgbImage& image, double cx, double cy, double radius, std::uint32_t colour) {
    if (!(cx >= 0.0 && cy >= 0.0 && cx < image.width && cy < image.height)) return;  // NaN too
    const int px = static_cast<int>(cx), py = static_cast<int>(cy);
    const int r = static_cast<int>(radius);
    image.Set(px, py, colour);
    for (int y = std::max(py - r, 0); y <= std::min(py + r, image.height - 1); ++y)
        for (int x = std::max(px - r, 0); x <= std::min(px + r, image.width - 1); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius) image.Set(x, y, colour);
        }
}

// A one-pixel line; far-off or non-finite ends draw nothing.
void DrawLine(RgbImage& image, double x0, double y0, double x1, double y1, std::uint32_t colour) {
    const double limit = 4.0 * (image.width + image.height);
    for (double v : {x0, y0, x1, y1})
        if (!(v > -limit && v < limit)) return;
    const double steps = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
    const int n = static_cast<int>(steps) + 1;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
        if (x >= 0.0 && y >= 0.0 && x < image.width && y < image.height)
            image.Set(static_cast<int>(x), static_cast<int>(y), colour);
    }
}



}  // namespace

double HillShade(double nx, double ny, double nz) {
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0.0)) return 1.0;
    if (nz < 0.0) {
        nx = -nx;
        ny = -ny;
        nz = -nz;
    }
    // The sun: from the north-west, 45 degrees high; (-1/2, 1/2, 1/sqrt 2).
    constexpr double kSunZ = 0.70710678118654752;
    const double lit = (-0.5 * nx + 0.5 * ny + kSunZ * nz) / length;
    return std::clamp(lit / kSunZ, 0.35, 1.3);
}

RgbImage DrawTopDown(const PreviewScene& scene, const ViewTransform& view) {
    RgbImage image(view.Width(), view.Height(), kPreviewBackground);
    std::vector<std::uint32_t> textureColours;
    for (const std::string& texture : scene.textures) textureColours.push_back(TextureColour(texture));
    if (scene.terrain) {
        const std::vector<TerrainMesh>& meshes = *scene.terrain;
        for (std::size_t m = 0; m < meshes.size(); ++m) {
            const std::uint32_t colour = textureColours[scene.meshTexture[m]];
            ForEachCell(meshes[m], [&](const MeshVertex& v00, const MeshVertex& v10, const MeshVertex& v01,
                                       const MeshVertex& v11) {
                FillTriangle(image, view, v00, v10, v01, colour);
                FillTriangle(image, view, v11, v10, v01, colour);
            });
        }
    }
    if (scene.brushOutlines) {
        for (const std::vector<PointXY>& outline : *scene.brushOutlines) {
            for (std::size_t i = 0; i < outline.size(); ++i) {
                const PointXY& a = outline[i];
                const PointXY& b = outline[(i + 1) % outline.size()];
                double ax, ay, bx, by;
                view.ToPixel(a.x, a.y, ax, ay);
                view.ToPixel(b.x, b.y, bx, by);
                DrawLine(image, ax, ay, bx, by, kBrushOutlineColour);
            }
        }
    }
    std::vector<std::uint32_t> modelColours;
    for (std::size_t i = 0; i < scene.models.size(); ++i) modelColours.push_back(ModelColour(i));
    for (const PreviewMark& mark : scene.marks) {
        double px, py;
        view.ToPixel(mark.x, mark.y, px, py);
        const double radius = std::min(std::fabs(double{mark.scale}) * kMarkRadius * view.Scale(), 24.0);
        DrawMark(image, px, py, radius, mark.model < modelColours.size() ? modelColours[mark.model] : 0xFFFFFF);
    }
    return image;
}

RgbImage DrawLegend(const PreviewScene& scene, int minHeight, int textScale) {
    struct Line {
        std::uint32_t colour;
        bool swatch, dot;
        std::string text;
    };
    std::vector<Line> lines;
    lines.push_back({0, false, false, "Textures (meshes, models)"});
    for (std::size_t i = 0; i < scene.textures.size(); ++i)
        lines.push_back({TextureColour(scene.textures[i]), true, false,
                         scene.textures[i] + " " + std::to_string(scene.meshesPerTexture[i]) + ", " +
                             std::to_string(scene.marksPerTexture[i])});
    lines.push_back({0, false, false, ""});
    lines.push_back({0, false, false, "Models (placed)"});
    for (std::size_t i = 0; i < scene.models.size(); ++i)
        lines.push_back({ModelColour(i), true, true,
                         scene.models[i] + " " + std::to_string(scene.marksPerModel[i])});
    lines.push_back({0, false, false, ""});
    // The budget line, broken before its parenthesis so the legend stays narrow.
    const std::string budget = BudgetLine(scene.budget);
    const std::size_t open = budget.find(" (");
    lines.push_back({0, false, false, budget.substr(0, open)});
    if (open != std::string::npos) lines.push_back({0, false, false, budget.substr(open + 1)});

    const int s = std::max(textScale, 1);
    const int margin = 8, line = (kTextHeight + 4) * s, swatch = 7 * s, indent = swatch + 3 * s;
    std::size_t longest = 0;
    for (const Line& l : lines) longest = std::max(longest, std::min<std::size_t>(l.text.size(), 60));
    const int width = 2 * margin + indent + static_cast<int>(longest) * kTextAdvance * s;
    const int height = std::max(minHeight, 2 * margin + static_cast<int>(lines.size()) * line);
    RgbImage legend(width, height, kPreviewBackground);
    int y = margin;
    for (const Line& l : lines) {
        if (l.swatch) {
            const int inset = l.dot ? 2 * s : 0;
            for (int sy = inset; sy < swatch - inset; ++sy)
                for (int sx = inset; sx < swatch - inset; ++sx) legend.Set(margin + sx, y + sy, l.colour);
            DrawText(legend, margin + indent, y, l.text, kLegendText, s, width - margin);
        } else {
            DrawText(legend, margin, y, l.text, kLegendText, s, width - margin);
        }
        y += line;
    }
    return legend;
}

RgbImage PreviewPicture(const PreviewScene& scene, int longerSide) {
    longerSide = std::max(longerSide, 16);
    const SceneBounds& b = scene.bounds;
    const double spanX = b.maxX - b.minX, spanY = b.maxY - b.minY, span = std::max(spanX, spanY);
    const int inner = longerSide - 2 * ViewTransform::kMargin;
    const auto side = [&](double extent) {
        if (!(span > 0.0)) return longerSide;
        return std::clamp(static_cast<int>(extent / span * inner + 0.5), 1, inner) + 2 * ViewTransform::kMargin;
    };
    ViewTransform view;
    view.SetViewport(side(spanX), side(spanY));
    view.Fit(b);
    const RgbImage picture = DrawTopDown(scene, view);
    const RgbImage legend = DrawLegend(scene, picture.height, picture.height >= 600 ? 2 : 1);
    RgbImage out(picture.width + legend.width, legend.height, kPreviewBackground);
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width * 3,
                    picture.width * 3, out.pixels.begin() + static_cast<std::ptrdiff_t>(y) * out.width * 3);
    for (int y = 0; y < legend.height; ++y)
        std::copy_n(legend.pixels.begin() + static_cast<std::ptrdiff_t>(y) * legend.width * 3, legend.width * 3,
                    out.pixels.begin() + (static_cast<std::ptrdiff_t>(y) * out.width + picture.width) * 3);
    return out;
}
