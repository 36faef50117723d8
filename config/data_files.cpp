// The configuration files: config.csv, map class files and model class files.

#include "config/data_files.h"

#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "text/conversions.h"
#include "config/csv_lines.h"
#include "config/option_checks.h"
#include "io/atomic_file.h"
#include "io/paths.h"
#include "io/platform.h"
#include "io/whole_file.h"

namespace {

std::string ToString(std::string_view text) { return std::string(text.data(), text.size()); }

// Writes text to directory/baseName.csv through a temporary file, so a
// failure leaves the old file as it was.
bool WriteWholeFile(const std::string& directory, const std::string& baseName,
                    const std::string& text, std::string& error) {
    AtomicFileWriter writer(paths::Join(directory, baseName + ".csv"));
    if (!writer.Open()) {
        error = writer.Error();
        return false;
    }
    writer.Write(text);
    if (!writer.Commit()) {
        error = writer.Error();
        return false;
    }
    error.clear();
    return true;
}

// "1" and "0" (as integers) are the only texts that change a flag.
void ReadFlag(std::string_view field, bool& flag) {
    const std::int32_t value = StringToInt(field);
    if (value == 1) flag = true;
    else if (value == 0) flag = false;
}

// Takes the number only when it is at least 0 (NaN never is).
void ReadNonNegative(std::string_view field, float& value) {
    const float read = StringToFloat(field);
    if (read >= 0.0f) value = read;
}

void OrderPair(float& low, float& high) {
    if (low > high) std::swap(low, high);
}

// A rule field: a number sets the rule (when it is at least 0 if
// nonNegative); anything else, the empty field included, leaves it unset.
void ReadRule(std::string_view field, std::optional<float>& value, bool nonNegative) {
    if (!IsNumberText(ToString(field))) return;
    const float read = StringToFloat(field);
    if (read == read && (!nonNegative || read >= 0.0f)) value = read;
}

void OrderRulePair(std::optional<float>& low, std::optional<float>& high) {
    if (low && high && *low > *high) std::swap(low, high);
}

void AppendFloat(std::string& out, float value) {
    char buffer[kFloatTextMax];
    out.append(buffer, static_cast<std::size_t>(FormatFloat(value, buffer)));
}

void AppendFlag(std::string& out, bool flag) { out += flag ? '1' : '0'; }

// The writer puts a model name between double quotes without escaping.
bool IsWritableModelName(const std::string& name) {
    for (const char c : name)
        if (c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

// The line (from 1) that `at` lies on; CR LF, CR and LF each end a line.
std::size_t LineNumberAt(const char* data, const char* at) {
    std::size_t line = 1;
    for (const char* p = data; p < at; ++p)
        if (*p == '\n' || (*p == '\r' && (p + 1 == at || p[1] != '\n'))) ++line;
    return line;
}

}  // namespace

std::string ClassNameFromPath(const std::string& path) {
    const std::string name = paths::LastComponent(path);
    return name.substr(0, name.find('.'));
}

void ParseConfig(Catalogue& catalogue, const char* data, std::size_t size) {
    ForEachCsvLine(std::string_view(data, size), [&](const CsvFields& fields) {
        const std::string directory = ToString(fields[0]);
        if (fields.size() == 1) {
            // A directory without remembered maps is still a directory the
            // user set; keep it.
            if (!directory.empty()) catalogue.installations[directory];
            return;
        }
        MapChoices& maps = catalogue.installations[directory];
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const std::string_view pair = fields[i];
            const std::size_t bar = pair.find('|');
            if (bar == std::string_view::npos) maps[ToString(pair)] = ToString(pair);
            else maps[ToString(pair.substr(0, bar))] = ToString(pair.substr(bar + 1));
        }
    });
}

void ParseMapClass(Catalogue& catalogue, const std::string& className, const char* data,
                   std::size_t size) {
    std::vector<TextureOption>* list = nullptr;
    ForEachCsvLine(std::string_view(data, size), [&](const CsvFields& fields) {
        TextureOption option;
        option.textureName = ToString(fields[0]);
        if (fields.size() > 1 && StringToInt(fields[1]) == 0) option.useOpacity = false;
        if (fields.size() > 2) option.densityMultiplier = StringToFloat(fields[2]);
        for (std::size_t i = 3; i < fields.size(); ++i) {
            const std::string name = ToString(fields[i]);
            if (catalogue.modelClasses.find(name) != catalogue.modelClasses.end())
                option.modelClassNames.push_back(name);
        }
        if (option.textureName.empty() || option.densityMultiplier == 0.0f) return;
        if (list == nullptr) list = &catalogue.mapClasses[className];
        list->push_back(std::move(option));
    });
}

void ParseModelClass(Catalogue& catalogue, const std::string& className, const char* data,
                     std::size_t size, std::vector<std::size_t>* droppedLines) {
    std::vector<ModelOption>* list = nullptr;
    ForEachCsvLine(std::string_view(data, size), [&](const CsvFields& fields) {
        ModelOption option;
        const std::size_t n = fields.size();
        option.modelName = ToString(fields[0]);
        if (n > 1) ReadNonNegative(fields[1], option.densityMin);
        if (n > 2) {
            ReadNonNegative(fields[2], option.densityMax);
            OrderPair(option.densityMin, option.densityMax);
        }
        if (n > 3) ReadFlag(fields[3], option.evenlyDistributed);
        if (n > 4) ReadFlag(fields[4], option.surfaceAligned);
        if (n > 5) option.zOffset = StringToFloat(fields[5]);
        if (n > 6) ReadNonNegative(fields[6], option.opacityMin);
        if (n > 7) {
            ReadNonNegative(fields[7], option.opacityMax);
            OrderPair(option.opacityMin, option.opacityMax);
        }
        if (n > 8) ReadNonNegative(fields[8], option.scaleMin);
        if (n > 9) {
            ReadNonNegative(fields[9], option.scaleMax);
            OrderPair(option.scaleMin, option.scaleMax);
        }
        // Fields 11 to 15, the optional rules: slope window, height window,
        // spacing radius.
        if (n > 10) ReadRule(fields[10], option.slopeMin, true);
        if (n > 11) ReadRule(fields[11], option.slopeMax, true);
        if (n > 12) ReadRule(fields[12], option.heightMin, false);
        if (n > 13) ReadRule(fields[13], option.heightMax, false);
        if (n > 14) ReadRule(fields[14], option.spacingRadius, true);
        OrderRulePair(option.slopeMin, option.slopeMax);
        OrderRulePair(option.heightMin, option.heightMax);
        if (option.modelName.empty()) return;
        if (!IsWritableModelName(option.modelName)) {
            if (droppedLines) droppedLines->push_back(LineNumberAt(data, fields[0].data()));
            return;
        }
        if (list == nullptr) list = &catalogue.modelClasses[className];
        list->push_back(std::move(option));
    });
}

std::string CheckRememberedDirectory(const std::string& directory) {
    if (directory.find_first_of(",\r\n") == std::string::npos) return std::string();
    return "The directory '" + directory +
           "' cannot be remembered: config.csv cannot hold a path with a comma or a line break. "
           "Rename the directory, or reach it through a link whose path has none.";
}

std::string CheckRememberedMapName(const std::string& mapName) {
    if (mapName.find_first_of(",|\r\n") == std::string::npos) return std::string();
    return "The map class cannot be remembered for the map '" + mapName +
           "': config.csv cannot hold a map name with a comma or a vertical bar.";
}

std::string FormatConfig(const Catalogue& catalogue) {
    std::string out;
    for (const auto& [directory, maps] : catalogue.installations) {
        out += directory;
        for (const auto& [mapName, mapClassName] : maps) {
            out += ',';
            out += mapName;
            out += '|';
            out += mapClassName;
        }
        out += "\r\n";
    }
    return out;
}

std::string FormatMapClass(Catalogue& catalogue, const std::string& className) {
    std::string out;
    for (const TextureOption& option : catalogue.mapClasses[className]) {
        out += option.textureName;
        out += ',';
        AppendFlag(out, option.useOpacity);
        out += ',';
        AppendFloat(out, option.densityMultiplier);
        for (const std::string& name : option.modelClassNames) {
            out += ',';
            out += name;
        }
        out += "\r\n";
    }
    return out;
}

std::string FormatModelClass(Catalogue& catalogue, const std::string& className) {
    std::string out;
    for (const ModelOption& option : catalogue.modelClasses[className]) {
        out += option.modelName;
        out += ',';
        AppendFloat(out, option.densityMin);
        out += ',';
        AppendFloat(out, option.densityMax);
        out += ',';
        AppendFlag(out, option.evenlyDistributed);
        out += ',';
        AppendFlag(out, option.surfaceAligned);
        for (float value : {option.zOffset, option.opacityMin, option.opacityMax, option.scaleMin,
                            option.scaleMax}) {
            out += ',';
            AppendFloat(out, value);
        }
        // The rules only when one is set, so files without them stay as
        // they were.
        if (option.HasRules()) {
            for (const std::optional<float>& rule : {option.slopeMin, option.slopeMax, option.heightMin,
                                                     option.heightMax, option.spacingRadius}) {
                out += ',';
                if (rule) AppendFloat(out, *rule);
            }
        }
        out += "\r\n";
    }
    return out;
}

// The files: access around the parsers and formatters.
// Nothing is added to a table unless the whole file was read.

namespace {

template <typename Parse>
bool LoadFile(const std::string& path, std::uint64_t size, std::string& error, Parse parse) {
    try {
        std::unique_ptr<char[]> buffer;
        if (!ReadWholeFile(path, size, kMaxConfigFileSize, "the file is too large", buffer, error)) return false;
        parse(buffer.get(), static_cast<std::size_t>(size));
        return true;
    } catch (const std::exception& e) {
        error = "Cannot load '" + path + "': " + e.what() + ".";
        return false;
    }
}

template <typename Format>
bool SaveFile(const std::string& directory, const std::string& baseName, std::string& error,
              Format format) {
    try {
        return WriteWholeFile(directory, baseName, format(), error);
    } catch (const std::exception& e) {
        error = "Cannot save '" + paths::Join(directory, baseName + ".csv") + "': " + e.what() + ".";
        return false;
    }
}

}  // namespace

bool LoadConfigFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                    std::string& error) {
    return LoadFile(path, size, error,
                    [&](const char* data, std::size_t n) { ParseConfig(catalogue, data, n); });
}

