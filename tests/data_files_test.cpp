#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/data_files.h"
#include "engine/store_loader.h"
#include "config/csv_lines.h"
#include "engine/foliage_engine.h"
#include "io/paths.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::vector<std::string>> Lines(const std::string& data) {
    std::vector<std::vector<std::string>> lines;
    ForEachCsvLine(data, [&](const CsvFields& fields) {
        lines.emplace_back(fields.begin(), fields.end());
    });
    return lines;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

bool ContainsError(const StoreContents& contents, const std::string& part) {
    for (const std::string& e : contents.errors)
        if (e.find(part) != std::string::npos) return true;
    return false;
}

// A data directory with its two class directories.
struct DataDir {
    TempDir temp;
    std::string data = temp.File("data");
    std::string models = paths::Join(data, "models");
    std::string maps = paths::Join(data, "maps");
    DataDir() {
        fs::create_directory(data);
        fs::create_directory(models);
        fs::create_directory(maps);
    }
    std::string Model(const std::string& name) const { return paths::Join(models, name); }
    std::string Map(const std::string& name) const { return paths::Join(maps, name); }
    std::string Config() const { return paths::Join(data, "config.csv"); }
    // A directory that passes the installation check.
    std::string Installation(const std::string& name) const {
        const std::string dir = temp.File(name);
        fs::create_directories(paths::Join(dir, "map_source"));
        fs::create_directories(paths::Join(paths::Join(dir, "Docs"), "model_pics"));
        return dir;
    }
};

}  // namespace

