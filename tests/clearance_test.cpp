// The clearance rule's view of a map: brushes read from their face points,
// surfaces over the ground (opaque or not), and the rule in a run.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/brush_geometry.h"
#include "engine/clearance_index.h"
#include "engine/map_statistics.h"
#include "tests/test_support.h"

namespace {

// A brush block of the box [x0, x1] x [y0, y1] x [z0, z1], its points in
// the level editor's order (the normals point out).
std::string BoxBrush(double x0, double y0, double z0, double x1, double y1, double z1,
                     const std::string& texture = "me_brick_01") {
    std::ostringstream out;
    const auto face = [&](double ax, double ay, double az, double bx, double by, double bz, double cx, double cy,
                          double cz) {
        out << " ( " << ax << ' ' << ay << ' ' << az << " ) ( " << bx << ' ' << by << ' ' << bz << " ) ( " << cx << ' '
            << cy << ' ' << cz << " ) " << texture << " 64 64 0 0 0 0 lightmap_gray 16384 16384 0 0 0 0\n";
    };
    out << "{\n";
    face(x0, y0, z1, x0, y1, z1, x1, y1, z1);  // top
    face(x0, y1, z0, x0, y0, z0, x1, y0, z0);  // bottom
    face(x0, y0, z0, x0, y1, z0, x0, y1, z1);  // -x
    face(x1, y1, z0, x1, y0, z0, x1, y0, z1);  // +x
    face(x1, y0, z0, x0, y0, z0, x0, y0, z1);  // -y
    face(x0, y1, z0, x1, y1, z0, x1, y1, z1);  // +y
    out << "}\n";
    return out.str();
}

// A mesh brush of `groups` groups of `perGroup` vertices: group g at
// x = 64 g, vertex k at y = y0 + 64 k, at height z with opacity alpha(k).
std::string MeshBrush(const std::string& texture, int groups, int perGroup, double y0, double z,
                      const std::vector<int>& alpha) {
    std::ostringstream out;
    out << "{\nmesh\n{\ncontents nonColliding;\n" << texture << "\nlightmap_gray\n" << groups << ' ' << perGroup
        << " 16 8\n";
    for (int g = 0; g < groups; ++g) {
        out << "(\n";
        for (int k = 0; k < perGroup; ++k)
            out << "v " << 64 * g << ' ' << y0 + 64 * k << ' ' << z << " c 255 255 255 " << alpha[k]
                << " t 0 0 0 0\n";
        out << ")\n";
    }
    out << "}\n}\n";
    return out.str();
}

std::string Worldspawn(const std::string& blocks) {
    return "iwmap 4\n{\n\"classname\" \"worldspawn\"\n" + blocks + "}\n";
}

class Recorder : public PlacementSink {
public:
    void Place(const ModelPlacement& p) override { placements.push_back(p); }
    std::vector<ModelPlacement> placements;
};

// Grass with a clearance on the ground texture of a map, as a dry run.
struct GrassRun {
    TempDir dir;
    FoliageEngine engine;
    Recorder recorder;
    DryRunStatistics stats;

    GrassRun(const std::string& map, std::optional<float> clearance) {
        WriteFileBytes(dir.File("in.map"), map);
        NullProgress progress;
        EXPECT_TRUE(engine.ReadMap(progress, dir.File("in.map"), map.size()));
        ModelOption grass("grass", 4, 4);
        grass.clearance = clearance;
        engine.modelClasses["m"] = {grass};
        engine.mapClasses["c"] = {TextureOption("ground", false, 1, {"m"})};
        stats = DryRun(engine, progress, "c", &recorder);
    }
};

}  // namespace

TEST(Clearance, BrushesOfTheRealMapsAreClosedSolids) {
    for (const char* name : {"cod4_frazzie_mp_dr_frzl.map", "cod4_frazzie_mp_dr_frzl_early.map",
                             "cod4_frazzie_mp_dr_quick.map"}) {
        SCOPED_TRACE(name);
        const std::string path = TestDataPath(name);
        const std::string text = ReadFileBytes(path);
        // "// brush N" blocks that are not patches: every other brush block.
        std::size_t brushComments = Occurrences(text, "\n// brush "), patches = 0;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            const std::size_t from = line.find_first_not_of(" \t"), to = line.find_last_not_of(" \t");
            const std::string word = from == std::string::npos ? "" : line.substr(from, to + 1 - from);
            patches += word == "mesh" || word == "curve";
        }
        FoliageEngine engine;
        NullProgress progress;
        ASSERT_TRUE(engine.ReadMap(progress, path, text.size()));
        EXPECT_EQ(engine.mapIndex.brushes.size(), brushComments - patches);
        EXPECT_EQ(engine.mapIndex.curves.size() + engine.meshes.size(), patches);
        // With (p0 - p1) x (p2 - p1) pointing out, each brush has corners,
        // and the middle of its outline is inside every face.
        std::size_t empty = 0, notInside = 0;
        for (const Brush& brush : ReadBrushes(text, engine.mapIndex)) {
            if (brush.empty) {
                ++empty;
                continue;
            }
            double x = 0, y = 0;  // the middle of its outline from above
            for (const PointXY& p : brush.outline) x += p.x / brush.outline.size(), y += p.y / brush.outline.size();
            double bottom, top;
            notInside += !VerticalSpan(brush, x, y, bottom, top) || bottom > top;
        }
        EXPECT_EQ(empty, 0u);
        EXPECT_EQ(notInside, 0u);
    }
}

