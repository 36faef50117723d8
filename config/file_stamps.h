#pragma once
// What this program last read from or wrote to each configuration file, so
// that a save notices when another window, or another program, changed the
// file in between, instead of silently overwriting that change.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// What this program is about to do to a file it checks.
enum class StampedChange { Save, Remove };

class FileStamps {
public:
    void Remember(const std::string& path, const char* data, std::size_t size);
    // After the file is removed: a new file of that name starts unknown.
    void Forget(const std::string& path);
    // Empty when the file at `path` is as this program last saw it; a file
    // it never saw may be missing or empty, and one to remove may be gone.
    // Otherwise the message saying what happened and what to do.
    std::string CheckUnchanged(const std::string& path, StampedChange change = StampedChange::Save) const;

private:
    std::map<std::string, std::uint64_t> hashes_;
};
