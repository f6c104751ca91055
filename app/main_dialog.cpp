#include "app/main_dialog.h"

#include "app/dialog_updates.h"
#include "app/user_messages.h"
#include "catalogue/aircraft_scan.h"
#include "app/aircraft_tree.h"
#include "catalogue/messages.h"
#include "host/host_discovery.h"
#include "platform/elevation.h"
#include "platform/system_message.h"
#include "resources/dialog_layout.h"
#include "resources/resource_ids.h"

#include <windowsx.h>

#include <memory>

namespace app {

namespace {

// Client size of the dialog: the skin bitmap's size.
constexpr int kClientWidth = 615;
constexpr int kClientHeight = 443;

// The close area in the skin's top-right corner, in client coordinates: x > 580, y < 30.
constexpr int kCloseAreaLeft = 580;
constexpr int kCloseAreaBottom = 30;

// Posted by the first paint: the scan runs once the window has been drawn.
constexpr UINT kScanMessage = WM_APP + 1;

// The template's places, in dialog units. The dialog manager places controls by the base units
// of whatever font "Helv" maps to; the skin needs them where base units 6 x 13 put them, so the
// init handler places them again.
struct ControlPlace {
    int id;
    int x, y, width, height;
};
constexpr ControlPlace kControlPlaces[] = {
    {IDC_EXIT, PW_PLACE_EXIT},
    {IDC_INSTALL_REMOVE, PW_PLACE_INSTALL_REMOVE},
    {IDC_TOGGLE_DATABASE, PW_PLACE_TOGGLE_DATABASE},
    {IDC_TREE, PW_PLACE_TREE},
    {IDC_PATH_LINE, PW_PLACE_PATH_LINE},
    {IDC_STATUS_LINE, PW_PLACE_STATUS_LINE},
};
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

constexpr COLORREF kStatusTextColour = RGB(232, 238, 244);

RECT ControlPixelRect(const ControlPlace& place) {
    const int left = place.x * kBaseUnitX / 4;
    const int top = place.y * kBaseUnitY / 8;
    return RECT{left, top, left + place.width * kBaseUnitX / 4, top + place.height * kBaseUnitY / 8};
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
        const RECT r = ControlPixelRect(place);
        MoveWindow(GetDlgItem(dialog, place.id), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

// Escape reaches the dialog as command 2 with button 2's own handle, exactly as a click does.
// Only the key state tells them apart: Escape is down while its command is handled.
bool EscapeKeyIsDown() { return GetKeyState(VK_ESCAPE) < 0; }

void ShowTrainerState(const Session& session) {
    SetDlgItemTextA(session.dialog, IDC_TOGGLE_DATABASE, catalogue::TrainerCaption(session.trainer.state));
}

void EndMainDialog(Session& session, INT_PTR result) {
    preview::ReleasePreview(session.preview);
    EndDialog(session.dialog, result);
}

BOOL OnInitDialog(HWND dialog, const Environment* environment) {
    auto owned = std::make_unique<Session>(environment ? *environment : Environment{});
    Session& session = *owned;
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(owned.release()));
    session.dialog = dialog;
    session.tree = GetDlgItem(dialog, IDC_TREE);
    session.stateImages = AttachStateImageList(session.tree);
    session.simulatorRoot = host::ReadSimulatorRoot(session.env.registry);
    session.trainer = host::EvaluateTrainer(session.env.registry, session.env.trainerIni);
    ShowTrainerState(session);
    session.savedTreeProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(session.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TreeClickProc)));
    PlaceWindowAndControls(dialog);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void OnNcDestroy(HWND dialog) {
    const std::unique_ptr<Session> owned(SessionOf(dialog));
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

// The full paint: the skin over the whole client area, then the screen area.
void PaintDialog(const Session& session) {
    const platform::PaintCycle paint(session.dialog);
    if (paint.get() == nullptr) return;
    RECT client{};
    GetClientRect(session.dialog, &client);
    preview::DrawPicture(paint.get(), IDB_SKIN, 0, 0, client.right, client.bottom);
    preview::ComposeScreenArea(paint.get(), ScreenOf(session));
}

void OnPaint(Session& session) {
    PaintDialog(session);
    if (session.scanPending) {
        session.scanPending = false;
        PostMessageA(session.dialog, kScanMessage, 0, 0);
    }
}

// After the first paint: the scan, and once, why it found no simulator when it found none.
void OnScan(Session& session) {
    session.catalogue = catalogue::ScanAircraft(session.simulatorRoot);
    FillTree(session.tree, session.catalogue);
    const catalogue::SimulatorFolder found = catalogue::CheckSimulatorRoot(session.simulatorRoot);
    if (found != catalogue::SimulatorFolder::Found) {
        ShowMessage(session.dialog, catalogue::SimulatorMessage(found, session.simulatorRoot));
    }
}

void OnClose(Session& session) {
    ReleaseCapture();
    EndMainDialog(session, 0);
}

// The user asked for administrator rights: an elevated Panelwright takes over and this one ends.
// Declined at Windows' own prompt, nothing changes.
void RestartElevated(Session& session) {
    const platform::Restart restart = platform::RestartAsAdministrator();
    switch (restart.result) {
        case platform::RestartResult::Started: EndMainDialog(session, 0); break;
        case platform::RestartResult::Declined: break;
        case platform::RestartResult::Failed:
            ShowMessage(session.dialog, catalogue::RestartFailedMessage(platform::SystemMessage(restart.error)));
            break;
    }
}

// Command 2 acts on the caret's panel. When the caret was moved to another panel without a
// click, that panel is selected first, exactly as a click would, so install or removal is
// always chosen by the panel's own mark.
void OnInstallRemove(Session& session) {
    const HTREEITEM caret = CaretItem(session.tree);
    if (!caret) return;
    const catalogue::DecodedItem decoded = catalogue::DecodeItemData(GetItemData(session.tree, caret));
    if (decoded.cls == catalogue::ItemClass::Root || decoded.cls == catalogue::ItemClass::Aircraft) return;
    if (!session.catalogue.HasPanel(decoded.panel)) return;
    if (decoded.panel != session.selection.panel) {
        const bool usable = SelectItem(session, caret, decoded);
        ShowPendingMessage(session);
        if (!usable) return;
    }
    const catalogue::CommandView view =
        catalogue::InstallRemoveCommand(session.catalogue, decoded.panel, session.selection);
    if (view.button) ApplyButton(session, caret, *view.button);
    if (view.clearStatusLine) SetDlgItemTextA(session.dialog, IDC_STATUS_LINE, "");
    if (view.redraw) RedrawScreen(session);
    if (view.offerAdministrator && view.message) {
        if (AskMessage(session.dialog, *view.message)) RestartElevated(session);
    } else if (view.message) {
        ShowMessage(session.dialog, *view.message);
    }
}

void OnToggleDatabase(Session& session) {
    if (const fileio::Error error = host::ToggleDatabase(session.trainer, session.env.trainerIni)) {
        ShowMessage(session.dialog, catalogue::TrainerNotChangedMessage(error));
    }
    // The file decides: after a failed write the caption and the badge show what it holds.
    session.trainer = host::EvaluateTrainer(session.env.registry, session.env.trainerIni);
    ShowTrainerState(session);
    RedrawScreen(session);
}

BOOL OnCommand(Session& session, int id) {
    switch (id) {
        case IDC_EXIT: EndMainDialog(session, 1); return TRUE;
        case IDC_INSTALL_REMOVE:
            // A key that means "cancel" must not edit a panel.cfg.
            if (!EscapeKeyIsDown()) OnInstallRemove(session);
            return FALSE;
        case IDC_TOGGLE_DATABASE: OnToggleDatabase(session); return FALSE;
        default: return FALSE;
    }
}

void OnNotify(Session& session, const NMHDR* header) {
    if (header && header->idFrom == IDC_TREE) ApplyRootRule(session.tree, header);
}

// The status line lies on the skin: it erases its background with the skin itself, aligned to
// the control's place, so its text stands on the skin instead of on a grey bar.
INT_PTR OnCtlColorStatic(Session& session, HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_STATUS_LINE) return FALSE;
    if (!session.statusBrush) {
        session.statusSkin.Reset(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SKIN)));
        if (!session.statusSkin) return FALSE;
        session.statusBrush.Reset(CreatePatternBrush(static_cast<HBITMAP>(session.statusSkin.get())));
        if (!session.statusBrush) return FALSE;
    }
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    SetBrushOrgEx(dc, -place.left, -place.top, nullptr);
    SetTextColor(dc, kStatusTextColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(session.statusBrush.get());
}

BOOL OnLButtonDown(Session& session, int x, int y) {
    session.anchor = {x, y};
    if (y < kCloseAreaBottom && x > kCloseAreaLeft) {
        EndMainDialog(session, 1);
        return TRUE;
    }
    session.dragging = true;
    SetCapture(session.dialog);
    return FALSE;
}

// The window has no border: client coordinates are window coordinates, so cursor - anchor is
// the window's new top-left corner.
void OnMouseMove(Session& session, WPARAM keys) {
    if (keys & MK_LBUTTON) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        if (session.dragging) {
            SetWindowPos(session.dialog, HWND_TOPMOST, cursor.x - session.anchor.x, cursor.y - session.anchor.y, 0, 0,
                         SWP_NOSIZE);
        }
    } else {
        session.dragging = false;
        ReleaseCapture();
    }
}

}  // namespace

Session* SessionOf(HWND dialog) {
    return dialog ? reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER)) : nullptr;
}

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(dialog, reinterpret_cast<const Environment*>(lParam));
    Session* session = SessionOf(dialog);
    if (session == nullptr) return FALSE;
    switch (message) {
        case WM_PAINT: OnPaint(*session); return FALSE;
        case kScanMessage: OnScan(*session); return TRUE;
        case WM_CLOSE: OnClose(*session); return TRUE;
        case WM_COMMAND: return OnCommand(*session, LOWORD(wParam));
        case WM_NOTIFY: OnNotify(*session, reinterpret_cast<const NMHDR*>(lParam)); return FALSE;
        case WM_LBUTTONDOWN: return OnLButtonDown(*session, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        case WM_MOUSEMOVE: OnMouseMove(*session, wParam); return FALSE;
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(*session, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NCDESTROY: OnNcDestroy(dialog); return FALSE;
        default: return FALSE;
    }
}

int RunMainDialog(HINSTANCE module, const Environment& environment) {
    return static_cast<int>(DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                            reinterpret_cast<LPARAM>(&environment)));
}

}  // namespace app
