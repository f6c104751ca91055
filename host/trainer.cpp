#include "host/trainer.h"

#include "platform/ascii.h"
#include "platform/profile_api.h"
#include "platform/profile_value.h"

#include <cstdint>

namespace host {

namespace {

constexpr std::uint32_t kDatabaseBufferBytes = 256;

}  // namespace

bool HasTrainerFolder(std::string_view uninstallText) {
    const std::size_t first = uninstallText.find(":\\");
    if (first == std::string_view::npos) return false;
    return uninstallText.find(":\\", first + 1) != std::string_view::npos;
}

std::optional<Database> DatabaseOf(std::string_view jeppDb) {
    for (Database database : {Database::Americas, Database::International}) {
        if (platform::EqualsIgnoringAsciiCase(jeppDb, DatabaseFileName(database))) return database;
    }
    return std::nullopt;
}

const char* DatabaseFileName(Database database) {
    return database == Database::Americas ? "AMERICAS.IMG" : "INTRNATL.IMG";
}

TrainerStatus EvaluateTrainer(const std::optional<std::string>& uninstallText, const std::string& iniFile) {
    TrainerStatus status;
    status.iniPath = profile::ResolveProfilePath(iniFile);
    if (!uninstallText) {
        status.state = TrainerState::NotFound;
        return status;
    }
    status.uninstallText = *uninstallText;
    if (!HasTrainerFolder(*uninstallText)) {
        status.state = TrainerState::RegistryError;
        return status;
    }
    char value[kDatabaseBufferBytes] = {};
    profile::GetPrivateProfileStringA(kTrainerSection, kDatabaseKey, profile::kNotFound, value, sizeof value,
                                      iniFile.c_str());
    if (std::string_view(value) != profile::kNotFound) status.jeppDb = value;
    const std::optional<Database> database = DatabaseOf(value);
    status.state = database ? TrainerState::Ready : TrainerState::IniError;
    if (database) status.database = *database;
    return status;
}

fileio::Error ToggleDatabase(const TrainerStatus& status, const std::string& iniFile) {
    if (status.state != TrainerState::Ready) return {};
    const Database next = status.database == Database::Americas ? Database::International : Database::Americas;
    return profile::WritePrivateProfileStringA(kTrainerSection, kDatabaseKey, DatabaseFileName(next), iniFile.c_str());
}

}  // namespace host
