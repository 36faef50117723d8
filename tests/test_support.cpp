#include "tests/test_support.h"

#include <boost/filesystem.hpp>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = boost::filesystem;

TempDir::TempDir() {
    fs::path p = fs::temp_directory_path() / fs::unique_path("arbrel-test-%%%%-%%%%-%%%%");
    fs::create_directories(p);
    path_ = p.string();
}

TempDir::~TempDir() {
    boost::system::error_code ec;
    // Tests may leave read-only directories behind; make them writable first.
    for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec))
        fs::permissions(it->path(), fs::owner_all | fs::add_perms, ec);
    fs::permissions(path_, fs::owner_all | fs::add_perms, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return (fs::path(path_) / name).string(); }

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::uint64_t FileSize(const std::string& path) { return fs::file_size(path); }

bool FileExists(const std::string& path) {
    boost::system::error_code ec;
    return fs::exists(path, ec);
}

std::string TestDataPath(const std::string& name) { return std::string(ARBREL_TEST_DATA_DIR) + "/" + name; }
