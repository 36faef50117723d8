// FoliageEngine::ReadMap: loads a whole map file and collects its meshes.

#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "engine/foliage_engine.h"
#include "engine/mesh_block_scan.h"
#include "engine/mesh_body_parser.h"
#include "io/platform.h"
#include "io/whole_file.h"

namespace {

// Every mesh of [begin, end) in file order, each reported to progress as it
// is stored. The list is reserved exactly. May throw std::bad_alloc.
// Once the receiver says stop, the remaining meshes are not parsed and
// `stopped` is set.
std::vector<TerrainMesh> ScanMeshes(const char* begin, const char* end, ProgressReceiver& progress,
                                    bool& stopped) {
    std::size_t count = 0;
    mesh_scan::ScanMeshBlocks(begin, end, [&](const char*, const char*) { ++count; });

    std::vector<TerrainMesh> meshes;
    meshes.reserve(count);
    mesh_scan::ScanMeshBlocks(begin, end, [&](const char* body, const char* bodyEnd) {
        if (stopped) return;
        meshes.emplace_back();
        ParseMeshBody(body, bodyEnd, meshes.back());
        progress.MeshRead();
        stopped = !progress.KeepGoing();
    });
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
    bool stopped = false;
    try {
        found = ScanMeshes(buffer.get(), buffer.get() + size, progress, stopped);
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
    lastError.clear();
    return true;
}
