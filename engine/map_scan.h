#pragma once
// The one scan of a map's text. It follows the nesting of curly braces
// (wherever they stand, quoted values and comments included): entities at
// the first level, brushes at the second, and inside a brush one block named
// by the keyword before it (`mesh`, `curve` or anything else). It hands what
// it finds to hooks, as a parser hands its findings to callbacks, so the
// reader, the static-model count, strip/replace and the brush reader all see
// the same structure.

#include <cstring>

namespace map_scan {

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

// The keyword before a nested block: the non-blank bytes of the brush before
// it (emptied when the brush closes). Only "mesh" and "curve" matter, and
// bytes are only ever appended, so it is enough to know how far one of them
// still matches.
class Keyword {
public:
    void Clear() { word_ = nullptr; length_ = 0; matched_ = 0; }
    void Append(char c) {
        if (matched_ == 0) {
            word_ = c == 'm' ? "mesh" : c == 'c' ? "curve" : nullptr;
            length_ = c == 'm' ? 4 : 5;
        }
        if (word_ != nullptr && matched_ >= 0 && matched_ < length_ && c == word_[matched_])
            ++matched_;
        else
            matched_ = -1;
    }
    bool IsMesh() const { return matched_ == 4 && length_ == 4; }
    bool IsCurve() const { return matched_ == 5 && length_ == 5; }
    // Once it can never equal a keyword again before it is emptied, the
    // bytes appended to it need not be looked at.
    bool Settled() const { return matched_ < 0; }

private:
    const char* word_ = nullptr;  // the keyword being matched
    int length_ = 0;
    int matched_ = 0;  // chars of word_ matched so far; -1 when no keyword can match any more
};

inline bool IsBlank(char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t'; }

// Hooks that ignore everything: a scan's hooks derive from it and hide the
// calls they want.
struct Hooks {
    // The body of a mesh or curve block: from the byte after its "{" up to
    // (not including) its "}".
    void Mesh(const char*, const char*) {}
    void Curve(const char*, const char*) {}
    // A brush that held no nested block, from its "{" to its "}" (included).
    void Brush(const char*, const char*) {}
    // A top-level block from its "{" to its "}" (included); holdsBlocks when
    // a brush (or any block) opened inside it.
    void Entity(const char*, const char*, bool) {}
};

// Walks [begin, end) once. The flags are the level editor's levels: an
// entity, a brush inside it, and one block inside the brush (a mesh or
// another). A "{" inside that block opens it anew and the next "}" closes
// it, and a "}" with nothing open is passed over.
template <typename ScanHooks>
void Scan(const char* begin, const char* end, ScanHooks& hooks) {
    bool inEntity = false, inBrush = false, inMesh = false, inOther = false;
    bool otherIsCurve = false, entityHoldsBlocks = false, brushHoldsBlocks = false;
    Keyword keyword;
    const char* body = nullptr;  // of the mesh or curve being read
    const char* entityOpen = nullptr;
    const char* brushOpen = nullptr;
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
                if (inEntity) {
                    inBrush = true;
                    entityHoldsBlocks = true;
                    brushHoldsBlocks = false;
                    brushOpen = p;
                } else {
                    inEntity = true;
                    entityHoldsBlocks = false;
                    entityOpen = p;
                }
            } else {
                brushHoldsBlocks = true;
                body = p + 1;
                if (keyword.IsMesh()) {
                    inMesh = true;
                } else {
                    inOther = true;
                    otherIsCurve = keyword.IsCurve();
                }
            }
        } else if (c == '}') {
            if (inMesh) {
                hooks.Mesh(body, p);
                inMesh = false;
            } else if (inOther) {
                if (otherIsCurve) hooks.Curve(body, p);
                inOther = false;
            } else if (inBrush) {
                if (!brushHoldsBlocks) hooks.Brush(brushOpen, p);
                keyword.Clear();
                inBrush = false;
            } else if (inEntity) {
                hooks.Entity(entityOpen, p, entityHoldsBlocks);
                inEntity = false;
            }
        } else if (collecting && !IsBlank(c)) {
            keyword.Append(c);
        }
    }
}

}  // namespace map_scan
