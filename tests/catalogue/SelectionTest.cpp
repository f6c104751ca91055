// Clicks on the real tree, the selection they make, and the install/remove command.
#include "GuiHarness.h"

#include "catalogue/scan_rules.h"
#include "panelcfg/gps_window_set.h"
#include "preview/preview_renderer.h"

namespace catalogue {
namespace {

std::string Titles(int count) {
    std::string text = "[Window Titles]\r\n";
    for (int i = 0; i < count; ++i) {
        char line[48];
        std::snprintf(line, sizeof line, "Window%02d=Window %d\r\n", i, i);
        text += line;
    }
    return text + "\r\n";
}

std::string MainWindow(const std::string& keys) { return "[Window00]\r\n" + keys + "position=7\r\nvisible=1\r\n\r\n"; }

class SelectionTest : public cattest::CatalogueGuiTest {
protected:
    void SetUp() override {
        g_selection = Selection{};
        Title("c172", "Cessna");
        const std::string tall = "file=..\\panel\\tall.bmp\r\n";
        Panel("panel", Titles(3) + MainWindow("file_1024=wide.bmp\r\nfile=tall.bmp\r\nsize_mm=1024,768\r\n"));
        pwtest::WriteBitmap(Folder("panel") + "wide.bmp", 64, 32, [](int, int) { return 0x008000u; });
        pwtest::WriteBitmap(Folder("panel") + "tall.bmp", 64, 48, [](int, int) { return 0x008000u; });
        Panel("panel.nosize", Titles(1) + MainWindow(tall));
        Panel("panel.neg", Titles(1) + MainWindow(tall + "size_mm=-5,0\r\n"));
        Panel("panel.hex", Titles(1) + MainWindow(tall + "size_mm=0x400,768\r\n"));
        Panel("panel.full", Titles(29) + MainWindow(tall));
        Panel("panel.nobmp", Titles(1) + MainWindow("size_mm=800\r\n"));
        Panel("panel.foreign", MainWindow("gauge00=Skyvantage_Aerolith!GPS, 0,0\r\n"));
        Panel("panel.alias", "[fltsim]\r\nalias=c172\\panel\r\n");
        // Past the Windows path limits: a folder whose backup file would not fit, and an alias.
        longName_ = "panel" + std::string(kMaxPathChars - 16 - Aircraft("c172\\").size() - 2, 'x');
        Panel(longName_, Titles(1) + MainWindow(tall));
        Panel("panel.far", "[fltsim]\r\nalias=" + std::string(kMaxPathChars, 'y') + "\r\n");
        SetMessageSink([this](const std::string& text) { messages_.push_back(text); });
        panelcfg::SetMessageSink([this](const std::string& text, const std::string&, unsigned int) {
            messages_.push_back(text);
        });
        ScanAircraft();
        aircraftItem_ = Find(Root(), "Cessna");
    }
    void TearDown() override {
        SetMessageSink(nullptr);
        panelcfg::SetMessageSink(nullptr);
        preview::ReleasePreview();
    }
    std::string Folder(const std::string& panel) const { return Aircraft("c172\\" + panel + "\\"); }
    void Panel(const std::string& name, const std::string& text) const { Write("c172\\" + name + "\\panel.cfg", text); }
    std::string Cfg(const std::string& name) const { return pwtest::ReadBytes(Folder(name) + "panel.cfg"); }
    HTREEITEM Item(const std::string& name) const { return Find(aircraftItem_, name); }
    void ClickLabel(const std::string& name) {
        ASSERT_NE(nullptr, Item(name)) << name;
        pwtest::Click(Tree(), pwtest::LabelPoint(Tree(), Item(name)));
    }
    HTREEITEM Caret() const { return pwtest::NextItem(Tree(), TVGN_CARET); }
    std::string PathLine() const { return Text(IDC_PATH_LINE); }
    std::string Caption() const { return Text(IDC_INSTALL_REMOVE); }

    HTREEITEM aircraftItem_ = nullptr;
    std::string longName_;
    std::vector<std::string> messages_;
};

TEST_F(SelectionTest, ClicksBesideOrAbovePanelsSelectNothing) {
    ASSERT_NE(nullptr, aircraftItem_);
    ASSERT_TRUE(IsExpanded(aircraftItem_));  // it holds a marked (Foreign) panel
    const POINT beside = pwtest::BesideLabelPoint(Tree(), Item("panel"));
    ASSERT_TRUE(pwtest::HitFlags(Tree(), beside) & TVHT_ONITEMRIGHT);
    const POINT button = pwtest::ExpandButtonPoint(Tree(), aircraftItem_);
    ASSERT_TRUE(pwtest::HitFlags(Tree(), button) & TVHT_ONITEMBUTTON);
    for (POINT at : {beside, pwtest::LabelPoint(Tree(), Root()), pwtest::LabelPoint(Tree(), aircraftItem_), button})
        pwtest::Click(Tree(), at);
    EXPECT_EQ("", PathLine());
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(nullptr, g_selection.item);
    EXPECT_EQ(0, preview::g_preview.height);
}

TEST_F(SelectionTest, PlainClickShowsFolderWidthAndTheWideBitmap) {
    ClickLabel("panel");
    EXPECT_EQ(Folder("panel"), PathLine());
    EXPECT_EQ(Folder("panel"), g_selection.folderPath);
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, StateImage(Item("panel")));
    EXPECT_EQ(Item("panel"), Caret());
    // "file_1024" (64 x 32) wins over "file" (64 x 48): half as high as wide.
    EXPECT_EQ(160, preview::g_preview.height);

