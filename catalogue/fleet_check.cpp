#include "catalogue/fleet_check.h"

#include "catalogue/aircraft_scan.h"
#include "catalogue/readiness.h"
#include "panelcfg/panel_keys.h"
#include "panelcfg/panel_paths.h"
#include "platform/ascii.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/paths.h"
#include "platform/profile_value.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace catalogue {

namespace {

using panelcfg::Finding;
using panelcfg::FindingCode;
using panelcfg::FindingReason;
using panelcfg::FindingSeverity;

constexpr const char* kGaugesFolder = "gauges";
constexpr std::string_view kFltsimPrefix = "fltsim.";
constexpr std::string_view kPanelFolderPrefix = "panel.";

panelcfg::FolderNames ListedNames(const platform::RealPath& folder) {
    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(folder, entries);
    return panelcfg::FolderNames(entries);
}

Finding Found(FindingCode code, FindingSeverity severity, std::string file) {
    Finding finding;
    finding.code = code;
    finding.severity = severity;
    finding.file = std::move(file);
    return finding;
}

// What the scan already knows of a panel, as findings.
void AddScanFacts(const PanelRecord& panel, std::vector<Finding>& findings) {
    if (!panel.copyFolder.empty()) {
        findings.push_back(
            Found(FindingCode::PerUserCopy, FindingSeverity::Warning, panelcfg::PanelFilePath(panel.copyFolder)));
    }
    if (panel.unusable != Unusable::No) {
        // The simulator may read a UTF-16 file, a file that is locked now or a path too long only
        // for the backup's name; what it cannot read at all is an error.
        const bool mayRead = panel.unusable == Unusable::PanelFileNotText ||
                             panel.unusable == Unusable::PanelFileUnreadable || panel.unusable == Unusable::PathTooLong;
        findings.push_back(Found(FindingCode::Unusable, mayRead ? FindingSeverity::Warning : FindingSeverity::Error,
                                 std::string(panelcfg::kPanelFileName)));
        return;
    }
    if (CheckInstall(panel).readiness == Readiness::Interrupted) {
        const std::string file(panelcfg::kPanelFileName);
        findings.push_back(Found(FindingCode::Interrupted, FindingSeverity::Error,
                                 panel.leftovers.backup ? panelcfg::BackupPath(file) : panelcfg::TemporaryPath(file)));
    } else if (panel.leftovers.Any()) {
        findings.push_back(
            Found(FindingCode::Leftovers, FindingSeverity::Warning, std::string(panelcfg::kPanelFileName)));
    }
}

// A path as the catalogue's lookup compares it: one separator, no trailing one, letters folded
// where the file system folds them.
std::string PathKey(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    if (platform::kNamesFoldCase) {
        for (char& c : path) c = platform::FoldAscii(c);
    }
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// path with the platform's separators, for the file system.
std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '\\', platform::kPathSeparator);
    std::replace(path.begin(), path.end(), '/', platform::kPathSeparator);
    return path;
}

// Why the alias of panel start leads the simulator to no panel, if it does: leadsTo names where
// the aliases lead when it follows another.
FindingReason FollowAlias(const Catalogue& catalogue, const std::unordered_map<std::string, int>& byFolder, int start,
                          std::string& leadsTo) {
    const auto target = byFolder.find(PathKey(catalogue.panels[static_cast<std::size_t>(start)].aliasPath));
    if (target == byFolder.end()) {
        // A folder the scan does not list (a skipped aircraft, a path through ".."): ask the files.
        const std::string folder = Native(catalogue.panels[static_cast<std::size_t>(start)].aliasPath);
        fileio::FileSystem& files = fileio::SystemFiles();
        if (files.Probe(platform::WithoutTrailingSeparators(folder)) != fileio::PathKind::Folder) {
            return FindingReason::TargetMissing;
        }
        return fileio::FileExists(panelcfg::PanelFilePath(folder), files) ? FindingReason::None
                                                                          : FindingReason::TargetHasNoFile;
    }
    const PanelRecord& first = catalogue.panels[static_cast<std::size_t>(target->second)];
    if (first.kind != PanelKind::Alias) {
        return first.unusable == Unusable::No && !first.hasPanelFile ? FindingReason::TargetHasNoFile
                                                                     : FindingReason::None;
    }
    std::set<int> seen = {start};
    for (int at = target->second; catalogue.panels[static_cast<std::size_t>(at)].kind == PanelKind::Alias;) {
        const PanelRecord& alias = catalogue.panels[static_cast<std::size_t>(at)];
        leadsTo = alias.aliasPath;
        if (at == start) return FindingReason::AliasLoop;
        const auto next = byFolder.find(PathKey(alias.aliasPath));
        if (!seen.insert(at).second || next == byFolder.end()) break;
        at = next->second;
    }
    return FindingReason::AliasOfAlias;
}

