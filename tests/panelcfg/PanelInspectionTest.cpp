// Panel inspection: the slot inventory, alias and marker rules, and the wrappers that write
// the catalogue's rows.
#include "panelcfg/panel_inspection.h"

#include "catalogue/catalogue_tables.h"
#include "catalogue/item_data.h"
#include "host/host_state.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace panelcfg {
namespace {

TEST(PanelInspectionTest, SlotInventoryFollowsTheTitleRules) {
    const std::string longTitle = "Skyvantage 530" + std::string(300, 'x');
    const struct { const char* name; std::string text; std::uint32_t mask; int found; } rows[] = {
        {"slots 0-3", "[Window Titles]\r\nWindow00=Main\r\nWindow01=b\r\nWindow02=c\r\nWindow03=d\r\n", 15, 0},
        {"slot 3 free", "[Window Titles]\r\nWindow00=a\r\nWindow01=b\r\nWindow02=c\r\nWindow04=d\r\n", 23, 0},
        {"one-digit key", "[Window Titles]\r\nWindow5=Radio\r\n", 1u << 5, 0},
        {"two-digit hides one-digit", "[Window Titles]\r\nWindow05=Radio\r\nWindow5=Skyvantage 530 GPS\r\n", 1u << 5, 0},
        {"notfound two-digit falls back",
         "[Window Titles]\r\nWindow05=notfound\r\nWindow5=Skyvantage 530 GPS\r\n", 1u << 5, 1},
        {"notfound is absent", "[Window Titles]\r\nWindow02=notfound\r\n", 0, 0},
        {"notfound differs in case", "[Window Titles]\r\nWindow02=NotFound\r\n", 1u << 2, 0},
        {"empty title is taken", "[Window Titles]\r\nWindow07=\r\n", 1u << 7, 0},
        {"slots 32 and up ignored", "[Window Titles]\r\nWindow32=x\r\nWindow99=x\r\nWindow=x\r\nWin01=x\r\n", 0, 0},
        {"slot 31 is the top bit", "[Window Titles]\r\nWindow31=Skyvantage 530 VOR\r\n", 0x80000000u, 1},
        {"any text after the prefix", "[Window Titles]\r\nWindow10=Skyvantage 530X\r\n", 1u << 10, 1},
        {"prefix case-sensitive", "[Window Titles]\r\nWindow10=skyvantage 530 GPS\r\n", 1u << 10, 0},
        {"prefix needs 14 characters", "[Window Titles]\r\nWindow10=Skyvantage 53\r\n", 1u << 10, 0},
        {"names match without case", "[window titles]\r\nWINDOW03=Skyvantage 530 GPS\r\n", 1u << 3, 1},
        {"quotes stripped", "[Window Titles]\r\nWindow03=\"Skyvantage 530 GPS\"\r\n", 1u << 3, 1},
        {"long title cut, still found", "[Window Titles]\r\nWindow04=" + longTitle + "\r\n", 1u << 4, 1},
        {"other sections ignored", "[Window03]\r\nWindow03=x\r\n[Window Titles]\r\n", 0, 0},
        {"empty file", "", 0, 0},
    };
    for (const auto& row : rows) {
        const SlotInventory inventory = TakeSlotInventory(profile::Document::Parse(row.text));
        EXPECT_EQ(row.mask, inventory.slotMask) << row.name;
        EXPECT_EQ(row.found, inventory.setFound) << row.name;
    }
}

TEST(PanelInspectionTest, AliasPathComposition) {
    const std::string root = "C:\\FS";  // 5 + 10 ("\aircraft\") + value + 1 ("\")
    const struct {
        std::string root, value, path;  // path empty: refused
    } rows[] = {
        {"C:\\FS2002", "c172\\panel", "C:\\FS2002\\aircraft\\c172\\panel\\"},
        {"C:\\FS2002", "c172\\panel\\", "C:\\FS2002\\aircraft\\c172\\panel\\"},
        {"C:\\FS2002", "", "C:\\FS2002\\aircraft\\"},
        {"", "c172\\panel", "\\aircraft\\c172\\panel\\"},
        // 259 characters fit the row; one more is refused rather than cut.
        {root, std::string(243, 'a'), root + "\\aircraft\\" + std::string(243, 'a') + "\\"},
        {root, std::string(244, 'a'), ""},
    };
    for (const auto& row : rows) {
        std::string path = "stale";
        EXPECT_EQ(!row.path.empty(), ComposeAliasPath(row.root, row.value, path)) << row.value;
        EXPECT_EQ(row.path, path);
    }
}

TEST(PanelInspectionTest, MarkerFoundAnywhereOnAnyLine) {
    const struct {
        std::string text;
        int found;
    } rows[] = {
        {"[Vcockpit01]\r\ngauge00=Skyvantage_Aerolith!GNS530,0,0,10,10\r\n", 1},
        {"// Skyvantage_Aerolith gauges removed\r\n", 1},
        {"gauge00=skyvantage_aerolith!GNS530\r\n", 0},
        {"Skyvantage_\r\nAerolith\r\n", 0},
        // Straddling the 1023-character pieces the C runtime would read: still a line holding it.
        {std::string(1015, 'x') + "Skyvantage_Aerolith" + std::string(2000, 'y'), 1},
        {std::string("a\0b", 3) + "Skyvantage_Aerolith", 1},
    };
    for (const auto& row : rows) EXPECT_EQ(row.found, ContainsModuleMarker(row.text)) << row.text.substr(0, 60);
}

class PanelInspectionFileTest : public ::testing::Test {
protected:
    void SetUp() override { catalogue::ResetCatalogue(); }
    void TearDown() override { catalogue::ResetCatalogue(); }
    std::string Folder() const { return temp_.Folder(); }  // no trailing separator
    void Write(const std::string& text) { pwtest::WriteBytes(temp_.Path("panel.cfg"), text); }
    pwtest::TempFolder temp_;
};

TEST_F(PanelInspectionFileTest, InspectPanelAnswersAllThreeFromOneFile) {
    Write("[fltsim]\r\nalias=beech\\panel\r\n[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 GPS\r\n"
          "[Window01]\r\ngauge00=Skyvantage_Aerolith!GNS530,0,0,1,1\r\n");
    const PanelFacts facts = InspectPanel(Folder(), "D:\\Sim");
    EXPECT_EQ(1, facts.alias);
    EXPECT_EQ("D:\\Sim\\aircraft\\beech\\panel\\", facts.aliasPath);
    EXPECT_EQ(0, facts.aliasUnusable);
    EXPECT_EQ(3u, facts.slotMask);
    EXPECT_EQ(1, facts.setFound);
    EXPECT_EQ(1, facts.marker);
    // The marker beyond the first kilobyte of a line, in a file without any other fact.
    Write("[Window Titles]\r\n;" + std::string(1020, 'c') + "Skyvantage_Aerolith\r\n");
    EXPECT_EQ(1, ScanForModuleMarker(Folder()));
    EXPECT_EQ(1, InspectPanel(Folder(), "").marker);
}

TEST_F(PanelInspectionFileTest, WrappersWriteTheRowsOfThePanelNumber) {
    const std::int32_t item = catalogue::MakePanelItemData(5, catalogue::PanelKind::Plain, 2);
    catalogue::SetSlotMask(5, 0xFFFFFFFFu);
    Write("[Window Titles]\r\nWindow00=a\r\nWindow01=b\r\nWindow02=c\r\nWindow04=Skyvantage 530 MiniStack\r\n");
    EXPECT_EQ(1, ReadSlotInventory(Folder(), item));
    EXPECT_EQ(23u, catalogue::SlotMask(5));
    EXPECT_EQ(0u, catalogue::SlotMask(2));

    // Replaced whole every time, even when the file has gone; a missing file answers no to all.
    std::filesystem::remove(temp_.Path("panel.cfg"));
    EXPECT_EQ(0, ReadSlotInventory(Folder(), item));
    EXPECT_EQ(0u, catalogue::SlotMask(5));
    const PanelFacts none = InspectPanel(Folder(), "D:\\Sim");
    EXPECT_EQ(0, none.alias + none.setFound + none.marker + ScanForModuleMarker(Folder()));
    EXPECT_EQ(0u, none.slotMask);
}

TEST_F(PanelInspectionFileTest, AliasWrapperWritesRowOnlyForAnAlias) {
    host::g_host.simulatorRoot = "C:\\FS2002";
    const std::int32_t item = (7 << 16) | 12;  // the scan's word: panel 7, aircraft 12
    Write("[fltsim]\r\nalias=notfound\r\n");
    EXPECT_EQ(0, ReadPanelAlias(Folder(), item));
    EXPECT_EQ("", catalogue::AliasPath(7));

    Write("[FLTSIM]\r\nAlias=\r\n");
    EXPECT_EQ(1, ReadPanelAlias(Folder(), item));
    EXPECT_EQ("C:\\FS2002\\aircraft\\", catalogue::AliasPath(7));
    EXPECT_FALSE(catalogue::PanelUnusable(7));

    // Too long for the row: still an alias, but unusable, with no path to act on.
    Write("[fltsim]\r\nalias=" + std::string(250, 'p') + "\r\n");
    EXPECT_EQ(1, ReadPanelAlias(Folder(), item));
    EXPECT_EQ("", catalogue::AliasPath(7));
    EXPECT_TRUE(catalogue::PanelUnusable(7));
    host::g_host.simulatorRoot.clear();
}

}  // namespace
}  // namespace panelcfg
