#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/store_loader.h"
#include "engine/run_pipeline.h"
#include "preview/map_colours.h"
#include "preview/orbit_camera.h"
#include "preview/png_encoder.h"
#include "preview/preview_scene.h"
#include "preview/scene_geometry.h"
#include "preview/scene_lookup.h"
#include "preview/top_down_picture.h"
#include "preview/view_transform.h"
#include "preview/window_place.h"
#include "tests/test_support.h"

namespace {

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Reads back what EncodePng writes: checks the signature, every chunk's CRC
// and the filter bytes, and returns the pixels (an empty image on any fault).
RgbImage DecodePng(const std::string& png) {
    RgbImage image;
    if (png.compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)) != 0) return image;
    std::string idat;
    int width = 0, height = 0;
    bool ended = false;
    for (std::size_t at = 8; at + 12 <= png.size() && !ended;) {
        const std::uint32_t length = BigEndian(png, at);
        const std::string type = png.substr(at + 4, 4);
        const std::string data = png.substr(at + 8, length);
        const uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(png.data() + at + 4), 4 + length);
        if (BigEndian(png, at + 8 + length) != crc) return image;
        if (type == "IHDR") {
            width = static_cast<int>(BigEndian(data, 0));
            height = static_cast<int>(BigEndian(data, 4));
            if (data.substr(8) != std::string("\x08\x02\x00\x00\x00", 5)) return image;
        } else if (type == "IDAT") {
            idat += data;
        } else if (type == "IEND") {
            ended = true;
        }
        at += 12 + length;
    }
    if (!ended) return image;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::string raw((rowBytes + 1) * static_cast<std::size_t>(height), '\0');
    uLongf rawSize = raw.size();
    if (uncompress(reinterpret_cast<Bytef*>(&raw[0]), &rawSize,
                   reinterpret_cast<const Bytef*>(idat.data()), idat.size()) != Z_OK ||
        rawSize != raw.size())
        return image;
    RgbImage decoded;
    for (std::size_t row = 0; row < raw.size(); row += rowBytes + 1) {
        if (raw[row] != '\0') return image;
        decoded.pixels.insert(decoded.pixels.end(), raw.begin() + row + 1, raw.begin() + row + 1 + rowBytes);
    }
    decoded.width = width;
    decoded.height = height;
    return decoded;
}

// A flat width x height mesh of 2x2 vertices with its south-west corner at (x,y).
TerrainMesh Rect(const std::string& texture, float x, float y, float width, float height) {
    return MakeMesh(texture, 2, 2, {{x, y, 0, 255}, {x + width, y, 0, 255}, {x, y + height, 0, 255},
                                    {x + width, y + height, 0, 255}});
}


ModelPlacement At(float x, float y, const ModelOption& option, float scale = 1.0f) {
    ModelPlacement p;
    p.x = x;
    p.y = y;
    p.scale = scale;
    p.modelOption = &option;
    return p;
}

int Red(std::uint32_t rgb) { return static_cast<int>(rgb >> 16 & 0xFF); }
int Green(std::uint32_t rgb) { return static_cast<int>(rgb >> 8 & 0xFF); }
int Blue(std::uint32_t rgb) { return static_cast<int>(rgb & 0xFF); }

}  // namespace

TEST(PngEncoder, RoundTripsEveryPixel) {
    TempDir dir;
    for (const auto& size : std::vector<std::pair<int, int>>{{1, 1}, {3, 2}, {17, 5}, {300, 200}}) {
        RgbImage image(size.first, size.second, 0);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                image.Set(x, y, static_cast<std::uint32_t>(x * 7919 + y * 104729) & 0xFFFFFF);
        // Written to a file, as the batch tool's --preview does.
        std::string error;
        ASSERT_TRUE(WritePng(dir.File("a.png"), image, error)) << error;
        const RgbImage decoded = DecodePng(ReadFileBytes(dir.File("a.png")));
        EXPECT_EQ(decoded.width, image.width);
        EXPECT_EQ(decoded.height, image.height);
        EXPECT_EQ(decoded.pixels, image.pixels) << size.first << "x" << size.second;
    }
    EXPECT_EQ(EncodePng(RgbImage()), "");
    std::string error;
    EXPECT_FALSE(WritePng(dir.File("b.png"), RgbImage(), error) || FileExists(dir.File("b.png")));
}


