#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui_logic/class_names.h"

TEST(ClassNames, MessagesInCheckOrder) {
    const std::string invalid = "Name contains invalid characters (? / \\ \" * : < > | , .).";
    const std::vector<std::string> existing = {"Grass", "rocks"};
    const struct { std::string name; std::vector<std::string> existing; std::string message; } cases[] = {
        {"", {}, "Name has no length."},
        {"", {""}, "Name has no length."},   // emptiness is tested first
        {"a.b", {"a.b"}, invalid},               // the characters before the duplicates
        {"grass", existing, "Name 'grass' already exists."},
        {"GRASS", existing, "Name 'GRASS' already exists."},
        {"Rocks", existing, "Name 'Rocks' already exists."},
        {"grass2", existing, ""},
        {"grass ", existing, ""},             // a trailing space makes another name
        {" grass ", {}, ""}, {"tall grass", {}, ""}, {"gr-ass(2)", {}, ""}, {"\xc3\xa9t\xc3\xa9", {}, ""},
        {"a;b", {}, ""}, {"[x]{y}", {}, ""}, {"'quoted'", {}, ""}, {std::string("nul\0in", 6), {}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckClassName(c.name, c.existing), c.message) << c.name;
    for (char c : std::string("?/\\\"*:<>|,.")) {
        const std::string bad(1, c);
        for (const std::string& name : {bad, "grass" + bad, bad + "grass", "gr" + bad + "ass"})
            EXPECT_EQ(CheckClassName(name, {}), invalid) << name;
    }
    EXPECT_TRUE(SameNameIgnoringCase("AbC", "aBc"));
    EXPECT_FALSE(SameNameIgnoringCase("abc", "abcd"));
    // Only ASCII letters fold: bytes of other encodings compare as they are.
    EXPECT_FALSE(SameNameIgnoringCase("\xc3\xa9", "\xc3\x89"));
}
