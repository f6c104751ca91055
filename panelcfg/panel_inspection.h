// Facts about one panel folder's panel.cfg: the window slots that hold a title, the alias, and
// whether the gauge module is mentioned at all. Portable; reads only, writes nothing.
#pragma once

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/profile_document.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace panelcfg {

constexpr const char* kTitlesSection = "Window Titles";
constexpr const char* kSetTitlePrefix = "Skyvantage 530";  // compared over its 14 characters
constexpr const char* kModuleMarker = "Skyvantage_Aerolith";
constexpr int kSlotCount = 32;

// "Window%02d" and "Window%d" for a slot.
std::string SlotKey(int slot);
std::string OneDigitSlotKey(int slot);

// The slot a key or section name stands for, matched as the profile reads match names (ASCII
// case folded): "Window" and two digits below 32, or "Window" and one digit (oneDigit set).
bool SlotOfName(std::string_view name, int& slot, bool& oneDigit);

struct SlotInventory {
    std::uint32_t slotMask = 0;  // bit i: slot i has a title (two-digit key first, then one-digit)
    std::uint32_t setMask = 0;   // bit i: slot i's title begins with "Skyvantage 530" (case-sensitive)
    bool setFound = false;       // setMask is not empty
};
// A title reads as the program reads every value: a missing key, or the text "notfound", is no
// title; a title is cut to 259 characters.
SlotInventory ReadSlotInventory(const profile::Document& doc);

struct PanelAlias {
    bool present = false;  // "alias" in [fltsim] with a value other than "notfound"
    std::string path;      // SimulatorRoot + "\aircraft\" + value, ending in "\"; empty when tooLong
    bool tooLong = false;  // the path would exceed 259 characters: the panel cannot be used
};
PanelAlias ReadPanelAlias(const profile::Document& doc, const std::string& simulatorRoot);

// The width of the panel's main window: "size_mm" of [Window00] read as an integer, 640 when it
// is missing or not a positive number (which would scale the installed windows absurdly).
double ReadMainWindowWidth(const profile::Document& doc);

// Bit i: a section [WindowNN] of slot i exists (any letter case, two digits).
std::uint32_t ReadWindowSections(const profile::Document& doc);

// What an install needs of a panel's slots: the titles, and the sections of their own.
struct PanelSlots {
    SlotInventory inventory;
    std::uint32_t sections = 0;  // ReadWindowSections

    // A slot the set may take: neither a title nor a [WindowNN] section.
    std::uint32_t FreeMask() const { return ~(inventory.slotMask | sections); }
};
PanelSlots ReadPanelSlots(const profile::Document& doc);

// True when text holds "Skyvantage_Aerolith". The marker holds no line end, so a search over the
// whole file equals a search line by line, however long the lines are.
bool ScanForModuleMarker(std::string_view text);

// What reading a panel.cfg found, before any of its answers.
enum class PanelFileState {
    Readable,    // read, and plain text the edits can write back
    Missing,     // no panel.cfg: answers as an empty file
    NotText,     // UTF-16: cannot be written back without loss, answers as empty
    Folder,      // panel.cfg is a folder
    Unreadable,  // the system refused to read it (fileError says why)
};

// What an interrupted edit left beside a panel.cfg: the backup holds the file as it was before
// that edit, the temporary file the new content it was writing, perhaps cut short.
struct Leftovers {
    bool backup = false;
    bool temporary = false;
    bool Any() const { return backup || temporary; }
};
Leftovers FindLeftovers(const std::string& panelFile, fileio::FileSystem& files = fileio::SystemFiles());

// All three answers from one read of panelFolder's panel.cfg (panelFolder without a trailing
// separator). A file that is missing or cannot be read answers as an empty one; file says which.
struct PanelFacts {
    PanelFileState file = PanelFileState::Missing;
    Leftovers leftovers;
    fileio::Error fileError;  // Unreadable: what the system said
    PanelAlias alias;
    SlotInventory inventory;
    std::uint32_t sections = 0;  // ReadWindowSections
    bool marker = false;
};
// document, when given, receives the file as parsed (empty when it was not read), for a caller
// that needs more of it than these answers.
PanelFacts InspectPanel(const std::string& panelFolder, const std::string& simulatorRoot,
                        profile::Document* document = nullptr);

}  // namespace panelcfg
