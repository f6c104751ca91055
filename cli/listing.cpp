#include "cli/listing.h"

#include "catalogue/messages.h"
#include "catalogue/readiness.h"
#include "catalogue/shadow_copy.h"
#include "catalogue/tree_order.h"
#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_paths.h"
#include "platform/paths.h"
#include "platform/ascii.h"
#include "platform/text_encoding.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <bitset>
#include <cstdint>

namespace cli {

namespace {

using catalogue::PanelKind;
using catalogue::PanelRecord;
using catalogue::Unusable;

std::vector<std::string> SlotNames(std::uint32_t mask) {
    std::vector<std::string> names;
    for (int slot = 0; slot < panelcfg::kSlotCount; ++slot) {
        if (mask & (std::uint32_t{1} << slot)) names.push_back(panelcfg::SlotKey(slot));
    }
    return names;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ",") + name;
    return text.empty() ? "-" : text;
}

// The last name of a path that ends in a separator.
std::string LastName(const std::string& folder) {
    const std::string path = platform::WithoutTrailingSeparators(folder);
    return path.substr(platform::FolderPart(path).size());
}

std::string KindName(const PanelRecord& panel) {
    if (panel.unusable != Unusable::No) return "unusable";
    switch (panel.kind) {
        case PanelKind::Alias: return "alias";
        case PanelKind::Foreign: return "foreign";
        case PanelKind::Plain: break;
    }
    return "plain";
}

}  // namespace

void PrintTable(const catalogue::Catalogue& catalogue, std::ostream& out) {
    std::vector<std::vector<std::string>> rows = {{"AIRCRAFT", "FOLDER", "PANEL", "KIND", "SET", "FREE", "INSTALL"}};
    for (int number : catalogue::AircraftInTreeOrder(catalogue)) {
        const catalogue::AircraftRecord& aircraft = catalogue.aircraft[static_cast<std::size_t>(number)];
        for (int panelNumber : catalogue::PanelsInOrder(catalogue, number)) {
            const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
            const catalogue::InstallCheck check = catalogue::CheckInstall(panel);
            std::string install = check.readiness == catalogue::Readiness::Installable
                                      ? "yes"
                                      : "no: " + catalogue::ReadinessReason(check, panel);
            if (panel.leftovers.Any()) install += "; leftovers of an interrupted edit";
            if (!panel.copyFolder.empty()) install += "; " + catalogue::ShadowCopyNote(panel);
            rows.push_back({aircraft.title, aircraft.folder, panel.name, KindName(panel),
                            Joined(SlotNames(panel.setMask)),
                            std::to_string(std::bitset<32>(catalogue::FreeSlots(panel)).count()), install});
        }
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size() + 2, ' ');
        }
        out << line << "\n";
    }
}

void PrintJson(const catalogue::Catalogue& catalogue, const std::string& simulatorRoot, std::ostream& out) {
    using Json = nlohmann::ordered_json;
    Json document;
    document["version"] = kListFormatVersion;
    document["simulator"] = platform::AnsiToUtf8(simulatorRoot);
    Json aircraftList = Json::array();
    for (int number : catalogue::AircraftInTreeOrder(catalogue)) {
        const catalogue::AircraftRecord& aircraft = catalogue.aircraft[static_cast<std::size_t>(number)];
        Json panels = Json::array();
        for (int panelNumber : catalogue::PanelsInOrder(catalogue, number)) {
            const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
            const catalogue::InstallCheck check = catalogue::CheckInstall(panel);
            Json entry;
            entry["folder"] = LastName(panel.nativeFolder);
            entry["path"] = panel.nativeFolder;
            entry["kind"] = KindName(panel);
            if (panel.unusable == Unusable::No && panel.kind == PanelKind::Alias) {
                entry["target"] = platform::AnsiToUtf8(panel.aliasPath);
            }
            entry["installed"] = panel.kind == PanelKind::Plain && panel.setMask != 0;
            entry["setSlots"] = SlotNames(panel.setMask);
            entry["freeSlots"] = SlotNames(catalogue::FreeSlots(panel));
            entry["installable"] = check.readiness == catalogue::Readiness::Installable;
            if (check.readiness != catalogue::Readiness::Installable) {
                entry["reason"] = {{"code", catalogue::ReadinessCode(check, panel)},
                                   {"text", platform::AnsiToUtf8(catalogue::ReadinessReason(check, panel))}};
            }
            entry["leftovers"] = panel.leftovers.Any();
            if (!panel.copyFolder.empty()) {  // the simulator reads the per-user copy
                entry["file"] = platform::AnsiToUtf8(panelcfg::PanelFilePath(panel.copyFolder));
                entry["shadowed"] = true;
            }
            panels.push_back(std::move(entry));
        }
        Json entry;
        entry["title"] = platform::AnsiToUtf8(aircraft.title);
        entry["folder"] = aircraft.nativeFolder;
        entry["panels"] = std::move(panels);
        aircraftList.push_back(std::move(entry));
    }
    document["aircraft"] = std::move(aircraftList);
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace cli
