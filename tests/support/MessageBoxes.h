// The test thread's messages and message boxes: a box is closed within 20 ms of showing (while
// its thread pumps messages), kept by a MessageBoxes recorder when one lives and otherwise
// failing the test with its caption and text. Windows only, header only.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

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

namespace detail {
inline std::vector<std::string>* g_boxes = nullptr;

inline std::string TextOf(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
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
    if (g_boxes)
        g_boxes->push_back(TextOf(GetDlgItem(box, 0xFFFF)));
    else
        ADD_FAILURE() << "a message box no test expected: " << TextOf(box) << ": " << TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return FALSE;
}
}  // namespace detail

// While it lives, the texts of this thread's message boxes are recorded in shown (and the boxes closed).
class MessageBoxes {
public:
    MessageBoxes() { detail::g_boxes = &shown; }
    ~MessageBoxes() { detail::g_boxes = nullptr; }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;
    std::vector<std::string> shown;
};

namespace detail {
class Guard : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override {
        SetTimer(nullptr, 0, 20,
                 [](HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0); });
    }
};
inline const bool g_guarded = (testing::UnitTest::GetInstance()->listeners().Append(new Guard), true);
}  // namespace detail

}  // namespace pwtest
