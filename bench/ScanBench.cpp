// Scan benchmark: the aircraft scan of a generated fleet against reading the fleet's files once,
// and against the per-key reads through kernel32's own profile functions.
//
//   scan_bench FLEET_ROOT      (a Windows path, or a Unix path reached through Z:)
//
// Prints, medians of five runs:
//   scan-bench aircraft=A panels=P scan_ms=S read_ms=R ratio=S/R
//   kernel32_ms=K speedup=K/S
#include "bench/bench_support.h"
#include "catalogue/aircraft_scan.h"
#include "app/aircraft_tree.h"
#include "catalogue/scan_rules.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

double MedianMs(const std::function<void()>& prepare, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        times.push_back(Ms(run));
    }
    return Median(times);
}

// Calls visit(name, isFolder, path) for every entry of folder but "." and "..".
using Visit = std::function<void(const std::string& name, bool isFolder, const std::string& path)>;
void ForEachEntry(const std::string& folder, const Visit& visit) {
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            visit(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, folder + "\\" + name);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

// Every file under folder, read whole into memory once.
std::size_t ReadEveryFile(const std::string& folder) {
    std::size_t bytes = 0;
    ForEachEntry(folder, [&](const std::string&, bool isFolder, const std::string& path) {
        if (isFolder) {
            bytes += ReadEveryFile(path);
            return;
        }
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        std::string content(GetFileSize(file, nullptr), '\0');
        DWORD got = 0;
        if (!content.empty()) ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &got, nullptr);
        bytes += got;
        CloseHandle(file);
    });
    return bytes;
}

// One profile read through kernel32.
std::string Read(const char* section, const std::string& key, const std::string& file) {
    char value[260];
    GetPrivateProfileStringA(section, key.c_str(), "notfound", value, sizeof value, file.c_str());
    return value;
}

// One panel the way the scan would classify it with one profile call per key.
int ClassifyPerKey(const std::string& panelFolder) {
    const std::string file = panelFolder + "\\panel.cfg";
    if (Read("fltsim", "alias", file) != "notfound") return 2;
    bool found = false;
    for (int slot = 0; slot < 32; ++slot) {
        std::string title = Read("Window Titles", (slot < 10 ? "Window0" : "Window") + std::to_string(slot), file);
        if (title == "notfound") title = Read("Window Titles", "Window" + std::to_string(slot), file);
        found = found || title.compare(0, 14, "Skyvantage 530") == 0;
    }
    if (found) return 1;
    std::FILE* text = std::fopen(file.c_str(), "r");
    if (!text) return 0;
    char piece[1024];
    int marker = 0;
    while (!marker && std::fgets(piece, sizeof piece, text))
        marker = std::strstr(piece, "Skyvantage_Aerolith") != nullptr;
    std::fclose(text);
    return marker ? 3 : 0;
}

int ScanPerKey(const std::string& root) {
    int panels = 0;
    ForEachEntry(root + "\\aircraft", [&](const std::string& name, bool isFolder, const std::string& folder) {
        if (!isFolder || catalogue::IsSkippedAircraftName(name)) return;
        bool titled = false;
        ForEachEntry(folder, [&](const std::string& panel, bool isPanelFolder, const std::string& path) {
            if (!isPanelFolder || !catalogue::IsPanelFolderName(panel)) return;
            if (!titled) Read("fltsim.0", "title", folder + "\\aircraft.cfg");
            titled = true;
            ClassifyPerKey(path);
            ++panels;
        });
    });
    return panels;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string root = FleetFromArguments(argc, argv, 2, "scan_bench FLEET_ROOT");
    if (root.empty()) return 2;
    if (GetFileAttributesA((root + "\\aircraft").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "scan_bench: no aircraft folder under %s\n", root.c_str());
        return 2;
    }

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP, 0,
                                0, 300, 600, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    const app::StateImageList images = app::AttachStateImageList(tree);

    // The scan as the dialog runs it: the catalogue, then the tree filled from it.
    catalogue::Catalogue scanned;
    const double scanMs = MedianMs([&] { SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); },
                                   [&] {
                                       scanned = catalogue::ScanAircraft(root);
                                       app::FillTree(tree, scanned);
                                   });
    const int aircraft = static_cast<int>(scanned.aircraft.size());
    const int panels = static_cast<int>(scanned.panels.size());

    std::size_t bytes = 0;
    const double readMs = MedianMs([] {}, [&] { bytes = ReadEveryFile(root); });

    std::printf("scan-bench aircraft=%d panels=%d scan_ms=%.1f read_ms=%.1f ratio=%.2f\n", aircraft, panels, scanMs,
                readMs, scanMs / readMs);
    std::fflush(stdout);

    int perKeyPanels = 0;
    const double kernelMs = MedianMs([] {}, [&] { perKeyPanels = ScanPerKey(root); });
    std::printf("kernel32_ms=%.1f speedup=%.1f\n", kernelMs, kernelMs / scanMs);
    std::printf(
        "(fleet bytes=%zu; per-key panels=%d; not listed past the capacity: %d panels of %d aircraft; "
        "targets: ratio <= 1.5, speedup >= 20)\n",
        bytes, perKeyPanels, scanned.unlistedPanels, scanned.unlistedAircraft);
    DestroyWindow(parent);
    return 0;
}
