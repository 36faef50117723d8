#pragma once
// A new, empty directory under the system's temporary directory, for tests,
// benchmarks and fuzz targets. Empty path when none can be made.

#include <filesystem>
#include <string>
#include <system_error>

#include "io/platform.h"

inline std::filesystem::path FreshTempDirectory(const std::string& prefix) {
    static unsigned counter = 0;
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) return {};
    // The process id keeps concurrent runs apart; the counter skips names
    // left behind by an earlier process of the same id.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path candidate =
            base / (prefix + "-" + platform::ProcessTag() + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate, ec)) return candidate;
        if (ec) return {};
    }
    return {};
}
