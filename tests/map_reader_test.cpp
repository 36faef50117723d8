#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "text/conversions.h"
#include "engine/foliage_engine.h"
#include "tests/test_support.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

namespace {

// A worldspawn entity with one ordinary brush and one brush holding a mesh
// block with this body (the text between the mesh's braces).
std::string MeshMap(const std::string& body) {
    return "iwmap 4\n"
           "// entity 0\n{\n\"classname\" \"worldspawn\"\n"
           "// brush 0\n {\n  ( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) caulk 64 64 0 0 0 0 lightmap_gray 16384 16384 0 0 0 0\n }\n"
           "// brush 1\n {\n  mesh\n  {\n" +
           body + "  }\n }\n}\n";
}

// The usual header and two groups of three vertex lines.
const std::string kHeader = "   grass_texture\n   lightmap_gray\n   2 3 16 8\n";
const std::string kGroups =
    "   (\n"
    "\tv 0 0 10 t 0 0 0 0\n\tv 64 0 11 c 255 255 255 128 t 0 0 0 0\n\tv 128 0 12 t 0 0 0 0\n"
    "   )\n   (\n"
    "\tv 0 64 20 t 0 0 0 0\n\tv 64 64 21 t 0 0 0 0\n\tv 128 64 22 c 1 2 3 4 t 0 0 0 0 f 1\n"
    "   )\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// "x y z alpha" of a vertex, "texture rowsxcolumns" of a mesh.
std::string Text(const MeshVertex& v) {
    return FloatToString(v.x) + " " + FloatToString(v.y) + " " + FloatToString(v.z) + " " + FloatToString(v.alpha);
}
std::string Shape(const TerrainMesh& mesh) {
    return mesh.texture + " " + std::to_string(mesh.rows) + "x" + std::to_string(mesh.columns);
}
// Every vertex, joined by ", ".
std::string Vertices(const TerrainMesh& mesh) {
    std::string text;
    for (const MeshVertex& v : mesh.vertices) text += (text.empty() ? "" : ", ") + Text(v);
    return text;
}

class MapReaderTest : public ::testing::Test {
protected:
    // Writes text as the map file and reads all of it.
    bool Read(const std::string& text) {
        const std::string path = dir.File("map.map");
        WriteFileBytes(path, text);
        return engine.ReadMap(progress, path, text.size());
    }
    // Reads a map holding one mesh with this body; the mesh must be found.
    const TerrainMesh& ReadMesh(const std::string& body) {
        EXPECT_TRUE(Read(MeshMap(body)));
        EXPECT_EQ(engine.meshes.size(), 1u) << body;
        static const TerrainMesh none;
        return engine.meshes.empty() ? none : engine.meshes.front();
    }
    // The shapes of the meshes found, joined by ", ": "texture RxC vertices".
    std::string Found() const {
        std::string text;
        for (const TerrainMesh& m : engine.meshes)
            text += (text.empty() ? "" : ", ") + Shape(m) + " " + std::to_string(m.vertices.size());
        return text;
    }
    // What the engine holds, to check that a failed read left it alone.
    std::string Loaded() const { return std::string(engine.mapBuffer.get(), engine.mapSize) + "\n" + Found(); }

