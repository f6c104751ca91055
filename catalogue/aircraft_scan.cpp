#include "catalogue/aircraft_scan.h"

#include "catalogue/shadow_copy.h"
#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_paths.h"
#include "platform/folder_listing.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/profile_value.h"

namespace catalogue {

namespace {

// The title is read into a buffer of 1024 bytes.
constexpr std::size_t kTitleBytes = 1024;

// "title" of [fltsim.0], read through the folder's real name, or fallback when the file or the
// key is missing, the title is "notfound", or the file's path is too long for the simulator.
// doc receives the file as parsed (empty when it was not read).
std::string ReadAircraftTitle(const platform::RealPath& folder, const std::string& fallback, profile::Document& doc) {
    const platform::RealPath file = folder.Child("aircraft.cfg");
    std::string bytes;
    if (file.Ansi().size() > platform::kMaxPathChars || !platform::ReadFileAt(file, bytes)) return fallback;
    doc = profile::Document::ParseOwned(std::move(bytes));
    return profile::ReadValue(doc, "fltsim.0", "title", kTitleBytes).value_or(fallback);
}

PanelRecord ClassifyPanel(const platform::RealPath& panelFolder, const platform::FolderEntry& entry,
                          const AircraftRecord& aircraft, int aircraftNumber, const std::string& simulatorRoot,
                          const platform::VirtualStore& store, profile::Document& doc) {
    PanelRecord panel;
    panel.name = entry.name;
    panel.aircraft = aircraftNumber;
    panel.folder = panelFolder.Ansi() + platform::kPathSeparator;
    panel.nativeFolder = panelFolder.Native() + platform::kPathSeparator;
    if (!aircraft.spellable) {
        panel.unusable = Unusable::AircraftUnspellable;
    } else if (!entry.spellable) {
        panel.unusable = Unusable::NameUnspellable;
    } else {
        panel.unusable = CheckPanelFolder(panel.folder);
    }
    if (panel.unusable == Unusable::No) FindShadowCopy(store, panel);
    if (panel.unusable != Unusable::No) return panel;

    const panelcfg::PanelFacts facts =
        panelcfg::InspectPanel(panel.copyFolder.empty() ? panelFolder.Ansi() : panel.copyFolder, simulatorRoot, &doc);
    panel.leftovers = facts.leftovers;
    panel.hasPanelFile = facts.file != panelcfg::PanelFileState::Missing;
    // A file the edits cannot read or write back is listed, never edited.
    switch (facts.file) {
        case panelcfg::PanelFileState::NotText: panel.unusable = Unusable::PanelFileNotText; return panel;
        case panelcfg::PanelFileState::Folder: panel.unusable = Unusable::PanelFileIsFolder; return panel;
        case panelcfg::PanelFileState::Unreadable:
            panel.unusable = Unusable::PanelFileUnreadable;
            panel.unusableDetail = facts.fileError;
            return panel;
        case panelcfg::PanelFileState::Readable:
        case panelcfg::PanelFileState::Missing: break;
    }
    panel.setMask = facts.inventory.setMask;
    panel.sections = facts.sections;
    if (facts.alias.present) {
        panel.kind = PanelKind::Alias;
        panel.aliasPath = facts.alias.path;
        panel.setMask = panel.sections = 0;  // an alias's own windows are never looked at
        if (facts.alias.tooLong) panel.unusable = Unusable::AliasTooLong;
    } else if (facts.inventory.setFound) {
        panel.slotMask = facts.inventory.slotMask;
        panel.marked = true;
    } else if (facts.marker) {
        panel.slotMask = facts.inventory.slotMask;
        panel.kind = PanelKind::Foreign;
        panel.marked = true;
    } else {
        panel.slotMask = facts.inventory.slotMask;
    }
    return panel;
}

}  // namespace

SimulatorFolder CheckSimulatorRoot(const std::string& simulatorRoot) {
    if (simulatorRoot.empty()) return SimulatorFolder::NotNamed;
    fileio::FileSystem& files = fileio::SystemFiles();
    switch (files.Probe(simulatorRoot)) {
        case fileio::PathKind::Folder: break;
        case fileio::PathKind::File:
        case fileio::PathKind::ReadOnlyFile: return SimulatorFolder::NotAFolder;
        case fileio::PathKind::Missing:
        case fileio::PathKind::FolderMissing:
        case fileio::PathKind::Unknown: return SimulatorFolder::Missing;
    }
    const std::string aircraft = simulatorRoot + platform::kPathSeparator + std::string(panelcfg::kAircraftFolderName);
    return files.Probe(aircraft) == fileio::PathKind::Folder ? SimulatorFolder::Found
                                                             : SimulatorFolder::NoAircraftFolder;
}

Catalogue ScanAircraft(const std::string& simulatorRoot, const ScanLimits& limits, const ScanVisitor& visitor) {
    Catalogue catalogue;
    catalogue.simulatorRoot = simulatorRoot;
    const platform::RealPath aircraftRoot =
        platform::RealPath(simulatorRoot).Child(std::string(panelcfg::kAircraftFolderName));
    std::vector<platform::FolderEntry> entries, panelEntries;
    platform::ListFolder(aircraftRoot, entries);
    const platform::VirtualStore store = platform::SystemVirtualStore();

    for (const platform::FolderEntry& entry : entries) {
        if (!entry.folder || IsSkippedAircraftName(entry.name)) continue;
        const platform::RealPath folder = aircraftRoot.Child(entry);
        // A folder that cannot be listed is not silently an empty one. One too long for the
        // simulator is listed all the same: its panels are shown, and said to be out of reach.
        if (!platform::ListFolder(folder, panelEntries)) {
            ++catalogue.unlistedAircraft;
            continue;
        }
        int aircraftNumber = -1;
        bool leftOut = false;
        for (const platform::FolderEntry& panelEntry : panelEntries) {
            if (!panelEntry.folder || !IsPanelFolderName(panelEntry.name)) continue;
            const int panelNumber = static_cast<int>(catalogue.panels.size());
            const int aircraftCount = static_cast<int>(catalogue.aircraft.size());
            // Past the capacity the data words would lose their meaning: count, do not add.
            if (panelNumber >= limits.maxPanels || (aircraftNumber < 0 && aircraftCount >= limits.maxAircraft)) {
                ++catalogue.unlistedPanels;
                leftOut = true;
                continue;
            }
            profile::Document doc;
            if (aircraftNumber < 0) {
                aircraftNumber = aircraftCount;
                catalogue.aircraft.push_back(
                    {ReadAircraftTitle(folder, entry.name, doc), entry.name, entry.native, entry.spellable, {}});
                if (visitor.aircraftFile) visitor.aircraftFile(aircraftNumber, doc);
                doc = profile::Document::Empty();
            }
            AircraftRecord& aircraft = catalogue.aircraft[static_cast<std::size_t>(aircraftNumber)];
            catalogue.panels.push_back(ClassifyPanel(folder.Child(panelEntry), panelEntry, aircraft, aircraftNumber,
                                                     simulatorRoot, store, doc));
            aircraft.panels.push_back(panelNumber);
            if (visitor.panelFile) visitor.panelFile(panelNumber, catalogue.panels.back(), doc);
        }
        if (leftOut) ++catalogue.unlistedAircraft;
    }
    return catalogue;
}

}  // namespace catalogue
