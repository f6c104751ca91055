// The simulator's folder and the trainer's uninstall text, from the registry (Windows only).
#pragma once

#include "host/registry_keys.h"
#include "host/trainer.h"
#include "platform/registry.h"

#include <optional>
#include <string>

namespace host {

// "EXE Path" of the simulator's key without its trailing separators, at most 259 characters;
// empty when the key or the value is missing or the value is longer.
std::string ReadSimulatorRoot(const platform::RegistryRoot& registry);

// "UninstallString" of the trainer's key (empty when the value is missing or too long), or
// nullopt when the key itself is missing.
std::optional<std::string> ReadTrainerUninstallText(const platform::RegistryRoot& registry);

// The trainer's state from the registry and iniFile.
TrainerStatus EvaluateTrainer(const platform::RegistryRoot& registry, const std::string& iniFile);

}  // namespace host
