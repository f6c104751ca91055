#include "cli/listing.h"

#include "catalogue/messages.h"
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

bool UsesSlots(const PanelRecord& panel) {
    return panel.unusable == Unusable::No && panel.kind != PanelKind::Alias;
}

int FreeSlots(const PanelRecord& panel) {
    return static_cast<int>(std::bitset<32>(~(panel.slotMask | panel.sections)).count());
}

std::vector<std::string> SlotNames(std::uint32_t mask) {
    std::vector<std::string> names;
    for (int slot = 0; slot < 32; ++slot) {
        if (mask & (std::uint32_t{1} << slot)) names.push_back((slot < 10 ? "Window0" : "Window") + std::to_string(slot));
    }
    return names;
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

std::string Lowered(const std::string& text) {
    std::string lowered = text;
    for (char& c : lowered) c = platform::FoldAscii(c);
    return lowered;
}

}  // namespace

std::vector<int> AircraftInTreeOrder(const catalogue::Catalogue& catalogue) {
    std::vector<int> order(catalogue.aircraft.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto& x = catalogue.aircraft[static_cast<std::size_t>(a)];
        const auto& y = catalogue.aircraft[static_cast<std::size_t>(b)];
        const std::string tx = Lowered(x.title), ty = Lowered(y.title);
        return tx != ty ? tx < ty : x.folder < y.folder;
    });
    return order;
}

std::vector<int> PanelsInOrder(const catalogue::Catalogue& catalogue, int aircraft) {
    std::vector<int> panels = catalogue.aircraft[static_cast<std::size_t>(aircraft)].panels;
    std::stable_sort(panels.begin(), panels.end(), [&](int a, int b) {
        const std::string& x = catalogue.panels[static_cast<std::size_t>(a)].name;
        const std::string& y = catalogue.panels[static_cast<std::size_t>(b)].name;
        const std::string lx = Lowered(x), ly = Lowered(y);
        return lx != ly ? lx < ly : x < y;
    });
    return panels;
}

std::string PanelFolder(const catalogue::Catalogue& catalogue, const std::string& simulatorRoot, int panel) {
    const PanelRecord& record = catalogue.panels[static_cast<std::size_t>(panel)];
    return catalogue::ComposePanelFolder(simulatorRoot, catalogue.aircraft[static_cast<std::size_t>(record.aircraft)].folder,
                                         record.name);
}

void PrintTable(const catalogue::Catalogue& catalogue, std::ostream& out) {
    std::vector<std::vector<std::string>> rows = {{"AIRCRAFT", "FOLDER", "PANEL", "SET", "FREE", "KIND"}};
    for (int number : AircraftInTreeOrder(catalogue)) {
        const catalogue::AircraftRecord& aircraft = catalogue.aircraft[static_cast<std::size_t>(number)];
        for (int panelNumber : PanelsInOrder(catalogue, number)) {
            const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
            std::string set = "-", free = "-", kind = KindName(panel);
            if (UsesSlots(panel)) {
                const std::vector<std::string> names = SlotNames(panel.setMask);
                if (!names.empty()) {
                    set.clear();
                    for (const std::string& name : names) set += (set.empty() ? "" : ",") + name;
                }
                free = std::to_string(FreeSlots(panel));
            }
            if (panel.unusable != Unusable::No) {
                kind += ": " + catalogue::UnusableReason(panel.unusable, panel.unusableDetail);
            } else if (panel.kind == PanelKind::Alias) {
                kind += " of " + panel.aliasPath;
            }
            if (panel.leftovers) kind += "; leftovers of an interrupted edit";
            rows.push_back({aircraft.title, aircraft.folder, panel.name, set, free, kind});
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
    const auto text = [](const std::string& ansi) { return platform::AnsiToUtf8(ansi); };
    Json document;
    document["simulator"] = text(simulatorRoot);
    Json aircraftList = Json::array();
    for (int number : AircraftInTreeOrder(catalogue)) {
        const catalogue::AircraftRecord& aircraft = catalogue.aircraft[static_cast<std::size_t>(number)];
        Json panels = Json::array();
        for (int panelNumber : PanelsInOrder(catalogue, number)) {
            const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
            Json entry;
            entry["folder"] = text(panel.name);
            entry["path"] = text(PanelFolder(catalogue, simulatorRoot, panelNumber));
            entry["kind"] = KindName(panel);
            if (panel.unusable != Unusable::No) {
                entry["reason"] = catalogue::UnusableReason(panel.unusable, panel.unusableDetail);
            }
            if (panel.unusable == Unusable::No && panel.kind == PanelKind::Alias) entry["target"] = text(panel.aliasPath);
            if (UsesSlots(panel)) {
                entry["installed"] = panel.kind == PanelKind::Plain && panel.marked;
                entry["setSlots"] = SlotNames(panel.setMask);
                entry["freeSlots"] = FreeSlots(panel);
            }
            entry["leftovers"] = panel.leftovers;
            panels.push_back(std::move(entry));
        }
        Json entry;
        entry["title"] = text(aircraft.title);
        entry["folder"] = text(aircraft.folder);
        entry["panels"] = std::move(panels);
        aircraftList.push_back(std::move(entry));
    }
    document["aircraft"] = std::move(aircraftList);
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace cli
