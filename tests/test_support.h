#pragma once
// Helpers shared by the test suites.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/foliage_engine.h"
#include "engine/progress_receiver.h"
#include "engine/run_pipeline.h"

// A fresh directory under the system's temporary directory, removed (with
// everything in it) when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const;  // path/name

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::uint64_t FileSize(const std::string& path);
bool FileExists(const std::string& path);
// A file of the repository's tests/data directory.
std::string TestDataPath(const std::string& name);
// The names in a directory, sorted: what a run or a save left behind.
std::vector<std::string> FileNames(const std::string& directory);
std::size_t Occurrences(const std::string& text, const std::string& needle, std::size_t from = 0);

// A worldspawn holding one flat 64 x 64 mesh of 2 x 2 vertices textured "grass".
extern const char kOneMeshMap[];
TerrainMesh MakeMesh(const std::string& texture, int rows, int columns, std::vector<MeshVertex> vertices);
// One flat 64 x 64 cell whose normal points up.
TerrainMesh FlatCell(const std::string& texture = "grass");
// Model class "trees" holding `tree`, and map class "demo" placing it on "grass".
void AddTreesOnGrass(FoliageEngine& engine, const ModelOption& tree = ModelOption("tree", 1, 1));
// A run of map class "demo" from `input` to `output`.
RunRequest DemoRequest(const std::string& input, const std::string& output);

class CountingProgress : public ProgressReceiver {
public:
    void MeshRead() override { ++meshesRead; }
    void MeshProcessed() override { ++meshesProcessed; }
    void ModelPlaced() override { ++modelsPlaced; }
    int meshesRead = 0;
    int meshesProcessed = 0;
    int modelsPlaced = 0;
};
