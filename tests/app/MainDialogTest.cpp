// The main dialog in-process under Wine: layout, template, the Escape key, the ways out, drag.
#include "app/main_dialog.h"
#include "app/shell_state.h"
#include "catalogue/selection.h"
#include "app/dialog_fixture.h"
#include "host/host_fixture.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using pwtest::ControlText;
using pwtest::ModelessDialog;
using pwtest::PumpMessages;
using pwtest::RunModal;

int g_installRemoveRuns = 0;
void CountInstallRemove() { ++g_installRemoveRuns; }

// Under Wine without a window manager every hidden window costs two seconds, so the tests share
// one dialog and only the ways out run dialogs of their own.
class MainDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        host_ = new pwtest::TestHost;  // no simulator, no trainer: nothing outside the test is read
        catalogue::g_selection.folderPath = "C:\\left over\\";
        dialog_ = new ModelessDialog;
    }
    static void TearDownTestSuite() {
        delete dialog_;
        delete host_;
    }
    void SetUp() override {
        ASSERT_TRUE(dialog_->window);
        window_ = dialog_->window;
        g_installRemoveRuns = 0;
        app::SetInstallRemoveHandler(CountInstallRemove);
    }
    void TearDown() override { app::SetInstallRemoveHandler(nullptr); }

    static pwtest::TestHost* host_;
    static ModelessDialog* dialog_;
    HWND window_ = nullptr;
};
pwtest::TestHost* MainDialogTest::host_ = nullptr;
ModelessDialog* MainDialogTest::dialog_ = nullptr;

RECT ClientRectOf(HWND dialog, int id) {
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

TEST_F(MainDialogTest, ClientAreaIsTheSkinAndControlsSitOnItsFrames) {
    RECT client = {}, frame = {};
    GetClientRect(window_, &client);
    GetWindowRect(window_, &frame);
    EXPECT_EQ(615, client.right);
    EXPECT_EQ(443, client.bottom);
    // No border: the window is its client area.
    EXPECT_EQ(615, frame.right - frame.left);
    EXPECT_EQ(443, frame.bottom - frame.top);

    // Dialog units with base units 6 x 13, whatever font "Helv" became.
    const struct {
        int id;
        const char* expected;
    } rows[] = {
        {IDC_EXIT, "531,375 42x22"},          {IDC_INSTALL_REMOVE, "333,377 150x22"},
        {IDC_TOGGLE_DATABASE, "333,409 150x22"}, {IDC_TREE, "24,95 199x299"},
        {IDC_PATH_LINE, "24,66 573x17"},      {IDC_STATUS_LINE, "307,95 276x16"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, Describe(ClientRectOf(window_, row.id))) << "control " << row.id;
}

TEST_F(MainDialogTest, TemplateGivesIdsTextsAndStyles) {
    const auto style = [&](int id) { return GetWindowLongA(GetDlgItem(window_, id), GWL_STYLE); };
    const auto exStyle = [&](int id) { return GetWindowLongA(GetDlgItem(window_, id), GWL_EXSTYLE); };

    const LONG own = GetWindowLongA(window_, GWL_STYLE);
    EXPECT_TRUE(own & WS_POPUP);
    EXPECT_TRUE(own & WS_VISIBLE);
    EXPECT_FALSE(own & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME));
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    EXPECT_EQ("Exit", ControlText(window_, IDC_EXIT));
    EXPECT_FALSE(style(IDC_EXIT) & WS_VISIBLE);
    EXPECT_EQ("Install Aerolith", ControlText(window_, IDC_INSTALL_REMOVE));
    EXPECT_TRUE(style(IDC_INSTALL_REMOVE) & WS_VISIBLE);
    EXPECT_TRUE(style(IDC_INSTALL_REMOVE) & WS_TABSTOP);
    EXPECT_TRUE(style(IDC_TOGGLE_DATABASE) & WS_TABSTOP);

    const LONG tree = style(IDC_TREE);
    EXPECT_EQ(LONG(TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP | WS_CLIPSIBLINGS),
              tree & (TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP | TVS_LINESATROOT |
                      TVS_CHECKBOXES | WS_CLIPSIBLINGS | WS_TABSTOP));
    EXPECT_TRUE(exStyle(IDC_TREE) & WS_EX_TRANSPARENT);
    EXPECT_TRUE(style(IDC_PATH_LINE) & WS_DISABLED);
    EXPECT_TRUE(style(IDC_PATH_LINE) & ES_AUTOHSCROLL);
    EXPECT_TRUE(exStyle(IDC_PATH_LINE) & WS_EX_TRANSPARENT);
    EXPECT_TRUE(style(IDC_STATUS_LINE) & WS_GROUP);

    // The tree's messages pass through the selection's subclass procedure first.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&catalogue::TreeClickProc),
              GetWindowLongPtrA(GetDlgItem(window_, IDC_TREE), GWLP_WNDPROC));
    EXPECT_NE(nullptr, app::g_shell.savedTreeProc);
    EXPECT_EQ(window_, app::g_shell.dialog);
    EXPECT_EQ("", catalogue::g_selection.folderPath);
    EXPECT_EQ(0, app::g_shell.scanPending);  // the first paint has run the scan
}

