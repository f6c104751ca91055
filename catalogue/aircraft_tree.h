// The aircraft tree on the tree-view control (Windows only). Every operation acts on
// app::g_shell.tree.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

namespace catalogue {

// State image indices. Index 2 deliberately points past the two-image list: it shows nothing.
constexpr int kStateMarked = 1;
constexpr int kStateUnmarked = 2;

// Builds the state image list from bitmaps 600 and 700 and attaches it to the tree.
void AttachStateImageList(HWND tree);

HTREEITEM InsertItem(HTREEITEM parent, const std::string& text, std::int32_t itemData);
std::string GetItemText(HTREEITEM item);           // empty when the item cannot be read
std::int32_t GetItemData(HTREEITEM item);          // -1 when the item cannot be read
UINT GetItemState(HTREEITEM item);                 // 0 when the item cannot be read
int GetItemSelectedImage(HTREEITEM item);          // 0 when the item cannot be read
int MarkItem(HTREEITEM item);
int UnmarkItem(HTREEITEM item);
bool IsItemMarked(HTREEITEM item);
void ExpandItem(HTREEITEM item);
void SortAircraftItems(HTREEITEM root);

// Notification from control 101: the root cannot stay collapsed.
void ApplyRootRule(const NMHDR* header);

}  // namespace catalogue
