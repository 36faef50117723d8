// Inputs far larger than any real file: each works within its memory bound
// or fails with a message, and nothing hangs or crashes.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/foliage_engine.h"
#include "tests/test_support.h"

namespace {

// 300 MB takes about 1.5 s in a Release build and 2.5 s under the
// sanitizers; ARBREL_LARGE_MAP_MB sets another size for a slower machine.
std::uint64_t LargeMapMegabytes() {
    if (const char* text = std::getenv("ARBREL_LARGE_MAP_MB")) return std::strtoull(text, nullptr, 10);
    return 300;
}

// The mesh brush of kOneMeshMap, between the worldspawn's key and its end.
const std::string kHead = "iwmap 4\n{\n\"classname\" \"worldspawn\"\n";
const std::string kMesh = std::string(kOneMeshMap).substr(kHead.size(), std::strlen(kOneMeshMap) - kHead.size() - 2);

// About a megabyte of brushes (what most of a real map is) and one mesh.
std::string Megabyte() {
    const std::string brush =
        " {\n  ( 0 0 0 ) ( 64 0 0 ) ( 0 64 0 ) caulk 64 64 0 0 0 0 lightmap_gray 16384 16384 0 0 0 0\n"
        "  ( 0 0 64 ) ( 0 64 64 ) ( 64 0 64 ) caulk 64 64 0 0 0 0 lightmap_gray 16384 16384 0 0 0 0\n }\n";
    std::string chunk;
    while (chunk.size() + brush.size() + kMesh.size() < (1u << 20)) chunk += brush;
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
        const std::string chunk = Megabyte();
        bool written = std::fwrite(kHead.data(), 1, kHead.size(), file) == kHead.size();
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

// Read as a map and as a model class, the line is one long name, kept
// whole (config.csv goes through the same line reader).
TEST(LargeInput, ALineOfAHundredMegabytesWithoutABreak) {
    TempDir dir;
    const std::string line(std::size_t{100} << 20, 'x'), path = dir.File("line.csv");
    WriteFileBytes(path, line);
    {
        FoliageEngine engine;
        CountingProgress progress;
        ASSERT_TRUE(engine.ReadMap(progress, path, line.size())) << engine.LastError();
        EXPECT_TRUE(engine.meshes.empty());
        EXPECT_EQ(engine.mapSize, line.size());
    }
    FoliageEngine engine;
    ASSERT_TRUE(engine.LoadModelClass(path, line.size())) << engine.LastError();
    ASSERT_EQ(engine.modelClasses["line"].size(), 1u);
    EXPECT_EQ(engine.modelClasses["line"][0].modelName.size(), line.size());
}
