#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <boost/filesystem.hpp>

#include "config/paths.h"
#include "tests/test_support.h"

namespace fs = boost::filesystem;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// Runs arbrel-cli with the given arguments (already quoted where needed).
CliRun RunCli(const TempDir& dir, const std::string& arguments) {
    const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
    const std::string command = Quote(std::string(ARBREL_BIN_DIR) + "/arbrel-cli") + " " + arguments +
                                " >" + Quote(out) + " 2>" + Quote(err);
    CliRun run;
    const int status = std::system(command.c_str());
#ifdef _WIN32
    run.exitCode = status;
#else
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = ReadFileBytes(out);
    run.err = ReadFileBytes(err);
    return run;
}

std::string Samples(const std::string& part) { return std::string(ARBREL_SOURCE_DIR) + "/samples/" + part; }

std::string DemoArguments(const std::string& output, const std::string& mapClass = "demo") {
    return "--data-dir " + Quote(Samples("data")) + " --install-dir " + Quote(Samples("install")) +
           " --map-class " + Quote(mapClass) + " mp_demo " + Quote(output);
}

}  // namespace

TEST(ArbrelCli, DemoRunPrintsTheThreeCountsAndIsReproducible) {
    TempDir dir;
    const CliRun first = RunCli(dir, DemoArguments(dir.File("a.map")));
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.err, "");  // no terminal: no progress bar
    const std::string prefix = "Meshes read: 4\nMeshes processed: 4\nModels placed: ";
    ASSERT_EQ(first.out.compare(0, prefix.size(), prefix), 0) << first.out;
    EXPECT_GT(std::atoi(first.out.c_str() + prefix.size()), 50);
    EXPECT_EQ(first.out.back(), '\n');

    const CliRun second = RunCli(dir, DemoArguments(dir.File("b.map")));
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(ReadFileBytes(dir.File("a.map")), ReadFileBytes(dir.File("b.map")));
    const std::string input = ReadFileBytes(Samples("install/map_source/mp_demo.map"));
    EXPECT_EQ(ReadFileBytes(dir.File("a.map")).compare(0, input.size(), input), 0);
}

TEST(ArbrelCli, UsageHelpAndVersion) {
    TempDir dir;
    struct Case { std::string arguments; int exitCode; };
    const Case cases[] = {
        {"", 2}, {"--map-class demo onlyinput", 2}, {"in out", 2}, {"--bogus x --map-class d a b", 2},
        {"--map-class", 2}, {"--map-class d a b c", 2},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(dir, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(run.err.find("Usage: arbrel-cli"), std::string::npos) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
    CliRun run = RunCli(dir, "--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Usage: arbrel-cli"), std::string::npos);
    run = RunCli(dir, "--version");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, std::string("arbrel-cli ") + ARBREL_VERSION + "\n");
}

TEST(ArbrelCli, FailuresGiveTheirMessageAndExitOne) {
    TempDir dir;
    const std::string out = dir.File("out.map");
    CliRun run = RunCli(dir, DemoArguments(out, "nosuchclass"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("'nosuchclass'"), std::string::npos) << run.err;

    run = RunCli(dir, "--data-dir " + Quote(Samples("data")) + " --map-class demo " +
                          Quote(dir.path()) + " " + Quote(out));  // a directory as input
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Path specified for the .map input file is not a file.\n");

    WriteFileBytes(dir.File("empty.map"), "");
    run = RunCli(dir, "--data-dir " + Quote(Samples("data")) + " --map-class demo " +
                          Quote(dir.File("empty.map")) + " " + Quote(out));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Your map does not have any terrain meshes, which is required to add models to.\n");

    run = RunCli(dir, "--data-dir " + Quote(Samples("data")) + " --map-class demo " +
                          Quote(Samples("install/map_source/mp_demo.map")) + " " +
                          Quote(dir.File("no/such/dir/out.map")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(dir.File("no/such/dir")), std::string::npos) << run.err;
    EXPECT_FALSE(FileExists(out));
    EXPECT_EQ(run.out, "");
}

TEST(ArbrelCli, DataDirectoryIsOnlyRead) {
    TempDir dir;
    fs::create_directories(dir.File("data/models"));
    WriteFileBytes(dir.File("data/models/m.csv"), "tree,1,1,1,1,0,0,256,0.5,1\r\n");
    const CliRun run = RunCli(dir, "--data-dir " + Quote(dir.File("data")) + " --map-class demo " +
                                       Quote(Samples("install/map_source/mp_demo.map")) + " " +
                                       Quote(dir.File("out.map")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(FileExists(dir.File("data/maps")));
    EXPECT_FALSE(FileExists(dir.File("data/config.csv")));
}
