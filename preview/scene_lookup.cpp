#include "preview/scene_lookup.h"

#include <cmath>

#include "engine/mesh_cells.h"
#include "preview/top_down_picture.h"
#include "text/conversions.h"

namespace {

bool Inside(double x, double y, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    const double d0 = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
    const double d1 = (c.x - b.x) * (y - b.y) - (c.y - b.y) * (x - b.x);
    const double d2 = (a.x - c.x) * (y - c.y) - (a.y - c.y) * (x - c.x);
    const bool anyNegative = d0 < 0 || d1 < 0 || d2 < 0, anyPositive = d0 > 0 || d1 > 0 || d2 > 0;
    return !(anyNegative && anyPositive) && (anyNegative || anyPositive);
}

}  // namespace

std::optional<std::size_t> MarkAt(const PreviewScene& scene, const ViewTransform& view, double px,
                                  double py, double slack) {
    std::optional<std::size_t> best;
    double bestDistance = 0.0;
    for (std::size_t i = 0; i < scene.marks.size(); ++i) {
        const PreviewMark& mark = scene.marks[i];
        double mx, my;
        view.ToPixel(mark.x, mark.y, mx, my);
        const double reach = std::min(std::fabs(double{mark.scale}) * kMarkRadius * view.Scale(), 24.0) + slack;
        const double dx = mx - px, dy = my - py, distance = dx * dx + dy * dy;
        // Later marks are drawn on top: they win a tie.
        if (distance <= reach * reach && (!best || distance <= bestDistance)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

std::string DescribeMark(const PreviewScene& scene, const PreviewMark& mark) {
    const auto name = [](const std::vector<std::string>& names, std::uint32_t index) {
        return index < names.size() ? names[index] : std::string("?");
    };
    return name(scene.models, mark.model) + "\nclass: " + name(scene.modelClasses, mark.modelClass) +
           "\ntexture: " + name(scene.textures, mark.texture) + "\nposition: " + FloatToString(mark.x) + " " +
           FloatToString(mark.y) + " " + FloatToString(mark.z) + "\nscale: " + FloatToString(mark.scale);
}

std::optional<std::size_t> TextureAt(const PreviewScene& scene, double x, double y) {
    if (!scene.terrain) return std::nullopt;
    const std::vector<TerrainMesh>& meshes = *scene.terrain;
    for (std::size_t m = meshes.size(); m-- > 0;) {
        bool hit = false;
        ForEachCell(meshes[m], [&](const MeshVertex& v00, const MeshVertex& v10, const MeshVertex& v01,
                                   const MeshVertex& v11) {
            hit = Inside(x, y, v00, v10, v01) || Inside(x, y, v11, v10, v01);
            return !hit;
        });
        if (hit) return scene.meshTexture[m];
    }
    return std::nullopt;
}

std::string DescribeTexture(const PreviewScene& scene, std::size_t texture, const MapClassTable& mapClasses,
                            const std::string& mapClassName) {
    if (texture >= scene.textures.size()) return std::string();
    const std::string& name = scene.textures[texture];
    std::string text = name + "\nmeshes: " + std::to_string(scene.meshesPerTexture[texture]) +
                       ", models placed: " + std::to_string(scene.marksPerTexture[texture]);
    int rules = 0;
    const auto mapClass = mapClasses.find(mapClassName);
    if (mapClass != mapClasses.end()) {
        for (const TextureOption& option : mapClass->second) {
            if (option.textureName != name) continue;
            ++rules;
            text += "\nrule: density x" + FloatToString(option.densityMultiplier) +
                    (option.useOpacity ? ", uses opacity" : ", ignores opacity") + ", classes:";
            for (const std::string& className : option.modelClassNames) text += " " + className;
        }
    }
    if (rules == 0) text += "\nno rule in map class " + mapClassName;
    const auto removed = scene.rejectionsPerTexture.find(name);
    const RuleRejections counts = removed != scene.rejectionsPerTexture.end() ? removed->second : RuleRejections();
    text += "\nremoved by slope " + std::to_string(counts.slope) + ", height " + std::to_string(counts.height) +
            ", spacing " + std::to_string(counts.spacing);
    // Clusters and clearance only where set and at work, as in the texture report.
    if (counts.cluster != 0 || counts.clearance != 0)
        text += ", cluster " + std::to_string(counts.cluster) + ", clearance " + std::to_string(counts.clearance);
    return text;
}
