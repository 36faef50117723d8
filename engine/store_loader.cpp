// Start-up of the configuration store, through the engine's LoadConfig,
// LoadModelClass, LoadMapClass and SaveConfig. Every file-system query goes
// through the platform layer, which answers failures as values: a failing
// query is reported in StoreContents::errors and start-up goes on with what
// it can load.

#include "engine/store_loader.h"

#include <cstdint>
#include <exception>

#include "config/data_files.h"
#include "config/install_dir_check.h"
#include "io/paths.h"
#include "io/platform.h"

namespace {

using platform::PathKind;

// Whether a query about `path` was answered; a failed one is reported.
bool Examined(const platform::Outcome& query, const std::string& path, StoreContents& contents) {
    if (!query.ok) contents.errors.push_back("Cannot examine '" + path + "': " + query.reason + ".");
    return query.ok;
}

// What path names; a query that fails is reported.
PathKind KindOf(const std::string& path, StoreContents& contents) {
    const platform::PathStatus status = platform::QueryPath(path);
    Examined({status.kind != PathKind::QueryFailed, status.reason}, path, contents);
    return status.kind;
}

// Creates the directory when it is missing (one level).
void CreateMissingDirectory(const std::string& path, StoreContents& contents) {
    if (KindOf(path, contents) == PathKind::QueryFailed) return;
    const platform::Outcome made = platform::MakeDirectory(path);
    if (!made.ok) contents.errors.push_back("Cannot create directory '" + path + "': " + made.reason + ".");
}

std::string ForgottenInstallation(const std::string& directory, const MapChoices& maps,
                                  InstallDirProblem problem) {
    std::string message = "The installation directory '" + directory + "' is no longer offered: " +
                          (problem == InstallDirProblem::NoMapSource ? "it has no 'map_source' directory any more."
                                                                     : "it is not a directory any more.");
    if (!maps.empty()) message += " The map classes chosen for its maps are forgotten with it.";
    return message + " Set it again once it is back.";
}

void LoadInstallations(FoliageEngine& engine, const std::string& dataDirectory, bool readOnly,
                       StoreContents& contents) {
    const std::string path = paths::Join(dataDirectory, "config.csv");
    const PathKind kind = KindOf(path, contents);
    if (kind == PathKind::QueryFailed || kind == PathKind::Missing) return;
    if (kind != PathKind::RegularFile) {
        contents.errors.push_back("Cannot read '" + path + "': it is not a regular file.");
        return;
    }
    std::uint64_t size = 0;
    if (!Examined(platform::FileSize(path, size), path, contents)) return;
    if (!engine.LoadConfig(path, size)) {
        // The file stays as it is: rewriting it now would empty it.
        contents.errors.push_back(engine.LastError());
        return;
    }
    for (auto it = engine.installations.begin(); it != engine.installations.end();) {
        const InstallDirCheck check = CheckInstallationDirectory(it->first);
        if (check.ok()) {
            contents.installDirs.push_back(it->first);
            ++it;
        } else if (check.problem == InstallDirProblem::QueryFailed) {
            // Could not tell: keep it in the file but do not offer it.
            contents.errors.push_back(check.message);
            ++it;
        } else {
            // Gone for good from config.csv: said once, so that nothing the
            // user set disappears without a word.
            if (!readOnly) contents.errors.push_back(ForgottenInstallation(it->first, it->second, check.problem));
            it = engine.installations.erase(it);
        }
    }
    if (!readOnly && !engine.SaveConfig(dataDirectory, "config")) contents.errors.push_back(engine.LastError());
}

// Loads every regular file named <class>.csv of a class directory, in the
// order the file system lists them, with the engine's LoadModelClass or
// LoadMapClass; returns the names of the loaded classes.
using ClassLoad = bool (FoliageEngine::*)(const std::string& path, std::uint64_t size,
                                          std::vector<std::string>* warnings);
void LoadClassDirectory(FoliageEngine& engine, ClassLoad load, const std::string& directory,
                        StoreContents& contents, std::vector<std::string>& loaded) {
    const PathKind kind = KindOf(directory, contents);
    if (kind == PathKind::QueryFailed || kind == PathKind::Missing) return;
    std::vector<std::string> names;
    const platform::Outcome listed = platform::ListDirectory(directory, names);
    for (const std::string& name : names) {
        const std::size_t dot = name.find('.');
        if (dot == std::string::npos || name.compare(dot, std::string::npos, ".csv") != 0) continue;
        const std::string path = paths::Join(directory, name);
        if (KindOf(path, contents) != PathKind::RegularFile) continue;
        std::uint64_t size = 0;
        if (!Examined(platform::FileSize(path, size), path, contents)) continue;
        std::vector<std::string> warnings;
        if ((engine.*load)(path, size, &warnings)) loaded.push_back(ClassNameFromPath(path));
        else contents.errors.push_back(engine.LastError());
        for (std::string& warning : warnings) contents.errors.push_back(std::move(warning));
    }
    if (!listed.ok) contents.errors.push_back("Cannot list '" + directory + "': " + listed.reason + ".");
}

}  // namespace

std::string MapClassDirectory(const std::string& dataDirectory) {
    return paths::WithTrailingSeparator(paths::Join(dataDirectory, "maps"));
}

std::string ModelClassDirectory(const std::string& dataDirectory) {
    return paths::WithTrailingSeparator(paths::Join(dataDirectory, "models"));
}

StoreContents LoadConfigurationStore(FoliageEngine& engine, const std::string& dataDirectory,
                                     bool readOnly) {
    StoreContents contents;
    try {
        const std::string modelDirectory = paths::Join(dataDirectory, "models");
        const std::string mapDirectory = paths::Join(dataDirectory, "maps");
        if (readOnly && KindOf(dataDirectory, contents) == PathKind::Missing) {
            contents.dataDirectoryMissing = true;
            return contents;
        }
        if (!readOnly) {
            for (const std::string& directory : {dataDirectory, mapDirectory, modelDirectory})
                CreateMissingDirectory(directory, contents);
        }
        LoadInstallations(engine, dataDirectory, readOnly, contents);
        // Model classes first: a map class keeps only model classes that exist.
        LoadClassDirectory(engine, &FoliageEngine::LoadModelClass, modelDirectory, contents,
                           contents.modelClassNames);
        LoadClassDirectory(engine, &FoliageEngine::LoadMapClass, mapDirectory, contents, contents.mapClassNames);
    } catch (const std::exception& e) {
        contents.errors.push_back("Cannot load the configuration in '" + dataDirectory + "': " +
                                  e.what() + ".");
    }
    return contents;
}
