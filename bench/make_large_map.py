#!/usr/bin/env python3
"""Writes a large test installation for measuring arbrel-cli end to end:
DIR/install/map_source/large.map (MESHES meshes of 33 x 33 vertices, 200 by
default, like the benchmark's) and DIR/data with a map class "bench" whose
rule has the density multiplier MULTIPLIER (default 1). Placements grow
faster than the multiplier: about 510 per mesh at 0.25, 6,150 at 1, 20,500
at 2 and 73,900 at 4.

    bench/make_large_map.py /tmp/large [MESHES [MULTIPLIER]]
    /usr/bin/time -v build/bin/arbrel-cli --data-dir /tmp/large/data \
        --install-dir /tmp/large/install --map-class bench large /tmp/large/out.map
"""
import math
import os
import sys

def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "large"
    meshes = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    multiplier = sys.argv[3] if len(sys.argv) > 3 else "1"
    size = 33
    os.makedirs(os.path.join(root, "install", "map_source"), exist_ok=True)
    os.makedirs(os.path.join(root, "install", "Docs", "model_pics"), exist_ok=True)
    os.makedirs(os.path.join(root, "data", "maps"), exist_ok=True)
    os.makedirs(os.path.join(root, "data", "models"), exist_ok=True)
    out = ['iwmap 4\n"000_Global" flags  active\n"The Map" flags \n// entity 0\n{\n"classname" "worldspawn"\n']
    for m in range(meshes):
        out.append("// brush %d\n {\n  mesh\n  {\n   bench_grass\n   lightmap_gray\n"
                   "   smoothing smoothing_hard\n   %d %d 16 8\n" % (m, size, size))
        base_x, base_y = (m % 16) * 64.0 * size, (m // 16) * 64.0 * size
        for g in range(size):
            out.append("   (\n")
            for p in range(size):
                x, y = base_x + g * 64.0, base_y + p * 64.0
                z = 40.0 * math.sin(x * 0.003) * math.cos(y * 0.002)
                colour = " c 255 255 255 %d" % (128 + (g * 7 + p) % 128) if (g + p) % 4 == 0 else ""
                out.append("\tv %.7g %.7g %.7g%s t %g %g %g %g\n" % (x, y, z, colour, x * 16, -y * 16, x / 16, -y / 16))
            out.append("   )\n")
        out.append("  }\n }\n")
    out.append("}\n")
    with open(os.path.join(root, "install", "map_source", "large.map"), "w", newline="") as f:
        f.write("".join(out))
    with open(os.path.join(root, "data", "models", "bench_plants.csv"), "wb") as f:
        f.write(b"foliage_grass_tuft_a,1,1,1,1,0,0,256,0.5,1\r\n")
    with open(os.path.join(root, "data", "maps", "bench.csv"), "wb") as f:
        f.write(b"bench_grass,0,%s,bench_plants\r\n" % multiplier.encode())

if __name__ == "__main__":
    main()
