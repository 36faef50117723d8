#include "ui_logic/map_source_listing.h"

#include "io/paths.h"
#include "io/platform.h"

std::string MapNameOfFile(const std::string& fileName) {
    const std::size_t dot = fileName.find('.');
    if (dot == std::string::npos || fileName.compare(dot, std::string::npos, ".map") != 0)
        return std::string();
    return fileName.substr(0, dot);
}

MapSourceListing ListMapSource(const std::string& mapSourceDirectory) {
    MapSourceListing listing;
    auto failure = [](const std::string& what, const std::string& reason) {
        return "Cannot read path '" + what + "': " + reason + ".";
    };
    std::vector<std::string> names;
    // The listing cannot go on past a failed step: what came before it is
    // still shown.
    const platform::Outcome listed = platform::ListDirectory(mapSourceDirectory, names);
    for (const std::string& name : names) {
        const platform::PathStatus status = platform::QueryPath(paths::Join(mapSourceDirectory, name));
        if (status.kind == platform::PathKind::QueryFailed) {
            listing.errors.push_back(failure(name, status.reason));
        } else if (status.kind == platform::PathKind::RegularFile) {
            const std::string mapName = MapNameOfFile(name);
            if (!mapName.empty()) listing.mapNames.push_back(mapName);
        }
    }
    if (!listed.ok) listing.errors.push_back(failure(mapSourceDirectory, listed.reason));
    return listing;
}
