#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "text/conversions.h"
#include "engine/foliage_engine.h"
#include "tests/test_support.h"

namespace {

// The generator state whose next draw yields k.
std::uint32_t StateBefore(int k) {
    std::uint32_t inverse = 214013u;  // Newton's iteration for the inverse mod 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    return ((static_cast<std::uint32_t>(k) << 16) - 2531011u) * inverse;
}

std::uint32_t StateAfterDraws(int draws) {
    RandomGenerator generator;
    for (int i = 0; i < draws; ++i) generator.Next();
    return generator.State();
}

struct Recorder : PlacementSink {
    std::vector<ModelPlacement> placements;
    std::vector<std::string> lines;  // "x y z scale pitch yaw roll"
    void Place(const ModelPlacement& p) override {
        placements.push_back(p);
        lines.push_back(FloatToString(p.x) + " " + FloatToString(p.y) + " " + FloatToString(p.z) +
                        " " + FloatToString(p.scale) + " " + FloatToString(p.pitch) + " " +
                        FloatToString(p.yaw) + " " + FloatToString(p.roll));
    }
};

// Places a mesh with "tree" (or `model`) on grass by map class "demo".
Recorder Place(FoliageEngine& engine, const TerrainMesh& mesh, const ModelOption& model = ModelOption("tree", 1, 1),
               const TextureOption& texture = TextureOption("grass", false, 1, {"trees"})) {
    engine.modelClasses["trees"] = {model};
    engine.mapClasses["demo"] = {texture};
    Recorder sink;
    engine.PlaceOnMesh(mesh, "demo", sink);
    return sink;
}

}  // namespace

TEST(RandomRange, SecondChanceAndOpacityShares) {
    int aboveHalf = 0, belowOpaque = 0;
    for (int k = 0; k < 32768; ++k) {
        FoliageEngine engine;
        engine.random.Seed(StateBefore(k));
        if (engine.RandomRange(0, 1) > 0.5f) ++aboveHalf;
        engine.random.Seed(StateBefore(k));
        if (engine.RandomRange(0, 256) < 255.0f) ++belowOpaque;
    }
    EXPECT_EQ(aboveHalf, 16383);
    EXPECT_EQ(belowOpaque, 32640);
}

// Worked out draw by draw, independently of this code: three candidates per
// triangle, every one kept, weights redrawn once on the first candidate.
TEST(PlaceOnMesh, FlatCellGivesSixPlacementsWithEveryDraw) {
    FoliageEngine engine;
    const Recorder sink = Place(engine, FlatCell());
    const std::vector<std::string> want = {
        "11.209 37.4355 0 0.91141 0 322.537 0",  "32.4794 21.7933 0 0.68222 0 32.904 0",
        "3.81056 13.9277 0 0.50445 0 1.6809 0",  "26.5363 42.783 0 0.67605 -0 162.279 0",
        "51.3408 17.2138 0 0.93111 0 84.7156 0", "50.031 54.4874 0 0.51187 0 302.443 0",
    };
    EXPECT_EQ(sink.lines, want);
    EXPECT_EQ(engine.random.State(), 2198482029u);
    ASSERT_FALSE(sink.placements.empty());
    EXPECT_EQ(sink.placements[0].modelOption, &engine.modelClasses["trees"][0]);
}

// Three groups of two vertices (rows 3, stride 2), sloped, with opacity,
// uneven distribution, a density multiplier and a Z offset.
TEST(PlaceOnMesh, SlopedNonSquareMeshWithOpacity) {
    FoliageEngine engine;
    const Recorder sink = Place(engine,
                                MakeMesh("dirt", 3, 2,
                                         {{0, 0, 0, 0}, {0, 48, 8, 100}, {40, 0, 16, 200},
                                          {40, 48, 24, 255}, {80, 0, 0, 128}, {80, 48, 8, 64}}),
                                ModelOption("bush", 0.5f, 2.0f, false, true, 4.0f, 10, 200, 0.8f, 1.2f),
                                TextureOption("dirt", true, 1.5f, {"trees"}));
    ASSERT_EQ(sink.lines.size(), 15u);
    EXPECT_EQ(sink.lines[0], "0.5992 32.6899 9.688 0.85892 7.24025 131.199 -22.6366");
    EXPECT_EQ(sink.lines[9], "69.7244 7.05456 9.286 0.91443 23.7482 338.774 0.927433");
    EXPECT_EQ(sink.lines[14], "57.2716 38.9314 19.5799 1.03384 2.0371 251.455 -23.6788");
    EXPECT_EQ(engine.random.State(), 1061836850u);
}

