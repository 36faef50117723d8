#pragma once
// The command line of arbrel-cli.

#include <string>
#include <vector>

struct CliArguments {
    std::string dataDir;     // empty: the data directory beside the executable
    std::string installDir;  // empty: no installation
    std::string mapClass;
    bool haveMapClass = false;
    std::string input;
    std::string output;
    bool help = false;
    bool version = false;
};

// False with a reason in `error` when the arguments do not make a run.
bool ParseCliArguments(const std::vector<std::string>& args, CliArguments& parsed, std::string& error);

extern const char kCliUsage[];
