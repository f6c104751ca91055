#include "catalogue/aircraft_tree.h"

#include "app/shell_state.h"
#include "catalogue/item_data.h"
#include "platform/unique_handle.h"
#include "resources/resource_ids.h"

#include <initializer_list>
#include <vector>

namespace catalogue {

namespace {

// Room for the longest text an item can hold (an aircraft title of 1023 characters).
constexpr int kItemTextCapacity = 1024;

// The state image list: long-lived, it belongs to the tree for the dialog's whole life.
platform::UniqueHandle<HIMAGELIST, &ImageList_Destroy> g_stateImages;

HWND Tree() { return app::g_shell.tree; }

bool ReadItem(HTREEITEM item, TVITEMA& tv) {
    if (!item || !Tree()) return false;
    tv.hItem = item;
    return SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}

int SetStateImage(HTREEITEM item, int index) {
    TVITEMA tv{};
    tv.mask = TVIF_STATE;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    if (!ReadItem(item, tv)) return 0;
    tv.mask = TVIF_STATE;
    tv.state = INDEXTOSTATEIMAGEMASK(index);
    tv.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(Tree(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return 1;
}

}  // namespace

void AttachStateImageList(HWND tree) {
    // Two pictures; the unmarked index 2 deliberately points past them, so it shows nothing,
    // and position 0 is never shown because index 0 means "no state image".
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 2, 1);
    if (!list) return;
    for (int id : {IDB_STATE_BLANK, IDB_STATE_BADGE}) {
        const platform::OwnedBitmapHandle picture(
            LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
        if (picture) ImageList_Add(list, picture.get(), nullptr);
    }
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(list));
    g_stateImages.Reset(list);
}

HTREEITEM InsertItem(HTREEITEM parent, const std::string& text, std::int32_t itemData) {
    if (!Tree()) return nullptr;
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_SELECTEDIMAGE;
    insert.item.pszText = copy.data();
    insert.item.iSelectedImage = 1;
    insert.item.lParam = static_cast<LPARAM>(itemData);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Tree(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::string GetItemText(HTREEITEM item) {
    char buffer[kItemTextCapacity] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.pszText = buffer;
    tv.cchTextMax = kItemTextCapacity;
    if (!ReadItem(item, tv)) return {};
    buffer[kItemTextCapacity - 1] = '\0';
    // The control may answer with its own pointer instead of filling the buffer.
    return std::string(tv.pszText ? tv.pszText : buffer);
}

std::int32_t GetItemData(HTREEITEM item) {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    if (!ReadItem(item, tv)) return kRootItemData;
    return static_cast<std::int32_t>(tv.lParam);
}

UINT GetItemState(HTREEITEM item) {
    TVITEMA tv{};
    tv.mask = TVIF_STATE;
    tv.stateMask = 0xFFFFFFFFu;
    if (!ReadItem(item, tv)) return 0;
    return tv.state;
}

int GetItemSelectedImage(HTREEITEM item) {
    TVITEMA tv{};
    tv.mask = TVIF_SELECTEDIMAGE;
    if (!ReadItem(item, tv)) return 0;
    return tv.iSelectedImage;
}

int MarkItem(HTREEITEM item) { return SetStateImage(item, kStateMarked); }
int UnmarkItem(HTREEITEM item) { return SetStateImage(item, kStateUnmarked); }

bool IsItemMarked(HTREEITEM item) {
    return (GetItemState(item) & INDEXTOSTATEIMAGEMASK(kStateMarked)) != 0;
}

void ExpandItem(HTREEITEM item) {
    if (!item || !Tree()) return;
    SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void SortAircraftItems(HTREEITEM root) {
    if (!root || !Tree()) return;
    SendMessageA(Tree(), TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(root));
}

void ApplyRootRule(const NMHDR* header) {
    if (!header) return;
    switch (header->code) {
        case TVN_ITEMEXPANDINGA: case TVN_ITEMEXPANDINGW:
        case TVN_ITEMEXPANDEDA:  case TVN_ITEMEXPANDEDW:
        case TVN_SELCHANGINGA:   case TVN_SELCHANGINGW:
        case TVN_SELCHANGEDA:    case TVN_SELCHANGEDW:
            break;
        default:
            return;
    }
    // The A and W records differ only in the text pointer's type.
    const auto* record = reinterpret_cast<const NMTREEVIEWA*>(header);
    // Action 1: collapse for the expansion notifications, by mouse for the selection ones.
    if (record->action == 1 && static_cast<std::int32_t>(record->itemNew.lParam) == kRootItemData) {
        ExpandItem(record->itemNew.hItem);
    }
}

}  // namespace catalogue
