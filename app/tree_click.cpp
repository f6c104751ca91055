#include "app/dialog_updates.h"
#include "app/main_dialog.h"
#include "app/aircraft_tree.h"

namespace app {

namespace {

bool IsPanel(const Session& session, const catalogue::DecodedItem& decoded) {
    switch (decoded.cls) {
        case catalogue::ItemClass::Plain:
        case catalogue::ItemClass::Alias:
        case catalogue::ItemClass::Foreign: return session.catalogue.HasPanel(decoded.panel);
        case catalogue::ItemClass::Root:
        case catalogue::ItemClass::Aircraft: break;
    }
    return false;
}

// The panel item under a click at lParam, on its icon, label or state image; none elsewhere.
HTREEITEM HitPanelItem(const Session& session, LPARAM lParam, catalogue::DecodedItem& decoded) {
    TVHITTESTINFO hit{};
    hit.pt.x = static_cast<LONG>(LOWORD(lParam));
    hit.pt.y = static_cast<LONG>(HIWORD(lParam));
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(session.tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!item || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON))) return nullptr;
    decoded = catalogue::DecodeItemData(GetItemData(session.tree, item));
    return IsPanel(session, decoded) ? item : nullptr;
}

}  // namespace

LRESULT CALLBACK TreeClickProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    Session* session = SessionOf(GetParent(tree));
    if (session == nullptr) return DefWindowProcA(tree, message, wParam, lParam);
    bool quietHere = false;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        catalogue::DecodedItem decoded;
        if (const HTREEITEM item = HitPanelItem(*session, lParam, decoded)) {
            // A double-click repeats the selection of its own button-down, which has already
            // said everything; the control may even send itself a button-down meanwhile.
            if (message == WM_LBUTTONDBLCLK && decoded.panel == session->selection.panel && !session->quietRepeat) {
                session->quietRepeat = quietHere = true;
            }
            SelectItem(*session, item, decoded);
        }
    }
    const LRESULT result = CallWindowProcA(session->savedTreeProc, tree, message, wParam, lParam);
    // A message raised by the click is shown once the tree has handled it, so the control never
    // sees its button-down after a modal loop.
    if (session->quietRepeat) {
        session->pendingMessage.reset();
    } else {
        ShowPendingMessage(*session);
    }
    if (quietHere) session->quietRepeat = false;
    return result;
}

}  // namespace app
