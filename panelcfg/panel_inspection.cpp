#include "panelcfg/panel_inspection.h"

#include "catalogue/catalogue_tables.h"
#include "host/host_state.h"
#include "panelcfg/panel_paths.h"
#include "platform/profile_file.h"

#include <cstdio>
#include <cstring>
#include <optional>

namespace panelcfg {

namespace {

constexpr const char* kAliasSection = "fltsim";
constexpr const char* kAliasKey = "alias";
constexpr const char* kAircraftFolder = "\\aircraft\\";

// A missing or unreadable file answers every read as missing, as the profile functions do.
profile::LoadedFile LoadForReading(const std::string& panelFolder) {
    profile::LoadedFile loaded;
    if (profile::LoadReadOnly(PanelFilePath(panelFolder), loaded)) loaded = profile::LoadedFile{};
    return loaded;
}

bool IsSetTitle(std::string_view value) {
    const std::size_t n = std::strlen(kSetTitlePrefix);
    return value.size() >= n && value.compare(0, n, kSetTitlePrefix) == 0;
}

void ReadAlias(const profile::Document& doc, const std::string& simulatorRoot, PanelFacts& facts) {
    const std::string value = ReadValue(doc, kAliasSection, kAliasKey);
    if (value == kNotFound) return;
    facts.alias = 1;
    if (!ComposeAliasPath(simulatorRoot, value, facts.aliasPath)) facts.aliasUnusable = 1;
}

}  // namespace

std::string ReadValue(const profile::Document& doc, std::string_view section, std::string_view key) {
    std::optional<std::string> value = doc.Get(section, key);
    if (!value) return kNotFound;
    if (value->size() > kMaxValueChars) value->resize(kMaxValueChars);
    return *value;
}

std::string SlotKey(int slot) {
    char key[16];
    std::snprintf(key, sizeof key, "Window%02d", slot);
    return key;
}

std::string OneDigitSlotKey(int slot) {
    char key[16];
    std::snprintf(key, sizeof key, "Window%d", slot);
    return key;
}

namespace {

// The slot a key name stands for, matched as the profile reads match names (ASCII case
// folded): "Window" and two digits below 32, or "Window" and one digit (oneDigit set).
bool SlotOfKey(std::string_view name, int& slot, bool& oneDigit) {
    static constexpr std::string_view kPrefix = "window";
    if (name.size() != kPrefix.size() + 1 && name.size() != kPrefix.size() + 2) return false;
    for (std::size_t i = 0; i < kPrefix.size(); ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != kPrefix[i]) return false;
    }
    slot = 0;
    for (std::size_t i = kPrefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        slot = slot * 10 + (name[i] - '0');
    }
    oneDigit = name.size() == kPrefix.size() + 1;
    return slot < kSlotCount;
}

// A title as ReadValue gives it: absent reads as "notfound", a long one is cut.
std::string_view TitleOf(const std::optional<std::string_view>& value) {
    return value ? value->substr(0, kMaxValueChars) : std::string_view(kNotFound);
}

}  // namespace

SlotInventory TakeSlotInventory(const profile::Document& doc) {
    // One pass over the section instead of up to 64 reads; as with those reads, the first line
    // of a key wins. For slots from 10 on both key forms are the same name.
    std::optional<std::string_view> twoDigits[kSlotCount];
    std::optional<std::string_view> oneDigit[10];
    for (const profile::Document::Entry& entry : doc.SectionEntries(kTitlesSection)) {
        int slot = 0;
        bool isOneDigit = false;
        if (!SlotOfKey(entry.first, slot, isOneDigit)) continue;
        std::optional<std::string_view>& first = isOneDigit ? oneDigit[slot] : twoDigits[slot];
        if (!first) first = entry.second;
    }
    SlotInventory inventory;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::string_view title = TitleOf(twoDigits[slot]);
        // The one-digit key counts only when the two-digit one reads as absent.
        if (title == kNotFound && slot < 10) title = TitleOf(oneDigit[slot]);
        if (title == kNotFound) continue;
        inventory.slotMask |= std::uint32_t{1} << slot;
        if (IsSetTitle(title)) inventory.setFound = 1;
    }
    return inventory;
}

bool ComposeAliasPath(const std::string& simulatorRoot, const std::string& value, std::string& out) {
    std::string path = simulatorRoot + kAircraftFolder + value;
    if (path.back() != '\\') path += '\\';
    if (path.size() > profile::kMaxPathChars) {
        out.clear();
        return false;
    }
    out = std::move(path);
    return true;
}

namespace {

// Horspool's search: the byte under the window's last position says how far the marker can
// move without passing a match; for most bytes of a panel.cfg that is the marker's length.
struct MarkerShifts {
    std::size_t shift[256];
    MarkerShifts() {
        const std::string_view marker = kModuleMarker;
        for (std::size_t& s : shift) s = marker.size();
        for (std::size_t i = 0; i + 1 < marker.size(); ++i) {
            shift[static_cast<unsigned char>(marker[i])] = marker.size() - 1 - i;
        }
    }
};

}  // namespace

int ContainsModuleMarker(std::string_view text) {
    static const MarkerShifts kShifts;
    const std::string_view marker = kModuleMarker;
    const std::size_t m = marker.size();
    for (std::size_t at = 0; at + m <= text.size();) {
        const char last = text[at + m - 1];
        if (last == marker.back() && text.compare(at, m - 1, marker.substr(0, m - 1)) == 0) return 1;
        at += kShifts.shift[static_cast<unsigned char>(last)];
    }
    return 0;
}

PanelFacts InspectPanel(const std::string& panelFolder, const std::string& simulatorRoot) {
    const profile::LoadedFile loaded = LoadForReading(panelFolder);
    PanelFacts facts;
    ReadAlias(loaded.doc, simulatorRoot, facts);
    const SlotInventory inventory = TakeSlotInventory(loaded.doc);
    facts.slotMask = inventory.slotMask;
    facts.setFound = inventory.setFound;
    facts.marker = ContainsModuleMarker(loaded.doc.Source());
    return facts;
}

int ReadSlotInventory(const std::string& panelFolder, std::int32_t itemData) {
    const SlotInventory inventory = TakeSlotInventory(LoadForReading(panelFolder).doc);
    catalogue::SetSlotMask(PanelNumberOf(itemData), inventory.slotMask);
    return inventory.setFound;
}

int ReadPanelAlias(const std::string& panelFolder, std::int32_t itemData) {
    PanelFacts facts;
    ReadAlias(LoadForReading(panelFolder).doc, host::g_host.simulatorRoot, facts);
    if (!facts.alias) return 0;
    const int panel = PanelNumberOf(itemData);
    catalogue::SetAliasPath(panel, facts.aliasPath);
    if (facts.aliasUnusable) catalogue::SetPanelUnusable(panel, true);
    return 1;
}

int ScanForModuleMarker(const std::string& panelFolder) {
    return ContainsModuleMarker(LoadForReading(panelFolder).doc.Source());
}

}  // namespace panelcfg
