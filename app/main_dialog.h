// The main dialog: its procedure and the modal run that is the whole program.
#pragma once

#include <windows.h>

namespace app {

// Client size of the dialog: the skin bitmap's size.
constexpr int kClientWidth = 615;
constexpr int kClientHeight = 443;

// The close area in the skin's top-right corner, in client coordinates: x > 580, y < 30.
constexpr int kCloseAreaLeft = 580;
constexpr int kCloseAreaBottom = 30;

// Pixel rectangle of a control from its template position and size in dialog units, with the
// fixed base units 6 x 13 the skin was drawn for (truncated).
RECT ControlPixelRect(int x, int y, int width, int height);

// The dialog procedure of template 100: 1 for handled messages, 0 otherwise.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the modal dialog from template 100 of module, without owner: 1 after the Exit command
// or the close area, 0 after a close request, -1 when the dialog cannot be created.
int RunMainDialog(HINSTANCE module);

}  // namespace app
