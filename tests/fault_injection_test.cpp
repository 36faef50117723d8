// Every file the program writes (the output map, class files, config.csv,
// preview images),
// saved where the save cannot succeed: the save fails with a message, the
// previous file is byte-identical, no temporary file remains and an input
// map is never changed.

#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <functional>
#include <string>

#include "bench/large_map.h"
#include "engine/foliage_engine.h"
#include "preview/png_encoder.h"
#include "engine/run_pipeline.h"
#include "io/paths.h"
#include "tests/test_support.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char kPrevious[] = "the previous file, which must survive\r\n";

// A map with one 2x2 grass mesh, padded with a comment so it is larger than
// the file size limits used below.
std::string OneMeshMap() { return "iwmap 4\n// " + std::string(4000, 'p') + "\n" + (kOneMeshMap + 8); }

// An engine whose every save produces well over 4 KB.
void Prepare(FoliageEngine& engine) {
    const std::string map = OneMeshMap();
    engine.mapBuffer.reset(new char[map.size()]);
    std::memcpy(engine.mapBuffer.get(), map.data(), map.size());
    engine.mapSize = static_cast<std::uint32_t>(map.size());
    engine.meshes = {FlatCell()};
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i);
        engine.installations["C:/Games/CoD4"]["mp_map_" + n] = "class_" + n;
        engine.mapClasses["target"].push_back(TextureOption("texture_" + n, false, 1, {"target"}));
        engine.modelClasses["target"].push_back(ModelOption("foliage/model_" + n, 0.5f, 1));
    }
}

// A write of the engine, with its message on failure.
bool Reported(const FoliageEngine& e, bool written, std::string& error) {
    error = e.LastError();
    return written;
}

struct Writer {
    const char* name;
    const char* fileName;  // what the write replaces in its directory
    // Writes into the directory; on failure `error` says why.
    std::function<bool(FoliageEngine&, const std::string&, std::string& error)> write;
};

// The configuration savers replace only a file as they last saw it: the
// engine is told it has read what is there now.
FoliageEngine& Seen(FoliageEngine& e, const std::string& d) {
    const std::string path = paths::Join(d, "target.csv");
    if (fs::is_regular_file(path)) {
        const std::string bytes = ReadFileBytes(path);
        e.stamps.Remember(path, bytes.data(), bytes.size());
    }
    return e;
}

const Writer kWriters[] = {
    {"config", "target.csv",
     [](FoliageEngine& e, const std::string& d, std::string& error) {
         return Reported(e, Seen(e, d).SaveConfig(d, "target"), error);
     }},
    {"map class", "target.csv",
     [](FoliageEngine& e, const std::string& d, std::string& error) {
         return Reported(e, Seen(e, d).SaveMapClass(d, "target"), error);
     }},
    {"model class", "target.csv",
     [](FoliageEngine& e, const std::string& d, std::string& error) {
         return Reported(e, Seen(e, d).SaveModelClass(d, "target"), error);
     }},
    {"output map", "target.map",
     [](FoliageEngine& e, const std::string& d, std::string& error) {
         CountingProgress progress;
         return Reported(e, e.PlaceAndWrite(progress, paths::Join(d, "target.map"), "target"), error);
     }},
    {"preview image", "target.png",
     [](FoliageEngine&, const std::string& d, std::string& error) {
         RgbImage image(64, 64, 0);
         for (int y = 0; y < 64; ++y)
             for (int x = 0; x < 64; ++x) image.Set(x, y, std::uint32_t(x * 2654435761u + y * 40503u));
         return WritePng(paths::Join(d, "target.png"), image, error);
     }},
};

#ifndef _WIN32
// Runs `action` in a child process whose files may not grow beyond
// `limitBytes` (a full disk part way through a write). The child exits 0
// when the action failed with a message, 1 when it succeeded, 2 when it
// failed without a message.
int RunWithFileSizeLimit(rlim_t limitBytes, const std::function<bool(std::string&)>& action) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit then fails with EFBIG
        rlimit limit{limitBytes, limitBytes};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
        std::string message;
        const bool ok = action(message);
        _exit(ok ? 1 : message.empty() ? 2 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}
#endif

}  // namespace

