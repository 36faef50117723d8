// Foliage placement: every grid cell of a mesh is cut into two triangles and
// each model that the map class assigns to the mesh's texture is scattered
// over a triangular grid of candidate points on each triangle.
//
// The output must be bit-identical on every build, so every formula below is
// evaluated in the precision it names (float unless a double is written out),
// in the order it is written, and the random draws come in a fixed order.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "config/candidate_walk.h"
#include "engine/exact_trig.h"
#include "engine/foliage_engine.h"
#include "engine/map_class_options.h"
#include "engine/mesh_cells.h"
#include "engine/placement_rules.h"

namespace {

constexpr float kEdgeUnit = 0.03125f;              // candidates per unit of edge and density
constexpr float kSecondChance = 0.5f;
constexpr float kEpsilon = 1.1920928955078125e-07f;  // 2^-23
constexpr float kHalfPi = 1.5707964f;
constexpr double kPi = 3.141592653589793;
constexpr double kHalfCircle = 180.0;

struct Vec4 {
    float x, y, z, w;
};

Vec4 FromVertex(const MeshVertex& v) { return {v.x, v.y, v.z, v.alpha}; }

Vec4 Subtract(const Vec4& a, const Vec4& b) { return {a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w}; }

float VectorLength(const Vec4& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Vec4 Normalize(const Vec4& v) {
    const float length = VectorLength(v);
    return {v.x / length, v.y / length, v.z / length, 255.0f};
}

Vec4 CrossProduct(const Vec4& a, const Vec4& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 0.0f};
}

float Sign(float x) { return x < 0.0f ? -1.0f : 1.0f; }

// One model option as reached through one texture option.
struct PlacementJob {
    const TextureOption* texture;
    const ModelOption* model;
    const std::string* className;
    ModelRules rules;
};

// Negative, NaN or infinite counts (a negative multiplier, a broken map)
// give no candidates, so a count never wraps to a huge unsigned.
bool CountIsUsable(float count) { return count >= 0.0f && std::isfinite(count); }

}  // namespace

float FoliageEngine::RandomRange(float min, float max) {
    const float width = static_cast<float>(0.00001 + max - min);
    const int k = random.Next();
    const float x = static_cast<float>(k) * width / 32768.0f + min;
    return static_cast<float>(std::floor(static_cast<double>(x) * 100000.0) / 100000.0);
}

namespace {

class TrianglePlacer {
public:
    TrianglePlacer(FoliageEngine& engine, PlacementSink& sink) : engine_(engine), sink_(sink) {}

    const RuleRejections& Rejections() const { return rejections_; }

    void Place(const Vec4& a, const Vec4& b, const Vec4& c, const Vec4& normal,
               const PlacementJob& job) {
        const TextureOption& o = *job.texture;
        const ModelOption& m = *job.model;

        const float density = m.densityMax * o.densityMultiplier;
        const float countU = VectorLength(Subtract(b, a)) * density * kEdgeUnit;
        const float countV = VectorLength(Subtract(c, a)) * density * kEdgeUnit;
        const bool usableU = CountIsUsable(countU);
        const bool usableV = CountIsUsable(countV);
        float wholeU = usableU ? std::floor(countU) : 0.0f;
        float wholeV = usableV ? std::floor(countV) : 0.0f;
        // Both rounding draws are made even when a count is unusable.
        const float drawU = engine_.RandomRange(0.0f, 1.0f);
        if (usableU && countU - wholeU > drawU) wholeU += 1.0f;
        const float drawV = engine_.RandomRange(0.0f, 1.0f);
        if (usableV && countV - wholeV > drawV) wholeV += 1.0f;
        // However long one edge is, only the whole walk's size can refuse
        // the run; within the limit both counts fit (nV matters only when
        // nU is at least 1, and then nV is within the limit too).
        const double walk = TriangleCandidates(wholeU, wholeV);
        if (walk > kMaxTriangleCandidates) {
            NoteOverflow(job, walk);
            return;
        }
        const std::uint32_t nU = static_cast<std::uint32_t>(wholeU);
        const std::uint32_t nV = nU == 0 ? 0u : static_cast<std::uint32_t>(wholeV);

        const float keepBelow = m.densityMin * o.densityMultiplier;
        const bool slopeAccepted = !job.rules.slope || job.rules.SlopeAccepts(normal.x, normal.y, normal.z);
        for (std::uint32_t i = 0; i < nU; ++i) {
            if (i >= nV) break;  // the grid is triangular: no candidates from here on
            for (std::uint32_t j = 0; j < nV - i; ++j) {
                const float d = engine_.RandomRange(0.0f, density);
                if (!(keepBelow > d) && !(engine_.RandomRange(0.0f, 1.0f) > kSecondChance)) continue;
                Candidate(a, b, c, normal, job, slopeAccepted, i, j, nU, nV);
            }
        }
    }

private:
    void NoteOverflow(const PlacementJob& job, double candidates) {
        if (engine_.placementRun.edgeOverflow) return;
        engine_.placementRun.edgeOverflow = EdgeOverflow{job.texture->textureName, job.model->modelName, candidates};
    }

