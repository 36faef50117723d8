// Start-up of the configuration store. Every file-system query uses the
// error_code overloads: a failing query is reported in StoreContents::errors
// and start-up goes on with what it can load.

#include "config/store_loader.h"

#include <cstdint>
#include <exception>
#include <filesystem>

#include "config/data_files.h"
#include "config/install_dir_check.h"
#include "io/paths.h"
#include "io/platform.h"

namespace fs = std::filesystem;
using std::error_code;

namespace {

std::string Reason(const error_code& ec) { return platform::ErrorText(ec); }

using platform::PathKind;

// What path names; a query that fails is reported.
PathKind KindOf(const std::string& path, StoreContents& contents) {
    const platform::PathStatus status = platform::QueryPath(path);
    if (status.kind == PathKind::QueryFailed)
        contents.errors.push_back("Cannot examine '" + path + "': " + status.reason + ".");
    return status.kind;
}

// Creates the directory when it is missing (one level).
void EnsureDirectory(const std::string& path, StoreContents& contents) {
    const PathKind kind = KindOf(path, contents);
    if (kind == PathKind::QueryFailed || kind == PathKind::Directory) return;
    error_code ec;
    fs::create_directory(platform::FsPath(path), ec);
    if (ec) contents.errors.push_back("Cannot create directory '" + path + "': " + Reason(ec) + ".");
}

std::string ForgottenInstallation(const std::string& directory, const MapChoices& maps,
                                  InstallDirProblem problem) {
    std::string message = "The installation directory '" + directory + "' is no longer offered: " +
                          (problem == InstallDirProblem::NoMapSource ? "it has no 'map_source' directory any more."
                                                                     : "it is not a directory any more.");
    if (!maps.empty()) message += " The map classes chosen for its maps are forgotten with it.";
    return message + " Set it again once it is back.";
}

void LoadInstallations(Catalogue& catalogue, const std::string& dataDirectory, bool readOnly,
                       StoreContents& contents) {
    const std::string path = paths::Join(dataDirectory, "config.csv");
    const PathKind kind = KindOf(path, contents);
    if (kind == PathKind::QueryFailed || kind == PathKind::Missing) return;
    if (kind != PathKind::RegularFile) {
        contents.errors.push_back("Cannot read '" + path + "': it is not a regular file.");
        return;
    }
    error_code ec;
    const std::uintmax_t size = fs::file_size(platform::FsPath(path), ec);
    if (ec) {
        contents.errors.push_back("Cannot examine '" + path + "': " + Reason(ec) + ".");
        return;
    }
    std::string error;
    if (!LoadConfigFile(catalogue, path, size, error)) {
        // The file stays as it is: rewriting it now would empty it.
        contents.errors.push_back(error);
        return;
    }
    for (auto it = catalogue.installations.begin(); it != catalogue.installations.end();) {
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
            it = catalogue.installations.erase(it);
        }
    }
    if (!readOnly && !SaveConfigFile(catalogue, dataDirectory, "config", error))
        contents.errors.push_back(error);
}

// Loads every regular file named <class>.csv of a class directory, in the
// order the file system lists them; returns the names of the loaded classes.
// load(path, size, error, warnings) reads one class file.
template <typename ClassLoader>
void LoadClassDirectory(ClassLoader load, const std::string& directory, StoreContents& contents,
                        std::vector<std::string>& names) {
    const PathKind kind = KindOf(directory, contents);
    if (kind == PathKind::QueryFailed || kind == PathKind::Missing) return;
    error_code ec;
    fs::directory_iterator it(platform::FsPath(directory), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = platform::PathText(it->path().filename());
        const std::size_t dot = name.find('.');
        if (dot == std::string::npos || name.compare(dot, std::string::npos, ".csv") != 0) continue;
        const std::string path = paths::Join(directory, name);
        if (KindOf(path, contents) != PathKind::RegularFile) continue;
        error_code sizeError;
        const std::uintmax_t size = fs::file_size(platform::FsPath(path), sizeError);
        if (sizeError) {
            contents.errors.push_back("Cannot examine '" + path + "': " + Reason(sizeError) + ".");
            continue;
        }
        std::string error;
        std::vector<std::string> warnings;
        if (load(path, size, error, warnings)) names.push_back(ClassNameFromPath(path));
        else contents.errors.push_back(error);
        for (std::string& warning : warnings) contents.errors.push_back(std::move(warning));
    }
    if (ec) contents.errors.push_back("Cannot list '" + directory + "': " + Reason(ec) + ".");
}

}  // namespace

std::string MapClassDirectory(const std::string& dataDirectory) {
    return paths::WithTrailingSeparator(paths::Join(dataDirectory, "maps"));
}

std::string ModelClassDirectory(const std::string& dataDirectory) {
    return paths::WithTrailingSeparator(paths::Join(dataDirectory, "models"));
}

StoreContents LoadConfigurationStore(Catalogue& catalogue, const std::string& dataDirectory,
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
            EnsureDirectory(dataDirectory, contents);
            EnsureDirectory(mapDirectory, contents);
            EnsureDirectory(modelDirectory, contents);
        }
        LoadInstallations(catalogue, dataDirectory, readOnly, contents);
        // Model classes first: a map class keeps only model classes that exist.
        LoadClassDirectory(
            [&](const std::string& path, std::uint64_t size, std::string& error,
                std::vector<std::string>& warnings) {
                return LoadModelClassFile(catalogue, path, size, error, warnings);
            },
            modelDirectory, contents, contents.modelClassNames);
        LoadClassDirectory(
            [&](const std::string& path, std::uint64_t size, std::string& error,
                std::vector<std::string>&) { return LoadMapClassFile(catalogue, path, size, error); },
            mapDirectory, contents, contents.mapClassNames);
    } catch (const std::exception& e) {
        contents.errors.push_back("Cannot load the configuration in '" + dataDirectory + "': " +
                                  e.what() + ".");
    }
    return contents;
}
