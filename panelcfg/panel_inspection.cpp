#include "panelcfg/panel_inspection.h"

#include "panelcfg/panel_keys.h"
#include "panelcfg/panel_paths.h"
#include "platform/ascii.h"
#include "platform/profile_file.h"
#include "platform/profile_value.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

namespace panelcfg {

namespace {

bool IsSetTitle(std::string_view value) {
    const std::size_t n = std::strlen(kSetTitlePrefix);
    return value.size() >= n && value.compare(0, n, kSetTitlePrefix) == 0;
}

// A title as the program's read gives it: absent reads as "notfound", a long one is cut.
std::string_view TitleOf(const std::optional<std::string_view>& value) {
    return value ? value->substr(0, profile::kValueBytes - 1) : std::string_view(profile::kNotFound);
}

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

bool SlotOfName(std::string_view name, int& slot, bool& oneDigit) {
    static constexpr std::string_view kPrefix = "Window";
    if (name.size() != kPrefix.size() + 1 && name.size() != kPrefix.size() + 2) return false;
    if (!platform::StartsWithIgnoringAsciiCase(name, kPrefix)) return false;
    slot = 0;
    for (std::size_t i = kPrefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        slot = slot * 10 + (name[i] - '0');
    }
    oneDigit = name.size() == kPrefix.size() + 1;
    return slot < kSlotCount;
}

SlotInventory ReadSlotInventory(const profile::Document& doc) {
    // One pass over the section instead of up to 64 reads; as with those reads, the first line
    // of a key wins. For slots from 10 on both key forms are the same name.
    std::optional<std::string_view> twoDigits[kSlotCount];
    std::optional<std::string_view> oneDigit[10];
    for (const profile::Document::Entry& entry : doc.SectionEntries(kTitlesSection)) {
        int slot = 0;
        bool isOneDigit = false;
        if (!SlotOfName(entry.first, slot, isOneDigit)) continue;
        std::optional<std::string_view>& first = isOneDigit ? oneDigit[slot] : twoDigits[slot];
        if (!first) first = entry.second;
    }
    SlotInventory inventory;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::string_view title = TitleOf(twoDigits[slot]);
        // The one-digit key counts only when the two-digit one reads as absent.
        if (title == profile::kNotFound && slot < 10) title = TitleOf(oneDigit[slot]);
        if (title == profile::kNotFound) continue;
        inventory.slotMask |= std::uint32_t{1} << slot;
        if (IsSetTitle(title)) inventory.setMask |= std::uint32_t{1} << slot;
    }
    inventory.setFound = inventory.setMask != 0;
    return inventory;
}

double ReadMainWindowWidth(const profile::Document& doc) {
    constexpr std::int32_t kDefaultWidth = 640;
    const auto width = static_cast<std::int32_t>(doc.GetInt(kMainWindowSection, kSizeKey, kDefaultWidth));
    return static_cast<double>(width > 0 ? width : kDefaultWidth);
}

std::uint32_t ReadWindowSections(const profile::Document& doc) {
    std::uint32_t sections = 0;
    for (const std::string& name : doc.SectionHeaders()) {
        int slot = 0;
        bool oneDigit = false;
        if (SlotOfName(name, slot, oneDigit) && !oneDigit) sections |= std::uint32_t{1} << slot;
    }
    return sections;
}

PanelSlots ReadPanelSlots(const profile::Document& doc) { return {ReadSlotInventory(doc), ReadWindowSections(doc)}; }

PanelAlias ReadPanelAlias(const profile::Document& doc, const std::string& simulatorRoot) {
    PanelAlias alias;
    const std::optional<std::string> value = profile::ReadValue(doc, kAliasSection, kAliasKey);
    if (!value) return alias;
    alias.present = true;
    std::string path = simulatorRoot + '\\' + std::string(kAircraftFolderName) + '\\' + *value;
    if (path.back() != '\\') path += '\\';
    if (path.size() > platform::kMaxPathChars) {
        alias.tooLong = true;
    } else {
        alias.path = std::move(path);
    }
    return alias;
}

bool ScanForModuleMarker(std::string_view text) {
    static const MarkerShifts kShifts;
    const std::string_view marker = kModuleMarker;
    const std::size_t m = marker.size();
    for (std::size_t at = 0; at + m <= text.size();) {
        const char last = text[at + m - 1];
        if (last == marker.back() && text.compare(at, m - 1, marker.substr(0, m - 1)) == 0) return true;
        at += kShifts.shift[static_cast<unsigned char>(last)];
    }
    return false;
}

Leftovers FindLeftovers(const std::string& panelFile, fileio::FileSystem& files) {
    Leftovers found;
    found.backup = fileio::FileExists(BackupPath(panelFile), files);
    found.temporary = fileio::FileExists(TemporaryPath(panelFile), files);
    return found;
}

PanelFacts InspectPanel(const std::string& panelFolder, const std::string& simulatorRoot, profile::Document* document) {
    PanelFacts facts;
    const std::string file = PanelFilePath(panelFolder);
    std::string bytes;
    bool existed = false;
    fileio::FileSystem& files = fileio::SystemFiles();
    facts.leftovers = FindLeftovers(file, files);
    if (const fileio::Error error = files.Read(file, bytes, existed)) {
        const bool folder = files.Probe(file) == fileio::PathKind::Folder;
        facts.file = folder ? PanelFileState::Folder : PanelFileState::Unreadable;
        if (!folder) facts.fileError = error;
        return facts;
    }
    profile::Document doc = profile::Document::ParseOwned(std::move(bytes));
    facts.file = !existed                ? PanelFileState::Missing
                 : doc.Unrepresentable() ? PanelFileState::NotText
                                         : PanelFileState::Readable;
    facts.alias = ReadPanelAlias(doc, simulatorRoot);
    facts.inventory = ReadSlotInventory(doc);
    facts.sections = ReadWindowSections(doc);
    facts.marker = ScanForModuleMarker(doc.Source());
    if (document != nullptr) *document = std::move(doc);
    return facts;
}

}  // namespace panelcfg