TEST_F(MainDialogTest, StatusLineStandsOnTheSkin) {
    SetDlgItemTextA(window_, IDC_STATUS_LINE, "");
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HBITMAP skin = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SKIN));
    ASSERT_TRUE(skin);
    HDC screen = GetDC(window_);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, skin);
    const RECT line = ClientRectOf(window_, IDC_STATUS_LINE);
    for (const POINT at : {POINT{line.left + 1, line.top + 1}, POINT{line.right - 2, line.bottom - 2}})
        EXPECT_EQ(GetPixel(memory, at.x, at.y), GetPixel(screen, at.x, at.y)) << at.x << "," << at.y;
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(window_, screen);
    DeleteObject(skin);
}

void SendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void PumpFor(HWND dialog, DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        PumpMessages(dialog);
        Sleep(5);
    }
}

TEST_F(MainDialogTest, EscapeEditsNothingWhileAClickOnButtonTwoRunsTheCommand) {
    HWND button = GetDlgItem(window_, IDC_INSTALL_REMOVE);

    dialog_->Click(IDC_INSTALL_REMOVE);
    EXPECT_EQ(1, g_installRemoveRuns);

    // Real key presses through the input queue: Escape does nothing, Space on the button clicks.
    SetForegroundWindow(window_);
    SetFocus(button);
    PumpMessages(window_);
    SendKey(VK_ESCAPE);
    PumpFor(window_, 150);
    EXPECT_EQ(1, g_installRemoveRuns);
    SendKey(VK_SPACE);
    PumpFor(window_, 150);
    EXPECT_EQ(2, g_installRemoveRuns);
    EXPECT_TRUE(IsWindowVisible(window_));
}

TEST_F(MainDialogTest, CloseAreaEndsAtItsEdgesAndAnythingElseDrags) {
    for (const POINT at : {POINT{580, 0}, POINT{600, 30}, POINT{100, 10}}) {
        SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(1, app::g_shell.dragging) << at.x << "," << at.y;
        EXPECT_EQ(window_, GetCapture()) << at.x << "," << at.y;
        EXPECT_TRUE(IsWindowVisible(window_));

        // Button released (even outside the window): the next move ends the drag.
        SendMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(0, app::g_shell.dragging);
        EXPECT_EQ(nullptr, GetCapture());
    }
}

TEST_F(MainDialogTest, DragPutsTheWindowAtCursorMinusAnchor) {
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
    SetCursorPos(500, 300);
    POINT cursor = {};
    GetCursorPos(&cursor);
    SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 10));
    RECT frame = {};
    GetWindowRect(window_, &frame);
    EXPECT_EQ(cursor.x - 100, frame.left);
    EXPECT_EQ(cursor.y - 10, frame.top);
    EXPECT_EQ(615, frame.right - frame.left);
    EXPECT_EQ(443, frame.bottom - frame.top);
}

