#include "ui_logic/class_file_ops.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "ui_logic/class_names.h"
#include "io/paths.h"
#include "io/platform.h"

std::string ClassFilePath(const std::string& classDirectory, const std::string& name) {
    return paths::Join(classDirectory, name + ".csv");
}

std::string CreateClassFile(const std::string& classDirectory, const std::string& name,
                            const std::vector<std::string>& listedNames) {
    const std::string problem = CheckClassName(name, listedNames);
    if (!problem.empty()) return problem;
    const std::string path = ClassFilePath(classDirectory, name);
    const std::string message = "Could not make file '" + name + "'.";
    errno = 0;
    // "x": never truncate a file that is already there.
    std::FILE* file = platform::CreateNewFile(path);
    if (!file) {
        if (errno == EEXIST || errno == 0) return message;
        return message + "\n" + path + ": " + platform::LastErrorText();
    }
    if (std::fclose(file) != 0) return message + "\n" + path + ": " + platform::LastErrorText();
    return std::string();
}

std::string DeleteClassFile(const std::string& classDirectory, const std::string& name, FileStamps& stamps) {
    const std::string path = ClassFilePath(classDirectory, name);
    // Only a file can hold another window's change; anything else fails below.
    if (platform::QueryPath(path).kind == platform::PathKind::RegularFile) {
        const std::string changed = stamps.CheckUnchanged(path, StampedChange::Remove);
        if (!changed.empty()) return changed;
    }
    std::error_code ec;
    std::filesystem::remove(platform::FsPath(path), ec);
    if (ec) return "Could not delete '" + name + "'.\n" + path + ": " + platform::ErrorText(ec);
    stamps.Forget(path);
    return std::string();
}
