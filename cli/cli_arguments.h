#pragma once
// The command line of arbrel-cli.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class CliCommand { Run, Textures, Strip };
enum class ReportFormat { Table, Csv };

struct CliArguments {
    CliCommand command = CliCommand::Run;
    std::string dataDir;     // empty: the data directory beside the executable
    std::string installDir;  // empty: no installation
    std::string mapClass;
    bool haveMapClass = false;
    std::string input;
    std::string output;      // empty for a dry run without one, and for textures
    bool dryRun = false;
    std::optional<std::uint32_t> seed;
    std::string previewPath;  // empty: no preview
    int previewSize = 1024;
    ReportFormat format = ReportFormat::Table;
    bool verbose = false;  // say where the output went even when stderr is no terminal
    bool mark = false;     // marked blocks, for a later --replace or strip
    bool replace = false;  // leave out the input's marked blocks
    std::optional<std::uint64_t> maxModels;
    unsigned threads = 0;  // 0: one per core of the machine
    bool help = false;
    bool version = false;
};

// False with a reason in `error` when the arguments do not make a run.
bool ParseCliArguments(const std::vector<std::string>& args, CliArguments& parsed, std::string& error);

extern const char kCliUsage[];
