// The real main dialog in-process under Wine: layout, the tree the scan fills, clicks and the
// command, the Escape key, the ways out, drag.
#include "app/main_dialog.h"

#include "catalogue/item_data.h"
#include "platform/paths.h"
#include "support/DialogHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace pwtest;
namespace fs = std::filesystem;

const char kPanel[] =
    "[Window Titles]\r\nWindow00=Main Panel\r\n\r\n[Window00]\r\nfile=panel.bmp\r\nsize_mm=640,480\r\n";

std::string Source(const std::string& path) {
    const char* source = std::getenv("PW_SOURCE_DIR");
    return (fs::path(source ? source : ".") / path).make_preferred().string();
}

RECT ControlRect(HWND window, int id) {
    RECT r = {};
    GetWindowRect(GetDlgItem(window, id), &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Under Wine without a window manager every hidden window costs two seconds, so the tests share
// one dialog, scanned from a simulator with one panel; only the ways out run dialogs of their own.
class MainDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        machine_ = std::make_unique<TestMachine>();
        machine_->Title("Trainer", "Test Trainer");
        machine_->Write("Trainer\\panel\\panel.cfg", kPanel);
        machine_->InstallSimulator();
        dialog_ = std::make_unique<ModelessDialog>(machine_->Environment());
    }
    static void TearDownTestSuite() {
        dialog_.reset();
        machine_.reset();
    }
    void SetUp() override { ASSERT_TRUE(window_ = dialog_->window); }

    static std::string PanelCfg() { return machine_->Aircraft("Trainer\\panel\\panel.cfg"); }

    static inline std::unique_ptr<TestMachine> machine_;
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
        const RECT r = ControlRect(window_, row.id);
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
    const RECT line = ControlRect(window_, IDC_STATUS_LINE);
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
    EXPECT_EQ("", dialog_->Session().selection.folderPath);  // nothing selected before a click
    // The first paint has scanned, and the tree's clicks reach the selection.
    HWND tree = dialog_->Tree();
    HTREEITEM aircraft = NextItem(tree, TVGN_CHILD, Root(tree));
    ASSERT_TRUE(aircraft) << "the scan found no aircraft";
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(aircraft));
    Click(tree, LabelPoint(tree, NextItem(tree, TVGN_CHILD, aircraft)));
    ASSERT_EQ(machine_->Aircraft("Trainer\\panel\\"), dialog_->Session().selection.folderPath);
    const auto caption = [&] { return dialog_->Text(IDC_INSTALL_REMOVE); };
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
        EXPECT_TRUE(dialog_->Session().dragging);
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
        EXPECT_FALSE(dialog_->Session().dragging);
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_TRUE(IsWindowVisible(window_));
    }
    SetWindowPos(window_, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Each way out ends a modal dialog of its own, as the program runs it.
TEST(MainDialogExitTest, EachWayOutEndsWithItsResult) {
    const TestMachine machine;
    const app::Environment environment = machine.Environment();
    EXPECT_EQ(1, RunModal(environment,
                          [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED), 0); }));
    EXPECT_EQ(0, RunModal(environment, [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_EQ(1, RunModal(environment,
                          [](HWND dialog) { PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(581, 0)); }));
}

// --- The tree and the clicks on it ---------------------------------------------------------------

// The tree as the user sees it: items in the tree's order, panels sorted by name (their listing
// order is the file system's), each with its state image and whether it is open.
std::string DumpTree(HWND tree, HTREEITEM item, int depth) {
    const int state = StateImage(tree, item);
    std::string text = std::string(static_cast<std::size_t>(depth) * 2, ' ') + ItemText(tree, item);
    if (state != 0) text += state == catalogue::kStateMarked ? " (marked)" : " (unmarked)";
    if (IsExpanded(tree, item)) text += " (open)";
    text += "\n";
    std::vector<std::string> children;
    for (HTREEITEM child : Children(tree, item)) children.push_back(DumpTree(tree, child, depth + 1));
    if (depth == 1) std::sort(children.begin(), children.end());
    for (const std::string& child : children) text += child;
    return text;
}

class DialogTreeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        machine_ = std::make_unique<TestMachine>();
        fs::copy(Source("tests/catalogue/golden/sim"), machine_->simulator.Folder(), fs::copy_options::recursive);
        // A panel with a preview, one without enough free slots, one that cannot be opened.
        const std::string main = "[Window00]\r\nfile_1024=wide.bmp\r\nfile=tall.bmp\r\nsize_mm=1024,768\r\n";
        machine_->Write("c172\\panel\\panel.cfg", "[Window Titles]\r\nWindow00=Main Panel\r\n" + main);
        machine_->Write("c172\\panel.vfr\\panel.cfg", "[Window Titles]\r\nWindow00=Main Panel\r\n" + main);
        WriteBitmap(machine_->Aircraft("c172\\panel\\wide.bmp"), 64, 32, [](int, int) { return 0x008000u; });
        std::string full = "[Window Titles]\r\n";
        for (int i = 0; i < 29; ++i) full += "Window" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=x\r\n";
        machine_->Write("dup1\\panel\\panel.cfg", full + main);
        longName_ = "panel" + std::string(platform::kMaxPathChars - 19 - machine_->Aircraft("nf\\").size(), 'x');
        machine_->Write("nf\\" + longName_ + "\\panel.cfg", main);
        machine_->InstallSimulator();
        dialog_ = std::make_unique<ModelessDialog>(machine_->Environment());
    }
    static void TearDownTestSuite() {
        dialog_.reset();
        machine_.reset();
    }
    HWND Tree() const { return dialog_->Tree(); }
    // The item of the aircraft in folder.
    HTREEITEM Aircraft(const std::string& folder) const {
        const catalogue::Catalogue& catalogue = dialog_->Session().catalogue;
        for (HTREEITEM item : Children(Tree(), Root(Tree()))) {
            const int number = catalogue::DecodeItemData(catalogue::GetItemData(Tree(), item)).aircraft;
            if (catalogue.aircraft.at(static_cast<std::size_t>(number)).folder == folder) return item;
        }
        return nullptr;
    }
    // The item of panel folder name of the aircraft in folder, its aircraft opened.
    HTREEITEM Panel(const std::string& folder, const std::string& name) const {
        SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Aircraft(folder)));
        return FindChild(Tree(), Aircraft(folder), name);
    }
    HTREEITEM Caret() const { return NextItem(Tree(), TVGN_CARET); }
    std::string Caption() const { return dialog_->Text(IDC_INSTALL_REMOVE); }

    static inline std::unique_ptr<TestMachine> machine_;
    static inline std::unique_ptr<ModelessDialog> dialog_;
    static inline std::string longName_;
};

