// What host discovery found: the simulator's folder and the GPS trainer's database state.
#pragma once

#include <string>

namespace host {

// Trainer states.
constexpr int kTrainerReady = 0;          // trainer found and its database known
constexpr int kTrainerRegistryError = -1;
constexpr int kTrainerNotFound = -2;
constexpr int kTrainerIniError = -3;

struct HostState {
    std::string simulatorRoot;   // "EXE Path" of the simulator key, at most 259 characters; empty when missing
    int trainerState = -1;       // one of the states above; -1 before the first evaluation
    int databaseIndex = 0;       // 0 AMERICAS.IMG, 1 INTRNATL.IMG; meaningful in state 0
    std::string uninstallText;   // the trainer's uninstall command line
};

extern HostState g_host;

}  // namespace host
