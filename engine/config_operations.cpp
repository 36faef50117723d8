// The engine's load and save operations: the data directory's files, read
// into and written from the engine's own catalogue by config/.

#include "config/data_files.h"
#include "engine/foliage_engine.h"

bool FoliageEngine::LoadConfig(const std::string& path, std::uint64_t size) {
    return LoadConfigFile(*this, path, size, lastError);
}

bool FoliageEngine::LoadMapClass(const std::string& path, std::uint64_t size, std::vector<std::string>* warnings) {
    std::vector<std::string> unwanted;
    return LoadMapClassFile(*this, path, size, lastError, warnings ? *warnings : unwanted);
}

bool FoliageEngine::LoadModelClass(const std::string& path, std::uint64_t size,
                                   std::vector<std::string>* warnings) {
    std::vector<std::string> unwanted;
    return LoadModelClassFile(*this, path, size, lastError, warnings ? *warnings : unwanted);
}

bool FoliageEngine::SaveConfig(const std::string& directory, const std::string& baseName) {
    return SaveConfigFile(*this, directory, baseName, lastError);
}

bool FoliageEngine::SaveMapClass(const std::string& directory, const std::string& className) {
    return SaveMapClassFile(*this, directory, className, lastError);
}

bool FoliageEngine::SaveModelClass(const std::string& directory, const std::string& className) {
    return SaveModelClassFile(*this, directory, className, lastError);
}