TEST_F(DialogTreeTest, TreeShowsTheCatalogueSortedWithItsWordsAndMarks) {
    const HWND tree = Tree();
    ASSERT_EQ(1u, Children(tree, nullptr).size());
    EXPECT_EQ(catalogue::kRootItemData, catalogue::GetItemData(tree, Root(tree)));
    std::string golden = ReadBytes(Source("tests/app/golden/sim.tree"));
    golden.replace(golden.find("{long}"), 6, longName_);
    EXPECT_EQ(golden, DumpTree(tree, Root(tree), 0));

    // Each item's word leads to its record; every item has selected-image index 1; the panels
    // stand in listing order.
    const catalogue::Catalogue& catalogue = dialog_->Session().catalogue;
    for (HTREEITEM aircraftItem : Children(tree, Root(tree))) {
        const catalogue::DecodedItem a = catalogue::DecodeItemData(catalogue::GetItemData(tree, aircraftItem));
        ASSERT_EQ(catalogue::ItemClass::Aircraft, a.cls);
        const catalogue::AircraftRecord& aircraft = catalogue.aircraft.at(static_cast<std::size_t>(a.aircraft));
        EXPECT_EQ(aircraft.title, ItemText(tree, aircraftItem));
        EXPECT_EQ(1, ItemSelectedImage(tree, aircraftItem));
        std::vector<int> numbers;
        for (HTREEITEM panelItem : Children(tree, aircraftItem)) {
            const catalogue::DecodedItem p = catalogue::DecodeItemData(catalogue::GetItemData(tree, panelItem));
            const catalogue::PanelRecord& panel = catalogue.panels.at(static_cast<std::size_t>(p.panel));
            EXPECT_EQ(panel.name, ItemText(tree, panelItem));
            EXPECT_EQ(a.aircraft, p.aircraft);
            EXPECT_EQ(static_cast<int>(panel.kind), p.lowHalf - p.aircraft);
            EXPECT_EQ(1, ItemSelectedImage(tree, panelItem));
            numbers.push_back(p.panel);
        }
        EXPECT_EQ(aircraft.panels, numbers) << aircraft.folder;
    }
}

TEST_F(DialogTreeTest, RootCannotStayCollapsed) {
    const HWND tree = Tree();
    // The root has no button: a double-click on its label or the Left key would collapse it.
    DoubleClick(tree, LabelPoint(tree, Root(tree)));
    EXPECT_TRUE(IsExpanded(tree, Root(tree)));
    SetFocus(tree);
    SendMessageA(tree, WM_KEYDOWN, VK_LEFT, 0);
    PumpMessages();
    EXPECT_TRUE(IsExpanded(tree, Root(tree)));
    // An aircraft may collapse.
    HTREEITEM first = Children(tree, Root(tree)).front();
    SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(first));
    EXPECT_FALSE(IsExpanded(tree, first));
}

