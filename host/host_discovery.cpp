#include "host/host_discovery.h"

#include "platform/paths.h"

namespace host {

std::string ReadSimulatorRoot(const platform::RegistryRoot& registry) {
    std::string root;
    const platform::RegistryKey key = platform::OpenKeyForReading(registry, kSimulatorKey);
    if (key) platform::QueryTextValue(key, kSimulatorValue, root);
    // Taken without its trailing separators once, here, so that every path composed from it has
    // single ones: "D:\FS2002\" would give "D:\FS2002\\aircraft".
    return platform::WithoutTrailingSeparators(root);
}

std::optional<std::string> ReadTrainerUninstallText(const platform::RegistryRoot& registry) {
    const platform::RegistryKey key = platform::OpenKeyForReading(registry, kTrainerKey);
    if (!key) return std::nullopt;
    std::string text;
    platform::QueryTextValue(key, kTrainerValue, text);
    return text;
}

TrainerStatus EvaluateTrainer(const platform::RegistryRoot& registry, const std::string& iniFile) {
    return EvaluateTrainer(ReadTrainerUninstallText(registry), iniFile);
}

}  // namespace host
