#include "config/install_dir_check.h"

#include <filesystem>

#include "config/translatable.h"
#include "io/paths.h"
#include "io/platform.h"

namespace fs = std::filesystem;

std::string MapSourceDirectory(const std::string& installDir) {
    return paths::Join(installDir, "map_source");
}

PathQuery QueryPath(const std::string& path) {
    PathQuery result;
    std::error_code ec;
    const fs::file_status status = fs::status(platform::FsPath(path), ec);
    switch (status.type()) {
        case fs::file_type::not_found:
            result.kind = PathKind::Missing;
            break;
        case fs::file_type::regular:
            result.kind = PathKind::RegularFile;
            break;
        case fs::file_type::directory:
            result.kind = PathKind::Directory;
            break;
        case fs::file_type::none:
            result.kind = PathKind::QueryFailed;
            result.error = "Cannot read path '" + path + "': " + platform::ErrorText(ec) + ".";
            break;
        default:
            result.kind = PathKind::Other;
            break;
    }
    return result;
}

InstallDirCheck CheckInstallationDirectory(const std::string& installDir) {
    InstallDirCheck check;
    auto fail = [&check](InstallDirProblem problem, const std::string& message, bool fixed) {
        check.problem = problem;
        check.message = message;
        check.translatable = fixed;
        return check;
    };
    const PathQuery dir = QueryPath(installDir);
    if (dir.kind == PathKind::QueryFailed)
        return fail(InstallDirProblem::QueryFailed, dir.error, false);
    if (installDir.empty() || dir.kind != PathKind::Directory)
        return fail(InstallDirProblem::NotADirectory, N_("Path specified is not a directory."), true);
    const PathQuery mapSource = QueryPath(MapSourceDirectory(installDir));
    if (mapSource.kind == PathKind::QueryFailed)
        return fail(InstallDirProblem::QueryFailed, mapSource.error, false);
    if (mapSource.kind != PathKind::Directory)
        return fail(InstallDirProblem::NoMapSource,
                    N_("Path specified is not a Call of Duty installation directory. It must "
                       "contain a 'map_source' directory."),
                    true);
    return check;
}

bool SameInstallationDirectory(const std::string& a, const std::string& b) {
    return platform::SamePathText(a, b);
}
