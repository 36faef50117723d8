#include "engine/placement_run.h"

#include <cmath>
#include <cstdio>

std::string EdgeOverflowMessage(const EdgeOverflow& overflow) {
    char count[64];
    std::snprintf(count, sizeof count, "%.0f", static_cast<double>(overflow.count));
    return "The texture '" + overflow.texture + "' would get " + count +
           " candidates on one triangle edge for the model '" + overflow.model +
           "', more than the 65536 a run can walk. Lower the model's maximum density or the "
           "texture's density multiplier (at most 2097152 for an edge of one unit). Nothing was written.";
}

std::string BudgetLine(const ModelBudget& budget) {
    return "Static models: " + std::to_string(budget.Total()) + " of " +
           std::to_string(kStaticModelLimit) + " (" +
           std::to_string(budget.inInput - budget.removed) + " in the input, " +
           std::to_string(budget.placed) + " placed; " + std::to_string(budget.modelNames) +
           (budget.modelNames == 1 ? " model name)" : " model names)");
}

std::string BudgetWarning(const ModelBudget& budget) {
    return "WARNING: the output holds " + std::to_string(budget.Total()) +
           " misc_model entities, more than the " + std::to_string(kStaticModelLimit) +
           " static models Call of Duty 4 can load; lower the densities before compiling the map.";
}

std::string ModelLimitMessage(const ModelBudget& budget, std::uint64_t limit) {
    return "The output would hold " + std::to_string(budget.Total()) +
           " static models, more than the limit of " + std::to_string(limit) + "; nothing was written.";
}

void SpacingGrid::Reset(float cellSize) {
    cells_.clear();
    cell_ = cellSize > 0.0f && std::isfinite(cellSize) ? cellSize : 0.0f;
}

// Far-out coordinates share the outermost cells; distances stay exact.
std::int64_t SpacingGrid::CellIndex(float value) const {
    const double index = std::floor(static_cast<double>(value) / static_cast<double>(cell_));
    const double limit = 2147483647.0;
    if (!(index > -limit)) return -2147483647;
    if (index > limit) return 2147483647;
    return static_cast<std::int64_t>(index);
}

std::uint64_t SpacingGrid::Key(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32) |
           static_cast<std::uint32_t>(cy);
}

bool SpacingGrid::HasNeighbour(float x, float y, float radius) const {
    if (!Active() || !(radius > 0.0f) || !std::isfinite(x) || !std::isfinite(y)) return false;
    const float limit = radius * radius;
    const std::int64_t cx = CellIndex(x), cy = CellIndex(y);
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            const auto cell = cells_.find(Key(cx + dx, cy + dy));
            if (cell == cells_.end()) continue;
            for (const Point& p : cell->second) {
                const float ex = p.x - x, ey = p.y - y;
                if (ex * ex + ey * ey < limit) return true;
            }
        }
    }
    return false;
}

void SpacingGrid::Insert(float x, float y) {
    if (!Active() || !std::isfinite(x) || !std::isfinite(y)) return;
    cells_[Key(CellIndex(x), CellIndex(y))].push_back({x, y});
}
