#include "cli/options.h"

#include "catalogue/messages.h"
#include "panelcfg/panel_paths.h"

#include <algorithm>
#include <initializer_list>
#include <sstream>

namespace cli {

namespace {

enum class FlagId { Panels, All, Aircraft, Sim, DryRun, Json, Help, Version };

// Every flag once: how it is spelled, what value it takes, and its lines of --help.
struct Flag {
    FlagId id;
    std::initializer_list<const char*> names;  // the first is shown first
    const char* value;                         // the value's name, or nullptr for none
    const char* section;
    const char* help;  // its lines, '\n' between them
};

constexpr const char* kChoosing = "Choosing panels";
constexpr const char* kOptions = "Options";

const Flag kFlags[] = {
    {FlagId::Panels, {"PANEL"}, nullptr, kChoosing, "a panel folder of the simulator, by its path"},
    {FlagId::All, {"--all"}, nullptr, kChoosing, "every panel folder"},
    {FlagId::Aircraft,
     {"--aircraft"},
     "PATTERN",
     kChoosing,
     "the panels of every aircraft whose title or folder name matches\n"
     "PATTERN (* any text, ? one character, letter case ignored);\n"
     "may be given more than once"},
    {FlagId::Sim, {"--sim"}, "DIR", kOptions, "the simulator's folder, instead of the one in the registry"},
    {FlagId::DryRun, {"--dry-run"}, nullptr, kOptions, "write nothing; print each panel.cfg change as a unified diff"},
    {FlagId::Json, {"--json"}, nullptr, kOptions, "list or check as JSON (UTF-8)"},
    {FlagId::Help, {"--help", "-h", "/?", "-?"}, nullptr, kOptions, "this text"},
    {FlagId::Version, {"--version"}, nullptr, kOptions, "the program's version"},
};

constexpr std::size_t kHelpColumn = 27;
constexpr std::size_t kHelpWidth = 92;  // the longest line of the text

const char* const kHead =
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
    "  check [--json] [PANEL...|--all|--aircraft PATTERN]\n"
    "                           Finds what the simulator will not show of each chosen panel\n"
    "                           (every panel when none is chosen) and changes nothing: one line\n"
    "                           per finding, PANEL: CODE: text; an error where the simulator\n"
    "                           shows less than the file says, a warning where it may.\n";

// After "a transient " + the backup's name.
const char* const kTail =
    " beside it; a panel that\n"
    "fails is left as it was and never stops the others.\n"
    "\n"
    "Panels that never take the set (an alias, a foreign panel, a folder without panel.cfg)\n"
    "are skipped when --all or --aircraft chose them, and refused when named by path.\n"
    "\n"
    "Exit status: 0 when every chosen panel succeeded, was already as asked or was skipped,\n"
    "1 when any was refused or failed, 2 for a usage error; check: 0 when it found nothing,\n"
    "1 when it found anything. Data goes to standard output, messages to standard error.\n";

std::string FlagLines(const Flag& flag) {
    std::string names;
    for (const char* name : flag.names) names += (names.empty() ? "" : ", ") + std::string(name);
    if (flag.value != nullptr) names += std::string(" ") + flag.value;
    std::string lines;
    std::istringstream help(flag.help);
    bool first = true;
    for (std::string line; std::getline(help, line); first = false) {
        const std::string lead = first ? "  " + names : std::string();
        lines += lead + std::string(kHelpColumn - std::min(kHelpColumn - 1, lead.size()), ' ') + line + "\n";
    }
    return lines;
}

// The codes check reports, from the list it prints them from, wrapped under its description.
std::string CheckCodes() {
    std::string lines, line = std::string(kHelpColumn, ' ') + "Codes:";
    for (int code = 0; code < panelcfg::kFindingCodes; ++code) {
        const std::string name = catalogue::FindingCodeName(static_cast<panelcfg::FindingCode>(code));
        if (line.size() + name.size() + 2 > kHelpWidth) {
            lines += line + "\n";
            line = std::string(kHelpColumn - 1, ' ');
        }
        line += " " + name + (code + 1 < panelcfg::kFindingCodes ? "," : ".");
    }
    return lines + line + "\n";
}

std::string MakeUsage() {
    std::string usage = kHead + CheckCodes();
    for (const char* section : {kChoosing, kOptions}) {
        usage += std::string("\n") + section + ":\n";
        for (const Flag& flag : kFlags) {
            if (flag.section == section) usage += FlagLines(flag);
        }
    }
    return usage + "\nEvery edit is saved atomically with a transient " + panelcfg::BackupFileName() + kTail;
}

// The flag arg is, with its value when it is given as "--name=VALUE"; nullptr for none.
const Flag* FindFlag(const std::string& arg, std::string& inlineValue, bool& hasInline) {
    hasInline = false;
    for (const Flag& flag : kFlags) {
        for (const char* name : flag.names) {
            const std::string n = name;
            if (n == "PANEL") continue;
            if (arg == n) return &flag;
            if (flag.value != nullptr && arg.compare(0, n.size() + 1, n + "=") == 0) {
                inlineValue = arg.substr(n.size() + 1);
                hasInline = true;
                return &flag;
            }
        }
    }
    return nullptr;
}

bool IsCommand(const std::string& word, Command& command) {
    if (word == "list")
        command = Command::List;
    else if (word == "install")
        command = Command::Install;
    else if (word == "remove")
        command = Command::Remove;
    else if (word == "trainer")
        command = Command::Trainer;
    else if (word == "check")
        command = Command::Check;
    else
        return false;
    return true;
}

}  // namespace

const std::string& Usage() {
    static const std::string usage = MakeUsage();
    return usage;
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    options = Options{};
    bool haveCommand = false;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        bool hasInline = false;
        const Flag* flag = FindFlag(arg, value, hasInline);
        if (flag == nullptr) {
            if (arg.size() > 1 && arg[0] == '-') {
                error = "unknown option " + arg;
                return false;
            }
            if (!haveCommand && !IsCommand(arg, options.command)) {
                error = "unknown command " + arg;
                return false;
            }
            if (haveCommand) words.push_back(arg);
            haveCommand = true;
            continue;
        }
        if (flag->value != nullptr) {
            if (!hasInline && i + 1 < args.size()) value = args[++i];
            if (value.empty()) {
                error = std::string(flag->names.begin()[0]) + " needs a value";
                return false;
            }
        }
        switch (flag->id) {
            case FlagId::Help: options.command = Command::Help; return true;
            case FlagId::Version: options.command = Command::Version; return true;
            case FlagId::Sim:
                if (!options.sim.empty()) {
                    error = "--sim given twice";
                    return false;
                }
                options.sim = value;
                break;
            case FlagId::Aircraft: options.patterns.push_back(value); break;
            case FlagId::All: options.all = true; break;
            case FlagId::Json: options.json = true; break;
            case FlagId::DryRun: options.dryRun = true; break;
            case FlagId::Panels: break;
        }
    }
    if (!haveCommand) {
        error = "no command given";
        return false;
    }
    const bool edit = options.command == Command::Install || options.command == Command::Remove;
    const bool check = options.command == Command::Check;
    if (options.json && options.command != Command::List && !check) {
        error = "--json goes with list and check";
        return false;
    }
    if ((options.dryRun && !edit) || ((options.all || !options.patterns.empty()) && !edit && !check)) {
        error = "--dry-run, --all and --aircraft go with install and remove; --all and --aircraft with check too";
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
        case Command::Check:
            options.panels = words;
            options.all = options.all || (options.panels.empty() && options.patterns.empty());
            break;
        case Command::Help:
        case Command::Version: break;
    }
    return true;
}

Encoding OutputEncoding(const Options& options) { return options.json ? Encoding::Utf8 : Encoding::Ansi; }

}  // namespace cli
