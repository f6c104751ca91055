#include "catalogue/messages.h"

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
constexpr const char* kUnrepresentableReason =
    "it is not plain ANSI text (for example UTF-16), so it cannot be edited without loss";
constexpr const char* kNothingChanged = "\n\nNothing was changed.";
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

std::string FileLine(const EditOutcome& out) { return "\n\nFile: " + out.file; }

const char* Advice(ErrorCode code) {
    switch (code) {
        case ErrorCode::AccessDenied:
            return "The file or its folder is write-protected or in use. Close the simulator and any editor "
                   "that has the file open; if the simulator is installed under Program Files, run "
                   "Panelwright as administrator. Then try again.";
        case ErrorCode::NotFound:
        case ErrorCode::FolderMissing:
            return "The panel folder no longer exists. Restart Panelwright so that the aircraft list is "
                   "read again.";
        case ErrorCode::ReplaceFailed:
            return "Close the simulator and any program that has the file open, then try again.";
        case ErrorCode::ChangedOnDisk:
            return "Another program changed the file at the same time. Select the panel again and retry.";
        case ErrorCode::Unrepresentable:
            return "The file is not plain ANSI text (for example it is UTF-16), so it cannot be edited "
                   "without loss. Save it as ANSI text and try again.";
        case ErrorCode::PathTooLong: return "Move the simulator or the aircraft to a folder with a shorter path.";
        case ErrorCode::ReadFailed:
        case ErrorCode::WriteFailed:
        case ErrorCode::InvalidArgument:
        case ErrorCode::None: break;
    }
    return "Check that the disk is not full and the drive is reachable, then try again.";
}

std::string ReasonOf(const fileio::Error& error) {
    return error.reason.empty() ? "The file " + error.path + " could not be accessed." : error.reason;
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
const char* SaveStageText(FailStage stage) {
    switch (stage) {
        case FailStage::Backup: return "Making the backup copy panel.cfg_backup failed";
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
    if (out.restored || out.error.code == ErrorCode::ChangedOnDisk) return "";
    if (out.othersContent) {
        return " Another program wrote the file meanwhile, so it was left as it is; the file as it was before is "
               "kept in " +
               BackupOf(out) + ".";
    }
    if (out.backupKept)
        return " The file could not be restored; its original content is kept in " + BackupOf(out) + ".";
    return " The file could not be restored.";
}

std::string FailureMessage(const EditOutcome& out) {
    const std::string head = Heading(out.action) + FileLine(out);
    switch (out.stage) {
        case FailStage::NotText: return head + "\n\n" + Advice(ErrorCode::Unrepresentable) + kNothingChanged;
        case FailStage::Lock:
        case FailStage::Read:
            return head + "\n" + SaveStageText(out.stage) + ": " + ReasonOf(out.error) + "\n\n" +
                   Advice(out.error.code) + kNothingChanged;
        case FailStage::ReadOnly:
            return head + "\n" + ReasonOf(out.error) + "\n\n" + Advice(ErrorCode::AccessDenied) + kNothingChanged;
        case FailStage::Backup:
        case FailStage::Save:
        case FailStage::Verify:
        case FailStage::None: break;
    }
    return head + "\n" + SaveStageText(out.stage) + ": " + ReasonOf(out.error) + "\n\n" + Advice(out.error.code) +
           "\n\n" + FileState(out);
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
    if (out.stage == FailStage::NotText) return kUnrepresentableReason;
    return ReasonOf(out.error) + FileStateReason(out);
}

Message UnusableMessage(Unusable why, const std::string& folder, const std::string& detail) {
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
            return Warning(start + "its panel.cfg cannot be read.\n\n" + detail +
                           "\n\nNothing was changed. Check the file's permissions, close any program that "
                           "locks it, then start Panelwright again.");
        case Unusable::PathTooLong:
        case Unusable::No: break;
    }
    return Warning(start + "the path of its folder is too long for Windows.\n\n" + folder +
                   "\n\nNothing was changed. Move or rename the folders to give this panel a shorter path.");
}

std::string UnusableReason(Unusable why, const std::string& detail) {
    switch (why) {
        case Unusable::PathTooLong: return "its folder's path is too long for Windows";
        case Unusable::NameUnspellable: return "its folder's name holds characters the ANSI code page cannot spell";
        case Unusable::AircraftUnspellable:
            return "its aircraft folder's name holds characters the ANSI code page cannot spell";
        case Unusable::AliasTooLong: return "the folder its alias names has a path too long for Windows";
        case Unusable::PanelFileNotText:
            return "its panel.cfg is UTF-16 text, which cannot be written back without damaging it";
        case Unusable::PanelFileIsFolder: return "its panel.cfg is a folder";
        case Unusable::PanelFileUnreadable:
            return "its panel.cfg cannot be read" + (detail.empty() ? std::string() : ": " + detail);
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

constexpr const char* kSimulatorKey =
    "\"EXE Path\" under HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";

std::string SimulatorProblem(SimulatorFolder problem, const std::string& root) {
    switch (problem) {
        case SimulatorFolder::NotNamed:
            return std::string("the registry names no FS2002 folder (no ") + kSimulatorKey + ")";
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
        text += std::string("the registry does not say where FS2002 is installed (no ") + kSimulatorKey + ").";
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
        return "the registry names " + root + " as FS2002's folder (" + kSimulatorKey + "), but " +
               SimulatorProblem(problem, root) +
               "; repair the simulator's installation, or give its folder with --sim DIR";
    }
    return SimulatorProblem(problem, root) + "; give the folder FS2002 is installed in with --sim DIR";
}

std::string TrainerReason(const host::TrainerStatus& status) {
    const std::string uninstallKey =
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GARMIN 500 Series Trainer";
    const std::string where =
        std::string(host::kDatabaseKey) + " in [" + host::kTrainerSection + "] of " + status.iniPath;
    switch (status.state) {
        case host::TrainerState::NotFound:
            return "the GARMIN 500 Series Trainer is not installed (no " + uninstallKey +
                   "); install it, then try again";
        case host::TrainerState::RegistryError:
            return "the trainer's UninstallString under " + uninstallKey +
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

std::string ReadinessReason(const InstallCheck& check, const PanelRecord& panel) {
    switch (check.readiness) {
        case Readiness::Installable: return "";
        case Readiness::HasSet: return kHasSetReason;
        case Readiness::Alias: return AliasReason(panel.aliasPath);
        case Readiness::Foreign: return ForeignReason();
        case Readiness::NotEnoughSlots: return kNotEnoughSlotsReason;
        case Readiness::TitleGap: return GapReason(check.gaps);
        case Readiness::Unusable: return UnusableReason(panel.unusable, panel.unusableDetail);
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
            return "a panel.cfg_backup or panel.cfg_new of an interrupted edit lies beside panel.cfg; the next "
                   "install or removal of this panel clears it";
        case FindingCode::Interrupted:
            return panel != nullptr ? NoPanelFileReason(panelcfg::PanelFilePath(panel->folder), panel->leftovers) : "";
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

}  // namespace catalogue
