// The one place the program shows a message box.
#pragma once

#include <windows.h>

#include "catalogue/messages.h"

namespace app {

// Shows message and returns when the user has closed it. An error has no owner but stays above
// the topmost dialog and keeps it from starting another edit; a warning is the dialog's own.
void ShowMessage(HWND dialog, const catalogue::Message& message);

// Shows message, a question, as an error is shown, with Yes and No; true when the user answered Yes.
bool AskMessage(HWND dialog, const catalogue::Message& message);

}  // namespace app