// Degenerate grids place and draw nothing; a density multiplier of zero or
// below on a real cell still draws the rounding pair of its two triangles.
TEST(PlaceOnMesh, DegenerateGridsAndNoDensityPlaceNothing) {
    struct Case { int rows, columns; std::size_t vertices; float multiplier; int draws; };
    const Case cases[] = {{1, 4, 4, 1, 0}, {4, 1, 4, 1, 0}, {0, 0, 0, 1, 0}, {-3, 2, 4, 1, 0}, {2, -3, 4, 1, 0},
                          {1000000000, 1000000000, 4, 1, 0}, {2, 2, 3, 1, 0},
                          {std::numeric_limits<std::int32_t>::max(), 3, 4, 1, 0},
                          {2, 2, 4, -1, 4}, {2, 2, 4, 0, 4}, {2, 2, 4, -1e30f, 4}};
    for (const Case& c : cases) {
        FoliageEngine engine;
        const TerrainMesh mesh = c.multiplier < 1 ? FlatCell()
                                                  : MakeMesh("grass", c.rows, c.columns,
                                                             std::vector<MeshVertex>(c.vertices, MeshVertex{1, 2, 3, 255}));
        EXPECT_TRUE(Place(engine, mesh, ModelOption("tree", 1, 1), TextureOption("grass", false, c.multiplier, {"trees"}))
                        .lines.empty()) << c.rows << "x" << c.columns << " " << c.multiplier;
        EXPECT_EQ(engine.random.State(), StateAfterDraws(c.draws)) << c.rows << "x" << c.columns << " " << c.multiplier;
    }
}

TEST(PlaceOnMesh, NonFiniteCoordinatesNeverHangOrCrash) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf, 1e30f}) {
        FoliageEngine engine;
        TerrainMesh mesh = FlatCell();
        mesh.vertices[3].x = bad;  // the corner only triangle 1 uses as A
        EXPECT_EQ(Place(engine, mesh).lines.size(), 3u) << bad;  // triangle 0 is untouched
    }
}

// Collinear edges tilt by |(90, -90)| turned by the yaw, without NaN; a
// downward normal (x and y swapped against FlatCell) turns models upside down.
TEST(PlaceOnMesh, CollinearEdgesAndDownwardNormalsTilt) {
    const struct { std::vector<MeshVertex> vertices; float tilt, tolerance; } cases[] = {
        {{{0, 0, 0, 255}, {128, 0, 0, 255}, {64, 0, 0, 255}, {192, 0, 0, 255}}, 127.279f, 0.01f},
        {{{0, 0, 0, 255}, {64, 0, 0, 255}, {0, 64, 0, 255}, {64, 64, 0, 255}}, 180.0f, 0.001f},
    };
    for (const auto& c : cases) {
        FoliageEngine engine;
        const Recorder sink = Place(engine, MakeMesh("grass", 2, 2, c.vertices));
        EXPECT_FALSE(sink.placements.empty()) << "tilt " << c.tilt;
        for (const ModelPlacement& p : sink.placements) {
            EXPECT_TRUE(std::isfinite(p.pitch) && std::isfinite(p.roll) && std::isfinite(p.yaw));
            EXPECT_NEAR(std::hypot(p.pitch, p.roll), c.tilt, c.tolerance);
        }
    }
}

// Texture names match exactly and repeated options all apply. Missing
// classes place and draw nothing and are not entered: a removed class must
// not come back into the option editor's list because a run looked it up.
TEST(PlaceOnMesh, MatchingIsExactRepeatedOptionsApplyAndMissingClassesAreNotEntered) {
    auto count = [](std::vector<TextureOption> textures, const std::string& meshTexture,
                    const std::string& mapClass = "demo") {
        FoliageEngine engine;
        engine.modelClasses["trees"] = {ModelOption("tree", 1, 1, true, false)};
        engine.mapClasses["demo"] = std::move(textures);
        Recorder sink;
        engine.PlaceOnMesh(FlatCell(meshTexture), mapClass, sink);
        EXPECT_EQ(engine.modelClasses.size() + engine.mapClasses.size(), 2u) << mapClass;
        return std::make_pair(sink.lines.size(), engine.random.State());
    };
    const TextureOption grass("grass", false, 1, {"trees"});
    const auto nothing = std::make_pair(std::size_t{0}, 1u);  // no draws either
    EXPECT_EQ(count({grass}, "grass").first, 6u);
    EXPECT_EQ(count({grass}, "Grass"), nothing);
    EXPECT_EQ(count({grass, grass}, "grass").first, 12u);
    EXPECT_EQ(count({TextureOption("grass", false, 1, {"trees", "trees"})}, "grass").first, 12u);
    EXPECT_EQ(count({TextureOption("grass", false, 1, {"absent"})}, "grass"), nothing);
    EXPECT_EQ(count({grass}, "grass", "nowhere"), nothing);
}

TEST(PlaceOnMesh, OpacityWindowAndDraw) {
    auto placed = [](float alpha, bool useOpacity, float opacityMin, float opacityMax) {
        FoliageEngine engine;
        TerrainMesh mesh = FlatCell();
        for (MeshVertex& v : mesh.vertices) v.alpha = alpha;
        return Place(engine, mesh, ModelOption("tree", 1, 1, true, false, 0, opacityMin, opacityMax),
                     TextureOption("grass", useOpacity, 4, {"trees"})).lines.size();
    };
    EXPECT_EQ(placed(0, true, 0, 256), 0u);     // alpha 0 never beats the draw
    EXPECT_GT(placed(255, true, 0, 256), 60u);  // about 255/256 of the candidates
    EXPECT_EQ(placed(0, false, 0, 0), placed(255, false, 0, 256));  // inclusive bounds
    EXPECT_EQ(placed(0, false, 0.001f, 256), 0u);
    EXPECT_EQ(placed(200, false, 0, 199), 0u);
    EXPECT_EQ(placed(std::numeric_limits<float>::quiet_NaN(), false, 0, 256), 0u);
}
