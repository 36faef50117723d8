#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <filesystem>

#include "engine/store_loader.h"
#include "config/install_dir_check.h"
#include "ui_logic/map_source_listing.h"
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

const std::string kOneMesh = kOneMeshMap;

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
        AddTreesOnGrass(engine);
    }

    RunResult Run(const std::string& input, const std::string& output, bool chosen = true,
                  const std::string& installDir = "use") {
        RunRequest request = DemoRequest(input, output);
        request.installDir = installDir == "use" ? install : installDir;
        request.mapClassChosen = chosen;
        return RunFoliage(engine, progress, request);
    }
};

}  // namespace

// Map names of an installation, paths as typed and output names into its
// map_source (made when missing); inputs that are not files are refused.
TEST(RunFoliage, ResolvesInputAndOutputPaths) {
    Fixture f;
    const std::string source = paths::Join(f.mapSource, "mp_test.map"), outside = f.dir.File("outside.map");
    const std::string bare = f.dir.File("bare"), typed = f.dir.File("new") + "/out";  // no ".map" appended
    WriteFileBytes(outside, kOneMesh);
    fs::create_directories(bare);
    fs::create_directories(paths::Join(f.mapSource, "folder.map"));
    struct Case { std::string input, output, installDir, wantInput, wantOutput; };  // no output: not a file
    const Case cases[] = {
        {"mp_test", "mp_test_foliage", f.install, source, paths::Join(f.mapSource, "mp_test_foliage.map")},
        // A name that already ends in ".map" gets no second one.
        {"mp_test", "mp_x.map", f.install, source, paths::Join(f.mapSource, "mp_x.map")},
        {"mp_test", "mp_y.MAP", f.install, source, paths::Join(f.mapSource, "mp_y.MAP")},
        {"mp_test", "mp_z.map.v2", f.install, source, paths::Join(f.mapSource, "mp_z.map.v2.map")},
        {"mp_test", ".map", f.install, source, paths::Join(f.mapSource, ".map.map")},  // no name before it
        {outside, typed, "", outside, typed},
        {outside, "named", bare, outside, paths::Join(MapSourceDirectory(bare), "named.map")},
        {"mp_test", source, f.install, source, source},  // the output may be the input itself
        {"missing", "out", f.install, "", ""}, {"folder", "out", f.install, "", ""},
        {f.mapSource, "out", f.install, "", ""}, {"", "out", f.install, "", ""},
        {"mp_test.map", "out", f.install, "", ""},
        {"mp_test", f.dir.File("o.map"), "", "", ""},  // no installation: a map name alone is no path
    };
    // A map named with ".map" is pointed out; ".map" alone names no map (and
    // is asked before the cases write ".map.map").
    EXPECT_NE(f.Run("mp_test.map", "out").detail.find("named without \".map\": 'mp_test'."), std::string::npos);
    const RunResult dotMap = f.Run(".map", "out");
    EXPECT_EQ(dotMap.message, kNotAFile);
    EXPECT_EQ(dotMap.detail.find("named without"), std::string::npos);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + " to " + c.output);
        const RunResult result = f.Run(c.input, c.output, true, c.installDir);
        if (c.wantOutput.empty()) {
            EXPECT_EQ(result.message, kNotAFile);
            continue;
        }
        EXPECT_TRUE(result.ok) << result.message << " " << result.detail;
        EXPECT_EQ(result.inputPath, c.wantInput);
        EXPECT_EQ(result.outputPath, c.wantOutput);
        const std::string output = ReadFileBytes(c.wantOutput);
        EXPECT_EQ(output.compare(0, kOneMesh.size(), kOneMesh), 0);
        EXPECT_GT(output.size(), kOneMesh.size());
    }
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
    EXPECT_EQ(ReadFileBytes(result.outputPath).compare(0, kOneMesh.size(), kOneMesh), 0);

    const std::string data = f.dir.File("Donn\xc3\xa9\x65s");
    LoadConfigurationStore(f.engine, data);  // makes data, maps and models
    ASSERT_TRUE(f.engine.SaveModelClass(ModelClassDirectory(data), "b\xc3\xa4ume")) << f.engine.LastError();
    FoliageEngine reloaded;
    EXPECT_EQ(LoadConfigurationStore(reloaded, data).modelClassNames,
              std::vector<std::string>{"b\xc3\xa4ume"});
}

