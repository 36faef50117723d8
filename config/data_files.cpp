// The configuration files: config.csv, map class files and model class files.

#include "config/data_files.h"

#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "text/conversions.h"
#include "config/csv_lines.h"
#include "config/option_checks.h"
#include "config/option_fields.h"
#include "io/atomic_file.h"
#include "io/paths.h"
#include "io/platform.h"
#include "io/whole_file.h"

namespace {

std::string ToString(std::string_view text) { return std::string(text.data(), text.size()); }

// Writes text to directory/baseName.csv through a temporary file, so a
// failure leaves the old file as it was.
bool WriteWholeFile(const std::string& directory, const std::string& baseName,
                    const std::string& text, FileStamps& stamps, std::string& error) {
    const std::string path = paths::Join(directory, baseName + ".csv");
    // Another window's (or program's) change is never overwritten unseen.
    error = stamps.CheckUnchanged(path);
    if (!error.empty()) return false;
    AtomicFileWriter writer(path);
    if (!writer.Open()) {
        error = writer.Error();
        return false;
    }
    writer.Write(text);
    if (!writer.Commit()) {
        error = writer.Error();
        return false;
    }
    stamps.Remember(path, text.data(), text.size());
    error.clear();
    return true;
}

// The writer puts a model name between double quotes without escaping.
bool IsWritableModelName(const std::string& name) {
    for (const char c : name)
        if (c == '"' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

// Collects the reports of one file. Lines are counted up to each reported
// line from where the last report stopped, so the file is walked once.
// CR LF, CR and LF each end a line.
class LineReporter {
public:
    LineReporter(const char* data, std::vector<LineReport>* reports) : at_(data), reports_(reports) {}
    void Add(const CsvFields& fields, std::string message) {
        if (reports_ != nullptr) reports_->push_back({LineOf(fields[0].data()), std::move(message)});
    }

private:
    std::size_t LineOf(const char* lineStart) {
        for (; at_ < lineStart; ++at_)
            if (*at_ == '\n' || (*at_ == '\r' && (at_ + 1 == lineStart || at_[1] != '\n'))) ++line_;
        return line_;
    }

    const char* at_;
    std::size_t line_ = 1;
    std::vector<LineReport>* reports_;
};

// A field's text in a report: a long text is cut (between UTF-8 characters).
std::string Quoted(std::string_view text) {
    std::size_t shown = 40;
    if (text.size() <= shown) return "'" + ToString(text) + "'";
    while (shown > 0 && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80) --shown;
    return "'" + ToString(text.substr(0, shown)) + "...'";
}

const char kLeftOut[] = ", so the line is left out; it goes from the file when the class is next saved.";
const char kLoadedAnyway[] = " The option is loaded as it reads; edit it to correct this.";

// The editor's checks on a loaded line: the texts of its fields, with the
// defaults for the fields it lacks. Empty when they pass.
template <typename Record>
std::string CheckLoadedLine(const CsvFields& fields) {
    const FieldTable<Record>& rows = Fields<Record>();
    const Record defaults;
    FieldTexts texts;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Kind() == FieldKind::Names) texts.emplace_back();
        else if (i < fields.size()) texts.push_back(ToString(fields[i]));
        else texts.push_back(FieldText(rows[i], defaults));
    }
    return CheckOption<Record>(texts);
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
                   std::size_t size, std::vector<LineReport>* reports) {
    std::vector<TextureOption>* list = nullptr;
    LineReporter report(data, reports);
    ForEachCsvLine(std::string_view(data, size), [&](const CsvFields& fields) {
        TextureOption option = RecordFromTexts<TextureOption>(fields);
        const FieldTable<TextureOption>& rows = Fields<TextureOption>();
        if (option.textureName.empty()) {
            report.Add(fields, std::string(rows[0].Name()) + " is not set" + kLeftOut);
            return;
        }
        if (option.densityMultiplier == 0.0f) {
            const std::size_t at = FieldIndex(&TextureOption::densityMultiplier);
            report.Add(fields, std::string(rows[at].Name()) + " " + Quoted(fields[at]) + " reads as 0" + kLeftOut);
            return;
        }
        // Only model classes that exist are kept (model classes load first).
        std::vector<std::string> named;
        named.swap(option.modelClassNames);
        for (std::string& name : named) {
            if (catalogue.modelClasses.find(name) != catalogue.modelClasses.end())
                option.modelClassNames.push_back(std::move(name));
            else
                report.Add(fields, "there is no model class " + Quoted(name) +
                                   ", so it is left out of the line; it goes from the file when the "
                                   "class is next saved.");
        }
        const std::string problem = CheckLoadedLine<TextureOption>(fields);
        if (!problem.empty()) report.Add(fields, problem + kLoadedAnyway);
        if (list == nullptr) list = &catalogue.mapClasses[className];
        list->push_back(std::move(option));
    });
}

void ParseModelClass(Catalogue& catalogue, const std::string& className, const char* data,
                     std::size_t size, std::vector<LineReport>* reports) {
    std::vector<ModelOption>* list = nullptr;
    LineReporter report(data, reports);
    ForEachCsvLine(std::string_view(data, size), [&](const CsvFields& fields) {
        ModelOption option = RecordFromTexts<ModelOption>(fields);
        const FieldTable<ModelOption>& rows = Fields<ModelOption>();
        if (option.modelName.empty()) {
            report.Add(fields, std::string(rows[0].Name()) + " is not set" + kLeftOut);
            return;
        }
        if (!IsWritableModelName(option.modelName)) {
            report.Add(fields, std::string("the model name holds a double quote or a control character") + kLeftOut);
            return;
        }
        if (fields.size() > rows.size())
            report.Add(fields, "the fields after field " + std::to_string(rows.size()) +
                               " are not read, so they are left out; they go from the file when the "
                               "class is next saved.");
        const std::string problem = CheckLoadedLine<ModelOption>(fields);
        if (!problem.empty()) report.Add(fields, problem + kLoadedAnyway);
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
    for (const TextureOption& option : catalogue.mapClasses[className])
        out += RecordLine(option) + "\r\n";
    return out;
}

std::string FormatModelClass(Catalogue& catalogue, const std::string& className) {
    std::string out;
    for (const ModelOption& option : catalogue.modelClasses[className])
        out += RecordLine(option) + "\r\n";
    return out;
}

// The files: access around the parsers and formatters.
// Nothing is added to a table unless the whole file was read.

namespace {

template <typename Parse>
bool LoadFile(const std::string& path, std::uint64_t size, FileStamps& stamps, std::string& error,
              Parse parse) {
    try {
        std::unique_ptr<char[]> buffer;
        if (!ReadWholeFile(path, size, kMaxConfigFileSize, "the file is too large", buffer, error)) return false;
        stamps.Remember(path, buffer.get(), static_cast<std::size_t>(size));
        parse(buffer.get(), static_cast<std::size_t>(size));
        return true;
    } catch (const std::exception& e) {
        error = "Cannot load '" + path + "': " + e.what() + ".";
        return false;
    }
}

template <typename Format>
bool SaveFile(const std::string& directory, const std::string& baseName, FileStamps& stamps,
              std::string& error, Format format) {
    try {
        return WriteWholeFile(directory, baseName, format(), stamps, error);
    } catch (const std::exception& e) {
        error = "Cannot save '" + paths::Join(directory, baseName + ".csv") + "': " + e.what() + ".";
        return false;
    }
}

}  // namespace

bool LoadConfigFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                    std::string& error) {
    return LoadFile(path, size, catalogue.stamps, error,
                    [&](const char* data, std::size_t n) { ParseConfig(catalogue, data, n); });
}

namespace {

// A class file with a NUL byte is no text file (a picture or a map saved
// under the wrong name): it is refused whole rather than read as lines of
// noise that would each be reported, or left out without a word.
bool IsTextFile(const char* data, std::size_t size) {
    return std::memchr(data, 0, size) == nullptr;
}

// Each report as a line of its own with the path; a file with very many
// problems is summed up after the first few.
void AddLineReports(const std::string& path, const std::vector<LineReport>& reports,
                    std::vector<std::string>& warnings) {
    constexpr std::size_t kListed = 10;
    for (std::size_t i = 0; i < reports.size() && i < kListed; ++i)
        warnings.push_back("'" + path + "' line " + std::to_string(reports[i].line) + ": " +
                           reports[i].message);
    if (reports.size() > kListed)
        warnings.push_back("'" + path + "': " + std::to_string(reports.size() - kListed) +
                           " more problems like these are not listed.");
}

// Loads one class file into table[class name]: the entry is made even for a
// file without lines, so a map class keeps naming an empty model class.
template <typename Table, typename Parse>
bool LoadClassFile(Table& table, FileStamps& stamps, const std::string& path, std::uint64_t size,
                   std::string& error, std::vector<std::string>& warnings, Parse parse) {
    const std::string className = ClassNameFromPath(path);
    std::vector<LineReport> reports;
    bool text = true;
    const bool loaded = LoadFile(path, size, stamps, error, [&](const char* data, std::size_t n) {
        text = IsTextFile(data, n);
        if (text) parse(className, data, n, reports);
    });
    if (!loaded) return false;
    if (!text) {
        error = "Cannot load '" + path + "': it is not a text file (it holds a NUL byte).";
        return false;
    }
    table[className];
    AddLineReports(path, reports, warnings);
    return true;
}

}  // namespace

bool LoadMapClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                      std::string& error, std::vector<std::string>& warnings) {
    return LoadClassFile(catalogue.mapClasses, catalogue.stamps, path, size, error, warnings,
                         [&](const std::string& className, const char* data, std::size_t n,
                             std::vector<LineReport>& reports) {
                             ParseMapClass(catalogue, className, data, n, &reports);
                         });
}

bool LoadModelClassFile(Catalogue& catalogue, const std::string& path, std::uint64_t size,
                        std::string& error, std::vector<std::string>& warnings) {
    return LoadClassFile(catalogue.modelClasses, catalogue.stamps, path, size, error, warnings,
                         [&](const std::string& className, const char* data, std::size_t n,
                             std::vector<LineReport>& reports) {
                             ParseModelClass(catalogue, className, data, n, &reports);
                         });
}

bool SaveConfigFile(const Catalogue& catalogue, const std::string& directory,
                    const std::string& baseName, std::string& error) {
    return SaveFile(directory, baseName, catalogue.stamps, error, [&] { return FormatConfig(catalogue); });
}

bool SaveMapClassFile(Catalogue& catalogue, const std::string& directory,
                      const std::string& className, std::string& error) {
    return SaveFile(directory, className, catalogue.stamps, error,
                    [&] { return FormatMapClass(catalogue, className); });
}

bool SaveModelClassFile(Catalogue& catalogue, const std::string& directory,
                        const std::string& className, std::string& error) {
    return SaveFile(directory, className, catalogue.stamps, error,
                    [&] { return FormatModelClass(catalogue, className); });
}
