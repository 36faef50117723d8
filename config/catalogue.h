#pragma once
// The catalogue: the three tables of what the user configured. std::map
// orders std::string keys byte-wise, so "Grass" and "grass" are two keys and
// upper case sorts first.
// operator[] is the find-or-insert access; find() looks without inserting.

#include <map>
#include <string>
#include <vector>

#include "config/file_stamps.h"
#include "config/foliage_records.h"

using MapChoices = std::map<std::string, std::string>;              // map name -> map class name
using InstallationTable = std::map<std::string, MapChoices>;        // installation directory -> maps
using MapClassTable = std::map<std::string, std::vector<TextureOption>>;
using ModelClassTable = std::map<std::string, std::vector<ModelOption>>;

// What the configuration files are read into and written from; the engine
// holds one.
struct Catalogue {
    InstallationTable installations;
    MapClassTable mapClasses;
    ModelClassTable modelClasses;
    // The files as last read or written (kept up to date by the loaders and
    // savers, which may be handed a const catalogue).
    mutable FileStamps stamps;
};
