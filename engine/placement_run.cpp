#include "engine/placement_run.h"

#include <cmath>
#include <cstdio>

std::string EdgeOverflowMessage(const EdgeOverflow& overflow) {
    char count[64];
    std::snprintf(count, sizeof count, "%.0f", overflow.candidates);
    return "The texture '" + overflow.texture + "' would get " + count +
           " candidates on one triangle for the model '" + overflow.model +
           "', more than the 1000000000 a run walks (minutes of work). Lower the model's maximum "
           "density or the texture's density multiplier. Nothing was written.";
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

void SpacingGrid::Reset(float largestRadius) {
    slots_.assign(1024, Slot{0, -1});
    used_ = 0;
    points_.clear();
    cell_ = largestRadius > 0.0f && std::isfinite(largestRadius) ? 4.0 * largestRadius : 0.0;
}

// Far-out coordinates share the outermost cells; distances stay exact.
std::int64_t SpacingGrid::CellIndex(double value) const {
    const double index = std::floor(value / cell_);
    const double limit = 1073741823.0;
    if (!(index > -limit)) return -1073741823;
    if (index > limit) return 1073741823;
    return static_cast<std::int64_t>(index);
}

std::uint64_t SpacingGrid::Key(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32) |
           static_cast<std::uint32_t>(cy);
}

// The slot holding key, or the empty slot where it belongs (linear probing).
std::size_t SpacingGrid::SlotOf(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & mask;
    while (slots_[at].head >= 0 && slots_[at].key != key) at = (at + 1) & mask;
    return at;
}

void SpacingGrid::Grow() {
    std::vector<Slot> old(slots_.size() * 2, Slot{0, -1});
    old.swap(slots_);
    for (const Slot& slot : old)
        if (slot.head >= 0) slots_[SlotOf(slot.key)] = slot;
}

bool SpacingGrid::HasNeighbour(float x, float y, float radius) const {
    if (!Active() || !(radius > 0.0f) || !std::isfinite(x) || !std::isfinite(y)) return false;
    const float limit = radius * radius;
    const std::int64_t x0 = CellIndex(static_cast<double>(x) - radius), x1 = CellIndex(static_cast<double>(x) + radius);
    const std::int64_t y0 = CellIndex(static_cast<double>(y) - radius), y1 = CellIndex(static_cast<double>(y) + radius);
    for (std::int64_t cx = x0; cx <= x1; ++cx) {
        for (std::int64_t cy = y0; cy <= y1; ++cy) {
            const Slot& slot = slots_[SlotOf(Key(cx, cy))];
            for (std::int32_t i = slot.head; i >= 0; i = points_[static_cast<std::size_t>(i)].next) {
                const Point& p = points_[static_cast<std::size_t>(i)];
                const float ex = p.x - x, ey = p.y - y;
                if (ex * ex + ey * ey < limit) return true;
            }
        }
    }
    return false;
}

void SpacingGrid::Insert(float x, float y) {
    if (!Active() || !std::isfinite(x) || !std::isfinite(y)) return;
    if (points_.size() >= 0x7FFFFFFF) return;  // beyond any real run
    if (2 * (used_ + 1) > slots_.size()) Grow();
    const std::uint64_t key = Key(CellIndex(x), CellIndex(y));
    Slot& slot = slots_[SlotOf(key)];
    if (slot.head < 0) {
        slot.key = key;
        ++used_;
    }
    points_.push_back({x, y, slot.head});
    slot.head = static_cast<std::int32_t>(points_.size() - 1);
}
