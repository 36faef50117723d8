#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <filesystem>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "io/paths.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out, err;
};

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

// Runs arbrel-cli (or `program`) with the given arguments (already quoted
// where needed), after a POSIX shell's `environment` assignments.
CliRun RunCli(const TempDir& dir, const std::string& arguments,
              std::string program = std::string(ARBREL_BIN_DIR) + "/arbrel-cli",
              const std::string& environment = std::string()) {
    const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
    std::string command = environment + Quote(program) + " " + arguments + " >" + Quote(out) + " 2>" + Quote(err);
#ifdef _WIN32
    // cmd.exe takes "/" in a program name for a switch, and drops the
    // outermost quotes of the whole line.
    std::replace(program.begin(), program.end(), '/', '\\');
    command = "\"" + Quote(program) + " " + arguments + " >" + Quote(out) + " 2>" + Quote(err) + "\"";
#endif
    CliRun run;
    const int status = std::system(command.c_str());
#ifdef _WIN32
    run.exitCode = status;
#else
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = ReadFileBytes(out);
    run.err = ReadFileBytes(err);
#ifdef _WIN32
    // Standard output and error are text streams there: lines end in CR LF.
    for (std::string* text : {&run.out, &run.err})
        text->erase(std::remove(text->begin(), text->end(), '\r'), text->end());
#endif
    return run;
}

std::string Samples(const std::string& part) { return std::string(ARBREL_SOURCE_DIR) + "/samples/" + part; }

std::string DemoData() {
    return "--data-dir " + Quote(Samples("data")) + " --install-dir " + Quote(Samples("install"));
}

std::string DemoArguments(const std::string& output, const std::string& mapClass = "demo") {
    return DemoData() + " --map-class " + Quote(mapClass) + " mp_demo " + Quote(output);
}

// The number after `label` in the text, or -1.
long NumberAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    return at == std::string::npos ? -1 : std::atol(text.c_str() + at + label.size());
}

}  // namespace

TEST(ArbrelCli, DemoRunPrintsItsCountsAndIsReproducible) {
    TempDir dir;
    const CliRun first = RunCli(dir, DemoArguments(dir.File("a.map")));
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.err, "");  // no terminal: no progress bar
    EXPECT_EQ(first.out, "Meshes read: 4\nMeshes processed: 4\nModels placed: 779\n"
                         "Static models: 779 of 65536 (0 in the input, 779 placed; 5 model names)\n");
    // The default output is byte for byte that of the versions before the
    // budget, marks and rules.
    const std::string output = ReadFileBytes(dir.File("a.map"));
    EXPECT_EQ(crc32(0L, reinterpret_cast<const Bytef*>(output.data()), static_cast<uInt>(output.size())),
              0x758e1f45u);

    // Where the output went goes to stderr with --verbose (and on a terminal);
    // seed 1 is the default, and a preview changes nothing.
    const CliRun second = RunCli(dir, "--verbose --seed=1 --preview-size 300 --preview " + Quote(dir.File("a.png")) +
                                          " " + DemoArguments(dir.File("b.map")));
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(second.err, "Output: " + dir.File("b.map") + "\n");
    EXPECT_EQ(ReadFileBytes(dir.File("b.map")), output);
    // The demo terrain is a little taller than wide (300 pixels); the legend
    // goes beside it: the PNG header gives 572 x 300 pixels.
    EXPECT_EQ(ReadFileBytes(dir.File("a.png")).substr(12, 12), std::string("IHDR\0\0\x02\x3c\0\0\x01\x2c", 12));
    // Another seed (the largest) places otherwise; a preview that cannot be
    // written fails the run.
    const CliRun third = RunCli(dir, "--seed 4294967295 --preview " + Quote(dir.File("no/dir/c.png")) + " " +
                                         DemoArguments(dir.File("c.map")));
    EXPECT_EQ(third.exitCode, 1);
    EXPECT_NE(third.err.find("Cannot write the preview"), std::string::npos) << third.err;
    EXPECT_NE(ReadFileBytes(dir.File("c.map")), output);
}

