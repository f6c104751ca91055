// What the in-process window tests under Wine share: test windows and the message pump, control
// texts, tree items and real clicks on them, bitmap files, and pixels read back from bitmaps and
// windows. Header only, Windows only: include "support/GuiSupport.h", nothing to link.
#pragma once

#include "support/TempFolder.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pwtest {

// The common controls the dialog and the test windows hold.
inline void InitControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

// A hidden borderless popup of the given client size (no window manager wait under Xvfb), of a
// class registered on first use.
inline HWND MakeTestWindow(const char* className, WNDPROC procedure, int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    InitControls();
    return CreateWindowExA(WS_EX_TOOLWINDOW, className, "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// Dispatches every waiting message, through the dialog's keyboard handling when one is given.
inline void PumpMessages(HWND dialog = nullptr) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Keeps pumping for a while: input sent through Wine's server arrives a little later.
inline void PumpFor(HWND dialog, DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        PumpMessages(dialog);
        Sleep(5);
    }
}

inline std::string ControlText(HWND window, int id) {
    char text[1024] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// Writes a file, making the folders that lead to it first.
inline void WriteCreatingFolders(const std::string& path, const std::string& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    WriteBytes(path, bytes);
}

// --- Tree items ----------------------------------------------------------------------------

inline HTREEITEM NextItem(HWND tree, UINT how, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
}

inline std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = NextItem(tree, TVGN_CHILD, parent); item; item = NextItem(tree, TVGN_NEXT, item))
        items.push_back(item);
    return items;
}

// What the tree holds for item: its text, its whole state word, its selected-image index.
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
inline UINT ItemState(HWND tree, HTREEITEM item) { return ReadItem(tree, item, TVIF_STATE).state; }
inline int ItemSelectedImage(HWND tree, HTREEITEM item) {
    return ReadItem(tree, item, TVIF_SELECTEDIMAGE).iSelectedImage;
}

inline RECT LabelRect(HWND tree, HTREEITEM item) {
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);  // the request carries the item in the rectangle
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

// Near the label's start (a long label runs past the control's edge), beside its end, and on
// the expand button to its left; in tree client coordinates.
inline POINT LabelPoint(HWND tree, HTREEITEM item) {
    const RECT r = LabelRect(tree, item);
    return {r.left + 4, (r.top + r.bottom) / 2};
}
inline POINT BesideLabelPoint(HWND tree, HTREEITEM item) {
    const RECT r = LabelRect(tree, item);
    return {r.right + 40, (r.top + r.bottom) / 2};
}
inline POINT ExpandButtonPoint(HWND tree, HTREEITEM item) {
    const RECT r = LabelRect(tree, item);
    return {r.left - static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0)) / 2, (r.top + r.bottom) / 2};
}

inline UINT HitFlags(HWND tree, POINT point) {
    TVHITTESTINFO hit{};
    hit.pt = point;
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit.flags;
}

// A left click through the tree's window procedure (its subclass first). The tree waits for
// the button to come up before it acts on a press, so the release is queued first.
inline void Click(HWND tree, POINT point) {
    PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PumpMessages();
}
inline void DoubleClick(HWND tree, POINT point) {
    Click(tree, point);
    SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpMessages();
}

// --- Bitmaps and pixels --------------------------------------------------------------------

using Colour = std::function<std::uint32_t(int, int)>;  // 0xRRGGBB at x, y

// A 24-bit bitmap file of width x height in colour(x, y).
inline void WriteBitmap(const std::string& path, int width, int height, const Colour& colour) {
    const int stride = (width * 3 + 3) & ~3;
    const BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER file = {0x4D42, offset + static_cast<DWORD>(stride * height), 0, 0, offset};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, y);
            row[x * 3] = static_cast<char>(c & 0xFF);
            row[x * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((c >> 16) & 0xFF);
        }
        bytes += row;
    }
    WriteCreatingFolders(path, bytes);
}

// 32-bit pixels, rows top to bottom.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// The pixels of bitmap (its own size unless one is given).
inline Pixels ReadPixels(HBITMAP bitmap, int width = 0, int height = 0) {
    if (width == 0) {
        BITMAP size{};
        GetObjectA(bitmap, sizeof size, &size);
        width = size.bmWidth;
        height = size.bmHeight;
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    Pixels image{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return image;
}

inline Pixels ResourcePixels(int id) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    Pixels image = ReadPixels(bitmap);
    DeleteObject(bitmap);
    return image;
}

// What window shows now in its client area's top-left width x height, copied off its surface.
inline Pixels CaptureClient(HWND window, int width, int height) {
    HDC surface = GetDC(window);
    HDC memory = CreateCompatibleDC(surface);
    HBITMAP copy = CreateCompatibleBitmap(surface, width, height);
    HGDIOBJ previous = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, width, height, surface, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(window, surface);
    Pixels image = ReadPixels(copy, width, height);
    DeleteObject(copy);
    return image;
}

}  // namespace pwtest