// A designer recognises the ground from the colour: each row names a texture
// and the hue family its colour must have.
TEST(MapColours, TexturesTakeTheColourOfTheGroundTheirNameSpeaksOf) {
    enum Family { IsGreen, IsBrown, IsBlue, IsWhite, IsGrey, IsDark, IsPaleYellow };
    const std::pair<const char*, Family> cases[] = {
        {"foliage_grass_flat", IsGreen}, {"GROUND_Grass02", IsGreen}, {"ground_dirt", IsBrown}, {"mud_puddle", IsBrown},
        {"beach_sand", IsPaleYellow}, {"water_shallow", IsBlue}, {"snow_field", IsWhite}, {"rock_moss", IsGrey},
        {"cliff_face", IsGrey}, {"road_asphalt", IsDark}, {"concrete_floor", IsGrey},
        {"dirt_grass_blend", IsBrown},  // the word that comes first wins
    };
    for (const auto& [name, family] : cases) {
        SCOPED_TRACE(name);
        const std::uint32_t c = TextureColour(name);
        const int r = Red(c), g = Green(c), b = Blue(c);
        const int spread = std::max({r, g, b}) - std::min({r, g, b});
        switch (family) {
            case IsGreen: EXPECT_TRUE(g > r && g > b) << std::hex << c; break;
            case IsBrown: EXPECT_TRUE(r > g && g > b) << std::hex << c; break;
            case IsBlue: EXPECT_TRUE(b > r && b > g) << std::hex << c; break;
            case IsWhite: EXPECT_GT(std::min({r, g, b}), 200) << std::hex << c; break;
            case IsGrey: EXPECT_LT(spread, 24) << std::hex << c; break;
            case IsDark: EXPECT_LT(std::max({r, g, b}), 80) << std::hex << c; break;
            case IsPaleYellow: EXPECT_TRUE(r > 170 && g > 150 && b < g) << std::hex << c; break;
        }
    }
    // Stable, and distinct where the names differ.
    EXPECT_EQ(TextureColour("ground_grass"), TextureColour("ground_grass"));
    EXPECT_NE(TextureColour("grass_a"), TextureColour("grass_b"));
    EXPECT_NE(TextureColour("caulk"), TextureColour("metal_plate"));
}

TEST(TopDownPicture, HillShadeLightsSlopesFacingTheSun) {
    EXPECT_DOUBLE_EQ(HillShade(0, 0, 1), 1.0);
    EXPECT_DOUBLE_EQ(HillShade(0, 0, -5), 1.0);  // winding does not matter
    EXPECT_GT(HillShade(-1, 1, 2), 1.0);          // facing north-west
    EXPECT_LT(HillShade(1, -1, 2), 1.0);          // facing south-east
    EXPECT_DOUBLE_EQ(HillShade(1, -1, 0.01), 0.35);
    EXPECT_DOUBLE_EQ(HillShade(0, 0, 0), 1.0);
}

TEST(ViewTransform, FitsZoomsAroundThePointerAndPans) {
    ViewTransform view;
    view.SetViewport(216, 66);
    view.Fit({0, 400, 0, 100, 0, 0});  // 200 x 100 pixels inside the margins: 0.5 px per unit
    double px, py, x, y;
    view.ToPixel(0, 100, px, py);
    EXPECT_DOUBLE_EQ(px, 8);
    EXPECT_DOUBLE_EQ(py, 8);
    view.ToPixel(400, 0, px, py);
    EXPECT_DOUBLE_EQ(px, 208);
    EXPECT_DOUBLE_EQ(py, 58);
    view.ToWorld(30, 40, x, y);
    view.ToPixel(x, y, px, py);
    EXPECT_DOUBLE_EQ(px, 30);
    EXPECT_DOUBLE_EQ(py, 40);

    view.ZoomAt(30, 40, 4.0);  // the point under the pointer stays
    EXPECT_DOUBLE_EQ(view.Scale(), 2.0);
    double zx, zy;
    view.ToWorld(30, 40, zx, zy);
    EXPECT_NEAR(zx, x, 1e-9);
    EXPECT_NEAR(zy, y, 1e-9);
    view.Pan(10, -20);  // dragging right and up moves the world with the pointer
    view.ToPixel(x, y, px, py);
    EXPECT_NEAR(px, 40, 1e-9);
    EXPECT_NEAR(py, 20, 1e-9);
    view.ZoomAt(0, 0, 1e9);
    EXPECT_DOUBLE_EQ(view.Scale(), 64.0);
    view.ZoomAt(0, 0, 1e-9);
    EXPECT_DOUBLE_EQ(view.Scale(), 0.5 / 8);
}

