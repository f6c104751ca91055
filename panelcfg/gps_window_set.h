// The install and the removal of the GPS window set as edits of one panel.cfg: each reads the
// file once, applies the whole edit to one document and saves it once (panel_edit_commit.h),
// then says what happened, with the text to tell the user. Nothing here talks to the user.
#pragma once

#include "platform/file_system.h"
#include "platform/profile_document.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace panelcfg {

constexpr const char* kNotEnoughSlotsMessage = "Not enough Window## available in the panel.cfg file";
constexpr const char* kPanelCfgErrorCaption = "Panel.cfg error";

enum class EditKind {
    Done,            // install: the set was written; removal: it ran (maybe matching nothing)
    NotEnoughSlots,  // install: fewer than four usable slots; nothing touched
    BelowGap,        // install: an untitled window section lies below the slots the set would
                     // take, so the simulator would never open the set; nothing touched
    NoSet,           // removal: no title begins with "Skyvantage 530"; nothing touched
    NoExactTitles,   // removal: titles begin with "Skyvantage 530", none is exactly the set's;
                     // nothing touched
    NoPanelFile,     // the folder has no panel.cfg; nothing made
    Failed,          // the file could not be read or saved; it is as it was (see message)
    PathTooLong,     // the file or its backup path exceeds the Windows limit; nothing touched
};

struct EditOutcome {
    EditKind kind = EditKind::Failed;
    // What to tell the user, as the dialog shows it: why the edit did not happen; or, with Done,
    // what the user should know of the result (a removal that leaves windows out of reach).
    std::string message;
    std::string reason;                      // the same in one sentence, for a line of a report
    std::array<int, 4> slots{{-1, -1, -1, -1}};  // install, Done: slots of MiniStack, GPS, AVIONICS, VOR
    std::vector<int> removedSlots;           // removal, Done: the slots whose titles went, ascending
    bool inventoryKnown = false;             // removal: slotMask is the file's inventory afterwards
    std::uint32_t slotMask = 0;
    std::string diff;                        // dry run, Done: the change as a unified diff; empty: none
    bool interrupted = false;                // NoPanelFile: a panel.cfg_backup lies in the folder
};

struct EditOptions {
    bool dryRun = false;  // decide and describe the edit (diff), write nothing
};

// The simulator opens a panel's windows by their titles, counting up from Window00 and stopping
// at the first number without a title: a window titled above that gap is never opened.

// Both edits keep the file's ending: a file whose last line had no line end still ends without
// one, so install then remove gives back the file's bytes. Neither makes a panel.cfg that is
// not there (NoPanelFile).

// panelFolder ends in the path separator ("\" as the selection composes it). slotMask is the
// panel's SlotMask row; width the main window's width. The set takes the four lowest slots free
// in slotMask that have no [WindowNN] section of their own (so two windows are never mixed); an
// install that would thereby put the set above such a section, a gap, is refused (BelowGap).
// The install leaves the slot row as it was: until the next removal it shows the slots as they
// were before the install.
EditOutcome InstallGpsWindowSet(const std::string& panelFolder, std::uint32_t slotMask, double width,
                                profile::FileSystem& files = profile::SystemFiles(), const EditOptions& options = {});

// Removes every title of the set, under whichever key the inspection reads it by (two-digit,
// else one-digit), then the [WindowNN] sections of those slots, and "Window Titles" itself when
// nothing is left in it. Nobody's windows are renumbered: when a window the simulator opened
// before the removal stands above a gap after it, the removal is still Done and its message
// names the windows out of reach.
EditOutcome RemoveGpsWindowSet(const std::string& panelFolder, profile::FileSystem& files = profile::SystemFiles(),
                               const EditOptions& options = {});

}  // namespace panelcfg
