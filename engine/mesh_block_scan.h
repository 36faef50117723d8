#pragma once
// The brace scan that finds the `mesh` blocks of a map. It follows only the
// nesting of curly braces (wherever they stand, quoted values and comments
// included) and the keyword in front of a block inside a brush; everything
// else is passed over.

#include <cstring>

namespace mesh_scan {

// Finds the next "{" or "}" from p on. Each memchr result is kept until the
// scan passes it, so every byte is searched at most once per brace kind.
class BraceFinder {
public:
    BraceFinder(const char* begin, const char* end)
        : end_(end), open_(Find(begin, '{')), close_(Find(begin, '}')) {}

    const char* Next(const char* p) {
        if (open_ < p) open_ = Find(p, '{');
        if (close_ < p) close_ = Find(p, '}');
        return open_ < close_ ? open_ : close_;
    }

private:
    const char* Find(const char* p, char c) const {
        const void* hit = std::memchr(p, c, static_cast<std::size_t>(end_ - p));
        return hit ? static_cast<const char*>(hit) : end_;
    }

    const char* end_;
    const char* open_;   // first "{" at or after the last search start (end_ if none)
    const char* close_;  // first "}" likewise
};

// The keyword before a nested block only matters when it is exactly "mesh".
// Since bytes are only ever appended to it (it is emptied when the brush
// closes), it is enough to know how far it still matches.
class Keyword {
public:
    void Clear() { matched_ = 0; }
    void Append(char c) {
        if (matched_ >= 0 && matched_ < 4 && c == "mesh"[matched_])
            ++matched_;
        else
            matched_ = -1;
    }
    bool IsMesh() const { return matched_ == 4; }
    // Once it can never equal "mesh" again before it is emptied, the bytes
    // appended to it need not be looked at.
    bool Settled() const { return matched_ < 0; }

private:
    int matched_ = 0;  // chars of "mesh" matched so far; -1 when it can no longer match
};

inline bool IsBlank(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }

// Calls onMesh(bodyBegin, bodyEnd) for each mesh block, where the body runs
// from the byte after its "{" up to (not including) its "}".
template <typename OnMesh>
void ScanMeshBlocks(const char* begin, const char* end, OnMesh&& onMesh) {
    bool inEntity = false, inBrush = false, inMesh = false, inOther = false;
    Keyword keyword;
    const char* meshBody = nullptr;
    BraceFinder braces(begin, end);

    for (const char* p = begin; p < end; ++p) {
        const bool collecting = inBrush && !inMesh && !inOther;
        if (!collecting || keyword.Settled()) {
            p = braces.Next(p);
            if (p == end) break;
        }
        const char c = *p;
        if (c == '{') {
            if (!inBrush) {
                if (inEntity)
                    inBrush = true;
                else
                    inEntity = true;
            } else if (keyword.IsMesh()) {
                inMesh = true;
                meshBody = p + 1;
            } else {
                inOther = true;
            }
        } else if (c == '}') {
            if (inMesh) {
                onMesh(meshBody, p);
                inMesh = false;
            } else if (inOther) {
                inOther = false;
            } else if (inBrush) {
                keyword.Clear();
                inBrush = false;
            } else if (inEntity) {
                inEntity = false;
            }
        } else if (collecting && !IsBlank(c)) {
            keyword.Append(c);
        }
    }
}

}  // namespace mesh_scan
