#include "config/install_dir_check.h"

#include "config/translatable.h"
#include "io/paths.h"
#include "io/platform.h"

std::string MapSourceDirectory(const std::string& installDir) {
    return paths::Join(installDir, "map_source");
}

std::string PathQueryFailure(const std::string& path, const platform::PathStatus& status) {
    return "Cannot read path '" + path + "': " + status.reason + ".";
}

InstallDirCheck CheckInstallationDirectory(const std::string& installDir) {
    InstallDirCheck check;
    auto fail = [&check](InstallDirProblem problem, const std::string& message, bool fixed) {
        check.problem = problem;
        check.message = message;
        check.translatable = fixed;
        return check;
    };
    using platform::PathKind;
    const platform::PathStatus dir = platform::QueryPath(installDir);
    if (dir.kind == PathKind::QueryFailed)
        return fail(InstallDirProblem::QueryFailed, PathQueryFailure(installDir, dir), false);
    if (installDir.empty() || dir.kind != PathKind::Directory)
        return fail(InstallDirProblem::NotADirectory, N_("Path specified is not a directory."), true);
    const std::string mapSourceDirectory = MapSourceDirectory(installDir);
    const platform::PathStatus mapSource = platform::QueryPath(mapSourceDirectory);
    if (mapSource.kind == PathKind::QueryFailed)
        return fail(InstallDirProblem::QueryFailed, PathQueryFailure(mapSourceDirectory, mapSource), false);
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
