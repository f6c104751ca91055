#include "panelcfg/gps_window_set.h"

#include "panelcfg/gps_window_set_layout.h"
#include "panelcfg/panel_edit_commit.h"
#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_paths.h"
#include "platform/profile_diff.h"
#include "platform/profile_file.h"
#include "platform/profile_value.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace panelcfg {

namespace {

using profile::ErrorCode;

// Where an install puts the set: the four lowest slots, ascending, that are free in slotMask
// and have no section of their name in doc. A free slot with a section is skipped so that two
// windows are never mixed; skipped below the highest chosen slot, it leaves the set above a gap.
struct SlotPlan {
    std::array<int, 4> slots{{-1, -1, -1, -1}};
    bool enough = false;            // four slots were found
    std::vector<int> gapsBelow;     // skipped slots below the highest chosen one, ascending
};

// A window the simulator will not open: its title stands above a number without one.
struct StrandedWindow {
    int slot = 0;
    std::string title;
};

enum class Action { Install, Remove };

const char* ActionText(Action action) {
    return action == Action::Install ? "Panelwright could not install the Aerolith windows into this panel."
                                     : "Panelwright could not remove the Aerolith windows from this panel.";
}

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
    case ErrorCode::PathTooLong:
        return "Move the simulator or the aircraft to a folder with a shorter path.";
    case ErrorCode::ReadFailed:
    case ErrorCode::WriteFailed:
    case ErrorCode::InvalidArgument:
    case ErrorCode::None:
        break;
    }
    return "Check that the disk is not full and the drive is reachable, then try again.";
}

std::string ReasonOf(const profile::Error& error) {
    if (!error.reason.empty()) return error.reason;
    return "The file " + error.path + " could not be accessed.";
}

EditOutcome Failure(std::string message, std::string reason) {
    EditOutcome out;
    out.kind = EditKind::Failed;
    out.message = std::move(message);
    out.reason = std::move(reason);
    return out;
}

EditOutcome Refusal(EditKind kind, std::string message, std::string reason) {
    EditOutcome out = Failure(std::move(message), std::move(reason));
    out.kind = kind;
    return out;
}

constexpr const char* kUnrepresentableReason =
    "it is not plain ANSI text (for example UTF-16), so it cannot be edited without loss";

// The commit's failure in one sentence, and where the original is when it could not be restored.
std::string CommitFailureReason(const CommitResult& commit) {
    std::string reason = ReasonOf(commit.error);
    if (!commit.restored && commit.backupKept) {
        reason += " The file could not be restored; its original content is kept in " + commit.backupPath + ".";
    } else if (!commit.restored) {
        reason += " The file could not be restored.";
    }
    return reason;
}

std::string ReadFailureMessage(Action action, const std::string& file, const profile::Error& error) {
    return std::string(ActionText(action)) + "\n\nFile: " + file + "\nReading the file failed: " +
           ReasonOf(error) + "\n\n" + Advice(error.code) + "\n\nNothing was changed.";
}

std::string UnrepresentableMessage(Action action, const std::string& file) {
    return std::string(ActionText(action)) + "\n\nFile: " + file + "\n\n" + Advice(ErrorCode::Unrepresentable) +
           "\n\nNothing was changed.";
}

std::string CommitFailureMessage(Action action, const std::string& file, const CommitResult& commit) {
    const char* what = commit.stage == CommitStage::Backup   ? "Making the backup copy panel.cfg_backup failed"
                       : commit.stage == CommitStage::Verify ? "Checking the saved file failed"
                                                             : "Saving the file failed";
    std::string state;
    if (commit.error.code == ErrorCode::ChangedOnDisk) {
        state = "Panelwright did not write to the file.";
    } else if (commit.restored) {
        state = "Nothing was changed: panel.cfg is as it was before.";
    } else if (commit.backupKept) {
        state = "The file could not be restored. Its original content is kept in " + commit.backupPath +
                ": copy that file over panel.cfg.";
    } else {
        state = "The file could not be restored, and no backup copy could be kept.";
    }
    return std::string(ActionText(action)) + "\n\nFile: " + file + "\n" + what + ": " + ReasonOf(commit.error) +
           "\n\n" + Advice(commit.error.code) + "\n\n" + state;
}

// The file path, or an outcome that refuses a path beyond the Windows limits.
bool ComposeFilePath(const std::string& panelFolder, Action action, std::string& file, EditOutcome& refusal) {
    file = PanelFilePath(panelFolder);
    if (file.size() <= kMaxPanelFileChars) return true;
    const std::string counts = std::to_string(file.size()) + " characters; at most " +
                               std::to_string(kMaxPanelFileChars) + " leave room for its backup copy";
    refusal.kind = EditKind::PathTooLong;
    refusal.message = std::string(ActionText(action)) + "\n\nThe path of its panel.cfg is too long for Windows (" +
                      counts + "):\n" + file + "\n\n" + Advice(ErrorCode::PathTooLong) + "\n\nNothing was changed.";
    refusal.reason = "the path of its panel.cfg is too long for Windows (" + counts + ")";
    return false;
}

