// The scan of a simulator folder made on disk into the real tree control.
#include "GuiHarness.h"

#include "catalogue/scan_rules.h"

#include <map>
#include <set>

namespace catalogue {
namespace {

const char kSetTitles[] = "[Window Titles]\r\nWindow00=Main Panel\r\nWindow01=Skyvantage 530 GPS\r\n";
const char kMarkerOnly[] = "[Window00]\r\nfile=main.bmp\r\ngauge00=Skyvantage_Aerolith!GPS_530, 0,0,200,150\r\n";

class AircraftScanTest : public cattest::CatalogueGuiTest {
protected:
    void SetUp() override {
        Title("c172", "Cessna Skyhawk");
        Write("c172\\panel\\panel.cfg", "[Window Titles]\r\nWindow00=Main Panel\r\n");
        Write("c172\\panel.ifr\\panel.cfg", std::string(kSetTitles) + "gauge00=Skyvantage_Aerolith!X\r\n");
        Write("c172\\pnl\\panel.cfg", kSetTitles);
        Write("c172\\panel.cfg", kSetTitles);  // a file, not a panel folder
        Title("b_nopanel", "Beech Nothing");
        Folder("b_nopanel\\model");
        Title("Default", "Default Flyer");
        Write("Default\\panel\\panel.cfg", "");
        Title("zz_alias", "Alpha Jet");
        Write("zz_alias\\Panel\\panel.cfg", "[fltsim]\r\nalias=c172\\panel\r\n" + std::string(kSetTitles));
        Write("zz_alias\\PANEL_vc\\panel.cfg", kMarkerOnly);
        Write("zz_alias\\pane\\panel.cfg", kMarkerOnly);
        Folder("notitle\\panel");
        for (const char* twin : {"dup1", "dup2"}) {
            Title(twin, "Twin Otter");
            Folder(std::string(twin) + "\\panel");
        }
        Title("nf", "notfound");
        Folder("nf\\panel");
        Write("readme.txt", "not an aircraft");
        ScanAircraft();
    }
};

TEST_F(AircraftScanTest, ThreeLevelsWithTextsWordsNumbersAndMarks) {
    ASSERT_EQ(1u, Children(nullptr).size());
    EXPECT_EQ("FS2002 Aircrafts List:", GetItemText(Root()));
    EXPECT_EQ(kRootItemData, GetItemData(Root()));
    EXPECT_EQ(0, StateImage(Root()));
    EXPECT_TRUE(IsExpanded(Root()));

    // Sorted by title, duplicates kept; no title or "notfound" shows the folder name.
    std::vector<std::string> titles;
    for (HTREEITEM aircraft : Children(Root())) titles.push_back(GetItemText(aircraft));
    EXPECT_EQ((std::vector<std::string>{"Alpha Jet", "Cessna Skyhawk", "Default Flyer", "nf", "notitle",
                                        "Twin Otter", "Twin Otter"}),
              titles);

    // Each aircraft's word leads to its folder and its panels are its panel folders: the alias
    // wins over a set title (and gets no inventory), a set title over the marker.
    struct Panel { ItemClass cls; int state; std::uint32_t slots; const char* alias; };
    const Panel plain = {ItemClass::Plain, 2, 0, ""};
    const std::map<std::string, std::map<std::string, Panel>> folders = {
        {"c172", {{"panel", {ItemClass::Plain, 2, 1, ""}}, {"panel.ifr", {ItemClass::Plain, 1, 3, ""}}}},
        {"zz_alias",
         {{"Panel", {ItemClass::Alias, 2, 0, "c172\\panel\\"}}, {"PANEL_vc", {ItemClass::Foreign, 1, 0, ""}}}},
        {"Default", {{"panel", plain}}}, {"notitle", {{"panel", plain}}}, {"dup1", {{"panel", plain}}},
        {"dup2", {{"panel", plain}}},    {"nf", {{"panel", plain}}},
    };
    std::set<std::string> seen;
    std::map<int, std::vector<int>> panelNumbers;  // by aircraft number
    for (HTREEITEM aircraft : Children(Root())) {
        const DecodedItem a = DecodeItemData(GetItemData(aircraft));
        ASSERT_EQ(ItemClass::Aircraft, a.cls);
        const std::string folder = AircraftFolder(a.aircraft);
        seen.insert(folder);
        panelNumbers[a.aircraft];
        ASSERT_EQ(1u, folders.count(folder)) << folder;
        const auto& wanted = folders.at(folder);
        EXPECT_EQ(0, StateImage(aircraft));
        ASSERT_EQ(wanted.size(), Children(aircraft).size()) << folder;
        bool anyMarked = false;
        for (HTREEITEM panel : Children(aircraft)) {
            const std::string name = folder + "\\" + GetItemText(panel);
            ASSERT_EQ(1u, wanted.count(GetItemText(panel))) << name;
            const Panel& want = wanted.at(GetItemText(panel));
            const DecodedItem p = DecodeItemData(GetItemData(panel));
            EXPECT_EQ(want.cls, p.cls) << name;
            EXPECT_EQ(a.aircraft, p.aircraft) << name;
            EXPECT_EQ(want.state, StateImage(panel)) << name;
            EXPECT_EQ(1, GetItemSelectedImage(panel)) << name;
            EXPECT_EQ(want.slots, SlotMask(p.panel)) << name;
            EXPECT_EQ(*want.alias ? Aircraft(want.alias) : "", AliasPath(p.panel)) << name;
            EXPECT_FALSE(PanelUnusable(p.panel)) << name;
            anyMarked = anyMarked || want.state == 1;
            panelNumbers[a.aircraft].push_back(p.panel);
        }
        EXPECT_EQ(anyMarked, IsExpanded(aircraft)) << folder;
    }
    EXPECT_EQ(folders.size(), seen.size());

    // Aircraft numbers 0..6 (the folder without panels used none), panel numbers running on
    // across aircraft in that order.
    ASSERT_EQ(7u, panelNumbers.size());
    EXPECT_EQ(6, panelNumbers.rbegin()->first);
    int next = 0;
    for (const auto& entry : panelNumbers) {
        for (int panel : entry.second) EXPECT_EQ(next++, panel) << "aircraft " << entry.first;
    }
    EXPECT_EQ(7, g_scanner.aircraftCounter);
    EXPECT_EQ(9, g_scanner.panelCounter);
}

TEST_F(AircraftScanTest, RootCannotStayCollapsed) {
    // The root has no button: a double-click on its label or the Left key would collapse it.
    pwtest::DoubleClick(Tree(), pwtest::LabelPoint(Tree(), Root()));
    EXPECT_TRUE(IsExpanded(Root()));
    SetFocus(Tree());
    SendMessageA(Tree(), WM_KEYDOWN, VK_LEFT, 0);
    pwtest::PumpMessages();
    EXPECT_TRUE(IsExpanded(Root()));
    // An aircraft may collapse.
    HTREEITEM first = Children(Root()).front();
    SendMessageA(Tree(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(first));
    EXPECT_FALSE(IsExpanded(first));
}

TEST_F(AircraftScanTest, MissingOrEmptyAircraftFolderGivesTheRootAlone) {
    pwtest::TempFolder other;
    // No such folder; then only files and a folder named exactly "default".
    pwtest::WriteCreatingFolders(other.Path("aircraft\\default\\panel\\panel.cfg"), "");
    pwtest::WriteCreatingFolders(other.Path("aircraft\\notes.txt"), "");
    for (const std::string& root : {other.Path("missing"), other.Folder()}) {
        host::g_host.simulatorRoot = root;
        Rescan();
        EXPECT_EQ(1u, Children(nullptr).size()) << root;
        EXPECT_TRUE(Children(Root()).empty()) << root;
        EXPECT_EQ(0, g_scanner.aircraftCounter) << root;
    }
}

TEST_F(AircraftScanTest, PastTheCapacityOneLastItemCountsWhatIsLeftOut) {
    // Two aircraft at most, then three panels at most; nine panels in seven aircraft are there.
    g_scanner.maxAircraft = 2;
    Rescan();
    auto children = Children(Root());
    ASSERT_EQ(3u, children.size());
    const auto panelsListed = [&] {
        int listed = 0;
        for (HTREEITEM aircraft : Children(Root())) listed += static_cast<int>(Children(aircraft).size());
        return listed;
    };
    for (int i = 0; i < 2; ++i) EXPECT_LT(DecodeItemData(GetItemData(children[static_cast<size_t>(i)])).aircraft, 2);
    EXPECT_EQ(kOverflowItemData, GetItemData(children.back()));
    EXPECT_EQ(UnlistedItemText(9 - panelsListed(), 5), GetItemText(children.back()));

    g_scanner.maxAircraft = kMaxAircraft;
    g_scanner.maxPanels = 3;
    Rescan();
    EXPECT_EQ(3, panelsListed());
    EXPECT_EQ(6, g_scanner.unlistedPanels);
    EXPECT_EQ(UnlistedItemText(6, g_scanner.unlistedAircraft), GetItemText(Children(Root()).back()));
}

}  // namespace
}  // namespace catalogue
