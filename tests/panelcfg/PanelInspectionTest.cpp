// Panel inspection, case by case from tests/panelcfg/inspection.txt (its head says the form).
#include "panelcfg/panel_inspection.h"

#include "support/TestSupport.h"

namespace panelcfg {
namespace {

class PanelInspectionTest : public testing::TestWithParam<pwtest::Case> {};

TEST_P(PanelInspectionTest, AnswersAsWritten) {
    for (const std::string& line : GetParam().lines) {
        SCOPED_TRACE(line.substr(0, 120));
        const std::vector<std::string> t = pwtest::Tokens(line);
        const auto arrow = std::find(t.begin(), t.end(), "=>");
        ASSERT_NE(t.end(), arrow);
        const bool rooted = t[0] == "alias" || t[0] == "inspect";
        std::string text;
        for (auto it = t.begin() + (rooted ? 2 : 1); it != arrow; ++it) text += pwtest::Text(*it);
        const std::string root = rooted ? pwtest::Text(t[1]) : "", answer = pwtest::Text(arrow[1]);
        const auto alias = [&](const PanelAlias& found) {
            EXPECT_EQ(answer != "none", found.present);
            EXPECT_EQ(answer == "too-long", found.tooLong);
            EXPECT_EQ(answer == "none" || answer == "too-long" ? "" : answer, found.path);
        };
        const auto inventory = [&](const SlotInventory& found, const std::string& mask, const std::string& set) {
            EXPECT_EQ(std::stoul(mask, nullptr, 0), found.slotMask);
            EXPECT_EQ(set == "yes", found.setFound);
        };
        const profile::Document doc = profile::Document::Parse(text);
        if (t[0] == "inventory") {
            inventory(ReadSlotInventory(doc), arrow[1], arrow[2]);
        } else if (t[0] == "alias") {
            alias(ReadPanelAlias(doc, root));
        } else if (t[0] == "marker") {
            EXPECT_EQ(answer == "yes", ScanForModuleMarker(text));
        } else {
            pwtest::TempFolder folder;
            if (t[2] != "none") pwtest::WriteBytes(folder.Path("panel.cfg"), text);
            const PanelFacts facts = InspectPanel(folder.Folder(), root);
            alias(facts.alias);
            inventory(facts.inventory, arrow[2], arrow[3]);
            EXPECT_EQ(arrow[4] == "yes", facts.marker);
        }
    }
}

PW_CASES(PanelInspectionTest, "tests/panelcfg/inspection.txt");

}  // namespace
}  // namespace panelcfg
