#include "catalogue/selection.h"

#include "app/shell_state.h"
#include "catalogue/aircraft_tree.h"
#include "catalogue/catalogue_tables.h"
#include "catalogue/item_data.h"
#include "catalogue/scan_rules.h"
#include "host/host_state.h"
#include "panelcfg/gps_window_set.h"
#include "platform/profile_file.h"
#include "preview/preview_renderer.h"
#include "resources/resource_ids.h"

#include <optional>
#include <utility>

namespace catalogue {

Selection g_selection;

namespace {

constexpr const char* kNotFound = "notfound";
constexpr const char* kMainWindowSection = "Window00";
constexpr std::int32_t kDefaultWidth = 640;
constexpr const char* kInstallCaption = "Install Aerolith";
constexpr const char* kRemoveCaption = "Remove Aerolith";

constexpr const char* kAliasTooLong =
    "Panelwright cannot show the panel this alias names: the alias in its panel.cfg gives a "
    "folder path that is too long for Windows.\n\nNothing was changed.";

// A message raised while the tree's click is being handled is shown once the tree has
// finished with the click, so the control never sees its button-down after a modal loop.
std::string g_pendingMessage;
MessageSink g_messageSink;
bool g_quietRepeat = false;  // true while a double-click repeats the last selection

void ShowPendingMessage() {
    if (g_pendingMessage.empty()) return;
    const std::string text = std::move(g_pendingMessage);
    g_pendingMessage.clear();
    if (g_messageSink) {
        g_messageSink(text);
        return;
    }
    MessageBoxA(app::g_shell.dialog, text.c_str(), kMessageTitle, MB_OK | MB_ICONWARNING);
}

void SetControlText(int id, const std::string& text) {
    SetDlgItemTextA(app::g_shell.dialog, id, text.c_str());
}

HTREEITEM CaretItem() {
    if (!app::g_shell.tree) return nullptr;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(app::g_shell.tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void MoveCaret(HTREEITEM item) {
    SendMessageA(app::g_shell.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

// Folder of a Plain or Foreign panel item. False, with the reason queued for the user, when
// the folder cannot be opened without cutting its path, which would name another folder.
bool ComposeFolder(HTREEITEM item, const DecodedItem& decoded, std::string& folder) {
    folder = ComposePanelFolder(host::g_host.simulatorRoot, AircraftFolder(decoded.aircraft),
                                GetItemText(item));
    if (!PanelUnusable(decoded.panel) && PanelFolderUsable(folder)) return true;
    g_pendingMessage =
        "Panelwright cannot work on this panel: the path of its folder is too long for Windows, "
        "or its name holds characters that cannot be spelled here.\n\n" +
        folder +
        "\n\nNothing was changed. Move or rename the folders to give this panel a shorter path.";
    return false;
}

// Nothing of an earlier panel stays on screen for a panel that cannot be opened.
void SelectUnusable(HTREEITEM item, const std::string& folder) {
    g_selection.installed = g_selection.foreign = g_selection.alias = 0;
    g_selection.item = item;
    g_selection.folderPath = folder;
    SetControlText(IDC_PATH_LINE, folder);
    SetControlText(IDC_INSTALL_REMOVE, "");
    preview::ReleasePreview();
    preview::RedrawPreviewArea();
}

// Selects a panel item as a click does; false when nothing usable was selected.
bool SelectItem(HTREEITEM item) {
    const DecodedItem decoded = DecodeItemData(GetItemData(item));
    switch (decoded.cls) {
        case ItemClass::Root:
        case ItemClass::Aircraft:
            return false;
        case ItemClass::Plain:
        case ItemClass::Foreign: {
            std::string folder;
            const bool usable = ComposeFolder(item, decoded, folder);
            MoveCaret(item);
            if (!usable) {
                SelectUnusable(item, folder);
                return false;
            }
            g_selection.folderPath = folder;
            break;
        }
        case ItemClass::Alias:
            // The tree moves the caret itself on a label click, but not on every hit place;
            // the command relies on the caret being the selected panel.
            MoveCaret(item);
            if (PanelUnusable(decoded.panel)) {
                g_pendingMessage = kAliasTooLong;
                SelectUnusable(item, "");
                return false;
            }
            g_selection.folderPath = AliasPath(decoded.panel);
            break;
    }
    SelectPanel(g_selection.folderPath, decoded.lowHalf, item);
    return true;
}

std::optional<std::string> ReadValue(const profile::Document& doc, const char* key) {
    std::optional<std::string> value = doc.Get(kMainWindowSection, key);
    if (value && *value == kNotFound) value.reset();
    return value;
}

}  // namespace

void SetMessageSink(MessageSink sink) { g_messageSink = std::move(sink); }

LRESULT CALLBACK TreeClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool quietHere = false;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        TVHITTESTINFO hit{};
        hit.pt.x = static_cast<LONG>(LOWORD(lParam));
        hit.pt.y = static_cast<LONG>(HIWORD(lParam));
        const auto item = reinterpret_cast<HTREEITEM>(
            SendMessageA(window, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (item && (hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON))) {
            // A double-click repeats the selection of its own button-down, which has already
            // said everything; the control may even send itself a button-down meanwhile.
            if (message == WM_LBUTTONDBLCLK && item == g_selection.item && !g_quietRepeat) {
                g_quietRepeat = quietHere = true;
            }
            SelectItem(item);
        }
    }
    const LRESULT result =
        app::g_shell.savedTreeProc
            ? CallWindowProcA(app::g_shell.savedTreeProc, window, message, wParam, lParam)
            : DefWindowProcA(window, message, wParam, lParam);
    if (g_quietRepeat) {
        g_pendingMessage.clear();
    } else {
        ShowPendingMessage();
    }
    if (quietHere) g_quietRepeat = false;
    return result;
}

void SelectPanel(const std::string& folderPath, int kind, HTREEITEM item) {
    Selection& s = g_selection;
    if (&folderPath != &s.folderPath) s.folderPath = folderPath;
    s.installed = s.foreign = s.alias = 0;
    s.item = item;

    if (kind >= static_cast<int>(PanelKind::Alias)) {
        const bool foreign = kind >= static_cast<int>(PanelKind::Foreign);
        preview::SetPreviewFromResource(foreign ? IDB_NOTICE_FOREIGN : IDB_NOTICE_ALIAS);
        SetControlText(IDC_PATH_LINE, s.folderPath);
        (foreign ? s.foreign : s.alias) = 1;
        RefreshInstallButton(item);
        preview::RedrawPreviewArea();
        return;
    }

    // The item's own mark, never another item's: the caret is this item after a click.
    s.installed = IsItemMarked(item) && GetItemSelectedImage(item) == 1 ? 1 : 0;

    profile::LoadedFile loaded;
    if (profile::Load(s.folderPath + "panel.cfg", loaded)) loaded.doc = profile::Document::Empty();
    const profile::Document& doc = loaded.doc;

    std::optional<std::string> bitmapName = ReadValue(doc, "file_1024");
    if (!bitmapName) bitmapName = ReadValue(doc, "file");
    if (!bitmapName) return;  // partial: the screen still shows the previous selection

    // A width that is not a positive number would scale the installed windows absurdly.
    const auto width = static_cast<std::int32_t>(doc.GetInt(kMainWindowSection, "size_mm", kDefaultWidth));
    s.mainWindowWidth = static_cast<double>(width > 0 ? width : kDefaultWidth);

    SetControlText(IDC_PATH_LINE, s.folderPath);
    const std::string bitmapPath = s.folderPath + *bitmapName;
    if (bitmapPath.size() > kMaxPathChars) {
        // A cut path could name another picture: show none and say why.
        preview::ReleasePreview();
        g_pendingMessage =
            "The preview of this panel cannot be shown: the path of its main bitmap, as panel.cfg "
            "names it, is too long for Windows.\n\n" + bitmapPath;
    } else {
        preview::LoadPanelPreview(bitmapPath);
    }
    RefreshInstallButton(item);
    preview::RedrawPreviewArea();
}

void RefreshInstallButton(HTREEITEM item) {
    const Selection& s = g_selection;
    if (s.installed) {
        MarkItem(item);
        SetControlText(IDC_INSTALL_REMOVE, kRemoveCaption);
    } else if (s.foreign) {
        MarkItem(item);
        SetControlText(IDC_INSTALL_REMOVE, "");
    } else if (s.alias) {
        UnmarkItem(item);
        SetControlText(IDC_INSTALL_REMOVE, "");
    } else {
        UnmarkItem(item);
        SetControlText(IDC_INSTALL_REMOVE, kInstallCaption);
    }
}

void InstallRemoveCommand() {
    const HTREEITEM caret = CaretItem();
    if (!caret) return;
    const std::int32_t data = GetItemData(caret);
    const DecodedItem decoded = DecodeItemData(data);
    if (decoded.cls == ItemClass::Root || decoded.cls == ItemClass::Aircraft) return;

    Selection& s = g_selection;
    if (caret != s.item) {
        // The caret was moved without a click: describe its panel before acting on it.
        const bool selected = SelectItem(caret);
        ShowPendingMessage();
        if (!selected) return;
    }

    std::string folder;
    switch (decoded.cls) {
        case ItemClass::Foreign:
            if (!ComposeFolder(caret, decoded, folder)) break;
            s.folderPath = folder;
            preview::RedrawPreviewArea();
            break;
        case ItemClass::Alias:
            s.folderPath = AliasPath(decoded.panel);
            preview::RedrawPreviewArea();
            break;
        case ItemClass::Plain: {
            if (!ComposeFolder(caret, decoded, folder)) break;
            s.installed ^= 1;  // now the state the panel is to reach
            s.folderPath = folder;
            const int done = s.installed ? panelcfg::InstallGpsWindowSet(s.folderPath, data)
                                         : panelcfg::RemoveGpsWindowSet(s.folderPath, data);
            if (!done) {
                s.installed ^= 1;
                break;
            }
            RefreshInstallButton(caret);
            preview::RedrawPreviewArea();
            break;
        }
        default:
            break;
    }
    ShowPendingMessage();
}

}  // namespace catalogue
