// Everything the user is told about a panel, worded once: the dialog's message box text and the
// command line's one-line reason for the same outcome come from here, so the two never drift
// apart. The layers below return outcomes as data; the dialog and the CLI only show these.
#pragma once

#include "catalogue/aircraft_scan.h"
#include "catalogue/readiness.h"
#include "catalogue/scan_rules.h"
#include "host/trainer.h"
#include "panelcfg/gps_window_set.h"
#include "panelcfg/panel_findings.h"

#include <optional>
#include <string>

namespace catalogue {

enum class Severity {
    Error,    // an edit failed or was refused; nothing was changed
    Warning,  // something the user should know and act on
};

struct Message {
    std::string text;
    std::string caption;
    Severity severity = Severity::Warning;
};

// Caption of the messages about one panel.cfg edit that did not happen.
constexpr const char* kPanelCfgErrorCaption = "Panel.cfg error";
// Caption of every other message.
constexpr const char* kProgramCaption = "Panelwright";

// What the dialog says after an edit: nothing for an edit done with nothing to add; a warning
// for a done edit with a note, or for a panel found as asked already; an error otherwise.
// gaugeModuleMissing: the simulator's gauges folder lacks the Aerolith module, so a done install
// says that its windows stay empty until it is installed.
std::optional<Message> EditMessage(const panelcfg::EditOutcome& outcome, bool gaugeModuleMissing = false);

// The same in one line, for a report: why the edit did not happen, or the note of a done one
// (empty when it has none).
std::string EditReason(const panelcfg::EditOutcome& outcome);

// Why a panel cannot be opened, and what to do. folder: the panel's folder, ending in the
// separator (empty for an alias whose target is too long); detail: the system's reason, if any.
Message UnusableMessage(Unusable why, const std::string& folder, const std::string& detail);
std::string UnusableReason(Unusable why, const std::string& detail);

// The selected panel's main bitmap has a path too long to open.
Message PreviewPathTooLongMessage(const std::string& bitmapPath);

// The program's window could not be made (detail: the system's reason), so it ends at once.
Message WindowNotCreatedMessage(const std::string& detail);

// Why the simulator's folder was not found, and what to do: for the dialog, which reads the
// folder from the registry; and in one line for the command line, which may be given it
// (fromRegistry false) with --sim.
Message SimulatorMessage(SimulatorFolder problem, const std::string& root);
std::string SimulatorReason(SimulatorFolder problem, const std::string& root, bool fromRegistry);

// Why the GPS trainer's startup database cannot be shown or set (status not Ready): which key,
// file, section and value were found, and what to do.
std::string TrainerReason(const host::TrainerStatus& status);

// Why an install into panel would not go through, as the scan saw it; empty when it would.
std::string ReadinessReason(const InstallCheck& check, const PanelRecord& panel);
// The same as a short code for scripts: "has-set", "alias", "title-gap", "not-text", ...
const char* ReadinessCode(const InstallCheck& check, const PanelRecord& panel);

// Why a panel never takes the set: an alias (naming aliasPath) or a foreign panel.
std::string AliasReason(const std::string& aliasPath);
std::string ForeignReason();

// --- The fleet doctor (panelwright-cli check) ---------------------------------------------------

// A finding's code, as check prints it and scripts read it: "gauge-module-missing", ...
const char* FindingCodeName(panelcfg::FindingCode code);
// "error" or "warning".
const char* FindingSeverityName(panelcfg::FindingSeverity severity);
// What a finding means for the simulator, in one line. panel: the panel it is about; nullptr for
// a panel folder that is not there.
std::string FindingText(const panelcfg::Finding& finding, const PanelRecord* panel);
// The check's summary: how many errors and warnings in how many of the panels checked.
std::string CheckSummary(int errors, int warnings, int panelsWithFindings, int panels);

// --- The per-user copy the simulator reads, and folders only administrators may change ----------

// The code of an edit refused there, for scripts.
constexpr const char* kNeedsAdministratorCode = "needs-administrator";

// Said once when a panel with a per-user copy of its panel.cfg is selected: the simulator reads
// that copy, where it is, and that Panelwright edits it.
Message ShadowCopyMessage(const PanelRecord& panel);
// The same in a few words, for the list and for an edit's line: the file that is read and edited.
std::string ShadowCopyNote(const PanelRecord& panel);

// An edit refused because only administrators may change files in the panel's folder: the
// dialog's question, whose Yes restarts Panelwright as administrator, and the command line's line.
Message AdministratorOffer(const panelcfg::EditOutcome& outcome);
std::string NeedsAdministratorReason(const std::string& folder);  // folder ends in the separator
// The restart as administrator could not be started (detail: the system's reason).
Message RestartFailedMessage(const std::string& detail);

}  // namespace catalogue
