// The real main dialog in-process under Wine, on a test machine: modeless, driven message by
// message. Windows only, header only.
#pragma once

#include "app/main_dialog.h"
#include "app/session.h"
#include "resources/resource_ids.h"
#include "support/MessageBoxes.h"
#include "support/TestMachine.h"

#include <windows.h>
#include <commctrl.h>

namespace pwtest {

// A dialog on machine, created as the program creates it but modeless: its first paint has
// scanned by the time it returns.
inline HWND OpenDialog(const TestMachine& machine) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const app::Environment environment{machine.Registry(), machine.Ini()};
    const HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                           app::MainDialogProc, reinterpret_cast<LPARAM>(&environment));
    UpdateWindow(dialog);
    PumpMessages(dialog);
    return dialog;
}
inline void CloseDialog(HWND dialog) {
    ReleaseCapture();
    DestroyWindow(dialog);
    PumpMessages();
}

// A suite's SetUpTestSuite fills machine_, then Open() opens the suite's dialog on it; the
// message boxes its first paint raised are kept in openingBoxes_.
class DialogSuite : public ::testing::Test {
protected:
    static void Open() {
        MessageBoxes boxes;
        window_ = OpenDialog(*machine_);
        openingBoxes_ = boxes.shown;
    }
    static void TearDownTestSuite() {
        CloseDialog(window_);
        machine_.reset();
    }
    static void Press(int id) {
        SendDlgItemMessageA(window_, id, BM_CLICK, 0, 0);
        PumpMessages(window_);
    }
    static app::Session& Session() { return *app::SessionOf(window_); }
    static HWND Tree() { return GetDlgItem(window_, IDC_TREE); }
    static std::string Text(int id) {
        char text[1024] = {};
        GetDlgItemTextA(window_, id, text, sizeof text);
        return text;
    }

    static inline std::unique_ptr<TestMachine> machine_;
    static inline HWND window_ = nullptr;
    static inline std::vector<std::string> openingBoxes_;
};

}  // namespace pwtest
