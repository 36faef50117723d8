#include "engine/map_entities.h"

#include <utility>

#include "engine/map_scan.h"

namespace {

constexpr std::string_view kMiscModelLine = "\"classname\" \"misc_model\"";

bool IsSpace(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Whether only blanks stand between the start of the line and `at`.
bool StartsLine(std::string_view text, std::size_t at) {
    while (at > 0 && IsSpace(text[at - 1])) --at;
    return at == 0 || IsLineEnd(text[at - 1]);
}

// Whether only blanks stand between `at` and the end of the line.
bool EndsLine(std::string_view text, std::size_t at) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    return at == text.size() || IsLineEnd(text[at]);
}

// Whether some line of the block holds `line` alone (blanks around allowed).
bool HasLine(std::string_view block, std::string_view line) {
    for (std::size_t at = block.find(line); at != std::string_view::npos; at = block.find(line, at + 1))
        if (StartsLine(block, at) && EndsLine(block, at + line.size())) return true;
    return false;
}

// Whether some line of the block starts with the quoted mark key.
bool HasMarkKey(std::string_view block) {
    const std::string_view key = "\"arbrel_class\"";
    for (std::size_t at = block.find(key); at != std::string_view::npos; at = block.find(key, at + 1))
        if (StartsLine(block, at)) return true;
    return false;
}

std::size_t LineStart(std::string_view text, std::size_t at) {
    while (at > 0 && !IsLineEnd(text[at - 1])) --at;
    return at;
}

// Past the line end (LF, CR LF or CR) that follows `at`'s blanks.
std::size_t PastLineEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    return at;
}

// The removed range of the block [open, close]: whole lines when the block
// has its lines to itself, with a "// entity N" line right before it.
ByteRange RangeOf(std::string_view map, std::size_t open, std::size_t close) {
    ByteRange range{open, close + 1};
    if (!StartsLine(map, open) || !EndsLine(map, close + 1)) return range;
    range.begin = LineStart(map, open);
    range.end = PastLineEnd(map, close + 1);
    if (range.begin > 0) {
        std::size_t previous = range.begin - 1;
        if (map[previous] == '\n' && previous > 0 && map[previous - 1] == '\r') --previous;
        const std::size_t commentStart = LineStart(map, previous);
        std::size_t text = commentStart;
        while (text < previous && IsSpace(map[text])) ++text;
        if (map.substr(text, previous - text).rfind("// entity", 0) == 0) range.begin = commentStart;
    }
    return range;
}

}  // namespace

void EntityCollector::Entity(const char* open, const char* close, bool holdsBlocks) {
    if (holdsBlocks) return;
    const std::size_t at = static_cast<std::size_t>(open - map_.data());
    const std::size_t closeAt = static_cast<std::size_t>(close - map_.data());
    const std::string_view block = map_.substr(at, closeAt + 1 - at);
    if (!HasLine(block, kMiscModelLine)) return;
    ++found_.miscModels;
    if (HasMarkKey(block)) found_.marked.push_back(RangeOf(map_, at, closeAt));
}

MapEntities EntityCollector::Finish() {
    // A block that starts on the line of the text before it (the input had
    // no last line end) also takes its line end when only removed blocks or
    // the end of the file follow: the text before it is then left as it was.
    std::vector<ByteRange>& ranges = found_.marked;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        ByteRange& range = ranges[i];
        if (StartsLine(map_, range.begin)) continue;
        const std::size_t next = i + 1 < ranges.size() ? ranges[i + 1].begin : map_.size();
        if (PastLineEnd(map_, range.end) == next) range.end = next;
    }
    return std::move(found_);
}

namespace {

MapEntities ScanEntities(std::string_view map) {
    struct : map_scan::Hooks {
        EntityCollector* entities;
        void Entity(const char* open, const char* close, bool holdsBlocks) {
            entities->Entity(open, close, holdsBlocks);
        }
    } hooks;
    EntityCollector entities(map);
    hooks.entities = &entities;
    map_scan::Scan(map.data(), map.data() + map.size(), hooks);
    return entities.Finish();
}

}  // namespace

std::uint64_t CountMiscModels(std::string_view map) { return ScanEntities(map).miscModels; }

std::vector<ByteRange> FindMarkedEntities(std::string_view map) { return ScanEntities(map).marked; }
