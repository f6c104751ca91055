#include "panelcfg/panel_findings.h"

#include "panelcfg/gps_window_set.h"
#include "panelcfg/panel_keys.h"
#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_paths.h"
#include "platform/ascii.h"
#include "platform/profile_value.h"

#include <algorithm>
#include <bitset>
#include <cctype>

namespace panelcfg {

// A fleet holds thousands of panel.cfg files of hundreds of lines each: the rules compare names
// where they stand, folding letters as they go, and allocate only for what they report.

namespace {

using Section = profile::Document::SectionView;
using KeyLine = profile::Document::KeyLine;

constexpr std::string_view kGaugeKey = "gauge";
// Misspellings of "gauge" common in hand-edited panels; none is a key the simulator reads.
constexpr std::string_view kMisspelledGaugeKeys[] = {"guage", "gaug", "gague"};
constexpr std::string_view kModuleFiles[] = {".gau", ".cab", ".dll"};
constexpr std::string_view kPathCharacters = "\\/:";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// a before b, ASCII letter case ignored.
bool FoldedLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(platform::FoldAscii(x)) < static_cast<unsigned char>(platform::FoldAscii(y));
    });
}

std::string Folded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = platform::FoldAscii(c);
    return folded;
}

// The digits after prefix when name is prefix and digits only, letters' case ignored; else empty.
std::string_view NumberAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || !platform::StartsWithIgnoringAsciiCase(name, prefix)) return {};
    const std::string_view digits = name.substr(prefix.size());
    return std::all_of(digits.begin(), digits.end(), IsDigit) ? digits : std::string_view();
}

// A section whose gauge lines the simulator loads: [WindowNN] or [VcockpitNN], two digits.
bool HoldsGauges(std::string_view name) {
    return NumberAfter(name, "Window").size() == 2 || NumberAfter(name, "VCockpit").size() == 2;
}

int LineOf(std::size_t index) { return static_cast<int>(index) + 1; }

Finding At(FindingCode code, FindingSeverity severity, const Section& section, const KeyLine* key) {
    Finding finding;
    finding.code = code;
    finding.severity = severity;
    finding.section = std::string(section.name);
    finding.file = std::string(kPanelFileName);
    if (key != nullptr) finding.key = std::string(key->name);
    finding.line = LineOf(key != nullptr ? key->line : section.line);
    return finding;
}

const KeyLine* FirstKey(const Section& section, std::string_view name) {
    for (const KeyLine& key : section.keys) {
        if (platform::EqualsIgnoringAsciiCase(key.name, name)) return &key;
    }
    return nullptr;
}

// Later lines of a key in one section, when they say something else than the first: the
// simulator reads the first. Lines that only look like keys ("// gauge05=", ";x=") are comments.
void FindDuplicateKeys(const Section& section, std::vector<const KeyLine*>& keys, std::vector<Finding>& findings) {
    keys.clear();
    for (const KeyLine& key : section.keys) {
        if (!key.name.empty() && std::isalnum(static_cast<unsigned char>(key.name.front()))) keys.push_back(&key);
    }
    // By name, and within a name by line: the first of a run is the line the simulator reads.
    std::stable_sort(keys.begin(), keys.end(),
                     [](const KeyLine* a, const KeyLine* b) { return FoldedLess(a->name, b->name); });
    for (std::size_t i = 1, first = 0; i < keys.size(); ++i) {
        if (!platform::EqualsIgnoringAsciiCase(keys[i]->name, keys[first]->name)) {
            first = i;
            continue;
        }
        if (keys[i]->value == keys[first]->value) continue;
        const bool gauge = !NumberAfter(keys[i]->name, kGaugeKey).empty();
        Finding finding =
            At(FindingCode::DuplicateKey, gauge ? FindingSeverity::Error : FindingSeverity::Warning, section, keys[i]);
        finding.otherLine = LineOf(keys[first]->line);
        finding.value = std::string(keys[i]->value);
        finding.other = std::string(keys[first]->value);
        findings.push_back(std::move(finding));
    }
}

// A module the panel's gauge lines name: its first line, and how many name it.
struct ModuleUse {
    std::string_view module;
    const Section* section;
    const KeyLine* first;
    int count;
};

void FindGaugeLines(const Section& section, std::vector<ModuleUse>& modules, std::vector<Finding>& findings) {
    for (const KeyLine& key : section.keys) {
        if (NumberAfter(key.name, kGaugeKey).empty()) {
            for (std::string_view misspelt : kMisspelledGaugeKeys) {
                const std::string_view number = NumberAfter(key.name, misspelt);
                if (number.empty()) continue;
                Finding finding = At(FindingCode::GaugeKeyMisspelled, FindingSeverity::Error, section, &key);
                finding.value = std::string(kGaugeKey) + std::string(number);
                findings.push_back(std::move(finding));
            }
            continue;
        }
        const std::string_view module = GaugeModuleOf(key.value);
        if (module.empty()) continue;
        auto use = std::find_if(modules.begin(), modules.end(), [&](const ModuleUse& m) {
            return platform::EqualsIgnoringAsciiCase(m.module, module);
        });
        if (use == modules.end()) use = modules.insert(modules.end(), {module, &section, &key, 0});
        ++use->count;
    }
}

