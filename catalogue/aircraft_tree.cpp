// Placeholder until the tree operations land.
#include "catalogue/aircraft_tree.h"

namespace catalogue {
void AttachStateImageList(HWND) {}
HTREEITEM InsertItem(HTREEITEM, const std::string&, std::int32_t) { return nullptr; }
std::string GetItemText(HTREEITEM) { return {}; }
std::int32_t GetItemData(HTREEITEM) { return -1; }
UINT GetItemState(HTREEITEM) { return 0; }
int GetItemSelectedImage(HTREEITEM) { return 0; }
int MarkItem(HTREEITEM) { return 0; }
int UnmarkItem(HTREEITEM) { return 0; }
bool IsItemMarked(HTREEITEM) { return false; }
void ExpandItem(HTREEITEM) {}
void SortAircraftItems(HTREEITEM) {}
void ApplyRootRule(const NMHDR*) {}
}  // namespace catalogue
