// The editors' Save checks on field texts: the order of the checks, the
// exact messages, and the exchange of reversed ranges.

#include <gtest/gtest.h>

#include <string>

#include "config/option_checks.h"

namespace {

ModelOptionTexts Defaults() {
    return {"foliage_grass_a", "0.5", "0.5", "0", "0", "256", "0.5", "2.0", "", "", "", "", ""};
}

TEST(CheckModelOption, MessagesInCheckOrder) {
    struct Case {
        const char* what;
        void (*edit)(ModelOptionTexts&);
        const char* message;
    };
    const Case cases[] = {
        {"defaults", [](ModelOptionTexts&) {}, ""},
        {"empty name before its characters",
         [](ModelOptionTexts& t) { t.modelName.clear(); t.densityMin = "0"; },
         "Model name is not set."},
        {"comma", [](ModelOptionTexts& t) { t.modelName = "a,b"; },
         "Model name contains invalid characters (? , \\r \\n / \\ \" * : < > |)."},
        {"spaces pass", [](ModelOptionTexts& t) { t.modelName = "big oak tree"; }, ""},
        {"density 0", [](ModelOptionTexts& t) { t.densityMin = "0"; t.densityMax = "1"; },
         "Density minimum must be higher than 0."},
        {"density 0.001", [](ModelOptionTexts& t) { t.densityMin = "0.001"; }, ""},
        {"density letters read as 0", [](ModelOptionTexts& t) { t.densityMin = "abc"; },
         "Density minimum must be higher than 0."},
        {"opacity below 0", [](ModelOptionTexts& t) { t.opacityMin = "-1"; },
         "Opacity minimum must be higher than or equal to 0."},
        {"opacity 0 to 256", [](ModelOptionTexts& t) { t.opacityMin = "0"; t.opacityMax = "256"; },
         ""},
        {"opacity 256.5", [](ModelOptionTexts& t) { t.opacityMax = "256.5"; },
         "Opacity maximum must be lower than or equal to 256."},
        {"scale 0", [](ModelOptionTexts& t) { t.scaleMin = "0"; },
         "Scale minimum must be higher than 0."},
        {"negative z-offset", [](ModelOptionTexts& t) { t.zOffset = "-12"; }, ""},
        {"density beyond the smallest triangle", [](ModelOptionTexts& t) { t.densityMax = "1431009"; },
         "Density maximum must be lower than or equal to 1431008."},
        {"rules set", [](ModelOptionTexts& t) { t.slopeMax = "40"; t.heightMin = "-5e2"; t.spacingRadius = " 32 "; }, ""},
        {"slope not a number", [](ModelOptionTexts& t) { t.slopeMin = "10deg"; },
         "Slope minimum must be a number, or empty for no rule."},
        {"slope over 90", [](ModelOptionTexts& t) { t.slopeMax = "95"; }, "Slope must be from 0 to 90 degrees."},
        {"negative spacing", [](ModelOptionTexts& t) { t.spacingRadius = "-1"; },
         "Spacing radius must be higher than or equal to 0."},
    };
    for (const Case& c : cases) {
        ModelOptionTexts texts = Defaults();
        c.edit(texts);
        EXPECT_EQ(CheckModelOption(texts), c.message) << c.what;
    }
}

TEST(CheckModelOption, ReversedRangesAreExchangedBeforeTheChecks) {
    using T = ModelOptionTexts;
    struct Case {
        const char* what;
        void (*edit)(T&);
        const char* message;
        std::string (*after)(const T&);  // the texts the exchange leaves
        const char* want;
    };
    const Case cases[] = {
        {"density", [](T& t) { t.densityMin = "2"; t.densityMax = "1"; }, "",
         [](const T& t) { return t.densityMin + " " + t.densityMax; }, "1 2"},
        {"kept when a later check fails", [](T& t) { t.opacityMin = "200"; t.opacityMax = "100"; t.scaleMin = "0"; },
         "Scale minimum must be higher than 0.", [](const T& t) { return t.opacityMin + " " + t.opacityMax; }, "100 200"},
        {"a minimum of 0 that was the maximum", [](T& t) { t.densityMin = "1"; t.densityMax = "0"; },
         "Density minimum must be higher than 0.", [](const T& t) { return t.densityMin; }, "0"},
        {"equal values keep their own texts", [](T& t) { t.scaleMin = "1.0"; t.scaleMax = "1"; }, "",
         [](const T& t) { return t.scaleMin + " " + t.scaleMax; }, "1.0 1"},
        {"rule windows only when both ends are given",
         [](T& t) { t.heightMin = "300"; t.heightMax = "-20"; t.slopeMin = "50"; }, "",
         [](const T& t) { return t.heightMin + " " + t.heightMax + " " + t.slopeMin; }, "-20 300 50"},
    };
    for (const Case& c : cases) {
        ModelOptionTexts texts = Defaults();
        c.edit(texts);
        EXPECT_EQ(CheckModelOption(texts), c.message) << c.what;
        EXPECT_EQ(c.after(texts), c.want) << c.what;
    }
}

TEST(CheckTextureOption, NameRules) {
    EXPECT_EQ(CheckTextureOption(""), "Texture name is not set.");
    EXPECT_EQ(CheckTextureOption("ground_grass_01"), "");
    EXPECT_EQ(CheckTextureOption("caulk"), "");
    for (const char* bad : {"a?b", "a,b", "a\nb", "a/b", "a|b", "a\rb", "a\"b", "a*b", "a:b", "a<b", "a>b", "a\\b"})
        EXPECT_EQ(CheckTextureOption(bad),
                  "Texture name contains invalid characters (? , \\r \\n / \\ \" * : < > |).")
            << bad;
    EXPECT_EQ(CheckTextureOption("caulk", "1431008"), "");
    EXPECT_EQ(CheckTextureOption("caulk", "1431009"), "Density multiplier must be lower than or equal to 1431008.");
    EXPECT_EQ(CheckTextureOption("caulk", "3e6"), "Density multiplier must be lower than or equal to 1431008.");
}

}  // namespace