TEST(CsvLines, SplitsLinesAndFieldsExactly) {
    using L = std::vector<std::vector<std::string>>;
    struct Case { std::string data; L want; };
    const Case cases[] = {
        {"", {}},
        {"a,b\r\nc", {{"a", "b"}, {"c"}}},
        {"a\rb\nc\r\n", {{"a"}, {"b"}, {"c"}}},
        {"a\n\r\n\nb", {{"a"}, {"b"}}},                // blank lines add nothing
        {"a,,b", {{"a", "", "b"}}},                   // empty field between commas
        {"a,\r\n", {{"a"}}},                          // trailing comma starts no field
        {"a,,\r\n", {{"a", ""}}},
        {" a , b ", {{" a ", " b "}}},                // no trimming
        {std::string("x\0y,z", 5), {{std::string("x\0y", 3), "z"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Lines(c.data), c.want) << c.data;
}

TEST(ClassNames, ComeFromTheFileNameUpToTheFirstFullStop) {
    const std::pair<std::string, std::string> cases[] = {
        {"data/models/grass.csv", "grass"}, {"data\\maps\\rock.csv", "rock"},
        {"a/b\\c.d.csv", "c"}, {"plain", "plain"}, {"dir.x/name.csv", "name"},
    };
    for (const auto& [path, want] : cases) EXPECT_EQ(ClassNameFromPath(path), want) << path;
}

namespace {

ModelOption WithRules(std::optional<float> slopeMin, std::optional<float> slopeMax,
                      std::optional<float> heightMin, std::optional<float> heightMax,
                      std::optional<float> spacing) {
    ModelOption option("m", 1);
    option.slopeMin = slopeMin;
    option.slopeMax = slopeMax;
    option.heightMin = heightMin;
    option.heightMax = heightMax;
    option.spacingRadius = spacing;
    return option;
}

}  // namespace

TEST(ModelClassFile, ReadsEachLineByTheFieldRules) {
    struct Case { std::string line; std::vector<ModelOption> want; };  // empty: dropped
    const std::nullopt_t none = std::nullopt;
    ModelOption clumps("foliage_grass_clump_a", 0.5f);
    clumps.clusterSize = 128;
    clumps.clusterCover = 0.3f;
    clumps.clearance = 64;
    clumps.spawnflags = 2;
    ModelOption shadowless("m", 1);
    shadowless.spawnflags = 4;
    const Case cases[] = {
        {"m", {ModelOption("m", 1)}},
        {"m,5", {ModelOption("m", 5, 1)}},  // no second field: no exchange
        {"m,5,2", {ModelOption("m", 2, 5)}},
        {"m,-1,3", {ModelOption("m", 1, 3)}},  // negative minimum refused
        {"m,1,1,0,0,-8.5,-1,100,2,0.25", {ModelOption("m", 1, 1, false, false, -8.5f, 0, 100, 0.25f, 2)}},
        {"m,1,1,2,7,0,200,10", {ModelOption("m", 1, 1, true, true, 0, 10, 200)}},
        {"m,1,1, 0,1.9,0,0,256,0.5,1,extra,fields", {ModelOption("m", 1, 1, false, true)}},
        {",1,2", {}},
        {" ", {ModelOption(" ", 1)}},
        // Fields 11 to 15: slope window, height window, spacing radius.
        {"m,1,1,1,1,0,0,256,0.5,1,40,10,-5,,32", {WithRules(10, 40, -5, none, 32)}},
        {"m,1,1,1,1,0,0,256,0.5,1,,,200,-100", {WithRules(none, none, -100, 200, none)}},
        {"m,1,1,1,1,0,0,256,0.5,1,-5,x,,,-1", {WithRules(none, none, none, none, none)}},
        // Fields 16 to 19: cluster size and cover, clearance, spawnflags; a
        // value their checks refuse leaves them unset.
        {"foliage_grass_clump_a,0.5,1,1,1,0,0,256,0.5,1,,,,,,128,0.3,64,2", {clumps}},
        {"m,1,1,1,1,0,0,256,0.5,1,,,,,,,,,4", {shadowless}},
        {"m,1,1,1,1,0,0,256,0.5,1,,,,,,0,1.5,-1,8", {ModelOption("m", 1)}},
        {"m,1,1,1,1,0,0,256,0.5,1,,,,,,,,,2.5", {ModelOption("m", 1)}},
        // Written between double quotes, these would break the entity.
        {"grass\" \"classname\" \"trigger_hurt,1,1", {}},
        {"grass\tx,1,1", {}},
    };
    for (const Case& c : cases) {
        FoliageEngine engine;
        ParseModelClass(engine, "c", c.line.data(), c.line.size());
        EXPECT_EQ(engine.modelClasses.size(), c.want.size()) << c.line;  // a dropped line adds no entry
        EXPECT_EQ(engine.modelClasses["c"], c.want) << c.line;
    }
}

// A line read and written again is the same line: a line without fields 16
// to 19 as it always was, and fields 11 to 15 written (empty) before a later one.
TEST(ModelClassFile, LinesReadAndWrittenAgainAreTheSame) {
    for (const std::string line : {
             "m,1,1,1,1,0,0,256,0.5,1",
             "m,1,1,1,1,0,0,256,0.5,1,0,35.5,,900,64",
             "m,1,1,1,1,0,0,256,0.5,1,10,,,,",
             "foliage_grass_clump_a,0.5,1,1,1,0,0,256,0.5,1,,,,,,128,0.3,64,2",
             "m,1,1,1,1,0,0,256,0.5,1,,,,,,,,,4",
             "m,1,1,1,1,0,0,256,0.5,1,,25,,,,96,0.5",
             "m,1,1,1,1,0,0,256,0.5,1,,,,,,,,0",
         }) {
        FoliageEngine engine;
        ParseModelClass(engine, "c", line.data(), line.size());
        EXPECT_EQ(FormatModelClass(engine, "c"), line + "\r\n");
    }
}

TEST(MapClassFile, ReadsEachLineByTheFieldRules) {
    struct Case { std::string line; std::vector<TextureOption> want; };  // empty: dropped
    const Case cases[] = {
        {"t", {TextureOption("t")}},
        {"t,0,2", {TextureOption("t", false, 2)}},
        {"t,5,1", {TextureOption("t", true, 1)}},  // only 0 clears the flag
        {"t,1,0", {}},
        {"t,1,abc", {}},  // reads as 0
        {"t,1,1,grass,missing,,rock,grass", {TextureOption("t", true, 1, {"grass", "rock", "grass"})}},
        {",1,1,grass", {}},
    };
    for (const Case& c : cases) {
        FoliageEngine engine;
        engine.modelClasses["grass"];
        engine.modelClasses["rock"];
        ParseMapClass(engine, "c", c.line.data(), c.line.size());
        EXPECT_EQ(engine.mapClasses.size(), c.want.size()) << c.line;  // a dropped line adds no entry
        EXPECT_EQ(engine.mapClasses["c"], c.want) << c.line;
    }
}

// Every line left out, every name left out of a line and every line the
// editor would refuse is reported with its line number; the line that is
// loaded is as before.
TEST(ClassFiles, ReportWhatIsLeftOutAndWhatTheEditorWouldRefuse) {
    const std::string leftOut = ", so the line is left out; it goes from the file when the class is next saved.";
    const std::string loaded = " The option is loaded as it reads; edit it to correct this.";
    struct Case { bool model; std::string file; std::vector<std::string> want; };
    const Case cases[] = {
        {true, "m,1,2\r\n", {}},
        {true, "m\r\n,1,2\r\n\r\nbad\"name\n", {"2: Model name is not set" + leftOut,
            "4: the model name holds a double quote or a control character" + leftOut}},
        {true, "d,x,y,z,w,v,u,t,s,r", {"1: Density minimum must be a number." + loaded}},
        {true, "m,1,1,1,1,0,0,256,0,1", {"1: Scale minimum must be higher than 0." + loaded}},
        {true, "m,1,1,1,1,1e39", {"1: Z-offset must be from -3.40282e+38 to 3.40282e+38." + loaded}},
        {true, "m\rm,1,1,1,1,0,0,256,0.5,1.99102,extra,1", {"2: Slope minimum must be a number, or empty for no rule." + loaded}},
        {true, "m,1,1,1,1,0,0,256,0.5,1,,,,,,,,,,x,y", {"1: the fields after field 19 are not read, so they are "
            "left out; they go from the file when the class is next saved."}},
        {true, "m,1,1,1,1,0,0,256,0.5,1,,,,,,,,,9", {"1: Spawnflags must be a whole number from 0 to 7." + loaded}},
        {false, "t,1,1,grass\r\n", {}},
        {false, "t,1,0\nu,1,abc\n,1,1\n", {"1: Density multiplier '0' reads as 0" + leftOut,
            "2: Density multiplier 'abc' reads as 0" + leftOut, "3: Texture name is not set" + leftOut}},
        {false, "t,1,2,grass,gone", {"1: there is no model class 'gone', so it is left out of the line; "
            "it goes from the file when the class is next saved."}},
        {false, "t/u,2,1", {"1: Texture name contains invalid characters (? , \\r \\n / \\ \" * : < > |)." + loaded}},
    };
    for (const Case& c : cases) {
        FoliageEngine engine;
        engine.modelClasses["grass"];
        std::vector<LineReport> reports;
        if (c.model) ParseModelClass(engine, "c", c.file.data(), c.file.size(), &reports);
        else ParseMapClass(engine, "c", c.file.data(), c.file.size(), &reports);
        std::vector<std::string> got;
        for (const LineReport& r : reports) got.push_back(std::to_string(r.line) + ": " + r.message);
        EXPECT_EQ(got, c.want) << c.file;
    }
}

// The exact text of each file; loading them and saving again gives the same
// bytes (values are rounded to six digits on the way).
TEST(SavedFiles, HaveTheExactTextFormatAndRoundTrip) {
    DataDir dir;
    const std::string g = dir.Installation("g"), h = dir.Installation("h");
    FoliageEngine engine;
    engine.modelClasses["grass"] = {ModelOption("m_a", 0.00001f, 100000, false, true, -1.5f, 0, 256,
                                                0.5f, 1234567)};
    engine.modelClasses["ruled"] = {ModelOption("m", 1), WithRules(0, 35.5f, std::nullopt, 900, 64)};
    engine.mapClasses["field"] = {TextureOption("tex", false, 0.1f, {"grass", "ruled"}),
                                  TextureOption("bare", true, -2)};
    engine.installations[g] = {{"m1", "field"}, {"m0", "other"}};
    engine.installations[h];
    auto saveAll = [&](FoliageEngine& e) {
        for (const auto& entry : e.modelClasses) EXPECT_TRUE(e.SaveModelClass(dir.models, entry.first)) << entry.first;
        for (const auto& entry : e.mapClasses) EXPECT_TRUE(e.SaveMapClass(dir.maps, entry.first)) << entry.first;
        ASSERT_TRUE(e.SaveConfig(dir.data, "config"));
    };
    const std::string files[] = {dir.Model("grass.csv"), dir.Model("ruled.csv"), dir.Map("field.csv"), dir.Config()};
    const std::string want[] = {
        "m_a,1e-05,100000,0,1,-1.5,0,256,0.5,1.23457e+06\r\n",
        "m,1,1,1,1,0,0,256,0.5,1\r\nm,1,1,1,1,0,0,256,0.5,1,0,35.5,,900,64\r\n",
        "tex,0,0.1,grass,ruled\r\nbare,1,-2\r\n", g + ",m0|other,m1|field\r\n" + h + "\r\n"};
    saveAll(engine);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(ReadFileBytes(files[i]), want[i]);

    FoliageEngine loaded;
    const StoreContents contents = LoadConfigurationStore(loaded, dir.data);
    EXPECT_TRUE(contents.errors.empty()) << contents.errors[0];
    // Files are rewritten from what was loaded; an empty or missing class would show.
    for (const std::string& file : files) fs::remove(file);
    loaded.stamps = FileStamps();  // removed here on purpose, not by another window
    saveAll(loaded);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(ReadFileBytes(files[i]), want[i]);
}

// Loading only reads: write-protected files load, and only the given size.
TEST(Loaders, ReadTheGivenSizeOfProtectedFilesAndAddNothingOnFailure) {
    TempDir dir;
    const std::string model = dir.File("grass.csv"), map = dir.File("field.csv"), config = dir.File("config.csv");
    WriteFileBytes(model, "m,1,2\r\n");
    WriteFileBytes(map, "t,1,1,grass\r\n");
    WriteFileBytes(config, "C:\\game,a|x,b|y|z,c\r\n"
                           "/games/cod\r\n"      // a directory alone is kept with no maps
                           "C:\\game,a|w\r\n");  // same directory again: adds, later value wins
    for (const std::string& p : {model, map, config})
        fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    FoliageEngine engine;
    EXPECT_FALSE(engine.LoadModelClass(dir.File("none.csv"), 0));
    EXPECT_NE(engine.LastError().find("none.csv"), std::string::npos) << engine.LastError();
    EXPECT_TRUE(engine.modelClasses.empty());
    EXPECT_TRUE(engine.LoadModelClass(model, FileSize(model)));
    EXPECT_TRUE(engine.LoadMapClass(map, FileSize(map)));
    EXPECT_TRUE(engine.LoadConfig(config, FileSize(config)));
    EXPECT_EQ(engine.modelClasses["grass"], std::vector<ModelOption>{ModelOption("m", 1, 2)});
    EXPECT_EQ(engine.mapClasses["field"][0].modelClassNames, std::vector<std::string>{"grass"});
    const InstallationTable installations = {
        {"C:\\game", {{"a", "w"}, {"b", "y|z"}, {"c", "c"}}},
        {"/games/cod", {}},
    };
    EXPECT_EQ(engine.installations, installations);
}

TEST(ConfigurationStore, PassesOverFilesThatAreNotClassFiles) {
    DataDir dir;
    for (const char* name : {"grass.csv", "readme.txt", "noext", "upper.CSV", "a.b.csv", "e.csv"})
        WriteFileBytes(dir.Model(name), "m\r\n");
    WriteFileBytes(dir.Model("e.csv"), "");
    fs::create_directory(dir.Model("old.csv"));
    WriteFileBytes(dir.Map("field.csv"), "t,1,1,grass,e,a,upper\r\n");
    FoliageEngine engine;
    const StoreContents contents = LoadConfigurationStore(engine, dir.data);
    EXPECT_EQ(Sorted(contents.modelClassNames), (std::vector<std::string>{"e", "grass"}));
    // Model classes load first. The empty class has its entry, so the map
    // class keeps it; the classes not loaded are left out, and reported.
    EXPECT_EQ(engine.mapClasses["field"][0].modelClassNames, (std::vector<std::string>{"grass", "e"}));
    const std::string field = "'" + dir.Map("field.csv") + "' line 1: there is no model class ";
    const std::string tail = ", so it is left out of the line; it goes from the file when the class is next saved.";
    EXPECT_EQ(contents.errors, (std::vector<std::string>{field + "'a'" + tail, field + "'upper'" + tail}));

    // Lines left out and lines the editor would refuse are reported with
    // their file and line, for both kinds of class.
    WriteFileBytes(dir.Model("grass.csv"), "m\r\n\r\nbad\"name,1\r\nn,0\r\n");
    WriteFileBytes(dir.Map("field.csv"), "t,1,0\r\n");
    FoliageEngine again;
    const StoreContents warned = LoadConfigurationStore(again, dir.data);
    EXPECT_EQ(warned.errors, (std::vector<std::string>{
        "'" + dir.Model("grass.csv") + "' line 3: the model name holds a double quote or a "
        "control character, so the line is left out; it goes from the file when the class is next saved.",
        "'" + dir.Model("grass.csv") + "' line 4: Density minimum must be higher than 0. The option is "
        "loaded as it reads; edit it to correct this.",
        "'" + dir.Map("field.csv") + "' line 1: Density multiplier '0' reads as 0, so the line is left "
        "out; it goes from the file when the class is next saved."}));
    EXPECT_EQ(again.modelClasses["grass"].size(), 2u);

    // A file that is no text file is not loaded, and says so; a file with
    // many problems lists the first ten.
    WriteFileBytes(dir.Map("field.csv"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    std::string many;
    for (int i = 0; i < 12; ++i) many += "m,0\n";
    WriteFileBytes(dir.Model("grass.csv"), many);
    FoliageEngine broken;
    const StoreContents reported = LoadConfigurationStore(broken, dir.data);
    EXPECT_TRUE(reported.mapClassNames.empty());
    EXPECT_TRUE(ContainsError(reported, "Cannot load '" + dir.Map("field.csv") +
                                            "': it is not a text file (it holds a NUL byte)."));
    EXPECT_TRUE(ContainsError(reported, "' line 10: Density minimum"));
    EXPECT_FALSE(ContainsError(reported, "' line 11: "));
    EXPECT_TRUE(ContainsError(reported, "'" + dir.Model("grass.csv") + "': 2 more problems like these are not listed."));
}

TEST(ConfigurationStore, KeepsOnlyValidInstallationsAndRewritesConfig) {
    DataDir dir;
    const std::string good = dir.Installation("good");
    // Mod tools of other games have map_source but no Docs/model_pics.
    const std::string noPics = dir.temp.File("nopics");
    fs::create_directories(paths::Join(noPics, "map_source"));
    const std::string alone = dir.Installation("alone"), missing = dir.temp.File("missing");
    const std::string noMapSource = dir.temp.File("empty");
    fs::create_directories(noMapSource);
    WriteFileBytes(dir.Config(), good + ",a|b\n" + noPics + ",c|d\n" + alone + "\n" + missing + ",e|f\n" +
                                     noMapSource + "\n");
    FoliageEngine engine;
    const StoreContents contents = LoadConfigurationStore(engine, dir.data);
    EXPECT_EQ(Sorted(contents.installDirs), Sorted({good, noPics, alone}));
    const std::vector<std::string> kept = Sorted({alone + "\r\n", good + ",a|b\r\n", noPics + ",c|d\r\n"});
    EXPECT_EQ(ReadFileBytes(dir.Config()), kept[0] + kept[1] + kept[2]);
    // What is dropped is said, once.
    EXPECT_EQ(contents.errors,
              Sorted({"The installation directory '" + missing + "' is no longer offered: it is not a "
                      "directory any more. The map classes chosen for its maps are forgotten with it. "
                      "Set it again once it is back.",
                      "The installation directory '" + noMapSource + "' is no longer offered: it has no "
                      "'map_source' directory any more. Set it again once it is back."}));
    FoliageEngine again;
    EXPECT_TRUE(LoadConfigurationStore(again, dir.data).errors.empty());
    // Read-only start-up checks the same but writes and forgets nothing.
    WriteFileBytes(dir.Config(), missing + ",c|d\n");
    FoliageEngine batch;
    const StoreContents readOnly = LoadConfigurationStore(batch, dir.data, true);
    EXPECT_TRUE(readOnly.installDirs.empty() && readOnly.errors.empty());
    EXPECT_EQ(ReadFileBytes(dir.Config()), missing + ",c|d\n");
    // A config the loader refuses (a sparse file over 4 GiB) is left alone too.
    fs::resize_file(dir.Config(), 5ull << 30);
    FoliageEngine refused;
    EXPECT_TRUE(ContainsError(LoadConfigurationStore(refused, dir.data), dir.Config()));
    EXPECT_EQ(FileSize(dir.Config()), 5ull << 30);
}

TEST(ConfigurationStore, FailingQueriesAreReportedAndStartUpGoesOn) {
    TempDir temp;
    const std::string data = temp.File("data");
    fs::create_directory(data);
    WriteFileBytes(paths::Join(data, "maps"), "a file in the way");
#ifdef _WIN32
    // Symbolic links need a privilege there; a file is in the way instead,
    // and the system words the reason.
    WriteFileBytes(paths::Join(data, "models"), "a file in the way");
    const std::string reason = "': ";
#else
    fs::create_symlink(temp.File("nowhere"), paths::Join(data, "models"));  // broken
    const std::string reason = "': File exists";
#endif
    FoliageEngine engine;
    StoreContents contents;
    ASSERT_NO_THROW(contents = LoadConfigurationStore(engine, data));
    EXPECT_TRUE(ContainsError(contents, "'" + paths::Join(data, "maps") + reason));
    EXPECT_TRUE(ContainsError(contents, "'" + paths::Join(data, "models") + reason));  // start-up went on
}

// Two windows on one data directory (two engines that each loaded it): the
// second save of a file the first changed is refused with what to do, and
// the first change stays. A hand edit or a removal counts the same.
TEST(ConfigurationStore, AFileChangedSinceItWasReadIsNotOverwritten) {
    DataDir dir;
    WriteFileBytes(dir.Model("grass.csv"), "m_a\r\n");
    const std::string install = dir.Installation("game");
    FoliageEngine a, b;
    LoadConfigurationStore(a, dir.data);  // no config.csv yet
    LoadConfigurationStore(b, dir.data);
    a.modelClasses["grass"].push_back(ModelOption("m_b", 1));
    ASSERT_TRUE(a.SaveModelClass(dir.models, "grass")) << a.LastError();
    a.installations[install];
    ASSERT_TRUE(a.SaveConfig(dir.data, "config")) << a.LastError();
    const std::string grass = ReadFileBytes(dir.Model("grass.csv")), config = ReadFileBytes(dir.Config());

    b.modelClasses["grass"].push_back(ModelOption("m_c", 1));
    EXPECT_FALSE(b.SaveModelClass(dir.models, "grass"));
    EXPECT_EQ(b.LastError(), "Cannot save '" + dir.Model("grass.csv") + "': it was changed by another Arbrel "
                             "window or another program after this window read it. Nothing was overwritten: "
                             "close this window and start Arbrel again to load the file as it is now, then "
                             "make your change again.");
    EXPECT_FALSE(b.SaveConfig(dir.data, "config"));  // made after b started
    EXPECT_EQ(ReadFileBytes(dir.Model("grass.csv")), grass);
    EXPECT_EQ(ReadFileBytes(dir.Config()), config);

    // The window that wrote last goes on saving; after a restart the other does too.
    a.modelClasses["grass"].push_back(ModelOption("m_d", 1));
    EXPECT_TRUE(a.SaveModelClass(dir.models, "grass")) << a.LastError();
    FoliageEngine restarted;
    LoadConfigurationStore(restarted, dir.data);
    EXPECT_EQ(restarted.modelClasses["grass"].size(), 3u);
    EXPECT_TRUE(restarted.SaveModelClass(dir.models, "grass")) << restarted.LastError();

    WriteFileBytes(dir.Model("grass.csv"), "edited,1\r\n");  // by hand
    EXPECT_FALSE(restarted.SaveModelClass(dir.models, "grass"));
    fs::remove(dir.Model("grass.csv"));  // the class removed in another window
    EXPECT_FALSE(restarted.SaveModelClass(dir.models, "grass"));
    EXPECT_NE(restarted.LastError().find("it was removed by another"), std::string::npos) << restarted.LastError();
    EXPECT_FALSE(FileExists(dir.Model("grass.csv")));
}
