// The real main dialog in-process under Wine, on a test machine: one modeless dialog for a
// whole suite, driven message by message, or the modal dialog run as the program runs it.
// Windows only, header only.
#pragma once

#include "app/main_dialog.h"
#include "app/session.h"
#include "resources/resource_ids.h"
#include "support/MessageBoxes.h"
#include "support/TestMachine.h"

#include <windows.h>
#include <commctrl.h>

namespace pwtest {

inline std::string ControlText(HWND window, int id) {
    char text[1024] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

// The main dialog of this thread: the window with a session.
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

inline app::Environment EnvironmentOf(const TestMachine& machine) { return {machine.Registry(), machine.Ini()}; }

inline void InitControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

// A suite's SetUpTestSuite fills machine_, then Open() creates the dialog as the program does,
// but modeless. The first paint has scanned by the time Open() returns; the message boxes it
// raised are kept in openingBoxes_.
class DialogSuite : public ::testing::Test {
protected:
    static void Open() {
        InitControls();
        MessageBoxes boxes;
        const app::Environment environment = EnvironmentOf(*machine_);
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
// runs. Answers the dialog's result; a dialog still up after 5 s is ended with -99 and fails the
// test with what is on screen.
inline int RunModal(const app::Environment& environment, void (*act)(HWND)) {
    static void (*action)(HWND) = nullptr;
    action = act;
    InitControls();
    const UINT_PTR actTimer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        action(MainDialog());
    });
    const UINT_PTR guardTimer = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        ADD_FAILURE() << "the dialog did not end within 5 s; on screen:\n" << OnScreen();
        EndDialog(MainDialog(), -99);
    });
    const int result = app::RunMainDialog(GetModuleHandleA(nullptr), environment);
    KillTimer(nullptr, actTimer);
    KillTimer(nullptr, guardTimer);
    return result;
}

}  // namespace pwtest
