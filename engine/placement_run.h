#pragma once
// What one run keeps while it places, beyond the random generator: the
// first edge too long to walk, what each rule removed, the positions the
// spacing rule compares with, and the engine's static-model budget.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/clearance_index.h"

// Every misc_model becomes a static model when the map is compiled; the
// Call of Duty 4 engine loads at most this many.
constexpr std::uint64_t kStaticModelLimit = 65536;

// The first triangle whose walk would visit more candidates than a run
// takes (kMaxTriangleCandidates).
struct EdgeOverflow {
    std::string texture;
    std::string model;
    double candidates = 0.0;
};

// The message that refuses a run for such an edge.
std::string EdgeOverflowMessage(const EdgeOverflow& overflow);

// Candidates that survived every draw but were removed by a rule, counted
// by the first rule that refused them.
struct RuleRejections {
    std::uint64_t slope = 0, height = 0, spacing = 0;
    std::uint64_t cluster = 0, clearance = 0;
    bool Any() const { return slope != 0 || height != 0 || spacing != 0 || cluster != 0 || clearance != 0; }
    RuleRejections& operator+=(const RuleRejections& o) {
        slope += o.slope;
        height += o.height;
        spacing += o.spacing;
        cluster += o.cluster;
        clearance += o.clearance;
        return *this;
    }
};

// Positions of the models placed so far, in square cells four times as
// wide as the largest spacing radius, so a query looks at one to four cells
// (2.25 on average; measured faster than more, smaller cells). The
// cells are an open-addressing table of list heads into one point array:
// no allocation per cell, a million points stay fast.
class SpacingGrid {
public:
    // Off (largestRadius of 0 or less): nothing is kept, every query passes.
    void Reset(float largestRadius);
    bool Active() const { return cell_ > 0.0; }
    // Whether a kept position lies closer than radius.
    bool HasNeighbour(float x, float y, float radius) const;
    void Insert(float x, float y);

private:
    struct Point {
        float x, y;
        std::int32_t next;  // the cell's previous point, -1 at its end
    };
    struct Slot {
        std::uint64_t key;
        std::int32_t head;  // -1: empty slot
    };
    std::int64_t CellIndex(double value) const;
    static std::uint64_t Key(std::int64_t cx, std::int64_t cy);
    std::size_t SlotOf(std::uint64_t key) const;
    void Grow();

    double cell_ = 0.0;
    std::vector<Slot> slots_;  // a power of two, at most half full
    std::size_t used_ = 0;
    std::vector<Point> points_;
};

struct PlacementRun {
    std::optional<EdgeOverflow> edgeOverflow;
    std::map<std::string, RuleRejections> rejectionsPerTexture;  // by mesh texture
    SpacingGrid spacing;
    std::uint32_t startState = 0;  // the generator's, which seeds the clusters
    ClearanceIndex clearance;      // filled only when a model has a clearance
};

// How the output is written. All off by default: the output is then the
// input's bytes followed by the blocks.
struct OutputOptions {
    bool mark = false;     // each block names its model class in an "arbrel_class" key
    bool replace = false;  // the input's marked entities are left out
    std::optional<std::uint64_t> maxModels;  // refuse a run whose output holds more
    // Threads of a written run, the placing one included: more than one
    // formats the blocks on the others. The output is the same bytes.
    unsigned threads = 1;
};

// The static models of an output, against the engine's limit.
struct ModelBudget {
    std::uint64_t inInput = 0;     // misc_model entities of the input
    std::uint64_t removed = 0;     // marked entities left out (replace)
    std::uint64_t placed = 0;
    std::uint64_t modelNames = 0;  // distinct model names placed
    std::uint64_t Total() const { return inInput - removed + placed; }
    bool OverLimit() const { return Total() > kStaticModelLimit; }
};

// "Static models: 1234 of 65536 (34 in the input, 1200 placed; 3 model names)"
std::string BudgetLine(const ModelBudget& budget);
// The warning for an output over the engine's limit.
std::string BudgetWarning(const ModelBudget& budget);
// The refusal of a run whose output would hold more than `limit` models.
std::string ModelLimitMessage(const ModelBudget& budget, std::uint64_t limit);
