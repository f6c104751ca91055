// panelwright-cli: list the simulator's aircraft and panels, install or remove the GPS window
// set across many panels at once (or show what that would change), and set the trainer's
// startup database. The program's whole run as one function of its arguments, so that it runs
// the same in the console program and in tests.
#pragma once

#include "cli/options.h"
#include "platform/file_system.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// What the run needs of the machine it runs on.
struct Host {
    std::string simulatorRoot;                        // the registry's; empty when missing
    std::optional<std::string> trainerUninstallText;  // nullopt: no trainer key
    std::string trainerIni;                           // the trainer's INI file
    bool progress = false;                            // stderr is a console: show a count
    fileio::FileSystem* files = &fileio::SystemFiles();
};

// Exit statuses.
constexpr int kSucceeded = 0;
constexpr int kRefusedOrFailed = 1;
constexpr int kUsageError = 2;

// The options of args (the arguments after the program's name, in UTF-8), or nullopt after
// saying on err what is wrong with them (exit status kUsageError).
std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::ostream& err);

// Runs the command options give. Data goes to out, messages for people to err, in the encoding
// OutputEncoding(options) says.
int Execute(const Options& options, const Host& host, std::ostream& out, std::ostream& err);

}  // namespace cli
