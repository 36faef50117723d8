#include "tests/test_support.h"

#include <filesystem>
#include <cstdio>
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
