// The editors' Save checks on field texts (the loader makes the same on each
// class file line): the order of the checks, the exact messages, and the
// exchange of reversed ranges.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/option_checks.h"
#include "config/option_fields.h"

namespace {

using Edits = std::vector<std::pair<std::size_t, std::string>>;

template <typename Record>
FieldTexts Edited(const Edits& edits) {
    FieldTexts texts = NewOptionTexts<Record>();
    texts[0] = "foliage_grass_a";
    for (const auto& [row, text] : edits) texts[row] = text;
    return texts;
}

const std::size_t kName = 0, kDensityMin = FieldIndex(&ModelOption::densityMin),
                  kDensityMax = FieldIndex(&ModelOption::densityMax),
                  kZOffset = FieldIndex(&ModelOption::zOffset),
                  kOpacityMin = FieldIndex(&ModelOption::opacityMin),
                  kOpacityMax = FieldIndex(&ModelOption::opacityMax),
                  kScaleMin = FieldIndex(&ModelOption::scaleMin),
                  kScaleMax = FieldIndex(&ModelOption::scaleMax),
                  kSlopeMin = FieldIndex(&ModelOption::slopeMin),
                  kSlopeMax = FieldIndex(&ModelOption::slopeMax),
                  kHeightMin = FieldIndex(&ModelOption::heightMin),
                  kHeightMax = FieldIndex(&ModelOption::heightMax),
                  kSpacing = FieldIndex(&ModelOption::spacingRadius),
                  kClusterSize = FieldIndex(&ModelOption::clusterSize),
                  kClusterCover = FieldIndex(&ModelOption::clusterCover),
                  kClearance = FieldIndex(&ModelOption::clearance),
                  kSpawnflags = FieldIndex(&ModelOption::spawnflags),
                  kEvenly = FieldIndex(&ModelOption::evenlyDistributed);

TEST(CheckModelOption, MessagesInCheckOrder) {
    struct Case {
        const char* what;
        Edits edits;
        const char* message;
    };
    const Case cases[] = {
        {"defaults", {}, ""},
        {"empty name before its characters", {{kName, ""}, {kDensityMin, "0"}}, "Model name is not set."},
        {"comma", {{kName, "a,b"}},
         "Model name contains invalid characters (? , \\r \\n / \\ \" * : < > |)."},
        {"spaces pass", {{kName, "big oak tree"}}, ""},
        {"density 0", {{kDensityMin, "0"}, {kDensityMax, "1"}}, "Density minimum must be higher than 0."},
        {"density 0.001", {{kDensityMin, "0.001"}}, ""},
        {"density letters", {{kDensityMin, "abc"}}, "Density minimum must be a number."},
        {"trailing letters", {{kDensityMin, "1.5x"}}, "Density minimum must be a number."},
        {"z-offset letters", {{kZOffset, "up"}}, "Z-offset must be a number."},
        {"scale maximum letters name their own field", {{kScaleMax, "x"}}, "Scale maximum must be a number."},
        {"beyond the float range", {{kZOffset, "1e39"}}, "Z-offset must be from -3.40282e+38 to 3.40282e+38."},
        {"beyond it below", {{kScaleMax, "-1e400"}}, "Scale maximum must be from -3.40282e+38 to 3.40282e+38."},
        {"the largest float written", {{kZOffset, "3.40282e+38"}}, ""},
        {"a flag of 2", {{kEvenly, "2"}}, "Evenly distributed must be 0 or 1."},
        {"opacity below 0", {{kOpacityMin, "-1"}}, "Opacity minimum must be higher than or equal to 0."},
        {"opacity 0 to 256", {{kOpacityMin, "0"}, {kOpacityMax, "256"}}, ""},
        {"opacity 256.5", {{kOpacityMax, "256.5"}}, "Opacity maximum must be lower than or equal to 256."},
        {"scale 0", {{kScaleMin, "0"}}, "Scale minimum must be higher than 0."},
        {"negative z-offset", {{kZOffset, "-12"}}, ""},
        {"density beyond the smallest triangle", {{kDensityMax, "1431009"}},
         "Density maximum must be lower than or equal to 1431008."},
        {"rules set", {{kSlopeMax, "40"}, {kHeightMin, "-5e2"}, {kSpacing, " 32 "}}, ""},
        {"slope not a number", {{kSlopeMin, "10deg"}}, "Slope minimum must be a number, or empty for no rule."},
        {"slope over 90", {{kSlopeMax, "95"}}, "Slope must be from 0 to 90 degrees."},
        {"negative spacing", {{kSpacing, "-1"}}, "Spacing radius must be higher than or equal to 0."},
        {"a rule beyond the float range", {{kHeightMax, "1e39"}},
         "Height maximum must be from -3.40282e+38 to 3.40282e+38."},
        {"clusters, clearance and spawnflags",
         {{kClusterSize, "128"}, {kClusterCover, "1"}, {kClearance, "0"}, {kSpawnflags, "6"}}, ""},
        {"cluster size 0", {{kClusterSize, "0"}, {kClusterCover, "0.3"}}, "Cluster size must be higher than 0."},
        {"cluster cover 0", {{kClusterSize, "64"}, {kClusterCover, "0"}},
         "Cluster cover must be higher than 0 and lower than or equal to 1."},
        {"cluster cover over 1", {{kClusterSize, "64"}, {kClusterCover, "1.01"}},
         "Cluster cover must be higher than 0 and lower than or equal to 1."},
        {"cluster size alone", {{kClusterSize, "64"}},
         "Cluster size and cluster cover go together: set both, or leave both empty."},
        {"cluster cover alone", {{kClusterCover, "0.5"}},
         "Cluster size and cluster cover go together: set both, or leave both empty."},
        {"negative clearance", {{kClearance, "-0.5"}}, "Clearance must be higher than or equal to 0."},
        {"spawnflags 8", {{kSpawnflags, "8"}}, "Spawnflags must be a whole number from 0 to 7."},
        {"spawnflags 2.5", {{kSpawnflags, "2.5"}}, "Spawnflags must be a whole number from 0 to 7."},
        {"spawnflags letters", {{kSpawnflags, "two"}}, "Spawnflags must be a whole number, or empty for none."},
    };
    for (const Case& c : cases) {
        FieldTexts texts = Edited<ModelOption>(c.edits);
        EXPECT_EQ(CheckOption<ModelOption>(texts), c.message) << c.what;
    }
}

TEST(CheckModelOption, ReversedRangesAreExchangedBeforeTheChecks) {
    struct Case {
        const char* what;
        Edits edits;
        const char* message;
        std::vector<std::size_t> shown;  // these fields' texts after the exchange
        const char* want;
    };
    const Case cases[] = {
        {"density", {{kDensityMin, "2"}, {kDensityMax, "1"}}, "", {kDensityMin, kDensityMax}, "1 2"},
        {"kept when a later check fails", {{kOpacityMin, "200"}, {kOpacityMax, "100"}, {kScaleMin, "0"}},
         "Scale minimum must be higher than 0.", {kOpacityMin, kOpacityMax}, "100 200"},
        {"a minimum of 0 that was the maximum", {{kDensityMin, "1"}, {kDensityMax, "0"}},
         "Density minimum must be higher than 0.", {kDensityMin}, "0"},
        {"equal values keep their own texts", {{kScaleMin, "1.0"}, {kScaleMax, "1"}}, "",
         {kScaleMin, kScaleMax}, "1.0 1"},
        {"rule windows only when both ends are given",
         {{kHeightMin, "300"}, {kHeightMax, "-20"}, {kSlopeMin, "50"}}, "",
         {kHeightMin, kHeightMax, kSlopeMin}, "-20 300 50"},
        {"blank rules are emptied", {{kSpacing, "  "}}, "", {kSpacing}, ""},
    };
    for (const Case& c : cases) {
        FieldTexts texts = Edited<ModelOption>(c.edits);
        EXPECT_EQ(CheckOption<ModelOption>(texts), c.message) << c.what;
        std::string shown;
        for (const std::size_t row : c.shown) shown += (shown.empty() ? "" : " ") + texts[row];
        EXPECT_EQ(shown, c.want) << c.what;
    }
}

TEST(CheckTextureOption, NameAndMultiplier) {
    const std::size_t multiplier = FieldIndex(&TextureOption::densityMultiplier);
    const std::pair<Edits, const char*> cases[] = {
        {{{0, ""}}, "Texture name is not set."},
        {{{0, "ground_grass_01"}}, ""},
        {{{multiplier, "1431008"}}, ""},
        {{{multiplier, "1431009"}}, "Density multiplier must be lower than or equal to 1431008."},
        {{{multiplier, "-2"}}, ""},
        {{{multiplier, "3e6"}}, "Density multiplier must be lower than or equal to 1431008."},
        // What the loader would leave out is refused here.
        {{{multiplier, "0"}}, "Density multiplier must not be 0."},
        {{{multiplier, "-0"}}, "Density multiplier must not be 0."},
        {{{multiplier, "abc"}}, "Density multiplier must be a number."},
    };
    for (const auto& [edits, message] : cases) {
        FieldTexts texts = Edited<TextureOption>(edits);
        EXPECT_EQ(CheckOption<TextureOption>(texts), message) << texts[0] << " " << texts[multiplier];
    }
    for (const char* bad : {"a?b", "a,b", "a\nb", "a/b", "a|b", "a\rb", "a\"b", "a*b", "a:b", "a<b", "a>b", "a\\b"}) {
        FieldTexts texts = Edited<TextureOption>({{0, bad}});
        EXPECT_EQ(CheckOption<TextureOption>(texts),
                  "Texture name contains invalid characters (? , \\r \\n / \\ \" * : < > |).")
            << bad;
    }
}

}  // namespace
