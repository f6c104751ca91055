#include "cli/check.h"

#include "catalogue/messages.h"
#include "platform/text_encoding.h"

#include <nlohmann/json.hpp>

namespace cli {

namespace {

using catalogue::PanelRecord;
using panelcfg::Finding;

// One panel folder as check reports it.
struct Checked {
    const std::string& folder;        // ANSI, ending in the separator
    const std::string& nativeFolder;  // as the file system spells it
    const PanelRecord* panel;         // nullptr: a folder aircraft.cfg names that is not there
    const std::vector<Finding>& findings;
};

std::vector<Checked> Chosen(const catalogue::FleetFindings& fleet, const std::vector<ChosenPanel>& panels) {
    std::vector<Checked> checked;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const auto number = static_cast<std::size_t>(panels[i].number);
        const PanelRecord& panel = fleet.catalogue.panels[number];
        checked.push_back({panel.folder, panel.nativeFolder, &panel, fleet.panels[number]});
        // A whole aircraft chosen: after its last panel, the folders its aircraft.cfg names in vain.
        const bool last =
            i + 1 == panels.size() ||
            fleet.catalogue.panels[static_cast<std::size_t>(panels[i + 1].number)].aircraft != panel.aircraft;
        if (!last || panels[i].named) continue;
        for (const catalogue::MissingPanelFolder& missing :
             fleet.missingFolders[static_cast<std::size_t>(panel.aircraft)]) {
            checked.push_back({missing.folder, missing.nativeFolder, nullptr, missing.findings});
        }
    }
    return checked;
}

}  // namespace

CheckCounts PrintCheck(const catalogue::FleetFindings& fleet, const std::vector<ChosenPanel>& panels, bool json,
                       std::ostream& out) {
    using Json = nlohmann::ordered_json;
    CheckCounts counts;
    Json list = Json::array();
    for (const Checked& checked : Chosen(fleet, panels)) {
        ++counts.panels;
        counts.panelsWithFindings += checked.findings.empty() ? 0 : 1;
        Json findings = Json::array();
        for (const Finding& finding : checked.findings) {
            ++(finding.severity == panelcfg::FindingSeverity::Error ? counts.errors : counts.warnings);
            const std::string text = catalogue::FindingText(finding, checked.panel);
            if (!json) {
                out << checked.folder << ": " << catalogue::FindingCodeName(finding.code) << ": " << text << "\n";
                continue;
            }
            Json entry = {{"code", catalogue::FindingCodeName(finding.code)},
                          {"severity", catalogue::FindingSeverityName(finding.severity)},
                          {"text", platform::AnsiToUtf8(text)}};
            if (!finding.section.empty()) entry["window"] = platform::AnsiToUtf8(finding.section);
            if (!finding.key.empty()) entry["key"] = platform::AnsiToUtf8(finding.key);
            if (!finding.file.empty()) entry["file"] = platform::AnsiToUtf8(finding.file);
            if (finding.line > 0) entry["line"] = finding.line;
            findings.push_back(std::move(entry));
        }
        if (json) list.push_back({{"path", checked.nativeFolder}, {"findings", std::move(findings)}});
    }
    if (json) {
        Json document;
        document["version"] = kCheckFormatVersion;
        document["simulator"] = platform::AnsiToUtf8(fleet.catalogue.simulatorRoot);
        document["panels"] = std::move(list);
        out << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
    }
    return counts;
}

}  // namespace cli
