// The GPS trainer's startup database: its state, which the caption of button 104 and the badge
// show, and the toggle that writes the other database into the trainer's INI file. Portable: the
// registry's part (the uninstall text) is read by host_discovery.h and passed in.
#pragma once

#include "platform/file_error.h"

#include <optional>
#include <string>
#include <string_view>

namespace host {

enum class TrainerState {
    Ready = 0,           // trainer found and its database known
    RegistryError = -1,  // no second drive path in the uninstall text; also the state before any evaluation
    NotFound = -2,       // no trainer key
    IniError = -3,       // "JeppDB" missing or not a database this program knows
};

enum class Database { Americas, International };

struct TrainerStatus {
    TrainerState state = TrainerState::RegistryError;
    Database database = Database::Americas;  // meaningful while state is Ready
    // What the state was found from, for a message that says where to look.
    std::string uninstallText;          // the trainer's uninstall text, as read
    std::string iniPath;                // the INI file, with the folder it is looked for in
    std::optional<std::string> jeppDb;  // "JeppDB" of [GNC500WT] as read; nullopt when missing
};

// The INI file, named without a folder: the profile functions look for it in the Windows
// directory.
constexpr const char* kTrainerIni = "GARMINWT.INI";
constexpr const char* kTrainerSection = "GNC500WT";
constexpr const char* kDatabaseKey = "JeppDB";

// True when the uninstall text holds a second drive path: an occurrence of ":\" that starts
// after the first character of the first occurrence.
bool HasTrainerFolder(std::string_view uninstallText);

// "AMERICAS.IMG" and "INTRNATL.IMG", ASCII case ignored; nullopt for anything else.
std::optional<Database> DatabaseOf(std::string_view jeppDb);
const char* DatabaseFileName(Database database);

// The trainer's state from its uninstall text (nullopt: the trainer's key is missing) and the
// "JeppDB" key of [GNC500WT] in iniFile.
TrainerStatus EvaluateTrainer(const std::optional<std::string>& uninstallText, const std::string& iniFile);

// One press of button 104: when status is Ready, writes the other database into iniFile and
// says whether that failed; otherwise writes nothing. The caller evaluates again either way,
// so that what is shown is what the file holds.
fileio::Error ToggleDatabase(const TrainerStatus& status, const std::string& iniFile);

}  // namespace host
