// The real main dialog in-process under Wine, on a machine of the test's own: a registry key
// standing in for the machine's keys (written in the 32-bit view, as the simulator's 32-bit
// installer writes them), a Windows folder for the trainer's INI file and a simulator folder.
// Message boxes the dialog shows are closed and recorded. Windows only, header only.
#pragma once

#include "app/main_dialog.h"
#include "app/session.h"
#include "catalogue/aircraft_tree.h"
#include "resources/resource_ids.h"
#include "support/GuiSupport.h"

#include <functional>
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

    // Where the dialog finds the simulator and the trainer on this machine.
    app::Environment Environment() const {
        app::Environment environment;
        environment.registry = {HKEY_LOCAL_MACHINE, root_};
        environment.trainerIni = Ini();
        return environment;
    }

    // Stores value name under subKey of the test root, with exactly these bytes, in the given
    // registry view (KEY_WOW64_32KEY or KEY_WOW64_64KEY).
    void SetValue(const std::string& subKey, const char* name, const std::string& bytes, DWORD type = REG_SZ,
                  REGSAM view = KEY_WOW64_32KEY) const {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, (root_ + "\\" + subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                        nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    // A REG_SZ text as the registry stores it, with its NUL.
    void SetText(const std::string& subKey, const char* name, const std::string& text) const {
        SetValue(subKey, name, text + std::string(1, '\0'));
    }
    void SetTrainer(const std::string& uninstall = kTrainerUninstall) const {
        SetText(kTrainerKey, "UninstallString", uninstall);
    }
    // The simulator key names simulator's folder.
    void InstallSimulator() const { SetText(kSimulatorKey, "EXE Path", simulator.Folder()); }

    std::string Ini() const { return windows.Path("GARMINWT.INI"); }
    void WriteIni(const std::string& bytes) const { WriteBytes(Ini(), bytes); }
    std::string ReadIni() const { return ReadBytes(Ini()); }

    // Paths under the simulator's aircraft folder.
    std::string Aircraft(const std::string& path) const { return simulator.Path("aircraft\\" + path); }
    void Write(const std::string& path, const std::string& text) const { WriteCreatingFolders(Aircraft(path), text); }
    void Title(const std::string& folder, const std::string& title) const {
        Write(folder + "\\aircraft.cfg", "[fltsim.0]\r\ntitle=" + title + "\r\nsim=x\r\n");
    }

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

// A message box the dialog showed: what it said, and how it stood.
struct ShownBox {
    std::string caption, text;
    bool owned = false;         // it had an owner window
    bool blocksDialog = false;  // the main dialog took no input while it was up
};

namespace detail {
inline std::vector<ShownBox>* g_boxes = nullptr;
inline BOOL CALLBACK FindMainDialog(HWND window, LPARAM found) {
    if (app::SessionOf(window) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
inline BOOL CALLBACK CloseBox(HWND window, LPARAM) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    // A message box is a dialog whose text is control 0xFFFF; the main dialog has none.
    if (std::string(className) != "#32770" || !IsWindowVisible(window) || !GetDlgItem(window, 0xFFFF)) return TRUE;
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMainDialog, reinterpret_cast<LPARAM>(&dialog));
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

// The dialog as the program creates it, but modeless, so the test drives it message by message.
// The first paint has scanned by the time the constructor returns.
class ModelessDialog {
public:
    explicit ModelessDialog(const app::Environment& environment) {
        InitControls();
        window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                    app::MainDialogProc, reinterpret_cast<LPARAM>(&environment));
        UpdateWindow(window);
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
    app::Session& Session() const { return *app::SessionOf(window); }
    HWND Tree() const { return GetDlgItem(window, IDC_TREE); }
    std::string Text(int id) const { return ControlText(window, id); }

    HWND window = nullptr;
};

namespace detail {
inline std::function<void(HWND)> g_modalAction;
inline HWND g_modal = nullptr;
inline BOOL CALLBACK FindModal(HWND window, LPARAM) {
    if (app::SessionOf(window) == nullptr) return TRUE;
    g_modal = window;
    return FALSE;
}
inline HWND ModalDialog() {
    g_modal = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModal, 0);
    return g_modal;
}
inline void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_modalAction(ModalDialog());
}
inline void CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndDialog(ModalDialog(), -99);
}
}  // namespace detail

// Runs the modal dialog as the program does; once its loop runs, act(dialog) is called from a
// timer. Answers the dialog's result, or -99 when it did not end within a few seconds.
inline int RunModal(const app::Environment& environment, std::function<void(HWND)> act) {
    InitControls();
    detail::g_modalAction = std::move(act);
    const UINT_PTR actTimer = SetTimer(nullptr, 0, 20, detail::ActOnDialog);
    const UINT_PTR guardTimer = SetTimer(nullptr, 0, 5000, detail::GiveUp);
    const int result = app::RunMainDialog(GetModuleHandleA(nullptr), environment);
    KillTimer(nullptr, actTimer);
    KillTimer(nullptr, guardTimer);
    return result;
}

// --- The dialog's tree -------------------------------------------------------------------------

inline int StateImage(HWND tree, HTREEITEM item) {
    return static_cast<int>((ItemState(tree, item) & TVIS_STATEIMAGEMASK) >> 12);
}
inline bool IsExpanded(HWND tree, HTREEITEM item) {
    return (ItemState(tree, item) & TVIS_EXPANDED) != 0;
}
inline HTREEITEM Root(HWND tree) { return NextItem(tree, TVGN_ROOT); }
// Scrolls item into view and clicks its label, or double-clicks it.
inline void ClickItem(HWND tree, HTREEITEM item) {
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    Click(tree, LabelPoint(tree, item));
}
inline void DoubleClickItem(HWND tree, HTREEITEM item) {
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    DoubleClick(tree, LabelPoint(tree, item));
}
inline HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text) {
    for (HTREEITEM item : Children(tree, parent))
        if (ItemText(tree, item) == text) return item;
    return nullptr;
}

}  // namespace pwtest
