#include "ui_logic/map_source_listing.h"

#include <filesystem>

#include "io/platform.h"

namespace fs = std::filesystem;

std::string MapNameOfFile(const std::string& fileName) {
    const std::size_t dot = fileName.find('.');
    if (dot == std::string::npos || fileName.compare(dot, std::string::npos, ".map") != 0)
        return std::string();
    return fileName.substr(0, dot);
}

MapSourceListing ListMapSource(const std::string& mapSourceDirectory) {
    MapSourceListing listing;
    auto failure = [](const std::string& what, const std::error_code& ec) {
        return "Cannot read path '" + what + "': " + platform::ErrorText(ec) + ".";
    };
    std::error_code ec;
    fs::directory_iterator it(platform::FsPath(mapSourceDirectory), ec);
    if (ec) {
        listing.errors.push_back(failure(mapSourceDirectory, ec));
        return listing;
    }
    const fs::directory_iterator end;
    while (it != end) {
        const std::string name = platform::PathText(it->path().filename());
        std::error_code entryError;
        const fs::file_status status = it->status(entryError);
        if (status.type() == fs::file_type::none) {
            listing.errors.push_back(failure(name, entryError));
        } else if (status.type() == fs::file_type::regular) {
            const std::string mapName = MapNameOfFile(name);
            if (!mapName.empty()) listing.mapNames.push_back(mapName);
        }
        it.increment(ec);
        if (ec) {
            // The listing cannot go on past a failed step.
            listing.errors.push_back(failure(mapSourceDirectory, ec));
            break;
        }
    }
    return listing;
}