TEST(Clearance, PointInsideAndJustOutsideABrush) {
    const Brush box = ReadBrush(BoxBrush(-64, -64, 0, 64, 64, 128));
    ASSERT_FALSE(box.empty);
    EXPECT_EQ(box.outline.size(), 4u);
    struct Case { double x, y; bool inside; };
    for (const Case& c : {Case{0, 0, true}, Case{63.9, 0, true}, Case{64.1, 0, false}, Case{0, -64.1, false},
                          Case{64, 0, false}, Case{-63.9, 63.9, true}}) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        double bottom = 0, top = 0;
        EXPECT_EQ(VerticalSpan(box, c.x, c.y, bottom, top), c.inside);
        if (c.inside) {
            EXPECT_NEAR(bottom, 0, 1e-9);
            EXPECT_NEAR(top, 128, 1e-9);
        }
    }
    // A ground point inside, under, beside and on top of the brush.
    const std::string map = Worldspawn(BoxBrush(-64, -64, 0, 64, 64, 128));
    FoliageEngine engine;
    NullProgress progress;
    TempDir dir;
    WriteFileBytes(dir.File("box.map"), map);
    ASSERT_TRUE(engine.ReadMap(progress, dir.File("box.map"), map.size()));
    ClearanceIndex index;
    index.Build(map, engine.mapIndex, engine.meshes);
    struct Ground { float x, y, z, clearance; bool blocked; };
    for (const Ground& g : {Ground{0, 0, 64, 0, true}, Ground{0, 0, -16, 8, false}, Ground{0, 0, -16, 32, true},
                            Ground{64.5f, 0, 64, 256, false}, Ground{0, 0, 128, 256, false}}) {
        SCOPED_TRACE(std::to_string(g.z) + " clearance " + std::to_string(g.clearance));
        EXPECT_EQ(index.Blocked(g.x, g.y, g.z, g.clearance), g.blocked);
    }
}

TEST(Clearance, DecalOverTheGroundClearsWhereItIsOpaque) {
    // Ground 256 x 256 at z 0; a road decal 1.5 units over it from y 64 to
    // 192, opaque on its middle line only; a sky box lid (a tool texture).
    const std::string ground = MeshBrush("ground", 5, 5, 0, 0, {255, 255, 255, 255, 255});
    const std::string sky = BoxBrush(-512, -512, 256, 512, 512, 272, "sky_demo");
    const GrassRun plain(Worldspawn(ground + sky), {});
    const GrassRun road(Worldspawn(ground + MeshBrush("road", 5, 3, 64, 1.5, {0, 255, 0}) + sky), 8.0f);
    const GrassRun clear(Worldspawn(ground + MeshBrush("road", 5, 3, 64, 1.5, {0, 0, 0}) + sky), 8.0f);
    ASSERT_GT(plain.recorder.placements.size(), 100u);
    // Fully transparent, the decal hides nothing; the sky is no cover.
    EXPECT_EQ(clear.recorder.placements.size(), plain.recorder.placements.size());
    std::size_t besideRoad = 0;
    for (const ModelPlacement& p : road.recorder.placements) {
        EXPECT_GE(std::fabs(p.y - 128), 31.9f) << p.x << " " << p.y;  // opacity 128 of 255 at 32 from the middle
        besideRoad += std::fabs(p.y - 128) < 64;
    }
    EXPECT_GT(besideRoad, 0u);  // where the decal is more transparent than not
    std::uint64_t removed = 0;
    for (const auto& entry : road.stats.rejectionsPerTexture) removed += entry.second.clearance;
    EXPECT_EQ(road.recorder.placements.size() + removed, plain.recorder.placements.size());
}
