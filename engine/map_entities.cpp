#include "engine/map_entities.h"

#include <cstring>

#include "engine/mesh_block_scan.h"

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

std::uint64_t CountMiscModels(std::string_view map) {
    // Quotes stand only in entity key lines and the header, never in the
    // brushes and meshes that make up most of a map, so hopping from quote
    // to quote costs a small part of reading the map.
    const char* const begin = map.data();
    const char* const end = begin + map.size();
    std::uint64_t count = 0;
    for (const char* p = begin; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, '"', static_cast<std::size_t>(end - p)));
        if (p == nullptr) break;
        if (static_cast<std::size_t>(end - p) < kMiscModelLine.size() ||
            std::memcmp(p, kMiscModelLine.data(), kMiscModelLine.size()) != 0)
            continue;
        const std::size_t offset = static_cast<std::size_t>(p - begin);
        if (StartsLine(map, offset) && EndsLine(map, offset + kMiscModelLine.size())) ++count;
        p += kMiscModelLine.size() - 1;
    }
    return count;
}

std::vector<ByteRange> FindMarkedEntities(std::string_view map) {
    std::vector<ByteRange> ranges;
    if (map.empty()) return ranges;
    int depth = 0;
    std::size_t open = 0;
    bool nested = false;
    // Braces are found with memchr, as the mesh scan finds them.
    mesh_scan::BraceFinder braces(map.data(), map.data() + map.size());
    for (const char* p = braces.Next(map.data()); p != map.data() + map.size(); p = braces.Next(p + 1)) {
        const std::size_t at = static_cast<std::size_t>(p - map.data());
        const char c = *p;
        if (c == '{') {
            if (depth == 0) {
                open = at;
                nested = false;
            } else {
                nested = true;
            }
            ++depth;
        } else if (c == '}' && depth > 0) {
            --depth;
            if (depth != 0 || nested) continue;
            const std::string_view block = map.substr(open, at + 1 - open);
            if (HasMarkKey(block) && HasLine(block, kMiscModelLine))
                ranges.push_back(RangeOf(map, open, at));
        }
    }
    // A block that starts on the line of the text before it (the input had
    // no last line end) also takes its line end when only removed blocks or
    // the end of the file follow: the text before it is then left as it was.
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        ByteRange& range = ranges[i];
        if (StartsLine(map, range.begin)) continue;
        const std::size_t next = i + 1 < ranges.size() ? ranges[i + 1].begin : map.size();
        if (PastLineEnd(map, range.end) == next) range.end = next;
    }
    return ranges;
}