TEST(TopDownPicture, TerrainInTextureColoursAndMarksWhereTheModelsAre) {
    // Two flat textures side by side: x 0..512 grass, 512..1024 dirt, y 0..512.
    const std::vector<TerrainMesh> meshes = {Rect("grass", 0, 0, 512, 512), Rect("dirt", 512, 0, 512, 512)};
    SceneRecorder recorder(meshes);
    const ModelOption tree("tree", 1), bush("bush", 1);
    recorder.Place(At(100, 300, tree, 0.5f));  // mesh 0
    recorder.MeshDone();
    recorder.Place(At(900, 100, bush, 0.5f));  // mesh 1
    recorder.Place(At(700, 400, tree, 8.0f));
    recorder.Place(At(NAN, 10, tree));
    recorder.MeshDone();
    const PreviewScene scene = recorder.Finish({}, {});
    EXPECT_EQ(scene.textures, (std::vector<std::string>{"dirt", "grass"}));
    EXPECT_EQ(scene.models, (std::vector<std::string>{"bush", "tree"}));  // by name
    EXPECT_EQ(scene.marksPerModel, (std::vector<std::uint64_t>{1, 3}));
    EXPECT_EQ(scene.marksPerTexture, (std::vector<std::uint64_t>{3, 1}));

    ViewTransform view;
    view.SetViewport(256 + 16, 128 + 16);
    view.Fit(scene.bounds);  // 4 units a pixel
    const RgbImage image = DrawTopDown(scene, view);
    const int m = ViewTransform::kMargin;
    EXPECT_EQ(image.At(m + 50, m + 10), TextureColour("grass"));  // flat: the colour itself
    EXPECT_EQ(image.At(m + 200, m + 120), TextureColour("dirt"));
    EXPECT_EQ(image.At(2, 2), kPreviewBackground);
    // Marks in their model's colour, kMarkRadius units of radius per unit of scale.
    struct Probe { int x, y; std::uint32_t colour; };
    const Probe probes[] = {
        {m + 25, m + 53, ModelColour(1)}, {m + 25 + 3, m + 53, TextureColour("grass")},  // small tree
        {m + 225, m + 103, ModelColour(0)},                                              // bush
        {m + 175, m + 28, ModelColour(1)}, {m + 175 + 10, m + 28, ModelColour(1)},       // large tree
        {m + 175 + 14, m + 28, TextureColour("dirt")},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        EXPECT_EQ(image.At(p.x, p.y), p.colour);
    }

    // Hover and click.
    const auto hovered = MarkAt(scene, view, m + 26, m + 52);
    ASSERT_TRUE(hovered.has_value());
    EXPECT_EQ(DescribeMark(scene, scene.marks[*hovered]),
              "tree\nclass: \ntexture: grass\nposition: 100 300 0\nscale: 0.5");
    EXPECT_FALSE(MarkAt(scene, view, m + 100, m + 100).has_value());
    EXPECT_EQ(TextureAt(scene, 600, 10), std::optional<std::size_t>(0));
    EXPECT_EQ(TextureAt(scene, 10, 10), std::optional<std::size_t>(1));
    EXPECT_FALSE(TextureAt(scene, 10, 600).has_value());
    MapClassTable classes;
    classes["demo"] = {TextureOption("dirt", false, 2.0f, {"bushes"})};
    EXPECT_EQ(DescribeTexture(scene, 0, classes, "demo"),
              "dirt\nmeshes: 1, models placed: 3\nrule: density x2, ignores opacity, classes: bushes\n"
              "removed by slope 0, height 0, spacing 0");
    PreviewScene clustered = scene;
    clustered.rejectionsPerTexture["dirt"].cluster = 7;
    EXPECT_EQ(DescribeTexture(clustered, 0, classes, "demo"),
              "dirt\nmeshes: 1, models placed: 3\nrule: density x2, ignores opacity, classes: bushes\n"
              "removed by slope 0, height 0, spacing 0, cluster 7, clearance 0");

    // Brushes are outlined over the ground.
    PreviewScene withBrush = scene;
    withBrush.brushOutlines = std::make_shared<const std::vector<std::vector<PointXY>>>(
        std::vector<std::vector<PointXY>>{{{0, 0}, {400, 0}, {400, 200}, {0, 200}}});
    const RgbImage outlined = DrawTopDown(withBrush, view);
    EXPECT_EQ(outlined.At(m + 50, m + 128), kBrushOutlineColour);  // its south side, y = 0
    EXPECT_EQ(outlined.At(m + 50, m + 127), TextureColour("grass"));
    EXPECT_EQ(outlined.At(m + 50, m + 10), TextureColour("grass"));

    // The saved picture: the fitted map with the legend on its right.
    const RgbImage saved = PreviewPicture(scene, 272);
    EXPECT_GT(saved.width, 272 + 100);
    EXPECT_EQ(saved.At(m + 50, m + 10), TextureColour("grass"));
}

