#include "panelcfg/gps_window_set.h"

#include "panelcfg/gps_window_set_layout.h"
#include "panelcfg/panel_edit_commit.h"
#include "panelcfg/panel_paths.h"
#include "platform/profile_diff.h"
#include "platform/profile_file.h"
#include "platform/profile_value.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace panelcfg {

namespace {

constexpr std::uint32_t Bit(int slot) { return std::uint32_t{1} << slot; }

EditOutcome Outcome(EditAction action, EditKind kind, const std::string& file) {
    EditOutcome out;
    out.action = action;
    out.kind = kind;
    out.file = file;
    return out;
}

EditOutcome Failure(EditAction action, const std::string& file, FailStage stage, fileio::Error error) {
    EditOutcome out = Outcome(action, EditKind::Failed, file);
    out.stage = stage;
    out.error = std::move(error);
    return out;
}

// The file as it stands, for the catalogue's copy of the panel.
void KeepState(EditOutcome& out, const profile::Document& doc) {
    out.stateKnown = true;
    out.state = ReadPanelSlots(doc);
}

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

std::vector<TitledWindow> Windows(const profile::Document& doc, std::uint32_t mask) {
    std::vector<TitledWindow> windows;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (mask & Bit(slot)) windows.push_back({slot, TitleOf(doc, slot).value_or("")});
    }
    return windows;
}

bool IsExactSetTitle(const std::string& title) {
    return std::find(kSetTitles.begin(), kSetTitles.end(), title) != kSetTitles.end();
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
            removed |= Bit(slot);
            again = true;
        }
    }
    std::vector<int> slots;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (removed & Bit(slot)) slots.push_back(slot);
    }
    return slots;
}

// After the removal, a [Window Titles] left with no line at all goes too, header and line end.
void DropEmptyTitlesSection(profile::Document& doc) {
    if (doc.HasSection(kTitlesSection) && doc.SectionLineCount(kTitlesSection) == 0) {
        doc.RemoveSection(kTitlesSection);
    }
}

// Locks and reads the panel.cfg of panelFolder, and refuses what the edit can see will fail
// before it plans: another editor, a missing, unreadable, UTF-16 or read-only file. On success
// out is the outcome to fill in.
bool OpenForEdit(EditAction action, const std::string& panelFolder, const EditOptions& options,
                 fileio::FileSystem& files, PanelEdit& edit, EditOutcome& out) {
    const std::string file = PanelFilePath(panelFolder);
    out = Outcome(action, EditKind::Failed, file);
    if (file.size() > kMaxPanelFileChars) {
        out.kind = EditKind::PathTooLong;
        return false;
    }
    fileio::Error error;
    switch (OpenPanelEdit(file, options.dryRun, edit, error, files)) {
        case OpenResult::Opened: break;
        case OpenResult::Busy: out.kind = EditKind::Busy; return false;
        case OpenResult::Failed:
            out = Failure(action, file, edit.lock ? FailStage::Read : FailStage::Lock, error);
            return false;
    }
    if (!edit.loaded.existed) {
        out.kind = EditKind::NoPanelFile;
        out.leftovers = FindLeftovers(file, files);
        return false;
    }
    if (edit.loaded.doc.Unrepresentable()) {
        out = Failure(action, file, FailStage::NotText, fileio::Error{fileio::ErrorCode::Unrepresentable, file});
        return false;
    }
    if (edit.loaded.stamp.readOnly) {
        out = Failure(action, file, FailStage::ReadOnly, fileio::Error{fileio::ErrorCode::ReadOnly, file});
        return false;
    }
    return true;
}

// Saves doc, or describes it in a dry run; false with out set to the failure when the save fails.
bool Commit(PanelEdit& edit, const profile::Document& doc, const EditOptions& options, fileio::FileSystem& files,
            EditOutcome& out) {
    if (options.dryRun) {
        out.diff = profile::UnifiedDiff(doc, edit.file, edit.file);
        return true;
    }
    const CommitResult commit = CommitEdit(edit, doc, files);
    if (commit.ok) return true;
    const FailStage stage = commit.stage == CommitStage::Backup   ? FailStage::Backup
                            : commit.stage == CommitStage::Verify ? FailStage::Verify
                                                                  : FailStage::Save;
    EditOutcome failed = Failure(out.action, edit.file, stage, commit.error);
    failed.restored = commit.restored;
    failed.backupKept = commit.backupKept;
    failed.othersContent = commit.othersContent;
    // The catalogue follows the file as it now is, whoever wrote it.
    if (commit.restored) KeepState(failed, edit.loaded.doc);
    out = std::move(failed);
    return false;
}