TEST(ArbrelCli, HelpAndVersion) {
    TempDir dir;
    const std::string version = std::string("arbrel-cli ") + ARBREL_VERSION + "\n";
    const std::pair<const char*, std::string> cases[] = {
        {"--help", "Usage: arbrel-cli "}, {"-h", "Usage: arbrel-cli "}, {"\"/?\"", "Usage: arbrel-cli "},  // quoted: no glob
        {"--version", version}, {"-V", version}};
    for (const auto& [option, start] : cases) {
        const CliRun run = RunCli(dir, option);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.substr(0, start.size()), start) << option;
    }
}

// Wrong arguments exit 2 with the usage, failed runs exit 1 with their
// message; none prints to stdout or writes the output map. A message ending
// in a newline must be the whole of stderr.
TEST(ArbrelCli, FailuresGiveTheirMessageAndWriteNothing) {
    TempDir dir;
    const std::string out = dir.File("out.map"), usage = "Usage: arbrel-cli";
    const std::string demoClass = "--data-dir " + Quote(Samples("data")) + " --map-class demo ";
    WriteFileBytes(dir.File("empty.map"), "");
    // A data directory without maps/ and config.csv is only read, never completed.
    fs::create_directories(dir.File("data/models"));
    WriteFileBytes(dir.File("data/models/m.csv"), "tree,1,1,1,1,0,0,256,0.5,1\r\n");
    struct Case { std::string arguments; int exitCode; std::string message; };
    std::vector<Case> cases = {
        {"", 2, usage}, {"--map-class demo onlyinput", 2, usage}, {"in out", 2, usage}, {"--map-class", 2, usage},
        {"--bogus x --map-class d a b", 2, usage}, {"--map-class d a b c", 2, usage}, {"textures", 2, usage},
        {"textures --seed 2 a", 2, usage}, {"textures --format xml a", 2, usage}, {"-x --map-class d a b", 2, "arbrel-cli: unknown option -x"},
        {DemoArguments(out, "nosuchclass"), 1,
         "arbrel-cli: Map class 'nosuchclass' is not loaded from '" + Samples("data") +
             "'.\nIts map classes: demo, road.\n"},
        {"--data-dir " + Quote(dir.File("nodata")) + " --map-class demo mp_demo " + Quote(out), 1,
         "arbrel-cli: The data directory '" + dir.File("nodata") + "' does not exist.\n"},
        {demoClass + Quote(dir.path()) + " " + Quote(out), 1,  // a directory as input
         "arbrel-cli: Path specified for the .map input file is not a file.\nTried '" + dir.path() +
             "' (a directory).\n"},
        {DemoData() + " --map-class demo mp_demo.map " + Quote(out), 1,  // both paths, and a hint
         "mp_demo.map.map' (not found) and 'mp_demo.map' (not found).\n"
         "A map of the installation is named without \".map\": 'mp_demo'."},
        {demoClass + Quote(dir.File("empty.map")) + " " + Quote(out), 1,
         "arbrel-cli: Your map does not have any terrain meshes, which is required to add models to.\n"},
        {"--data-dir " + Quote(dir.File("data")) + " --map-class demo " +
             Quote(Samples("install/map_source/mp_demo.map")) + " " + Quote(out), 1,
         "arbrel-cli: Map class 'demo' is not loaded from"},
        {"textures " + Quote(TestDataPath("cod4_frazzie_mp_dr_quick.map")), 1, "terrain meshes"},
    };
    for (const std::string bad : {"-1", "4294967296", "abc", "1.5", "''", "99999999999"})
        cases.push_back({"--seed " + bad + " " + DemoArguments(out), 2, "--seed needs a whole number"});
    for (const std::string bad : {"15", "8193", "big"})
        cases.push_back({"--preview-size " + bad + " --preview x.png " + DemoArguments(out), 2,
                         "--preview-size needs a number of pixels"});
    for (const std::string bad : {"0", "257", "two"})
        cases.push_back({"--threads " + bad + " " + DemoArguments(out), 2, "--threads needs a number from 1 to 256"});
    for (const Case& c : cases) {
        const CliRun run = RunCli(dir, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        if (c.message.back() == '\n')
            EXPECT_EQ(run.err, c.message) << c.arguments;
        else
            EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
    EXPECT_FALSE(FileExists(out));
    EXPECT_FALSE(FileExists(dir.File("data/maps")));
    EXPECT_FALSE(FileExists(dir.File("data/config.csv")));
}

// With classes whose models have rules, what each rule would remove; the
// cluster and clearance columns when those removed something.
TEST(ArbrelCli, TextureReportAsATable) {
    struct Case { const char* data; const char* arguments; const char* table; };
    const Case cases[] = {
        {"tidy_data", " --map-class tidy mp_demo",
         "Texture             Meshes  Cells  Area (64x64)  Rule  Slope removed  Height removed  Spacing removed\n"
         "ground_dirt_blend        1     10          7.53   yes              0               0                0\n"
         "ground_grass_field       1     64         64.78   yes              0               0              182\n"
         "me_office_carpet01       1      1          4.00    no              0               0                0\n"
         "rock_cliff_slope         1     15         14.66   yes            249               0                0\n"},
        {"data", " --map-class road mp_demo_road",
         "Texture             Meshes  Cells  Area (64x64)  Rule  Slope removed  Height removed  Spacing removed  "
         "Cluster removed  Clearance removed\n"
         "decal_road_asphalt       1     64         64.14    no              0               0                0  "
         "              0                  0\n"
         "ground_grass_field       1    256        258.78   yes              0               0                0  "
         "           1645                151\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        TempDir dir;
        const CliRun run = RunCli(dir, "textures --data-dir " + Quote(Samples(c.data)) + " --install-dir " +
                                           Quote(Samples("install")) + c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.table);
    }
}

#ifndef _WIN32
// A run signalled part way (once its temporary output file exists) ends
// with 130, removes that file, and leaves the old output and the input as
// they were.
TEST(ArbrelCli, AnInterruptedRunLeavesNoTemporaryFile) {
    TempDir dir;
    std::string map;
    for (int i = 0; i < 3000; ++i) map += ReadFileBytes(Samples("install/map_source/mp_demo.map"));
    const std::string input = dir.File("many.map"), output = dir.File("out.map");
    WriteFileBytes(input, map);
    fs::create_directories(dir.File("data/maps"));
    fs::create_directories(dir.File("data/models"));
    fs::copy_file(Samples("data/models/grass.csv"), dir.File("data/models/grass.csv"));
    WriteFileBytes(dir.File("data/maps/dense.csv"), "ground_grass_field,0,20,grass\r\n");

    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        WriteFileBytes(output, "the previous output");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const int err = open(dir.File("stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(err, 2);
            const std::string cli = std::string(ARBREL_BIN_DIR) + "/arbrel-cli", data = dir.File("data");
            execl(cli.c_str(), cli.c_str(), "--data-dir", data.c_str(), "--map-class", "dense", input.c_str(),
                  output.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        bool signalled = false;
        for (int wait = 0; wait < 20000 && !signalled; ++wait) {
            for (const auto& entry : fs::directory_iterator(dir.path()))
                if (entry.path().filename().string().find("out.map.tmp") == 0) signalled = kill(child, signal) == 0;
            if (!signalled) usleep(1000);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(signalled) << signal;
        ASSERT_TRUE(WIFEXITED(status)) << signal;
        EXPECT_EQ(WEXITSTATUS(status), 130) << ReadFileBytes(dir.File("stderr.txt"));
        EXPECT_EQ(ReadFileBytes(output), "the previous output");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4) << signal;
    }
    EXPECT_EQ(ReadFileBytes(input), map);
}

// The messages and the table's headings come from the catalogue of the
// language LANG names, beside the executable.
TEST(ArbrelCli, MessagesComeFromTheCatalogueOfTheLanguage) {
    TempDir dir;
    fs::create_directories(dir.File("locale/xx/LC_MESSAGES"));
    WriteFileBytes(dir.File("xx.po"), "msgid \"Map class '%s' is not loaded from '%s'.\"\n"
                                      "msgstr \"Keine Klasse '%s' in '%s'.\"\n"
                                      "msgid \"Texture\"\nmsgstr \"Texturname\"\n"
                                      "msgid \"Tried %s.\"\nmsgstr \"Versucht: %s.\"\n"
                                      "msgid \"'%s' (not found)\"\nmsgstr \"'%s' (fehlt)\"\n");
    if (std::system(("msgfmt -o " + Quote(dir.File("locale/xx/LC_MESSAGES/arbrel.mo")) + " " +
                     Quote(dir.File("xx.po"))).c_str()) != 0)
        GTEST_SKIP() << "msgfmt (gettext) is not installed";
    fs::copy_file(std::string(ARBREL_BIN_DIR) + "/arbrel-cli", dir.File("arbrel-cli"));
    const std::string program = dir.File("arbrel-cli"), language = "LC_ALL= LC_MESSAGES= LANG=xx_YY.UTF-8 ";
    CliRun run = RunCli(dir, DemoArguments(dir.File("out.map"), "nosuch"), program, language);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
              "arbrel-cli: Keine Klasse 'nosuch' in '" + Samples("data") + "'.");
    run = RunCli(dir, "textures " + DemoData() + " mp_demo", program, language);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "Texturname          Meshes  Cells  Area (64x64)");
    // A message with data: its template is translated, the path kept.
    run = RunCli(dir, "textures " + Quote(dir.File("gone.map")), program, language);
    EXPECT_NE(run.err.find("\nVersucht: '" + dir.File("gone.map") + "' (fehlt).\n"), std::string::npos) << run.err;
}
#endif

// The static-model budget after every run, the dry run's report, the
// --max-models refusal, and a marked run replaced and stripped.
TEST(ArbrelCli, BudgetMaxModelsMarkReplaceAndStrip) {
    TempDir dir;
    const std::string marked = dir.File("marked.map");
    // The demo run's count and output size, which its test pins.
    const long placed = 779, outputSize = 127394;

    // The dry run reports the real run's output size (the core tests compare
    // its counts with written maps).
    CliRun run = RunCli(dir, "--dry-run --format csv " + DemoData() + " --map-class demo mp_demo");
    EXPECT_NE(run.out.find("\nmodel,"), std::string::npos) << run.out;
    EXPECT_EQ(NumberAfter(run.out, "total,output_bytes,"), outputSize);

    run = RunCli(dir, "--max-models " + std::to_string(placed - 1) + " " + DemoArguments(dir.File("no.map")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "arbrel-cli: The output would hold " + std::to_string(placed) +
                           " static models, more than the limit of " + std::to_string(placed - 1) +
                           "; nothing was written.\n");
    EXPECT_FALSE(FileExists(dir.File("no.map")));

    // Marked, then stripped back to the input.
    ASSERT_EQ(RunCli(dir, "--mark " + DemoArguments(marked)).exitCode, 0);
    run = RunCli(dir, "strip " + Quote(marked) + " " + Quote(dir.File("stripped.map")));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Removed " + std::to_string(placed) + " marked models; 0 misc_model entities remain.\n");
    EXPECT_EQ(ReadFileBytes(dir.File("stripped.map")), ReadFileBytes(Samples("install/map_source/mp_demo.map")));

    // Over the engine's limit: a warning, and the run still succeeds.
    fs::create_directories(dir.File("data/models"));
    fs::create_directories(dir.File("data/maps"));
    WriteFileBytes(dir.File("data/models/dense.csv"), "foliage_x,300,300,1,1,0,0,256,0.5,1\r\n");
    WriteFileBytes(dir.File("data/maps/dense.csv"), "ground_grass_field,0,1,dense\r\n");
    run = RunCli(dir, "--dry-run --data-dir " + Quote(dir.File("data")) + " --install-dir " +
                          Quote(Samples("install")) + " --map-class dense mp_demo");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_GT(NumberAfter(run.out, "Static models: "), 65536);
    EXPECT_EQ(run.err.rfind("WARNING: the output holds ", 0), 0u) << run.err;
}