// The demo at the batch tool's default size: one evenly distributed grass
// tuft lands beyond its mesh's southern edge, outside the picture, and the
// legend still counts it: the output holds it.
TEST(TopDownPicture, LegendCountsWhatTheRunPlaced) {
    FoliageEngine engine;
    LoadConfigurationStore(engine, std::string(ARBREL_SOURCE_DIR) + "/samples/data", /*readOnly=*/true);
    RunRequest request = DemoRequest(std::string(ARBREL_SOURCE_DIR) + "/samples/install/map_source/mp_demo.map", "");
    request.dryRun = true;
    SceneRecorder recorder(engine.meshes);
    request.observer = &recorder;
    CountingProgress counting;
    RecordingProgress progress(counting, recorder);
    const RunResult result = RunFoliage(engine, progress, request);
    ASSERT_TRUE(result.ok) << result.message;
    const PreviewScene scene = recorder.Finish(result.budget, result.statistics.rejectionsPerTexture);
    std::map<std::string, std::uint64_t> legend;
    for (std::size_t i = 0; i < scene.models.size(); ++i) legend[scene.models[i]] = scene.marksPerModel[i];
    EXPECT_EQ(legend, result.statistics.modelsPerModel);
    EXPECT_EQ(legend["foliage_grass_tuft_a"], 504u);
    std::map<std::string, std::uint64_t> perTexture;
    for (std::size_t i = 0; i < scene.textures.size(); ++i)
        if (scene.marksPerTexture[i] > 0) perTexture[scene.textures[i]] = scene.marksPerTexture[i];
    EXPECT_EQ(perTexture, result.statistics.modelsPerTexture);
}

TEST(TopDownPicture, BrokenMeshesAndEmptyScenesDrawSafely) {
    TerrainMesh shortList = Rect("a", 0, 0, 64, 64);
    shortList.rows = 5;  // more rows than vertices: only the complete ones count
    TerrainMesh farOff = Rect("b", 0, 0, 64, 64);
    farOff.vertices[3] = {NAN, 0, 0, 255};
    const std::vector<TerrainMesh> meshes = {shortList, farOff, TerrainMesh()};
    const PreviewScene scene = SceneRecorder(meshes).Finish({}, {});
    const RgbImage picture = PreviewPicture(scene, 64);
    // "b" is drawn last; its finite triangle covers the south-west corner.
    EXPECT_EQ(picture.At(ViewTransform::kMargin + 2, 64 - ViewTransform::kMargin - 2), TextureColour("b"));
    const RgbImage empty = PreviewPicture(SceneRecorder(std::vector<TerrainMesh>()).Finish({}, {}), 16);
    EXPECT_EQ(empty.At(0, 0), kPreviewBackground);
}

TEST(WindowPlace, RoundTripsAndRefusesWhatIsNotAPlace) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(SaveWindowPlace(dir.File("preview.txt"), {-20, 30, 900, 560}, error)) << error;
    WindowPlace place;
    ASSERT_TRUE(LoadWindowPlace(dir.File("preview.txt"), place));
    EXPECT_EQ(place.x, -20);
    EXPECT_EQ(place.width, 900);
    EXPECT_EQ(place.height, 560);
    EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"preview.txt"});  // no temporary left
    for (const char* text : {"", "1 2 3", "1 2 900 50", "1 2 900 560 x", "a b c d", "1 2 99999999999 560"}) {
        SCOPED_TRACE(text);
        WriteFileBytes(dir.File("bad.txt"), text);
        EXPECT_FALSE(LoadWindowPlace(dir.File("bad.txt"), place));
    }
    EXPECT_FALSE(LoadWindowPlace(dir.File("missing.txt"), place));
    EXPECT_FALSE(SaveWindowPlace(dir.File("no/dir/p.txt"), {0, 0, 900, 560}, error));
}

