#pragma once
// The three file formats of the data directory, parsed from and formatted to
// memory. FoliageEngine's Load*/Save* operations wrap these with file access;
// tests and fuzzers drive them directly.

#include <cstddef>
#include <cstdint>
#include <string>

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
void ParseModelClass(FoliageEngine& engine, const std::string& className, const char* data,
                     std::size_t size);

// The complete file text the savers write (find-or-insert on the class).
std::string FormatConfig(const FoliageEngine& engine);
std::string FormatMapClass(FoliageEngine& engine, const std::string& className);
std::string FormatModelClass(FoliageEngine& engine, const std::string& className);
