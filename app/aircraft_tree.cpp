#include "app/aircraft_tree.h"

#include "catalogue/item_data.h"
#include "catalogue/messages.h"
#include "catalogue/tree_order.h"
#include "resources/resource_ids.h"

#include <initializer_list>
#include <vector>

namespace app {

namespace {

bool ReadItem(HWND tree, HTREEITEM item, TVITEMA& tv) {
    if (!item || !tree) return false;
    tv.hItem = item;
    return SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) != 0;
}

int SetStateImage(HWND tree, HTREEITEM item, int index) {
    TVITEMA tv{};
    tv.mask = TVIF_STATE;
    tv.stateMask = TVIS_STATEIMAGEMASK;
    if (!ReadItem(tree, item, tv)) return 0;
    tv.mask = TVIF_STATE;
    tv.state = INDEXTOSTATEIMAGEMASK(index);
    tv.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return 1;
}

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::string& text, std::int32_t itemData) {
    if (!tree) return nullptr;
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_SELECTEDIMAGE;
    insert.item.pszText = copy.data();
    insert.item.iSelectedImage = 1;
    insert.item.lParam = static_cast<LPARAM>(itemData);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void ExpandItem(HWND tree, HTREEITEM item) {
    if (!item || !tree) return;
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

}  // namespace

StateImageList AttachStateImageList(HWND tree) {
    // Two pictures; the unmarked index 2 deliberately points past them, so it shows nothing,
    // and position 0 is never shown because index 0 means "no state image".
    StateImageList list(ImageList_Create(16, 16, ILC_COLOR32, 2, 1));
    if (!list) return list;
    for (int id : {IDB_STATE_BLANK, IDB_STATE_BADGE}) {
        const platform::OwnedBitmap picture(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
        if (picture) ImageList_Add(list.get(), picture.get(), nullptr);
    }
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(list.get()));
    return list;
}

std::int32_t GetItemData(HWND tree, HTREEITEM item) {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    if (!ReadItem(tree, item, tv)) return catalogue::kRootItemData;
    return static_cast<std::int32_t>(tv.lParam);
}

int MarkItem(HWND tree, HTREEITEM item) { return SetStateImage(tree, item, kStateMarked); }
int UnmarkItem(HWND tree, HTREEITEM item) { return SetStateImage(tree, item, kStateUnmarked); }

HTREEITEM CaretItem(HWND tree) {
    if (!tree) return nullptr;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void MoveCaret(HWND tree, HTREEITEM item) {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

HTREEITEM FillTree(HWND tree, const catalogue::Catalogue& catalogue) {
    using namespace catalogue;
    const HTREEITEM root = InsertItem(tree, nullptr, kRootText, kRootItemData);
    // In the catalogue's order, aircraft and panels, which the command line lists too: the same on
    // every machine.
    for (const int number : AircraftInTreeOrder(catalogue)) {
        const AircraftRecord& aircraft = catalogue.aircraft[static_cast<std::size_t>(number)];
        const HTREEITEM aircraftItem = InsertItem(tree, root, aircraft.title, static_cast<std::int32_t>(number));
        for (int panelNumber : PanelsInOrder(catalogue, number)) {
            const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(panelNumber)];
            const HTREEITEM item =
                InsertItem(tree, aircraftItem, panel.name, MakePanelItemData(panelNumber, panel.kind, panel.aircraft));
            if (panel.marked) {
                MarkItem(tree, item);
                ExpandItem(tree, aircraftItem);
            } else {
                UnmarkItem(tree, item);
            }
        }
    }
    const std::string unlisted = UnlistedItemText(catalogue.unlistedPanels, catalogue.unlistedAircraft);
    if (!unlisted.empty()) InsertItem(tree, root, unlisted, kOverflowItemData);
    ExpandItem(tree, root);
    return root;
}

void ApplyRootRule(HWND tree, const NMHDR* header) {
    if (!header) return;
    switch (header->code) {
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDINGW:
        case TVN_ITEMEXPANDEDA:
        case TVN_ITEMEXPANDEDW:
        case TVN_SELCHANGINGA:
        case TVN_SELCHANGINGW:
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW: break;
        default: return;
    }
    // The A and W records differ only in the text pointer's type.
    const auto* record = reinterpret_cast<const NMTREEVIEWA*>(header);
    // Action 1: collapse for the expansion notifications, by mouse for the selection ones.
    if (record->action == 1 && static_cast<std::int32_t>(record->itemNew.lParam) == catalogue::kRootItemData) {
        ExpandItem(tree, record->itemNew.hItem);
    }
}

}  // namespace app
