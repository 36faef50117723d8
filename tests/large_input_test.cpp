// Inputs far larger than any real file: each works within its memory bound
// or fails with a message, and nothing hangs or crashes.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <filesystem>

#include "config/configuration_store.h"
#include "engine/foliage_engine.h"
#include "io/paths.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

// 300 MB takes about 1.5 s in a Release build and 2.5 s under the
// sanitizers; ARBREL_LARGE_MAP_MB sets another size for a slower machine.
std::uint64_t LargeMapMegabytes() {
    if (const char* text = std::getenv("ARBREL_LARGE_MAP_MB")) return std::strtoull(text, nullptr, 10);
    return 300;
}

const char kMesh[] =
    " {\n  mesh\n  {\n   grass\n   lightmap_gray\n   2 2 16 8\n   (\n"
    "\tv 0 0 0 t 0 0 0 0\n\tv 0 64 0 t 0 0 0 0\n   )\n   (\n"
    "\tv 64 0 0 t 0 0 0 0\n\tv 64 64 0 t 0 0 0 0\n   )\n  }\n }\n";

// About a megabyte of brushes (what most of a real map is) and one mesh.
std::string Megabyte() {
    const std::string brush =
        " {\n  ( 0 0 0 ) ( 64 0 0 ) ( 0 64 0 ) caulk 64 64 0 0 0 0 lightmap_gray 16384 16384 0 0 0 0\n"
        "  ( 0 0 64 ) ( 0 64 64 ) ( 64 0 64 ) caulk 64 64 0 0 0 0 lightmap_gray 16384 16384 0 0 0 0\n }\n";
    std::string chunk;
    while (chunk.size() + brush.size() + sizeof kMesh < (1u << 20)) chunk += brush;
    return chunk + kMesh;
}

}  // namespace

TEST(LargeInput, AMapOfSeveralHundredMegabytes) {
    TempDir dir;
    const std::string path = dir.File("large.map");
    const std::uint64_t chunks = LargeMapMegabytes();
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        const std::string head = "iwmap 4\n{\n\"classname\" \"worldspawn\"\n";
        const std::string chunk = Megabyte();
        bool written = std::fwrite(head.data(), 1, head.size(), file) == head.size();
        for (std::uint64_t i = 0; i < chunks && written; ++i)
            written = std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
        written = std::fwrite("}\n", 1, 2, file) == 2 && written;
        ASSERT_EQ(std::fclose(file), 0);
        ASSERT_TRUE(written) << "the disk is too full for the test map";
    }
    FoliageEngine engine;
    CountingProgress progress;
    ASSERT_TRUE(engine.ReadMap(progress, path, FileSize(path))) << engine.LastError();
    EXPECT_EQ(engine.mapSize, FileSize(path));
    EXPECT_EQ(engine.meshes.size(), chunks);
    ASSERT_FALSE(engine.meshes.empty());
    EXPECT_EQ(engine.meshes.back().texture, "grass");
    EXPECT_EQ(engine.meshes.back().vertices.size(), 4u);
    // TempDir removes the file; the buffer goes with the engine.
}

TEST(LargeInput, ASizeLineClaimingTwoBillionVertices) {
    TempDir dir;
    const std::string path = dir.File("claims.map");
    std::string map = "iwmap 4\n{\n\"classname\" \"worldspawn\"\n" + std::string(kMesh) + "}\n";
    map.replace(map.find("2 2 16 8"), 8, "65536 32768 16 8");  // 2^31 vertices
    WriteFileBytes(path, map);
    FoliageEngine engine;
    CountingProgress progress;
    ASSERT_TRUE(engine.ReadMap(progress, path, map.size())) << engine.LastError();
    ASSERT_EQ(engine.meshes.size(), 1u);
    EXPECT_EQ(engine.meshes[0].vertices.size(), 4u);  // only what is there
    EXPECT_LT(engine.meshes[0].vertices.capacity(), 1024u);

    // Placement walks the cells the vertices really form, or none.
    engine.modelClasses["trees"] = {ModelOption("tree", 1, 1)};
    engine.mapClasses["demo"] = {TextureOption("grass", false, 1, {"trees"})};
    ASSERT_TRUE(engine.PlaceAndWrite(progress, dir.File("out.map"), "demo")) << engine.LastError();
    EXPECT_EQ(ReadFileBytes(dir.File("out.map")).compare(0, map.size(), map), 0);
}

TEST(LargeInput, ALineOfAHundredMegabytesWithoutABreak) {
    TempDir dir;
    const std::string line(std::size_t{100} << 20, 'x');
    struct Case {
        const char* name;
        std::string file;
        std::function<bool(FoliageEngine&, const std::string&)> load;
    };
    const Case cases[] = {
        {"map", "line.map",
         [](FoliageEngine& e, const std::string& p) {
             CountingProgress progress;
             return e.ReadMap(progress, p, FileSize(p));
         }},
        {"model class", "line.csv",
         [](FoliageEngine& e, const std::string& p) { return e.LoadModelClass(p, FileSize(p)); }},
        {"config", "config.csv",
         [](FoliageEngine& e, const std::string& p) { return e.LoadConfig(p, FileSize(p)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.file);
        WriteFileBytes(path, line);
        FoliageEngine engine;
        if (!c.load(engine, path)) {
            EXPECT_FALSE(engine.LastError().empty());
        }
        fs::remove(path);
    }
}

TEST(LargeInput, AHundredThousandClasses) {
    TempDir dir;
    const std::string data = dir.File("data");
    const std::string models = ModelClassDirectory(data);
    const std::string maps = MapClassDirectory(data);
    fs::create_directories(models);
    fs::create_directories(maps);
#ifdef _WIN32
    constexpr int kClasses = 1000;  // under Wine each file costs about 10 ms to create
#else
    constexpr int kClasses = 100000;
#endif
    // One map class naming every model class, and a model class file each.
    std::string mapClass = "grass,1,1";
    for (int i = 0; i < kClasses; ++i) {
        const std::string name = "class_" + std::to_string(i);
        WriteFileBytes(paths::Join(models, name + ".csv"), "foliage/tree,1,1,1,1,0,0,256,0.5,1\r\n");
        mapClass += "," + name;
    }
    WriteFileBytes(paths::Join(maps, "all.csv"), mapClass + "\r\n");

    FoliageEngine engine;
    const StoreContents contents = LoadConfigurationStore(engine, data, true);
    EXPECT_TRUE(contents.errors.empty());
    EXPECT_EQ(contents.modelClassNames.size(), std::size_t(kClasses));
    EXPECT_EQ(engine.modelClasses.size(), std::size_t(kClasses));
    ASSERT_EQ(engine.mapClasses["all"].size(), 1u);
    EXPECT_EQ(engine.mapClasses["all"][0].modelClassNames.size(), std::size_t(kClasses));
}
