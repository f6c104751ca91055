// The shell's process-wide state: the dialog, its tree, and the drag in progress.
#pragma once

#include <windows.h>

namespace app {

struct ShellState {
    HWND dialog = nullptr;            // the main dialog, stored during initialisation
    HWND tree = nullptr;              // control 101
    WNDPROC savedTreeProc = nullptr;  // the tree's own procedure; TreeClickProc forwards to it
    int dragging = 0;                 // 1 while a left-button drag of the window is in progress
    int anchorX = 0;                  // client point of the button-down that started the drag
    int anchorY = 0;
    int scanPending = 1;              // cleared after the one-time scan on the first paint
};

extern ShellState g_shell;

}  // namespace app