    // The width of Window00's "size_mm"; one that is missing or not positive counts as 640.
    const struct { const char* panel; double width; } rows[] = {
        {"panel.nosize", 640.0}, {"panel.neg", 640.0}, {"panel.hex", 1024.0}, {"panel", 1024.0}};
    for (const auto& row : rows) {
        g_selection.mainWindowWidth = 1.0;
        ClickLabel(row.panel);
        EXPECT_EQ(row.width, g_selection.mainWindowWidth) << row.panel;
    }
}

TEST_F(SelectionTest, ForeignAndAliasShowNoticesAndTheCommandWritesNothing) {
    const std::string before = Cfg("panel.foreign") + Cfg("panel.alias") + Cfg("panel");
    const struct { const char* panel; std::string path; int state, foreign, alias; } rows[] = {
        {"panel.foreign", Folder("panel.foreign"), 1, 1, 0},
        {"panel.alias", Folder("panel"), 2, 0, 1},  // the folder it names
    };
    for (const auto& row : rows) {
        ClickLabel(row.panel);
        EXPECT_EQ(row.path, PathLine()) << row.panel;
        EXPECT_EQ("", Caption()) << row.panel;
        EXPECT_EQ(row.foreign, g_selection.foreign) << row.panel;
        EXPECT_EQ(row.alias, g_selection.alias) << row.panel;
        EXPECT_EQ(row.state, StateImage(Item(row.panel))) << row.panel;
        EXPECT_EQ(240, preview::g_preview.height) << row.panel;
        InstallRemoveCommand();
        EXPECT_EQ("", Caption()) << row.panel;
    }
    EXPECT_EQ(before, Cfg("panel.foreign") + Cfg("panel.alias") + Cfg("panel"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SelectionTest, InstallThenRemoveWalksCaptionAndMarkAndAFailureChangesNothing) {
    ClickLabel("panel");
    ASSERT_EQ("Install Aerolith", Caption());
    InstallRemoveCommand();
    EXPECT_EQ("Remove Aerolith", Caption());
    EXPECT_EQ(1, StateImage(Item("panel")));
    EXPECT_EQ(1, g_selection.installed);
    EXPECT_NE(std::string::npos, Cfg("panel").find("Skyvantage 530"));
    InstallRemoveCommand();
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, StateImage(Item("panel")));
    EXPECT_EQ(0, g_selection.installed);
    EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
    EXPECT_NE(std::string::npos, Cfg("panel").find("file_1024=wide.bmp"));
    EXPECT_TRUE(messages_.empty());

    // Three free window slots are not enough: told, and nothing changes.
    const std::string full = Cfg("panel.full");
    ClickLabel("panel.full");
    InstallRemoveCommand();
    ASSERT_EQ(1u, messages_.size());
    EXPECT_NE(std::string::npos, messages_[0].find("Not enough Window## available"));
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, StateImage(Item("panel.full")));
    EXPECT_EQ(0, g_selection.installed);
    EXPECT_EQ(full, Cfg("panel.full"));
}

TEST_F(SelectionTest, PanelWithoutBitmapNameKeepsTheEarlierScreen) {
    ClickLabel("panel");
    ClickLabel("panel.nobmp");
    EXPECT_EQ(Folder("panel"), PathLine());
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(1024.0, g_selection.mainWindowWidth);
    EXPECT_EQ(160, preview::g_preview.height);
    // The flags and the folder already belong to the new panel.
    EXPECT_EQ(Folder("panel.nobmp"), g_selection.folderPath);
    EXPECT_EQ(Item("panel.nobmp"), g_selection.item);
}

TEST_F(SelectionTest, KeyboardCaretIsSelectedBeforeTheCommandActs) {
    ClickLabel("panel");
    InstallRemoveCommand();  // installed: "panel" carries the set
    ASSERT_EQ(1, StateImage(Item("panel")));
    ClickLabel("panel.nosize");
    ASSERT_EQ("Install Aerolith", Caption());
    // Arrow keys move the caret to "panel" without a click.
    SetFocus(Tree());
    SendMessageA(Tree(), WM_KEYDOWN, VK_HOME, 0);
    for (int i = 0; i < 16 && Caret() != Item("panel"); ++i) SendMessageA(Tree(), WM_KEYDOWN, VK_DOWN, 0);
    pwtest::PumpMessages();
    ASSERT_EQ(Item("panel"), Caret());
    // The command describes "panel" first, so it removes rather than installing twice.
    InstallRemoveCommand();
    EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
    EXPECT_EQ(Folder("panel"), PathLine());
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, StateImage(Item("panel")));
    EXPECT_EQ(1024.0, g_selection.mainWindowWidth);
}

TEST_F(SelectionTest, PathsBeyondTheWindowsLimitsAreRefusedWithAMessage) {
    const std::string before = Cfg(longName_);
    // The command says it again for the folder; for the alias it has nothing more to say.
    const struct { std::string name; size_t afterCommand; } rows[] = {{longName_, 3}, {"panel.far", 2}};
    for (const auto& [name, afterCommand] : rows) {
        SCOPED_TRACE(name.substr(0, 10));
        messages_.clear();
        ClickLabel("panel");
        ClickLabel(name);
        ASSERT_EQ(1u, messages_.size());
        EXPECT_NE(std::string::npos, messages_[0].find("too long"));
        EXPECT_EQ("", Caption());
        EXPECT_EQ(0, preview::g_preview.height);  // no picture of the earlier panel
        pwtest::DoubleClick(Tree(), pwtest::LabelPoint(Tree(), Item(name)));
        EXPECT_EQ(2u, messages_.size());  // one for the button-down, none repeated
        InstallRemoveCommand();
        EXPECT_EQ(afterCommand, messages_.size());
        EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
    }
    EXPECT_EQ("", PathLine());  // the alias names no folder that can be shown
    EXPECT_EQ(before, Cfg(longName_));
}

}  // namespace
}  // namespace catalogue
