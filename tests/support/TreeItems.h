// The dialog's tree control read and clicked as a user would: items, their text, state images and
// places; clicks through the tree's own window procedure. Windows only, header only.
#pragma once

#include "support/MessageBoxes.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

namespace pwtest {

inline HTREEITEM NextItem(HWND tree, UINT how, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
}
inline HTREEITEM Root(HWND tree) { return NextItem(tree, TVGN_ROOT); }
inline std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = NextItem(tree, TVGN_CHILD, parent); item; item = NextItem(tree, TVGN_NEXT, item))
        items.push_back(item);
    return items;
}
inline TVITEMA ReadItem(HWND tree, HTREEITEM item, UINT mask, char* text = nullptr, int capacity = 0) {
    TVITEMA tv{};
    tv.mask = mask;
    tv.hItem = item;
    tv.stateMask = 0xFFFFFFFFu;
    tv.pszText = text;
    tv.cchTextMax = capacity;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return tv;
}
inline std::string ItemText(HWND tree, HTREEITEM item) {
    char text[1024] = {};
    const TVITEMA tv = ReadItem(tree, item, TVIF_TEXT, text, sizeof text);
    return tv.pszText ? tv.pszText : text;
}
inline int StateImage(HWND tree, HTREEITEM item) {
    return static_cast<int>((ReadItem(tree, item, TVIF_STATE).state & TVIS_STATEIMAGEMASK) >> 12);
}
inline bool IsExpanded(HWND tree, HTREEITEM item) {
    return (ReadItem(tree, item, TVIF_STATE).state & TVIS_EXPANDED) != 0;
}
inline HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text) {
    for (HTREEITEM item : Children(tree, parent))
        if (ItemText(tree, item) == text) return item;
    return nullptr;
}

// Points of an item in tree client coordinates: near the label's start (a long label runs past
// the control's edge), beside its end, on the expand button to its left.
enum class On { Label, Beside, Button };
inline POINT PointOf(HWND tree, HTREEITEM item, On on = On::Label) {
    RECT r{};
    std::memcpy(&r, &item, sizeof item);  // the request carries the item in the rectangle
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    const int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    return {on == On::Label    ? r.left + 4
            : on == On::Beside ? r.right + 40
                               : r.left - indent / 2,
            (r.top + r.bottom) / 2};
}
// A left click through the tree's window procedure (its subclass first). The tree waits for the
// button to come up before it acts on a press, so the release is queued first.
inline void Click(HWND tree, POINT point, bool twice = false) {
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessages();
    if (!twice) return;
    SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    PumpMessages();
}
// Scrolls item into view and clicks its label (twice: a double-click).
inline void ClickItem(HWND tree, HTREEITEM item, bool twice = false) {
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    Click(tree, PointOf(tree, item), twice);
}

}  // namespace pwtest
