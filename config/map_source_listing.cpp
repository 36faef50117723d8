#include "config/map_source_listing.h"

#include <boost/filesystem.hpp>

namespace fs = boost::filesystem;

std::string MapNameOfFile(const std::string& fileName) {
    const std::size_t dot = fileName.find('.');
    if (dot == std::string::npos || fileName.compare(dot, std::string::npos, ".map") != 0)
        return std::string();
    return fileName.substr(0, dot);
}

MapSourceListing ListMapSource(const std::string& mapSourceDirectory) {
    MapSourceListing listing;
    auto failure = [](const std::string& what, const boost::system::error_code& ec) {
        return "Cannot read path '" + what + "': " + ec.message() + ".";
    };
    boost::system::error_code ec;
    fs::directory_iterator it(mapSourceDirectory, ec);
    if (ec) {
        listing.errors.push_back(failure(mapSourceDirectory, ec));
        return listing;
    }
    const fs::directory_iterator end;
    while (it != end) {
        const std::string name = it->path().filename().string();
        boost::system::error_code entryError;
        const fs::file_status status = it->status(entryError);
        if (status.type() == fs::status_error) {
            listing.errors.push_back(failure(name, entryError));
        } else if (status.type() == fs::regular_file) {
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
