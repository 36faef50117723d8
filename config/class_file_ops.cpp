#include "config/class_file_ops.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <boost/filesystem.hpp>

#include "config/class_names.h"
#include "config/paths.h"

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
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) {
        if (errno == EEXIST || errno == 0) return message;
        return message + "\n" + path + ": " + std::strerror(errno);
    }
    if (std::fclose(file) != 0) return message + "\n" + path + ": " + std::strerror(errno);
    return std::string();
}

std::string DeleteClassFile(const std::string& classDirectory, const std::string& name) {
    const std::string path = ClassFilePath(classDirectory, name);
    boost::system::error_code ec;
    boost::filesystem::remove(path, ec);
    if (ec) return "Could not delete '" + name + "'.\n" + path + ": " + ec.message();
    return std::string();
}
