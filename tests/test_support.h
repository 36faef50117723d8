#pragma once
// Helpers shared by the test suites.

#include <cstdint>
#include <string>

#include "engine/progress_receiver.h"

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

class CountingProgress : public ProgressReceiver {
public:
    void MeshRead() override { ++meshesRead; }
    void MeshProcessed() override { ++meshesProcessed; }
    void ModelPlaced() override { ++modelsPlaced; }
    int meshesRead = 0;
    int meshesProcessed = 0;
    int modelsPlaced = 0;
};
