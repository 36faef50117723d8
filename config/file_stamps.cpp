#include "config/file_stamps.h"

#include <memory>

#include "io/platform.h"
#include "io/whole_file.h"

namespace {

// FNV-1a: enough to tell one version of a small text file from another.
std::uint64_t Hash(const char* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Cannot(StampedChange change, const std::string& path) {
    return std::string(change == StampedChange::Save ? "Cannot save '" : "Cannot remove '") + path + "': ";
}

std::string Changed(const std::string& path, const char* what, StampedChange change) {
    return Cannot(change, path) + what +
           " by another Arbrel window or another program after this window read it. Nothing was " +
           (change == StampedChange::Save ? "overwritten" : "removed") +
           ": close this window and start Arbrel again to load the file as it is now, then make "
           "your change again.";
}

}  // namespace

void FileStamps::Remember(const std::string& path, const char* data, std::size_t size) {
    hashes_[path] = Hash(data, size);
}

void FileStamps::Forget(const std::string& path) { hashes_.erase(path); }

std::string FileStamps::CheckUnchanged(const std::string& path, StampedChange change) const {
    const auto known = hashes_.find(path);
    const platform::PathStatus status = platform::QueryPath(path);
    // A file removed elsewhere is lost to a save, but is what a removal wants.
    if (status.kind == platform::PathKind::Missing)
        return known == hashes_.end() || change == StampedChange::Remove ? std::string()
                                                                         : Changed(path, "it was removed", change);
    std::uint64_t size = 0;
    const platform::Outcome sized = platform::FileSize(path, size);
    if (!sized.ok) return Cannot(change, path) + sized.reason + ".";
    if (known == hashes_.end()) return size == 0 ? std::string() : Changed(path, "it was written", change);
    std::unique_ptr<char[]> data;
    std::string error;
    if (!ReadWholeFile(path, size, 0xFFFFFFFFull, "the file is too large", data, error)) return error;
    return Hash(data.get(), static_cast<std::size_t>(size)) == known->second
               ? std::string()
               : Changed(path, "it was changed", change);
}
