// FoliageEngine::ReadMap: loads a whole map file and collects its meshes.

#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <string_view>
#include <utility>

#include "engine/foliage_engine.h"
#include "engine/map_scan.h"
#include "engine/mesh_body_parser.h"
#include "io/platform.h"
#include "io/whole_file.h"

namespace {

// What one scan of the map finds: the mesh bodies (parsed afterwards, into
// a list reserved exactly), the entities, brushes and curves.
struct ReaderHooks : map_scan::Hooks {
    explicit ReaderHooks(std::string_view map) : begin(map.data()), entities(map) {}
    void Mesh(const char* body, const char* bodyEnd) { meshBodies.push_back({body, bodyEnd}); }
    void Curve(const char* body, const char* bodyEnd) { index.curves.push_back(Range(body, bodyEnd)); }
    void Brush(const char* open, const char* close) { index.brushes.push_back(Range(open, close + 1)); }
    void Entity(const char* open, const char* close, bool holdsBlocks) {
        entities.Entity(open, close, holdsBlocks);
    }
    ByteRange Range(const char* from, const char* to) const {
        return {static_cast<std::size_t>(from - begin), static_cast<std::size_t>(to - begin)};
    }

    const char* begin;
    EntityCollector entities;
    MapIndex index;
    std::vector<std::pair<const char*, const char*>> meshBodies;
};

// Every mesh of the scan in file order, each reported to progress as it is
// stored. May throw std::bad_alloc. Once the receiver says stop, the
// remaining meshes are not parsed and `stopped` is set.
std::vector<TerrainMesh> ParseMeshes(const ReaderHooks& found, ProgressReceiver& progress, bool& stopped) {
    std::vector<TerrainMesh> meshes;
    meshes.reserve(found.meshBodies.size());
    for (const auto& [body, bodyEnd] : found.meshBodies) {
        meshes.emplace_back();
        ParseMeshBody(body, bodyEnd, meshes.back());
        progress.MeshRead();
        stopped = !progress.KeepGoing();
        if (stopped) break;
    }
    return meshes;
}

}  // namespace

bool FoliageEngine::ReadMap(ProgressReceiver& progress, std::string path, std::uint64_t size) {
    // Everything is built aside and swapped in only when it is complete, so a
    // failure leaves the loaded map as it was.
    std::unique_ptr<char[]> buffer;
    if (!ReadWholeFile(path, size, std::numeric_limits<std::uint32_t>::max(), "the file is larger than 4 GiB",
                       buffer, lastError))
        return false;

    std::vector<TerrainMesh> found;
    MapIndex index;
    bool stopped = false;
    try {
        const std::string_view map(buffer.get(), static_cast<std::size_t>(size));
        ReaderHooks hooks(map);
        map_scan::Scan(map.data(), map.data() + map.size(), hooks);
        found = ParseMeshes(hooks, progress, stopped);
        index = std::move(hooks.index);
        index.entities = hooks.entities.Finish();
    } catch (const std::bad_alloc&) {
        lastError = "Not enough memory to read the meshes of '" + path + "'.";
        return false;
    }
    if (stopped) {
        lastError = "Stopped while reading '" + path + "'.";
        return false;
    }

    mapBuffer = std::move(buffer);
    mapSize = static_cast<std::uint32_t>(size);
    meshes = std::move(found);
    mapIndex = std::move(index);
    lastError.clear();
    return true;
}
