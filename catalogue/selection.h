// The selected panel and the install/remove command (Windows only).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace catalogue {

struct Selection {
    std::string folderPath;          // selected panel folder, ending in "\"; empty at start
    double mainWindowWidth = 640.0;  // "size_mm" width of the panel's Window00
    int installed = 0;               // the selected Plain panel holds the GPS window set
    int foreign = 0;
    int alias = 0;
};

extern Selection g_selection;

// The tree's subclass procedure: selects the panel under a left click, then forwards
// every message to the tree's own procedure.
LRESULT CALLBACK TreeClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void SelectPanel(const std::string& folderPath, int kind, HTREEITEM item);
void RefreshInstallButton(HTREEITEM item);

// Command 2.
void InstallRemoveCommand();

}  // namespace catalogue
