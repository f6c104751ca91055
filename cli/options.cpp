#include "cli/options.h"

#include "catalogue/messages.h"
#include "panelcfg/panel_paths.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <sstream>

namespace cli {

namespace {

enum class FlagId { All, Aircraft, Sim, DryRun, Json, Help, Version };

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

// Before the flags of the choice, the words that name panels one by one.
constexpr const char* kPanelWord = "PANEL";
constexpr const char* kPanelHelp = "a panel folder of the simulator, by its path";

const Flag kFlags[] = {
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

// Flags every command takes; the others are taken only by the commands that list them.
constexpr FlagId kEveryCommand[] = {FlagId::Sim, FlagId::Help, FlagId::Version};

// What a command takes after its flags.
enum class Words {
    None,           // nothing
    Panels,         // a choice of panels: PANELs, --all or --aircraft, at least one
    PanelsOrEvery,  // a choice of panels, or none for every panel
    Database,       // a startup database, or none
};

// Every command once: its name, its own flags, its words and its lines of --help.
struct CommandSpec {
    Command command;
    const char* name;
    std::initializer_list<FlagId> flags;
    Words words;
    const char* help;
};

const CommandSpec kCommands[] = {
    {Command::List,
     "list",
     {FlagId::Json},
     Words::None,
     "Every aircraft and panel folder: title, folders, the kind of\n"
     "panel (plain, alias of another, foreign: edited by hand to carry\n"
     "the gauges, unusable and why), the window slots holding the set\n"
     "and how many slots are free. --json prints one JSON document."},
    {Command::Install,
     "install",
     {FlagId::DryRun},
     Words::Panels,
     "Installs the set into each chosen panel; one line per panel says\n"
     "what was done or why not. Unusable panels and panels without\n"
     "four free window slots are refused; see below for the rest."},
    {Command::Remove, "remove", {FlagId::DryRun}, Words::Panels, "Removes the set from each chosen panel."},
    {Command::Trainer, "trainer", {}, Words::Database, "Shows the GPS trainer's startup database, or sets it."},
    {Command::Check,
     "check",
     {FlagId::Json},
     Words::PanelsOrEvery,
     "Finds what the simulator will not show of each chosen panel\n"
     "(every panel when none is chosen) and changes nothing: one line\n"
     "per finding, PANEL: CODE: text; an error where the simulator\n"
     "shows less than the file says, a warning where it may."},
};

constexpr host::Database kDatabases[] = {host::Database::Americas, host::Database::International};

constexpr std::size_t kHelpColumn = 27;
constexpr std::size_t kHelpWidth = 92;  // the longest line of the text

const char* const kHead =
    "Usage: panelwright-cli [--sim DIR] COMMAND [OPTIONS]\n"
    "\n"
    "Puts the Aerolith GPS window set (MiniStack, GPS, avionics stack, VOR) into FS2002 panels,\n"
    "or takes it out again, exactly as the Panelwright dialog does, for many panels at once.\n"
    "\n"
    "Commands:\n";

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

const Flag& FlagOf(FlagId id) {
    return *std::find_if(std::begin(kFlags), std::end(kFlags), [id](const Flag& flag) { return flag.id == id; });
}

std::string Spelled(const Flag& flag) {
    return flag.names.begin()[0] + (flag.value != nullptr ? std::string(" ") + flag.value : std::string());
}

bool ChoosesPanels(Words words) { return words == Words::Panels || words == Words::PanelsOrEvery; }

bool Takes(const CommandSpec& command, FlagId id) {
    const auto has = [id](auto& ids) { return std::find(std::begin(ids), std::end(ids), id) != std::end(ids); };
    return has(kEveryCommand) || has(command.flags) ||
           ((id == FlagId::All || id == FlagId::Aircraft) && ChoosesPanels(command.words));
}

// "a, b or c", with last ("or", "and") before the last item.
std::string Listed(const std::vector<std::string>& items, const char* last) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == items.size() ? std::string(" ") + last + " " : std::string(", ")) + items[i];
    }
    return text;
}

// What a command's words look like in its usage line.
std::string WordsSynopsis(Words words) {
    std::string choice = std::string(kPanelWord) + "...";
    for (const Flag& flag : kFlags) {
        if (flag.section == kChoosing) choice += "|" + Spelled(flag);
    }
    switch (words) {
        case Words::None: return "";
        case Words::Panels: return " " + choice;
        case Words::PanelsOrEvery: return " [" + choice + "]";
        case Words::Database: {
            std::string names;
            for (host::Database database : kDatabases)
                names += (names.empty() ? "" : "|") + std::string(DatabaseWord(database));
            return " [" + names + "]";
        }
    }
    return "";
}