constexpr const char* kOpeningRule =
    "The simulator opens a panel's windows by their titles in [Window Titles], counting up from "
    "Window00, and stops at the first number that has no title.";

constexpr const char* kNotEnoughSlotsReason =
    "fewer than four window slots are free (a free slot has neither a title nor a [WindowNN] section)";

std::string SlotKeys(const std::vector<int>& slots) {
    std::string keys;
    for (int slot : slots) keys += (keys.empty() ? "" : ", ") + SlotKey(slot);
    return keys;
}

std::string GapReason(const std::vector<int>& gaps) {
    return SlotKeys(gaps) + (gaps.size() == 1 ? " has a window section but no title" : " have window sections but no titles") +
           ", and the simulator stops opening windows at the first number without one, so the new windows would never "
           "appear";
}

std::string GapMessage(const std::string& file, const std::vector<int>& gaps) {
    const std::string keys = SlotKeys(gaps);
    const std::string first = SlotKey(gaps.front());
    const bool one = gaps.size() == 1;
    return std::string(ActionText(Action::Install)) + "\n\nFile: " + file + "\n\n" + keys +
           (one ? " has a window section but no title. " : " have window sections but no titles. ") +
           kOpeningRule + " It would stop at " + first +
           ", so the new windows, which would go above it, would never appear.\n\nGive " +
           (one ? "that window a title" : "those windows titles") + " in [Window Titles], or delete " +
           (one ? "its section" : "their sections") + ", then install again.\n\nNothing was changed.";
}

// Empty when every titled window stays within the simulator's reach.
std::string StrandedReason(const std::vector<StrandedWindow>& stranded) {
    if (stranded.empty()) return {};
    std::string list;
    for (const StrandedWindow& window : stranded) {
        list += (list.empty() ? "" : ", ") + SlotKey(window.slot) + " (" + window.title + ")";
    }
    return list + (stranded.size() == 1 ? " now stands" : " now stand") +
           " above a window number without a title and will no longer be opened; renumber the windows";
}

std::string StrandedMessage(const std::string& file, const std::vector<StrandedWindow>& stranded) {
    if (stranded.empty()) return {};
    std::string list;
    for (const StrandedWindow& window : stranded) list += "\n    " + SlotKey(window.slot) + "  " + window.title;
    return "The Aerolith windows were removed from this panel.\n\nFile: " + file + "\n\n" + kOpeningRule +
           " These windows now stand above such a gap and will no longer be opened:" + list +
           "\n\nRenumber them, in [Window Titles] and in their own [WindowNN] sections, so that the "
           "numbers follow each other from Window00 without a gap.";
}

int FreeSlotCount(std::uint32_t slotMask) {
    int count = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!(slotMask & (std::uint32_t{1} << slot))) ++count;
    }
    return count;
}

// The inventory as a fresh read of the file gives it, as the removal's closing inventory does.
std::uint32_t InventoryOnDisk(const std::string& file, profile::FileSystem& files) {
    profile::LoadedFile now;
    if (profile::Load(file, now, files)) return 0;
    return ReadSlotInventory(now.doc).slotMask;
}

SlotPlan PlanSlots(const profile::Document& doc, std::uint32_t slotMask) {
    SlotPlan plan;
    std::vector<int> skipped;
    std::size_t found = 0;
    for (int slot = 0; slot < kSlotCount && found < plan.slots.size(); ++slot) {
        if (slotMask & (std::uint32_t{1} << slot)) continue;
        if (doc.HasSection(SlotKey(slot))) {
            skipped.push_back(slot);  // a window without a title: never merged into
            continue;
        }
        plan.slots[found++] = slot;
    }
    plan.enough = found == plan.slots.size();
    // Every skipped slot lies below the last chosen one, since the choice goes upwards.
    if (plan.enough) plan.gapsBelow = std::move(skipped);
    return plan;
}

// Bit i set for every slot of the run of titles from Window00 up: the windows the simulator opens.
std::uint32_t OpenedWindows(std::uint32_t titled) { return titled & ~(titled + 1); }

// The title the inspection reads for slot, with the key it reads it by; none when absent.
std::optional<std::string> TitleOf(const profile::Document& doc, int slot, std::string* key = nullptr) {
    if (std::optional<std::string> title = profile::ReadValue(doc, kTitlesSection, SlotKey(slot))) {
        if (key != nullptr) *key = SlotKey(slot);
        return title;
    }
    if (slot >= 10) return std::nullopt;
    if (key != nullptr) *key = OneDigitSlotKey(slot);
    return profile::ReadValue(doc, kTitlesSection, OneDigitSlotKey(slot));
}

