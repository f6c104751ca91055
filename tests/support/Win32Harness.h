// The real main dialog in-process under Wine, on a machine of the test's own: a registry key
// standing in for the machine's keys, a Windows folder for the trainer's INI file and a
// simulator folder. Message boxes are recorded and closed; tree items are read and clicked;
// pixels are read back; bitmaps the program makes are counted. Windows only, header only.
#pragma once

#include "app/dialog_updates.h"
#include "app/main_dialog.h"
#include "app/session.h"
#include "resources/resource_ids.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pwtest {

constexpr const char* kSimulatorKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
constexpr const char* kTrainerKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GARMIN 500 Series Trainer";
constexpr const char* kTrainerUninstall =
    "C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\GNS Trainer\\Uninst.isu\"";

class TestMachine {
public:
    TestMachine() : root_("SOFTWARE\\Panelwright tests\\" + std::to_string(GetCurrentProcessId())) { DeleteRoot(); }
    ~TestMachine() { DeleteRoot(); }
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    app::Environment Environment() const { return {{HKEY_LOCAL_MACHINE, root_}, Ini()}; }

    // Value name under subKey of the test root, with exactly these bytes, in the given view (the
    // 32-bit one, which the simulator's and the trainer's 32-bit installers write, or the 64-bit one).
    void SetValue(const std::string& subKey, const char* name, const std::string& bytes, DWORD type = REG_SZ,
                  REGSAM view = KEY_WOW64_32KEY) const {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (root_ + "\\" + subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                        nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    void SetTrainer() const { SetValue(kTrainerKey, "UninstallString", kTrainerUninstall + std::string(1, '\0')); }
    void InstallSimulator() const { SetValue(kSimulatorKey, "EXE Path", simulator.Folder() + std::string(1, '\0')); }

    std::string Ini() const { return windows.Path("GARMINWT.INI"); }
    std::string Aircraft(const std::string& path) const { return simulator.Path("aircraft\\" + path); }
    void Write(const std::string& path, const std::string& text) const { WriteBytes(Aircraft(path), text); }

    const TempFolder windows;
    const TempFolder simulator;

private:
    void DeleteRoot() const {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS)
                continue;
            RegDeleteTreeA(key, nullptr);
            RegCloseKey(key);
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), view, 0);
        }
    }
    const std::string root_;
};

// Dispatches every waiting message, through the dialog's keyboard handling when one is given.
inline void PumpMessages(HWND dialog = nullptr) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
inline std::string ControlText(HWND window, int id) {
    char text[1024] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// --- Message boxes -----------------------------------------------------------------------------

struct ShownBox {
    std::string caption, text;
    bool owned = false;         // it had an owner window
    bool blocksDialog = false;  // the main dialog took no input while it was up
};

namespace detail {
inline std::vector<ShownBox>* g_boxes = nullptr;
inline HWND MainDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) {
            if (app::SessionOf(window) == nullptr) return TRUE;
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
inline BOOL CALLBACK CloseBox(HWND window, LPARAM) {
    char className[16] = {}, caption[256] = {};
    GetClassNameA(window, className, sizeof className);
    // A message box is a dialog whose text is control 0xFFFF; the main dialog has none.
    if (std::string(className) != "#32770" || !IsWindowVisible(window) || !GetDlgItem(window, 0xFFFF)) return TRUE;
    GetWindowTextA(window, caption, sizeof caption);
    const HWND dialog = MainDialog();
    g_boxes->push_back({caption, ControlText(window, 0xFFFF), GetWindow(window, GW_OWNER) != nullptr,
                        dialog != nullptr && !IsWindowEnabled(dialog)});
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}
inline void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (g_boxes) EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}
}  // namespace detail

// While it lives, every message box of this thread is recorded and closed at once.
class MessageBoxes {
public:
    MessageBoxes() : timer_(SetTimer(nullptr, 0, 20, detail::CloseBoxes)) { detail::g_boxes = &shown; }
    ~MessageBoxes() {
        KillTimer(nullptr, timer_);
        detail::g_boxes = nullptr;
    }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;
    std::vector<ShownBox> shown;

private:
    UINT_PTR timer_;
};

// --- The dialog --------------------------------------------------------------------------------

inline void InitControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

// One dialog for a whole suite, on a machine of its own (under Wine without a window manager
// every hidden window costs two seconds): a suite's SetUpTestSuite fills machine_, then Open()
// creates the dialog as the program does, but modeless, so the test drives it message by
// message. The first paint has scanned by the time Open() returns; a message box it raised is
// closed and kept in openingBoxes_, so that no box can stall the suite.
class DialogSuite : public ::testing::Test {
protected:
    static void Open() {
        InitControls();
        MessageBoxes boxes;
        const app::Environment environment = machine_->Environment();
        window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                     app::MainDialogProc, reinterpret_cast<LPARAM>(&environment));
        UpdateWindow(window_);
        PumpMessages(window_);
        openingBoxes_ = boxes.shown;
    }
    static void TearDownTestSuite() {
        ReleaseCapture();
        DestroyWindow(window_);
        PumpMessages();
        machine_.reset();
    }
    static void Press(int id) {
        SendDlgItemMessageA(window_, id, BM_CLICK, 0, 0);
        PumpMessages(window_);
    }
    static app::Session& Session() { return *app::SessionOf(window_); }
    static HWND Tree() { return GetDlgItem(window_, IDC_TREE); }
    static std::string Text(int id) { return ControlText(window_, id); }

    static inline std::unique_ptr<TestMachine> machine_;
    static inline HWND window_ = nullptr;
    static inline std::vector<ShownBox> openingBoxes_;
};

