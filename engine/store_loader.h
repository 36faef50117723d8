#pragma once
// Start-up of the configuration store: makes the data directories, loads
// config.csv, drops installation directories that are gone, loads every
// model class and then every map class. Returns what the window lists.

#include <string>
#include <vector>

#include "engine/foliage_engine.h"

struct StoreContents {
    std::vector<std::string> installDirs;      // kept installation directories
    std::vector<std::string> modelClassNames;  // loaded model classes, listing order
    std::vector<std::string> mapClassNames;    // loaded map classes, listing order
    std::vector<std::string> errors;           // failures worth showing (path and reason)
    bool dataDirectoryMissing = false;         // read-only, and the directory is not there
};

// dataDirectory is the `data` directory (with or without trailing separator).
// With readOnly set nothing is created or written (the batch tool).
StoreContents LoadConfigurationStore(FoliageEngine& engine, const std::string& dataDirectory,
                                     bool readOnly = false);

// The three paths of the store.
std::string MapClassDirectory(const std::string& dataDirectory);    // data/maps/
std::string ModelClassDirectory(const std::string& dataDirectory);  // data/models/