bool IsExactSetTitle(const std::string& title) {
    return std::find(kSetTitles.begin(), kSetTitles.end(), title) != kSetTitles.end();
}

// The windows the simulator opened in before and no longer opens in after, though still titled.
std::vector<StrandedWindow> StrandedWindows(const profile::Document& before, const profile::Document& after) {
    const std::uint32_t titled = ReadSlotInventory(after).slotMask;
    const std::uint32_t lost = OpenedWindows(ReadSlotInventory(before).slotMask) & ~OpenedWindows(titled) & titled;
    std::vector<StrandedWindow> stranded;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (lost & (std::uint32_t{1} << slot)) stranded.push_back({slot, TitleOf(after, slot).value_or("")});
    }
    return stranded;
}

// Deletes each title of the set the inspection reads, until it reads none; the slots, ascending.
// A title repeated under one key goes in as many rounds as it is repeated.
std::vector<int> RemoveSetTitles(profile::Document& doc) {
    std::uint32_t removed = 0;
    for (bool again = true; again;) {
        again = false;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            std::string key;
            const std::optional<std::string> title = TitleOf(doc, slot, &key);
            if (!title || !IsExactSetTitle(*title)) continue;
            doc.RemoveKey(kTitlesSection, key);
            removed |= std::uint32_t{1} << slot;
            again = true;
        }
    }
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (removed & (std::uint32_t{1} << slot)) slots.push_back(slot);
    }
    return slots;
}

// Titles that begin as the set's do without being one of them: the guard passes, nothing goes.
std::vector<StrandedWindow> NearMisses(const profile::Document& doc) {
    std::vector<StrandedWindow> titles;
    const std::uint32_t set = ReadSlotInventory(doc).setMask;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (set & (std::uint32_t{1} << slot)) titles.push_back({slot, TitleOf(doc, slot).value_or("")});
    }
    return titles;
}

EditOutcome NoExactTitlesRefusal(const std::string& file, const std::vector<StrandedWindow>& titles) {
    std::string list, inline_;
    for (const StrandedWindow& window : titles) {
        list += "\n    " + SlotKey(window.slot) + "  " + window.title;
        inline_ += (inline_.empty() ? "" : ", ") + SlotKey(window.slot) + " (" + window.title + ")";
    }
    return Refusal(EditKind::NoExactTitles,
                   std::string(ActionText(Action::Remove)) + "\n\nFile: " + file +
                       "\n\nThese titles begin with \"" + kSetTitlePrefix +
                       "\" but none is exactly a title of the Aerolith windows, so Panelwright cannot tell them "
                       "for its own:" + list +
                       "\n\nRemove those windows by hand: delete their titles from [Window Titles] and their "
                       "[WindowNN] sections.\n\nNothing was changed.",
                   "no title is exactly one of the set's: " + inline_ + " only begin like them; remove those by hand");
}

// An edit never makes a panel.cfg: the set alone would become the panel's main window.
EditOutcome NoPanelFileRefusal(Action action, const std::string& file, profile::FileSystem& files) {
    const std::string backup = BackupPath(file);
    const bool backedUp = profile::FileExists(backup, files);
    std::string message = std::string(ActionText(action)) + "\n\nFolder: " + platform::FolderPart(file) +
                          "\n\nThe folder has no panel.cfg, so there is no panel to " +
                          (action == Action::Install ? "add the windows to." : "take them out of.");
    std::string reason = "the folder has no panel.cfg";
    if (backedUp) {
        message += "\n\n" + backup +
                   " is there: it holds the panel.cfg of an edit that was interrupted. Rename it back to "
                   "panel.cfg to restore the panel, then try again.";
        reason += "; " + backup + " is there: rename it back to panel.cfg to restore the panel";
    }
    EditOutcome refused = Refusal(EditKind::NoPanelFile, message + "\n\nNothing was changed.", reason);
    refused.interrupted = backedUp;
    return refused;
}

// After the removal, a [Window Titles] left with no line at all goes too, header and line end.
void DropEmptyTitlesSection(profile::Document& doc) {
    if (doc.HasSection(kTitlesSection) && doc.SectionLineCount(kTitlesSection) == 0) {
        doc.RemoveSection(kTitlesSection);
    }
}

}  // namespace

