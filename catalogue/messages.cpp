#include "catalogue/messages.h"

#include "host/registry_keys.h"
#include "panelcfg/panel_paths.h"
#include "platform/paths.h"

#include <cstdio>

namespace catalogue {

namespace {

using fileio::ErrorCode;
using panelcfg::EditAction;
using panelcfg::EditKind;
using panelcfg::EditOutcome;
using panelcfg::FailStage;

constexpr const char* kNotEnoughSlotsMessage = "Not enough Window## available in the panel.cfg file";
constexpr const char* kNotEnoughSlotsReason =
    "fewer than four window slots are free (a free slot has neither a title nor a [WindowNN] section)";
constexpr const char* kUtf16 = "UTF-16 text, which cannot be written back without damaging it";
constexpr const char* kNothingChanged = "\n\nNothing was changed.";
constexpr const char* kUnchanged = " The file is unchanged.";
constexpr const char* kHasSetReason = "has the Aerolith windows already";
constexpr const char* kModuleMissing =
    "until the Aerolith gauge module is installed: Skyvantage_Aerolith.gau is not in the simulator's gauges folder";
constexpr const char* kOpeningRule =
    "The simulator opens a panel's windows by their titles in [Window Titles], counting up from "
    "Window00, and stops at the first number that has no title.";

Message Error(std::string text) { return {std::move(text), kPanelCfgErrorCaption, Severity::Error}; }
Message Warning(std::string text) { return {std::move(text), kProgramCaption, Severity::Warning}; }

std::string Heading(EditAction action) {
    return action == EditAction::Install ? "Panelwright could not install the Aerolith windows into this panel."
                                         : "Panelwright could not remove the Aerolith windows from this panel.";
}

std::string FileLine(const std::string& file) { return "\n\nFile: " + file; }
std::string FileLine(const EditOutcome& out) { return FileLine(out.file); }

const char* Advice(ErrorCode code) {
    switch (code) {
        case ErrorCode::ReadOnly:
        case ErrorCode::ReadOnlyDelete:
            return "Clear the file's read-only attribute. If the simulator is installed under Program Files, run "
                   "Panelwright as administrator. Then try again.";
        case ErrorCode::FolderNotFile:
        case ErrorCode::InUse:
        case ErrorCode::CannotOpen:
        case ErrorCode::CannotCreateIn:
        case ErrorCode::DeleteFailed:
            return "The file or its folder is write-protected or in use. Close the simulator and any editor "
                   "that has the file open; if the simulator is installed under Program Files, run "
                   "Panelwright as administrator. Then try again.";
        case ErrorCode::CopyFromMissing:
        case ErrorCode::FolderMissing:
            return "The panel folder no longer exists. Restart Panelwright so that the aircraft list is "
                   "read again.";
        case ErrorCode::ReplaceRefused:
        case ErrorCode::ReplaceFailed:
            return "Close the simulator and any program that has the file open, then try again.";
        case ErrorCode::ChangedOnDisk: return "Select the panel again and retry.";
        case ErrorCode::Unrepresentable:
            return "The file is not plain ANSI text (for example it is UTF-16), so it cannot be edited "
                   "without loss. Save it as ANSI text and try again.";
        case ErrorCode::PathTooLong:
        case ErrorCode::NoRoomForTemporary:
            return "Move the simulator or the aircraft to a folder with a shorter path.";
        default: break;
    }
    return "Check that the disk is not full and the drive is reachable, then try again.";
}

std::string FolderOf(const std::string& path) {
    const std::string folder = platform::FolderPart(path);
    return folder.empty() ? std::string("the current folder") : folder;
}

// A file error as "Cannot <verb> <path>: <why>".
struct FileWords {
    const char* verb;
    std::string why;
};

FileWords WordsOf(const fileio::Error& e) {
    switch (e.code) {
        case ErrorCode::NoSectionName: return {"write", "no section name was given"};
        case ErrorCode::PathTooLong:
            return {"use", "the path is longer than " + std::to_string(platform::kMaxPathChars) + " characters"};
        case ErrorCode::NoRoomForTemporary:
            return {"write", "its folder path is too long to hold the temporary file a safe save needs"};
        case ErrorCode::FolderNotFile: return {"use", "it is a folder, not a file"};
        case ErrorCode::ReadOnly: return {"write", "the file is read-only"};
        case ErrorCode::ReadOnlyDelete: return {"delete", "the file is read-only"};
        case ErrorCode::InUse: return {"read", "another program is using it"};
        case ErrorCode::CannotOpen:
        case ErrorCode::ReadFailed: return {"read", e.system};
        case ErrorCode::TooLarge: return {"read", "the file is too large"};
        case ErrorCode::FolderMissing:
            return {"create", "the folder " + platform::FolderPart(e.path) + " does not exist"};
        case ErrorCode::CannotCreateIn: return {"write", "you may not create files in the folder " + FolderOf(e.path)};
        case ErrorCode::NoTemporary: return {"write", "no temporary file could be created in " + FolderOf(e.path)};
        case ErrorCode::DiskFull: return {"write", "the disk is full"};
        case ErrorCode::WriteFailed: return {"write", e.system};
        case ErrorCode::ReplaceRefused: return {"replace", "another program is using it or it is read-only"};
        case ErrorCode::ReplaceFailed: return {"replace", e.system};
        case ErrorCode::DeleteFailed: return {"delete", e.system};
        case ErrorCode::Unrepresentable: return {"edit", std::string("it is ") + kUtf16};
        case ErrorCode::ChangedOnDisk: return {"write", "another program changed it since it was read"};
        case ErrorCode::CopyFromMissing: return {"copy", "the file does not exist"};
        case ErrorCode::BackupUnreadable: return {"read", "the copy just made cannot be read back"};
        case ErrorCode::ReadBackDiffers: return {"save", "it did not hold the new content when it was read back"};
        case ErrorCode::NoLock: return {"edit", "its edit lock could not be taken (" + e.system + ")"};
        case ErrorCode::NoFileName:
        case ErrorCode::None: break;
    }
    return {"use", "no file name was given"};
}

// What to do about a file error, for a text that gives no other advice.
const char* ShortAdvice(ErrorCode code) {
    switch (code) {
        case ErrorCode::ReadOnly:
        case ErrorCode::ReadOnlyDelete: return " Clear its read-only attribute and try again.";
        case ErrorCode::InUse: return " Close it and try again.";
        case ErrorCode::ChangedOnDisk: return " Try again.";
        default: break;
    }
    return "";
}

std::string FileSentence(const fileio::Error& e) {
    if (e.code == ErrorCode::NoFileName) return "No file name was given.";
    const FileWords words = WordsOf(e);
    return std::string("Cannot ") + words.verb + " " + e.path + ": " + words.why + ".";
}

// The error within a message that names `named` already: its path only when it is another.
std::string FileClause(const fileio::Error& e, const std::string& named) {
    const std::string why = WordsOf(e).why;
    return e.path.empty() || e.path == named ? why : why + " (" + e.path + ")";
}

std::string SlotKeys(const std::vector<int>& slots) {
    std::string keys;
    for (int slot : slots) keys += (keys.empty() ? "" : ", ") + panelcfg::SlotKey(slot);
    return keys;
}

// "Window05 (Mini Panel), Window08 (Notes)" for a line; one window a line, indented, for a box.
std::string InlineWindows(const std::vector<panelcfg::TitledWindow>& windows) {
    std::string list;
    for (const auto& window : windows) {
        list += (list.empty() ? "" : ", ") + panelcfg::SlotKey(window.slot) + " (" + window.title + ")";
    }
    return list;
}

std::string ListedWindows(const std::vector<panelcfg::TitledWindow>& windows) {
    std::string list;
    for (const auto& window : windows) list += "\n    " + panelcfg::SlotKey(window.slot) + "  " + window.title;
    return list;
}

std::string PathCounts(const EditOutcome& out) {
    return std::to_string(out.file.size()) + " characters; at most " + std::to_string(panelcfg::kMaxPanelFileChars) +
           " leave room for its backup copy";
}

std::string BackupOf(const EditOutcome& out) { return panelcfg::BackupPath(out.file); }

// The stage of a failed save, for "<what>: <reason>".
std::string SaveStageText(FailStage stage) {
    switch (stage) {
        case FailStage::Backup: return "Making the backup copy " + panelcfg::BackupFileName() + " failed";
        case FailStage::Verify: return "Checking the saved file failed";
        case FailStage::Lock: return "Preparing the edit failed";
        case FailStage::Read: return "Reading the file failed";
        case FailStage::Save:
        case FailStage::NotText:
        case FailStage::ReadOnly:
        case FailStage::None: break;
    }
    return "Saving the file failed";
}

// What became of the file after a failed save, in the box and in a line.
std::string FileState(const EditOutcome& out) {
    if (out.error.code == ErrorCode::ChangedOnDisk) return "Panelwright did not write to the file.";
    if (out.restored) return "Nothing was changed: panel.cfg is as it was before.";
    if (out.othersContent) {
        return "Another program wrote panel.cfg while Panelwright was saving it; Panelwright left that content as "
               "it is. The file as it was before the edit is kept in " +
               BackupOf(out) + ".";
    }
    if (out.backupKept) {
        return "The file could not be restored. Its original content is kept in " + BackupOf(out) +
               ": copy that file over panel.cfg.";
    }
    return "The file could not be restored, and no backup copy could be kept.";
}

std::string FileStateReason(const EditOutcome& out) {
    if (out.restored) return kUnchanged;
    if (out.othersContent) {
        return " Another program wrote the file meanwhile, so it was left as it is; the file as it was before is "
               "kept in " +
               BackupOf(out) + ".";
    }
    if (out.backupKept)
        return " The file could not be restored; its original content is kept in " + BackupOf(out) + ".";
    return " The file could not be restored.";
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string FailureMessage(const EditOutcome& out) {
    const std::string head = Heading(out.action) + FileLine(out);
    const std::string why = FileClause(out.error, out.file);
    switch (out.stage) {
        case FailStage::NotText: return head + "\n\n" + Advice(ErrorCode::Unrepresentable) + kNothingChanged;
        case FailStage::Lock:
        case FailStage::Read:
            return head + "\n" + SaveStageText(out.stage) + ": " + why + ".\n\n" + Advice(out.error.code) +
                   kNothingChanged;
        case FailStage::ReadOnly:
            return head + "\n" + Capitalised(why) + ".\n\n" + Advice(out.error.code) + kNothingChanged;
        case FailStage::Backup:
        case FailStage::Save:
        case FailStage::Verify:
        case FailStage::None: break;
    }
    return head + "\n" + SaveStageText(out.stage) + ": " + why + ".\n\n" + Advice(out.error.code) + "\n\n" +
           FileState(out);
}

std::string GapReason(const std::vector<int>& gaps) {
    return SlotKeys(gaps) +
           (gaps.size() == 1 ? " has a window section but no title" : " have window sections but no titles") +
           ", and the simulator stops opening windows at the first number without one, so the new windows would "
           "never appear";
}

// Names only what lies there: the backup when there is one (the file as it was), else the
// temporary file, which may be cut short.
std::string NoPanelFileReason(const std::string& file, const panelcfg::Leftovers& leftovers) {
    if (leftovers.backup) {
        return "the folder has no panel.cfg; " + panelcfg::BackupPath(file) +
               " is there: rename it back to panel.cfg to restore the panel";
    }
    if (leftovers.temporary) {
        return "the folder has no panel.cfg; " + panelcfg::TemporaryPath(file) +
               " is there, the new content of an interrupted edit, perhaps cut short: check it, then rename it to "
               "panel.cfg to restore the panel";
    }
    return "the folder has no panel.cfg";
}

std::string GapMessage(const EditOutcome& out) {
    const bool one = out.gaps.size() == 1;
    return Heading(out.action) + FileLine(out) + "\n\n" + SlotKeys(out.gaps) +
           (one ? " has a window section but no title. " : " have window sections but no titles. ") + kOpeningRule +
           " It would stop at " + panelcfg::SlotKey(out.gaps.front()) +
           ", so the new windows, which would go above it, would never appear.\n\nGive " +
           (one ? "that window a title" : "those windows titles") + " in [Window Titles], or delete " +
           (one ? "its section" : "their sections") + ", then install again." + kNothingChanged;
}

std::string NoPanelFileMessage(const EditOutcome& out) {
    std::string text = Heading(out.action) + "\n\nFolder: " + platform::FolderPart(out.file) +
                       "\n\nThe folder has no panel.cfg, so there is no panel to " +
                       (out.action == EditAction::Install ? "add the windows to." : "take them out of.");
    if (out.leftovers.backup) {
        text += "\n\n" + BackupOf(out) +
                " is there: it holds the panel.cfg of an edit that was interrupted. Rename it back to panel.cfg to "
                "restore the panel, then try again.";
    } else if (out.leftovers.temporary) {
        text += "\n\n" + panelcfg::TemporaryPath(out.file) +
                " is there: it holds the new content of an edit that was interrupted, perhaps cut short. Check it, "
                "then rename it to panel.cfg to restore the panel, and try again.";
    }
    return text + kNothingChanged;
}

}  // namespace

std::optional<Message> EditMessage(const EditOutcome& out, bool gaugeModuleMissing) {
    switch (out.kind) {
        case EditKind::Done:
            if (out.action == EditAction::Install && gaugeModuleMissing) {
                return Warning("The Aerolith windows were installed into this panel." + FileLine(out) +
                               "\n\nThey stay empty " + kModuleMissing + ".");
            }
            if (out.stranded.empty()) return std::nullopt;
            return Warning("The Aerolith windows were removed from this panel." + FileLine(out) + "\n\n" +
                           kOpeningRule + " These windows now stand above such a gap and will no longer be opened:" +
                           ListedWindows(out.stranded) +
                           "\n\nRenumber them, in [Window Titles] and in their own [WindowNN] sections, so that the "
                           "numbers follow each other from Window00 without a gap.");
        case EditKind::AlreadyDone:
            return Warning("The Aerolith windows are in this panel already." + FileLine(out) +
                           "\n\nAnother program may have installed them since Panelwright read the file." +
                           kNothingChanged);
        case EditKind::NoSet:
            return Warning("There were no Aerolith windows to remove from this panel." + FileLine(out) +
                           "\n\nNo title in its [Window Titles] begins with \"" + panelcfg::kSetTitlePrefix +
                           "\"; another program may have changed the file since Panelwright read it." +
                           kNothingChanged);
        case EditKind::NotEnoughSlots: return Error(kNotEnoughSlotsMessage);
        case EditKind::BelowGap: return Error(GapMessage(out));
        case EditKind::NoExactTitles:
            return Error(Heading(out.action) + FileLine(out) + "\n\nThese titles begin with \"" +
                         panelcfg::kSetTitlePrefix +
                         "\" but none is exactly a title of the Aerolith windows, so Panelwright cannot tell them for "
                         "its own:" +
                         ListedWindows(out.nearMisses) +
                         "\n\nRemove those windows by hand: delete their titles from [Window Titles] and their "
                         "[WindowNN] sections." +
                         kNothingChanged);
        case EditKind::NoPanelFile: return Error(NoPanelFileMessage(out));
        case EditKind::Busy:
            return Error(Heading(out.action) + FileLine(out) +
                         "\n\nAnother program is editing this panel.cfg right now (another Panelwright, or "
                         "panelwright-cli). Wait until it has finished, then try again." +
                         kNothingChanged);
        case EditKind::PathTooLong:
            return Error(Heading(out.action) + "\n\nThe path of its panel.cfg is too long for Windows (" +
                         PathCounts(out) + "):\n" + out.file + "\n\n" + Advice(ErrorCode::PathTooLong) +
                         kNothingChanged);
        case EditKind::Failed: break;
    }
    return Error(FailureMessage(out));
}

std::string EditReason(const EditOutcome& out) {
    switch (out.kind) {
        case EditKind::Done:
            if (out.stranded.empty()) return "";
            return InlineWindows(out.stranded) + (out.stranded.size() == 1 ? " now stands" : " now stand") +
                   " above a window number without a title and will no longer be opened; renumber the windows";
        case EditKind::AlreadyDone: return kHasSetReason;
        case EditKind::NoSet: return "holds no Aerolith windows";
        case EditKind::NotEnoughSlots: return kNotEnoughSlotsReason;
        case EditKind::BelowGap: return GapReason(out.gaps);
        case EditKind::NoExactTitles:
            return "no title is exactly one of the set's: " + InlineWindows(out.nearMisses) +
                   " only begin like them; remove those by hand";
        case EditKind::NoPanelFile: return NoPanelFileReason(out.file, out.leftovers);
        case EditKind::Busy: return "another program is editing this panel.cfg; try again when it has finished";
        case EditKind::PathTooLong:
            return "the path of its panel.cfg is too long for Windows (" + PathCounts(out) + ")";
        case EditKind::Failed: break;
    }
    if (out.stage == FailStage::NotText) return UnusableReason(Unusable::PanelFileNotText, {});
    return FileSentence(out.error) + FileStateReason(out) + ShortAdvice(out.error.code);
}

std::string FileErrorText(const fileio::Error& error) {
    bool whole = false;
    switch (error.code) {
        case ErrorCode::CannotCreateIn:
        case ErrorCode::NoTemporary:
        case ErrorCode::DiskFull:
        case ErrorCode::WriteFailed:
        case ErrorCode::ReplaceRefused:
        case ErrorCode::ReplaceFailed:
        case ErrorCode::Unrepresentable:
        case ErrorCode::ChangedOnDisk: whole = true; break;
        default: break;
    }
    return FileSentence(error) + (whole ? kUnchanged : "") + ShortAdvice(error.code);
}

Message UnusableMessage(Unusable why, const std::string& folder, const fileio::Error& detail) {
    const std::string start = "Panelwright cannot work on this panel: ";
    const std::string unspellable =
        " holds characters that this system's ANSI code page cannot spell. The simulator, an ANSI "
        "program, cannot load such a folder either.\n\n";
    switch (why) {
        case Unusable::NameUnspellable:
            return Warning(start + "the name of its folder" + unspellable + folder +
                           "\n\nNothing was changed. Rename the panel folder using only characters of this "
                           "system's code page, then start Panelwright again.");
        case Unusable::AircraftUnspellable:
            return Warning(start + "the name of its aircraft folder" + unspellable + folder +
                           "\n\nNothing was changed. Rename the aircraft folder using only characters of this "
                           "system's code page, then start Panelwright again.");
        case Unusable::AliasTooLong:
            return Warning(
                "Panelwright cannot show the panel this alias names: the alias in its panel.cfg gives a "
                "folder path that is too long for Windows.\n\nNothing was changed.");
        case Unusable::PanelFileNotText:
            return Warning(start +
                           "its panel.cfg is stored as UTF-16 (Unicode) text, which Panelwright cannot "
                           "write back without damaging it.\n\n" +
                           folder +
                           "panel.cfg\n\nNothing was changed. Save the file as ANSI text (in Notepad: Save As, "
                           "Encoding ANSI), then start Panelwright again.");
        case Unusable::PanelFileIsFolder:
            return Warning(start + "its panel.cfg is a folder, not a file.\n\n" + folder +
                           "panel.cfg\n\nNothing was changed.");
        case Unusable::PanelFileUnreadable:
            return Warning(start + "its panel.cfg cannot be read.\n\n" + FileErrorText(detail) +
                           "\n\nNothing was changed. Check the file's permissions, close any program that "
                           "locks it, then start Panelwright again.");
        case Unusable::PathTooLong:
        case Unusable::No: break;
    }
    return Warning(start + "the path of its folder is too long for Windows.\n\n" + folder +
                   "\n\nNothing was changed. Move or rename the folders to give this panel a shorter path.");
}

std::string UnusableReason(Unusable why, const fileio::Error& detail) {
    switch (why) {
        case Unusable::PathTooLong: return "its folder's path is too long for Windows";
        case Unusable::NameUnspellable: return "its folder's name holds characters the ANSI code page cannot spell";
        case Unusable::AircraftUnspellable:
            return "its aircraft folder's name holds characters the ANSI code page cannot spell";
        case Unusable::AliasTooLong: return "the folder its alias names has a path too long for Windows";
        case Unusable::PanelFileNotText: return std::string("its panel.cfg is ") + kUtf16;
        case Unusable::PanelFileIsFolder: return "its panel.cfg is a folder";
        case Unusable::PanelFileUnreadable:
            return "its panel.cfg cannot be read" + (detail ? ": " + FileClause(detail, detail.path) : std::string());
        case Unusable::No: break;
    }
    return "";
}

Message PreviewPathTooLongMessage(const std::string& bitmapPath) {
    return Warning(
        "The preview of this panel cannot be shown: the path of its main bitmap, as panel.cfg names it, is too long "
        "for Windows.\n\n" +
        bitmapPath);
}

Message WindowNotCreatedMessage(const std::string& detail) {
    return {"Panelwright could not open its window: " + detail + ".", kProgramCaption, Severity::Error};
}

namespace {

std::string SimulatorKey() {
    return std::string("\"") + host::kSimulatorValue + "\" under " + host::kMachineRoot + "\\" + host::kSimulatorKey;
}

std::string SimulatorProblem(SimulatorFolder problem, const std::string& root) {
    switch (problem) {
        case SimulatorFolder::NotNamed:
            return std::string("the registry names no FS2002 folder (no ") + SimulatorKey() + ")";
        case SimulatorFolder::Missing: return "the folder " + root + " does not exist";
        case SimulatorFolder::NotAFolder: return root + " is a file, not a folder";
        case SimulatorFolder::NoAircraftFolder:
            return root + " has no aircraft folder, so it is not the folder FS2002 is installed in";
        case SimulatorFolder::Found: break;
    }
    return "";
}

}  // namespace

Message SimulatorMessage(SimulatorFolder problem, const std::string& root) {
    std::string text = "Panelwright cannot list any aircraft: ";
    if (problem == SimulatorFolder::NotNamed) {
        text += std::string("the registry does not say where FS2002 is installed (no ") + SimulatorKey() + ").";
    } else {
        text += "the registry names " + root + " as FS2002's folder, but " +
                (problem == SimulatorFolder::Missing      ? std::string("that folder does not exist.")
                 : problem == SimulatorFolder::NotAFolder ? std::string("that is a file, not a folder.")
                                                          : std::string("it has no aircraft folder."));
    }
    return Warning(text +
                   "\n\nRepair the simulator's installation (run its setup again), or name its folder with "
                   "panelwright-cli --sim DIR.");
}

std::string SimulatorReason(SimulatorFolder problem, const std::string& root, bool fromRegistry) {
    if (fromRegistry && problem != SimulatorFolder::NotNamed) {
        return "the registry names " + root + " as FS2002's folder (" + SimulatorKey() + "), but " +
               SimulatorProblem(problem, root) +
               "; repair the simulator's installation, or give its folder with --sim DIR";
    }
    return SimulatorProblem(problem, root) + "; give the folder FS2002 is installed in with --sim DIR";
}

std::string UnspellableSimulatorReason(const std::string& root) {
    return "the folder " + root +
           " holds characters this system's ANSI code page cannot spell; FS2002 cannot run from it either";
}

std::string NotAPanelReason(const std::string& name, const std::string& root) {
    std::string text = "not a panel folder of the simulator in " + root;
    // cmd.exe keeps the quote after a final backslash: "...\panel\" arrives as ...\panel"
    if (!name.empty() && name.back() == '"') {
        text +=
            " (in cmd.exe a backslash before a closing quote keeps the quote: write \"...\\panel\" without the "
            "last backslash, or end it with two)";
    }
    return text;
}

std::string BatchSummary(bool install, bool dryRun, int done, int unchanged, int skipped, int refused, int failed) {
    const char* verb = install ? (dryRun ? "would install" : "installed") : (dryRun ? "would remove" : "removed");
    return std::to_string(done) + " " + verb + ", " + std::to_string(unchanged) + " unchanged, " +
           std::to_string(skipped) + " skipped, " + std::to_string(refused) + " refused, " + std::to_string(failed) +
           " failed";
}

std::string TrainerReason(const host::TrainerStatus& status) {
    const std::string uninstallKey = std::string(host::kMachineRoot) + "\\" + host::kTrainerKey;
    const std::string where =
        std::string(host::kDatabaseKey) + " in [" + host::kTrainerSection + "] of " + status.iniPath;
    switch (status.state) {
        case host::TrainerState::NotFound:
            return "the GARMIN 500 Series Trainer is not installed (no " + uninstallKey +
                   "); install it, then try again";
        case host::TrainerState::RegistryError:
            return "the trainer's " + std::string(host::kTrainerValue) + " under " + uninstallKey +
                   " names no folder of the trainer (it reads \"" + status.uninstallText + "\"); reinstall the trainer";
        case host::TrainerState::IniError:
            if (!status.jeppDb) {
                return where + " is missing; start the trainer once, or set it to " +
                       host::DatabaseFileName(host::Database::Americas) + " or " +
                       host::DatabaseFileName(host::Database::International);
            }
            return where + " is \"" + *status.jeppDb + "\", which is neither " +
                   host::DatabaseFileName(host::Database::Americas) + " nor " +
                   host::DatabaseFileName(host::Database::International) + "; set it to one of them";
        case host::TrainerState::Ready: break;
    }
    return "";
}

Message TrainerNotChangedMessage(const fileio::Error& error) {
    return Warning("The GPS trainer's startup database could not be changed.\n\n" + FileErrorText(error));
}

std::string TrainerNotChangedReason(const fileio::Error& error) {
    return "the startup database could not be changed: " + FileErrorText(error);
}

const char* TrainerCaption(host::TrainerState state) {
    switch (state) {
        case host::TrainerState::Ready: return "Toggle Startup Database";
        case host::TrainerState::RegistryError: return "GNS Trainer Registry Error";
        case host::TrainerState::NotFound: return "GNS Trainer Not Found";
        case host::TrainerState::IniError: break;
    }
    return "GNS Trainer .INI DB Error";
}

std::string ReadinessReason(const InstallCheck& check, const PanelRecord& panel) {
    switch (check.readiness) {
        case Readiness::Installable: return "";
        case Readiness::HasSet: return kHasSetReason;
        case Readiness::Alias: return AliasReason(panel.aliasPath);
        case Readiness::Foreign: return ForeignReason();
        case Readiness::NotEnoughSlots: return kNotEnoughSlotsReason;
        case Readiness::TitleGap: return GapReason(check.gaps);
        case Readiness::Unusable: return UnusableReason(panel.unusable, panel.unusableDetail);
        case Readiness::NeedsAdministrator: return NeedsAdministratorReason(panel.folder);
        case Readiness::NoPanelFile:
        case Readiness::Interrupted: break;
    }
    return NoPanelFileReason(panelcfg::PanelFilePath(panel.folder), panel.leftovers);
}

const char* ReadinessCode(const InstallCheck& check, const PanelRecord& panel) {
    switch (check.readiness) {
        case Readiness::Installable: return "";
        case Readiness::HasSet: return "has-set";
        case Readiness::Alias: return "alias";
        case Readiness::Foreign: return "foreign";
        case Readiness::NotEnoughSlots: return "not-enough-slots";
        case Readiness::TitleGap: return "title-gap";
        case Readiness::NoPanelFile: return "no-panel-cfg";
        case Readiness::Interrupted: return "interrupted";
        case Readiness::NeedsAdministrator: return kNeedsAdministratorCode;
        case Readiness::Unusable: break;
    }
    switch (panel.unusable) {
        case Unusable::PathTooLong: return "path-too-long";
        case Unusable::NameUnspellable: return "name-unspellable";
        case Unusable::AircraftUnspellable: return "aircraft-unspellable";
        case Unusable::AliasTooLong: return "alias-too-long";
        case Unusable::PanelFileNotText: return "not-text";
        case Unusable::PanelFileIsFolder: return "panel-cfg-is-folder";
        case Unusable::PanelFileUnreadable: return "unreadable";
        case Unusable::No: break;
    }
    return "unusable";
}

std::string AliasReason(const std::string& aliasPath) {
    return "an alias of " + aliasPath + "; edit that panel instead";
}

std::string ForeignReason() {
    return "edited by hand to carry the Aerolith gauges without their window titles; choose another panel";
}

// --- The fleet doctor (panelwright-cli check) ---------------------------------------------------

namespace {

using panelcfg::Finding;
using panelcfg::FindingCode;
using panelcfg::FindingReason;

std::string Plural(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string GaugeModuleText(const Finding& f) {
    if (f.reason == FindingReason::SetWindowsEmpty) {
        return std::string("the Aerolith windows of this panel stay empty ") + kModuleMissing;
    }
    const std::string lines =
        "[" + f.section + "] " + f.key +
        (f.count > 1 ? " and " + Plural(f.count - 1, "more gauge line", "more gauge lines") + " name" : " names");
    if (f.reason == FindingReason::OnlyInPanelFolder) {
        return lines + " the gauge module " + f.value +
               ", which lies in the panel folder but not in the simulator's gauges folder: FS2002 loads gauges from "
               "its gauges folder only (FS2004 and later also from the panel folder)";
    }
    return lines + " the gauge module " + f.value + ", which is not in the simulator's gauges folder (no " + f.value +
           ".gau, " + f.value + ".cab or " + f.value +
           ".dll): " + (f.count > 1 ? "those gauges stay empty" : "that gauge stays empty");
}

std::string AliasText(const Finding& f) {
    const std::string names = "the alias names " + f.value;
    switch (f.reason) {
        case FindingReason::TargetMissing: return names + ", which is not there: the aircraft gets no panel";
        case FindingReason::TargetHasNoFile: return names + ", which has no panel.cfg: the aircraft gets no panel";
        case FindingReason::AliasLoop:
            return names + ", and the aliases from there lead back to this panel: the aircraft gets no panel";
        default: break;
    }
    return names + ", which is an alias itself (of " + f.other +
           "): the simulator follows one alias only, so the aircraft gets no panel";
}

}  // namespace

const char* FindingCodeName(FindingCode code) {
    switch (code) {
        case FindingCode::GaugeModuleMissing: return "gauge-module-missing";
        case FindingCode::GaugeKeyMisspelled: return "gauge-key-misspelled";
        case FindingCode::TitleGap: return "title-gap";
        case FindingCode::TitleWithoutSection: return "title-without-section";
        case FindingCode::SectionWithoutTitle: return "section-without-title";
        case FindingCode::IdentClash: return "ident-clash";
        case FindingCode::BitmapMissing: return "bitmap-missing";
        case FindingCode::DuplicateSection: return "duplicate-section";
        case FindingCode::DuplicateKey: return "duplicate-key";
        case FindingCode::AliasBroken: return "alias-broken";
        case FindingCode::PanelFolderMissing: return "panel-folder-missing";
        case FindingCode::Unusable: return "unusable";
        case FindingCode::Leftovers: return "leftovers";
        case FindingCode::Interrupted: return "interrupted";
        case FindingCode::PerUserCopy: return "per-user-copy";
    }
    return "";
}

const char* FindingSeverityName(panelcfg::FindingSeverity severity) {
    return severity == panelcfg::FindingSeverity::Error ? "error" : "warning";
}

std::string FindingText(const Finding& f, const PanelRecord* panel) {
    const std::string window = "[" + f.section + "] ";
    switch (f.code) {
        case FindingCode::GaugeModuleMissing: return GaugeModuleText(f);
        case FindingCode::GaugeKeyMisspelled:
            return window + f.key + " is not a gauge key (the simulator reads " + f.value +
                   "), so that gauge never shows";
        case FindingCode::TitleGap:
            return f.key + " (" + f.value + ") stands above " + f.other +
                   ", the first window number without a title: the simulator opens windows from Window00 up and "
                   "stops there, so it never opens this one";
        case FindingCode::TitleWithoutSection:
            return f.key + " (" + f.value + ") has a title but no [" + f.other +
                   "] section: the simulator opens a window with nothing in it";
        case FindingCode::SectionWithoutTitle:
            return window + "has no title in [Window Titles], so the simulator never opens it";
        case FindingCode::IdentClash:
            return window + "has ident " + f.value + ", as [" + f.other +
                   "] has: a gauge or key that opens or closes that ident cannot tell the two windows apart";
        case FindingCode::BitmapMissing:
            if (f.reason == FindingReason::OtherBitmapThere) {
                return window + f.key + " names " + f.value + ", which is not in the panel folder (" + f.other +
                       ", the other bitmap, is): where the simulator uses " + f.key + " the window shows no background";
            }
            return window + f.key + " names " + f.value +
                   ", which is not in the panel folder: the window shows no "
                   "background";
        case FindingCode::DuplicateSection:
            return window + "appears again at line " + std::to_string(f.line) +
                   ": the simulator reads only the first, at line " + std::to_string(f.otherLine) +
                   ", and ignores this one";
        case FindingCode::DuplicateKey:
            return window + f.key + " appears again at line " + std::to_string(f.line) +
                   " with another value: the simulator reads the first, at line " + std::to_string(f.otherLine) +
                   ", and ignores this one";
        case FindingCode::AliasBroken: return AliasText(f);
        case FindingCode::PanelFolderMissing:
            return "aircraft.cfg names this panel folder in [" + f.section + "] (" + f.key + "=" + f.value +
                   "), but there is no such folder: that variation of the aircraft gets no panel";
        case FindingCode::Unusable:
            return panel != nullptr ? UnusableReason(panel->unusable, panel->unusableDetail) : "";
        case FindingCode::Leftovers:
            return "a " + panelcfg::BackupFileName() + " or " + panelcfg::TemporaryFileName() +
                   " of an interrupted edit lies beside panel.cfg; the next install or removal of this panel clears it";
        case FindingCode::Interrupted:
            return panel != nullptr ? NoPanelFileReason(panelcfg::PanelFilePath(panel->folder), panel->leftovers) : "";
        case FindingCode::PerUserCopy:
            return panel != nullptr ? ShadowCopyNote(*panel) +
                                          " (Windows keeps it for this user), not this panel.cfg: the simulator shows "
                                          "what the copy says, and Panelwright checks and edits the copy"
                                    : "";
    }
    return "";
}

std::string CheckSummary(int errors, int warnings, int panelsWithFindings, int panels) {
    if (errors + warnings == 0) return "nothing found in " + Plural(panels, "panel", "panels");
    const std::string found =
        errors == 0     ? Plural(warnings, "warning", "warnings")
        : warnings == 0 ? Plural(errors, "error", "errors")
                        : Plural(errors, "error", "errors") + " and " + Plural(warnings, "warning", "warnings");
    return found + " in " + std::to_string(panelsWithFindings) + " of " + Plural(panels, "panel", "panels");
}

std::string UnlistedItemText(int panels, int aircraft) {
    if (panels <= 0 && aircraft <= 0) return {};
    std::string text = "Not listed: ";
    if (panels > 0) text += Plural(panels, "panel folder", "panel folders") + (aircraft > 0 ? " in " : "");
    if (aircraft > 0) text += Plural(aircraft, "aircraft folder", "aircraft folders");
    return text;
}

// --- The per-user copy the simulator reads, and folders only administrators may change ----------

Message ShadowCopyMessage(const PanelRecord& panel) {
    return Warning("The simulator reads your own copy of this panel's panel.cfg, not the one in its folder:\n\n" +
                   panelcfg::PanelFilePath(panel.copyFolder) +
                   "\n\nWindows keeps this copy for your user account because a program once changed panel.cfg "
                   "there without administrator rights; the simulator, started as usual, reads it instead of\n" +
                   panelcfg::PanelFilePath(panel.folder) +
                   "\n\nPanelwright shows and edits the copy, and leaves the other file as it is.");
}

std::string ShadowCopyNote(const PanelRecord& panel) {
    return "the simulator reads the per-user copy " + panelcfg::PanelFilePath(panel.copyFolder);
}

Message AdministratorOffer(EditAction action, const std::string& file) {
    return Error(Heading(action) + FileLine(file) +
                 "\n\nWindows lets only administrators change files in this folder, and Panelwright is not "
                 "running as administrator. Nothing was changed.\n\nRestart Panelwright as administrator? "
                 "Windows asks for your permission first; then select the panel and try again.");
}

std::string NeedsAdministratorReason(const std::string& folder) {
    return "Windows lets only administrators change files in " + folder +
           "; run panelwright-cli from an administrator command prompt (right-click Command Prompt, Run as "
           "administrator)";
}

Message RestartFailedMessage(const std::string& detail) {
    return Warning("Panelwright could not restart as administrator: " + detail + ".");
}

}  // namespace catalogue
