#include "catalogue/aircraft_scan.h"

#include "catalogue/aircraft_tree.h"
#include "catalogue/catalogue_tables.h"
#include "catalogue/scan_rules.h"
#include "host/host_state.h"
#include "panelcfg/panel_inspection.h"
#include "platform/profile_api.h"

namespace catalogue {

ScannerState g_scanner;

namespace {

constexpr const char* kRootText = "FS2002 Aircrafts List:";
constexpr const char* kNotFound = "notfound";
constexpr std::uint32_t kTitleCapacity = 1024;

// One call of the listing protocol shared by both iterators.
int NextEntry(FolderIterator& it, const std::string& folder) {
    if (it.done) return 0;
    WIN32_FIND_DATAA entry{};
    bool found;
    if (it.first) {
        const std::string pattern = folder + "\\*";
        found = pattern.size() <= kMaxPathChars && it.search.Start(pattern.c_str(), entry);
    } else {
        found = it.search.Next(entry);
    }
    if (!found) {
        it.name.clear();
        it.path.clear();
        it.attributes = 0;
        it.search.Close();
        it.first = 1;
        it.done = 1;
        return 0;
    }
    it.first = 0;
    it.attributes = entry.dwFileAttributes;
    it.name = entry.cFileName;
    it.path = folder + "\\" + it.name;
    return 1;
}

bool IsFolder(const FolderIterator& it) { return (it.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Classifies the current panel folder and inserts its item under the current aircraft.
void AddPanel(int aircraft) {
    ScannerState& s = g_scanner;
    const int panel = s.panelCounter;
    const std::string folder = s.panelIterator.path + "\\";

    PanelKind kind = PanelKind::Plain;
    bool marked = false;
    if (!PanelFolderUsable(folder)) {
        // Listed so the user sees it, but never opened: a cut path would name another file.
        SetPanelUnusable(panel, true);
    } else {
        const panelcfg::PanelFacts facts =
            panelcfg::InspectPanel(s.panelIterator.path, host::g_host.simulatorRoot);
        if (facts.alias) {
            SetAliasPath(panel, facts.aliasPath);
            if (facts.aliasUnusable) SetPanelUnusable(panel, true);
            kind = PanelKind::Alias;
        } else {
            SetSlotMask(panel, facts.slotMask);
            if (facts.setFound) {
                marked = true;
            } else if (facts.marker) {
                kind = PanelKind::Foreign;
                marked = true;
            }
        }
    }
    HTREEITEM item = InsertItem(s.currentAircraftItem, s.panelIterator.name,
                                MakePanelItemData(panel, kind, aircraft));
    if (marked) {
        MarkItem(item);
        ExpandItem(s.currentAircraftItem);
    } else {
        UnmarkItem(item);
    }
}

}  // namespace

int NextAircraftFolder() {
    return NextEntry(g_scanner.aircraftIterator, host::g_host.simulatorRoot + "\\aircraft");
}

int NextPanelFolder() {
    return NextEntry(g_scanner.panelIterator, g_scanner.aircraftIterator.path);
}

std::string ReadAircraftTitle(const std::string& fallback) {
    const std::string file = g_scanner.aircraftIterator.path + "\\aircraft.cfg";
    char title[kTitleCapacity] = {};
    profile::GetPrivateProfileStringA("fltsim.0", "title", kNotFound, title, kTitleCapacity,
                                      file.c_str());
    if (std::string(title) == kNotFound) return fallback;
    return title;
}

void ScanAircraft() {
    ScannerState& s = g_scanner;
    s.aircraftIterator.Reset();
    s.panelIterator.Reset();
    s.unlistedPanels = 0;
    s.unlistedAircraft = 0;

    s.rootItem = InsertItem(nullptr, kRootText, kRootItemData);
    s.aircraftCounter = 0;
    s.panelCounter = 0;

    while (!s.aircraftIterator.done) {
        if (!NextAircraftFolder() || !IsFolder(s.aircraftIterator) ||
            IsSkippedAircraftName(s.aircraftIterator.name)) {
            continue;
        }
        // A folder whose listing cannot even start is not silently an empty one.
        if ((s.aircraftIterator.path + "\\*").size() > kMaxPathChars) {
            ++s.unlistedAircraft;
            continue;
        }
        bool hasItem = false;
        bool leftOut = false;
        int aircraft = -1;
        while (!s.panelIterator.done) {
            if (!NextPanelFolder() || !IsFolder(s.panelIterator) ||
                !IsPanelFolderName(s.panelIterator.name)) {
                continue;
            }
            // Past the capacity the data words would lose their meaning: count, do not add.
            if (s.panelCounter >= s.maxPanels || (!hasItem && s.aircraftCounter >= s.maxAircraft)) {
                ++s.unlistedPanels;
                leftOut = true;
                continue;
            }
            if (!hasItem) {
                const std::string title = ReadAircraftTitle(s.aircraftIterator.name);
                aircraft = s.aircraftCounter;
                SetAircraftFolder(aircraft, s.aircraftIterator.name);
                s.currentAircraftItem = InsertItem(s.rootItem, title, aircraft);
                ++s.aircraftCounter;
                hasItem = true;
            }
            AddPanel(aircraft);
            ++s.panelCounter;
        }
        s.panelIterator.done = 0;
        if (leftOut) ++s.unlistedAircraft;
    }

    SortAircraftItems(s.rootItem);
    const std::string unlisted = UnlistedItemText(s.unlistedPanels, s.unlistedAircraft);
    if (!unlisted.empty()) InsertItem(s.rootItem, unlisted, kOverflowItemData);
    ExpandItem(s.rootItem);
}

}  // namespace catalogue
