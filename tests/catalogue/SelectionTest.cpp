#include "GuiHarness.h"

#include "catalogue/aircraft_scan.h"
#include "catalogue/aircraft_tree.h"
#include "catalogue/catalogue_tables.h"
#include "catalogue/item_data.h"
#include "catalogue/scan_rules.h"
#include "catalogue/selection.h"
#include "host/host_state.h"
#include "panelcfg/gps_window_set.h"
#include "preview/preview_renderer.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

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

std::string MainWindow(const std::string& keys) {
    return "[Window00]\r\n" + keys + "position=7\r\nvisible=1\r\n\r\n";
}

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCatalogue();
        g_selection = Selection{};
        const std::string a = aircraft();
        cattest::WriteTextFile(a + "aircraft.cfg", "[fltsim.0]\r\ntitle=Cessna\r\n");
        Panel("panel", Titles(3) + MainWindow("file_1024=wide.bmp\r\nfile=tall.bmp\r\nsize_mm=1024,768\r\n"));
        cattest::WriteBitmapFile(a + "panel\\wide.bmp", 64, 32);
        cattest::WriteBitmapFile(a + "panel\\tall.bmp", 64, 48);
        Panel("panel.nosize", Titles(1) + MainWindow("file=..\\panel\\tall.bmp\r\n"));
        Panel("panel.neg", Titles(1) + MainWindow("file=..\\panel\\tall.bmp\r\nsize_mm=-5,0\r\n"));
        Panel("panel.hex", Titles(1) + MainWindow("file=..\\panel\\tall.bmp\r\nsize_mm=0x400,768\r\n"));
        Panel("panel.full", Titles(29) + MainWindow("file=..\\panel\\tall.bmp\r\n"));
        Panel("panel.nobmp", Titles(1) + MainWindow("size_mm=800\r\n"));
        Panel("panel.foreign", MainWindow("gauge00=Skyvantage_Aerolith!GPS, 0,0\r\n"));
        Panel("panel.alias", "[fltsim]\r\nalias=c172\\panel\r\n");
        host::g_host.simulatorRoot = root_.path();
        catalogue::SetMessageSink([this](const std::string& text) { messages_.push_back(text); });
        panelcfg::SetMessageSink([this](const std::string& text, const std::string&, unsigned int) {
            messages_.push_back(text);
        });
        ScanAircraft();
        aircraftItem_ = cattest::FindChild(Tree(), cattest::RootItem(Tree()), "Cessna");
    }
    void TearDown() override {
        catalogue::SetMessageSink(nullptr);
        panelcfg::SetMessageSink(nullptr);
        preview::ReleasePreview();
        ResetCatalogue();
        host::g_host.simulatorRoot.clear();
    }
    std::string aircraft() const { return root_.path() + "\\aircraft\\c172\\"; }
    void Panel(const std::string& name, const std::string& text) {
        cattest::WriteTextFile(aircraft() + name + "\\panel.cfg", text);
    }
    std::string PanelFile(const std::string& name) const { return ReadTextFile(name); }
    static std::string ReadTextFile(const std::string& path) { return cattest::ReadTextFile(path); }
    HWND Tree() const { return host_.tree(); }
    HTREEITEM Item(const std::string& name) const { return cattest::FindChild(Tree(), aircraftItem_, name); }
    void ClickLabel(const std::string& name) {
        HTREEITEM item = Item(name);
        ASSERT_NE(nullptr, item) << name;
        cattest::Click(Tree(), cattest::LabelPoint(Tree(), item));
    }
    HTREEITEM CaretItem() const {
        return reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    }
    std::string PathLine() const { return host_.ControlText(IDC_PATH_LINE); }
    std::string Caption() const { return host_.ControlText(IDC_INSTALL_REMOVE); }
    std::string Cfg(const std::string& name) const { return cattest::ReadTextFile(aircraft() + name + "\\panel.cfg"); }

    cattest::TempFolder root_;
    cattest::TestHost host_;
    HTREEITEM aircraftItem_ = nullptr;
    std::vector<std::string> messages_;
};

