#include "engine/placement_rules.h"

#include <algorithm>

namespace {

// Slope bounds outside 0..90 degrees mean the nearest end; NaN means unset.
double ClampedDegrees(float degrees) {
    return std::min(90.0, std::max(0.0, static_cast<double>(degrees)));
}

}  // namespace

double CosineOfDegrees(double degrees) {
    // The window's ends are exact, so flat and vertical surfaces stay inside.
    if (degrees <= 0.0) return 1.0;
    if (degrees >= 90.0) return 0.0;
    const double x = degrees * (3.141592653589793 / 180.0);
    const double square = x * x;
    // At x = pi/2 the 13th term is below 1e-20: the sum is exact to double.
    double term = 1.0, sum = 1.0;
    for (int k = 1; k <= 13; ++k) {
        term = -term * square / static_cast<double>((2 * k - 1) * (2 * k));
        sum += term;
    }
    return sum;
}

ModelRules ModelRules::From(const ModelOption& option, std::uint32_t runState) {
    ModelRules rules;
    const auto set = [](const std::optional<float>& value) { return value && *value == *value; };
    if (set(option.slopeMin)) {
        const double c = CosineOfDegrees(ClampedDegrees(*option.slopeMin));
        rules.cosSquaredMin = c * c;
        rules.slope = true;
    }
    if (set(option.slopeMax)) {
        const double c = CosineOfDegrees(ClampedDegrees(*option.slopeMax));
        rules.cosSquaredMax = c * c;
        rules.slope = true;
    }
    if (set(option.heightMin)) rules.heightMin = *option.heightMin;
    if (set(option.heightMax)) rules.heightMax = *option.heightMax;
    if (set(option.spacingRadius) && *option.spacingRadius > 0.0f) rules.spacing = *option.spacingRadius;
    // Clusters need both fields; a cover of 1 or more keeps everything.
    if (set(option.clusterSize) && set(option.clusterCover) && *option.clusterSize > 0.0f &&
        *option.clusterCover < 1.0f) {
        rules.cluster = true;
        rules.clusters = ClusterField(ClusterSeed(runState, option.modelName.data(), option.modelName.size()),
                                      *option.clusterSize, *option.clusterCover);
    }
    if (set(option.clearance)) {
        rules.clearance = true;
        rules.clearanceUnits = *option.clearance > 0.0f ? *option.clearance : 0.0f;
    }
    rules.any = rules.slope || set(option.heightMin) || set(option.heightMax) || rules.spacing > 0.0f ||
                rules.cluster || rules.clearance;
    return rules;
}

bool ModelRules::SlopeAccepts(float nx, float ny, float nz) const {
    const double x = nx, y = ny, z = nz;
    const double zSquared = z * z;
    const double lengthSquared = x * x + y * y + zSquared;
    return zSquared <= cosSquaredMin * lengthSquared && zSquared >= cosSquaredMax * lengthSquared;
}
