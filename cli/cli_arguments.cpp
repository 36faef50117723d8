#include "cli/cli_arguments.h"

const char kCliUsage[] =
    "Usage: arbrel-cli [--data-dir DIR] [--install-dir DIR] --map-class NAME INPUT OUTPUT\n"
    "  INPUT   a map name of the installation's map_source, or a path to a .map file\n"
    "  OUTPUT  a map name (written to map_source, \".map\" appended) or a full path\n"
    "  --data-dir DIR     the data directory (default: data beside the executable)\n"
    "  --install-dir DIR  the game installation directory\n"
    "  --map-class NAME   the map class that places the foliage\n"
    "  --help, --version\n";

bool ParseCliArguments(const std::vector<std::string>& args, CliArguments& parsed, std::string& error) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help") {
            parsed.help = true;
            return true;
        }
        if (arg == "--version") {
            parsed.version = true;
            return true;
        }
        std::string name = arg, value;
        bool haveValue = false;
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            haveValue = true;
        }
        std::string* target = nullptr;
        if (name == "--data-dir") target = &parsed.dataDir;
        else if (name == "--install-dir") target = &parsed.installDir;
        else if (name == "--map-class") target = &parsed.mapClass;
        if (target == nullptr) {
            error = "unknown option " + name;
            return false;
        }
        if (!haveValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        *target = value;
        if (target == &parsed.mapClass) parsed.haveMapClass = true;
    }
    if (!parsed.haveMapClass) {
        error = "--map-class is required";
        return false;
    }
    if (positional.size() != 2) {
        error = "expected INPUT and OUTPUT";
        return false;
    }
    parsed.input = positional[0];
    parsed.output = positional[1];
    return true;
}
