#include <gtest/gtest.h>

#include <string>

#include "config/last_session.h"
#include "engine/store_loader.h"
#include "engine/foliage_engine.h"
#include "tests/test_support.h"

// The last installation and Seed come back at the next start; config.csv
// is not touched, and a missing or broken file gives an empty session.
TEST(LastSession, RoundTripsBesideAnUnchangedConfig) {
    TempDir dir;
    const std::string data = dir.File("data");
    FoliageEngine engine;
    LoadConfigurationStore(engine, data);  // makes the directory
    EXPECT_EQ(LoadLastSession(data).installDir, "");

    std::string error;
    ASSERT_TRUE(SaveLastSession(data, {"C:\\Games\\CoD4, GOTY", " 42"}, error)) << error;
    EXPECT_EQ(ReadFileBytes(dir.File("data/session.csv")), "installation,C:\\Games\\CoD4, GOTY\r\nseed, 42\r\n");
    const LastSession back = LoadLastSession(data);
    EXPECT_EQ(back.installDir, "C:\\Games\\CoD4, GOTY");
    EXPECT_EQ(back.seed, " 42");
    EXPECT_FALSE(FileExists(dir.File("data/config.csv")));
    EXPECT_EQ(FileNames(data), (std::vector<std::string>{"maps", "models", "session.csv"}));

    struct Case { std::string text, dir, seed; };
    const Case cases[] = {
        {"seed,7\nother,x\ninstallation,/g", "/g", "7"},  // any order; unknown lines pass
        {"installation", "", ""}, {"", "", ""}, {std::string("seed,1\0", 7), "", std::string("1\0", 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const LastSession parsed = ParseLastSession(c.text);
        EXPECT_EQ(parsed.installDir, c.dir);
        EXPECT_EQ(parsed.seed, c.seed);
    }
    // Text with a line break is not kept rather than split into lines.
    EXPECT_EQ(FormatLastSession({"a\nb", "1"}), "installation,\r\nseed,1\r\n");
}