    TempDir dir;
    FoliageEngine engine;
    CountingProgress progress;
};

// ---------------------------------------------------------------- block scan

TEST_F(MapReaderTest, FindsMeshBlocksOnlyWhereTheBraceScanPutsThem) {
    const std::string mesh = "  mesh\n  {\n" + kHeader + kGroups + "  }\n";
    const std::string grass = "grass_texture 2x3 6";
    struct Case { const char* name; std::string text, found; int meshes; };
    const Case cases[] = {
        {"no mesh at all", "iwmap 4\n{\n\"classname\" \"worldspawn\"\n {\n  ( 0 0 0 ) caulk\n }\n}\n", "", 0},
        {"two entities in file order",
         "{\n {\n" + mesh + " }\n}\n{\n\"classname\" \"func_group\"\n {\n" +
             Replace(mesh, "grass_texture", "rock") + " }\n}\n", grass + ", rock 2x3 6", 2},
        {"mesh at entity level is not in a brush", "{\n" + mesh + "}\n", "", 0},
        {"other keyword", "{\n {\n  curve\n  {\n" + kHeader + kGroups + "  }\n }\n}\n", "", 0},
        {"keyword is case-sensitive", "{\n {\n  Mesh\n  {\n" + kHeader + "  }\n }\n}\n", "", 0},
        {"blanks are not part of the keyword", "{\n {\n me\tsh\r\n {\n" + kHeader + "  }\n }\n}\n",
         "grass_texture 2x3 0", 1},
        // The keyword is only emptied when the brush closes.
        {"second mesh in one brush", "{\n {\n" + mesh + mesh + " }\n}\n", grass, 1},
        {"mesh after a curve in one brush", "{\n {\n  curve\n  {\n" + kHeader + "  }\n" + mesh + " }\n}\n", "", 0},
        {"balanced braces in a quoted value",
         "{\n\"hintstring\" \"Press [^3{{+activate}}]^7 to activate pusher\"\n {\n" + mesh + " }\n}\n", grass, 1},
        {"an opening brace in a quoted value shifts the nesting", "{\n\"message\" \"{\"\n {\n" + mesh + " }\n}\n", "", 0},
        {"braces in a comment count too", "{\n// }\n {\n" + mesh + " }\n}\n", "", 0},
        {"stray closing braces at top level are ignored", "}\n}\n{\n {\n" + mesh + " }\n}\n", grass, 1},
        {"file ends inside the mesh", "{\n {\n  mesh\n  {\n" + kHeader + kGroups, "", 0},
        {"the header starts on the brace line",
         "{\n {\n  mesh\n  { tex\n   lm\n   9 5\n   (\n\tv 1 2 3 t\n   )\n  }\n }\n}\n", "tex 9x5 1", 1},
        // No "(": every ended line is a header line, so "v 1 2 3 t" is the size line.
        {"without groups the header runs to the brace",
         "{\n {\n  mesh\n  {\n   tex\n   lm\n   9 5\n   v 1 2 3 t\n  7 7}\n }\n}\n", "tex 0x1 0", 1},
        // Inside the mesh the keyword still reads "mesh", so "{" starts the
        // body again, and the first "}" ends the mesh.
        {"a nested opening brace restarts the body",
         "{\n {\n  mesh\n  {\n   first\n   x\n   1 1\n {\n   second\n   x\n   3 4\n }\n }\n }\n}\n", "second 3x4 0", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        progress = CountingProgress();
        EXPECT_TRUE(Read(c.text));
        EXPECT_EQ(Found(), c.found);
        EXPECT_EQ(progress.meshesRead, c.meshes);
    }
}

// ---------------------------------------------------------------- mesh header

TEST_F(MapReaderTest, ReadsTheHeaderByItsTokenRules) {
    struct Case { const char* name; std::string header, shape; };
    const Case cases[] = {
        {"keyword lines first; groups first, then vertices per group",
         "  toolFlags splitGeo;\n  contents nonColliding;\n   tex\n   lightmap_gray\n   9 5 16 8\n", "tex 9x5"},
        {"keywords are case-sensitive", "Contents detail;\ntex\n2 3\n", "Contents 2x3"},
        {"smoothing line then size line", "tex\nlightmap_gray\nsmoothing smoothing_hard\n3 2 16 8\n", "tex 3x2"},
        {"trailing space on the texture line", "tex \n7 6\n", "tex 7x6"},
        {"tabs lead, but are text inside a token", "\t \ttex\tx\n\tlm\n\t2 3\n", "tex\tx 2x3"},
        {"two spaces enclose an empty token", "tex\nlm\n9  5\n", "tex 9x0"},
        {"numbers are read as integers", "tex\nlm\n16.5 4abc\n", "tex 16x4"},
        {"no size line", "tex\nlightmap_gray\n", "tex 0x0"},
        {"blank lines have no tokens", "\n  \t \n\ntex\n\n \nlm\n\n2 3\n\n", "tex 2x3"},
        {"a ( ends the header at once", "tex\nlm (\n2 3\n", "tex 0x0"},
    };
    for (const Case& c : cases) EXPECT_EQ(Shape(ReadMesh(c.header + kGroups)), c.shape) << c.name;
}

// ---------------------------------------------------------------- vertex lines

TEST_F(MapReaderTest, ReadsVertexLinesByTheirMarkers) {
    struct Case { const char* name; std::string line, vertex; };  // one line of a group, with its break
    const Case cases[] = {
        {"last number has no following space", "\tv 1 2 3\n", "1 2 0 255"},
        {"marker only", "\tv\n", "0 0 0 255"},
        {"read from the last v", "\txx v 9 9 9 c 1 1 1 1 v 4 5 6 t\n", "4 5 6 255"},
        {"two spaces give an empty number", "\tv 1  2 3 t\n", "1 0 2 255"},
        {"a tab belongs to the number", "\tv\t1 2 3 t\n", "2 3 0 255"},
        {"nothing is kept after t", "\tv 1 2 3 t 1 c 1 1 1 1 1 1\n", "1 2 3 255"},
        // Lines of real World at War / CoD4 maps: an exponent, a colour and a flag.
        {"exponent", "\tv 512 400 -1.5735626e-005 t 0 -192 1 5\n", "512 400 -1.57356e-05 255"},
        {"colour and flag",
         "\tv -1928.75 1038 184 c 255 255 255 0 t 29702 -73711.469 -14.046875 -575.875 f 1\n", "-1928.75 1038 184 0"},
    };
    for (const Case& c : cases) EXPECT_EQ(Vertices(ReadMesh(kHeader + "(\n" + c.line + ")\n")), c.vertex) << c.name;
}

TEST_F(MapReaderTest, TakesOnlyEndedLinesWithAVInsideGroups) {
    const TerrainMesh& mesh = ReadMesh(kHeader +
                                       "   ( v 1 1 1 t\n"          // rest of the "(" line counts
                                       "\t1 2 3 t 4 5\n"           // no v: passed over
                                       "\tv 2 2 2 t\n"
                                       "\tv 3 3 3 t)\n"            // ")" follows without a break
                                       "\tv 8 8 8 t\n"             // between groups
                                       "   (\n\tv 4 4 4 t\n   )\n"
                                       "   (\n\tv 9 9 9 t\n");     // group never closed
    EXPECT_EQ(Vertices(mesh), "1 1 1 255, 2 2 2 255, 4 4 4 255");
}

// Groups are stored one after another, whatever the line breaks.
TEST_F(MapReaderTest, StoresGroupsInOrderWithLfCrLfOrCr) {
    const struct { const char* name; const char* newline; } lineEnds[] = {{"LF", "\n"}, {"CR LF", "\r\n"}, {"CR", "\r"}};
    for (const auto& [name, newline] : lineEnds) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Read(Replace(MeshMap(kHeader + kGroups), "\n", newline)));
        EXPECT_EQ(engine.meshes.size(), 1u);
        if (engine.meshes.empty()) continue;
        EXPECT_EQ(Shape(engine.meshes[0]) + ": " + Vertices(engine.meshes[0]),
                  "grass_texture 2x3: 0 0 10 255, 64 0 11 128, 128 0 12 255, 0 64 20 255, 64 64 21 255, 128 64 22 4");
    }
}

