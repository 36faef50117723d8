#pragma once
// A generated map for the measurements: `meshes` terrain meshes of
// size x size vertices 64 units apart, gently rolling, every fourth vertex
// with a colour group. With one model of density 1 on texture "bench_grass"
// the walk makes about 3 placements per triangle.

#include <cmath>
#include <cstdio>
#include <string>

inline const char* LargeMapHead() {
    return "iwmap 4\n\"000_Global\" flags  active\n\"The Map\" flags \n// entity 0\n{\n"
           "\"classname\" \"worldspawn\"\n";
}
inline const char* LargeMapTail() { return "}\n"; }

// Appends mesh number m (a brush holding one mesh block) to text.
inline void AppendLargeMapMesh(std::string& text, int m, int size) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "// brush %d\n {\n  mesh\n  {\n   bench_grass\n   lightmap_gray\n"
                  "   smoothing smoothing_hard\n   %d %d 16 8\n", m, size, size);
    text += line;
    const double baseX = (m % 16) * 64.0 * size, baseY = (m / 16) * 64.0 * size;
    for (int g = 0; g < size; ++g) {
        text += "   (\n";
        for (int p = 0; p < size; ++p) {
            const double x = baseX + g * 64.0, y = baseY + p * 64.0;
            const double z = 40.0 * std::sin(x * 0.003) * std::cos(y * 0.002);
            if ((g + p) % 4 == 0)
                std::snprintf(line, sizeof line, "\tv %.7g %.7g %.7g c 255 255 255 %d t %g %g %g %g\n",
                              x, y, z, 128 + (g * 7 + p) % 128, x * 16, -y * 16, x / 16, -y / 16);
            else
                std::snprintf(line, sizeof line, "\tv %.7g %.7g %.7g t %g %g %g %g\n", x, y, z,
                              x * 16, -y * 16, x / 16, -y / 16);
            text += line;
        }
        text += "   )\n";
    }
    text += "  }\n }\n";
}

inline std::string LargeMapText(int meshes, int size) {
    std::string text = LargeMapHead();
    for (int m = 0; m < meshes; ++m) AppendLargeMapMesh(text, m, size);
    return text + LargeMapTail();
}

// The same map written to a file mesh by mesh, so that a map of hundreds of
// megabytes never has to be held in memory whole. False when writing fails.
inline bool WriteLargeMap(const std::string& path, int meshes, int size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::string text = LargeMapHead();
    bool ok = true;
    for (int m = 0; m < meshes && ok; ++m) {
        AppendLargeMapMesh(text, m, size);
        ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        text.clear();
    }
    text = LargeMapTail();
    ok = ok && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}