TEST_F(DialogTreeTest, ClicksSelectPanelsOnlyOnTheirLabels) {
    const HWND tree = Tree();
    const HTREEITEM panel = Panel("c172", "panel");
    ASSERT_NE(nullptr, panel);
    const POINT beside = BesideLabelPoint(tree, panel);
    ASSERT_TRUE(HitFlags(tree, beside) & TVHT_ONITEMRIGHT);
    const POINT button = ExpandButtonPoint(tree, Aircraft("c172"));
    ASSERT_TRUE(HitFlags(tree, button) & TVHT_ONITEMBUTTON);
    for (POINT at : {beside, LabelPoint(tree, Root(tree)), LabelPoint(tree, Aircraft("c172")), button})
        Click(tree, at);
    EXPECT_EQ("", dialog_->Text(IDC_PATH_LINE));
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(-1, dialog_->Session().selection.panel);
    EXPECT_EQ(0, dialog_->Session().preview.height);

    ClickItem(tree, panel);
    EXPECT_EQ(machine_->Aircraft("c172\\panel\\"), dialog_->Text(IDC_PATH_LINE));
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(catalogue::kStateUnmarked, StateImage(tree, panel));
    EXPECT_EQ(panel, Caret());
    EXPECT_EQ(160, dialog_->Session().preview.height);  // 64 x 32: half as high as wide

    // A notice for the alias, with the folder it names; its caption is empty.
    const HTREEITEM alias = Panel("zz_alias", "Panel");
    ClickItem(tree, alias);
    EXPECT_EQ(machine_->Aircraft("c172\\panel\\"), dialog_->Text(IDC_PATH_LINE));
    EXPECT_EQ("", Caption());
    EXPECT_EQ(alias, Caret());
    EXPECT_EQ(240, dialog_->Session().preview.height);
}

TEST_F(DialogTreeTest, MessagesOfAClickAreShownOnceAndTheCommandRefusesWithItsBox) {
    const HWND tree = Tree();
    // A panel that cannot be opened: one message for the button-down, none repeated by the
    // double-click; the command says it again.
    const HTREEITEM unusable = Panel("nf", longName_);
    ASSERT_NE(nullptr, unusable);
    {
        MessageBoxes boxes;
        ClickItem(tree, Panel("c172", "panel"));
        DoubleClickItem(tree, unusable);
        ASSERT_EQ(1u, boxes.shown.size());
        EXPECT_NE(std::string::npos, boxes.shown[0].text.find("too long")) << boxes.shown[0].text;
        EXPECT_EQ("", Caption());
        EXPECT_EQ(0, dialog_->Session().preview.height);  // no picture of the earlier panel
        dialog_->Click(IDC_INSTALL_REMOVE);
        EXPECT_EQ(2u, boxes.shown.size());
    }
    // Too few free slots: the edit's error box, without owner, above the topmost dialog.
    const std::string cfg = machine_->Aircraft("dup1\\panel\\panel.cfg");
    const std::string before = ReadBytes(cfg);
    const HTREEITEM full = Panel("dup1", "panel");
    ClickItem(tree, full);
    MessageBoxes boxes;
    dialog_->Click(IDC_INSTALL_REMOVE);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Panel.cfg error", boxes.shown[0].caption);
    EXPECT_EQ("Not enough Window## available in the panel.cfg file", boxes.shown[0].text);
    EXPECT_FALSE(boxes.shown[0].owned);
    EXPECT_TRUE(boxes.shown[0].blocksDialog);
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(catalogue::kStateUnmarked, StateImage(tree, full));
    EXPECT_EQ(before, ReadBytes(cfg));
}

TEST_F(DialogTreeTest, KeyboardCaretIsSelectedBeforeTheCommandActs) {
    const HWND tree = Tree();
    const HTREEITEM panel = Panel("c172", "panel");
    const std::string cfg = machine_->Aircraft("c172\\panel\\panel.cfg");
    ClickItem(tree, panel);
    dialog_->Click(IDC_INSTALL_REMOVE);  // installed: "panel" carries the set
    ASSERT_EQ(catalogue::kStateMarked, StateImage(tree, panel));
    const HTREEITEM other = Panel("c172", "panel.vfr");
    ClickItem(tree, other);
    ASSERT_EQ("Install Aerolith", Caption());
    // Arrow keys move the caret to "panel" without a click.
    SetFocus(tree);
    SendMessageA(tree, WM_KEYDOWN, VK_HOME, 0);
    for (int i = 0; i < 40 && Caret() != panel; ++i) SendMessageA(tree, WM_KEYDOWN, VK_DOWN, 0);
    PumpMessages();
    ASSERT_EQ(panel, Caret());
    // The command describes "panel" first, so it removes rather than installing twice.
    dialog_->Click(IDC_INSTALL_REMOVE);
    EXPECT_EQ(std::string::npos, ReadBytes(cfg).find("Skyvantage"));
    EXPECT_EQ(machine_->Aircraft("c172\\panel\\"), dialog_->Text(IDC_PATH_LINE));
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(catalogue::kStateUnmarked, StateImage(tree, panel));
    EXPECT_EQ(1024.0, dialog_->Session().selection.mainWindowWidth);
}

}  // namespace
