#include "cli/options.h"

namespace cli {

const char* const kUsage =
    "Usage: panelwright-cli [--sim DIR] COMMAND [OPTIONS]\n"
    "\n"
    "Puts the Aerolith GPS window set (MiniStack, GPS, avionics stack, VOR) into FS2002 panels,\n"
    "or takes it out again, exactly as the Panelwright dialog does, for many panels at once.\n"
    "\n"
    "Commands:\n"
    "  list [--json]            Every aircraft and panel folder: title, folders, the kind of\n"
    "                           panel (plain, alias of another, foreign: edited by hand to carry\n"
    "                           the gauges, unusable and why), the window slots holding the set\n"
    "                           and how many slots are free. --json prints one JSON document.\n"
    "  install [--dry-run] PANEL...|--all|--aircraft PATTERN\n"
    "                           Installs the set into each chosen panel; one line per panel says\n"
    "                           what was done or why not. Unusable panels and panels without\n"
    "                           four free window slots are refused; see below for the rest.\n"
    "  remove [--dry-run] PANEL...|--all|--aircraft PATTERN\n"
    "                           Removes the set from each chosen panel.\n"
    "  trainer [americas|international]\n"
    "                           Shows the GPS trainer's startup database, or sets it.\n"
    "\n"
    "Choosing panels:\n"
    "  PANEL                    a panel folder of the simulator, by its path\n"
    "  --all                    every panel folder\n"
    "  --aircraft PATTERN       the panels of every aircraft whose title or folder name matches\n"
    "                           PATTERN (* any text, ? one character, letter case ignored);\n"
    "                           may be given more than once\n"
    "\n"
    "Options:\n"
    "  --sim DIR                the simulator's folder, instead of the one in the registry\n"
    "  --dry-run                write nothing; print each panel.cfg change as a unified diff\n"
    "  --json                   list as JSON (UTF-8)\n"
    "  --help, -h, /?           this text\n"
    "  --version                the program's version\n"
    "\n"
    "Every edit is saved atomically with a transient panel.cfg_backup beside it; a panel that\n"
    "fails is left as it was and never stops the others.\n"
    "\n"
    "Panels that never take the set (an alias, a foreign panel, a folder without panel.cfg)\n"
    "are skipped when --all or --aircraft chose them, and refused when named by path.\n"
    "\n"
    "Exit status: 0 when every chosen panel succeeded, was already as asked or was skipped,\n"
    "1 when any was refused or failed, 2 for a usage error. Data goes to standard output,\n"
    "messages to standard error.\n";

namespace {

bool IsCommand(const std::string& word, Command& command) {
    if (word == "list") command = Command::List;
    else if (word == "install") command = Command::Install;
    else if (word == "remove") command = Command::Remove;
    else if (word == "trainer") command = Command::Trainer;
    else return false;
    return true;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    options = Options{};
    bool haveCommand = false;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&](const char* name, std::string& into) {
            const std::string prefix = std::string(name) + "=";
            if (arg.compare(0, prefix.size(), prefix) == 0) {
                into = arg.substr(prefix.size());
            } else if (i + 1 < args.size()) {
                into = args[++i];
            } else {
                error = std::string(name) + " needs a value";
                return false;
            }
            if (into.empty()) error = std::string(name) + " needs a value";
            return !into.empty();
        };
        const auto is = [&](const char* name) {
            return arg == name || arg.compare(0, std::string(name).size() + 1, std::string(name) + "=") == 0;
        };
        if (arg == "--help" || arg == "-h" || arg == "/?" || arg == "-?") {
            options.command = Command::Help;
            return true;
        } else if (arg == "--version") {
            options.command = Command::Version;
            return true;
        } else if (is("--sim")) {
            if (!options.sim.empty()) {
                error = "--sim given twice";
                return false;
            }
            if (!value("--sim", options.sim)) return false;
        } else if (is("--aircraft")) {
            std::string pattern;
            if (!value("--aircraft", pattern)) return false;
            options.patterns.push_back(pattern);
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            error = "unknown option " + arg;
            return false;
        } else if (!haveCommand && IsCommand(arg, options.command)) {
            haveCommand = true;
        } else if (!haveCommand) {
            error = "unknown command " + arg;
            return false;
        } else {
            words.push_back(arg);
        }
    }
    if (!haveCommand) {
        error = "no command given";
        return false;
    }
    const bool edit = options.command == Command::Install || options.command == Command::Remove;
    if (options.json && options.command != Command::List) {
        error = "--json goes with list";
        return false;
    }
    if ((options.dryRun || options.all || !options.patterns.empty()) && !edit) {
        error = "--dry-run, --all and --aircraft go with install and remove";
        return false;
    }
    switch (options.command) {
        case Command::List:
            if (!words.empty()) {
                error = "list takes no folders: " + words.front();
                return false;
            }
            break;
        case Command::Trainer:
            if (words.size() > 1 || (words.size() == 1 && words[0] != "americas" && words[0] != "international")) {
                error = "trainer takes americas, international or nothing";
                return false;
            }
            if (!words.empty()) options.database = words[0];
            break;
        case Command::Install:
        case Command::Remove:
            options.panels = words;
            if (options.panels.empty() && !options.all && options.patterns.empty()) {
                error = "choose the panels: name their folders, or give --all or --aircraft PATTERN";
                return false;
            }
            break;
        case Command::Help:
        case Command::Version:
            break;
    }
    return true;
}

}  // namespace cli
