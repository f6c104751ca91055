#include "catalogue/item_data.h"
#include "catalogue/scan_rules.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace catalogue {
namespace {

TEST(ItemDataTest, WordsEncodeAndDecodeKindPanelAndAircraft) {
    const struct { int panel; PanelKind kind; int aircraft; std::int32_t word; ItemClass cls; } rows[] = {
        {0, PanelKind::Plain, 0, 1000, ItemClass::Plain},
        {0, PanelKind::Alias, 0, 2000, ItemClass::Alias},
        {0, PanelKind::Foreign, 0, 3000, ItemClass::Foreign},
        {5, PanelKind::Plain, 2, 328682, ItemClass::Plain},
        {5, PanelKind::Alias, 2, 329682, ItemClass::Alias},
        {5, PanelKind::Foreign, 2, 330682, ItemClass::Foreign},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.word, MakePanelItemData(row.panel, row.kind, row.aircraft));
        const DecodedItem item = DecodeItemData(row.word);
        EXPECT_EQ(row.cls, item.cls) << row.word;
        EXPECT_EQ(row.panel, item.panel) << row.word;
        EXPECT_EQ(row.aircraft, item.aircraft) << row.word;
    }
    EXPECT_EQ(1002, DecodeItemData(328682).lowHalf);
    EXPECT_EQ(ItemClass::Aircraft, DecodeItemData(0).cls);
    EXPECT_EQ(0, DecodeItemData(0).aircraft);
    // The root is tested first: its low half 65535 would read as Foreign. The item that counts
    // left-out folders reads as an aircraft nobody has, so selecting it does nothing.
    EXPECT_EQ(ItemClass::Root, DecodeItemData(kRootItemData).cls);
    EXPECT_EQ(ItemClass::Aircraft, DecodeItemData(kOverflowItemData).cls);
    EXPECT_GE(DecodeItemData(kOverflowItemData).aircraft, kMaxAircraft);

    // Kinds stay apart up to the capacity, and a high half of all ones is still a panel.
    for (const auto& row : rows) {
        for (int panel : {kMaxPanels - 1, 0xFFFF}) {
            const DecodedItem item = DecodeItemData(MakePanelItemData(panel, row.kind, kMaxAircraft - 1));
            EXPECT_EQ(row.cls, item.cls) << panel;
            EXPECT_EQ(kMaxAircraft - 1, item.aircraft);
            EXPECT_EQ(panel, item.panel);
        }
    }
}

TEST(ScanRulesTest, FolderNamesThatCount) {
    for (const char* name : {"panel", "Panel", "PANEL.1", "panel_vc", "pAnElS"})
        EXPECT_TRUE(IsPanelFolderName(name)) << name;
    for (const char* name : {"pnl", "pane", "", "xpanel", "pane1", "\xD0" "anel"})
        EXPECT_FALSE(IsPanelFolderName(name)) << name;
    for (const char* name : {".", "..", "default"}) EXPECT_TRUE(IsSkippedAircraftName(name)) << name;
    for (const char* name : {"Default", "DEFAULT", "default2"}) EXPECT_FALSE(IsSkippedAircraftName(name)) << name;
}

TEST(ScanRulesTest, ComposedFolderAndItsLimits) {
    const std::string s(1, platform::kPathSeparator);
    EXPECT_EQ("C:" + s + "aircraft" + s + "c172" + s + "panel" + s, ComposePanelFolder("C:", "c172", "panel"));
    EXPECT_EQ(s + "aircraft" + s + "c172" + s + "panel" + s, ComposePanelFolder("", "c172", "panel"));

    // The backup copy is the longest file an edit puts there: folder + 16 characters.
    const std::string fits = "C:\\" + std::string(platform::kMaxPathChars - 16 - 4, 'a') + "\\";
    ASSERT_EQ(platform::kMaxPathChars - 16, fits.size());
    EXPECT_EQ(Unusable::No, CheckPanelFolder(fits));
    EXPECT_EQ(Unusable::PathTooLong, CheckPanelFolder("C:\\a" + fits.substr(3)));
    EXPECT_EQ(Unusable::NameUnspellable, CheckPanelFolder("C:\\FS\\aircraft\\b?e\\panel\\"));
}

TEST(ScanRulesTest, UnlistedItemText) {
    EXPECT_EQ("", UnlistedItemText(0, 0));
    EXPECT_EQ("Not listed: 1 panel folder in 1 aircraft folder", UnlistedItemText(1, 1));
    EXPECT_EQ("Not listed: 12 panel folders in 3 aircraft folders", UnlistedItemText(12, 3));
    EXPECT_EQ("Not listed: 2 aircraft folders", UnlistedItemText(0, 2));
}

}  // namespace
}  // namespace catalogue
