// Batch benchmark: installing the GPS window set into every plain panel of a fleet, as
// panelwright-cli install does it, against the floor of reading each of those panel.cfg files
// and saving it through the same temporary-file-and-rename path.
//
//   batch_bench FLEET_ROOT [PASS]      (a Windows path, or a Unix path reached through Z:)
//
// Prints, medians of five runs (taking turns at going first), then whether the fleet came back
// byte for byte:
//   batch-bench panels=P install_ms=I copy_ms=C ratio=I/C
// PASS (scan, copy or install) makes one pass of that kind after the scan and nothing else, for
// syscall_bench.sh to count what a pass costs; an install pass leaves the set in place.
#include "bench/bench_support.h"
#include "catalogue/aircraft_scan.h"
#include "cli/batch.h"
#include "cli/listing.h"
#include "platform/profile_file.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

void CopyAll(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        profile::LoadedFile loaded;
        profile::Load(file, loaded);
        fileio::WriteFileAtomically(file, loaded.original);
    }
}

int OnePass(const std::string& pass, const catalogue::Catalogue& catalogue, const std::vector<cli::ChosenPanel>& plain,
            const std::vector<std::string>& files) {
    std::ostream nowhere(nullptr);
    cli::BatchCounts counts;
    if (pass == "copy") {
        CopyAll(files);
    } else if (pass == "install") {
        counts = cli::RunBatch(catalogue, plain, {true, false, false}, fileio::SystemFiles(), nowhere, nowhere);
    } else if (pass != "scan") {
        std::fprintf(stderr, "batch_bench: no pass called %s (scan, copy, install)\n", pass.c_str());
        return 2;
    }
    std::printf("batch-bench pass=%s panels=%zu done=%d failed=%d\n", pass.c_str(), plain.size(), counts.done,
                counts.failed);
    return counts.failed == 0 && counts.refused == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root = FleetFromArguments(argc, argv, 2, "batch_bench FLEET_ROOT [scan|copy|install]");
    if (root.empty()) return 2;
    const std::string pass = argc > 2 ? argv[2] : "";
    const catalogue::Catalogue scanned = catalogue::ScanAircraft(root, catalogue::kNoLimits);
    std::vector<cli::ChosenPanel> plain;
    std::vector<std::string> files;
    for (std::size_t n = 0; n < scanned.panels.size(); ++n) {
        const catalogue::PanelRecord& panel = scanned.panels[n];
        if (panel.kind != catalogue::PanelKind::Plain || panel.unusable != catalogue::Unusable::No || panel.marked)
            continue;
        plain.push_back({static_cast<int>(n), false});
        files.push_back(scanned.panels[n].folder + "panel.cfg");
    }
    if (!pass.empty()) return OnePass(pass, scanned, plain, files);

    std::vector<std::string> before(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) fileio::ReadWholeFile(files[i], before[i]);

    std::ostream nowhere(nullptr);
    std::vector<double> install, copy;
    cli::BatchCounts counts;
    const auto copyAll = [&] { copy.push_back(Ms([&] { CopyAll(files); })); };
    const auto installAll = [&] {
        catalogue::Catalogue catalogue = scanned;
        install.push_back(Ms([&] {
            counts = cli::RunBatch(catalogue, plain, {true, false, false}, fileio::SystemFiles(), nowhere, nowhere);
        }));
        cli::RunBatch(catalogue, plain, {false, false, false}, fileio::SystemFiles(), nowhere, nowhere);
    };
    for (int run = 0; run < kRuns; ++run) {
        if (run % 2 == 0) {
            copyAll();
            installAll();
        } else {
            installAll();
            copyAll();
        }
    }
    int changed = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::string now;
        fileio::ReadWholeFile(files[i], now);
        changed += now != before[i];
    }
    const double installMs = Median(install), copyMs = Median(copy);
    std::printf("batch-bench panels=%zu install_ms=%.1f copy_ms=%.1f ratio=%.2f\n", plain.size(), installMs, copyMs,
                installMs / copyMs);
    std::printf(
        "(installed %d, refused %d, failed %d in the last run; files not back byte for byte: %d; "
        "target: ratio <= 1.5)\n",
        counts.done, counts.refused, counts.failed, changed);
    return changed == 0 && counts.failed == 0 ? 0 : 1;
}
