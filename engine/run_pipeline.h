#pragma once
// One run from the texts of the Maps tab (or the batch tool's arguments) to
// the written output map. The window and arbrel-cli both call this.

#include <string>

#include "engine/foliage_engine.h"

struct RunRequest {
    std::string inputText;   // a map name of the installation, or a path
    std::string outputText;  // a map name (goes into map_source, ".map" appended) or a full path
    std::string installDir;  // empty when no installation directory is chosen
    bool mapClassChosen = false;
    std::string mapClassName;
};

struct RunResult {
    bool ok = false;
    std::string message;     // the failure message (untranslated); empty on success
    std::string detail;      // the system's account of a read or write failure, if any
    std::string inputPath;   // the resolved paths, once known
    std::string outputPath;
};

RunResult RunFoliage(FoliageEngine& engine, ProgressReceiver& progress, const RunRequest& request);
