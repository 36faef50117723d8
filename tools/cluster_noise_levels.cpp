// Prints engine/cluster_noise_levels.inc: the levels of the cluster noise
// below which 0/32, 1/32 ... 32/32 of the plane lies, measured over 64 seeds
// on a fine grid of points (16.7 million values).
//
//   cluster_noise_levels > engine/cluster_noise_levels.inc

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/cluster_noise.h"

int main() {
    constexpr int kSeeds = 64, kSide = 512;
    constexpr double kStep = 1.0 / 8.0;  // lattice units between samples
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(kSeeds) * kSide * kSide);
    for (int seed = 0; seed < kSeeds; ++seed)
        for (int i = 0; i < kSide; ++i)
            for (int j = 0; j < kSide; ++j)
                values.push_back(ClusterField::Noise(0x5EED0000u + static_cast<unsigned>(seed), (i + 0.5) * kStep,
                                                     (j + 0.5) * kStep));
    std::sort(values.begin(), values.end());
    for (int k = 0; k <= 32; ++k) {
        const std::size_t at = std::min(values.size() - 1, values.size() * static_cast<std::size_t>(k) / 32);
        // The ends lie a little beyond every value seen.
        double level = values[at];
        if (k == 0) level -= 0.01;
        if (k == 32) level += 0.01;
        std::printf("%.17g%s\n", level, k < 32 ? "," : "");
    }
    return 0;
}
