#pragma once
// What makes a directory usable as a game installation: it exists, is a
// directory, and holds a map_source directory. (Docs/model_pics is not
// asked for: the mod tools of other games have map_source without it.)
// Also how two installation paths are compared.

#include <string>

#include "io/platform.h"

// installDir + separator + "map_source".
std::string MapSourceDirectory(const std::string& installDir);

enum class InstallDirProblem {
    None,
    NotADirectory,  // missing, or not a directory
    NoMapSource,    // no map_source directory inside
    QueryFailed,    // the file system could not answer (message names path and reason)
};

struct InstallDirCheck {
    InstallDirProblem problem = InstallDirProblem::None;
    std::string message;  // empty when usable
    // Fixed messages go through the translation lookup; a failed query's
    // message is built from the path and the system's reason and does not.
    bool translatable = false;
    bool ok() const { return problem == InstallDirProblem::None; }
};

// The Maps tab accepts a directory with map_source, and start-up keeps a
// remembered one by the same test.
InstallDirCheck CheckInstallationDirectory(const std::string& installDir);

// Installation directories are told apart by case where the file system
// does (everywhere but Windows).
bool SameInstallationDirectory(const std::string& a, const std::string& b);

// "Cannot read path '<path>': <reason>." for a query that failed.
std::string PathQueryFailure(const std::string& path, const platform::PathStatus& status);
