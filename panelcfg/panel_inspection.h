// Facts about one panel folder's panel.cfg: used window slots, alias, gauge-module marker.
// Portable: reads files through the profile engine, writes only the catalogue tables.
#pragma once

#include "platform/profile_document.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace panelcfg {

constexpr const char* kNotFound = "notfound";          // default of every read; equal value = absent
constexpr const char* kTitlesSection = "Window Titles";
constexpr const char* kSetTitlePrefix = "Skyvantage 530";  // compared over its 14 characters
constexpr const char* kModuleMarker = "Skyvantage_Aerolith";
constexpr int kSlotCount = 32;

// Profile values are read into 260-byte buffers: at most this many characters are used.
constexpr std::size_t kMaxValueChars = 259;

// All three answers from one read of the file. panelFolder has no trailing "\".
struct PanelFacts {
    int alias = 0;               // 1: "alias" in [fltsim] with a value other than "notfound"
    std::string aliasPath;       // SimulatorRoot + "\aircraft\" + value, ending in "\" (when alias)
    std::uint32_t slotMask = 0;  // bit i: slot i has a title in [Window Titles]
    int setFound = 0;            // 1: some slot's title begins with "Skyvantage 530"
    int marker = 0;              // 1: some line contains "Skyvantage_Aerolith"
    int aliasUnusable = 0;       // 1 (with alias 1): the alias path would exceed 259 characters,
                                 // so aliasPath is empty and the panel cannot be used
};
PanelFacts InspectPanel(const std::string& panelFolder, const std::string& simulatorRoot);

// The single-question operations; each writes its table row as the scan and the removal
// expect (rows chosen by the high half of itemData, the panel number).
int ReadSlotInventory(const std::string& panelFolder, std::int32_t itemData);
// On 1 also marks the panel unusable when its alias path is too long (the row stays empty).
int ReadPanelAlias(const std::string& panelFolder, std::int32_t itemData);
int ScanForModuleMarker(const std::string& panelFolder);

// Building blocks shared with the install and the removal.

// GetPrivateProfileStringA with the default "notfound" into a 260-byte buffer: the value cut
// to 259 characters, or "notfound" when the section or key is missing.
std::string ReadValue(const profile::Document& doc, std::string_view section, std::string_view key);

// "Window%02d" and "Window%d" for a slot.
std::string SlotKey(int slot);
std::string OneDigitSlotKey(int slot);

struct SlotInventory {
    std::uint32_t slotMask = 0;  // bit i: slot i has a title (two-digit key first, then one-digit)
    int setFound = 0;            // 1: some title begins with "Skyvantage 530" (case-sensitive)
};
SlotInventory TakeSlotInventory(const profile::Document& doc);

// SimulatorRoot + "\aircraft\" + value, with "\" appended when missing. False (and out empty)
// when the result would not fit 259 characters.
bool ComposeAliasPath(const std::string& simulatorRoot, const std::string& value, std::string& out);

// 1 when text holds "Skyvantage_Aerolith". The marker holds no line end, so a search over the
// whole file equals a search line by line, however long the lines are.
int ContainsModuleMarker(std::string_view text);

}  // namespace panelcfg
