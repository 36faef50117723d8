#include "tools/map_models.h"

#include <cstdio>

#include "engine/map_scan.h"
#include "text/conversions.h"

namespace {

// The value of the line `"key" "value"` in the block, or empty.
std::string_view Value(std::string_view block, std::string_view key) {
    const std::string quoted = "\"" + std::string(key) + "\" \"";
    for (std::size_t at = block.find(quoted); at != std::string_view::npos; at = block.find(quoted, at + 1)) {
        if (at > 0 && block[at - 1] != '\n' && block[at - 1] != ' ' && block[at - 1] != '\t') continue;
        const std::size_t from = at + quoted.size(), to = block.find('"', from);
        if (to != std::string_view::npos) return block.substr(from, to - from);
    }
    return {};
}

}  // namespace

std::vector<MapModel> ReadMapModels(std::string_view map) {
    struct : map_scan::Hooks {
        std::vector<MapModel> models;
        void Entity(const char* open, const char* close, bool holdsBlocks) {
            if (holdsBlocks) return;
            const std::string_view block(open, static_cast<std::size_t>(close - open));
            if (Value(block, "classname") != "misc_model") return;
            MapModel model;
            model.name = std::string(Value(block, "model"));
            std::string_view origin = Value(block, "origin");
            double* values[] = {&model.x, &model.y, &model.z};
            for (double* value : values) {
                *value = StringToFloat(origin);
                const std::size_t space = origin.find(' ');
                origin = space == std::string_view::npos ? std::string_view() : origin.substr(space + 1);
            }
            models.push_back(std::move(model));
        }
    } hooks;
    map_scan::Scan(map.data(), map.data() + map.size(), hooks);
    return std::move(hooks.models);
}

bool ReadFileText(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    char buffer[1 << 16];
    text.clear();
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}
