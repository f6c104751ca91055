// The install and the removal of the GPS window set as edits of one panel.cfg, apart from the
// user interface: each reads the file once, applies the whole edit to one document and saves
// it once (panel_edit_commit.h), then says what happened.
#pragma once

#include "platform/profile_document.h"

#include <array>
#include <cstdint>
#include <string>

namespace panelcfg {

constexpr const char* kNotEnoughSlotsMessage = "Not enough Window## available in the panel.cfg file";
constexpr const char* kPanelCfgErrorCaption = "Panel.cfg error";

enum class EditKind {
    Done,            // install: the set was written; removal: it ran (maybe matching nothing)
    NotEnoughSlots,  // install: fewer than four usable slots; nothing touched
    NoSet,           // removal: no title begins with "Skyvantage 530"; nothing touched
    Failed,          // the file could not be read or saved; it is as it was (see message)
    PathTooLong,     // the file or its backup path exceeds the Windows limit; nothing touched
};

struct EditOutcome {
    int result = 0;                          // 1 for Done, else 0
    EditKind kind = EditKind::Failed;
    std::string message;                     // Failed / PathTooLong: what to tell the user
    std::array<int, 4> slots{{-1, -1, -1, -1}};  // install, Done: slots of MiniStack, GPS, AVIONICS, VOR
    bool inventoryKnown = false;             // removal: slotMask is the file's inventory afterwards
    std::uint32_t slotMask = 0;
};

// panelFolder ends in the path separator ("\" as the selection composes it). slotMask is the
// panel's SlotMask row; width the main window's width. A free slot whose [WindowNN] section
// already exists is skipped, so two windows are never mixed.
EditOutcome InstallIntoFile(const std::string& panelFolder, std::uint32_t slotMask, double width);

// Removes every title of the set held under a two-digit key of "Window Titles" and then the
// sections of those slots.
EditOutcome RemoveFromFile(const std::string& panelFolder);

// The four lowest slots, ascending, that are free in slotMask and have no section of their
// name in doc. False when fewer than four exist.
bool ChooseSlots(const profile::Document& doc, std::uint32_t slotMask, std::array<int, 4>& slots);

}  // namespace panelcfg
