// The main dialog created in-process, modeless or modal, for tests under Wine.
#pragma once

#include "app/main_dialog.h"
#include "app/shell_state.h"
#include "resources/resource_ids.h"
#include "support/GuiSupport.h"

#include <functional>

namespace pwtest {

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
        PumpMessages();
    }
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;

    void Click(int id) const {
        SendDlgItemMessageA(window, id, BM_CLICK, 0, 0);
        PumpMessages(window);
    }

    HWND window = nullptr;
};

namespace detail {
inline std::function<void(HWND)> g_modalAction;
inline void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_modalAction(app::g_shell.dialog);
}
inline void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndDialog(app::g_shell.dialog, -99);
}
}  // namespace detail

// Runs the modal dialog as the program does; once its loop runs, act(dialog) is called from a
// timer. Answers the dialog's result, or -99 when it did not end within a few seconds.
inline int RunModal(std::function<void(HWND)> act) {
    InitControls();
    detail::g_modalAction = std::move(act);
    const UINT_PTR actTimer = SetTimer(nullptr, 0, 20, detail::ActOnDialog);
    const UINT_PTR guardTimer = SetTimer(nullptr, 0, 5000, detail::GiveUp);
    const int result = app::RunMainDialog(GetModuleHandleA(nullptr));
    KillTimer(nullptr, actTimer);
    KillTimer(nullptr, guardTimer);
    return result;
}

}  // namespace pwtest