    struct Tilt {
        float tilt, side;
    };
    // The tilt pair of a normal. It is the same for every aligned model on
    // a triangle, so it is worked out again only when the normal changes
    // (the same bits in, the same bits out).
    const Tilt& TiltOf(const Vec4& normal) {
        if (!tiltKnown_ || std::memcmp(&normal, &tiltNormal_, 3 * sizeof(float)) != 0) {
            const float length = std::sqrt(normal.x * normal.x + normal.z * normal.z);
            float tilt = length < kEpsilon ? kHalfPi : ExactAcos(normal.z / length);
            tilt = tilt * Sign(normal.x);
            float side = length <= 1.0f - kEpsilon ? -ExactAcos(length) : 0.0f;
            side = side * Sign(normal.y);
            tilt_ = {tilt, side};
            tiltNormal_ = normal;
            tiltKnown_ = true;
        }
        return tilt_;
    }

    // The rules of a candidate that has made all of its draws; the first
    // rule that refuses it is counted.
    bool Accepted(const ModelRules& rules, bool slopeAccepted, float surfaceZ, float x, float y) {
        if (!slopeAccepted) {
            ++rejections_.slope;
            return false;
        }
        if (!rules.HeightAccepts(surfaceZ)) {
            ++rejections_.height;
            return false;
        }
        if (rules.cluster && !rules.clusters.Covers(x, y)) {
            ++rejections_.cluster;
            return false;
        }
        if (rules.clearance && engine_.placementRun.clearance.Blocked(x, y, surfaceZ, rules.clearanceUnits)) {
            ++rejections_.clearance;
            return false;
        }
        if (rules.spacing > 0.0f && engine_.placementRun.spacing.HasNeighbour(x, y, rules.spacing)) {
            ++rejections_.spacing;
            return false;
        }
        return true;
    }

    void Candidate(const Vec4& a, const Vec4& b, const Vec4& c, const Vec4& normal,
                   const PlacementJob& job, bool slopeAccepted, std::uint32_t i,
                   std::uint32_t j, std::uint32_t nU, std::uint32_t nV) {
        const TextureOption& o = *job.texture;
        const ModelOption& m = *job.model;
        float wA, wB;
        if (m.evenlyDistributed) {
            float s, t;
            do {
                s = engine_.RandomRange(0.0f, 1.0f);
                t = engine_.RandomRange(0.0f, 1.0f);
            } while (s + t > 1.0f + kEpsilon);
            wA = (static_cast<float>(i) + s) / static_cast<float>(nU);
            wB = (static_cast<float>(j) + t) / static_cast<float>(nV);
        } else {
            do {
                wA = engine_.RandomRange(0.0f, 1.0f);
                wB = engine_.RandomRange(0.0f, 1.0f);
            } while (wA + wB > 1.0f + kEpsilon);
        }
        const float wC = 1.0f - wA - wB;

        ModelPlacement p;
        p.x = a.x * wA + b.x * wB + c.x * wC;
        p.y = a.y * wA + b.y * wB + c.y * wC;
        p.z = a.z * wA + b.z * wB + c.z * wC;
        const float alpha = a.w * wA + b.w * wB + c.w * wC;
        const float surfaceZ = p.z;
        p.z += m.zOffset;

        const bool inRange = m.opacityMin <= alpha && alpha <= m.opacityMax;
        bool passes = true;
        if (o.useOpacity) passes = alpha > engine_.RandomRange(0.0f, 256.0f);
        if (!inRange || !passes) return;

        if (m.surfaceAligned) {
            const float tilt = TiltOf(normal).tilt;
            const float side = TiltOf(normal).side;
            const float yawDegrees = engine_.RandomRange(0.0f, 360.0f);
            const float theta = static_cast<float>(static_cast<double>(yawDegrees) * kPi / kHalfCircle);
            double cosTheta, sinTheta;
            ExactCosSin(static_cast<double>(theta), cosTheta, sinTheta);
            p.pitch = static_cast<float>((tilt * cosTheta - side * sinTheta) * kHalfCircle / kPi);
            p.roll = static_cast<float>((tilt * sinTheta + side * cosTheta) * kHalfCircle / kPi);
            p.yaw = static_cast<float>(static_cast<double>(theta) * kHalfCircle / kPi);
        } else {
            p.pitch = 0.0f;
            p.roll = 0.0f;
            p.yaw = engine_.RandomRange(0.0f, 360.0f);
        }
        p.scale = engine_.RandomRange(m.scaleMin, m.scaleMax);
        p.modelOption = &m;
        p.modelClassName = job.className;
        if (job.rules.any && !Accepted(job.rules, slopeAccepted, surfaceZ, p.x, p.y)) return;
        // Models with a spacing radius keep apart from each other; models
        // without one (grass under the trees) neither block nor are blocked.
        if (job.rules.spacing > 0.0f) engine_.placementRun.spacing.Insert(p.x, p.y);
        sink_.Place(p);
    }

