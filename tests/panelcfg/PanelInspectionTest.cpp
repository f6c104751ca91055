// Panel inspection: the slot inventory, alias and marker rules, and all three from one file.
#include "panelcfg/panel_inspection.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace panelcfg {
namespace {

TEST(PanelInspectionTest, SlotInventoryFollowsTheTitleRules) {
    const std::string longTitle = "Skyvantage 530" + std::string(300, 'x');
    const struct { const char* name; std::string text; std::uint32_t mask; bool found; } rows[] = {
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
        const SlotInventory inventory = ReadSlotInventory(profile::Document::Parse(row.text));
        EXPECT_EQ(row.mask, inventory.slotMask) << row.name;
        EXPECT_EQ(row.found, inventory.setFound) << row.name;
    }
}

TEST(PanelInspectionTest, AliasPathComposition) {
    const std::string root = "C:\\FS";  // 5 + 10 ("\aircraft\") + value + 1 ("\")
    const struct {
        std::string root, text, path;  // path empty: too long, refused rather than cut
        bool present;
    } rows[] = {
        {"C:\\FS2002", "[fltsim]\r\nalias=c172\\panel\r\n", "C:\\FS2002\\aircraft\\c172\\panel\\", true},
        {"C:\\FS2002", "[fltsim]\r\nalias=c172\\panel\\\r\n", "C:\\FS2002\\aircraft\\c172\\panel\\", true},
        {"C:\\FS2002", "[FLTSIM]\r\nAlias=\r\n", "C:\\FS2002\\aircraft\\", true},
        {"", "[fltsim]\r\nalias=c172\\panel\r\n", "\\aircraft\\c172\\panel\\", true},
        // 259 characters fit; one more is refused rather than cut.
        {root, "[fltsim]\r\nalias=" + std::string(243, 'a') + "\r\n", root + "\\aircraft\\" + std::string(243, 'a') + "\\",
         true},
        {root, "[fltsim]\r\nalias=" + std::string(244, 'a') + "\r\n", "", true},
        {root, "[fltsim]\r\nalias=notfound\r\n", "", false},
        {root, "[fltsim]\r\nother=x\r\n", "", false},
    };
    for (const auto& row : rows) {
        const PanelAlias alias = ReadPanelAlias(profile::Document::Parse(row.text), row.root);
        EXPECT_EQ(row.present, alias.present) << row.text;
        EXPECT_EQ(row.path, alias.path) << row.text;
        EXPECT_EQ(row.present && row.path.empty(), alias.tooLong) << row.text;
    }
}

TEST(PanelInspectionTest, MarkerFoundAnywhereOnAnyLine) {
    const struct {
        std::string text;
        bool found;
    } rows[] = {
        {"[Vcockpit01]\r\ngauge00=Skyvantage_Aerolith!GNS530,0,0,10,10\r\n", true},
        {"// Skyvantage_Aerolith gauges removed\r\n", true},
        {"gauge00=skyvantage_aerolith!GNS530\r\n", false},
        {"Skyvantage_\r\nAerolith\r\n", false},
        // Straddling the 1023-character pieces the C runtime would read: still a line holding it.
        {std::string(1015, 'x') + "Skyvantage_Aerolith" + std::string(2000, 'y'), true},
        {std::string("a\0b", 3) + "Skyvantage_Aerolith", true},
    };
    for (const auto& row : rows) EXPECT_EQ(row.found, ScanForModuleMarker(row.text)) << row.text.substr(0, 60);
}

TEST(PanelInspectionFileTest, InspectPanelAnswersAllThreeFromOneFile) {
    pwtest::TempFolder temp;
    const auto write = [&](const std::string& text) { pwtest::WriteBytes(temp.Path("panel.cfg"), text); };
    write("[fltsim]\r\nalias=beech\\panel\r\n[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 GPS\r\n"
          "[Window01]\r\ngauge00=Skyvantage_Aerolith!GNS530,0,0,1,1\r\n");
    const PanelFacts facts = InspectPanel(temp.Folder(), "D:\\Sim");
    EXPECT_TRUE(facts.alias.present);
    EXPECT_EQ("D:\\Sim\\aircraft\\beech\\panel\\", facts.alias.path);
    EXPECT_FALSE(facts.alias.tooLong);
    EXPECT_EQ(3u, facts.inventory.slotMask);
    EXPECT_TRUE(facts.inventory.setFound);
    EXPECT_TRUE(facts.marker);
    // The marker beyond the first kilobyte of a line, in a file without any other fact.
    write("[Window Titles]\r\n;" + std::string(1020, 'c') + "Skyvantage_Aerolith\r\n");
    EXPECT_TRUE(InspectPanel(temp.Folder(), "").marker);

    // A missing file answers no to all.
    std::filesystem::remove(temp.Path("panel.cfg"));
    const PanelFacts none = InspectPanel(temp.Folder(), "D:\\Sim");
    EXPECT_FALSE(none.alias.present || none.inventory.setFound || none.marker);
    EXPECT_EQ(0u, none.inventory.slotMask);
}

}  // namespace
}  // namespace panelcfg
