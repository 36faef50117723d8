#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "config/store_loader.h"
#include "preview/placement_preview.h"
#include "preview/png_encoder.h"
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

ModelPlacement At(float x, float y, const ModelOption& option) {
    ModelPlacement p;
    p.x = x;
    p.y = y;
    p.modelOption = &option;
    return p;
}

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

TEST(PlacementPreview, FitsTheTerrainAndKeepsItsShape) {
    struct Case { float width, height; int side; int expectWidth, expectHeight; };
    const Case cases[] = {
        {1024, 1024, 1024, 1024, 1024}, {2048, 1024, 1024, 1024, 521}, {100, 400, 256, 77, 256},
        {0, 0, 64, 17, 17},  // a degenerate mesh still gives a small image
    };
    for (const Case& c : cases) {
        const PlacementPreview preview({Rect("t", 0, 0, c.width, c.height)}, c.side);
        EXPECT_EQ(preview.Image().width, c.expectWidth) << c.width << "x" << c.height;
        EXPECT_EQ(preview.Image().height, c.expectHeight) << c.width << "x" << c.height;
    }
}

TEST(PlacementPreview, TerrainInTextureColoursAndDotsWhereTheModelsAre) {
    // Two textures side by side: x 0..512 grass, 512..1024 dirt, y 0..512.
    const std::vector<TerrainMesh> meshes = {Rect("grass", 0, 0, 512, 512), Rect("dirt", 512, 0, 512, 512)};
    PlacementPreview preview(meshes, 256 + 2 * PlacementPreview::kMargin + 1);
    const RgbImage& image = preview.Image();
    ASSERT_EQ(image.width, 257 + 2 * PlacementPreview::kMargin);
    const int m = PlacementPreview::kMargin;
    // 4 units per pixel; north (+y) is the top row.
    struct Point { double x, y; int px, py; };
    const Point points[] = {{0, 512, m, m}, {1023.9, 0.1, m + 255, m + 127}, {100, 300, m + 25, m + 53},
                            {1024, 0, m + 256, m + 128}};
    for (const Point& p : points) {
        int px = -1, py = -1;
        ASSERT_TRUE(preview.ToPixel(p.x, p.y, px, py)) << p.x << "," << p.y;
        EXPECT_EQ(px, p.px) << p.x << "," << p.y;
        EXPECT_EQ(py, p.py) << p.x << "," << p.y;
    }
    // Textures take their colours in name order: dirt, then grass.
    EXPECT_EQ(image.At(m + 50, m + 64), TextureColour(1));  // flat: full colour
    EXPECT_EQ(image.At(m + 200, m + 64), TextureColour(0));
    EXPECT_EQ(image.At(2, 2), PlacementPreview::kBackground);
    ASSERT_EQ(image.height, 129 + 2 * m);
    EXPECT_EQ(image.At(m + 100, m + 130), PlacementPreview::kBackground);  // south of the terrain

    const ModelOption tree("tree", 1), bush("bush", 1);
    preview.Place(At(100, 300, tree));
    preview.Place(At(900, 100, bush));
    preview.Place(At(110, 300, tree));
    // Models take theirs in order of first placement: tree, then bush.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(image.At(m + 25 + dx, m + 53 + dy), ModelColour(0));
    EXPECT_EQ(image.At(m + 25, m + 53 + 2), TextureColour(1));  // the dot is 3x3
    EXPECT_EQ(image.At(m + 225, m + 103), ModelColour(1));

    // The legend names each colour with its count, below the picture.
    const std::vector<std::pair<std::string, std::uint64_t>> textures = {{"dirt", 1}, {"grass", 1}};
    const std::vector<std::pair<std::string, std::uint64_t>> models = {{"tree", 2}, {"bush", 1}};
    auto named = [](const std::vector<LegendEntry>& entries) {
        std::vector<std::pair<std::string, std::uint64_t>> out;
        for (const LegendEntry& e : entries) out.emplace_back(e.name, e.count);
        return out;
    };
    EXPECT_EQ(named(preview.TextureLegend()), textures);
    EXPECT_EQ(named(preview.ModelLegend()), models);
    const RgbImage withLegend = preview.WithLegend();
    EXPECT_EQ(withLegend.width, image.width);
    EXPECT_GT(withLegend.height, image.height + 4 * 12);
    EXPECT_TRUE(std::equal(image.pixels.begin(), image.pixels.end(), withLegend.pixels.begin()));

    // Outside the picture, NaN and infinite positions draw nothing, but the
    // legend counts them: the output holds them all.
    const std::vector<std::uint8_t> before = image.pixels;
    for (const ModelPlacement& p : {At(-5000, 0, tree), At(0, 1e30f, tree), At(NAN, 10, tree),
                                    At(INFINITY, 10, tree)})
        preview.Place(p);
    EXPECT_EQ(image.pixels, before);
    EXPECT_EQ(preview.ModelLegend().front().count, 6u);
}

// The demo at the batch tool's default size: one evenly distributed grass
// tuft lands beyond its mesh's southern edge, outside the picture.
TEST(PlacementPreview, LegendCountsWhatTheRunPlaced) {
    FoliageEngine engine;
    LoadConfigurationStore(engine, std::string(ARBREL_SOURCE_DIR) + "/samples/data", /*readOnly=*/true);
    RunRequest request = DemoRequest(std::string(ARBREL_SOURCE_DIR) + "/samples/install/map_source/mp_demo.map", "");
    request.dryRun = true;
    PreviewRecorder preview(engine.meshes, 1024);
    request.observer = &preview;
    CountingProgress progress;
    const RunResult result = RunFoliage(engine, progress, request);
    ASSERT_TRUE(result.ok) << result.message;
    std::map<std::string, std::uint64_t> legend;
    for (const LegendEntry& e : preview.Picture().ModelLegend()) legend[e.name] = e.count;
    EXPECT_EQ(legend, result.statistics.modelsPerModel);
    EXPECT_EQ(legend["foliage_grass_tuft_a"], 504u);
}

TEST(PlacementPreview, BrokenMeshesAreSkippedSafely) {
    TerrainMesh shortList = Rect("a", 0, 0, 64, 64);
    shortList.rows = 5;  // more rows than vertices: only the complete ones count
    TerrainMesh farOff = Rect("b", 0, 0, 64, 64);
    farOff.vertices[3] = {NAN, 0, 0, 255};
    TerrainMesh empty;
    const PlacementPreview preview({shortList, farOff, empty}, 64);
    EXPECT_EQ(preview.Image().width, 64);
    EXPECT_EQ(preview.Image().At(PlacementPreview::kMargin + 2, 64 - PlacementPreview::kMargin - 2),
              TextureColour(2));  // "b" (after "" and "a") is drawn last; its finite triangle covers the south-west corner
}
