// The rules of the program's own paths on both platforms, in one table:
// which output texts are full paths, how directories are joined and which
// installation directories are the same one.

#include <gtest/gtest.h>

#include "config/install_dir_check.h"
#include "io/paths.h"

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

TEST(Paths, FullPathRulesOfBothPlatforms) {
    const struct { const char* text; bool posix; bool windows; } cases[] = {
        {"mp_x_foliage", false, false},
        {"maps/mp_x", false, false},               // a name with a directory: into map_source
        {"C:\\maps\\mp_x.map", true, true},        // drive letter
        {"c:mp_x.map", true, true},                // drive-relative is still a drive
        {"D:/maps/mp_x.map", true, true},
        {"\\\\nas\\maps\\mp_x.map", false, true},  // network share from the save dialog
        {"\\maps\\mp_x.map", false, true},         // root of the current drive
        {"/home/me/mp_x.map", true, true},
        {"", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(paths::IsFullPath(c.text), kWindows ? c.windows : c.posix) << c.text;
}

TEST(Paths, JoinUsesThePlatformSeparatorAndInstallDirsCompareByPlatform) {
    const std::string s(1, paths::kSeparator);
    EXPECT_EQ(paths::Join(paths::Join("game", "Docs"), "model_pics"), "game" + s + "Docs" + s + "model_pics");
    EXPECT_EQ(paths::Join("C:\\game\\", "map_source"), "C:\\game\\map_source");  // no doubled separator
    EXPECT_EQ(paths::Join("/game/", "map_source"), "/game/map_source");
    EXPECT_EQ(paths::Join("", "mp_x.map"), "mp_x.map");

    const struct { const char* a; const char* b; bool posix; bool windows; } dirs[] = {
        {"C:\\Games\\CoD4", "C:\\Games\\CoD4", true, true},
        {"C:\\Games\\CoD4", "c:\\games\\cod4", false, true},
        {"/games/Jos\xc3\xa9", "/games/JOS\xc3\x89", false, true},  // case beyond ASCII
        {"/games/cod4", "/games/cod5", false, false},
    };
    for (const auto& d : dirs)
        EXPECT_EQ(SameInstallationDirectory(d.a, d.b), kWindows ? d.windows : d.posix) << d.a << " " << d.b;
}
