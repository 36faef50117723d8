#pragma once
// The maps an installation offers: the regular files of its map_source
// directory whose name, from the first full stop on, is exactly ".map".

#include <string>
#include <vector>

struct MapSourceListing {
    std::vector<std::string> mapNames;  // names without ".map", in listing order
    // One message per entry (or for the directory itself) that could not be
    // read: "Cannot read path '<name>': <reason>."; the listing goes on past
    // a failed entry.
    std::vector<std::string> errors;
};

MapSourceListing ListMapSource(const std::string& mapSourceDirectory);

// The map name a file name offers ("mp_a.map" -> "mp_a"), or empty when the
// name has no full stop or its part from the first one is not ".map".
std::string MapNameOfFile(const std::string& fileName);
