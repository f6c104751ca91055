// The main dialog: its procedure, the tree's subclass procedure and the modal run that is the
// whole program.
#pragma once

#include <windows.h>

#include "app/session.h"

namespace app {

// The dialog procedure of template 100: 1 for handled messages, 0 otherwise. WM_INITDIALOG's
// lParam points to the Environment to run in (nullptr: the machine's own).
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The tree's subclass procedure: selects the panel under a left click or double-click, then
// hands every message to the tree's own procedure.
LRESULT CALLBACK TreeClickProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the modal dialog from template 100 of module, without owner: 1 after the Exit command
// or the close area, 0 after a close request, -1 when the dialog cannot be created.
int RunMainDialog(HINSTANCE module, const Environment& environment = Environment{});

}  // namespace app
