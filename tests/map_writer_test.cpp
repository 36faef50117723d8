#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "engine/foliage_engine.h"
#include "engine/placement_block.h"
#include "tests/test_support.h"

namespace {

void LoadBytes(FoliageEngine& engine, const std::string& bytes) {
    engine.mapBuffer.reset(new char[bytes.size() + 1]);
    std::memcpy(engine.mapBuffer.get(), bytes.data(), bytes.size());
    engine.mapSize = static_cast<std::uint32_t>(bytes.size());
}

// An engine with one 64-unit grass cell and a map class "demo" placing "tree".
void Prepare(FoliageEngine& engine, const std::string& input, float zOffset = 0) {
    LoadBytes(engine, input);
    engine.meshes = {FlatCell("grass"), FlatCell("rock")};
    AddTreesOnGrass(engine, ModelOption("foliage/tree_a", 1, 1, true, true, zOffset));
}

}  // namespace

TEST(PlacementBlock, SevenLinesInTheFileFormat) {
    ModelOption model("foliage/tree a", 1);
    ModelPlacement p;
    p.x = 1024; p.y = -1536.5f; p.z = 123456.7f; p.scale = 0.5f;
    p.pitch = -0.0f; p.yaw = 1234567; p.roll = 0.00001f;
    p.modelOption = &model;
    char buffer[PlacementBlockCapacity(14)];
    const std::string block(buffer, FormatPlacementBlock(p, buffer));
    EXPECT_EQ(block,
              "{\n\"origin\" \"1024 -1536.5 123457\"\n\"modelscale\" \"0.5\"\n"
              "\"angles\" \"-0 1.23457e+06 1e-05\"\n\"model\" \"foliage/tree a\"\n"
              "\"classname\" \"misc_model\"\n}\n");
}

// The key goes after every other key and before "classname"; the block is
// otherwise the same, marked or not.
TEST(PlacementBlock, SpawnflagsComeLastBeforeTheClassname) {
    ModelOption model("grass", 1);
    model.spawnflags = 6;
    const std::string className = "lawn";
    ModelPlacement p;
    p.x = 1; p.y = 2; p.z = 3; p.scale = 1;
    p.modelOption = &model;
    p.modelClassName = &className;
    const std::string head = "{\n\"origin\" \"1 2 3\"\n\"modelscale\" \"1\"\n\"angles\" \"0 0 0\"\n"
                             "\"model\" \"grass\"\n";
    const std::string tail = "\"spawnflags\" \"6\"\n\"classname\" \"misc_model\"\n}\n";
    char buffer[PlacementBlockCapacity(5, 4)];
    EXPECT_EQ(std::string(buffer, FormatPlacementBlock(p, buffer)), head + tail);
    EXPECT_EQ(std::string(buffer, FormatPlacementBlock(p, buffer, true)),
              head + "\"arbrel_class\" \"lawn\"\n" + tail);
    model.spawnflags = 0;  // set to 0 is still written; unset is not
    EXPECT_NE(std::string(buffer, FormatPlacementBlock(p, buffer)).find("\"spawnflags\" \"0\"\n\"classname\""),
              std::string::npos);
}

TEST(PlacementBlock, LongestNumbersFitTheCapacity) {
    const std::string name(300, 'm');
    ModelOption model(name, 1);
    model.spawnflags = -2147483647 - 1;
    ModelPlacement p;
    p.x = p.y = p.z = p.scale = p.pitch = p.yaw = p.roll = -1.17549435e-38f;
    p.modelOption = &model;
    std::string buffer(PlacementBlockCapacity(name.size()), '\0');
    EXPECT_LE(FormatPlacementBlock(p, &buffer[0]), buffer.size());
    char warning[kNaNWarningCapacity];
    EXPECT_LE(FormatNaNWarning(p, warning), sizeof warning);
}

TEST(PlaceAndWrite, CopiesTheInputThenAppendsOneBlockPerPlacement) {
    TempDir dir;
    // CR LF line ends and no line end at the very end stay as they are.
    const std::string input = "iwmap 4\r\n{\r\n\"classname\" \"worldspawn\"\r\n}";
    FoliageEngine engine;
    Prepare(engine, input);
    CountingProgress progress;
    ASSERT_TRUE(engine.PlaceAndWrite(progress, dir.File("out.map"), "demo"));
    const std::string output = ReadFileBytes(dir.File("out.map"));
    ASSERT_EQ(output.compare(0, input.size(), input), 0);
    EXPECT_EQ(output.substr(input.size(), 12), "{\n\"origin\" \"");
    EXPECT_EQ(Occurrences(output, "\"classname\" \"misc_model\"\n}\n"), 6u);
    EXPECT_EQ(Occurrences(output.substr(input.size()), "\r"), 0u);
    EXPECT_EQ(Occurrences(output, "\"model\" \"foliage/tree_a\"\n"), 6u);
    EXPECT_EQ(progress.modelsPlaced, 6);
    EXPECT_EQ(progress.meshesProcessed, 2);
    EXPECT_EQ(progress.meshesRead, 0);
    EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"out.map"});
}

TEST(PlaceAndWrite, NoMatchingTextureOrEmptyInputGivesAnExactCopy) {
    TempDir dir;
    for (const std::string& input : {std::string("iwmap 4\n{\n}\n"), std::string()}) {
        FoliageEngine engine;
        Prepare(engine, input);
        engine.mapClasses["demo"][0].textureName = "sand";
        CountingProgress progress;
        SCOPED_TRACE(input.empty() ? "an empty input" : "a map without meshes");
        EXPECT_TRUE(engine.PlaceAndWrite(progress, dir.File("copy.map"), "demo"));
        EXPECT_EQ(ReadFileBytes(dir.File("copy.map")), input);
        EXPECT_EQ(progress.meshesProcessed, 2);
        EXPECT_EQ(progress.modelsPlaced, 0);
    }
}

TEST(PlaceAndWrite, NaNPlacementsAreWarnedAboutAndSkipped) {
    TempDir dir;
    FoliageEngine engine;
    Prepare(engine, "iwmap 4\n", std::numeric_limits<float>::quiet_NaN());
    CountingProgress progress;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(engine.PlaceAndWrite(progress, dir.File("out.map"), "demo"));
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadFileBytes(dir.File("out.map")), "iwmap 4\n");
    EXPECT_EQ(progress.modelsPlaced, 0);
    EXPECT_EQ(Occurrences(warnings, "WARNING: float is NaN (not a number), debug output: "), 6u);
    // x, y, z, pitch, roll, yaw, scale: the first placement of the flat cell.
    EXPECT_EQ(warnings.substr(0, warnings.find('\n') + 1),
              "WARNING: float is NaN (not a number), debug output: 11.209, 37.4355, nan, 0, 0, "
              "322.537, 0.91141\n");
}
