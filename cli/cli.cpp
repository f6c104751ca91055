#include "cli/cli.h"

#include "catalogue/aircraft_scan.h"
#include "catalogue/fleet_check.h"
#include "catalogue/messages.h"
#include "cli/batch.h"
#include "cli/check.h"
#include "cli/listing.h"
#include "cli/options.h"
#include "host/trainer.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

#include "pw_version.h"

#include <optional>

namespace cli {

namespace {

// The simulator's folder (without a trailing separator), or nullopt after saying why there is
// none: a folder that is missing, a file, or holds no aircraft folder is said, never listed as
// an empty fleet.
std::optional<std::string> SimulatorRoot(const Options& options, const Host& host, std::ostream& err) {
    const bool fromRegistry = options.sim.empty();
    std::string root;
    if (fromRegistry) {
        root = host.simulatorRoot;
    } else {
        bool spelled = true;
        root = platform::Utf8ToAnsi(platform::FullPath(options.sim), &spelled);
        if (!spelled) {
            err << "panelwright-cli: " << catalogue::UnspellableSimulatorReason(root) << "\n";
            return std::nullopt;
        }
    }
    const catalogue::SimulatorFolder found = catalogue::CheckSimulatorRoot(root);
    if (found != catalogue::SimulatorFolder::Found) {
        err << "panelwright-cli: " << catalogue::SimulatorReason(found, root, fromRegistry) << "\n";
        return std::nullopt;
    }
    return root;
}

int List(const Options& options, const std::string& root, std::ostream& out) {
    const catalogue::Catalogue catalogue = catalogue::ScanAircraft(root, catalogue::kNoLimits);
    if (options.json) {
        PrintJson(catalogue, root, out);
    } else {
        PrintTable(catalogue, out);
    }
    return kSucceeded;
}

int Edit(const Options& options, const std::string& root, const Host& host, std::ostream& out, std::ostream& err) {
    const catalogue::Catalogue catalogue = catalogue::ScanAircraft(root, catalogue::kNoLimits);
    std::vector<std::string> unknown;
    const std::vector<ChosenPanel> panels = ChoosePanels(catalogue, options, unknown);
    for (const std::string& name : unknown) {
        out << platform::Utf8ToAnsi(name) << ": refused: " << catalogue::NotAPanelReason(name, root) << "\n";
    }
    if (panels.empty() && unknown.empty()) {
        err << "panelwright-cli: " << catalogue::kNoPanelMatches << "\n";
        return kRefusedOrFailed;
    }
    BatchRun run;
    run.install = options.command == Command::Install;
    run.dryRun = options.dryRun;
    run.progress = host.progress && panels.size() > 1;
    const BatchCounts counts = RunBatch(catalogue, panels, run, *host.files, out, err);
    const int refused = counts.refused + static_cast<int>(unknown.size());
    err << "panelwright-cli: "
        << catalogue::BatchSummary(run.install, run.dryRun, counts.done, counts.unchanged, counts.skipped, refused,
                                   counts.failed)
        << "\n";
    // Skipped panels never fail a run: a fleet holds aliases and foreign panels as a rule.
    return counts.refused + counts.failed + unknown.size() == 0 ? kSucceeded : kRefusedOrFailed;
}

int Check(const Options& options, const std::string& root, std::ostream& out, std::ostream& err) {
    const catalogue::FleetFindings fleet = catalogue::CheckFleet(root);
    std::vector<std::string> unknown;
    const std::vector<ChosenPanel> panels = ChoosePanels(fleet.catalogue, options, unknown);
    for (const std::string& name : unknown) {
        err << "panelwright-cli: " << platform::Utf8ToAnsi(name) << ": " << catalogue::NotAPanelReason(name, root)
            << "\n";
    }
    if (panels.empty() && unknown.empty()) {
        err << "panelwright-cli: " << catalogue::kNoPanelMatches << "\n";
        return kRefusedOrFailed;
    }
    const CheckCounts counts = PrintCheck(fleet, panels, options.json, out);
    err << "panelwright-cli: "
        << catalogue::CheckSummary(counts.errors, counts.warnings, counts.panelsWithFindings, counts.panels) << "\n";
    return counts.errors + counts.warnings + unknown.size() == 0 ? kSucceeded : kRefusedOrFailed;
}

int Trainer(const Options& options, const Host& host, std::ostream& out, std::ostream& err) {
    const std::optional<std::string>& uninstall = host.trainerUninstallText;
    host::TrainerStatus status = host::EvaluateTrainer(uninstall, host.trainerIni);
    if (status.state != host::TrainerState::Ready) {
        err << "panelwright-cli: " << catalogue::TrainerReason(status) << "\n";
        return kRefusedOrFailed;
    }
    if (options.database && *options.database != status.database) {
        // The dialog's one write: the other database, into the same key.
        if (const fileio::Error error = host::ToggleDatabase(status, host.trainerIni)) {
            err << "panelwright-cli: " << catalogue::TrainerNotChangedReason(error) << "\n";
            return kRefusedOrFailed;
        }
        status = host::EvaluateTrainer(uninstall, host.trainerIni);
    }
    out << DatabaseWord(status.database) << "\n";
    return kSucceeded;
}

}  // namespace

std::optional<Options> ParseCommandLine(const std::vector<std::string>& args, std::ostream& err) {
    Options options;
    std::string error;
    if (ParseOptions(args, options, error)) return options;
    err << "panelwright-cli: " << error << "\n" << catalogue::kUsageHint << "\n";
    return std::nullopt;
}

int Execute(const Options& options, const Host& host, std::ostream& out, std::ostream& err) {
    switch (options.command) {
        case Command::Help: out << Usage(); return kSucceeded;
        case Command::Version: out << "panelwright-cli " PW_VERSION "\n"; return kSucceeded;
        case Command::Trainer: return Trainer(options, host, out, err);
        case Command::List:
        case Command::Install:
        case Command::Remove:
        case Command::Check: break;
    }
    const std::optional<std::string> root = SimulatorRoot(options, host, err);
    if (!root) return kRefusedOrFailed;
    if (options.command == Command::Check) return Check(options, *root, out, err);
    return options.command == Command::List ? List(options, *root, out) : Edit(options, *root, host, out, err);
}

}  // namespace cli
