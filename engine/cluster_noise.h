#pragma once
// Smooth noise that decides where a model's clusters lie: gradient noise on
// a square lattice, evaluated with + - * / only, so a seed gives the same
// field on every platform. A point is inside the clusters where the noise
// is below the level that the wanted share of the ground lies under.

#include <cstdint>

class ClusterField {
public:
    // Clusters about `size` units across covering the share `cover` (0..1]
    // of the ground; the field follows `seed`. A size that is not positive
    // or finite, or a cover of 1 or more, covers everything.
    ClusterField(std::uint64_t seed, double size, double cover);

    bool Covers(double x, double y) const;

    // The noise at (x, y) in lattice units, about -1..1, and the share of
    // the plane where it lies below `level` (the calibration).
    static double Noise(std::uint64_t seed, double x, double y);
    static double ShareBelow(double level);
    static double LevelOfShare(double share);

private:
    std::uint64_t seed_;
    double scale_ = 0.0;  // lattice cells per unit; 0 covers everything
    double level_ = 0.0;
};

// The seed of one model option's clusters: the run's generator state and the
// option's model name, so a new seed moves the clusters and each model has
// its own.
std::uint64_t ClusterSeed(std::uint32_t runState, const char* modelName, std::uint64_t nameSize);
