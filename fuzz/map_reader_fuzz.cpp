// Feeds arbitrary bytes through the mesh scan and the mesh body parser, the
// in-memory core of reading a map.

#include <cstddef>
#include <cstdint>

#include "engine/map_entities.h"
#include "engine/map_scan.h"
#include "engine/mesh_body_parser.h"
#include "engine/terrain_mesh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* begin = reinterpret_cast<const char*>(data);
    struct : map_scan::Hooks {
        void Mesh(const char* b, const char* e) {
            TerrainMesh mesh;
            ParseMeshBody(b, e, mesh);
        }
    } hooks;
    map_scan::Scan(begin, begin + size, hooks);
    CountMiscModels({begin, size});
    return 0;
}