// A bitmap the panel folder holds: by its name, or a name without extension as a .bmp.
bool HoldsBitmap(const FolderHolds& folder, std::string_view name) {
    return folder(name) || (name.find('.') == std::string_view::npos && folder(std::string(name) + ".bmp"));
}

// A value the rules can judge: not empty, not "notfound", and a name in the panel folder, not a path.
bool PlainName(std::string_view value) {
    return !value.empty() && value != profile::kNotFound &&
           value.find_first_of(kPathCharacters) == std::string_view::npos;
}

// What an opened window says of itself: its bitmaps and its ident, each as first given.
struct WindowKeys {
    const KeyLine* bitmaps[2] = {};  // by kBitmapKeys: file_1024, file
    const KeyLine* ident = nullptr;
};

WindowKeys KeysOf(const Section& window) {
    WindowKeys keys;
    for (const KeyLine& key : window.keys) {
        const KeyLine** slot = platform::EqualsIgnoringAsciiCase(key.name, kBitmapKeys[0])   ? &keys.bitmaps[0]
                               : platform::EqualsIgnoringAsciiCase(key.name, kBitmapKeys[1]) ? &keys.bitmaps[1]
                               : platform::EqualsIgnoringAsciiCase(key.name, kIdentKey)      ? &keys.ident
                                                                                             : nullptr;
        if (slot != nullptr && *slot == nullptr) *slot = &key;
    }
    return keys;
}

void FindBitmaps(const Section& window, const WindowKeys& keys, const FolderHolds& panelFolder,
                 std::vector<Finding>& findings) {
    for (int i = 0; i < 2; ++i) {
        const KeyLine* bitmap = keys.bitmaps[i];
        if (bitmap == nullptr || !PlainName(bitmap->value) || HoldsBitmap(panelFolder, bitmap->value)) continue;
        const KeyLine* other = keys.bitmaps[1 - i];
        const bool otherThere = other != nullptr && PlainName(other->value) && HoldsBitmap(panelFolder, other->value);
        Finding finding = At(FindingCode::BitmapMissing, otherThere ? FindingSeverity::Warning : FindingSeverity::Error,
                             window, bitmap);
        finding.file = finding.value = std::string(bitmap->value);
        if (otherThere) {
            finding.reason = FindingReason::OtherBitmapThere;
            finding.other = std::string(other->value);
        }
        findings.push_back(std::move(finding));
    }
}

// An ident as the simulator compares it for certain: a number by its value (as a profile
// integer reads), a name letter for letter.
struct Ident {
    bool number;
    std::uint32_t value;
    std::string_view name;
    const Section* window;

    bool Same(const Ident& other) const {
        return number == other.number && (number ? value == other.value : name == other.name);
    }
};

Ident IdentOf(std::string_view value, const Section* window) {
    const bool number = IsDigit(value.front()) || value.front() == '-' || value.front() == '+';
    return {number, number ? profile::ParseProfileInt(value) : 0, value, window};
}

// The line of a slot's title the inventory reads: the two-digit key's if any, else the one-digit one's.
const KeyLine* TitleKey(const Section& titles, int slot) {
    const KeyLine* title = FirstKey(titles, SlotKey(slot));
    if (title == nullptr || title->value == profile::kNotFound) title = FirstKey(titles, OneDigitSlotKey(slot));
    return title;
}

