// The catalogue: what the scan found, by aircraft number and by panel number (the numbers the
// tree items' data words carry). Built once per run by ScanAircraft; afterwards only the marks
// and the slot rows change, as installs and removals go.
#pragma once

#include "catalogue/item_data.h"
#include "catalogue/scan_rules.h"
#include "platform/file_error.h"
#include "panelcfg/panel_inspection.h"

#include <cstdint>
#include <string>
#include <vector>

namespace catalogue {

struct PanelRecord {
    std::string name;          // the panel folder's name as listed (ANSI): the item's text
    std::string folder;        // its path, ending in the separator (ANSI): what edits open
    std::string nativeFolder;  // the same as the file system spells it (UTF-8 on Windows)
    int aircraft = 0;          // the aircraft number of its aircraft
    PanelKind kind = PanelKind::Plain;
    bool marked = false;               // the item shows the badge (state image 1), else nothing (2)
    std::string aliasPath;             // Alias: the folder it names, ending in "\"
    std::uint32_t slotMask = 0;        // Plain: window slots holding a title; each removal refreshes it
    std::uint32_t setMask = 0;         // slots whose title begins with "Skyvantage 530", as scanned
    std::uint32_t sections = 0;        // slots with a [WindowNN] section of their own, as scanned
    Unusable unusable = Unusable::No;  // why it may not be opened, if so
    fileio::Error unusableDetail;      // PanelFileUnreadable: what the system said
    panelcfg::Leftovers leftovers;     // what an interrupted edit left in its folder; beside a
                                       // panel.cfg, the next edit clears them
    bool hasPanelFile = true;          // its panel.cfg is there (as scanned)
    bool virtualized = false;          // its folder lies under one Windows lets only administrators change
    std::string copyFolder;            // the folder of the user's own copy of its panel.cfg, which the
                                       // simulator reads instead (shadow_copy.h); empty when none
    bool copySaid = false;             // selecting it has said so once
};

struct AircraftRecord {
    std::string title;         // "title" of [fltsim.0] in its aircraft.cfg, or the folder's name
    std::string folder;        // the aircraft folder's own name as listed (ANSI), whole
    std::string nativeFolder;  // the same as the file system spells it (UTF-8 on Windows)
    bool spellable = true;     // folder names this very folder
    std::vector<int> panels;   // its panel numbers, in listing order
};

struct Catalogue {
    std::string simulatorRoot;             // the folder it was scanned from, without a trailing separator
    std::vector<AircraftRecord> aircraft;  // by aircraft number
    std::vector<PanelRecord> panels;       // by panel number
    int unlistedPanels = 0;                // panel folders past the capacity
    int unlistedAircraft = 0;              // aircraft folders with at least one of them, or that cannot be listed

    bool HasPanel(int panel) const { return panel >= 0 && static_cast<std::size_t>(panel) < panels.size(); }
};

}  // namespace catalogue