bool LoadMapClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                      std::string& error) {
    const std::string className = ClassNameFromPath(path);
    return LoadFile(path, size, error, [&](const char* data, std::size_t n) {
        ParseMapClass(catalogue, className, data, n);
    });
}

bool LoadModelClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                        std::string& error, std::vector<std::string>& warnings) {
    const std::string className = ClassNameFromPath(path);
    std::vector<std::size_t> dropped;
    const bool loaded = LoadFile(path, size, error, [&](const char* data, std::size_t n) {
        ParseModelClass(catalogue, className, data, n, &dropped);
    });
    for (const std::size_t line : dropped)
        warnings.push_back("'" + path + "' line " + std::to_string(line) +
                           ": the model name holds a double quote or a control character, "
                           "so the line is left out.");
    return loaded;
}

bool SaveConfigFile(const Catalogue& catalogue, const std::string& directory,
                    const std::string& baseName, std::string& error) {
    return SaveFile(directory, baseName, error, [&] { return FormatConfig(catalogue); });
}

bool SaveMapClassFile(Catalogue& catalogue, const std::string& directory,
                      const std::string& className, std::string& error) {
    return SaveFile(directory, className, error,
                    [&] { return FormatMapClass(catalogue, className); });
}

bool SaveModelClassFile(Catalogue& catalogue, const std::string& directory,
                        const std::string& className, std::string& error) {
    return SaveFile(directory, className, error,
                    [&] { return FormatModelClass(catalogue, className); });
}