// lead, then help's lines from the help column on; lead on a line of its own when it reaches it.
std::string HelpLines(const std::string& lead, const char* help) {
    const bool ownLine = lead.size() + 1 >= kHelpColumn;
    std::string lines = ownLine ? lead + "\n" : std::string();
    std::string indent = ownLine ? std::string(kHelpColumn, ' ') : lead + std::string(kHelpColumn - lead.size(), ' ');
    std::istringstream text(help);
    for (std::string line; std::getline(text, line); indent = std::string(kHelpColumn, ' ')) {
        lines += indent + line + "\n";
    }
    return lines;
}

std::string FlagLines(const Flag& flag) {
    std::string names;
    for (const char* name : flag.names) names += (names.empty() ? "" : ", ") + std::string(name);
    if (flag.value != nullptr) names += std::string(" ") + flag.value;
    return HelpLines("  " + names, flag.help);
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

std::string CommandLines(const CommandSpec& command) {
    std::string synopsis = std::string("  ") + command.name;
    for (FlagId id : command.flags) synopsis += " [" + Spelled(FlagOf(id)) + "]";
    const std::string lines = HelpLines(synopsis + WordsSynopsis(command.words), command.help);
    return command.command == Command::Check ? lines + CheckCodes() : lines;
}

std::string MakeUsage() {
    std::string usage = kHead;
    for (const CommandSpec& command : kCommands) usage += CommandLines(command);
    for (const char* section : {kChoosing, kOptions}) {
        usage += std::string("\n") + section + ":\n";
        if (section == kChoosing) usage += HelpLines(std::string("  ") + kPanelWord, kPanelHelp);
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

const CommandSpec* FindCommand(const std::string& word) {
    for (const CommandSpec& command : kCommands) {
        if (word == command.name) return &command;
    }
    return nullptr;
}

// A flag given to a command that does not take it: which commands do.
std::string FlagMisplaced(FlagId id) {
    std::vector<std::string> names;
    for (const CommandSpec& command : kCommands) {
        if (Takes(command, id)) names.push_back(command.name);
    }
    return FlagOf(id).names.begin()[0] + std::string(" goes with ") + Listed(names, "and");
}

// The words after the command, checked against what it takes; false with error when they do not fit.
bool TakeWords(const CommandSpec& command, const std::vector<std::string>& words, Options& options,
               std::string& error) {
    switch (command.words) {
        case Words::None:
            if (!words.empty()) error = std::string(command.name) + " takes no folders: " + words.front();
            break;
        case Words::Database: {
            std::vector<std::string> names;
            for (host::Database database : kDatabases) {
                names.push_back(DatabaseWord(database));
                if (words.size() == 1 && words[0] == names.back()) options.database = database;
            }
            if (words.size() > 1 || (words.size() == 1 && !options.database)) {
                names.push_back("nothing");
                error = std::string(command.name) + " takes " + Listed(names, "or");
            }
            break;
        }
        case Words::Panels:
        case Words::PanelsOrEvery:
            options.panels = words;
            if (options.panels.empty() && !options.all && options.patterns.empty()) {
                if (command.words == Words::PanelsOrEvery) {
                    options.all = true;
                } else {
                    error = "choose the panels: name their folders, or give " + Spelled(FlagOf(FlagId::All)) + " or " +
                            Spelled(FlagOf(FlagId::Aircraft));
                }
            }
            break;
    }
    return error.empty();
}

}  // namespace

const char* DatabaseWord(host::Database database) {
    return database == host::Database::Americas ? "americas" : "international";
}

const std::string& Usage() {
    static const std::string usage = MakeUsage();
    return usage;
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    options = Options{};
    error.clear();
    const CommandSpec* command = nullptr;
    std::vector<std::string> words;
    std::vector<FlagId> given;
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
            if (command == nullptr) {
                command = FindCommand(arg);
                if (command == nullptr) {
                    error = "unknown command " + arg;
                    return false;
                }
                options.command = command->command;
            } else {
                words.push_back(arg);
            }
            continue;
        }
        if (flag->value != nullptr) {
            if (!hasInline && i + 1 < args.size()) value = args[++i];
            if (value.empty()) {
                error = std::string(flag->names.begin()[0]) + " needs a value";
                return false;
            }
        }
        given.push_back(flag->id);
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
        }
    }
    if (command == nullptr) {
        error = "no command given";
        return false;
    }
    for (FlagId id : given) {
        if (!Takes(*command, id)) {
            error = FlagMisplaced(id);
            return false;
        }
    }
    return TakeWords(*command, words, options, error);
}

Encoding OutputEncoding(const Options& options) { return options.json ? Encoding::Utf8 : Encoding::Ansi; }

}  // namespace cli
