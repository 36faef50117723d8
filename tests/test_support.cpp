#include "tests/test_support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "io/platform.h"
#include "tests/fresh_temp_directory.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
    const fs::path p = FreshTempDirectory("arbrel-test");
    if (p.empty()) throw std::runtime_error("cannot make a temporary directory");
    path_ = platform::PathText(p);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only directories behind; make them writable first.
    for (fs::recursive_directory_iterator it(platform::FsPath(path_), ec), end; !ec && it != end; it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(platform::FsPath(path_), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(platform::FsPath(path_), ec);
}

std::string TempDir::File(const std::string& name) const { return platform::PathText(platform::FsPath(path_) / platform::FsPath(name)); }

// stdio through the platform layer, so that UTF-8 names work on Windows too.
std::string ReadFileBytes(const std::string& path) {
    std::FILE* file = platform::OpenFile(path, "rb");
    if (!file) throw std::runtime_error("cannot read " + path);
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw std::runtime_error("cannot read " + path);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::FILE* file = platform::OpenFile(path, "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) throw std::runtime_error("cannot write " + path);
}

std::uint64_t FileSize(const std::string& path) { return fs::file_size(platform::FsPath(path)); }

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(platform::FsPath(path), ec);
}

std::string TestDataPath(const std::string& name) { return std::string(ARBREL_TEST_DATA_DIR) + "/" + name; }

std::vector<std::string> FileNames(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(platform::FsPath(directory)))
        names.push_back(platform::PathText(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t Occurrences(const std::string& text, const std::string& needle, std::size_t from) {
    std::size_t count = 0;
    for (std::size_t at = text.find(needle, from); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

const char kOneMeshMap[] =
    "iwmap 4\n{\n\"classname\" \"worldspawn\"\n {\n  mesh\n  {\n   grass\n   lightmap_gray\n"
    "   2 2 16 8\n   (\n\tv 0 0 0 t 0 0 0 0\n\tv 0 64 0 t 0 0 0 0\n   )\n   (\n"
    "\tv 64 0 0 t 0 0 0 0\n\tv 64 64 0 t 0 0 0 0\n   )\n  }\n }\n}\n";

TerrainMesh MakeMesh(const std::string& texture, int rows, int columns, std::vector<MeshVertex> vertices) {
    TerrainMesh mesh;
    mesh.texture = texture;
    mesh.rows = rows;
    mesh.columns = columns;
    mesh.vertices = std::move(vertices);
    return mesh;
}

TerrainMesh FlatCell(const std::string& texture) {
    return MakeMesh(texture, 2, 2, {{0, 0, 0, 255}, {0, 64, 0, 255}, {64, 0, 0, 255}, {64, 64, 0, 255}});
}

void AddTreesOnGrass(FoliageEngine& engine, const ModelOption& tree) {
    engine.modelClasses["trees"] = {tree};
    engine.mapClasses["demo"] = {TextureOption("grass", false, 1, {"trees"})};
}

RunRequest DemoRequest(const std::string& input, const std::string& output) {
    RunRequest request;
    request.inputText = input;
    request.outputText = output;
    request.mapClassChosen = true;
    request.mapClassName = "demo";
    return request;
}
