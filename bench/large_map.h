#pragma once
// A generated map for the end-to-end measurements: `meshes` terrain meshes of
// size x size vertices 64 units apart, gently rolling, every fourth vertex
// with a colour group. With one model of density 1 on texture "bench_grass"
// the walk makes about 3 placements per triangle.

#include <cmath>
#include <cstdio>
#include <string>

inline std::string LargeMapText(int meshes, int size) {
    std::string text = "iwmap 4\n\"000_Global\" flags  active\n\"The Map\" flags \n// entity 0\n{\n"
                       "\"classname\" \"worldspawn\"\n";
    char line[160];
    for (int m = 0; m < meshes; ++m) {
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
    text += "}\n";
    return text;
}