TEST_F(SelectionTest, ClicksBesideOrAbovePanelsSelectNothing) {
    ASSERT_NE(nullptr, aircraftItem_);
    ASSERT_TRUE(cattest::IsExpanded(aircraftItem_));  // it holds a marked (Foreign) panel
    const POINT beside = cattest::BesideLabelPoint(Tree(), Item("panel"));
    ASSERT_TRUE(cattest::HitFlags(Tree(), beside) & TVHT_ONITEMRIGHT);
    cattest::Click(Tree(), beside);
    cattest::Click(Tree(), cattest::LabelPoint(Tree(), cattest::RootItem(Tree())));
    cattest::Click(Tree(), cattest::LabelPoint(Tree(), aircraftItem_));
    const POINT button = cattest::ExpandButtonPoint(Tree(), aircraftItem_);
    ASSERT_TRUE(cattest::HitFlags(Tree(), button) & TVHT_ONITEMBUTTON);
    cattest::Click(Tree(), button);
    EXPECT_EQ("", PathLine());
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(nullptr, g_selection.item);
    EXPECT_EQ(0, preview::g_preview.height);
}

TEST_F(SelectionTest, PlainClickShowsFolderAndTheWideBitmap) {
    ClickLabel("panel");
    EXPECT_EQ(aircraft() + "panel\\", PathLine());
    EXPECT_EQ(aircraft() + "panel\\", g_selection.folderPath);
    EXPECT_EQ(1024.0, g_selection.mainWindowWidth);
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, cattest::StateImage(Item("panel")));
    EXPECT_EQ(Item("panel"), reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
    // "file_1024" (64 x 32) wins over "file" (64 x 48): half as high as wide.
    EXPECT_EQ(160, preview::g_preview.height);
}

