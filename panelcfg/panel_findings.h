// What the simulator will not show of one panel.cfg, found from the file and the names the
// gauges folder and the panel folder hold, as data: the doctor's rules for one file. Portable;
// reads nothing itself. The findings across a fleet (aliases, aircraft.cfg) are the catalogue's.
#pragma once

#include "platform/folder_listing.h"
#include "platform/profile_document.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace panelcfg {

// Every code the doctor reports; the last group is found across the fleet (catalogue/fleet_check.h).
enum class FindingCode {
    GaugeModuleMissing,   // a gauge line names a module the gauges folder does not hold
    GaugeKeyMisspelled,   // "guage05=": the simulator reads no such key
    TitleGap,             // a title above the first window number without one: never opened
    TitleWithoutSection,  // an opened window's title without a [WindowNN] section
    SectionWithoutTitle,  // a [WindowNN] section without a title: never opened
    IdentClash,           // two opened windows with one ident
    BitmapMissing,        // file= or file_1024= of an opened window names no file of the panel folder
    DuplicateSection,     // a section again, with keys: the simulator reads the first
    DuplicateKey,         // a key again in one section, with another value: the simulator reads the first
    AliasBroken,          // the alias names a folder that is not there, an alias, or loops
    PanelFolderMissing,   // aircraft.cfg's panel= names a panel.<name> folder that is not there
    Unusable,             // the panel cannot be opened (catalogue::Unusable says why)
    Leftovers,            // panel.cfg_backup or panel.cfg_new of an interrupted edit lies beside panel.cfg
    Interrupted,          // no panel.cfg, and what an interrupted edit left in the folder
    PerUserCopy,          // the simulator reads the user's own copy of panel.cfg, not this one
};
constexpr int kFindingCodes = static_cast<int>(FindingCode::PerUserCopy) + 1;  // the last one above

enum class FindingSeverity {
    Error,    // the simulator shows less than the file says
    Warning,  // it may
};

// The finer reason of a code that has more than one.
enum class FindingReason {
    None,
    SetWindowsEmpty,    // GaugeModuleMissing: the Aerolith module, in a panel that carries the set
    OnlyInPanelFolder,  // GaugeModuleMissing: the module lies in the panel folder only
    OtherBitmapThere,   // BitmapMissing: the window's other bitmap is there
    TargetMissing,      // AliasBroken: no such folder
    TargetHasNoFile,    // AliasBroken: the folder has no panel.cfg
    AliasOfAlias,       // AliasBroken: the folder's panel is an alias itself
    AliasLoop,          // AliasBroken: following the aliases leads back to this panel
};

struct Finding {
    FindingCode code = FindingCode::GaugeModuleMissing;
    FindingSeverity severity = FindingSeverity::Error;
    FindingReason reason = FindingReason::None;
    std::string section;  // the section concerned, as the file spells it; empty for none
    std::string key;      // the key concerned, as the file spells it; empty for none
    std::string file;     // the file concerned (panel.cfg, aircraft.cfg, the bitmap); empty for none
    int line = 0;         // the line of key (or of section's header) in the file, from 1; 0 for none
    int otherLine = 0;    // DuplicateSection, DuplicateKey: the line the simulator reads instead
    std::string value;    // what key names: the module, the bitmap, the ident, the title, the alias's
                          // folder, the panel= value
    std::string other;    // IdentClash: the other window; TitleGap: the first number without a title;
                          // TitleWithoutSection: the section missing;
                          // DuplicateKey: the value read; BitmapMissing: the other bitmap;
                          // AliasBroken: where the aliases lead; PanelFolderMissing: the folder
    int count = 0;        // GaugeModuleMissing: the gauge lines that name the module
};

// Whether a folder holds a file or folder of the name, letters' case ignored as the simulator's
// file system ignores it.
using FolderHolds = std::function<bool(std::string_view name)>;

// The names of one folder's entries, listed once, for a folder asked about many times (the
// gauges folder); ASCII letter case folded.
class FolderNames {
public:
    FolderNames() = default;  // an empty or missing folder
    explicit FolderNames(const std::vector<platform::FolderEntry>& entries);
    bool Has(std::string_view name) const;

private:
    std::vector<std::string> names_;  // sorted
};

// Whether a folder holds the gauge module: <module>.gau, .cab or .dll, or a folder <module> of
// XML gauges.
bool HoldsGaugeModule(const FolderHolds& holds, std::string_view module);

// The module a gauge line's value names: the text before '!' of its first field, or the whole
// first field (FS98's one gauge a file), blanks trimmed; empty when there is none or it holds a
// path, which the rules do not follow.
std::string_view GaugeModuleOf(std::string_view value);

// Findings of one panel.cfg (a plain or foreign panel's: an alias's own windows are never opened),
// ordered by line. gauges: the simulator's gauges folder; panelFolder: what the panel's own folder
// holds, asked only of the bitmaps its opened windows name and of modules the gauges folder lacks.
std::vector<Finding> FindPanelFileProblems(const profile::Document& doc, const FolderNames& gauges,
                                           const FolderHolds& panelFolder);

}  // namespace panelcfg
