// The test thread's messages and message boxes, and a guard over every test of the program: a
// box is closed within 20 ms of showing, kept by a MessageBoxes recorder when one lives and
// otherwise failing the test with its caption and text; and a test (or its suite's set-up) still
// running after 20 s ends the program, saying which test and what is on screen, boxes included.
// So no GUI test can hang. Windows only, header only.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace pwtest {

// Dispatches every waiting message, through the dialog's keyboard handling when one is given.
inline void PumpMessages(HWND dialog = nullptr) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct ShownBox {
    std::string caption, text;
    bool owned = false;         // it had an owner window
    bool blocksDialog = false;  // the thread's other windows took no input while it was up
};

namespace detail {
constexpr DWORD kTestLimitMs = 20000;
inline std::vector<ShownBox>* g_boxes = nullptr;
inline std::atomic<DWORD> g_since{0};
inline char g_running[512] = "the test program";

// A window's text, read without a message to it: the watchdog reads the windows of a stuck thread.
inline std::string TextOf(HWND window) {
    wchar_t wide[1024] = {};
    char text[2048] = {};
    InternalGetWindowText(window, wide, 1024);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}
// A message box is a dialog whose text is control 0xFFFF; the main dialog has none.
inline bool IsMessageBox(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770" && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF);
}
inline BOOL CALLBACK CloseBox(HWND box, LPARAM) {
    if (!IsMessageBox(box)) return TRUE;
    bool blocks = true;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND other, LPARAM blocks) {
            if (IsWindowVisible(other) && !IsMessageBox(other) && IsWindowEnabled(other))
                *reinterpret_cast<bool*>(blocks) = false;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&blocks));
    const ShownBox shown{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), GetWindow(box, GW_OWNER) != nullptr, blocks};
    if (g_boxes)
        g_boxes->push_back(shown);
    else
        ADD_FAILURE() << "a message box no test expected: " << shown.caption << ": " << shown.text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return FALSE;
}
inline void Beat(const std::string& running) {
    snprintf(g_running, sizeof g_running, "%s", running.c_str());
    g_since = GetTickCount();
}
}  // namespace detail

// The visible windows of this program, a line each: class, caption and a message box's text.
inline std::string OnScreen() {
    std::string shown;
    EnumWindows(
        [](HWND window, LPARAM out) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            std::string& text = *reinterpret_cast<std::string*>(out);
            text += std::string("  ") + name + " \"" + detail::TextOf(window) + "\"";
            if (detail::IsMessageBox(window)) text += " says: " + detail::TextOf(GetDlgItem(window, 0xFFFF));
            text += "\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown.empty() ? "  no window\n" : shown;
}

// While it lives, the message boxes of this thread are recorded in shown (and closed).
class MessageBoxes {
public:
    MessageBoxes() { detail::g_boxes = &shown; }
    ~MessageBoxes() { detail::g_boxes = nullptr; }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;
    std::vector<ShownBox> shown;
};

namespace detail {
class Guard : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override {
        SetTimer(nullptr, 0, 20,
                 [](HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0); });
        Beat("the test program");
        CreateThread(
            nullptr, 0,
            [](void*) -> DWORD {
                while (GetTickCount() - g_since < kTestLimitMs) Sleep(200);
                std::fprintf(stderr, "watchdog: %s still runs after %lu s; on screen:\n%s", g_running,
                             kTestLimitMs / 1000, OnScreen().c_str());
                std::fflush(stderr);
                TerminateProcess(GetCurrentProcess(), 3);
                return 0;
            },
            nullptr, 0, nullptr);
    }
    void OnTestSuiteStart(const testing::TestSuite& suite) override { Beat(suite.name() + std::string(" set-up")); }
    void OnTestStart(const testing::TestInfo& test) override {
        Beat(test.test_suite_name() + std::string(".") + test.name());
    }
    void OnTestEnd(const testing::TestInfo&) override { Beat("the program between tests"); }
};
inline const bool g_guarded = (testing::UnitTest::GetInstance()->listeners().Append(new Guard), true);
}  // namespace detail

}  // namespace pwtest
