// The main dialog created in-process, modeless or modal, for tests under Wine.
#pragma once

#include "app/main_dialog.h"
#include "app/shell_state.h"
#include "resources/resource_ids.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

namespace pwtest {

inline void InitControls() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

inline void PumpMessages(HWND dialog) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline std::string ControlText(HWND dialog, int id) {
    char text[260] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The dialog as the program creates it, but modeless, so the test drives it message by message.
class ModelessDialog {
public:
    ModelessDialog() {
        InitControls();
        window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                    app::MainDialogProc, 0);
        PumpMessages(window);
    }
    ~ModelessDialog() {
        ReleaseCapture();
        DestroyWindow(window);
        PumpMessages(nullptr);
    }
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;

    void Click(int id) {
        SendDlgItemMessageA(window, id, BM_CLICK, 0, 0);
        PumpMessages(window);
    }

    HWND window = nullptr;
};

namespace detail {
inline std::function<void(HWND)> g_modalAction;
inline UINT_PTR g_actionTimer = 0;
inline UINT_PTR g_guardTimer = 0;

inline void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, g_actionTimer);
    g_modalAction(app::g_shell.dialog);
}
inline void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
    KillTimer(nullptr, g_guardTimer);
    EndDialog(app::g_shell.dialog, -99);
}
}  // namespace detail

// Runs the modal dialog as the program does; once its loop runs, act(dialog) is called from a
// timer. Answers the dialog's result, or -99 when it did not end within a few seconds.
inline int RunModal(std::function<void(HWND)> act) {
    InitControls();
    detail::g_modalAction = std::move(act);
    detail::g_actionTimer = SetTimer(nullptr, 0, 20, detail::ActOnDialog);
    detail::g_guardTimer = SetTimer(nullptr, 0, 5000, detail::GiveUp);
    const int result = app::RunMainDialog(GetModuleHandleA(nullptr));
    KillTimer(nullptr, detail::g_actionTimer);
    KillTimer(nullptr, detail::g_guardTimer);
    return result;
}

}  // namespace pwtest