// ---------------------------------------------------------------- loading

TEST_F(MapReaderTest, AFailedReadLeavesTheLoadedMapAlone) {
    // Only the size given is read.
    const std::string map = MeshMap(kHeader + kGroups), shortFile = dir.File("map.map");
    WriteFileBytes(shortFile, map + MeshMap("other\nlm\n1 1\n"));
    ASSERT_TRUE(engine.ReadMap(progress, shortFile, map.size())) << engine.LastError();
    const std::string before = Loaded();
    EXPECT_EQ(before, map + "\ngrass_texture 2x3 6");

    // Windows words these failures itself, in the user's language.
#ifdef _WIN32
    constexpr bool kSystemReason = true;
#else
    constexpr bool kSystemReason = false;
#endif
    struct Case {
        const char* name;
        std::string path;
        std::uint64_t size;
        std::string reason;  // part of the message besides the path
    };
    const Case cases[] = {
        {"missing file", dir.File("missing.map"), 10, kSystemReason ? "': " : std::strerror(ENOENT)},
        {"shorter than the size", shortFile, 100000, "bytes"},
        {"a directory", dir.path(), 10, kSystemReason ? "': " : std::strerror(EISDIR)},
        {"over 4 GiB", shortFile, std::uint64_t(std::numeric_limits<std::uint32_t>::max()) + 1, "4 GiB"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(engine.ReadMap(progress, c.path, c.size)) << c.name;
        EXPECT_EQ(Loaded(), before) << c.name;
        EXPECT_NE(engine.LastError().find("'" + c.path + "'"), std::string::npos) << engine.LastError();
        EXPECT_NE(engine.LastError().find(c.reason), std::string::npos) << engine.LastError();
    }
    EXPECT_EQ(progress.meshesRead, 1);
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
TEST_F(MapReaderTest, AFailedAllocationReturnsFalse) {
    ASSERT_TRUE(Read(MeshMap(kHeader + kGroups)));
    const std::string before = Loaded();
    // With the address space capped, a buffer of nearly 4 GiB cannot be had.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit capped = old;
    capped.rlim_cur = rlim_t(1) << 31;
    if (old.rlim_max != RLIM_INFINITY && old.rlim_max < capped.rlim_cur) capped.rlim_cur = old.rlim_max;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &capped), 0);
    const bool ok = engine.ReadMap(progress, dir.File("map.map"), std::numeric_limits<std::uint32_t>::max());
    setrlimit(RLIMIT_AS, &old);
    EXPECT_FALSE(ok);
    EXPECT_NE(engine.LastError().find("Not enough memory"), std::string::npos) << engine.LastError();
    EXPECT_EQ(Loaded(), before);
}
#endif

