// The aircraft tree on the tree-view control (Windows only): its items, their data words and
// state images, and the catalogue filled into it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "catalogue/catalogue.h"
#include "platform/unique_handle.h"

#include <cstdint>
#include <string>

namespace app {

// State image indices. Index 2 deliberately points past the two-image list: it shows nothing.
constexpr int kStateMarked = 1;
constexpr int kStateUnmarked = 2;

constexpr const char* kRootText = "FS2002 Aircrafts List:";

// The tree's state image list; it lives as long as the dialog.
using StateImageList = platform::UniqueHandle<HIMAGELIST, &ImageList_Destroy>;

// Builds the state image list from bitmaps 600 and 700 and attaches it to tree.
StateImageList AttachStateImageList(HWND tree);

std::int32_t GetItemData(HWND tree, HTREEITEM item);  // -1 (the root's word) when it cannot be read
int MarkItem(HWND tree, HTREEITEM item);              // 1 when the item exists, else 0
int UnmarkItem(HWND tree, HTREEITEM item);

// The caret item (the tree's selected item), or none.
HTREEITEM CaretItem(HWND tree);
void MoveCaret(HWND tree, HTREEITEM item);

// Fills the empty tree from the catalogue: the root, the aircraft and their panels in the
// catalogue's order (catalogue/tree_order.h), the panels with their marks, an aircraft
// open when a panel of it is marked, a last item counting what was left out, and the root
// open. Returns the root.
HTREEITEM FillTree(HWND tree, const catalogue::Catalogue& catalogue);

// Notification from the tree: the root cannot stay collapsed.
void ApplyRootRule(HWND tree, const NMHDR* header);

}  // namespace app
