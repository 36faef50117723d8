// Clark-Evans ratio of each model name's misc_models in a map: the mean
// distance (in X and Y) from each model to the nearest other of the same
// name, divided by 0.5 / sqrt(n / A), the mean of a uniform random pattern
// of the same count over the area A of the 256 x 256-unit cells that hold at
// least one of them. R = 1 is random, below 1 clumped, above 1 regular.
//
//   clark_evans MAP [MODEL...]    (all model names when none is given)

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/map_models.h"

namespace {

constexpr double kAreaCell = 256.0;

struct Point {
    double x, y;
};

std::int64_t CellOf(double v, double size) { return static_cast<std::int64_t>(std::floor(v / size)); }

// Mean nearest-neighbour distance, with a grid of cells about as wide as
// the mean spacing so each search looks at a few rings of cells.
double MeanNearest(const std::vector<Point>& points, double cell) {
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> grid;
    const auto key = [](std::int64_t cx, std::int64_t cy) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32) | static_cast<std::uint32_t>(cy);
    };
    for (std::size_t i = 0; i < points.size(); ++i)
        grid[key(CellOf(points[i].x, cell), CellOf(points[i].y, cell))].push_back(i);
    double sum = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::int64_t cx = CellOf(points[i].x, cell), cy = CellOf(points[i].y, cell);
        double best = INFINITY;
        for (std::int64_t ring = 0;; ++ring) {
            // Everything within ring * cell has been seen once this ring is done.
            for (std::int64_t dx = -ring; dx <= ring; ++dx)
                for (std::int64_t dy = -ring; dy <= ring; ++dy) {
                    if (std::max(std::llabs(dx), std::llabs(dy)) != ring) continue;
                    const auto found = grid.find(key(cx + dx, cy + dy));
                    if (found == grid.end()) continue;
                    for (std::size_t j : found->second) {
                        if (j == i) continue;
                        const double ex = points[j].x - points[i].x, ey = points[j].y - points[i].y;
                        best = std::min(best, std::sqrt(ex * ex + ey * ey));
                    }
                }
            if (best <= static_cast<double>(ring) * cell) break;
            if (ring > 4096) break;
        }
        sum += best;
    }
    return sum / static_cast<double>(points.size());
}

double Ratio(const std::vector<Point>& points) {
    std::set<std::pair<std::int64_t, std::int64_t>> cells;
    for (const Point& p : points) cells.insert({CellOf(p.x, kAreaCell), CellOf(p.y, kAreaCell)});
    const double area = static_cast<double>(cells.size()) * kAreaCell * kAreaCell;
    const double expected = 0.5 / std::sqrt(static_cast<double>(points.size()) / area);
    return MeanNearest(points, std::max(8.0, expected)) / expected;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: clark_evans MAP [MODEL...]\n");
        return 2;
    }
    std::string text;
    if (!ReadFileText(argv[1], text)) {
        std::fprintf(stderr, "clark_evans: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::set<std::string> wanted(argv + 2, argv + argc);
    std::map<std::string, std::vector<Point>> byName;
    std::vector<Point> all;
    for (const MapModel& m : ReadMapModels(text)) {
        if (!wanted.empty() && wanted.count(m.name) == 0) continue;
        byName[m.name].push_back({m.x, m.y});
        all.push_back({m.x, m.y});
    }
    std::printf("%-40s %8s %6s\n", "model", "count", "R");
    for (const auto& [name, points] : byName)
        if (points.size() >= 2) std::printf("%-40s %8zu %6.3f\n", name.c_str(), points.size(), Ratio(points));
    if (byName.size() > 1 && all.size() >= 2) std::printf("%-40s %8zu %6.3f\n", "(all of them)", all.size(), Ratio(all));
    return 0;
}