void AddAliasFindings(FleetFindings& fleet) {
    const Catalogue& catalogue = fleet.catalogue;
    std::unordered_map<std::string, int> byFolder;
    for (std::size_t n = 0; n < catalogue.panels.size(); ++n) {
        byFolder.emplace(PathKey(catalogue.panels[n].folder), static_cast<int>(n));
    }
    for (std::size_t n = 0; n < catalogue.panels.size(); ++n) {
        const PanelRecord& panel = catalogue.panels[n];
        if (panel.kind != PanelKind::Alias || panel.unusable != Unusable::No) continue;
        std::string leadsTo;
        const FindingReason reason = FollowAlias(catalogue, byFolder, static_cast<int>(n), leadsTo);
        if (reason == FindingReason::None) continue;
        Finding finding =
            Found(FindingCode::AliasBroken, FindingSeverity::Error, std::string(panelcfg::kPanelFileName));
        finding.reason = reason;
        finding.section = panelcfg::kAliasSection;
        finding.key = panelcfg::kAliasKey;
        finding.value = panel.aliasPath;
        finding.other = leadsTo;
        auto& findings = fleet.panels[n];
        findings.insert(std::find_if(findings.begin(), findings.end(), [](const Finding& f) { return f.line > 0; }),
                        std::move(finding));
    }
}

// The panel folders [fltsim.N] sections of aircraft.cfg name by panel=, as findings to keep when
// the folder is not there.
std::vector<Finding> NamedPanelFolders(const profile::Document& doc) {
    std::vector<Finding> named;
    for (const profile::Document::SectionView& section : doc.Sections()) {
        const std::string_view name = section.name;
        if (name.size() <= kFltsimPrefix.size() || !platform::StartsWithIgnoringAsciiCase(name, kFltsimPrefix) ||
            name.find_first_not_of("0123456789", kFltsimPrefix.size()) != std::string_view::npos) {
            continue;
        }
        for (const profile::Document::KeyLine& key : section.keys) {
            if (!platform::EqualsIgnoringAsciiCase(key.name, "panel")) continue;
            // The first line of the key is the one read; an empty value names the folder "panel".
            if (!key.value.empty() && key.value != profile::kNotFound &&
                key.value.find_first_of("\\/:") == std::string_view::npos) {
                Finding finding = Found(FindingCode::PanelFolderMissing, FindingSeverity::Error, "aircraft.cfg");
                finding.section = std::string(name);
                finding.key = std::string(key.name);
                finding.line = static_cast<int>(key.line) + 1;
                finding.value = std::string(key.value);
                finding.other = std::string(kPanelFolderPrefix) + finding.value;
                named.push_back(std::move(finding));
            }
            break;
        }
    }
    return named;
}

