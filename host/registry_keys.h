// The machine's keys the program reads, under HKEY_LOCAL_MACHINE (the 32-bit view), and their
// values. Portable: the messages name them on every build.
#pragma once

namespace host {

constexpr const char* kMachineRoot = "HKEY_LOCAL_MACHINE";
constexpr const char* kSimulatorKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
constexpr const char* kSimulatorValue = "EXE Path";
constexpr const char* kTrainerKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GARMIN 500 Series Trainer";
constexpr const char* kTrainerValue = "UninstallString";

}  // namespace host