// With the real command behind button 2: a scanned panel, selected by a click in the tree.
class MainDialogPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        simulator_ = host_.windowsFolder + "\\FS2002";
        const std::string aircraft = simulator_ + "\\aircraft\\Trainer";
        for (const std::string& folder : {simulator_, simulator_ + "\\aircraft", aircraft, aircraft + "\\panel"})
            CreateDirectoryA(folder.c_str(), nullptr);
        WriteFile(aircraft + "\\aircraft.cfg", "[fltsim.0]\r\ntitle=Test Trainer\r\n");
        panelCfg_ = aircraft + "\\panel\\panel.cfg";
        WriteFile(panelCfg_, kPanel);
        host_.SetText(pwtest::kSimulatorKey, "EXE Path", simulator_);
    }
    void TearDown() override {
        const std::string aircraft = simulator_ + "\\aircraft\\Trainer";
        DeleteFileA((aircraft + "\\panel\\panel.cfg_backup").c_str());
        DeleteFileA(panelCfg_.c_str());
        DeleteFileA((aircraft + "\\aircraft.cfg").c_str());
        for (const std::string& folder : {aircraft + "\\panel", aircraft, simulator_ + "\\aircraft", simulator_})
            RemoveDirectoryA(folder.c_str());
    }
    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::string PanelBytes() const {
        std::ifstream in(panelCfg_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static constexpr const char* kPanel =
        "[Window Titles]\r\nWindow00=Main Panel\r\n\r\n[Window00]\r\nfile=panel.bmp\r\nsize_mm=640,480\r\n";
    pwtest::TestHost host_;
    std::string simulator_;
    std::string panelCfg_;
};

TEST_F(MainDialogPanelTest, EscapeLeavesTheSelectedPanelAloneAndAClickInstalls) {
    ModelessDialog dialog;
    ASSERT_TRUE(dialog.window);
    HWND tree = GetDlgItem(dialog.window, IDC_TREE);
    const auto next = [&](WPARAM how, HTREEITEM from) {
        return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM aircraft = next(TVGN_CHILD, next(TVGN_ROOT, nullptr));
    ASSERT_TRUE(aircraft) << "the scan found no aircraft";
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(aircraft));
    HTREEITEM panel = next(TVGN_CHILD, aircraft);
    ASSERT_TRUE(panel);
    RECT label = {};
    std::memcpy(&label, &panel, sizeof panel);  // TVM_GETITEMRECT takes the item in the rectangle
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
    const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tree, WM_LBUTTONUP, 0, at);
    PumpMessages(dialog.window);
    ASSERT_EQ(simulator_ + "\\aircraft\\Trainer\\panel\\", catalogue::g_selection.folderPath);
    ASSERT_EQ("Install Aerolith", ControlText(dialog.window, IDC_INSTALL_REMOVE));

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_ESCAPE] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(dialog.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog.window, IDC_INSTALL_REMOVE)));
    keys[VK_ESCAPE] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(kPanel, PanelBytes());

    dialog.Click(IDC_INSTALL_REMOVE);
    EXPECT_NE(std::string::npos, PanelBytes().find("GPS")) << PanelBytes();
    EXPECT_EQ("Remove Aerolith", ControlText(dialog.window, IDC_INSTALL_REMOVE));
}

// Each way out ends a modal dialog of its own, as the program runs it.
class MainDialogExitTest : public ::testing::Test {
protected:
    pwtest::TestHost host_;
};

TEST_F(MainDialogExitTest, EachWayOutEndsWithItsResult) {
    EXPECT_EQ(1, RunModal([](HWND dialog) {
                  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0);
              }));
    EXPECT_EQ(0, RunModal([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_EQ(1, RunModal([](HWND dialog) {
                  PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(581, 0));
              }));
}

}  // namespace
