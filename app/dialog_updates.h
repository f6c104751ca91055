// What the dialog's handlers apply to its controls, its tree and its screen area, shared by the
// dialog procedure and the tree's subclass procedure.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "app/session.h"
#include "catalogue/item_data.h"
#include "catalogue/selection.h"

namespace app {

// The screen area as the session describes it now.
preview::ScreenArea ScreenOf(const Session& session);

// Draws the screen area onto the dialog at once.
void RedrawScreen(const Session& session);

// Caption of control 2 and the mark of item, in the tree and in the catalogue's record.
void ApplyButton(Session& session, HTREEITEM item, const catalogue::ButtonState& button);

// Selects the panel of item (decoded from its data word) as a click does: moves the caret to it,
// applies what the selection shows and keeps its message for later. False when the panel
// cannot be opened.
bool SelectItem(Session& session, HTREEITEM item, const catalogue::DecodedItem& decoded);

// Shows the message a click raised, once the tree has finished with the click.
void ShowPendingMessage(Session& session);

}  // namespace app
