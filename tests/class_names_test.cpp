#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/class_names.h"

namespace {

const std::string kInvalid = "Name contains invalid characters (? / \\ \" * : < > | , .).";

}  // namespace

TEST(ClassNames, RefusesEmptyNames) {
    EXPECT_EQ(CheckClassName("", {}), "Name has no length.");
    EXPECT_EQ(CheckClassName("", {""}), "Name has no length.");  // emptiness is tested first
}

TEST(ClassNames, RefusesEachForbiddenCharacterAnywhere) {
    for (char c : std::string("?/\\\"*:<>|,.")) {
        const std::string bad(1, c);
        for (const std::string& name : {bad, "grass" + bad, bad + "grass", "gr" + bad + "ass"})
            EXPECT_EQ(CheckClassName(name, {}), kInvalid) << name;
    }
    // The character test comes before the duplicate test.
    EXPECT_EQ(CheckClassName("a.b", {"a.b"}), kInvalid);
}

TEST(ClassNames, AllowsSpacesAndOtherCharacters) {
    const std::vector<std::string> names = {" grass ", "tall grass", "grass_01", "gr-ass(2)",
                                            "\xc3\xa9t\xc3\xa9", "a;b", "[x]{y}", "'quoted'",
                                            std::string("nul\0in", 6)};
    for (const std::string& name : names)
        EXPECT_EQ(CheckClassName(name, {"other"}), "") << name;
}

TEST(ClassNames, RefusesDuplicatesIgnoringCase) {
    const std::vector<std::string> existing = {"Grass", "rocks"};
    EXPECT_EQ(CheckClassName("grass", existing), "Name 'grass' already exists.");
    EXPECT_EQ(CheckClassName("GRASS", existing), "Name 'GRASS' already exists.");
    EXPECT_EQ(CheckClassName("Rocks", existing), "Name 'Rocks' already exists.");
    EXPECT_EQ(CheckClassName("grass2", existing), "");
    EXPECT_EQ(CheckClassName("grass ", existing), "");  // a trailing space makes another name
    EXPECT_TRUE(SameNameIgnoringCase("AbC", "aBc"));
    EXPECT_FALSE(SameNameIgnoringCase("abc", "abcd"));
    // Only ASCII letters fold: bytes of other encodings compare as they are.
    EXPECT_FALSE(SameNameIgnoringCase("\xc3\xa9", "\xc3\x89"));
}
