// The misc_model count of real maps, and the removal of an earlier run's
// marked models, also after the level editor has saved the map again.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "engine/map_entities.h"
#include "engine/run_pipeline.h"
#include "tests/test_support.h"

namespace {

// kOneMeshMap with a hand-placed model after it.
const std::string kOneMesh = std::string(kOneMeshMap) +
                             "{\n\"origin\" \"8 8 0\"\n\"model\" \"hand_placed\"\n\"classname\" \"misc_model\"\n}\n";

// Lines that are exactly "classname" "misc_model", as grep -cx would count.
std::uint64_t GrepCount(const std::string& text) {
    std::istringstream lines(text);
    std::uint64_t count = 0;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        count += line == "\"classname\" \"misc_model\"";
    }
    return count;
}

// What the level editor does to a map it saves: entities numbered with
// "// entity N" comments, keys in another order, CR LF line ends.
std::string ResavedInEditorStyle(const std::string& map) {
    std::string out;
    int entity = 0, depth = 0;
    std::istringstream lines(map);
    std::string pending;  // the keys of the top-level entity being read
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("// entity", 0) == 0) continue;
        if (depth == 0 && line == "{") out += "// entity " + std::to_string(entity++) + "\r\n";
        const int before = depth;
        for (char c : line) depth += c == '{' ? 1 : c == '}' ? -1 : 0;
        if (before == 1 && depth == 1 && line.rfind("\"", 0) == 0) {
            pending = line + "\r\n" + pending;  // reversed key order
            continue;
        }
        if (before == 1 && depth != 1) {
            out += pending;
            pending.clear();
        }
        out += line + "\r\n";
    }
    return out;
}

struct Fixture {
    TempDir dir;
    FoliageEngine engine;
    CountingProgress progress;
    Fixture() {
        AddTreesOnGrass(engine);
        WriteFileBytes(dir.File("in.map"), kOneMesh);
    }
    RunResult Run(const std::string& input, const std::string& output, OutputOptions options) {
        RunRequest request = DemoRequest(dir.File(input), dir.File(output));
        request.seed = 1;
        request.output = options;
        return RunFoliage(engine, progress, request);
    }
};

}  // namespace

TEST(MapEntities, CountOfRealMapsEqualsTheirMiscModelLines) {
    for (const char* name : {"cod4_frazzie_mp_dr_frzl.map", "cod4_frazzie_mp_dr_frzl_early.map",
                             "cod4_frazzie_mp_dr_quick.map"}) {
        const std::string map = ReadFileBytes(TestDataPath(name));
        EXPECT_EQ(CountMiscModels(map), GrepCount(map)) << name;
        EXPECT_TRUE(FindMarkedEntities(map).empty()) << name;  // nothing of theirs is ours
    }
    EXPECT_EQ(CountMiscModels(ReadFileBytes(TestDataPath("cod4_frazzie_mp_dr_quick.map"))), 8u);
}

