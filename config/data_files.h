#pragma once
// The three file formats of the data directory: parsed from and formatted to
// memory (tests and fuzzers drive these directly), and read and written as
// files (start-up and the engine's Load*/Save* operations).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/catalogue.h"

// Files larger than this are refused by the loaders.
constexpr std::uint64_t kMaxConfigFileSize = 0xFFFFFFFFull;

// The class a class file belongs to: its name after the last "/" or "\" up
// to the first ".": "data/maps/grass.csv" -> "grass".
std::string ClassNameFromPath(const std::string& path);

// Add the lines of one file to the catalogue, as the loaders do.
void ParseConfig(Catalogue& catalogue, const char* data, std::size_t size);
// The class parsers read each line by the field table of its record
// (config/option_fields.h). They leave out a line without a name, a map
// class line whose multiplier reads as 0, and a model line whose name holds
// a double quote or a control character (it would break the misc_model
// entity it is written into); a model class name that names no model class
// is left out of its line. Every line the option editor would refuse is
// loaded as it reads. Each of these is reported in `reports`, when given.
struct LineReport {
    std::size_t line;  // from 1
    std::string message;
};
void ParseMapClass(Catalogue& catalogue, const std::string& className, const char* data,
                   std::size_t size, std::vector<LineReport>* reports = nullptr);
void ParseModelClass(Catalogue& catalogue, const std::string& className, const char* data,
                     std::size_t size, std::vector<LineReport>* reports = nullptr);

// config.csv has no quoting, so a directory with a comma or a line end, or a
// map name with a comma, a vertical bar or a line end, would not read back.
// Empty when the text can be remembered; otherwise the message saying why.
std::string CheckRememberedDirectory(const std::string& directory);
std::string CheckRememberedMapName(const std::string& mapName);

// The complete file text the savers write (find-or-insert on the class).
std::string FormatConfig(const Catalogue& catalogue);
std::string FormatMapClass(Catalogue& catalogue, const std::string& className);
std::string FormatModelClass(Catalogue& catalogue, const std::string& className);

// The files: each loader reads `size` bytes (the size the caller got from the
// file system) of the file at path and adds its lines to the catalogue; the
// class loaders take the class name from the path. Nothing is added unless
// the whole file was read. Each saver replaces directory/baseName.csv
// atomically. All return true on success; on failure `error` says what
// failed, with the path and the system's reason.
bool LoadConfigFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                    std::string& error);
// The class loaders refuse a file that is no text file, make the class's
// entry even when the file has no lines, and add a warning with the path and
// line number to `warnings` for each line the parser reports.
bool LoadMapClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                      std::string& error, std::vector<std::string>& warnings);
bool LoadModelClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                        std::string& error, std::vector<std::string>& warnings);
bool SaveConfigFile(const Catalogue& catalogue, const std::string& directory,
                    const std::string& baseName, std::string& error);
bool SaveMapClassFile(Catalogue& catalogue, const std::string& directory,
                      const std::string& className, std::string& error);
bool SaveModelClassFile(Catalogue& catalogue, const std::string& directory,
                        const std::string& className, std::string& error);
