#include "catalogue/aircraft_scan.h"
#include "catalogue/item_data.h"

#include "support/TestSupport.h"

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
    // left-out folders reads as an aircraft no scan numbers, so selecting it does nothing.
    EXPECT_EQ(ItemClass::Root, DecodeItemData(kRootItemData).cls);
    EXPECT_EQ(ItemClass::Aircraft, DecodeItemData(kOverflowItemData).cls);
    EXPECT_GE(kOverflowItemData, ScanLimits{}.maxAircraft);
}

}  // namespace
}  // namespace catalogue
