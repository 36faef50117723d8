#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <filesystem>

#include "config/configuration_store.h"
#include "config/install_dir_check.h"
#include "config/map_source_listing.h"
#include "engine/run_pipeline.h"
#include "io/paths.h"
#include "io/platform.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

const char kNotAFile[] = "Path specified for the .map input file is not a file.";
const char kNoMapClass[] = "Map configuration not set.";
const char kReadFailed[] = "An error occured while reading the map file.";
const char kNoTerrain[] = "Your map does not have any terrain meshes, which is required to add models to.";

const char kOneMesh[] =
    "iwmap 4\n{\n\"classname\" \"worldspawn\"\n {\n  mesh\n  {\n   grass\n   lightmap_gray\n"
    "   2 2 16 8\n   (\n\tv 0 0 0 t 0 0 0 0\n\tv 0 64 0 t 0 0 0 0\n   )\n   (\n"
    "\tv 64 0 0 t 0 0 0 0\n\tv 64 64 0 t 0 0 0 0\n   )\n  }\n }\n}\n";

// An installation directory with map_source/mp_test.map, and an engine that
// places one model class on its grass.
struct Fixture {
    TempDir dir;
    std::string install = dir.File("cod");
    std::string mapSource = paths::Join(install, "map_source");
    FoliageEngine engine;
    CountingProgress progress;

    Fixture() {
        fs::create_directories(mapSource);
        WriteFileBytes(paths::Join(mapSource, "mp_test.map"), kOneMesh);
        engine.modelClasses["trees"] = {ModelOption("tree", 1, 1)};
        engine.mapClasses["demo"] = {TextureOption("grass", false, 1, {"trees"})};
    }

    RunResult Run(const std::string& input, const std::string& output, bool chosen = true,
                  const std::string& installDir = "use") {
        RunRequest request;
        request.inputText = input;
        request.outputText = output;
        request.installDir = installDir == "use" ? install : installDir;
        request.mapClassChosen = chosen;
        request.mapClassName = "demo";
        return RunFoliage(engine, progress, request);
    }
};

}  // namespace

TEST(RunFoliage, MapNameOfTheInstallationIntoItsMapSource) {
    Fixture f;
    const RunResult result = f.Run("mp_test", "mp_test_foliage");
    ASSERT_TRUE(result.ok) << result.message << " " << result.detail;
    EXPECT_EQ(result.inputPath, paths::Join(f.mapSource, "mp_test.map"));
    EXPECT_EQ(result.outputPath, paths::Join(f.mapSource, "mp_test_foliage.map"));
    EXPECT_EQ(f.progress.meshesRead, 1);
    EXPECT_EQ(f.progress.meshesProcessed, 1);
    EXPECT_EQ(f.progress.modelsPlaced, 6);
    const std::string output = ReadFileBytes(result.outputPath);
    EXPECT_EQ(output.compare(0, sizeof kOneMesh - 1, kOneMesh), 0);
}

// UTF-8 names reach the file system intact (wide paths on Windows): an
// installation, a map, its output and a data directory with "é" and "ü".
TEST(RunFoliage, NonAsciiNamesRoundTripThroughTheFileSystem) {
    Fixture f;
    const std::string install = f.dir.File("Jos\xc3\xa9"), mapSource = MapSourceDirectory(install);
    const std::string map = "mp_gr\xc3\xbcn";
    fs::create_directories(platform::FsPath(mapSource));
    WriteFileBytes(paths::Join(mapSource, map + ".map"), kOneMesh);
    EXPECT_TRUE(CheckInstallationDirectory(install).ok());
    const RunResult result = f.Run(map, map + "_foliage", true, install);
    ASSERT_TRUE(result.ok) << result.message << " " << result.detail;
    std::vector<std::string> maps = ListMapSource(mapSource).mapNames;
    std::sort(maps.begin(), maps.end());
    EXPECT_EQ(maps, (std::vector<std::string>{map, map + "_foliage"}));
    EXPECT_EQ(ReadFileBytes(result.outputPath).compare(0, sizeof kOneMesh - 1, kOneMesh), 0);

    const std::string data = f.dir.File("Donn\xc3\xa9\x65s");
    LoadConfigurationStore(f.engine, data);  // makes data, maps and models
    ASSERT_TRUE(f.engine.SaveModelClass(ModelClassDirectory(data), "b\xc3\xa4ume")) << f.engine.LastError();
    FoliageEngine reloaded;
    EXPECT_EQ(LoadConfigurationStore(reloaded, data).modelClassNames,
              std::vector<std::string>{"b\xc3\xa4ume"});
}