// Refused before any reading: an output directory that cannot be made (two
// missing levels; a name without an installation has no map_source), no map
// class (once the directory is made), an output that is a directory.
TEST(RunFoliage, RefusesBeforeReadingWithThePathAndReason) {
    Fixture f;
    const std::string deep = f.dir.File("a") + "/b", taken = paths::Join(f.mapSource, "taken.map");
    fs::create_directories(taken);
    struct Case { std::string input, output; bool chosen; std::string installDir, message; bool exact; };
    const Case cases[] = {
        {"mp_test", deep + "/out.map", true, f.install, deep, false},
        {paths::Join(f.mapSource, "mp_test.map"), "name", true, "", "name", false},
        {"mp_test", f.dir.File("made") + "/out.map", false, f.install, kNoMapClass, true},
        {"mp_test", "taken", true, f.install, "Path specified for the .map output file is a directory.", true},
    };
    for (const Case& c : cases) {
        const RunResult result = f.Run(c.input, c.output, c.chosen, c.installDir);
        EXPECT_FALSE(result.ok) << c.output;
        if (c.exact) {
            EXPECT_EQ(result.message, c.message);
        } else {
            EXPECT_NE(result.message.find(c.message), std::string::npos) << result.message;
        }
    }
    EXPECT_EQ(f.Run("mp_test", "taken").detail, taken);
    EXPECT_FALSE(fs::exists(f.dir.File("a")));
    EXPECT_TRUE(fs::is_directory(f.dir.File("made")));
    EXPECT_EQ(f.progress.meshesRead, 0);
}

// Maps without terrain are refused with the message and write nothing;
// broken ones write the input and what could be placed on what was read.
TEST(RunFoliage, MapsWithoutTerrainOrBrokenNeverCrash) {
    Fixture f;
    const std::string& mesh = kOneMesh;
    const struct { const char* what; std::string bytes; bool places; } cases[] = {
        {"empty", std::string(), false},
        {"no mesh", "iwmap 4\n{\n\"classname\" \"worldspawn\"\n}\n", false},
        {"NUL bytes", std::string("\0\0\0{\0}", 6), false},
        {"braces only", "{{{{{{{{ mesh {", false},
        {"truncated", mesh.substr(0, mesh.size() / 2), false},
        {"mesh without rows", mesh.substr(0, mesh.find("   (")) + "}}}}", true},
        {"huge size line", std::string(mesh).replace(mesh.find("2 2 16 8"), 8, "1000000000 1000000000 16 8"), true},
        {"nan and inf", std::string(mesh).replace(mesh.find("v 64 0 0"), 8, "v nan 0 inf"), true},
        {"beyond float", std::string(mesh).replace(mesh.find("v 64 0 0"), 8, "v 1e39 -1e39 0"), true},
        {"NUL in the texture", std::string(mesh).insert(mesh.find("grass"), std::string("\0\0", 2)), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string input = f.dir.File("broken.map"), output = f.dir.File("out.map");
        WriteFileBytes(input, c.bytes);
        fs::remove(output);
        const RunResult result = f.Run(input, output);
        EXPECT_EQ(result.ok, c.places) << result.message;
        if (c.places && FileExists(output)) {
            EXPECT_EQ(ReadFileBytes(output).compare(0, c.bytes.size(), c.bytes), 0);
        } else {
            EXPECT_EQ(result.message, kNoTerrain);
            EXPECT_FALSE(FileExists(output));
        }
    }
}

namespace {

// Asks to stop, or throws, at the second model placed (or the first mesh read).
struct InterruptingProgress : CountingProgress {
    bool countModels, throws, stop = false;
    void MeshRead() override { CountingProgress::MeshRead(); Reached(!countModels && meshesRead >= 1); }
    void ModelPlaced() override { CountingProgress::ModelPlaced(); Reached(countModels && modelsPlaced >= 2); }
    bool KeepGoing() override { return !stop; }
    void Reached(bool reached) {
        if (reached && throws) throw std::runtime_error("the display failed");
        stop = stop || reached;
    }
};

}  // namespace

TEST(RunFoliage, AStopOrAnExceptionEndsTheRunAndLeavesNoFileBehind) {
    // What a fresh engine writes: the run after a stopped one writes the same.
    Fixture fresh;
    ASSERT_TRUE(fresh.Run("mp_test", fresh.dir.File("fresh.map")).ok);
    const std::string freshOutput = ReadFileBytes(fresh.dir.File("fresh.map"));
    struct Case { bool countModels; bool throws; bool dryRun; const char* message; };
    const char* stopped = "The run was stopped. Nothing was written.";
    const Case cases[] = {
        {false, false, false, stopped},  // while reading
        {true, false, false, stopped},   // while placing
        {true, false, true, stopped},    // a dry run
        {true, true, false, "The run ended with an unexpected failure. Nothing was written."},
    };
    for (const Case& c : cases) {
        Fixture f;
        InterruptingProgress progress;
        progress.countModels = c.countModels;
        progress.throws = c.throws;
        RunRequest request = DemoRequest("mp_test", f.dir.File("out.map"));
        request.installDir = f.install;
        request.dryRun = c.dryRun;
        const RunResult result = RunFoliage(f.engine, progress, request);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.stopped, !c.throws);
        EXPECT_EQ(result.detail, c.throws ? "the display failed" : "");
        EXPECT_LE(progress.modelsPlaced, 2);  // nothing placed after the stop
        EXPECT_EQ(FileNames(f.dir.path()), std::vector<std::string>{"cod"});
        // The stopped run left the random sequence where it found it.
        EXPECT_TRUE(f.Run("mp_test", f.dir.File("out.map")).ok);
        EXPECT_TRUE(ReadFileBytes(f.dir.File("out.map")) == freshOutput);
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
