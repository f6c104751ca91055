#include "host/host_discovery.h"

#include "app/shell_state.h"
#include "host/host_state.h"
#include "host/trainer_rules.h"
#include "platform/profile_api.h"
#include "platform/registry.h"
#include "preview/preview_renderer.h"
#include "resources/resource_ids.h"

#include <cstdint>
#include <string>

namespace host {

namespace {

constexpr const char* kSimulatorKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
constexpr const char* kSimulatorValue = "EXE Path";
constexpr const char* kTrainerKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GARMIN 500 Series Trainer";
constexpr const char* kTrainerValue = "UninstallString";

constexpr const char* kTrainerIni = "GARMINWT.INI";  // no folder: the Windows directory
constexpr const char* kTrainerSection = "GNC500WT";
constexpr const char* kDatabaseKey = "JeppDB";
constexpr const char* kNotFound = "notfound";
constexpr std::uint32_t kDatabaseBufferBytes = 256;

constexpr const char* kDatabaseNames[] = {"AMERICAS.IMG", "INTRNATL.IMG"};

void ShowTrainerState() {
    SetDlgItemTextA(app::g_shell.dialog, IDC_TOGGLE_DATABASE, TrainerCaption(g_host.trainerState));
}

}  // namespace

int ReadSimulatorRoot() {
    g_host.simulatorRoot.clear();
    const platform::RegistryKey key = platform::OpenMachineKeyForReading(kSimulatorKey);
    if (!key) return 0;
    platform::QueryTextValue(key, kSimulatorValue, g_host.simulatorRoot);
    return 1;
}

int EvaluateTrainer() {
    {
        const platform::RegistryKey key = platform::OpenMachineKeyForReading(kTrainerKey);
        if (!key) return kTrainerNotFound;
        platform::QueryTextValue(key, kTrainerValue, g_host.uninstallText);
    }
    if (!HasTrainerFolder(g_host.uninstallText)) return kTrainerRegistryError;

    char value[kDatabaseBufferBytes] = {};
    profile::GetPrivateProfileStringA(kTrainerSection, kDatabaseKey, kNotFound, value, sizeof value,
                                      kTrainerIni);
    const std::string database(value);
    if (database == kNotFound) return kTrainerIniError;
    const int index = DatabaseIndexOf(database);
    if (index < 0) return kTrainerIniError;
    g_host.databaseIndex = index;
    return kTrainerReady;
}

void ToggleDatabase() {
    if (g_host.trainerState == kTrainerReady) {
        g_host.databaseIndex = g_host.databaseIndex != 0 ? 0 : 1;
        const profile::Error error = profile::WritePrivateProfileStringA(
            kTrainerSection, kDatabaseKey, kDatabaseNames[g_host.databaseIndex], kTrainerIni);
        if (error) {
            const std::string text =
                "The GPS trainer's startup database could not be changed.\n\n" + error.reason;
            MessageBoxA(app::g_shell.dialog, text.c_str(), "Panelwright", MB_OK | MB_ICONWARNING);
        }
    }
    // The file decides: after a failed write the caption and the badge show what it holds.
    g_host.trainerState = EvaluateTrainer();
    ShowTrainerState();
    preview::RedrawPreviewArea();
}

}  // namespace host