TEST(MapEntities, MarkReplaceAndStripAlsoAfterTheEditorSavedTheMap) {
    Fixture f;
    // A marked run, whose output the editor saves again.
    ASSERT_TRUE(f.Run("in.map", "marked.map", {true, false, {}}).ok);
    const std::string marked = ReadFileBytes(f.dir.File("marked.map"));
    const std::string markedEnd = "\"model\" \"tree\"\n\"arbrel_class\" \"trees\"\n\"classname\" \"misc_model\"\n}\n";
    ASSERT_EQ(Occurrences(marked, markedEnd), 6u);
    const std::string resaved = ResavedInEditorStyle(marked);
    WriteFileBytes(f.dir.File("resaved.map"), resaved);
    ASSERT_EQ(CountMiscModels(resaved), 7u);  // the hand-placed model and the six placed

    // Replace: the input without the six marked models, then a new run.
    const RunResult replaced = f.Run("resaved.map", "again.map", {true, true, {}});
    ASSERT_TRUE(replaced.ok) << replaced.message;
    EXPECT_EQ(replaced.budget.removed, 6u);
    EXPECT_EQ(replaced.budget.Total(), 7u);
    const std::string again = ReadFileBytes(f.dir.File("again.map"));
    EXPECT_EQ(ReadFileBytes(f.dir.File("resaved.map")), resaved);  // the input is never changed

    // Strip gives the re-saved map without them: every other line stays.
    RunRequest strip;
    strip.inputText = f.dir.File("resaved.map");
    strip.outputText = f.dir.File("stripped.map");
    const RunResult stripped = StripMarkedModels(f.engine, strip);
    ASSERT_TRUE(stripped.ok) << stripped.message;
    EXPECT_EQ(stripped.budget.removed, 6u);
    const std::string expected = ResavedInEditorStyle(kOneMesh);
    EXPECT_EQ(ReadFileBytes(f.dir.File("stripped.map")), expected);
    EXPECT_EQ(again.compare(0, expected.size(), expected), 0);
    EXPECT_EQ(GrepCount(again), 7u);

    // An input whose last line has no line end: the first block follows on
    // that line, and stripping gives the input back byte for byte.
    const std::string unterminated = kOneMesh.substr(0, kOneMesh.size() - 1);
    WriteFileBytes(f.dir.File("open.map"), unterminated);
    ASSERT_TRUE(f.Run("open.map", "open_marked.map", {true, false, {}}).ok);
    strip.inputText = f.dir.File("open_marked.map");
    ASSERT_TRUE(StripMarkedModels(f.engine, strip).ok);
    EXPECT_EQ(ReadFileBytes(f.dir.File("stripped.map")), unterminated);
}

TEST(MapEntities, OnlyMarkedMiscModelsWithoutBrushesAreRemoved) {
    const std::string kept[] = {
        "{\n\"arbrel_class\" \"trees\"\n\"classname\" \"script_model\"\n}\n",        // not a misc_model
        "{\n\"classname\" \"misc_model\"\n\"note\" \"arbrel_class\"\n}\n",           // key only in a value
        "{\n\"arbrel_class\" \"x\"\n\"classname\" \"misc_model\"\n{\nbrush\n}\n}\n",  // holds a block
    };
    for (const std::string& entity : kept) EXPECT_TRUE(FindMarkedEntities(entity).empty()) << entity;
    const std::string marked = "{\n\"arbrel_class\" \"a\"\n\"classname\" \"misc_model\"\n}\n";
    const std::string map = kept[0] + marked + kept[1];
    const auto ranges = FindMarkedEntities(map);
    ASSERT_EQ(ranges.size(), 1u);
    std::string rest;
    ForEachKeptPiece(map, ranges, [&](const char* data, std::size_t size) { rest.append(data, size); });
    EXPECT_EQ(rest, kept[0] + kept[1]);
}

TEST(MapEntities, BudgetCountsTheEntitiesStripSees) {
    // A misc_model line outside any block, and one in an entity that holds
    // a brush, are no entity strip would remove: the budget skips them too.
    const std::string map = "\"classname\" \"misc_model\"\n"
                            "{\n\"classname\" \"misc_model\"\n{\n ( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) caulk\n}\n}\n"
                            "{\n\"arbrel_class\" \"a\"\n\"classname\" \"misc_model\"\n}\n"
                            "{\n\"classname\" \"misc_model\"\n}\n";
    EXPECT_EQ(CountMiscModels(map), 2u);
    EXPECT_EQ(FindMarkedEntities(map).size(), 1u);
    // The reader's one scan finds the same.
    TempDir dir;
    WriteFileBytes(dir.File("m.map"), map);
    FoliageEngine engine;
    NullProgress progress;
    ASSERT_TRUE(engine.ReadMap(progress, dir.File("m.map"), map.size()));
    EXPECT_EQ(engine.mapIndex.entities.miscModels, 2u);
    ASSERT_EQ(engine.mapIndex.entities.marked.size(), 1u);
    EXPECT_EQ(engine.mapIndex.entities.marked[0].begin, FindMarkedEntities(map)[0].begin);
    EXPECT_EQ(engine.mapIndex.brushes.size(), 1u);
}
