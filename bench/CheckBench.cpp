// Check benchmark: the fleet doctor (`panelwright-cli check --all`: the scan that reads each file
// once with the findings of every panel, and the report) against the scan alone that it rests on,
// over a generated fleet that must come out clean. Everything is warm: one untimed round of both
// comes first.
//
//   check_bench FLEET_ROOT      (a Windows path, or a Unix path reached through Z:)
//
// Prints, medians of five rounds (each runs the two in turn):
//   check-bench aircraft=A panels=P scan_ms=S check_ms=C ratio=C/S
#include "bench/bench_support.h"
#include "catalogue/aircraft_scan.h"
#include "cli/check.h"

#include <sstream>

int main(int argc, char** argv) {
    const std::string root = FleetFromArguments(argc, argv, 2, "check_bench FLEET_ROOT");
    if (root.empty()) return 2;
    cli::Options all;
    all.command = cli::Command::Check;
    all.all = true;
    std::size_t aircraft = 0, panels = 0;
    std::vector<double> scan, check;
    for (int round = 0; round <= kRuns; ++round) {
        catalogue::Catalogue scanned;
        const double scanMs = Ms([&] { scanned = catalogue::ScanAircraft(root, catalogue::kNoLimits); });
        catalogue::FleetFindings fleet;  // freed outside the timing, as the scan's catalogue is
        std::ostringstream report;
        cli::CheckCounts counts;
        const double checkMs = Ms([&] {
            fleet = catalogue::CheckFleet(root);
            std::vector<std::string> unknown;
            counts = cli::PrintCheck(fleet, cli::ChoosePanels(fleet.catalogue, all, unknown), false, report);
        });
        if (round == 0) {
            // The warm-up round checks that the doctor saw the fleet the scan saw, and found it clean.
            if (static_cast<std::size_t>(counts.panels) != scanned.panels.size() || !report.str().empty()) {
                std::fprintf(stderr, "check_bench: %d panels checked of %zu, findings:\n%s", counts.panels,
                             scanned.panels.size(), report.str().c_str());
                return 1;
            }
            aircraft = scanned.aircraft.size();
            panels = scanned.panels.size();
            continue;
        }
        scan.push_back(scanMs);
        check.push_back(checkMs);
    }
    const double scanMs = Median(scan), checkMs = Median(check);
    std::printf("check-bench aircraft=%zu panels=%zu scan_ms=%.1f check_ms=%.1f ratio=%.2f\n", aircraft, panels, scanMs,
                checkMs, checkMs / scanMs);
    std::printf("(target: ratio <= 1.5)\n");
    return 0;
}
