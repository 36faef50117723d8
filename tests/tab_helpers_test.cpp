// What the Maps and class tabs ask of the core: which files are maps, what
// makes an installation, the suggested output, class files that are created
// and deleted, option changes saved at once, and how an option is listed.

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>

#include "ui_logic/class_file_ops.h"
#include "config/data_files.h"
#include "config/install_dir_check.h"
#include "ui_logic/map_source_listing.h"
#include "ui_logic/option_changes.h"
#include "ui_logic/option_text.h"
#include "ui_logic/output_suggestion.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

TEST(MapSource, OnlyNamesEndingInExactlyDotMapFromTheFirstFullStop) {
    const struct { const char* file; const char* map; } cases[] = {
        {"mp_a.map", "mp_a"}, {"mp_b.MAP", ""},   {"mp_c.map.bak", ""}, {"readme", ""},
        {"mp_test.v2.map", ""}, {".map", ""}, {"x.mapx", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(MapNameOfFile(c.file), c.map) << c.file;

    TempDir dir;
    for (const char* name : {"mp_a.map", "mp_b.MAP", "mp_c.map.bak", "readme", "mp_z.map"})
        WriteFileBytes(dir.File(name), "");
    fs::create_directory(dir.File("x.map"));
    MapSourceListing listing = ListMapSource(dir.path());
    std::sort(listing.mapNames.begin(), listing.mapNames.end());
    EXPECT_EQ(listing.mapNames, (std::vector<std::string>{"mp_a", "mp_z"}));
    EXPECT_TRUE(listing.errors.empty());

    const MapSourceListing missing = ListMapSource(dir.File("absent"));
    EXPECT_TRUE(missing.mapNames.empty());
    ASSERT_EQ(missing.errors.size(), 1u);
    EXPECT_EQ(missing.errors[0].rfind("Cannot read path '" + dir.File("absent") + "': ", 0), 0u);
}

TEST(InstallationDirectory, NeedsADirectoryWithMapSource) {
    TempDir dir;
    WriteFileBytes(dir.File("file"), "");
    fs::create_directories(dir.File("game/map_source"));
    fs::create_directories(dir.File("bare"));
    fs::create_directories(dir.File("fake"));
    WriteFileBytes(dir.File("fake/map_source"), "");

    const std::string notDir = "Path specified is not a directory.";
    const std::string noSource =
        "Path specified is not a Call of Duty installation directory. It must contain a "
        "'map_source' directory.";
    const struct { std::string path; std::string message; } cases[] = {
        {dir.File("game"), ""},         {dir.File("absent"), notDir}, {dir.File("file"), notDir},
        {"", notDir},                   {dir.File("bare"), noSource}, {dir.File("fake"), noSource},
    };
    for (const auto& c : cases) {
        const InstallDirCheck check = CheckInstallationDirectory(c.path);
        EXPECT_EQ(check.message, c.message) << c.path;
        EXPECT_EQ(check.ok(), c.message.empty());
    }
}

TEST(OutputSuggestion, FoliageBeforeTheLastFourCharacters) {
    EXPECT_EQ(SuggestedOutputName("mp_a"), "mp_a_foliage");
    EXPECT_EQ(SuggestedOutputPath("/games/maps/mp_test.map"), "/games/maps/mp_test_foliage.map");
    EXPECT_EQ(SuggestedOutputPath("/maps/test.txt"), "/maps/test_foliage.txt");
    // A short name never gets the text inside its directory part.
    EXPECT_EQ(SuggestedOutputPath("/m/ab"), "/m/_foliageab");
}

TEST(OutputSuggestion, SavedNamesEndInOneDotMap) {
    const struct { const char* chosen; const char* saved; } cases[] = {
        {"mp_x", "mp_x.map"},           {"mp_x.map", "mp_x.map"},   {"/maps/mp_x.MAP", "/maps/mp_x.MAP"},
        {"mp_x.map.bak", "mp_x.map.bak.map"}, {"map", "map.map"}, {"", ".map"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithMapExtension(c.chosen), c.saved) << c.chosen;
}

TEST(ClassFiles, CreatedExclusivelyAndDeleted) {
    TempDir dir;
    const std::string classDir = dir.path() + "/";
    EXPECT_EQ(CreateClassFile(classDir, "grass", {}), "");
    EXPECT_TRUE(FileExists(dir.File("grass.csv")));
    EXPECT_EQ(FileSize(dir.File("grass.csv")), 0u);

    // The name rules (the class name tests') come first.
    EXPECT_EQ(CreateClassFile(classDir, "Grass", {"grass"}), "Name 'Grass' already exists.");

    // A file that is there but not listed (one that failed to load) is kept.
    WriteFileBytes(dir.File("broken.csv"), "precious\n");
    EXPECT_EQ(CreateClassFile(classDir, "broken", {"grass"}), "Could not make file 'broken'.");
    EXPECT_EQ(ReadFileBytes(dir.File("broken.csv")), "precious\n");

    const std::string noDir = CreateClassFile(dir.File("absent/"), "x", {});
    EXPECT_EQ(noDir.rfind("Could not make file 'x'.\n", 0), 0u) << noDir;

    FileStamps stamps;
    EXPECT_EQ(DeleteClassFile(classDir, "grass", stamps), "");
    EXPECT_FALSE(FileExists(dir.File("grass.csv")));
    EXPECT_EQ(DeleteClassFile(classDir, "grass", stamps), "");  // already gone
    fs::create_directories(dir.File("full.csv/inside"));
    EXPECT_EQ(DeleteClassFile(classDir, "full", stamps).rfind("Could not delete 'full'.\n", 0), 0u);
}

// Two windows that each read a class file: the one whose file the other
// changed since may not remove it (the change stays, the message says what
// to do); a file the other removed counts as removed; a class made again
// after a removal is saved as a new one.
TEST(ClassFiles, ARemovalKeepsAChangeMadeInAnotherWindow) {
    TempDir dir;
    // The path as the loader, the savers and the removal make it.
    const std::string classDir = dir.path() + "/", grass = ClassFilePath(classDir, "grass");
    WriteFileBytes(grass, "m_a,1\r\n");
    Catalogue a, b;
    std::string error;
    std::vector<std::string> warnings;
    for (Catalogue* window : {&a, &b}) ASSERT_TRUE(LoadModelClassFile(*window, grass, FileSize(grass), error, warnings));
    a.modelClasses["grass"].push_back(ModelOption("m_b", 1));
    ASSERT_TRUE(SaveModelClassFile(a, classDir, "grass", error)) << error;
    const std::string changed = ReadFileBytes(grass);

    EXPECT_EQ(DeleteClassFile(classDir, "grass", b.stamps),
              "Cannot remove '" + grass + "': it was changed by another Arbrel window or another program after "
              "this window read it. Nothing was removed: close this window and start Arbrel again to load the "
              "file as it is now, then make your change again.");
    EXPECT_EQ(ReadFileBytes(grass), changed);
    // A file another window made after this one started is as much a change.
    WriteFileBytes(dir.File("new.csv"), "m_n,1\r\n");
    EXPECT_NE(DeleteClassFile(classDir, "new", b.stamps).find("it was written by another"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.File("new.csv")));

    EXPECT_EQ(DeleteClassFile(classDir, "grass", a.stamps), "");  // the window that wrote last
    EXPECT_EQ(DeleteClassFile(classDir, "grass", b.stamps), "");  // gone already
    EXPECT_EQ(CreateClassFile(classDir, "grass", {}), "");
    a.modelClasses["grass"] = {ModelOption("m_c", 1)};
    EXPECT_TRUE(SaveModelClassFile(a, classDir, "grass", error)) << error;
}

// Each change is on disk at once; one that cannot be written leaves the
// class as it was, so the list the user sees still matches the catalogue.
TEST(OptionChanges, SavedAtOnceOrUndone) {
    TempDir dir;
    const std::string classDir = dir.path() + "/";
    Catalogue catalogue;
    const auto names = [&] {
        std::string joined;
        for (const TextureOption& option : catalogue.mapClasses["meadow"]) joined += option.textureName + " ";
        return joined;
    };
    const struct {
        OptionChange change;
        std::size_t row;
        const char* texture;
        const char* after;
    } steps[] = {
        {OptionChange::Add, 0, "a", "a "},         {OptionChange::Add, 0, "b", "a b "},
        {OptionChange::Add, 0, "c", "a b c "},     {OptionChange::Replace, 0, "d", "b c d "},
        {OptionChange::Remove, 1, "", "b d "},     {OptionChange::Remove, 7, "", "b d "},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.after);
        EXPECT_EQ(ChangeTextureOptions(catalogue, classDir, "meadow", step.change, step.row,
                                       TextureOption(step.texture, false, 1, {})),
                  "");
        EXPECT_EQ(names(), step.after);
    }
    EXPECT_EQ(ReadFileBytes(dir.File("meadow.csv")), "b,0,1\r\nd,0,1\r\n");

    fs::create_directories(dir.File("rocks.csv/inside"));  // the file cannot land
    catalogue.modelClasses["rocks"].push_back(ModelOption("pebble", 1));
    for (OptionChange change : {OptionChange::Add, OptionChange::Replace, OptionChange::Remove}) {
        const std::string problem =
            ChangeModelOptions(catalogue, classDir, "rocks", change, 0, ModelOption("stone", 2));
        EXPECT_EQ(problem.rfind("Could not save '" + classDir + "rocks.csv'.\n", 0), 0u) << problem;
        EXPECT_EQ(catalogue.modelClasses["rocks"], std::vector<ModelOption>{ModelOption("pebble", 1)});
    }
}

TEST(OptionText, ReadsLikeTheFileLine) {
    EXPECT_EQ(TextureOptionText(TextureOption("grass", true, 1.5f, {"trees", "rocks"})),
              "grass,1,1.5,trees,rocks");
    EXPECT_EQ(TextureOptionText(TextureOption("sand", false, 0, {})), "sand,0,0");
    EXPECT_EQ(ModelOptionText(ModelOption("fol/tree", 0.5f, 2, true, false, -4, 0, 256, 0.5f, 2)),
              "fol/tree,0.5,2,1,0,-4,0,256,0.5,2");
    ModelOption ruled("fol/tree", 1);
    ruled.slopeMax = 25;
    ruled.spacingRadius = 96;
    EXPECT_EQ(ModelOptionText(ruled), "fol/tree,1,1,1,1,0,0,256,0.5,1,,25,,,96");
    ModelOption shadowless("grass", 1);
    shadowless.clusterSize = 128;
    shadowless.clusterCover = 0.3f;
    shadowless.spawnflags = 6;
    EXPECT_EQ(ModelOptionText(shadowless), "grass,1,1,1,1,0,0,256,0.5,1,,,,,,128,0.3,,6");
    // A very long line is listed cut, between two UTF-8 characters.
    std::string name = "a";
    for (int i = 0; i < 10000; ++i) name += "\xC3\xA9";  // é
    const std::string listed = ModelOptionText(ModelOption(name, 1));
    EXPECT_EQ(listed, name.substr(0, kMaxListedTextSize - 1) + "...");
}
