// The main dialog in-process under Wine: layout, the Escape key, the ways out, drag.
#include "app/main_dialog.h"
#include "app/shell_state.h"
#include "catalogue/selection.h"
#include "app/dialog_fixture.h"
#include "host/host_fixture.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace pwtest;

const char kPanel[] =
    "[Window Titles]\r\nWindow00=Main Panel\r\n\r\n[Window00]\r\nfile=panel.bmp\r\nsize_mm=640,480\r\n";

// Under Wine without a window manager every hidden window costs two seconds, so the tests share
// one dialog, scanned from a simulator with one panel; only the ways out run dialogs of their own.
class MainDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        host_ = std::make_unique<TestHost>();
        simulator_ = std::make_unique<TempFolder>();
        WriteCreatingFolders(simulator_->Path("aircraft\\Trainer\\aircraft.cfg"),
                             "[fltsim.0]\r\ntitle=Test Trainer\r\n");
        WriteCreatingFolders(PanelCfg(), kPanel);
        host_->SetText(kSimulatorKey, "EXE Path", simulator_->Folder());
        catalogue::g_selection.folderPath = "C:\\left over\\";
        dialog_ = std::make_unique<ModelessDialog>();
    }
    static void TearDownTestSuite() {
        dialog_.reset();
        simulator_.reset();
        host_.reset();
    }
    void SetUp() override { ASSERT_TRUE(window_ = dialog_->window); }

    static std::string PanelCfg() { return simulator_->Path("aircraft\\Trainer\\panel\\panel.cfg"); }
    RECT ControlRect(int id) const {
        RECT r = {};
        GetWindowRect(GetDlgItem(window_, id), &r);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    static inline std::unique_ptr<TestHost> host_;
    static inline std::unique_ptr<TempFolder> simulator_;
    static inline std::unique_ptr<ModelessDialog> dialog_;
    HWND window_ = nullptr;
};

TEST_F(MainDialogTest, ClientAreaIsTheSkinAndControlsSitOnItsFrames) {
    // No border: the window is its client area.
    RECT client = {}, frame = {};
    GetClientRect(window_, &client);
    GetWindowRect(window_, &frame);
    EXPECT_EQ(615, client.right);
    EXPECT_EQ(443, client.bottom);
    EXPECT_EQ(615, frame.right - frame.left);
    EXPECT_EQ(443, frame.bottom - frame.top);

    // Dialog units with base units 6 x 13, whatever font "Helv" became.
    const struct { int id; RECT expected; } rows[] = {
        {IDC_EXIT, {531, 375, 573, 397}},          {IDC_INSTALL_REMOVE, {333, 377, 483, 399}},
        {IDC_TOGGLE_DATABASE, {333, 409, 483, 431}}, {IDC_TREE, {24, 95, 223, 394}},
        {IDC_PATH_LINE, {24, 66, 597, 83}},        {IDC_STATUS_LINE, {307, 95, 583, 111}},
    };
    for (const auto& row : rows) {
        const RECT r = ControlRect(row.id);
        EXPECT_TRUE(EqualRect(&row.expected, &r)) << "control " << row.id << ": " << r.left << "," << r.top << " "
                                                  << r.right << "," << r.bottom;
    }
    // No root button and no check boxes: the root rule and the state images depend on it.
    const LONG tree = GetWindowLongA(GetDlgItem(window_, IDC_TREE), GWL_STYLE);
    EXPECT_EQ(LONG(TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP),
              tree & (TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP | TVS_LINESATROOT | TVS_CHECKBOXES));
}

TEST_F(MainDialogTest, StatusLineStandsOnTheSkin) {
    SetDlgItemTextA(window_, IDC_STATUS_LINE, "");
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Pixels skin = ResourcePixels(IDB_SKIN);
    const Pixels shown = CaptureClient(window_, 615, 443);
    const RECT line = ControlRect(IDC_STATUS_LINE);
    for (const POINT at : {POINT{line.left + 1, line.top + 1}, POINT{line.right - 2, line.bottom - 2}})
        EXPECT_EQ(skin.At(at.x, at.y), shown.At(at.x, at.y)) << at.x << "," << at.y;
}

void SendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

TEST_F(MainDialogTest, EscapeEditsNothingWhileButtonTwoRunsTheCommand) {
    EXPECT_EQ("", catalogue::g_selection.folderPath);  // nothing left over from before the dialog
    // The first paint has scanned, and the tree's clicks reach the selection.
    HWND tree = GetDlgItem(window_, IDC_TREE);
    HTREEITEM aircraft = NextItem(tree, TVGN_CHILD, NextItem(tree, TVGN_ROOT));
    ASSERT_TRUE(aircraft) << "the scan found no aircraft";
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(aircraft));
    Click(tree, LabelPoint(tree, NextItem(tree, TVGN_CHILD, aircraft)));
    ASSERT_EQ(simulator_->Path("aircraft\\Trainer\\panel\\"), catalogue::g_selection.folderPath);
    const auto caption = [&] { return ControlText(window_, IDC_INSTALL_REMOVE); };
    ASSERT_EQ("Install Aerolith", caption());

    // Real key presses through the input queue: Escape edits nothing, Space on the button installs.
    SetForegroundWindow(window_);
    SetFocus(GetDlgItem(window_, IDC_INSTALL_REMOVE));
    PumpMessages(window_);
    SendKey(VK_ESCAPE);
    PumpFor(window_, 150);
    EXPECT_EQ(kPanel, ReadBytes(PanelCfg()));
    EXPECT_TRUE(IsWindowVisible(window_));
    SendKey(VK_SPACE);
    PumpFor(window_, 150);
    EXPECT_NE(std::string::npos, ReadBytes(PanelCfg()).find("GPS")) << ReadBytes(PanelCfg());
    EXPECT_EQ("Remove Aerolith", caption());
    // And a mouse click on it removes the set again.
    dialog_->Click(IDC_INSTALL_REMOVE);
    EXPECT_EQ(kPanel, ReadBytes(PanelCfg()));
    EXPECT_EQ("Install Aerolith", caption());
}

TEST_F(MainDialogTest, CloseAreaEndsAtItsEdgesAndAnythingElseDrags) {
    RECT start = {};
    GetWindowRect(window_, &start);
    for (const POINT at : {POINT{580, 0}, POINT{600, 30}, POINT{100, 10}}) {
        SCOPED_TRACE(std::to_string(at.x) + "," + std::to_string(at.y));
        SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(1, app::g_shell.dragging);
        EXPECT_EQ(window_, GetCapture());

        // The window follows the cursor, held at the point pressed.
        SetCursorPos(500 + at.x, 300);
        POINT cursor = {};
        GetCursorPos(&cursor);
        SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        RECT frame = {};
        GetWindowRect(window_, &frame);
        EXPECT_EQ(cursor.x - at.x, frame.left);
        EXPECT_EQ(cursor.y - at.y, frame.top);
        EXPECT_EQ(615, frame.right - frame.left);

        // Button released (even outside the window): the next move ends the drag.
        SendMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(0, app::g_shell.dragging);
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_TRUE(IsWindowVisible(window_));
    }
    SetWindowPos(window_, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Each way out ends a modal dialog of its own, as the program runs it.
TEST(MainDialogExitTest, EachWayOutEndsWithItsResult) {
    TestHost host;
    EXPECT_EQ(1, RunModal([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0); }));
    EXPECT_EQ(0, RunModal([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_EQ(1, RunModal([](HWND dialog) { PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(581, 0)); }));
}

}  // namespace
