#pragma once
// The three file formats of the data directory, parsed from and formatted to
// memory. FoliageEngine's Load*/Save* operations wrap these with file access;
// tests and fuzzers drive them directly.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FoliageEngine;

// Files larger than this are refused by the loaders.
constexpr std::uint64_t kMaxConfigFileSize = 0xFFFFFFFFull;

// The class a class file belongs to: its name after the last "/" or "\" up
// to the first ".": "data/maps/grass.csv" -> "grass".
std::string ClassNameFromPath(const std::string& path);

// Add the lines of one file to the engine's tables, as the loaders do.
void ParseConfig(FoliageEngine& engine, const char* data, std::size_t size);
void ParseMapClass(FoliageEngine& engine, const std::string& className, const char* data,
                   std::size_t size);
// A model line whose name holds a double quote or a control character would
// break the misc_model entity it is written into; it is left out, and its
// line number (from 1) added to `droppedLines` when one is given.
void ParseModelClass(FoliageEngine& engine, const std::string& className, const char* data,
                     std::size_t size, std::vector<std::size_t>* droppedLines = nullptr);

// config.csv has no quoting, so a directory with a comma or a line end, or a
// map name with a comma, a vertical bar or a line end, would not read back.
// Empty when the text can be remembered; otherwise the message saying why.
std::string CheckRememberedDirectory(const std::string& directory);
std::string CheckRememberedMapName(const std::string& mapName);

// The complete file text the savers write (find-or-insert on the class).
std::string FormatConfig(const FoliageEngine& engine);
std::string FormatMapClass(FoliageEngine& engine, const std::string& className);
std::string FormatModelClass(FoliageEngine& engine, const std::string& className);
