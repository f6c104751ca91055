// The real main dialog in-process under Wine: what it says at start, the tree the scan fills,
// clicks and keys, the command, the trainer's button and the close area.
#include "app/dialog_updates.h"
#include "catalogue/item_data.h"
#include "platform/paths.h"
#include "support/DialogSuite.h"
#include "support/TreeItems.h"

namespace {

using namespace pwtest;

// Without a simulator the tree shows its root alone, and the user is told once, after the first
// paint, what was not found and what to do.
TEST(MainDialogStartTest, TellsOnceWhyNoAircraftAreListed) {
    const TestMachine machine;
    const auto says = [&](std::vector<std::string> texts) {
        MessageBoxes boxes;
        const HWND dialog = OpenDialog(machine);
        PumpMessages(dialog);
        CloseDialog(dialog);
        ASSERT_EQ(1u, boxes.shown.size());
        for (const std::string& text : texts) EXPECT_NE(std::string::npos, boxes.shown[0].find(text)) << boxes.shown[0];
    };
    says({"Flight Simulator\\8.0", "panelwright-cli --sim"});
    machine.InstallSimulator();
    says({machine.simulator.Folder() + " as FS2002's folder, but it has no aircraft folder"});
    machine.SetValue(kSimulatorKey, kSimulatorValue, machine.simulator.Path("gone") + std::string(1, '\0'));
    says({"that folder does not exist", "Repair the simulator's installation"});
}

// The tree as the user sees it, items in the tree's order (the catalogue's, whatever the file
// system's listing order), each with its state image, whether it is open, and whether its
// selected image is the one every item has.
std::string DumpTree(HWND tree, HTREEITEM item, int depth) {
    const int state = StateImage(tree, item);
    std::string text = std::string(static_cast<std::size_t>(depth) * 2, ' ') + ItemText(tree, item);
    if (state != 0) text += state == app::kStateMarked ? " (marked)" : " (unmarked)";
    if (ReadItem(tree, item, TVIF_SELECTEDIMAGE).iSelectedImage != 1) text += " (selected image not 1)";
    text += IsExpanded(tree, item) ? " (open)\n" : "\n";
    for (HTREEITEM child : Children(tree, item)) text += DumpTree(tree, child, depth + 1);
    return text;
}

// The golden simulator with a panel that has a preview, one without enough free slots and one
// whose path is too long to open.
class MainDialogTest : public DialogSuite {
protected:
    static void SetUpTestSuite() {
        machine_ = std::make_unique<TestMachine>();
        for (const char* sim : {"tests/catalogue/golden/sim", "tests/app/golden/overlay"})
            fs::copy(Source(sim), machine_->simulator.Folder(),
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        longName_ = "panel" + std::string(platform::kMaxPathChars - 19 - machine_->Aircraft("nf\\").size(), 'x');
        machine_->Write("nf\\" + longName_ + "\\panel.cfg", "[Window00]\r\nfile=tall.bmp\r\n");
        machine_->InstallSimulator();
        Open();
    }
    // The item of the aircraft in folder (an aircraft item's word is its number).
    static HTREEITEM Aircraft(const std::string& folder) {
        for (HTREEITEM item : Children(Tree(), Root(Tree())))
            if (Session().catalogue.aircraft.at(std::size_t(app::GetItemData(Tree(), item))).folder == folder)
                return item;
        return nullptr;
    }
    // The item of panel folder name of the aircraft in folder, its aircraft opened.
    static HTREEITEM Panel(const std::string& folder, const std::string& name) {
        SendMessageA(Tree(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Aircraft(folder)));
        return FindChild(Tree(), Aircraft(folder), name);
    }
    static HTREEITEM Caret() { return NextItem(Tree(), TVGN_CARET); }
    static std::string Caption() { return Text(IDC_INSTALL_REMOVE); }
    static std::string Read(const std::string& panel) { return ReadBytes(machine_->Aircraft(panel + "\\panel.cfg")); }
    // What the dialog shows of item: the path line (aircraft\... for the simulator's), button 2's
    // caption, the item's mark, the preview's rows, and whether the caret is on it.
    static std::string Shows(HTREEITEM item) {
        const char* const marks[] = {"no mark", "marked", "unmarked"};
        return Replaced(Text(IDC_PATH_LINE), machine_->Aircraft(""), "aircraft\\") + " | " + Caption() + " | " +
               marks[StateImage(Tree(), item)] + " | " + std::to_string(Session().preview.height) +
               (Caret() == item ? " | caret" : "");
    }

    static inline std::string longName_;
};

// The tree stands the aircraft and their panels in the catalogue's order, which the command line
// lists them in: titles with accents, hyphens, apostrophes, digits, and equal titles alike, and
// panel names that sort apart by letter case. No root button and
// no check boxes: the root rule and the state images depend on it.
TEST_F(MainDialogTest, TreeShowsTheCatalogueSortedWithItsMarks) {
    EXPECT_TRUE(openingBoxes_.empty()) << openingBoxes_.front();
    const HWND tree = Tree();
    EXPECT_EQ(LONG(TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP),
              GetWindowLongA(tree, GWL_STYLE) &
                  (TVS_HASBUTTONS | TVS_HASLINES | TVS_DISABLEDRAGDROP | TVS_LINESATROOT | TVS_CHECKBOXES));
    ASSERT_EQ(1u, Children(tree, nullptr).size());
    EXPECT_EQ(catalogue::kRootItemData, app::GetItemData(tree, Root(tree)));
    EXPECT_EQ(Replaced(ReadBytes(Source("tests/app/golden/sim.tree")), "{long}", longName_),
              DumpTree(tree, Root(tree), 0));
}

// The root stays open, by mouse and by key; an aircraft closes by a click on its button.
TEST_F(MainDialogTest, RootCannotCollapseButAnAircraftMay) {
    const HWND tree = Tree();
    Click(tree, PointOf(tree, Root(tree)), true);
    EXPECT_TRUE(IsExpanded(tree, Root(tree)));
    SetFocus(tree);
    SendMessageA(tree, WM_KEYDOWN, VK_LEFT, 0);
    PumpMessages();
    EXPECT_TRUE(IsExpanded(tree, Root(tree)));
    const HTREEITEM aircraft = Panel("c172", "panel") ? Aircraft("c172") : nullptr;
    ASSERT_TRUE(aircraft && IsExpanded(tree, aircraft));
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(aircraft));
    Click(tree, PointOf(tree, aircraft, On::Button));
    EXPECT_FALSE(IsExpanded(tree, aircraft));
}

TEST_F(MainDialogTest, ClicksSelectPanelsOnlyOnTheirLabels) {
    const HWND tree = Tree();
    const HTREEITEM panel = Panel("c172", "panel"), alias = Panel("zz_alias", "Panel");
    ASSERT_NE(nullptr, panel);
    const POINT beside = PointOf(tree, panel, On::Beside), button = PointOf(tree, Aircraft("c172"), On::Button);
    for (POINT at : {beside, PointOf(tree, Root(tree)), PointOf(tree, Aircraft("c172")), button}) Click(tree, at);
    EXPECT_EQ(" | Install Aerolith | unmarked | 0", Shows(panel));
    EXPECT_EQ(-1, Session().selection.panel);
    ClickItem(tree, panel);
    EXPECT_EQ("aircraft\\c172\\panel\\ | Install Aerolith | unmarked | 160 | caret", Shows(panel));  // 64 x 32
    // The alias shows its notice and the folder it names; its caption is empty.
    ClickItem(tree, alias);
    EXPECT_EQ("aircraft\\c172\\panel\\ |  | unmarked | 240 | caret", Shows(alias));
}

TEST_F(MainDialogTest, MessagesOfAClickAreShownOnceAndTheCommandSaysThemAgain) {
    // A panel that cannot be opened: one message for the button-down, none repeated by the
    // double-click, and no picture of the earlier panel; the command says it again.
    const HTREEITEM unusable = Panel("nf", longName_);
    ASSERT_NE(nullptr, unusable);
    MessageBoxes boxes;
    ClickItem(Tree(), Panel("c172", "panel"));
    ClickItem(Tree(), unusable, true);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("aircraft\\nf\\" + longName_ + "\\ |  | unmarked | 0 | caret", Shows(unusable));
    Press(IDC_INSTALL_REMOVE);
    EXPECT_EQ(2u, boxes.shown.size());
}

TEST_F(MainDialogTest, KeyboardCaretIsSelectedBeforeTheCommandActs) {
    const HWND tree = Tree();
    const HTREEITEM panel = Panel("c172", "panel");
    ClickItem(tree, panel);
    Press(IDC_INSTALL_REMOVE);  // installed: "panel" carries the set
    ASSERT_EQ(app::kStateMarked, StateImage(tree, panel));
    ClickItem(tree, Panel("c172", "panel.vfr"));
    ASSERT_EQ("Install Aerolith", Caption());
    // Arrow keys move the caret to "panel" without a click.
    SetFocus(tree);
    SendMessageA(tree, WM_KEYDOWN, VK_HOME, 0);
    for (int i = 0; i < 40 && Caret() != panel; ++i) SendMessageA(tree, WM_KEYDOWN, VK_DOWN, 0);
    PumpMessages();
    ASSERT_EQ(panel, Caret());
    // The command describes "panel" first, so it removes rather than installing twice.
    Press(IDC_INSTALL_REMOVE);
    EXPECT_EQ(std::string::npos, Read("c172\\panel").find("Skyvantage"));
    EXPECT_EQ("aircraft\\c172\\panel\\ | Install Aerolith | unmarked | 160 | caret", Shows(panel));
}

// Button 104 evaluates the trainer again on every press and toggles the database only in state
// Ready (the states, captions and the toggle itself are TrainerTest's); a write that fails is told.
TEST_F(MainDialogTest, TrainerButtonEvaluatesAgainAndToggles) {
    machine_->SetTrainer();
    const std::string americas = "[GNC500WT]\r\nJeppDB=americas.img\r\n";
    WriteBytes(machine_->Ini(), americas);
    Press(IDC_TOGGLE_DATABASE);  // Not Found before the press: it only evaluates again
    EXPECT_EQ("Toggle Startup Database", Text(IDC_TOGGLE_DATABASE));
    EXPECT_EQ(americas, ReadBytes(machine_->Ini()));
    SetReadOnly(machine_->Ini(), true);
    MessageBoxes boxes;
    Press(IDC_TOGGLE_DATABASE);
    SetReadOnly(machine_->Ini(), false);
    EXPECT_EQ(1u, boxes.shown.size());
    Press(IDC_TOGGLE_DATABASE);
    EXPECT_NE(americas, ReadBytes(machine_->Ini()));
}

// A press just beside the close area, or anywhere else, drags the window (the close area itself is
// gui_test's, with real input).
TEST_F(MainDialogTest, APressBesideTheCloseAreaDragsTheWindow) {
    RECT start = {}, frame = {};
    GetWindowRect(window_, &start);
    for (const POINT at : {POINT{580, 0}, POINT{600, 30}, POINT{100, 10}}) {
        SCOPED_TRACE(std::to_string(at.x) + "," + std::to_string(at.y));
        SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        EXPECT_TRUE(Session().dragging && GetCapture() == window_);
        // The window follows the cursor, held at the point pressed.
        SetCursorPos(500 + at.x, 300);
        POINT cursor = {};
        GetCursorPos(&cursor);
        SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        GetWindowRect(window_, &frame);
        EXPECT_EQ(std::make_pair(cursor.x - at.x, cursor.y - at.y), std::make_pair(frame.left, frame.top));
        // Button released (even outside the window): the next move ends the drag.
        SendMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_FALSE(Session().dragging || GetCapture());
        EXPECT_TRUE(IsWindowVisible(window_));
    }
    SetWindowPos(window_, nullptr, start.left, start.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace
