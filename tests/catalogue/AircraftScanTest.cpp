#include "GuiHarness.h"

#include "catalogue/aircraft_scan.h"
#include "catalogue/aircraft_tree.h"
#include "catalogue/catalogue_tables.h"
#include "catalogue/item_data.h"
#include "catalogue/scan_rules.h"
#include "host/host_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace catalogue {
namespace {

using cattest::Children;

const char kSetTitles[] =
    "[Window Titles]\r\nWindow00=Main Panel\r\nWindow01=Skyvantage 530 GPS\r\n";
const char kMarkerOnly[] =
    "[Window00]\r\nfile=main.bmp\r\ngauge00=Skyvantage_Aerolith!GPS_530, 0,0,200,150\r\n";

class AircraftScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetCatalogue();
        g_scanner.maxAircraft = kMaxAircraft;
        g_scanner.maxPanels = kMaxPanels;
        const std::string a = root_.path() + "\\aircraft\\";
        Title(a + "c172", "Cessna Skyhawk");
        Write(a + "c172\\panel\\panel.cfg", "[Window Titles]\r\nWindow00=Main Panel\r\n");
        Write(a + "c172\\panel.ifr\\panel.cfg", std::string(kSetTitles) + "gauge00=Skyvantage_Aerolith!X\r\n");
        Write(a + "c172\\pnl\\panel.cfg", kSetTitles);
        Write(a + "c172\\panel.cfg", kSetTitles);  // a file, not a panel folder
        Title(a + "b_nopanel", "Beech Nothing");
        cattest::MakeFolders(a + "b_nopanel\\model");
        Title(a + "Default", "Default Flyer");
        Write(a + "Default\\panel\\panel.cfg", "");
        Title(a + "zz_alias", "Alpha Jet");
        Write(a + "zz_alias\\Panel\\panel.cfg", "[fltsim]\r\nalias=c172\\panel\r\n" + std::string(kSetTitles));
        Write(a + "zz_alias\\PANEL_vc\\panel.cfg", kMarkerOnly);
        Write(a + "zz_alias\\pane\\panel.cfg", kMarkerOnly);
        cattest::MakeFolders(a + "notitle\\panel");
        Title(a + "dup1", "Twin Otter");
        cattest::MakeFolders(a + "dup1\\panel");
        Title(a + "dup2", "Twin Otter");
        cattest::MakeFolders(a + "dup2\\panel");
        Title(a + "nf", "notfound");
        cattest::MakeFolders(a + "nf\\panel");
        Write(a + "readme.txt", "not an aircraft");
        host::g_host.simulatorRoot = root_.path();
    }
    void TearDown() override {
        ResetCatalogue();
        host::g_host.simulatorRoot.clear();
        g_scanner.maxAircraft = kMaxAircraft;
        g_scanner.maxPanels = kMaxPanels;
    }
    static void Write(const std::string& path, const std::string& text) { cattest::WriteTextFile(path, text); }
    static void Title(const std::string& folder, const std::string& title) {
        Write(folder + "\\aircraft.cfg", "[fltsim.0]\r\ntitle=" + title + "\r\nsim=x\r\n");
    }
    HWND Tree() const { return host_.tree(); }
    HTREEITEM Root() const { return cattest::RootItem(Tree()); }

    cattest::TempFolder root_;
    cattest::TestHost host_;
};

TEST_F(AircraftScanTest, ThreeLevelsWithTextsWordsAndMarks) {
    ScanAircraft();
    ASSERT_EQ(1u, Children(Tree(), nullptr).size());
    EXPECT_EQ("FS2002 Aircrafts List:", GetItemText(Root()));
    EXPECT_EQ(kRootItemData, GetItemData(Root()));
    EXPECT_EQ(0, cattest::StateImage(Root()));

    // Sorted by title, duplicates kept; no title or "notfound" shows the folder name.
    std::vector<std::string> titles;
    for (HTREEITEM aircraft : Children(Tree(), Root())) titles.push_back(GetItemText(aircraft));
    const std::vector<std::string> expected = {"Alpha Jet", "Cessna Skyhawk", "Default Flyer", "nf",
                                               "notitle", "Twin Otter", "Twin Otter"};
    EXPECT_EQ(expected, titles);

    // Each aircraft's word leads to its folder; its panels are its panel folders.
    struct Panel { ItemClass cls; int state; };
    const std::map<std::string, std::map<std::string, Panel>> folders = {
        {"c172", {{"panel", {ItemClass::Plain, 2}}, {"panel.ifr", {ItemClass::Plain, 1}}}},
        {"Default", {{"panel", {ItemClass::Plain, 2}}}},
        {"zz_alias", {{"Panel", {ItemClass::Alias, 2}}, {"PANEL_vc", {ItemClass::Foreign, 1}}}},
        {"notitle", {{"panel", {ItemClass::Plain, 2}}}},
        {"dup1", {{"panel", {ItemClass::Plain, 2}}}},
        {"dup2", {{"panel", {ItemClass::Plain, 2}}}},
        {"nf", {{"panel", {ItemClass::Plain, 2}}}},
    };
    std::set<std::string> seen;
    for (HTREEITEM aircraft : Children(Tree(), Root())) {
        const DecodedItem a = DecodeItemData(GetItemData(aircraft));
        ASSERT_EQ(ItemClass::Aircraft, a.cls);
        const std::string folder = AircraftFolder(a.aircraft);
        seen.insert(folder);
        ASSERT_EQ(1u, folders.count(folder)) << folder;
        const auto& wanted = folders.at(folder);
        EXPECT_EQ(0, cattest::StateImage(aircraft));
        const auto panels = Children(Tree(), aircraft);
        ASSERT_EQ(wanted.size(), panels.size()) << folder;
        bool anyMarked = false;
        for (HTREEITEM panel : panels) {
            const std::string name = GetItemText(panel);
            ASSERT_EQ(1u, wanted.count(name)) << folder << "\\" << name;
            const DecodedItem p = DecodeItemData(GetItemData(panel));
            EXPECT_EQ(wanted.at(name).cls, p.cls) << name;
            EXPECT_EQ(a.aircraft, p.aircraft) << name;
            EXPECT_EQ(wanted.at(name).state, cattest::StateImage(panel)) << folder << "\\" << name;
            EXPECT_EQ(1, GetItemSelectedImage(panel));
            anyMarked = anyMarked || wanted.at(name).state == 1;
        }
        EXPECT_EQ(anyMarked, cattest::IsExpanded(aircraft)) << folder;
    }
    EXPECT_EQ(folders.size(), seen.size());
    EXPECT_TRUE(cattest::IsExpanded(Root()));
}

TEST_F(AircraftScanTest, NumbersRunOnAcrossAircraftWithoutGaps) {
    ScanAircraft();
    std::map<int, HTREEITEM> byNumber;
    for (HTREEITEM aircraft : Children(Tree(), Root())) {
        byNumber[DecodeItemData(GetItemData(aircraft)).aircraft] = aircraft;
    }
    ASSERT_EQ(7u, byNumber.size());
    EXPECT_EQ(0, byNumber.begin()->first);
    EXPECT_EQ(6, byNumber.rbegin()->first);  // the folder without panels used no number
    EXPECT_EQ(7, g_scanner.aircraftCounter);

    int next = 0;
    for (const auto& entry : byNumber) {
        for (HTREEITEM panel : Children(Tree(), entry.second)) {
            EXPECT_EQ(next++, DecodeItemData(GetItemData(panel)).panel);
        }
    }
    EXPECT_EQ(9, next);
    EXPECT_EQ(9, g_scanner.panelCounter);
}

TEST_F(AircraftScanTest, AliasBeforeSlotsBeforeMarker) {
    ScanAircraft();
    for (HTREEITEM aircraft : Children(Tree(), Root())) {
        for (HTREEITEM panel : Children(Tree(), aircraft)) {
            const DecodedItem p = DecodeItemData(GetItemData(panel));
            const std::string folder = AircraftFolder(p.aircraft) + "\\" + GetItemText(panel);
            if (folder == "zz_alias\\Panel") {
                // The alias wins over its set title, and an alias panel gets no inventory.
                EXPECT_EQ(root_.path() + "\\aircraft\\c172\\panel\\", AliasPath(p.panel));
                EXPECT_EQ(0u, SlotMask(p.panel));
            } else if (folder == "c172\\panel.ifr") {
                EXPECT_EQ(3u, SlotMask(p.panel));  // title wins over the marker: Plain, marked
            } else if (folder == "c172\\panel") {
                EXPECT_EQ(1u, SlotMask(p.panel));
                EXPECT_EQ("", AliasPath(p.panel));
            }
            EXPECT_FALSE(PanelUnusable(p.panel)) << folder;
        }
    }
}

TEST_F(AircraftScanTest, RootCannotStayCollapsed) {
    ScanAircraft();
    ASSERT_TRUE(cattest::IsExpanded(Root()));
    // The root has no button: a double-click on its label is the user's way to collapse it.
    cattest::DoubleClick(Tree(), cattest::LabelPoint(Tree(), Root()));
    EXPECT_TRUE(cattest::IsExpanded(Root()));
    SetFocus(Tree());
    SendMessageA(Tree(), WM_KEYDOWN, VK_LEFT, 0);
    cattest::PumpMessages();
    EXPECT_TRUE(cattest::IsExpanded(Root()));
    // An aircraft may collapse.
    HTREEITEM first = Children(Tree(), Root()).front();
    SendMessageA(Tree(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(first));
    EXPECT_FALSE(cattest::IsExpanded(first));
}

TEST_F(AircraftScanTest, MissingOrEmptyAircraftFolderGivesTheRootAlone) {
    host::g_host.simulatorRoot = root_.path() + "\\missing";
    ScanAircraft();
    EXPECT_EQ(1u, Children(Tree(), nullptr).size());
    EXPECT_TRUE(Children(Tree(), Root()).empty());

    // Only files and a folder named exactly "default".
    cattest::TempFolder other;
    cattest::WriteTextFile(other.path() + "\\aircraft\\default\\panel\\panel.cfg", "");
    cattest::WriteTextFile(other.path() + "\\aircraft\\notes.txt", "");
    host::g_host.simulatorRoot = other.path();
    SendMessageA(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    ScanAircraft();
    EXPECT_EQ(1u, Children(Tree(), nullptr).size());
    EXPECT_TRUE(Children(Tree(), cattest::RootItem(Tree())).empty());
    EXPECT_EQ(0, g_scanner.aircraftCounter);
}

TEST_F(AircraftScanTest, PastTheCapacityOneLastItemCountsWhatIsLeftOut) {
    g_scanner.maxAircraft = 2;
    ScanAircraft();
    auto children = Children(Tree(), Root());
    ASSERT_EQ(3u, children.size());
    int listedPanels = 0;
    for (int i = 0; i < 2; ++i) {
        EXPECT_LT(DecodeItemData(GetItemData(children[static_cast<size_t>(i)])).aircraft, 2);
        listedPanels += static_cast<int>(Children(Tree(), children[static_cast<size_t>(i)]).size());
    }
    EXPECT_EQ(kOverflowItemData, GetItemData(children.back()));
    EXPECT_EQ(UnlistedItemText(9 - listedPanels, 5), GetItemText(children.back()));

    ResetCatalogue();
    SendMessageA(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    g_scanner.maxAircraft = kMaxAircraft;
    g_scanner.maxPanels = 3;
    ScanAircraft();
    children = Children(Tree(), cattest::RootItem(Tree()));
    listedPanels = 0;
    for (HTREEITEM aircraft : children) listedPanels += static_cast<int>(Children(Tree(), aircraft).size());
    EXPECT_EQ(3, listedPanels);
    EXPECT_EQ(6, g_scanner.unlistedPanels);
    EXPECT_EQ(UnlistedItemText(6, g_scanner.unlistedAircraft), GetItemText(children.back()));
}

}  // namespace
}  // namespace catalogue
