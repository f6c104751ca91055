// The command line of panelwright-cli, parsed into what to do.
#pragma once

#include "host/trainer.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class Command { Help, Version, List, Install, Remove, Trainer, Check };

struct Options {
    Command command = Command::Help;
    std::string sim;                         // --sim DIR; empty: the registry's simulator
    bool json = false;                       // list --json, check --json
    bool dryRun = false;                     // install/remove --dry-run
    bool all = false;                        // --all; check without a choice of panels
    std::vector<std::string> patterns;       // --aircraft PATTERN, any number
    std::vector<std::string> panels;         // PANEL folders
    std::optional<host::Database> database;  // trainer: the database to set; none: show it
};

// Parses args; on a usage error returns false with error saying what is wrong.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// How the command line names a startup database: "americas", "international".
const char* DatabaseWord(host::Database database);

// The whole --help text, made from the same table of flags the parse reads.
const std::string& Usage();

// What standard output carries: JSON is UTF-8 through and through; everything else is in the
// ANSI code page.
enum class Encoding { Ansi, Utf8 };
Encoding OutputEncoding(const Options& options);

}  // namespace cli