TEST(FaultInjection, AWriteThatFailsPartWayKeepsThePreviousFile) {
#ifdef _WIN32
    GTEST_SKIP() << "file size limits are POSIX only";
#else
    for (const Writer& writer : kWriters) {
        for (rlim_t limit : {rlim_t{0}, rlim_t{1000}}) {
            SCOPED_TRACE(std::string(writer.name) + ", limit " + std::to_string(limit));
            TempDir dir;
            WriteFileBytes(dir.File(writer.fileName), kPrevious);
            const int status = RunWithFileSizeLimit(limit, [&](std::string& message) {
                FoliageEngine engine;
                Prepare(engine);
                return writer.write(engine, dir.path(), message);
            });
            EXPECT_EQ(status, 0) << "0: failed with a message, 1: reported success, 2: no message";
            EXPECT_EQ(ReadFileBytes(dir.File(writer.fileName)), kPrevious);
            EXPECT_EQ(FileNames(dir.path()).size(), 1u) << "a temporary file was left behind";
        }
    }
#endif
}

TEST(FaultInjection, AWriteSucceedsButARenameOntoANonEmptyDirectoryFails) {
    for (const Writer& writer : kWriters) {
        SCOPED_TRACE(writer.name);
        TempDir dir;
        // Without the fault the same write succeeds: the cases here and above
        // fail because of the fault, not the data.
        WriteFileBytes(dir.File(writer.fileName), kPrevious);
        FoliageEngine engine;
        Prepare(engine);
        std::string error;
        const bool written = writer.write(engine, dir.path(), error);
        EXPECT_TRUE(written) << error;
        if (!written) continue;
        EXPECT_GT(FileSize(dir.File(writer.fileName)), 4000u);
        fs::remove(dir.File(writer.fileName));
        // The target path is taken by a directory holding a file: the final
        // rename cannot replace it.
        fs::create_directory(dir.File(writer.fileName));
        WriteFileBytes(paths::Join(dir.File(writer.fileName), "keep"), "kept");
        EXPECT_FALSE(writer.write(engine, dir.path(), error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadFileBytes(paths::Join(dir.File(writer.fileName), "keep")), "kept");
        EXPECT_EQ(FileNames(dir.path()).size(), 1u) << "a temporary file was left behind";
    }
}

TEST(FaultInjection, ARunOntoItsOwnInputThatFailsHalfWayKeepsTheInput) {
#ifdef _WIN32
    GTEST_SKIP() << "file size limits are POSIX only";
#else
    TempDir dir;
    const std::string map = dir.File("mp_test.map");
    const std::string input = OneMeshMap();
    WriteFileBytes(map, input);
    // Half the input fits under the limit; the rest and the placements do not.
    const int status = RunWithFileSizeLimit(input.size() / 2, [&](std::string& message) {
        FoliageEngine engine;
        CountingProgress progress;
        AddTreesOnGrass(engine);
        const RunResult result = RunFoliage(engine, progress, DemoRequest(map, map));
        message = result.message;
        return result.ok;
    });
    EXPECT_EQ(status, 0) << "0: failed with a message, 1: reported success, 2: no message";
    EXPECT_EQ(ReadFileBytes(map), input);
    EXPECT_EQ(FileNames(dir.path()).size(), 1u) << "a temporary file was left behind";
#endif
}

TEST(FaultInjection, AWriteThatFailsInTheMiddleOfTheThreadedPipelineKeepsThePreviousFile) {
#ifdef _WIN32
    GTEST_SKIP() << "file size limits are POSIX only";
#else
    TempDir dir;
    const std::string input = LargeMapText(2, 33);
    WriteFileBytes(dir.File("in.map"), input);
    WriteFileBytes(dir.File("out.map"), kPrevious);
    // The copy of the input and a few chunks of blocks fit; the rest does not.
    const int status = RunWithFileSizeLimit(input.size() + 2000000, [&](std::string& message) {
        FoliageEngine engine;
        CountingProgress progress;
        engine.modelClasses["trees"] = {ModelOption("tree", 1, 2, true, true)};
        engine.mapClasses["demo"] = {TextureOption("bench_grass", false, 1, {"trees"})};
        RunRequest request = DemoRequest(dir.File("in.map"), dir.File("out.map"));
        request.output.threads = 2;
        const RunResult result = RunFoliage(engine, progress, request);
        message = result.detail;
        return result.ok;
    });
    EXPECT_EQ(status, 0) << "0: failed with a message, 1: reported success, 2: no message";
    EXPECT_EQ(ReadFileBytes(dir.File("out.map")), kPrevious);
    EXPECT_EQ(FileNames(dir.path()), (std::vector<std::string>{"in.map", "out.map"}));
#endif
}