TEST(RunFoliage, InputAsTypedAndFullOutputPathWithNewDirectory) {
    Fixture f;
    const std::string input = f.dir.File("elsewhere.map");
    WriteFileBytes(input, kOneMesh);
    const std::string output = f.dir.File("new") + "/out";  // no ".map" appended
    const RunResult result = f.Run(input, output, true, "");
    ASSERT_TRUE(result.ok) << result.message << " " << result.detail;
    EXPECT_EQ(result.inputPath, input);
    EXPECT_TRUE(FileExists(output));
}

TEST(RunFoliage, OutputNameGoesToMapSourceEvenForOutsideInput) {
    Fixture f;
    fs::remove_all(f.mapSource);
    fs::create_directories(f.install);
    const std::string input = f.dir.File("outside.map");
    WriteFileBytes(input, kOneMesh);
    const RunResult result = f.Run(input, "named");
    ASSERT_TRUE(result.ok) << result.message << " " << result.detail;
    EXPECT_TRUE(FileExists(paths::Join(f.mapSource, "named.map")));  // map_source was created
}

TEST(RunFoliage, InputThatIsNotAFile) {
    Fixture f;
    fs::create_directories(paths::Join(f.mapSource, "folder.map"));
    for (const std::string& input : {std::string("missing"), std::string("folder"), f.mapSource,
                                     std::string(), std::string("mp_test.map")}) {
        const RunResult result = f.Run(input, "out");
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, kNotAFile) << input;
    }
    // No installation: a map name alone is no path.
    EXPECT_EQ(f.Run("mp_test", f.dir.File("o.map"), true, "").message, kNotAFile);
}

TEST(RunFoliage, OutputDirectoryProblemsNameThePathAndReason) {
    Fixture f;
    const std::string deep = f.dir.File("a") + "/b/out.map";  // two missing levels
    RunResult result = f.Run("mp_test", deep);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(f.dir.File("a") + "/b"), std::string::npos) << result.message;
    EXPECT_FALSE(fs::exists(f.dir.File("a")));

    // A name with no installation has no map_source to go into.
    result = f.Run(paths::Join(f.mapSource, "mp_test.map"), "name", true, "");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("name"), std::string::npos) << result.message;
}

TEST(RunFoliage, MissingMapClassAfterTheDirectoryIsMade) {
    Fixture f;
    const std::string dir = f.dir.File("made");
    const RunResult result = f.Run("mp_test", dir + "/out.map", false);
    EXPECT_EQ(result.message, kNoMapClass);
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_EQ(f.progress.meshesRead, 0);
}

TEST(RunFoliage, MapsWithoutTerrainWriteNothing) {
    Fixture f;
    const std::string out = f.dir.File("out.map");
    const std::string cases[] = {std::string(), "iwmap 4\n{\n\"classname\" \"worldspawn\"\n}\n",
                                 std::string("\0\0\0{\0}", 6)};
    for (const std::string& bytes : cases) {
        WriteFileBytes(f.dir.File("plain.map"), bytes);
        EXPECT_EQ(f.Run(f.dir.File("plain.map"), out).message, kNoTerrain);
        EXPECT_FALSE(FileExists(out));
    }
}

TEST(RunFoliage, BrokenMapsNeverCrashOrChangeTheInput) {
    Fixture f;
    const std::string mesh(kOneMesh);
    const std::string cases[] = {
        mesh.substr(0, mesh.size() / 2),                                   // truncated
        mesh.substr(0, mesh.find("   (")) + "}}}}",                        // mesh without rows
        std::string(mesh).replace(mesh.find("2 2 16 8"), 8, "1000000000 1000000000 16 8"),
        std::string(mesh).replace(mesh.find("v 64 0 0"), 8, "v nan 0 inf"),
        std::string(mesh).replace(mesh.find("v 64 0 0"), 8, "v 1e39 -1e39 0"),
        std::string(mesh).insert(mesh.find("grass"), std::string("\0\0", 2)),
        "{{{{{{{{ mesh {",
    };
    for (const std::string& bytes : cases) {
        const std::string input = f.dir.File("broken.map");
        WriteFileBytes(input, bytes);
        const RunResult result = f.Run(input, f.dir.File("out.map"));
        if (!result.ok) {
            EXPECT_EQ(result.message, kNoTerrain);
        }
        EXPECT_EQ(ReadFileBytes(input), bytes);
    }
}

