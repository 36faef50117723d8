#include "engine/cluster_noise.h"

#include <cstddef>

namespace {

// Lattice coordinates beyond this are folded back; no map comes near.
constexpr double kLatticeLimit = 1073741824.0;  // 2^30

// Lattice cells per cluster size: the low parts of gradient noise are about
// half a cell across.
constexpr double kCellsPerSize = 0.5;

std::uint64_t Mix(std::uint64_t z) {  // splitmix64's finaliser
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Sixteen unit gradients, 22.5 degrees apart.
constexpr double kGradients[16][2] = {
    {1.0, 0.0},
    {0.92387953251128674, 0.38268343236508977},
    {0.70710678118654757, 0.70710678118654757},
    {0.38268343236508977, 0.92387953251128674},
    {0.0, 1.0},
    {-0.38268343236508977, 0.92387953251128674},
    {-0.70710678118654757, 0.70710678118654757},
    {-0.92387953251128674, 0.38268343236508977},
    {-1.0, 0.0},
    {-0.92387953251128674, -0.38268343236508977},
    {-0.70710678118654757, -0.70710678118654757},
    {-0.38268343236508977, -0.92387953251128674},
    {0.0, -1.0},
    {0.38268343236508977, -0.92387953251128674},
    {0.70710678118654757, -0.70710678118654757},
    {0.92387953251128674, -0.38268343236508977},
};

// floor() from a conversion: |v| stays below 2^30 here.
std::int64_t Floor(double v) {
    const std::int64_t t = static_cast<std::int64_t>(v);
    return static_cast<double>(t) > v ? t - 1 : t;
}

double Fold(double v) {
    if (!(v == v)) return 0.0;
    while (v >= kLatticeLimit) v -= kLatticeLimit;
    while (v <= -kLatticeLimit) v += kLatticeLimit;
    return v;
}

double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

double Corner(std::uint64_t seed, std::int64_t ix, std::int64_t iy, double dx, double dy) {
    const std::uint64_t h = Mix(seed ^ Mix(static_cast<std::uint64_t>(ix) * 0x9E3779B97F4A7C15ull +
                                           static_cast<std::uint64_t>(iy)));
    const double* g = kGradients[h >> 60];
    return g[0] * dx + g[1] * dy;
}

// One octave of gradient noise, about -0.7..0.7.
double Gradient(std::uint64_t seed, double x, double y) {
    x = Fold(x);
    y = Fold(y);
    const std::int64_t ix = Floor(x), iy = Floor(y);
    const double fx = x - static_cast<double>(ix), fy = y - static_cast<double>(iy);
    const double n00 = Corner(seed, ix, iy, fx, fy), n10 = Corner(seed, ix + 1, iy, fx - 1.0, fy);
    const double n01 = Corner(seed, ix, iy + 1, fx, fy - 1.0), n11 = Corner(seed, ix + 1, iy + 1, fx - 1.0, fy - 1.0);
    const double u = Fade(fx), v = Fade(fy);
    const double bottom = n00 + u * (n10 - n00), top = n01 + u * (n11 - n01);
    return bottom + v * (top - bottom);
}

// The share of the plane below each level of Noise(), measured once over
// 16.7 million points of 64 seeds by tools/cluster_noise_levels: kLevels[i]
// is the level with i/32 of the plane below it.
constexpr std::size_t kSteps = 32;
constexpr double kLevels[kSteps + 1] = {
#include "engine/cluster_noise_levels.inc"
};

}  // namespace

double ClusterField::Noise(std::uint64_t seed, double x, double y) {
    // A second octave at half the size breaks up the lattice's regularity.
    return Gradient(seed, x, y) + 0.5 * Gradient(Mix(seed + 1), 2.0 * x + 0.5, 2.0 * y + 0.5);
}

double ClusterField::ShareBelow(double level) {
    if (!(level > kLevels[0])) return 0.0;
    if (level >= kLevels[kSteps]) return 1.0;
    std::size_t i = 0;
    while (kLevels[i + 1] < level) ++i;
    const double t = (level - kLevels[i]) / (kLevels[i + 1] - kLevels[i]);
    return (static_cast<double>(i) + t) / static_cast<double>(kSteps);
}

double ClusterField::LevelOfShare(double share) {
    if (!(share > 0.0)) return kLevels[0];
    if (share >= 1.0) return kLevels[kSteps];
    const double position = share * static_cast<double>(kSteps);
    const std::size_t i = static_cast<std::size_t>(position);
    const double t = position - static_cast<double>(i);
    return kLevels[i] + t * (kLevels[i + 1] - kLevels[i]);
}

ClusterField::ClusterField(std::uint64_t seed, double size, double cover) : seed_(seed) {
    if (!(size > 0.0) || !(size < 1e30) || !(cover < 1.0)) return;  // everything covered
    scale_ = kCellsPerSize / size;
    level_ = LevelOfShare(cover);
}

bool ClusterField::Covers(double x, double y) const {
    if (scale_ == 0.0) return true;
    return Noise(seed_, x * scale_, y * scale_) < level_;
}

std::uint64_t ClusterSeed(std::uint32_t runState, const char* modelName, std::uint64_t nameSize) {
    std::uint64_t hash = 0xCBF29CE484222325ull;  // FNV-1a over the name
    for (std::uint64_t i = 0; i < nameSize; ++i)
        hash = (hash ^ static_cast<unsigned char>(modelName[i])) * 0x100000001B3ull;
    return Mix(hash ^ Mix(runState));
}