// A new preview window keeps clear of the main window where the screen
// allows, since it floats above it.
TEST(WindowPlace, ANewWindowOpensBesideTheMainWindowWhereThereIsRoom) {
    struct Case {
        const char* name;
        WindowPlace main, area;
        WindowPlace expected;
    };
    const Case cases[] = {
        {"wide screen: at full size to the right", {0, 0, 570, 490}, {0, 0, 1920, 1040}, {570, 0, 980, 560}},
        {"1280x1024: below, a little shorter", {0, 0, 570, 490}, {0, 0, 1280, 1024}, {0, 490, 980, 534}},
        {"main window on the right: to its left", {900, 100, 570, 490}, {0, 0, 1920, 1040}, {0, 100, 900, 560}},
        {"main window low: above it", {300, 600, 570, 490}, {0, 0, 1280, 1100}, {300, 40, 980, 560}},
        {"slid up to stay on the screen", {0, 700, 570, 300}, {0, 0, 1600, 1000}, {570, 440, 980, 560}},
        {"no side with room: centred", {200, 150, 570, 490}, {0, 0, 1024, 768}, {22, 104, 980, 560}},
        {"a screen left of the first: below", {-1400, 0, 570, 490}, {-1920, 0, 1920, 1080}, {-1400, 490, 980, 560}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowPlace got = PlaceBeside(c.main, c.area, 980, 560, 480, 320);
        EXPECT_EQ(got.x, c.expected.x);
        EXPECT_EQ(got.y, c.expected.y);
        EXPECT_EQ(got.width, c.expected.width);
        EXPECT_EQ(got.height, c.expected.height);
    }
}

// What the 3D view uploads: two triangles per cell whose normals face up
// whichever way the mesh winds, in the texture's colour; one instance per
// finite mark in its model's colour.
TEST(SceneGeometry, TrianglesFaceUpAndMarkersCarryTheirModel) {
    TerrainMesh tilted = MakeMesh("rock", 2, 2, {{0, 0, 0, 255}, {64, 0, 0, 255}, {0, 64, 64, 255}, {64, 64, 64, 255}});
    const std::vector<TerrainMesh> meshes = {Rect("grass", 0, 0, 64, 64), tilted};
    SceneRecorder recorder(meshes);
    const ModelOption tree("tree", 1);
    recorder.Place(At(10, 10, tree, 2.0f));
    recorder.Place(At(NAN, 10, tree));
    const PreviewScene scene = recorder.Finish({}, {});

    const std::vector<float> terrain = TerrainVertices(scene);
    ASSERT_EQ(terrain.size(), 4u * 3 * kTerrainVertexFloats);
    const std::uint32_t grass = TextureColour("grass");
    EXPECT_FLOAT_EQ(terrain[6], Red(grass) / 255.0f);
    EXPECT_FLOAT_EQ(terrain[7], Green(grass) / 255.0f);
    for (std::size_t corner = 0; corner < 12; ++corner) {
        SCOPED_TRACE(corner);
        const float* v = &terrain[corner * kTerrainVertexFloats];
        EXPECT_NEAR(v[3] * v[3] + v[4] * v[4] + v[5] * v[5], 1.0f, 1e-6f);
        EXPECT_GT(v[5], 0.5f);  // up, also for the mesh wound the other way
    }
    EXPECT_NEAR(terrain[6 * kTerrainVertexFloats + 4], -0.7071068f, 1e-6f);  // the tilt faces south

    const std::vector<float> markers = MarkerInstances(scene);
    ASSERT_EQ(markers.size(), static_cast<std::size_t>(kMarkerInstanceFloats));
    EXPECT_EQ(markers[0], 10.0f);
    EXPECT_EQ(markers[3], 2.0f);
    EXPECT_FLOAT_EQ(markers[7], Red(ModelColour(0)) / 255.0f);
}

// The 3D camera: fitted, the map's middle is in the middle of the view and
// its corners are in view; looking down, a point beside the target lands
// beside the middle in the right direction.
TEST(OrbitCamera, FitsTheMapAndLooksDown) {
    OrbitCamera camera;
    camera.Fit({0, 1000, 0, 500, 0, 100});
    int px = -1, py = -1;
    ASSERT_TRUE(camera.Project(500, 250, 50, 800, 600, px, py));
    EXPECT_NEAR(px, 400, 1);
    EXPECT_NEAR(py, 300, 1);
    for (const auto& corner : {std::pair<double, double>{0, 0}, {1000, 0}, {0, 500}, {1000, 500}}) {
        SCOPED_TRACE(std::to_string(corner.first) + "," + std::to_string(corner.second));
        EXPECT_TRUE(camera.Project(corner.first, corner.second, 0, 800, 600, px, py));
    }
    camera.LookDownAt(100, 100, 0, 200);
    ASSERT_TRUE(camera.Project(100, 100, 0, 800, 600, px, py));
    EXPECT_NEAR(px, 400, 1);
    EXPECT_NEAR(py, 300, 1);
    camera.Zoom(2);
    EXPECT_NEAR(camera.Distance(), 200 * 0.85 * 0.85, 1e-9);
    camera.Orbit(1e6, 0);  // any number of turns stays within the exact trigonometry's range
    EXPECT_TRUE(camera.Project(100, 100, 0, 800, 600, px, py));
}