EditOutcome InstallOpened(PanelEdit& edit, const std::string& panelFolder, fileio::FileSystem& files,
                          const EditOptions& options) {
    EditOutcome out;
    if (!OpenForEdit(EditAction::Install, panelFolder, options, files, edit, out)) return out;
    const profile::Document& read = edit.loaded.doc;
    const PanelSlots panel = ReadPanelSlots(read);
    KeepState(out, read);
    if (panel.inventory.setFound) {
        out.kind = EditKind::AlreadyDone;
        return out;
    }
    const SlotPlan plan = PlanSlots(panel);
    if (!plan.enough) {
        out.kind = EditKind::NotEnoughSlots;
        return out;
    }
    if (!plan.gapsBelow.empty()) {
        out.kind = EditKind::BelowGap;
        out.gaps = plan.gapsBelow;
        return out;
    }

    profile::Document doc = read;
    for (const ProfileWrite& write : GpsWindowSetWrites(plan.slots, ReadMainWindowWidth(read))) {
        doc.Set(write.section, write.key, write.value);
    }
    doc.KeepSourceEnding();
    if (!Commit(edit, doc, options, files, out)) return out;
    out.kind = EditKind::Done;
    out.slots = plan.slots;
    if (!options.dryRun) KeepState(out, doc);
    return out;
}

EditOutcome RemoveOpened(PanelEdit& edit, const std::string& panelFolder, fileio::FileSystem& files,
                         const EditOptions& options) {
    EditOutcome out;
    if (!OpenForEdit(EditAction::Remove, panelFolder, options, files, edit, out)) return out;
    const profile::Document& read = edit.loaded.doc;
    const SlotInventory before = ReadSlotInventory(read);
    KeepState(out, read);
    if (!before.setFound) {
        out.kind = EditKind::NoSet;
        return out;
    }

    profile::Document doc = read;
    const std::vector<int> removed = RemoveSetTitles(doc);
    if (removed.empty()) {
        out.kind = EditKind::NoExactTitles;
        out.nearMisses = Windows(read, before.setMask);
        return out;
    }
    for (int slot : removed) doc.RemoveSection(SlotKey(slot));
    DropEmptyTitlesSection(doc);
    doc.KeepSourceEnding();
    if (!Commit(edit, doc, options, files, out)) return out;

    out.kind = EditKind::Done;
    out.removedSlots = removed;
    const std::uint32_t titled = ReadSlotInventory(doc).slotMask;
    out.stranded = Windows(doc, OpenedWindows(before.slotMask) & ~OpenedWindows(titled) & titled);
    if (!options.dryRun) KeepState(out, doc);
    return out;
}

// Runs edit on the panel.cfg of panelFolder under its lock, and clears the leftovers an
// interrupted edit left there unless the edit's save cleared them.
EditOutcome UnderLock(EditOutcome (*edit)(PanelEdit&, const std::string&, fileio::FileSystem&, const EditOptions&),
                      const std::string& panelFolder, fileio::FileSystem& files, const EditOptions& options) {
    PanelEdit opened;
    EditOutcome out = edit(opened, panelFolder, files, options);
    EndWithoutSave(opened, files);
    return out;
}

}  // namespace

std::uint32_t OpenedWindows(std::uint32_t titled) { return titled & ~(titled + 1); }

SlotPlan PlanSlots(const PanelSlots& panel) {
    SlotPlan plan;
    std::vector<int> skipped;
    std::size_t found = 0;
    const std::uint32_t free = panel.FreeMask();
    for (int slot = 0; slot < kSlotCount && found < plan.slots.size(); ++slot) {
        if (free & Bit(slot)) {
            plan.slots[found++] = slot;
        } else if (!(panel.inventory.slotMask & Bit(slot))) {
            skipped.push_back(slot);  // a window without a title: never merged into
        }
    }
    plan.enough = found == plan.slots.size();
    // Every skipped slot lies below the last chosen one, since the choice goes upwards.
    if (plan.enough) plan.gapsBelow = std::move(skipped);
    return plan;
}

EditOutcome InstallGpsWindowSet(const std::string& panelFolder, fileio::FileSystem& files, const EditOptions& options) {
    return UnderLock(InstallOpened, panelFolder, files, options);
}

EditOutcome RemoveGpsWindowSet(const std::string& panelFolder, fileio::FileSystem& files, const EditOptions& options) {
    return UnderLock(RemoveOpened, panelFolder, files, options);
}

}  // namespace panelcfg
