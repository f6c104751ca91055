#include "GuiHarness.h"

#include "app/shell_state.h"
#include "catalogue/aircraft_tree.h"
#include "catalogue/selection.h"
#include "resources/resource_ids.h"

#include <cstdint>
#include <cstring>

namespace cattest {

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_TREE) catalogue::ApplyRootRule(header);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* HostClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PwCatalogueTestHost";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        return "PwCatalogueTestHost";
    }();
    return name;
}

}  // namespace

TempFolder::TempFolder() {
    static int serial = 0;
    path_ = "Z:\\tmp\\pwcat-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void MakeFolders(const std::string& path, bool isFile) {
    std::string::size_type pos = 3;  // past "Z:\"
    const std::string::size_type end = isFile ? path.rfind('\\') : path.size();
    while (pos < end) {
        pos = path.find('\\', pos + 1);
        if (pos == std::string::npos || pos > end) pos = end;
        CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
    }
}

void WriteTextFile(const std::string& path, const std::string& text) {
    MakeFolders(path, true);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

void WriteBitmapFile(const std::string& path, int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    std::string row(static_cast<size_t>(stride), '\0');
    for (int x = 0; x < width; ++x) row[static_cast<size_t>(x * 3 + 1)] = '\x80';
    for (int y = 0; y < height; ++y) bytes += row;
    WriteTextFile(path, bytes);
}

TestHost::TestHost() {
    window_ = CreateWindowExA(0, HostClass(), "catalogue test", WS_POPUP, 0, 0, 700, 900,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    tree_ = CreateWindowExA(0, WC_TREEVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                                TVS_DISABLEDRAGDROP,
                            0, 40, 600, 800, window_, reinterpret_cast<HMENU>(IDC_TREE),
                            GetModuleHandleA(nullptr), nullptr);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 600, 18, window_,
                    reinterpret_cast<HMENU>(IDC_PATH_LINE), GetModuleHandleA(nullptr), nullptr);
    CreateWindowExA(0, "BUTTON", "Install Aerolith", WS_CHILD | WS_VISIBLE, 0, 18, 200, 20, window_,
                    reinterpret_cast<HMENU>(IDC_INSTALL_REMOVE), GetModuleHandleA(nullptr), nullptr);
    app::g_shell.dialog = window_;
    app::g_shell.tree = tree_;
    catalogue::AttachStateImageList(tree_);
    app::g_shell.savedTreeProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(catalogue::TreeClickProc)));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    PumpMessages();
}

TestHost::~TestHost() {
    DestroyWindow(window_);
    PumpMessages();
    app::g_shell.dialog = nullptr;
    app::g_shell.tree = nullptr;
    app::g_shell.savedTreeProc = nullptr;
}

std::string TestHost::ControlText(int id) const {
    char buffer[1024] = {};
    GetDlgItemTextA(window_, id, buffer, sizeof buffer);
    return buffer;
}

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) {
    std::vector<HTREEITEM> items;
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    while (item) {
        items.push_back(item);
        item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
    }
    return items;
}

HTREEITEM RootItem(HWND tree) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text) {
    for (HTREEITEM item : Children(tree, parent)) {
        if (catalogue::GetItemText(item) == text) return item;
    }
    return nullptr;
}

int StateImage(HTREEITEM item) { return static_cast<int>((catalogue::GetItemState(item) & 0xF000u) >> 12); }

bool IsExpanded(HTREEITEM item) { return (catalogue::GetItemState(item) & TVIS_EXPANDED) != 0; }

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {
RECT LabelRect(HWND tree, HTREEITEM item) {
    // The request carries the item in the rectangle's first bytes.
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}
}  // namespace

POINT LabelPoint(HWND tree, HTREEITEM item) {
    // Near the label's start: a long label runs past the control's right edge.
    const RECT r = LabelRect(tree, item);
    return {r.left + 4, (r.top + r.bottom) / 2};
}

POINT BesideLabelPoint(HWND tree, HTREEITEM item) {
    const RECT r = LabelRect(tree, item);
    return {r.right + 40, (r.top + r.bottom) / 2};
}

POINT ExpandButtonPoint(HWND tree, HTREEITEM item) {
    const RECT r = LabelRect(tree, item);
    const int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    return {r.left - indent / 2, (r.top + r.bottom) / 2};
}

UINT HitFlags(HWND tree, POINT point) {
    TVHITTESTINFO hit{};
    hit.pt = point;
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit.flags;
}

void DoubleClick(HWND tree, POINT point) {
    Click(tree, point);
    SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpMessages();
}

void Click(HWND tree, POINT point) {
    const LPARAM where = MAKELPARAM(point.x, point.y);
    // The tree waits for the button to come up before it acts on a press.
    PostMessageA(tree, WM_LBUTTONUP, 0, where);
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PumpMessages();
}

}  // namespace cattest