// Runs the modal dialog as the program does; act(dialog) is called from a timer once its loop
// runs. Answers the dialog's result, or -99 when it did not end within a few seconds.
inline int RunModal(const app::Environment& environment, void (*act)(HWND)) {
    static void (*action)(HWND) = nullptr;
    action = act;
    InitControls();
    const UINT_PTR actTimer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        action(detail::MainDialog());
    });
    const UINT_PTR guardTimer = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        EndDialog(detail::MainDialog(), -99);
    });
    const int result = app::RunMainDialog(GetModuleHandleA(nullptr), environment);
    KillTimer(nullptr, actTimer);
    KillTimer(nullptr, guardTimer);
    return result;
}

// --- Tree items --------------------------------------------------------------------------------

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
inline UINT HitFlags(HWND tree, POINT point) {
    TVHITTESTINFO hit{};
    hit.pt = point;
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit.flags;
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

// --- Pixels ------------------------------------------------------------------------------------

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
            for (int i = 0; i < 3; ++i) row[x * 3 + i] = static_cast<char>((c >> (8 * i)) & 0xFF);
        }
        bytes += row;
    }
    WriteBytes(path, bytes);
}

struct Pixels {  // 32-bit pixels, rows top to bottom
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
// What window shows now in its client area, copied off its surface.
inline Pixels CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC surface = GetDC(window);
    HDC memory = CreateCompatibleDC(surface);
    HBITMAP copy = CreateCompatibleBitmap(surface, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, client.right, client.bottom, surface, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(window, surface);
    Pixels image = ReadPixels(copy, client.right, client.bottom);
    DeleteObject(copy);
    return image;
}

// --- Bitmaps the program holds -------------------------------------------------------------------
// Wine's GetGuiResources answers 0, so the functions that make and delete bitmaps are redirected,
// in the program's own import table, to counting ones.

namespace bitmaps {
inline int g_live = 0;
template <typename Handle>
Handle Made(Handle handle) {
    g_live += handle != nullptr && GetObjectType(handle) == OBJ_BITMAP;
    return handle;
}

// Puts replacement into the program's import slot of function and answers what was there.
template <typename Function>
Function Redirect(const char* dll, const char* function, Function replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name;
         ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) ||
                std::strcmp(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name,
                            function))
                continue;
            void** slot = reinterpret_cast<void**>(&slots->u1.Function);
            DWORD protection = 0;
            VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
            auto original = reinterpret_cast<Function>(*slot);
            *slot = reinterpret_cast<void*>(replacement);
            VirtualProtect(slot, sizeof *slot, protection, &protection);
            return original;
        }
    }
    return nullptr;
}

inline decltype(&CreateBitmap) g_createBitmap = nullptr;
inline decltype(&CreateCompatibleBitmap) g_createCompatibleBitmap = nullptr;
inline decltype(&LoadBitmapA) g_loadBitmap = nullptr;
inline decltype(&LoadImageA) g_loadImage = nullptr;
inline decltype(&DeleteObject) g_deleteObject = nullptr;
}  // namespace bitmaps

// Starts counting (once per program); bitmaps made before are not counted.
inline void CountBitmaps() {
    using namespace bitmaps;
    if (g_deleteObject != nullptr) return;
    g_createBitmap = Redirect<decltype(&CreateBitmap)>("gdi32.dll", "CreateBitmap",
                                                       [](int w, int h, UINT planes, UINT bits, const void* data) {
                                                           return Made(g_createBitmap(w, h, planes, bits, data));
                                                       });
    g_createCompatibleBitmap = Redirect<decltype(&CreateCompatibleBitmap)>(
        "gdi32.dll", "CreateCompatibleBitmap",
        [](HDC dc, int w, int h) { return Made(g_createCompatibleBitmap(dc, w, h)); });
    g_loadBitmap = Redirect<decltype(&LoadBitmapA)>(
        "user32.dll", "LoadBitmapA", [](HINSTANCE module, LPCSTR name) { return Made(g_loadBitmap(module, name)); });
    g_loadImage = Redirect<decltype(&LoadImageA)>(
        "user32.dll", "LoadImageA", [](HINSTANCE module, LPCSTR name, UINT type, int w, int h, UINT flags) {
            return Made(g_loadImage(module, name, type, w, h, flags));
        });
    g_deleteObject = Redirect<decltype(&DeleteObject)>("gdi32.dll", "DeleteObject", [](HGDIOBJ object) {
        const bool bitmap = object != nullptr && GetObjectType(object) == OBJ_BITMAP;
        const BOOL deleted = g_deleteObject(object);
        g_live -= bitmap && deleted;
        return deleted;
    });
}
// Bitmaps made since counting started and not yet deleted.
inline int LiveBitmaps() { return bitmaps::g_live; }

}  // namespace pwtest
