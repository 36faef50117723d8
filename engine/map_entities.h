#pragma once
// What a run needs to know of a map's entities besides its meshes: how many
// misc_model entities it holds already, and which of them an earlier run
// placed and marked, so a new run (or strip) can leave them out.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The key a marked block carries; its value is the model class.
constexpr char kMarkKey[] = "arbrel_class";

struct ByteRange {
    std::size_t begin = 0, end = 0;  // [begin, end)
};

// The misc_model entities of a map: top-level blocks without nested blocks
// that hold the line "classname" "misc_model" (blanks around allowed),
// whatever their key order. These are the entities strip looks at.
std::uint64_t CountMiscModels(std::string_view map);

// The marked entities of a map, in file order: top-level blocks without
// nested blocks that hold both an "arbrel_class" key line and the line
// "classname" "misc_model". Each range covers the block with its own line
// end and, when the block has its lines to itself, a "// entity N" comment
// line right before it; it never takes bytes of another entity.
std::vector<ByteRange> FindMarkedEntities(std::string_view map);

// What the entity hooks of the map scan gather: the misc_model count and
// the marked entities, as CountMiscModels and FindMarkedEntities give them.
struct MapEntities {
    std::uint64_t miscModels = 0;
    std::vector<ByteRange> marked;
};

// The map scan's entity hook: give it each top-level block, then Finish().
class EntityCollector {
public:
    explicit EntityCollector(std::string_view map) : map_(map) {}
    void Entity(const char* open, const char* close, bool holdsBlocks);
    MapEntities Finish();

private:
    std::string_view map_;
    MapEntities found_;
};

// Calls write(data, size) for every piece of map outside the ranges.
template <class Write>
void ForEachKeptPiece(std::string_view map, const std::vector<ByteRange>& removed, Write write) {
    std::size_t from = 0;
    for (const ByteRange& range : removed) {
        if (range.begin > from) write(map.data() + from, range.begin - from);
        from = range.end;
    }
    if (map.size() > from) write(map.data() + from, map.size() - from);
}
