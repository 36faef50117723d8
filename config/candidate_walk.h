#pragma once
// How much work placing one model option on one triangle is: the walk over
// its triangular grid of candidates. Shared by placement, which refuses a
// run with a triangle beyond the limit, and the option checks, which refuse
// densities that would be beyond it even on the smallest triangle.

#include <algorithm>
#include <cstdint>

// More candidates than this in one triangle is minutes of work: no real
// map needs it, and a run that met it would seem to hang.
constexpr double kMaxTriangleCandidates = 1e9;

// The candidates the walk visits for the edge counts nU and nV (whole
// numbers): row i < nU holds max(0, nV - i) of them, plus the nU outer
// steps. Exact wherever it is near the limit; only far beyond it rounded.
inline double TriangleCandidates(double nU, double nV) {
    const double rows = std::min(nU, nV);
    return nU + rows * nV - rows * (rows - 1.0) / 2.0;
}

// The largest density (or multiplier) whose triangle with two edges of one
// unit stays within the limit: 44719 candidates per edge (1/32 of density
// per unit), 999961559 in all.
constexpr float kMaxSensibleDensity = 44719.0f * 32.0f;
