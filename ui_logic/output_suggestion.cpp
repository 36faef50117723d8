#include "ui_logic/output_suggestion.h"

#include "io/paths.h"

std::string SuggestedOutputName(const std::string& mapName) { return mapName + "_foliage"; }

std::string SuggestedOutputPath(const std::string& inputPath) {
    const std::size_t nameStart = paths::DirectoryPart(inputPath).size();
    std::size_t at = inputPath.size() >= 4 ? inputPath.size() - 4 : 0;
    if (at < nameStart) at = nameStart;
    std::string result = inputPath;
    result.insert(at, "_foliage");
    return result;
}

std::string WithMapExtension(const std::string& path) {
    static const char kExtension[] = ".map";
    if (path.size() >= 4) {
        bool same = true;
        for (std::size_t i = 0; i < 4; ++i) {
            const char c = path[path.size() - 4 + i];
            same = same && (c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) == kExtension[i];
        }
        if (same) return path;
    }
    return path + kExtension;
}
