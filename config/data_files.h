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
void ParseMapClass(Catalogue& catalogue, const std::string& className, const char* data,
                   std::size_t size);
// A model line whose name holds a double quote or a control character would
// break the misc_model entity it is written into; it is left out, and its
// line number (from 1) added to `droppedLines` when one is given.
void ParseModelClass(Catalogue& catalogue, const std::string& className, const char* data,
                     std::size_t size, std::vector<std::size_t>* droppedLines = nullptr);

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
bool LoadMapClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                      std::string& error);
// Each model line left out for its name (see ParseModelClass) adds a warning
// with the path and line number to `warnings`.
bool LoadModelClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                        std::string& error, std::vector<std::string>& warnings);
bool SaveConfigFile(const Catalogue& catalogue, const std::string& directory,
                    const std::string& baseName, std::string& error);
bool SaveMapClassFile(Catalogue& catalogue, const std::string& directory,
                      const std::string& className, std::string& error);
bool SaveModelClassFile(Catalogue& catalogue, const std::string& directory,
                        const std::string& className, std::string& error);
