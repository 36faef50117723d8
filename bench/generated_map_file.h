#pragma once
// A generated map (bench/large_map.h) in a fresh temporary directory, with
// room beside it for an output map; the directory goes when this does.

#include <cstdint>
#include <string>

#include <filesystem>

#include "bench/large_map.h"
#include "tests/fresh_temp_directory.h"
#include "engine/foliage_engine.h"

class GeneratedMapFile {
public:
    GeneratedMapFile(int meshes, int size) {
        namespace fs = std::filesystem;
        std::error_code error;
        dir_ = FreshTempDirectory("arbrel-bench");
        if (dir_.empty()) return;
        input = (dir_ / "large.map").string();
        output = (dir_ / "large_foliage.map").string();
        if (!error && WriteLargeMap(input, meshes, size)) bytes = fs::file_size(input, error);
        if (error) bytes = 0;
    }
    ~GeneratedMapFile() {
        if (dir_.empty()) return;
        std::error_code error;
        std::filesystem::remove_all(dir_, error);
    }
    GeneratedMapFile(const GeneratedMapFile&) = delete;
    GeneratedMapFile& operator=(const GeneratedMapFile&) = delete;

    bool Ok() const { return bytes > 0; }

    std::string input, output;
    std::uintmax_t bytes = 0;  // 0 when the map could not be written

private:
    std::filesystem::path dir_;
};

// The configuration the generated map is made for: one model of density 1
// on its texture, without the opacity filter, under map class "bench".
inline void ConfigureForGeneratedMap(FoliageEngine& engine) {
    engine.modelClasses["bench_plants"] = {ModelOption("foliage_grass_tuft_a", 1, 1, true, true)};
    engine.mapClasses["bench"] = {TextureOption("bench_grass", false, 1, {"bench_plants"})};
}

// Counts the notifications of a run.
struct CountingReceiver : ProgressReceiver {
    void MeshRead() override { ++read; }
    void MeshProcessed() override {}
    void ModelPlaced() override { ++placed; }
    long read = 0;
    long placed = 0;
};
