#pragma once
// The misc_model entities of a map file, for the measuring tools: each one's
// model name and origin.

#include <string>
#include <string_view>
#include <vector>

struct MapModel {
    std::string name;
    double x = 0, y = 0, z = 0;
};

// The entities the map scan finds as top-level blocks without brushes whose
// classname is misc_model (as the static-model budget counts them).
std::vector<MapModel> ReadMapModels(std::string_view map);

// The whole file; false when it cannot be read.
bool ReadFileText(const std::string& path, std::string& text);