EditOutcome InstallGpsWindowSet(const std::string& panelFolder, std::uint32_t slotMask, double width,
                                profile::FileSystem& files, const EditOptions& options) {
    EditOutcome out;
    if (FreeSlotCount(slotMask) < 4) {
        return Refusal(EditKind::NotEnoughSlots, kNotEnoughSlotsMessage, kNotEnoughSlotsReason);
    }
    std::string file;
    if (!ComposeFilePath(panelFolder, Action::Install, file, out)) return out;
    if (!UsableWidth(width)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", width);
        return Failure(std::string(ActionText(Action::Install)) + "\n\nFile: " + file +
                           "\nThe width of the panel's main window (size_mm of [Window00]) is " + text +
                           ", which cannot size the windows.\n\nCorrect size_mm in [Window00] and select the "
                           "panel again.\n\nNothing was changed.",
                       std::string("size_mm of [Window00] gives the width ") + text + ", which cannot size the windows");
    }

    profile::LoadedFile loaded;
    if (profile::Error e = profile::Load(file, loaded, files)) {
        return Failure(ReadFailureMessage(Action::Install, file, e), ReasonOf(e));
    }
    if (!loaded.existed) return NoPanelFileRefusal(Action::Install, file, files);
    if (loaded.doc.Unrepresentable()) {
        return Failure(UnrepresentableMessage(Action::Install, file), kUnrepresentableReason);
    }

    const SlotPlan plan = PlanSlots(loaded.doc, slotMask);
    if (!plan.enough) return Refusal(EditKind::NotEnoughSlots, kNotEnoughSlotsMessage, kNotEnoughSlotsReason);
    if (!plan.gapsBelow.empty()) {
        return Refusal(EditKind::BelowGap, GapMessage(file, plan.gapsBelow), GapReason(plan.gapsBelow));
    }

    profile::Document doc = loaded.doc;
    for (const ProfileWrite& write : GpsWindowSetWrites(plan.slots, width)) doc.Set(write.section, write.key, write.value);
    doc.KeepSourceEnding();

    if (options.dryRun) {
        out.diff = profile::UnifiedDiff(doc, file, file);
    } else {
        const CommitResult commit = CommitEdit(file, loaded, doc, files);
        if (!commit.ok) return Failure(CommitFailureMessage(Action::Install, file, commit), CommitFailureReason(commit));
    }
    out.kind = EditKind::Done;
    out.slots = plan.slots;
    return out;
}

EditOutcome RemoveGpsWindowSet(const std::string& panelFolder, profile::FileSystem& files, const EditOptions& options) {
    EditOutcome out;
    std::string file;
    if (!ComposeFilePath(panelFolder, Action::Remove, file, out)) return out;

    profile::LoadedFile loaded;
    if (profile::Error e = profile::Load(file, loaded, files)) {
        return Failure(ReadFailureMessage(Action::Remove, file, e), ReasonOf(e));
    }
    if (!loaded.existed) return NoPanelFileRefusal(Action::Remove, file, files);
    if (loaded.doc.Unrepresentable()) {
        return Failure(UnrepresentableMessage(Action::Remove, file), kUnrepresentableReason);
    }

    const SlotInventory before = ReadSlotInventory(loaded.doc);
    out.inventoryKnown = true;
    out.slotMask = before.slotMask;
    if (!before.setFound) {
        out.kind = EditKind::NoSet;
        out.message = "There were no Aerolith windows to remove from this panel.\n\nFile: " + file +
                      "\n\nNo title in its [Window Titles] begins with \"" + kSetTitlePrefix +
                      "\"; another program may have changed the file since Panelwright read it.\n\nNothing was "
                      "changed.";
        out.reason = "it holds no Aerolith windows";
        return out;
    }

    profile::Document doc = loaded.doc;
    out.removedSlots = RemoveSetTitles(doc);
    if (out.removedSlots.empty()) {
        EditOutcome refused = NoExactTitlesRefusal(file, NearMisses(loaded.doc));
        refused.inventoryKnown = true;
        refused.slotMask = before.slotMask;
        return refused;
    }
    for (int slot : out.removedSlots) doc.RemoveSection(SlotKey(slot));
    DropEmptyTitlesSection(doc);
    doc.KeepSourceEnding();

    out.kind = EditKind::Done;
    if (options.dryRun) {
        out.diff = profile::UnifiedDiff(doc, file, file);
    } else {
        const CommitResult commit = CommitEdit(file, loaded, doc, files);
        if (!commit.ok) {
            EditOutcome failed =
                Failure(CommitFailureMessage(Action::Remove, file, commit), CommitFailureReason(commit));
            failed.inventoryKnown = true;
            failed.slotMask = InventoryOnDisk(file, files);
            return failed;
        }
    }
    if (!options.dryRun) out.slotMask = ReadSlotInventory(doc).slotMask;
    const std::vector<StrandedWindow> stranded = StrandedWindows(loaded.doc, doc);
    out.message = StrandedMessage(file, stranded);
    out.reason = StrandedReason(stranded);
    return out;
}

}  // namespace panelcfg