// ---------------------------------------------------------------- real maps

TEST_F(MapReaderTest, ReadsTheRealMaps) {
    struct RealMap { const char* file; std::size_t meshes; };
    const RealMap maps[] = {
        {"cod4_frazzie_mp_dr_frzl_early.map", 10},  // and 28 curve blocks
        {"cod4_frazzie_mp_dr_quick.map", 0},        // curve blocks only
        {"cod4_frazzie_mp_dr_frzl.map", 23},        // and 180 curve blocks; its meshes are checked below
    };
    for (const RealMap& map : maps) {
        SCOPED_TRACE(map.file);
        progress = CountingProgress();
        const std::string path = TestDataPath(map.file);
        EXPECT_TRUE(engine.ReadMap(progress, path, FileSize(path))) << engine.LastError();
        EXPECT_EQ(engine.meshes.size(), map.meshes);
        EXPECT_EQ(progress.meshesRead, static_cast<int>(map.meshes));
        EXPECT_EQ(std::string(engine.mapBuffer.get(), engine.mapSize), ReadFileBytes(path));
        // Every real mesh holds exactly rows groups of columns vertex lines.
        for (const TerrainMesh& mesh : engine.meshes) {
            EXPECT_EQ(mesh.vertices.size(), std::size_t(mesh.rows) * std::size_t(mesh.columns))
                << map.file << " " << mesh.texture;
            for (const MeshVertex& v : mesh.vertices) EXPECT_EQ(v.alpha, 255.0f);
        }
    }
    // Brush 146 of entity 0, "5 2 16 8": five groups of two, vertex 2 opening the
    // second; brush 189 with a "toolFlags splitGeo;" line before the texture;
    // and the largest mesh, "16 9 0 8".
    auto vertex = [&](std::size_t mesh, std::size_t at) {
        return Shape(engine.meshes[mesh]) + " " + Text(engine.meshes[mesh].vertices[at]);
    };
    EXPECT_EQ(vertex(0, 0) + ", " + vertex(0, 2) + ", " + vertex(0, 9) + ", " + vertex(4, 1) + ", " + vertex(21, 1),
              "me_office_carpet01 5x2 504 400 0 255, me_office_carpet01 5x2 518 434 0 255, "
              "me_office_carpet01 5x2 600 448 0 255, me_floor_shinyblack 2x7 206.5 327.5 -731 255, "
              "com_plastic_wall 16x9 -3529.25 477.25 -651 255");
}

}  // namespace
