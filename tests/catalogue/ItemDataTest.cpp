#include "catalogue/item_data.h"
#include "catalogue/scan_rules.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace catalogue {
namespace {

TEST(ItemDataTest, WordsCarryKindPanelAndAircraftUpToTheCapacity) {
    EXPECT_EQ(328682, MakePanelItemData(5, PanelKind::Plain, 2));
    EXPECT_EQ(3000, MakePanelItemData(0, PanelKind::Foreign, 0));
    EXPECT_EQ(329682, MakePanelItemData(5, PanelKind::Alias, 2));
    const std::pair<PanelKind, ItemClass> kinds[] = {{PanelKind::Plain, ItemClass::Plain},
                                                     {PanelKind::Alias, ItemClass::Alias},
                                                     {PanelKind::Foreign, ItemClass::Foreign}};
    for (const auto& [kind, cls] : kinds) {
        // A high half of all ones is still a panel.
        for (int panel : {0, 5, kMaxPanels - 1, 0xFFFF}) {
            for (int aircraft : {0, 2, kMaxAircraft - 1}) {
                const DecodedItem item = DecodeItemData(MakePanelItemData(panel, kind, aircraft));
                EXPECT_EQ(cls, item.cls) << panel << " " << aircraft;
                EXPECT_EQ(panel, item.panel);
            }
        }
    }
    EXPECT_EQ(ItemClass::Aircraft, DecodeItemData(0).cls);
    // The root is tested first: its low half 65535 would read as Foreign. The item that counts
    // left-out folders reads as an aircraft nobody has, so selecting it does nothing.
    EXPECT_EQ(ItemClass::Root, DecodeItemData(kRootItemData).cls);
    EXPECT_EQ(ItemClass::Aircraft, DecodeItemData(kOverflowItemData).cls);
    EXPECT_GE(kOverflowItemData, kMaxAircraft);
}

TEST(ScanRulesTest, NamesFoldersAndTheirLimits) {
    for (const char* name : {"panel", "Panel", "PANEL.1", "panel_vc", "pAnElS"})
        EXPECT_TRUE(IsPanelFolderName(name)) << name;
    for (const char* name : {"pnl", "pane", "", "xpanel", "pane1",
                             "\xD0"
                             "anel"})
        EXPECT_FALSE(IsPanelFolderName(name)) << name;
    for (const char* name : {".", "..", "default"}) EXPECT_TRUE(IsSkippedAircraftName(name)) << name;
    for (const char* name : {"Default", "DEFAULT", "default2"}) EXPECT_FALSE(IsSkippedAircraftName(name)) << name;

    // The backup copy is the longest file an edit puts there: folder + 16 characters.
    const std::string fits = "C:\\" + std::string(platform::kMaxPathChars - 16 - 4, 'a') + "\\";
    EXPECT_EQ(Unusable::No, CheckPanelFolder(fits));
    EXPECT_EQ(Unusable::PathTooLong, CheckPanelFolder("C:\\a" + fits.substr(3)));
    EXPECT_EQ(Unusable::NameUnspellable, CheckPanelFolder("C:\\FS\\aircraft\\b?e\\panel\\"));

    EXPECT_EQ("", UnlistedItemText(0, 0));
    EXPECT_EQ("Not listed: 1 panel folder in 1 aircraft folder", UnlistedItemText(1, 1));
    EXPECT_EQ("Not listed: 12 panel folders in 3 aircraft folders", UnlistedItemText(12, 3));
    EXPECT_EQ("Not listed: 2 aircraft folders", UnlistedItemText(0, 2));
}

}  // namespace
}  // namespace catalogue
