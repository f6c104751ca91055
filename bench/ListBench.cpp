// List benchmark: `panelwright-cli list` and `list --json` over a generated fleet, each run as a
// user runs it (a process of its own, its output redirected into a file, timed from start to
// exit), against the scan alone that both begin with. Everything is warm: one untimed round
// of all three comes first.
//
//   list_bench FLEET_ROOT CLI_EXE      (Windows paths, or Unix paths reached through Z:)
//
// Prints, medians of five rounds (each runs the three in turn):
//   list-bench aircraft=A panels=P scan_ms=S list_ms=L json_ms=J ratio=J/S
#include "bench/bench_support.h"
#include "catalogue/aircraft_scan.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

HANDLE Inheritable(const std::string& file, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadWhole(const std::string& file) {
    std::string content;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return content;
    content.resize(GetFileSize(handle, nullptr));
    DWORD got = 0;
    if (!content.empty()) ReadFile(handle, &content[0], static_cast<DWORD>(content.size()), &got, nullptr);
    content.resize(got);
    CloseHandle(handle);
    return content;
}

struct Output {
    std::string out, err;
};

// Runs the command line with its standard output and error in files, as `> out 2> err` would;
// exits the benchmark, saying why, when the program cannot start or fails.
double RunCli(const std::string& commandLine, const Output& files) {
    HANDLE out = Inheritable(files.out, CREATE_ALWAYS);
    HANDLE err = Inheritable(files.err, CREATE_ALWAYS);
    HANDLE in = Inheritable("NUL", OPEN_EXISTING);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    DWORD status = 1;
    bool started = false;
    const double ms = Ms([&] {
        started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
        if (!started) return;
        WaitForSingleObject(process.hProcess, INFINITE);
    });
    if (started) {
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(in);
    CloseHandle(err);
    CloseHandle(out);
    if (!started || status != 0) {
        std::fprintf(stderr, "list_bench: %s %s (%lu)\n%s", commandLine.c_str(), started ? "failed" : "could not start",
                     started ? status : GetLastError(), ReadWhole(files.err).c_str());
        std::exit(1);
    }
    return ms;
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root = FleetFromArguments(argc, argv, 3, "list_bench FLEET_ROOT CLI_EXE");
    if (root.empty()) return 2;
    const std::string cli = FleetRoot(argv[2]);
    if (GetFileAttributesA((root + "\\aircraft").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "list_bench: no aircraft folder under %s\n", root.c_str());
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const Output files{std::string(temp) + "list_bench.out", std::string(temp) + "list_bench.err"};
    const std::string list = "\"" + cli + "\" --sim \"" + root + "\" list";
    const std::string json = list + " --json";

    catalogue::Catalogue scanned;
    std::vector<double> scan, table, document;
    for (int round = 0; round <= kRuns; ++round) {
        catalogue::Catalogue fresh;
        const double scanMs = Ms([&] { fresh = catalogue::ScanAircraft(root, catalogue::kNoLimits); });
        scanned = std::move(fresh);  // the last round's catalogue goes outside the timing
        const double tableMs = RunCli(list, files);
        const std::size_t tableLines = Lines(ReadWhole(files.out));
        const double jsonMs = RunCli(json, files);
        const std::size_t jsonBytes = ReadWhole(files.out).size();
        if (round == 0) {
            // The warm-up round checks that the program saw the fleet the scan saw: a heading and
            // one line per panel.
            if (tableLines != scanned.panels.size() + 1) {
                std::fprintf(stderr, "list_bench: list printed %zu lines for %zu panels\n", tableLines,
                             scanned.panels.size());
                return 1;
            }
            std::printf("(list lines=%zu; list --json bytes=%zu)\n", tableLines, jsonBytes);
            continue;
        }
        scan.push_back(scanMs);
        table.push_back(tableMs);
        document.push_back(jsonMs);
    }
    DeleteFileA(files.out.c_str());
    DeleteFileA(files.err.c_str());

    const double scanMs = Median(scan), listMs = Median(table), jsonMs = Median(document);
    std::printf("list-bench aircraft=%zu panels=%zu scan_ms=%.1f list_ms=%.1f json_ms=%.1f ratio=%.2f\n",
                scanned.aircraft.size(), scanned.panels.size(), scanMs, listMs, jsonMs, jsonMs / scanMs);
    std::printf("(target: ratio <= 1.3)\n");
    return 0;
}