TEST_F(SelectionTest, MainWindowWidthFromSizeMm) {
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
    ClickLabel("panel.foreign");
    EXPECT_EQ(aircraft() + "panel.foreign\\", PathLine());
    EXPECT_EQ("", Caption());
    EXPECT_EQ(1, g_selection.foreign);
    EXPECT_EQ(1, cattest::StateImage(Item("panel.foreign")));
    EXPECT_EQ(240, preview::g_preview.height);
    InstallRemoveCommand();
    EXPECT_EQ("", Caption());

    ClickLabel("panel.alias");
    EXPECT_EQ(aircraft() + "panel\\", PathLine());  // the folder it names
    EXPECT_EQ("", Caption());
    EXPECT_EQ(1, g_selection.alias);
    EXPECT_EQ(0, g_selection.foreign);
    EXPECT_EQ(2, cattest::StateImage(Item("panel.alias")));
    InstallRemoveCommand();
    EXPECT_EQ("", Caption());
    EXPECT_EQ(before, Cfg("panel.foreign") + Cfg("panel.alias") + Cfg("panel"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SelectionTest, InstallThenRemoveWalksCaptionAndMark) {
    const std::string original = Cfg("panel");
    ClickLabel("panel");
    ASSERT_EQ("Install Aerolith", Caption());
    InstallRemoveCommand();
    EXPECT_EQ("Remove Aerolith", Caption());
    EXPECT_EQ(1, cattest::StateImage(Item("panel")));
    EXPECT_EQ(1, g_selection.installed);
    EXPECT_NE(std::string::npos, Cfg("panel").find("Skyvantage 530"));
    InstallRemoveCommand();
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, cattest::StateImage(Item("panel")));
    EXPECT_EQ(0, g_selection.installed);
    EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
    EXPECT_NE(std::string::npos, Cfg("panel").find("file_1024=wide.bmp"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SelectionTest, FailedInstallChangesNothing) {
    const std::string original = Cfg("panel.full");
    ClickLabel("panel.full");
    InstallRemoveCommand();
    ASSERT_EQ(1u, messages_.size());
    EXPECT_NE(std::string::npos, messages_[0].find("Not enough Window## available"));
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, cattest::StateImage(Item("panel.full")));
    EXPECT_EQ(0, g_selection.installed);
    EXPECT_EQ(original, Cfg("panel.full"));
}

TEST_F(SelectionTest, PanelWithoutBitmapNameKeepsTheEarlierScreen) {
    ClickLabel("panel");
    const int height = preview::g_preview.height;
    ClickLabel("panel.nobmp");
    EXPECT_EQ(aircraft() + "panel\\", PathLine());
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(1024.0, g_selection.mainWindowWidth);
    EXPECT_EQ(height, preview::g_preview.height);
    // The flags and the folder already belong to the new panel.
    EXPECT_EQ(aircraft() + "panel.nobmp\\", g_selection.folderPath);
    EXPECT_EQ(Item("panel.nobmp"), g_selection.item);
}

TEST_F(SelectionTest, KeyboardCaretIsSelectedBeforeTheCommandActs) {
    ClickLabel("panel");
    InstallRemoveCommand();  // installed: "panel" carries the set
    ASSERT_EQ(1, cattest::StateImage(Item("panel")));
    ClickLabel("panel.nosize");
    ASSERT_EQ("Install Aerolith", Caption());
    // Arrow keys move the caret to "panel" without a click.
    SetFocus(Tree());
    SendMessageA(Tree(), WM_KEYDOWN, VK_HOME, 0);
    for (int i = 0; i < 12 && CaretItem() != Item("panel"); ++i) {
        SendMessageA(Tree(), WM_KEYDOWN, VK_DOWN, 0);
    }
    cattest::PumpMessages();
    ASSERT_EQ(Item("panel"), reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
    // The command describes "panel" first, so it removes rather than installing twice.
    InstallRemoveCommand();
    EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
    EXPECT_EQ(aircraft() + "panel\\", PathLine());
    EXPECT_EQ("Install Aerolith", Caption());
    EXPECT_EQ(2, cattest::StateImage(Item("panel")));
    EXPECT_EQ(1024.0, g_selection.mainWindowWidth);
}

TEST_F(SelectionTest, PanelBeyondThePathLimitIsRefusedWithAMessage) {
    const std::string name = "panel" + std::string(kMaxPathChars - 16 - aircraft().size() - 2, 'x');
    Panel(name, Titles(1) + MainWindow("file=..\\panel\\tall.bmp\r\n"));
    SendMessageA(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    ResetCatalogue();
    ScanAircraft();
    aircraftItem_ = cattest::FindChild(Tree(), cattest::RootItem(Tree()), "Cessna");
    const std::string before = Cfg(name);

    ClickLabel("panel");
    ClickLabel(name);
    ASSERT_EQ(1u, messages_.size());
    EXPECT_NE(std::string::npos, messages_[0].find("too long"));
    EXPECT_EQ("", Caption());
    EXPECT_EQ(0, preview::g_preview.height);  // no picture of the earlier panel
    cattest::DoubleClick(Tree(), cattest::LabelPoint(Tree(), Item(name)));
    EXPECT_EQ(2u, messages_.size());  // one for the button-down, none repeated
    InstallRemoveCommand();
    EXPECT_EQ(3u, messages_.size());
    EXPECT_EQ(before, Cfg(name));
    EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
}

TEST_F(SelectionTest, AliasNamingAFolderBeyondThePathLimitIsRefused) {
    Panel("panel.far", "[fltsim]\r\nalias=" + std::string(kMaxPathChars, 'y') + "\r\n");
    SendMessageA(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    ResetCatalogue();
    ScanAircraft();
    aircraftItem_ = cattest::FindChild(Tree(), cattest::RootItem(Tree()), "Cessna");
    ClickLabel("panel");
    ClickLabel("panel.far");
    ASSERT_EQ(1u, messages_.size());
    EXPECT_EQ("", PathLine());
    EXPECT_EQ("", Caption());
    EXPECT_EQ(0, preview::g_preview.height);
    InstallRemoveCommand();
    EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
}

}  // namespace
}  // namespace catalogue
