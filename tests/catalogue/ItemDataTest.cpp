#include "catalogue/catalogue_tables.h"
#include "catalogue/item_data.h"
#include "catalogue/scan_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace catalogue {
namespace {

TEST(ItemDataTest, WordsOfTheFirstPanelAndAircraft) {
    EXPECT_EQ(1000, MakePanelItemData(0, PanelKind::Plain, 0));
    EXPECT_EQ(2000, MakePanelItemData(0, PanelKind::Alias, 0));
    EXPECT_EQ(3000, MakePanelItemData(0, PanelKind::Foreign, 0));
    const DecodedItem aircraft = DecodeItemData(0);
    EXPECT_EQ(ItemClass::Aircraft, aircraft.cls);
    EXPECT_EQ(0, aircraft.aircraft);
}

TEST(ItemDataTest, PanelNumberInTheHighHalf) {
    EXPECT_EQ(328682, MakePanelItemData(5, PanelKind::Plain, 2));
    EXPECT_EQ(329682, MakePanelItemData(5, PanelKind::Alias, 2));
    const struct {
        std::int32_t word;
        ItemClass cls;
    } rows[] = {{328682, ItemClass::Plain}, {329682, ItemClass::Alias}, {330682, ItemClass::Foreign}};
    for (const auto& row : rows) {
        const DecodedItem item = DecodeItemData(row.word);
        EXPECT_EQ(row.cls, item.cls) << row.word;
        EXPECT_EQ(5, item.panel) << row.word;
        EXPECT_EQ(2, item.aircraft) << row.word;
    }
    EXPECT_EQ(1002, DecodeItemData(328682).lowHalf);
}

TEST(ItemDataTest, RootIsTestedBeforeTheKinds) {
    // Low half 65535 would read as Foreign if the kinds came first.
    EXPECT_EQ(ItemClass::Root, DecodeItemData(kRootItemData).cls);
    // A panel word whose high half is all ones is still a panel.
    const std::int32_t last = MakePanelItemData(0xFFFF, PanelKind::Plain, 0);
    EXPECT_EQ(ItemClass::Plain, DecodeItemData(last).cls);
    EXPECT_EQ(0xFFFF, DecodeItemData(last).panel);
}

TEST(ItemDataTest, KindsStayApartUpToTheCapacity) {
    const int lastAircraft = kMaxAircraft - 1;
    const int lastPanel = kMaxPanels - 1;
    for (PanelKind kind : {PanelKind::Plain, PanelKind::Alias, PanelKind::Foreign}) {
        const DecodedItem item = DecodeItemData(MakePanelItemData(lastPanel, kind, lastAircraft));
        EXPECT_EQ(lastAircraft, item.aircraft);
        EXPECT_EQ(lastPanel, item.panel);
    }
    EXPECT_EQ(ItemClass::Plain, DecodeItemData(MakePanelItemData(1, PanelKind::Plain, lastAircraft)).cls);
    EXPECT_EQ(ItemClass::Alias, DecodeItemData(MakePanelItemData(1, PanelKind::Alias, lastAircraft)).cls);
    // The item that counts left-out folders reads as an aircraft nobody has: selecting it does nothing.
    EXPECT_EQ(ItemClass::Aircraft, DecodeItemData(kOverflowItemData).cls);
    EXPECT_GE(DecodeItemData(kOverflowItemData).aircraft, kMaxAircraft);
}

TEST(CatalogueTablesTest, RowsGrowAndAbsentRowsReadEmpty) {
    ResetCatalogue();
    EXPECT_EQ(0u, SlotMask(40000));
    EXPECT_EQ("", AliasPath(12));
    EXPECT_FALSE(PanelUnusable(3));

    SetSlotMask(kMaxPanels - 1, 23u);
    SetAliasPath(900, "C:\\FS\\aircraft\\b\\panel\\");
    const std::string longName(300, 'x');  // whole, never cut to a fixed row
    SetAircraftFolder(kMaxAircraft - 1, longName);
    SetPanelUnusable(7, true);

    EXPECT_EQ(23u, SlotMask(kMaxPanels - 1));
    EXPECT_EQ(0u, SlotMask(kMaxPanels - 2));
    EXPECT_EQ("C:\\FS\\aircraft\\b\\panel\\", AliasPath(900));
    EXPECT_EQ(longName, AircraftFolder(kMaxAircraft - 1));
    EXPECT_TRUE(PanelUnusable(7));
    EXPECT_FALSE(PanelUnusable(6));

    SetSlotMask(-1, 5u);  // ignored, never written before the table
    EXPECT_EQ(0u, SlotMask(-1));
    ResetCatalogue();
}

TEST(ScanRulesTest, PanelFolderNames) {
    for (const char* name : {"panel", "Panel", "PANEL.1", "panel_vc", "pAnElS"}) {
        EXPECT_TRUE(IsPanelFolderName(name)) << name;
    }
    for (const char* name : {"pnl", "pane", "", "xpanel", "pane1", "\xD0" "anel"}) {
        EXPECT_FALSE(IsPanelFolderName(name)) << name;
    }
}

TEST(ScanRulesTest, SkippedAircraftNamesAreExact) {
    EXPECT_TRUE(IsSkippedAircraftName("."));
    EXPECT_TRUE(IsSkippedAircraftName(".."));
    EXPECT_TRUE(IsSkippedAircraftName("default"));
    EXPECT_FALSE(IsSkippedAircraftName("Default"));
    EXPECT_FALSE(IsSkippedAircraftName("DEFAULT"));
    EXPECT_FALSE(IsSkippedAircraftName("default2"));
}

TEST(ScanRulesTest, ComposedFolderAndItsLimits) {
    EXPECT_EQ("C:\\FS2002\\aircraft\\c172\\panel\\", ComposePanelFolder("C:\\FS2002", "c172", "panel"));
    EXPECT_EQ("\\aircraft\\c172\\panel\\", ComposePanelFolder("", "c172", "panel"));

    // The backup copy is the longest file an edit puts there: folder + 16 characters.
    const std::string fits = "C:\\" + std::string(kMaxPathChars - 16 - 4, 'a') + "\\";
    ASSERT_EQ(kMaxPathChars - 16, fits.size());
    EXPECT_TRUE(PanelFolderUsable(fits));
    EXPECT_FALSE(PanelFolderUsable("C:\\a" + fits.substr(3)));
    EXPECT_FALSE(PanelFolderUsable("C:\\FS\\aircraft\\b?e\\panel\\"));
}

TEST(ScanRulesTest, UnlistedItemText) {
    EXPECT_EQ("", UnlistedItemText(0, 0));
    EXPECT_EQ("Not listed: 1 panel folder in 1 aircraft folder", UnlistedItemText(1, 1));
    EXPECT_EQ("Not listed: 12 panel folders in 3 aircraft folders", UnlistedItemText(12, 3));
    EXPECT_EQ("Not listed: 2 aircraft folders", UnlistedItemText(0, 2));
}

}  // namespace
}  // namespace catalogue