void AddMissingFolders(FleetFindings& fleet, std::vector<std::vector<Finding>>& named) {
    const Catalogue& catalogue = fleet.catalogue;
    const auto parent = [](const std::string& folder) {
        return platform::FolderPart(platform::WithoutTrailingSeparators(folder));
    };
    for (std::size_t a = 0; a < catalogue.aircraft.size(); ++a) {
        const std::vector<int>& panels = catalogue.aircraft[a].panels;
        std::vector<MissingPanelFolder>& missing = fleet.missingFolders[a];
        for (Finding& finding : named[a]) {
            const auto same = [&](const std::string& name) {
                return platform::EqualsIgnoringAsciiCase(name, finding.other);
            };
            if (std::any_of(panels.begin(), panels.end(),
                            [&](int p) { return same(catalogue.panels[static_cast<std::size_t>(p)].name); })) {
                continue;
            }
            auto folder = std::find_if(missing.begin(), missing.end(),
                                       [&](const MissingPanelFolder& m) { return same(m.findings.front().other); });
            if (folder == missing.end()) {
                // Beside the aircraft's panel folders, in the aircraft's folder.
                const PanelRecord& sibling = catalogue.panels[static_cast<std::size_t>(panels.front())];
                folder = missing.insert(
                    missing.end(),
                    {parent(sibling.folder) + finding.other + platform::kPathSeparator,
                     parent(sibling.nativeFolder) + platform::AnsiToUtf8(finding.other) + platform::kPathSeparator,
                     {}});
            }
            folder->findings.push_back(std::move(finding));
        }
    }
}

}  // namespace

panelcfg::FolderNames ListGauges(const std::string& simulatorRoot) {
    // The simulator's installer spells it "Gauges"; Windows finds it by any spelling, POSIX needs
    // its own.
    const platform::RealPath root(simulatorRoot);
    std::vector<platform::FolderEntry> entries;
    platform::ListFolder(root, entries);
    for (const platform::FolderEntry& entry : entries) {
        if (entry.folder && platform::EqualsIgnoringAsciiCase(entry.name, kGaugesFolder)) {
            return ListedNames(root.Child(entry));
        }
    }
    return {};
}

bool GaugeModuleInstalled(const std::string& simulatorRoot, std::string_view module) {
    const panelcfg::FolderNames gauges = ListGauges(simulatorRoot);
    return panelcfg::HoldsGaugeModule([&](std::string_view name) { return gauges.Has(name); }, module);
}

FleetFindings CheckFleet(const std::string& simulatorRoot) {
    FleetFindings fleet;
    const panelcfg::FolderNames gauges = ListGauges(simulatorRoot);
    fileio::FileSystem& files = fileio::SystemFiles();
    std::vector<std::vector<Finding>> named;
    ScanVisitor visitor;
    visitor.aircraftFile = [&](int aircraft, const profile::Document& doc) {
        named.resize(static_cast<std::size_t>(aircraft) + 1);
        named.back() = NamedPanelFolders(doc);
    };
    visitor.panelFile = [&](int number, const PanelRecord& panel, const profile::Document& doc) {
        fleet.panels.resize(static_cast<std::size_t>(number) + 1);
        std::vector<Finding>& findings = fleet.panels.back();
        AddScanFacts(panel, findings);
        // An alias's own windows are never opened; a file not read has nothing to say.
        if (panel.unusable != Unusable::No || panel.kind == PanelKind::Alias || !panel.hasPanelFile) return;
        // A few names a panel, asked one by one: under Wine a listing of the folder costs as much as
        // four of these.
        const panelcfg::FolderHolds holds = [&](std::string_view name) {
            const fileio::PathKind kind = files.Probe(panel.folder + std::string(name));
            return kind == fileio::PathKind::File || kind == fileio::PathKind::ReadOnlyFile ||
                   kind == fileio::PathKind::Folder;
        };
        for (Finding& finding : panelcfg::FindPanelFileProblems(doc, gauges, holds)) {
            findings.push_back(std::move(finding));
        }
    };
    fleet.catalogue = ScanAircraft(simulatorRoot, kNoLimits, visitor);
    fleet.panels.resize(fleet.catalogue.panels.size());
    named.resize(fleet.catalogue.aircraft.size());
    fleet.missingFolders.resize(fleet.catalogue.aircraft.size());
    AddAliasFindings(fleet);
    AddMissingFolders(fleet, named);
    return fleet;
}

}  // namespace catalogue