TEST(RunFoliage, OutputMayBeTheInputItself) {
    Fixture f;
    const std::string path = paths::Join(f.mapSource, "mp_test.map");
    const RunResult result = f.Run("mp_test", path);
    ASSERT_TRUE(result.ok) << result.message << " " << result.detail;
    const std::string output = ReadFileBytes(path);
    EXPECT_EQ(output.compare(0, sizeof kOneMesh - 1, kOneMesh), 0);
    EXPECT_GT(output.size(), sizeof kOneMesh);
}

TEST(RunFoliage, AnOutputThatIsADirectoryIsRefusedBeforeReading) {
    Fixture f;
    const std::string taken = paths::Join(f.mapSource, "taken.map");
    fs::create_directories(taken);
    const RunResult result = f.Run("mp_test", "taken");
    EXPECT_EQ(result.message, "Path specified for the .map output file is a directory.");
    EXPECT_EQ(result.detail, taken);
    EXPECT_EQ(f.progress.meshesRead, 0);
}

namespace {

// Asks to stop, or throws, once it has seen `limit` meshes read or models
// placed.
class InterruptingProgress : public CountingProgress {
public:
    InterruptingProgress(bool countModels, int limit, bool throws)
        : countModels_(countModels), limit_(limit), throws_(throws) {}
    void MeshRead() override {
        CountingProgress::MeshRead();
        if (!countModels_) Reached(meshesRead);
    }
    void ModelPlaced() override {
        CountingProgress::ModelPlaced();
        if (countModels_) Reached(modelsPlaced);
    }
    bool KeepGoing() override { return !stop_; }

private:
    void Reached(int count) {
        if (count < limit_) return;
        if (throws_) throw std::runtime_error("the display failed");
        stop_ = true;
    }
    bool countModels_;
    int limit_;
    bool throws_;
    bool stop_ = false;
};

}  // namespace

TEST(RunFoliage, AStopOrAnExceptionEndsTheRunAndLeavesNoFileBehind) {
    struct Case { bool countModels; int limit; bool throws; bool dryRun; const char* message; };
    const char* stopped = "The run was stopped. Nothing was written.";
    const Case cases[] = {
        {false, 1, false, false, stopped},  // while reading
        {true, 2, false, false, stopped},   // while placing
        {true, 2, false, true, stopped},    // a dry run
        {true, 2, true, false, "The run ended with an unexpected failure. Nothing was written."},
    };
    for (const Case& c : cases) {
        Fixture f;
        InterruptingProgress progress(c.countModels, c.limit, c.throws);
        RunRequest request;
        request.inputText = "mp_test";
        request.outputText = f.dir.File("out.map");
        request.installDir = f.install;
        request.mapClassChosen = true;
        request.mapClassName = "demo";
        request.dryRun = c.dryRun;
        const RunResult result = RunFoliage(f.engine, progress, request);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.stopped, !c.throws);
        EXPECT_EQ(result.detail, c.throws ? "the display failed" : "");
        EXPECT_LE(progress.modelsPlaced, 2);  // nothing placed after the stop
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(f.dir.path()))
            left.push_back(entry.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>{"cod"}) << c.limit;
    }
}

TEST(RunFoliage, InputOverFourGigabytesIsRefused) {
    Fixture f;
    const std::string big = f.dir.File("big.map");
    WriteFileBytes(big, "");
    std::error_code error;
    fs::resize_file(big, (std::uint64_t{1} << 32) + 1, error);  // sparse: no disk used
    if (error) GTEST_SKIP() << "cannot make a sparse file here";
    const RunResult result = f.Run(big, f.dir.File("out.map"));
    EXPECT_EQ(result.message, kReadFailed);
    EXPECT_NE(result.detail.find("4 GiB"), std::string::npos);
}
