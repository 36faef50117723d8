#include "cli/cli_arguments.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

#include "text/number_text.h"

const char kCliUsage[] =
    "Usage: arbrel-cli [OPTIONS] --map-class NAME INPUT OUTPUT\n"
    "       arbrel-cli --dry-run [OPTIONS] --map-class NAME INPUT [OUTPUT]\n"
    "       arbrel-cli textures [--data-dir DIR] [--install-dir DIR] [--map-class NAME]\n"
    "                  [--format table|csv] INPUT\n"
    "       arbrel-cli strip [--install-dir DIR] INPUT OUTPUT\n"
    "  INPUT   a map name of the installation's map_source, or a path to a .map file\n"
    "  OUTPUT  a map name (written to map_source, \".map\" added unless it ends in\n"
    "          \".map\") or a full path\n"
    "  textures           list the map's mesh textures: meshes, cells, area in 64x64\n"
    "                     squares, and whether the map class has a rule for each\n"
    "  strip              write INPUT without the models an earlier --mark run placed\n"
    "  --data-dir DIR     the data directory (default: data beside the executable)\n"
    "  --install-dir DIR  the game installation directory\n"
    "  --map-class NAME   the map class that places the foliage\n"
    "  --dry-run          place without writing; report models per model and per\n"
    "                     texture and the size the output would have\n"
    "  --seed N           start the random generator at N (0 to 4294967295) for another\n"
    "                     reproducible variation; 1 gives the default placement\n"
    "  --preview FILE     also write a top-down PNG of the terrain and the placements\n"
    "  --preview-size PX  the preview's longer side in pixels (16 to 8192, default 1024)\n"
    "  --format FORMAT    table (default) or csv, for textures and --dry-run reports\n"
    "  --mark             mark each placed model so a later run can replace it\n"
    "  --replace          leave out the input's marked models (an earlier run's)\n"
    "  --max-models N     refuse a run whose output would hold more than N\n"
    "                     misc_model entities (Call of Duty 4 loads at most 65536)\n"
    "  --threads N        threads of a run (1 to 256; default: one per core); 1 formats\n"
    "                     the output on the placing thread; the output is the same\n"
    "  --verbose          say where the output went (done anyway on a terminal)\n"
    "  -h, --help, /?, -V, --version\n";

bool ParseCliArguments(const std::vector<std::string>& args, CliArguments& parsed, std::string& error) {
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "/?" is how Windows programs are asked for their usage.
        if (!optionsEnded && arg == "/?") {
            parsed.help = true;
            return true;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            return true;
        }
        if (arg == "--version" || arg == "-V") {
            parsed.version = true;
            return true;
        }
        static const std::pair<const char*, bool CliArguments::*> kFlags[] = {
            {"--dry-run", &CliArguments::dryRun}, {"--verbose", &CliArguments::verbose},
            {"--mark", &CliArguments::mark}, {"--replace", &CliArguments::replace}};
        const auto flag = std::find_if(std::begin(kFlags), std::end(kFlags),
                                       [&](const auto& entry) { return arg == entry.first; });
        if (flag != std::end(kFlags)) {
            parsed.*(flag->second) = true;
            continue;
        }
        std::string name = arg, value;
        bool haveValue = false;
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            haveValue = true;
        }
        static const char* const kValued[] = {"--data-dir", "--install-dir", "--map-class", "--seed",
                                              "--preview", "--preview-size", "--format",
                                              "--max-models", "--threads"};
        bool known = false;
        for (const char* option : kValued) known = known || name == option;
        if (!known) {
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
        std::uint64_t number = 0;
        if (name == "--data-dir") {
            parsed.dataDir = value;
        } else if (name == "--install-dir") {
            parsed.installDir = value;
        } else if (name == "--map-class") {
            parsed.mapClass = value;
            parsed.haveMapClass = true;
        } else if (name == "--seed") {
            std::uint32_t seed = 0;
            if (!ParseSeedText(value, seed)) {
                error = "--seed needs a whole number from 0 to 4294967295, not '" + value + "'";
                return false;
            }
            parsed.seed = seed;
        } else if (name == "--preview") {
            if (value.empty()) {
                error = "--preview needs a file name";
                return false;
            }
            parsed.previewPath = value;
        } else if (name == "--preview-size") {
            if (!ParseWholeNumber(value, 8192, number) || number < 16) {
                error = "--preview-size needs a number of pixels from 16 to 8192, not '" + value + "'";
                return false;
            }
            parsed.previewSize = static_cast<int>(number);
        } else if (name == "--max-models") {
            if (!ParseWholeNumber(value, UINT64_MAX, number)) {
                error = "--max-models needs a whole number, not '" + value + "'";
                return false;
            }
            parsed.maxModels = number;
        } else if (name == "--threads") {
            if (!ParseWholeNumber(value, 256, number) || number < 1) {
                error = "--threads needs a number from 1 to 256, not '" + value + "'";
                return false;
            }
            parsed.threads = static_cast<unsigned>(number);
        } else if (name == "--format") {
            if (value != "table" && value != "csv") {
                error = "--format is table or csv, not '" + value + "'";
                return false;
            }
            parsed.format = value == "csv" ? ReportFormat::Csv : ReportFormat::Table;
        }
    }

    // The report and strip read and write no run: they take the input (and
    // strip an output) and none of the run's options.
    const bool textures = !positional.empty() && positional[0] == "textures";
    if (textures || (!positional.empty() && positional[0] == "strip")) {
        parsed.command = textures ? CliCommand::Textures : CliCommand::Strip;
        if (parsed.dryRun || parsed.seed || !parsed.previewPath.empty() || parsed.mark ||
            parsed.replace || parsed.maxModels) {
            error = positional[0] + " takes no --dry-run, --seed, --preview, --mark, --replace or --max-models";
            return false;
        }
        if (positional.size() != (textures ? 2u : 3u)) {
            error = textures ? "textures expects one INPUT" : "strip expects INPUT and OUTPUT";
            return false;
        }
        parsed.input = positional[1];
        if (!textures) parsed.output = positional[2];
        return true;
    }
    if (!parsed.haveMapClass) {
        error = "--map-class is required";
        return false;
    }
    if (parsed.dryRun ? positional.empty() || positional.size() > 2 : positional.size() != 2) {
        error = parsed.dryRun ? "expected INPUT and an optional OUTPUT" : "expected INPUT and OUTPUT";
        return false;
    }
    parsed.input = positional[0];
    if (positional.size() == 2) parsed.output = positional[1];
    return true;
}
