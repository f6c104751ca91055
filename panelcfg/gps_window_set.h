// The install and the removal of the GPS window set as edits of one panel.cfg: each takes the
// panel's edit lock, reads the file once, plans from what it read, applies the whole edit to one
// document and saves it once (panel_edit_commit.h). Each returns what happened as data; the
// layers above word it for the user. Nothing here talks to the user.
#pragma once

#include "panelcfg/gps_window_set_layout.h"
#include "panelcfg/panel_inspection.h"
#include "platform/file_system.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace panelcfg {

enum class EditAction { Install, Remove };

enum class EditKind {
    Done,            // install: the set was written; removal: its titles and sections went
    AlreadyDone,     // install: the file holds a title of the set already; nothing touched
    NotEnoughSlots,  // install: fewer than four usable slots; nothing touched
    BelowGap,        // install: an untitled window section lies below the slots the set would
                     // take, so the simulator would never open the set; nothing touched
    NoSet,           // removal: no title begins with "Skyvantage 530"; nothing touched
    NoExactTitles,   // removal: titles begin with "Skyvantage 530", none is exactly the set's;
                     // nothing touched
    NoPanelFile,     // the folder has no panel.cfg; nothing made
    Busy,            // another program is editing this panel.cfg; nothing touched
    Failed,          // the file could not be read or saved (see stage); as it was unless said
    PathTooLong,     // the file or its backup path exceeds the Windows limit; nothing touched
};

// Where a Failed edit stopped.
enum class FailStage {
    None,
    Lock,      // the edit lock could not be taken (no right to create files in the folder, ...)
    Read,      // reading the file failed
    NotText,   // the file is UTF-16, which cannot be written back without loss
    ReadOnly,  // the file is read-only
    Backup,    // making the backup copy failed; nothing was written
    Save,      // saving failed; the file is atomic, so still the old content
    Verify,    // the file read back did not hold what was written
};

// A window by its slot and its title.
struct TitledWindow {
    int slot = 0;
    std::string title;
};

struct EditOutcome {
    EditAction action = EditAction::Install;
    EditKind kind = EditKind::Failed;
    std::string file;  // the panel.cfg, as composed from the folder

    // Failed: what failed, and what became of the file.
    FailStage stage = FailStage::None;
    fileio::Error error;
    bool restored = true;        // the file is as it was before the edit
    bool backupKept = false;     // not restored: the backup holds the file as it was
    bool othersContent = false;  // not restored: another program wrote the file meanwhile

    std::vector<int> gaps;                 // BelowGap: untitled sections below the set, ascending
    std::vector<TitledWindow> nearMisses;  // NoExactTitles: titles that only begin like the set's
    Leftovers leftovers;                   // NoPanelFile: what an interrupted edit left in the folder

    SetSlots slots = NoSlots();          // install, Done: slots of MiniStack, GPS, AVIONICS, VOR
    std::vector<int> removedSlots;       // removal, Done: the slots whose titles went, ascending
    std::vector<TitledWindow> stranded;  // removal, Done: windows the simulator opened before
                                         // and no longer opens: they stand above a gap now
    std::string diff;                    // dry run, Done: the change as a unified diff

    // The file's slots as the edit left them, or found them when it changed nothing; the
    // catalogue's copy of the panel is refreshed from this.
    bool stateKnown = false;
    PanelSlots state;
};

// Where an install puts the set: the four lowest slots, ascending, with neither a title nor a
// section of their own. A slot skipped for its section below the highest chosen one is a gap:
// the simulator would stop there and never open the set.
struct SlotPlan {
    SetSlots slots = NoSlots();
    bool enough = false;         // four slots were found
    std::vector<int> gapsBelow;  // skipped slots below the highest chosen one, ascending
};
SlotPlan PlanSlots(const PanelSlots& panel);

struct EditOptions {
    bool dryRun = false;  // decide and describe the edit (diff), write nothing
};

// The simulator opens a panel's windows by their titles, counting up from Window00 and stopping
// at the first number without a title: a window titled above that gap is never opened.
// OpenedWindows gives those it opens: of the titled slots (bit i: slot i), the run from Window00 up.
std::uint32_t OpenedWindows(std::uint32_t titled);

// Both edits plan from the file as read under the lock, never from an earlier scan; keep the
// file's ending (a file whose last line had no line end still ends without one, so install then
// remove gives back the file's bytes); make no panel.cfg that is not there (NoPanelFile); and
// refuse what they can see will fail before writing anything, in a dry run too (Busy, a
// read-only file, a folder that refuses new files).

// panelFolder ends in the path separator ("\" as the selection composes it). The set takes the
// four lowest slots that have neither a title nor a [WindowNN] section of their own (so two
// windows are never mixed); an install that would thereby put the set above such a section, a
// gap, is refused (BelowGap). Its sizes scale from the main window's width, "size_mm" of
// [Window00] (640 when missing or not positive).
EditOutcome InstallGpsWindowSet(const std::string& panelFolder, fileio::FileSystem& files = fileio::SystemFiles(),
                                const EditOptions& options = {});

// Removes every title of the set, under whichever key the inspection reads it by (two-digit,
// else one-digit), then the [WindowNN] sections of those slots, and "Window Titles" itself when
// nothing is left in it. Nobody's windows are renumbered: the windows a removal leaves above a
// gap are named (stranded), and the removal is still Done.
EditOutcome RemoveGpsWindowSet(const std::string& panelFolder, fileio::FileSystem& files = fileio::SystemFiles(),
                               const EditOptions& options = {});

}  // namespace panelcfg