    FoliageEngine& engine_;
    PlacementSink& sink_;
    RuleRejections rejections_;
    bool tiltKnown_ = false;
    Vec4 tiltNormal_{};
    Tilt tilt_{};
};

}  // namespace

void FoliageEngine::PlaceOnMesh(const TerrainMesh& mesh, const std::string& mapClassName,
                                PlacementSink& sink) {
    // The options that apply are the same for every triangle of the mesh, so
    // they are looked up once. A class name the catalogue does not hold (say
    // one the user removed) adds nothing and is not entered into it.
    std::vector<PlacementJob> jobs;
    ForEachModelOption(*this, mapClassName, [&](const TextureOption& texture, const std::string& className,
                                                const ModelOption& model) {
        if (texture.textureName == mesh.texture)
            jobs.push_back({&texture, &model, &className, ModelRules::From(model, placementRun.startState)});
    });
    if (jobs.empty()) return;

    TrianglePlacer placer(*this, sink);
    bool stopped = false;
    ForEachCell(mesh, [&](const MeshVertex& m00, const MeshVertex& m10, const MeshVertex& m01,
                          const MeshVertex& m11) {
        if (sink.Stopped()) {
            stopped = true;
            return false;
        }
        const Vec4 v00 = FromVertex(m00);
        const Vec4 v10 = FromVertex(m10);
        const Vec4 v01 = FromVertex(m01);
        const Vec4 v11 = FromVertex(m11);

        // Triangle 0: A = V(r,c), B = V(r+1,c), C = V(r,c+1).
        const Vec4 n0 = CrossProduct(Normalize(Subtract(v10, v00)), Normalize(Subtract(v01, v00)));
        for (const PlacementJob& job : jobs) placer.Place(v00, v10, v01, n0, job);

        // Triangle 1: A = V(r+1,c+1), B = V(r+1,c), C = V(r,c+1).
        const Vec4 n1 = CrossProduct(Normalize(Subtract(v01, v11)), Normalize(Subtract(v10, v11)));
        for (const PlacementJob& job : jobs) placer.Place(v11, v10, v01, n1, job);
        return true;
    });
    if (stopped) return;  // a stopped run counts nothing
    if (placer.Rejections().Any()) placementRun.rejectionsPerTexture[mesh.texture] += placer.Rejections();
}

void FoliageEngine::BeginPlacementRun(const std::string& mapClassName) {
    placementRun.edgeOverflow.reset();
    placementRun.rejectionsPerTexture.clear();
    placementRun.startState = random.State();
    // The grid's cells are as wide as the largest radius of the run; the
    // brushes are read only for a run that has a clearance.
    float largestRadius = 0.0f;
    bool clearance = false;
    ForEachModelOption(*this, mapClassName, [&](const TextureOption&, const std::string&, const ModelOption& model) {
        const ModelRules rules = ModelRules::From(model);
        largestRadius = std::max(largestRadius, rules.spacing);
        clearance = clearance || rules.clearance;
    });
    placementRun.spacing.Reset(largestRadius);
    if (clearance)
        placementRun.clearance.Build(std::string_view(mapBuffer.get(), mapSize), mapIndex, meshes);
    else
        placementRun.clearance = ClearanceIndex();
}
