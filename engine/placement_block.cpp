#include "engine/placement_block.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "text/float_text.h"

namespace {

char* Put(char* out, const char* text, std::size_t size) {
    std::memcpy(out, text, size);
    return out + size;
}

template <std::size_t N>
char* Put(char* out, const char (&text)[N]) {
    return Put(out, text, N - 1);
}

char* PutNumber(char* out, float value) { return out + FormatFloatFast(value, out); }

}  // namespace

std::size_t FormatPlacementBlock(const ModelPlacement& p, char* out, bool mark) {
    char* const start = out;
    out = Put(out, "{\n\"origin\" \"");
    out = PutNumber(out, p.x);
    *out++ = ' ';
    out = PutNumber(out, p.y);
    *out++ = ' ';
    out = PutNumber(out, p.z);
    out = Put(out, "\"\n\"modelscale\" \"");
    out = PutNumber(out, p.scale);
    out = Put(out, "\"\n\"angles\" \"");
    out = PutNumber(out, p.pitch);
    *out++ = ' ';
    out = PutNumber(out, p.yaw);
    *out++ = ' ';
    out = PutNumber(out, p.roll);
    out = Put(out, "\"\n\"model\" \"");
    const std::string& name = p.modelOption->modelName;
    out = Put(out, name.data(), name.size());
    if (mark && p.modelClassName != nullptr) {
        out = Put(out, "\"\n\"arbrel_class\" \"");
        // A quote or line break in a class name (a file name on some
        // systems) would break the block; they become underscores.
        for (char c : *p.modelClassName) *out++ = c == '"' || c == '\r' || c == '\n' ? '_' : c;
    }
    if (p.modelOption->spawnflags) {
        out = Put(out, "\"\n\"spawnflags\" \"");
        out = std::to_chars(out, out + 16, *p.modelOption->spawnflags).ptr;
    }
    out = Put(out, "\"\n\"classname\" \"misc_model\"\n}\n");
    return static_cast<std::size_t>(out - start);
}

bool PlacementHasNaN(const ModelPlacement& p) {
    return std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z) || std::isnan(p.pitch) ||
           std::isnan(p.roll) || std::isnan(p.yaw) || std::isnan(p.scale);
}

std::size_t FormatNaNWarning(const ModelPlacement& p, char* out) {
    char* const start = out;
    out = Put(out, "WARNING: float is NaN (not a number), debug output: ");
    const float values[] = {p.x, p.y, p.z, p.pitch, p.roll, p.yaw, p.scale};
    for (std::size_t i = 0; i < 7; ++i) {
        if (i > 0) out = Put(out, ", ");
        out = PutNumber(out, values[i]);
    }
    *out++ = '\n';
    return static_cast<std::size_t>(out - start);
}
