#include "app/main_dialog.h"

#include "app/shell_state.h"
#include "catalogue/aircraft_scan.h"
#include "catalogue/aircraft_tree.h"
#include "catalogue/selection.h"
#include "host/host_discovery.h"
#include "host/host_state.h"
#include "host/trainer_rules.h"
#include "platform/unique_handle.h"
#include "preview/preview_renderer.h"
#include "resources/resource_ids.h"

#include <windowsx.h>

namespace app {

namespace {

// Template positions and sizes in dialog units, as in resources/panelwright.rc. The dialog
// manager places controls by the base units of whatever font "Helv" maps to; the skin needs
// them where base units 6 x 13 put them, so the init handler places them again.
struct ControlPlace {
    int id;
    int x, y, width, height;
};
constexpr ControlPlace kControlPlaces[] = {
    {IDC_EXIT, 354, 231, 28, 14},
    {IDC_INSTALL_REMOVE, 222, 232, 100, 14},
    {IDC_TOGGLE_DATABASE, 222, 252, 100, 14},
    {IDC_TREE, 16, 59, 133, 184},
    {IDC_PATH_LINE, 16, 41, 382, 11},
    {IDC_STATUS_LINE, 205, 59, 184, 10},
};

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// The status line lies on the skin: it erases its background with the skin itself, aligned to
// the control's place, so its text stands on the skin instead of on a grey bar. Long-lived:
// made on first use, released at process end.
struct StatusLineLook {
    platform::OwnedGdiObject skin;
    platform::OwnedGdiObject brush;
};
StatusLineLook g_statusLook;
constexpr COLORREF kStatusTextColour = RGB(232, 238, 244);

void EndMainDialog(INT_PTR result) {
    preview::ReleasePreview();
    EndDialog(g_shell.dialog, result);
}

// The client area is exactly the skin, centred on the work area as the template's centre
// style would centre it.
void PlaceWindowAndControls(HWND dialog) {
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int left = work.left + ((work.right - work.left) - width) / 2;
    const int top = work.top + ((work.bottom - work.top) - height) / 2;
    SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    for (const ControlPlace& place : kControlPlaces) {
        const RECT r = ControlPixelRect(place.x, place.y, place.width, place.height);
        MoveWindow(GetDlgItem(dialog, place.id), r.left, r.top, r.right - r.left, r.bottom - r.top,
                   TRUE);
    }
}

// Escape reaches the dialog as command 2 with button 2's own handle, exactly as a click does.
// Only the key state tells them apart: Escape is down while its command is handled.
bool EscapeKeyIsDown() { return GetKeyState(VK_ESCAPE) < 0; }

BOOL OnInitDialog(HWND dialog) {
    g_shell = ShellState{};
    g_shell.tree = GetDlgItem(dialog, IDC_TREE);
    catalogue::AttachStateImageList(g_shell.tree);
    g_shell.dialog = dialog;
    catalogue::g_selection.folderPath.clear();
    host::ReadSimulatorRoot();
    host::g_host.trainerState = host::EvaluateTrainer();
    SetDlgItemTextA(dialog, IDC_TOGGLE_DATABASE, host::TrainerCaption(host::g_host.trainerState));
    g_shell.savedTreeProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_shell.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&catalogue::TreeClickProc)));
    PlaceWindowAndControls(dialog);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void OnPaint() {
    preview::PaintMainDialog();
    // Cleared first, so a paint that arrives while the scan runs cannot start it again.
    if (g_shell.scanPending) {
        g_shell.scanPending = 0;
        catalogue::ScanAircraft();
    }
}

void OnClose() {
    ReleaseCapture();
    EndMainDialog(0);
}

BOOL OnCommand(int id) {
    switch (id) {
        case IDC_EXIT:
            EndMainDialog(1);
            return TRUE;
        case IDC_INSTALL_REMOVE:
            // A key that means "cancel" must not edit a panel.cfg.
            if (!EscapeKeyIsDown()) catalogue::InstallRemoveCommand();
            return FALSE;
        case IDC_TOGGLE_DATABASE:
            host::ToggleDatabase();
            return FALSE;
        default:
            return FALSE;
    }
}

void OnNotify(const NMHDR* header) {
    if (header && header->idFrom == IDC_TREE) catalogue::ApplyRootRule(header);
}

INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_STATUS_LINE) return FALSE;
    if (!g_statusLook.brush.get()) {
        g_statusLook.skin.Reset(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SKIN)));
        if (!g_statusLook.skin.get()) return FALSE;
        g_statusLook.brush.Reset(CreatePatternBrush(static_cast<HBITMAP>(g_statusLook.skin.get())));
        if (!g_statusLook.brush.get()) return FALSE;
    }
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
    SetTextColor(dc, kStatusTextColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(g_statusLook.brush.get());
}

BOOL OnLButtonDown(HWND dialog, int x, int y) {
    g_shell.anchorX = x;
    g_shell.anchorY = y;
    if (y < kCloseAreaBottom && x > kCloseAreaLeft) {
        EndMainDialog(1);
        return TRUE;
    }
    g_shell.dragging = 1;
    SetCapture(dialog);
    return FALSE;
}

// The window has no border: client coordinates are window coordinates, so cursor - anchor is
// the window's new top-left corner.
void OnMouseMove(HWND dialog, WPARAM keys) {
    if (keys & MK_LBUTTON) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        if (g_shell.dragging)
            SetWindowPos(dialog, HWND_TOPMOST, cursor.x - g_shell.anchorX, cursor.y - g_shell.anchorY,
                         0, 0, SWP_NOSIZE);
    } else {
        g_shell.dragging = 0;
        ReleaseCapture();
    }
}

}  // namespace

RECT ControlPixelRect(int x, int y, int width, int height) {
    const int left = x * kBaseUnitX / 4;
    const int top = y * kBaseUnitY / 8;
    return RECT{left, top, left + width * kBaseUnitX / 4, top + height * kBaseUnitY / 8};
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: return OnInitDialog(dialog);
        case WM_PAINT: OnPaint(); return FALSE;
        case WM_CLOSE: OnClose(); return TRUE;
        case WM_COMMAND: return OnCommand(LOWORD(wParam));
        case WM_NOTIFY: OnNotify(reinterpret_cast<const NMHDR*>(lParam)); return FALSE;
        case WM_LBUTTONDOWN: return OnLButtonDown(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        case WM_MOUSEMOVE: OnMouseMove(dialog, wParam); return FALSE;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        default: return FALSE;
    }
}

int RunMainDialog(HINSTANCE module) {
    return static_cast<int>(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0));
}

}  // namespace app
