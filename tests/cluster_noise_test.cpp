// The cluster field covers the share it is asked for, and its seed moves it.

#include <gtest/gtest.h>

#include <string>

#include "engine/cluster_noise.h"

namespace {

// The share of a 40 x 40-cluster square that the field covers, on a fine grid.
double CoveredShare(const ClusterField& field) {
    int covered = 0, all = 0;
    for (int i = 0; i < 400; ++i)
        for (int j = 0; j < 400; ++j, ++all) covered += field.Covers(i * 12.8 + 0.3, j * 12.8 - 5000.7);
    return static_cast<double>(covered) / all;
}

}  // namespace

TEST(ClusterNoise, CoversTheAskedShare) {
    for (double cover : {0.05, 0.3, 0.5, 0.8}) {
        for (std::uint32_t state : {1u, 7u, 123456789u}) {
            SCOPED_TRACE(std::to_string(cover) + " seed " + std::to_string(state));
            const ClusterField field(ClusterSeed(state, "grass", 5), 128.0, cover);
            EXPECT_NEAR(CoveredShare(field), cover, 0.06);
        }
    }
    // A calibration that inverts itself.
    for (double share = 0.0; share <= 1.0; share += 1.0 / 64)
        EXPECT_NEAR(ClusterField::ShareBelow(ClusterField::LevelOfShare(share)), share, 1e-12) << share;
    // Nothing to do for a cover of 1 or a size that means nothing.
    EXPECT_EQ(CoveredShare(ClusterField(5, 128.0, 1.0)), 1.0);
    EXPECT_EQ(CoveredShare(ClusterField(5, 0.0, 0.3)), 1.0);
}

TEST(ClusterNoise, SeedAndModelNameMoveTheClusters) {
    const ClusterField a(ClusterSeed(1, "grass", 5), 128.0, 0.3), b(ClusterSeed(2, "grass", 5), 128.0, 0.3),
        c(ClusterSeed(1, "grasz", 5), 128.0, 0.3), again(ClusterSeed(1, "grass", 5), 128.0, 0.3);
    int differsB = 0, differsC = 0, differsAgain = 0;
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j) {
            const double x = i * 16.0, y = j * 16.0;
            differsB += a.Covers(x, y) != b.Covers(x, y);
            differsC += a.Covers(x, y) != c.Covers(x, y);
            differsAgain += a.Covers(x, y) != again.Covers(x, y);
        }
    EXPECT_GT(differsB, 2000);
    EXPECT_GT(differsC, 2000);
    EXPECT_EQ(differsAgain, 0);
}
