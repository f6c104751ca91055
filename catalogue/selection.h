// The selected panel and the install/remove command (Windows only).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

namespace catalogue {

struct Selection {
    std::string folderPath;          // selected panel folder, ending in "\"; empty at start
    double mainWindowWidth = 640.0;  // "size_mm" width of the panel's Window00
    int installed = 0;               // the selected Plain panel holds the GPS window set
    int foreign = 0;
    int alias = 0;
    HTREEITEM item = nullptr;        // panel item of the last selection; the command re-selects
                                     // the caret's panel first when it is another item
};

extern Selection g_selection;

// The tree's subclass procedure: selects the panel under a left click, then forwards
// every message to the tree's own procedure.
LRESULT CALLBACK TreeClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Makes item the selection: kind is the low half of its data word (1000 or more). For a Plain
// panel, a panel.cfg without a bitmap name in [Window00] leaves the path line, preview, width
// and caption of the previous selection (the flags already belong to the new panel).
void SelectPanel(const std::string& folderPath, int kind, HTREEITEM item);

// Caption of control 2 and the item's mark from the selection's flags.
void RefreshInstallButton(HTREEITEM item);

// Command 2: acts on the caret item. When the caret was moved to another panel without a
// click, that panel is selected first, exactly as a click would, so install or removal is
// always chosen by the panel's own mark.
void InstallRemoveCommand();

// Title of every message box of the selection.
constexpr const char* kMessageTitle = "Panelwright";

// Tests only: receives the selection's message texts instead of MessageBoxA. An empty sink
// restores the message box.
using MessageSink = std::function<void(const std::string& text)>;
void SetMessageSink(MessageSink sink);

}  // namespace catalogue
