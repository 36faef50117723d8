#include "engine/mesh_body_parser.h"

#include <cstddef>
#include <cstring>
#include <string_view>

#include "text/conversions.h"

namespace {

const char* FindChar(const char* p, const char* end, char c) {
    const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p));
    return hit ? static_cast<const char*>(hit) : end;
}

// Calls onLine(lineBegin, lineEnd) for every line of [begin, end) that ends
// in a line break inside the range; the unfinished tail is not a line.
// CR, LF and CR LF each end one line. Each memchr result is kept until the
// walk passes it, so every byte is searched at most once per break kind.
template <typename OnLine>
void ForEachEndedLine(const char* begin, const char* end, OnLine&& onLine) {
    const char* line = begin;
    const char* lf = FindChar(begin, end, '\n');
    const char* cr = FindChar(begin, end, '\r');
    while (line < end) {
        if (lf < line) lf = FindChar(line, end, '\n');
        if (cr < line) cr = FindChar(line, end, '\r');
        const char* lineEnd = cr < lf ? cr : lf;
        if (lineEnd == end) return;
        onLine(line, lineEnd);
        line = lineEnd + 1;
        if (*lineEnd == '\r' && line < end && *line == '\n') ++line;
    }
}

// The header's keyword lines that stand before the texture name.
bool IsHeaderKeyword(std::string_view token) {
    return token == "toolFlags;" || token == "toolFlags" || token == "contents" || token == "layer";
}

// Header state that holds across the lines of one body.
struct HeaderReader {
    TerrainMesh& mesh;
    bool haveTexture = false;
    bool skippedAfterTexture = false;

    // Leading spaces and tabs are skipped; the rest is split at every single
    // space, so two spaces enclose an empty token and a tab is token text.
    void Line(const char* p, const char* end) {
        while (p < end && (*p == ' ' || *p == '\t')) ++p;
        if (p == end) return;
        for (int index = 0;; ++index) {
            const char* space = FindChar(p, end, ' ');
            if (!Token(index, std::string_view(p, static_cast<std::size_t>(space - p)))) return;
            if (space == end) return;
            p = space + 1;
        }
    }

    // Handles one token; false when the rest of the line can be passed over.
    bool Token(int index, std::string_view token) {
        if (!haveTexture) {
            if (index > 0 || IsHeaderKeyword(token)) return false;
            mesh.texture.assign(token.data(), token.size());
            haveTexture = true;
            return true;
        }
        if (!skippedAfterTexture) {
            skippedAfterTexture = true;  // the second name (lightmap)
            return true;
        }
        // A size line: groups of vertex lines, then vertex lines per group.
        if (index == 0) {
            mesh.rows = StringToInt(token);
            return true;
        }
        if (index == 1) mesh.columns = StringToInt(token);
        return false;
    }
};

// Calls onVertex(fromLastV, lineEnd) for every vertex line of the groups in
// [begin, end): a "(" opens a group, the next ")" closes it, and each ended
// line of the group that holds a "v" is read from its last "v" on.
template <typename OnVertex>
void ForEachVertexLine(const char* begin, const char* end, OnVertex&& onVertex) {
    const char* open = FindChar(begin, end, '(');
    while (open < end) {
        const char* close = FindChar(open + 1, end, ')');
        if (close == end) return;
        ForEachEndedLine(open + 1, close, [&](const char* line, const char* lineEnd) {
            const char* lastV = nullptr;
            for (const char* v = FindChar(line, lineEnd, 'v'); v < lineEnd;
                 v = FindChar(v + 1, lineEnd, 'v'))
                lastV = v;
            if (lastV) onVertex(lastV, lineEnd);
        });
        open = FindChar(close + 1, end, '(');
    }
}

// One vertex line from its "v": x, y, z from the numbers after "v", alpha
// from the fourth number after "c". A number counts only when a space
// follows it; after "t" (texture coordinates) nothing more is kept.
MeshVertex ReadVertex(const char* p, const char* end) {
    MeshVertex vertex;  // 0, 0, 0, alpha 255
    bool colour = false;
    int counter = 0;
    const char* token = p;
    for (; p < end; ++p) {
        const char c = *p;
        if (c == 'v' || c == 'c') {
            colour = colour || c == 'c';
            counter = 0;
        } else if (c == 't') {
            break;
        } else if (c == ' ') {
            // A token holding a marker is never stored: the marker set the
            // counter to 0, so the bytes between two spaces are the token.
            if (counter >= 1) {
                const std::string_view text(token, static_cast<std::size_t>(p - token));
                if (!colour) {
                    if (counter == 1) vertex.x = StringToFloat(text);
                    else if (counter == 2) vertex.y = StringToFloat(text);
                    else if (counter == 3) vertex.z = StringToFloat(text);
                } else if (counter == 4) {
                    vertex.alpha = StringToFloat(text);
                }
            }
            token = p + 1;
            ++counter;
        }
    }
    return vertex;
}

}  // namespace

void ParseMeshBody(const char* begin, const char* end, TerrainMesh& mesh) {
    const char* firstGroup = FindChar(begin, end, '(');

    // The header ends at the first "(", wherever it stands; the line holding
    // it is not a header line.
    HeaderReader header{mesh};
    ForEachEndedLine(begin, firstGroup, [&](const char* line, const char* lineEnd) {
        header.Line(line, lineEnd);
    });

    std::size_t count = 0;
    ForEachVertexLine(firstGroup, end, [&](const char*, const char*) { ++count; });
    mesh.vertices.reserve(count);
    ForEachVertexLine(firstGroup, end, [&](const char* line, const char* lineEnd) {
        mesh.vertices.push_back(ReadVertex(line, lineEnd));
    });
}