// The titles, the window sections and what the opened windows hold.
void FindWindows(const SlotInventory& inventory, const std::vector<const Section*>& read,
                 const FolderHolds& panelFolder, std::vector<Finding>& findings) {
    const std::uint32_t opened = OpenedWindows(inventory.slotMask);
    const int firstGap = static_cast<int>(std::bitset<32>(opened).count());
    const Section* titles = nullptr;
    const Section* windows[kSlotCount] = {};
    std::uint32_t oneDigitSections = 0;
    for (const Section* section : read) {
        int slot = 0;
        bool oneDigit = false;
        if (platform::EqualsIgnoringAsciiCase(section->name, kTitlesSection)) titles = section;
        if (!SlotOfName(section->name, slot, oneDigit)) continue;
        if (oneDigit) oneDigitSections |= std::uint32_t{1} << slot;
        if (!oneDigit) windows[slot] = section;
    }
    std::vector<Ident> idents;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::uint32_t bit = std::uint32_t{1} << slot;
        const Section* window = windows[slot];
        const KeyLine* title = titles != nullptr && (inventory.slotMask & bit) ? TitleKey(*titles, slot) : nullptr;
        if (title != nullptr && !(opened & bit)) {
            Finding finding = At(FindingCode::TitleGap, FindingSeverity::Error, *titles, title);
            finding.value = std::string(title->value);
            finding.other = SlotKey(firstGap);
            findings.push_back(std::move(finding));
        }
        if (window != nullptr && !(inventory.slotMask & bit)) {
            findings.push_back(At(FindingCode::SectionWithoutTitle, FindingSeverity::Warning, *window, nullptr));
        }
        if (!(opened & bit)) continue;
        if (window == nullptr) {
            // A one-digit [Window5] may be what the simulator reads: no finding is certain then.
            if (title == nullptr || (oneDigitSections & bit)) continue;
            Finding finding = At(FindingCode::TitleWithoutSection, FindingSeverity::Warning, *titles, title);
            finding.value = std::string(title->value);
            finding.other = SlotKey(slot);
            findings.push_back(std::move(finding));
            continue;
        }
        const WindowKeys keys = KeysOf(*window);
        FindBitmaps(*window, keys, panelFolder, findings);
        if (keys.ident == nullptr || keys.ident->value.empty()) continue;
        const Ident ident = IdentOf(keys.ident->value, window);
        const auto same = std::find_if(idents.begin(), idents.end(), [&](const Ident& i) { return i.Same(ident); });
        if (same == idents.end()) {
            idents.push_back(ident);
            continue;
        }
        Finding finding = At(FindingCode::IdentClash, FindingSeverity::Warning, *window, keys.ident);
        finding.value = std::string(keys.ident->value);
        finding.other = std::string(same->window->name);
        findings.push_back(std::move(finding));
    }
}

}  // namespace

FolderNames::FolderNames(const std::vector<platform::FolderEntry>& entries) {
    for (const platform::FolderEntry& entry : entries) names_.push_back(Folded(entry.name));
    std::sort(names_.begin(), names_.end());
}

bool FolderNames::Has(std::string_view name) const {
    const auto at = std::lower_bound(names_.begin(), names_.end(), name,
                                     [](const std::string& a, std::string_view b) { return FoldedLess(a, b); });
    return at != names_.end() && platform::EqualsIgnoringAsciiCase(*at, name);
}

bool HoldsGaugeModule(const FolderHolds& holds, std::string_view module) {
    return holds(module) || std::any_of(std::begin(kModuleFiles), std::end(kModuleFiles), [&](std::string_view ending) {
               return holds(std::string(module) + std::string(ending));
           });
}

std::string_view GaugeModuleOf(std::string_view value) {
    std::string_view field = value.substr(0, value.find(','));
    field = field.substr(0, field.find('!'));
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
    return field.find_first_of(kPathCharacters) == std::string_view::npos ? field : std::string_view();
}

std::vector<Finding> FindPanelFileProblems(const profile::Document& doc, const FolderNames& gauges,
                                           const FolderHolds& panelFolder) {
    std::vector<Finding> findings;
    const std::vector<Section> sections = doc.Sections();
    // The simulator reads the first section of a name; a later one with keys is lost.
    std::vector<const Section*> read;
    for (const Section& section : sections) {
        const auto first = std::find_if(read.begin(), read.end(), [&](const Section* s) {
            return platform::EqualsIgnoringAsciiCase(s->name, section.name);
        });
        if (first == read.end()) {
            read.push_back(&section);
        } else if (!section.keys.empty()) {
            Finding finding = At(FindingCode::DuplicateSection, FindingSeverity::Error, section, nullptr);
            finding.otherLine = LineOf((*first)->line);
            findings.push_back(std::move(finding));
        }
    }
    std::vector<ModuleUse> modules;
    std::vector<const KeyLine*> keys;
    for (const Section* section : read) {
        FindDuplicateKeys(*section, keys, findings);
        if (HoldsGauges(section->name)) FindGaugeLines(*section, modules, findings);
    }
    const SlotInventory inventory = ReadSlotInventory(doc);
    const FolderHolds inGauges = [&](std::string_view name) { return gauges.Has(name); };
    for (const ModuleUse& use : modules) {
        if (HoldsGaugeModule(inGauges, use.module)) continue;
        Finding finding = At(FindingCode::GaugeModuleMissing, FindingSeverity::Error, *use.section, use.first);
        finding.value = std::string(use.module);
        finding.count = use.count;
        if (HoldsGaugeModule(panelFolder, use.module)) {
            finding.severity = FindingSeverity::Warning;
            finding.reason = FindingReason::OnlyInPanelFolder;
        } else if (inventory.setFound && platform::EqualsIgnoringAsciiCase(use.module, kModuleMarker)) {
            finding.reason = FindingReason::SetWindowsEmpty;
        }
        findings.push_back(std::move(finding));
    }
    FindWindows(inventory, read, panelFolder, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

}  // namespace panelcfg
