// Every sentence the user reads, worded once: the dialog's message box text and the command
// line's one-line reason for the same outcome come from here, so the two never drift apart. The
// layers below return outcomes as data (codes, paths, the system's own words); the dialog and
// the CLI only show these.
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
// separator (empty for an alias whose target is too long); detail: what the system said, if any.
Message UnusableMessage(Unusable why, const std::string& folder, const fileio::Error& detail);
std::string UnusableReason(Unusable why, const fileio::Error& detail);

// A failure of the file layer in a sentence of its own, naming the file and what became of it.
std::string FileErrorText(const fileio::Error& error);

// The selected panel's main bitmap has a path too long to open.
Message PreviewPathTooLongMessage(const std::string& bitmapPath);

// The program's window could not be made (detail: the system's reason), so it ends at once.
Message WindowNotCreatedMessage(const std::string& detail);

// Why the simulator's folder was not found, and what to do: for the dialog, which reads the
// folder from the registry; and in one line for the command line, which may be given it
// (fromRegistry false) with --sim.
Message SimulatorMessage(SimulatorFolder problem, const std::string& root);
std::string SimulatorReason(SimulatorFolder problem, const std::string& root, bool fromRegistry);

// --sim names a folder whose path the ANSI code page cannot spell.
std::string UnspellableSimulatorReason(const std::string& root);

// A PANEL argument (as typed, UTF-8) that names no panel folder of the simulator in root.
std::string NotAPanelReason(const std::string& name, const std::string& root);
constexpr const char* kNoPanelMatches = "no panel folder matches";
// After a usage error.
constexpr const char* kUsageHint = "Run panelwright-cli --help for the usage.";

// How many panels an install or removal across the fleet did what.
std::string BatchSummary(bool install, bool dryRun, int done, int unchanged, int skipped, int refused, int failed);

// Why the GPS trainer's startup database cannot be shown or set (status not Ready): which key,
// file, section and value were found, and what to do.
std::string TrainerReason(const host::TrainerStatus& status);

// The trainer's INI file could not be written (error says why): for the dialog, and in one line.
Message TrainerNotChangedMessage(const fileio::Error& error);
std::string TrainerNotChangedReason(const fileio::Error& error);

// Caption of button 104 for a trainer state.
const char* TrainerCaption(host::TrainerState state);

// Why an install into panel would not go through, as the scan saw it; empty when it would.
std::string ReadinessReason(const InstallCheck& check, const PanelRecord& panel);
// The same as a short code for scripts: "has-set", "alias", "title-gap", "not-text", ...
const char* ReadinessCode(const InstallCheck& check, const PanelRecord& panel);

// Why a panel never takes the set: an alias (naming aliasPath) or a foreign panel.
std::string AliasReason(const std::string& aliasPath);
std::string ForeignReason();

// Text of the last item under the tree's root when the catalogue's capacity was reached or
// folders could not be listed; empty when nothing was left out.
std::string UnlistedItemText(int panels, int aircraft);

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
// file: the panel.cfg the edit of action was to change.
Message AdministratorOffer(panelcfg::EditAction action, const std::string& file);
std::string NeedsAdministratorReason(const std::string& folder);  // folder ends in the separator
// The restart as administrator could not be started (detail: the system's reason).
Message RestartFailedMessage(const std::string& detail);

}  // namespace catalogue
