// The share of a map's misc_models that stand covered: their origin 16
// units up lies inside a solid brush, or a patch or a brush has some part
// 4 to 64 units above the origin. Brushes and patches are those the
// clearance rule counts (tool textures left out; a patch where it is
// opaque), read by the same code.
//
//   covered_share MAP [MODEL...]    (all model names when none is given)

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "engine/clearance_index.h"
#include "engine/foliage_engine.h"
#include "tools/map_models.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: covered_share MAP [MODEL...]\n");
        return 2;
    }
    std::string text;
    FoliageEngine engine;
    NullProgress progress;
    if (!ReadFileText(argv[1], text) || !engine.ReadMap(progress, argv[1], text.size())) {
        std::fprintf(stderr, "covered_share: cannot read %s\n", argv[1]);
        return 1;
    }
    ClearanceIndex index;
    index.Build(text, engine.mapIndex, engine.meshes);
    const std::set<std::string> wanted(argv + 2, argv + argc);
    std::map<std::string, std::pair<std::size_t, std::size_t>> counts;  // covered, all
    std::size_t covered = 0, all = 0;
    for (const MapModel& m : ReadMapModels(text)) {
        if (!wanted.empty() && wanted.count(m.name) == 0) continue;
        const bool inside = index.Occupied(m.x, m.y, m.z + 16.0, m.z + 16.0);
        const bool under = index.Occupied(m.x, m.y, m.z + 4.0, m.z + 64.0);
        auto& entry = counts[m.name];
        entry.first += inside || under;
        ++entry.second;
        covered += inside || under;
        ++all;
    }
    std::printf("%-40s %8s %8s %7s\n", "model", "count", "covered", "share");
    for (const auto& [name, entry] : counts)
        std::printf("%-40s %8zu %8zu %6.2f%%\n", name.c_str(), entry.second, entry.first,
                    100.0 * static_cast<double>(entry.first) / static_cast<double>(entry.second));
    if (all > 0)
        std::printf("%-40s %8zu %8zu %6.2f%%\n", "(all of them)", all, covered,
                    100.0 * static_cast<double>(covered) / static_cast<double>(all));
    std::printf("brushes %zu, surface triangles %zu\n", index.Brushes(), index.Triangles());
    return 0;
}
