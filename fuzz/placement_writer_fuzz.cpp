// Reads a map, places models on its meshes and writes the output map, the
// whole main job. The first bytes of the input choose the class options; the
// rest is the map text. The output must start with the input's bytes and
// hold one misc_model block for each placement that was written.

#include <filesystem>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "engine/foliage_engine.h"
#include "tests/fresh_temp_directory.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kOptionBytes = 4;
// Runs whose meshes would be given more candidates than this are skipped:
// a huge mesh at a high density is a valid (slow) job, not a fault.
constexpr double kMaxCandidates = 200000.0;

class CountingSink : public PlacementSink {
public:
    void Place(const ModelPlacement&) override { ++count; }
    std::size_t count = 0;
};

// One directory for the whole fuzzing process, removed when it ends.
struct WorkDirectory {
    fs::path path = FreshTempDirectory("arbrel-fuzz");
    ~WorkDirectory() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An upper bound of the candidates placement walks for these meshes.
double CandidateBound(const FoliageEngine& engine, float density) {
    double total = 0;
    for (const TerrainMesh& mesh : engine.meshes) {
        if (mesh.vertices.empty()) continue;
        float low[3] = {mesh.vertices[0].x, mesh.vertices[0].y, mesh.vertices[0].z};
        float high[3] = {low[0], low[1], low[2]};
        for (const MeshVertex& v : mesh.vertices) {
            const float p[3] = {v.x, v.y, v.z};
            for (int i = 0; i < 3; ++i) {
                low[i] = std::fmin(low[i], p[i]);
                high[i] = std::fmax(high[i], p[i]);
            }
        }
        double diagonal = 0;
        for (int i = 0; i < 3; ++i) diagonal += double(high[i] - low[i]) * double(high[i] - low[i]);
        diagonal = std::sqrt(diagonal);
        // An infinite or NaN extent gives no candidates (such runs are refused).
        if (!std::isfinite(diagonal)) diagonal = 0;
        const double perEdge = diagonal * density / 32.0 + 2.0;
        total += double(mesh.vertices.size()) * perEdge * perEdge;
    }
    return total;
}

std::size_t Count(const std::string& text, std::size_t from, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what, from); at != std::string::npos;
         at = text.find(what, at + 1))
        ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kOptionBytes) return 0;
    static WorkDirectory work;
    const std::uint8_t* option = data;
    const std::string map(reinterpret_cast<const char*>(data) + kOptionBytes, size - kOptionBytes);
    const std::string input = (work.path / "input.map").string();
    const std::string output = (work.path / "output.map").string();
    if (!(std::ofstream(input, std::ios::binary) << map)) return 0;

    FoliageEngine engine;
    NullProgress progress;
    if (!engine.ReadMap(progress, input, map.size())) return 0;

    const float densityMax = option[1] / 32.0f;  // up to 8 per 32 units of edge
    const float multiplier = (option[0] & 0x40) ? 2.0f : 1.0f;
    if (CandidateBound(engine, densityMax * multiplier) > kMaxCandidates) return 0;

    // The texture is the first mesh's (so something is placed), another
    // name, or the empty one.
    std::string texture = "caulk";
    if ((option[0] & 0x18) == 0x08 && !engine.meshes.empty()) texture = engine.meshes[0].texture;
    if ((option[0] & 0x18) == 0x10) texture.clear();
    engine.modelClasses["fuzz"] = {ModelOption("foliage/fuzz", option[2] / 64.0f, densityMax,
                                               (option[0] & 0x01) != 0, (option[0] & 0x02) != 0,
                                               static_cast<float>(option[3]) - 128.0f, 0.0f,
                                               256.0f, option[3] / 128.0f, 1.0f)};
    engine.mapClasses["fuzz"] = {TextureOption(texture, (option[0] & 0x04) != 0, multiplier, {"fuzz"})};
    if (option[0] & 0x20) engine.mapClasses["fuzz"].push_back(TextureOption(texture, false, 1, {"none"}));

    // Half the runs format their blocks on a second thread.
    OutputOptions threads;
    threads.threads = (option[0] & 0x80) ? 2 : 1;
    CountingSink written;
    std::remove(output.c_str());
    if (!engine.PlaceAndWrite(progress, output, "fuzz", &written, threads)) {
        // Only a triangle too large to walk may refuse the run, and then
        // nothing is written.
        if (!engine.placementRun.edgeOverflow || fs::exists(output)) std::abort();
        return 0;
    }
    const std::string result = ReadAll(output);
    if (result.size() < map.size() || std::memcmp(result.data(), map.data(), map.size()) != 0)
        std::abort();  // the input's bytes must come through unchanged
    if (Count(result, map.size(), "\"classname\" \"misc_model\"") != written.count) std::abort();
    return 0;
}
