#include "panelcfg/gps_window_set_edit.h"

#include "panelcfg/gps_window_set_layout.h"
#include "panelcfg/panel_inspection.h"
#include "panel_test_support.h"
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <string>

namespace panelcfg {
namespace {

using panelcfg_test::Exists;
using panelcfg_test::Listing;
using panelcfg_test::ReadFile;
using panelcfg_test::TempFolder;
using panelcfg_test::WithoutBlankLines;
using panelcfg_test::WriteFile;

const std::string kWorkedExample =
    "// Panel Configuration file\r\n"
    "\r\n"
    "[Window Titles]\r\n"
    "Window00=Main Panel\r\n"
    "Window01=Radio Stack\r\n"
    "Window02=Compass\r\n"
    "Window04=Overhead\r\n"
    "\r\n"
    "[Window00]\r\n"
    "file=panel.bmp\r\n"
    "size_mm=640,480\r\n"
    "position=7\r\n"
    "visible=1\r\n"
    "ident=MAIN_PANEL\r\n"
    "gauge00=Cessna!Airspeed,  10,20   // knots\r\n"
    "\r\n"
    "[Window01]\r\n"
    "size_mm=200,100\r\n"
    "gauge00=Bendix_King_Radio!Bendix-King Radio NAV,0,0,200,100\r\n"
    "\r\n"
    "[Vcockpit01]\r\n"
    "file=vc.bmp\r\n";

// What the install into slots 3, 5, 6 and 7 at W = 640 leaves.
const std::string kWorkedExampleInstalled =
    "// Panel Configuration file\r\n"
    "\r\n"
    "[Window Titles]\r\n"
    "Window00=Main Panel\r\n"
    "Window01=Radio Stack\r\n"
    "Window02=Compass\r\n"
    "Window04=Overhead\r\n"
    "Window03=Skyvantage 530 MiniStack\r\n"
    "Window05=Skyvantage 530 GPS\r\n"
    "Window06=Skyvantage 530 AVIONICS\r\n"
    "Window07=Skyvantage 530 VOR\r\n"
    "\r\n"
    "[Window00]\r\n"
    "file=panel.bmp\r\n"
    "size_mm=640,480\r\n"
    "position=7\r\n"
    "visible=1\r\n"
    "ident=MAIN_PANEL\r\n"
    "gauge00=Cessna!Airspeed,  10,20   // knots\r\n"
    "\r\n"
    "[Window01]\r\n"
    "size_mm=200,100\r\n"
    "gauge00=Bendix_King_Radio!Bendix-King Radio NAV,0,0,200,100\r\n"
    "\r\n"
    "[Vcockpit01]\r\n"
    "file=vc.bmp\r\n"
    "[Window03]\r\n"
    "size_mm=50,80\r\n"
    "position=0\r\n"
    "visible=1\r\n"
    "ident=12600\r\n"
    "gauge00=Skyvantage_Aerolith!MiniStack,0,0,50,80,12601 12602 12603\r\n"
    "[Window05]\r\n"
    "BACKGROUND_COLOR=2,2,2\r\n"
    "size_mm=312,225\r\n"
    "window_size_ratio=1.0\r\n"
    "position=2\r\n"
    "visible=0\r\n"
    "ident=12601\r\n"
    "gauge00=Skyvantage_Aerolith!GNS530,0,0,312,225\r\n"
    "[Window06]\r\n"
    "BACKGROUND_COLOR=2,2,2\r\n"
    "size_mm=312,189\r\n"
    "window_size_ratio=1.0\r\n"
    "position=8\r\n"
    "visible=0\r\n"
    "ident=12602\r\n"
    "gauge00=Skyvantage_Aerolith!GMA340,0,0,312,62\r\n"
    "gauge01=Skyvantage_Aerolith!GTX327,0,62,312,81\r\n"
    "gauge02=Bendix_King_Radio!Bendix-King Radio ADF,0,143,156,45\r\n"
    "gauge03=Bendix_King_Radio!Bendix-King Radio AP,156,143,156,45\r\n"
    "[Window07]\r\n"
    "BACKGROUND_COLOR=2,2,2\r\n"
    "size_mm=150,150\r\n"
    "window_size_ratio=1.0\r\n"
    "position=6\r\n"
    "visible=0\r\n"
    "ident=12603\r\n"
    "gauge00=Skyvantage_Aerolith!GI106A,0,0,150,150\r\n";

std::string Titles(std::uint32_t taken) {
    std::string text = "[Window Titles]\r\n";
    for (int slot = 0; slot < 32; ++slot) {
        if (taken & (1u << slot)) text += SlotKey(slot) + "=Window " + std::to_string(slot) + "\r\n";
    }
    return text;
}

class GpsWindowSetEditTest : public ::testing::Test {
protected:
    void Write(const std::string& text) { WriteFile(temp_.File(), text); }
    std::string Read() const { return ReadFile(temp_.File()); }
    bool BackupExists() const { return Exists(temp_.File("panel.cfg_backup")); }
    EditOutcome Install(std::uint32_t mask, double width = 640.0) { return InstallIntoFile(temp_.Folder(), mask, width); }
    EditOutcome Remove() { return RemoveFromFile(temp_.Folder()); }
    TempFolder temp_;
};

TEST_F(GpsWindowSetEditTest, WorkedExampleLineForLine) {
    Write(kWorkedExample);
    const EditOutcome out = Install(23);
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_EQ(1, out.result);
    EXPECT_EQ((std::array<int, 4>{{3, 5, 6, 7}}), out.slots);
    EXPECT_EQ(kWorkedExampleInstalled, Read());
    EXPECT_FALSE(BackupExists());
    EXPECT_EQ("panel.cfg;", Listing(temp_.Path()));
}

TEST_F(GpsWindowSetEditTest, SizesTruncateAtBothWidths) {
    const SetSizes at640 = ComputeSetSizes(640);
    EXPECT_EQ(50, at640.miniWidth);
    EXPECT_EQ(80, at640.miniHeight);
    EXPECT_EQ(312, at640.gpsWidth);  // 312.5
    EXPECT_EQ(225, at640.gpsHeight);
    EXPECT_EQ(189, at640.avionicsHeight);
    EXPECT_EQ(62, at640.audioHeight);  // 62.5
    EXPECT_EQ(81, at640.transponderHeight);
    EXPECT_EQ(143, at640.stackOffset);
    EXPECT_EQ(156, at640.radioWidth);
    EXPECT_EQ(45, at640.radioHeight);
    EXPECT_EQ(150, at640.vorSize);

    const auto writes = GpsWindowSetWrites({{0, 1, 2, 3}}, 1024);
    ASSERT_EQ(33u, writes.size());
    auto value = [&writes](const std::string& section, const std::string& key) {
        for (const auto& w : writes) {
            if (w.section == section && w.key == key) return w.value;
        }
        return std::string("(missing)");
    };
    EXPECT_EQ("80,128", value("Window00", "size_mm"));
    EXPECT_EQ("Skyvantage_Aerolith!MiniStack,0,0,80,128,12601 12602 12603", value("Window00", "gauge00"));
    EXPECT_EQ("500,360", value("Window01", "size_mm"));
    EXPECT_EQ("500,303", value("Window02", "size_mm"));
    EXPECT_EQ("Skyvantage_Aerolith!GMA340,0,0,500,100", value("Window02", "gauge00"));
    EXPECT_EQ("Skyvantage_Aerolith!GTX327,0,100,500,131", value("Window02", "gauge01"));
    EXPECT_EQ("Bendix_King_Radio!Bendix-King Radio ADF,0,231,250,72", value("Window02", "gauge02"));
    EXPECT_EQ("Bendix_King_Radio!Bendix-King Radio AP,250,231,250,72", value("Window02", "gauge03"));
    EXPECT_EQ("240,240", value("Window03", "size_mm"));
    EXPECT_EQ("Skyvantage 530 AVIONICS", value("Window Titles", "Window02"));

    // The largest width "size_mm" can give still fits an int; beyond it the install refuses.
    EXPECT_EQ(2097151999, ComputeSetSizes(4294967295.0).gpsWidth);
    EXPECT_FALSE(UsableWidth(-1.0));
    EXPECT_FALSE(UsableWidth(1e300));
}

TEST_F(GpsWindowSetEditTest, SlotChoiceTakesTheFourLowestFree) {
    struct Row {
        std::uint32_t taken;
        std::array<int, 4> slots;
    };
    const Row rows[] = {
        {0x00000000u, {{0, 1, 2, 3}}},
        {0x0000FFEFu, {{4, 16, 17, 18}}},
        {0x7FFEFFFEu, {{0, 16, 31, -1}}},  // three free: refused below
        {0x0FFFFFFFu, {{28, 29, 30, 31}}},  // exactly four free
        {0xAAAAAAAAu, {{0, 2, 4, 6}}},
    };
    for (const Row& row : rows) {
        Write(Titles(row.taken));
        const EditOutcome out = Install(row.taken);
        if (row.slots[3] < 0) {
            EXPECT_EQ(EditKind::NotEnoughSlots, out.kind);
            EXPECT_EQ(0, out.result);
            EXPECT_EQ("Not enough Window## available in the panel.cfg file", out.message);
            EXPECT_EQ(Titles(row.taken), Read());
            EXPECT_FALSE(BackupExists());
            continue;
        }
        ASSERT_EQ(EditKind::Done, out.kind) << out.message;
        EXPECT_EQ(row.slots, out.slots) << std::hex << row.taken;
        const SlotInventory after = TakeSlotInventory(profile::Document::Parse(Read()));
        std::uint32_t expected = row.taken;
        for (int slot : row.slots) expected |= 1u << slot;
        EXPECT_EQ(expected, after.slotMask);
    }
}

TEST_F(GpsWindowSetEditTest, MissingFileIsCreatedWithSlotsZeroToThree) {
    const EditOutcome out = Install(0);
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    const auto doc = profile::Document::Parse(Read());
    EXPECT_EQ((std::vector<std::string>{"Window00", "Window01", "Window02", "Window03", "Window Titles"}),
              doc.SectionNames());
    EXPECT_EQ((std::vector<std::string>{"Window00", "Window01", "Window02", "Window03"}), doc.KeyNames("Window Titles"));
    EXPECT_EQ("Skyvantage 530 VOR", *doc.Get("Window Titles", "Window03"));
    EXPECT_EQ("panel.cfg;", Listing(temp_.Path()));
}

TEST_F(GpsWindowSetEditTest, TitlesSectionCreatedAfterTheWindows) {
    Write("[Window00]\r\nsize_mm=1024,768\r\n");
    ASSERT_EQ(EditKind::Done, Install(1, 1024).kind);
    const auto doc = profile::Document::Parse(Read());
    EXPECT_EQ((std::vector<std::string>{"Window00", "Window01", "Window02", "Window03", "Window04", "Window Titles"}),
              doc.SectionNames());
}

TEST_F(GpsWindowSetEditTest, UntitledSectionIsNeverMergedInto) {
    const std::string radio = "[window03]\r\nsize_mm=10,10\r\ngauge00=Radio!Stack,0,0,10,10\r\n";
    Write(kWorkedExample + radio);
    const EditOutcome out = Install(23);
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_EQ((std::array<int, 4>{{5, 6, 7, 8}}), out.slots);
    const std::string text = Read();
    EXPECT_NE(std::string::npos, text.find(radio)) << text;
    EXPECT_EQ("10,10", *profile::Document::Parse(text).Get("Window03", "size_mm"));

    // Only three slots without a title or a section left: refused, nothing touched.
    std::string crowded = Titles(0x0FFFFFFFu) + "[Window29]\r\nsize_mm=1,1\r\n";
    Write(crowded);
    EXPECT_EQ(EditKind::NotEnoughSlots, Install(0x0FFFFFFFu).kind);
    EXPECT_EQ(crowded, Read());
}

TEST_F(GpsWindowSetEditTest, ExistingBackupIsReplacedThenDeleted) {
    Write(kWorkedExample);
    WriteFile(temp_.File("panel.cfg_backup"), "stale backup of another day");
    std::string backupDuringSave;
    profile::SetSaveFaultHook([&](const char* point, const std::string& path) {
        if (std::string(point) == "before-replace" && path == temp_.File())
            backupDuringSave = ReadFile(temp_.File("panel.cfg_backup"));
        return true;
    });
    const EditOutcome out = Install(23);
    profile::SetSaveFaultHook(nullptr);
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_EQ(kWorkedExample, backupDuringSave);
    EXPECT_FALSE(BackupExists());
}

TEST_F(GpsWindowSetEditTest, UnusableInputsAreRefusedWithoutAnEdit) {
    Write(kWorkedExample);
    EditOutcome out = Install(23, -640.0);
    EXPECT_EQ(EditKind::Failed, out.kind);
    EXPECT_NE(std::string::npos, out.message.find(temp_.File()));
    EXPECT_EQ(kWorkedExample, Read());

    const std::string longFolder = TempFolder::WithSeparator(temp_.Path().string() + std::string(250, 'f'));
    out = InstallIntoFile(longFolder, 0, 640);
    EXPECT_EQ(EditKind::PathTooLong, out.kind);
    EXPECT_NE(std::string::npos, out.message.find("too long"));
    EXPECT_EQ(EditKind::PathTooLong, RemoveFromFile(longFolder).kind);
}

TEST_F(GpsWindowSetEditTest, LongestFilePathLeavesRoomForTheBackup) {
    const std::string base = temp_.Folder();
    ASSERT_LT(base.size() + 20, 252u);
    for (const std::size_t length : {std::size_t{252}, std::size_t{253}}) {
        const std::string name(length - base.size() - 1 - 9, static_cast<char>('a' + length % 26));
        std::filesystem::create_directory(base + name);
        const std::string folder = TempFolder::WithSeparator(base + name);
        ASSERT_EQ(length, (folder + "panel.cfg").size());
        const EditOutcome out = InstallIntoFile(folder, 0, 640);
        if (length == 252) {
            EXPECT_EQ(EditKind::Done, out.kind) << out.message;
            EXPECT_TRUE(Exists(folder + "panel.cfg"));
        } else {
            EXPECT_EQ(EditKind::PathTooLong, out.kind);
            EXPECT_FALSE(Exists(folder + "panel.cfg"));
        }
    }
}

TEST_F(GpsWindowSetEditTest, RemovalRestoresTheWorkedExample) {
    Write(kWorkedExampleInstalled);
    const EditOutcome out = Remove();
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_EQ(1, out.result);
    EXPECT_TRUE(out.inventoryKnown);
    EXPECT_EQ(23u, out.slotMask);
    EXPECT_EQ(WithoutBlankLines(kWorkedExample), WithoutBlankLines(Read()));
    EXPECT_EQ("panel.cfg;", Listing(temp_.Path()));
}

TEST_F(GpsWindowSetEditTest, RemovalTakesEveryCopyOfTheSet) {
    Write(kWorkedExample);
    ASSERT_EQ(EditKind::Done, Install(23).kind);
    ASSERT_EQ(EditKind::Done, Install(23 | 0xE8u).kind);  // second copy into 8, 9, 10, 11
    ASSERT_EQ(0xFFFu, TakeSlotInventory(profile::Document::Parse(Read())).slotMask);

    const EditOutcome out = Remove();
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_EQ(23u, out.slotMask);
    EXPECT_EQ(WithoutBlankLines(kWorkedExample), WithoutBlankLines(Read()));
}

TEST_F(GpsWindowSetEditTest, RemovalMatchesOnlyExactTitlesOnTwoDigitKeys) {
    const std::string text =
        "[Window Titles]\r\n"
        "Window00=Skyvantage 530 GPS Plus\r\n"   // prefix only: passes the guard, stays
        "Window5=Skyvantage 530 GPS\r\n"         // one-digit key: stays
        "Window06=skyvantage 530 VOR\r\n"        // case differs: stays
        "Window07=Skyvantage 530 avionics\r\n"
        "[Window00]\r\ngauge00=Skyvantage_Aerolith!GNS530,0,0,1,1\r\n"
        "[Window05]\r\nsize_mm=1,1\r\n"
        "[Window06]\r\nsize_mm=1,1\r\n";
    Write(text);
    const EditOutcome out = Remove();
    EXPECT_EQ(EditKind::Done, out.kind);
    EXPECT_EQ(1, out.result);
    EXPECT_EQ(text, Read());
    EXPECT_EQ("panel.cfg;", Listing(temp_.Path()));

    // With one exact title among them only that title and its section go.
    WriteFile(temp_.File(), "[Window Titles]\r\nWindow09=Skyvantage 530 MiniStack\r\nWindow5=Skyvantage 530 GPS\r\n"
                            "Window12=Skyvantage 530 AVIONICS\r\n[Window09]\r\nsize_mm=2,2\r\n[Window05]\r\nsize_mm=1,1\r\n");
    ASSERT_EQ(EditKind::Done, Remove().kind);
    EXPECT_EQ("[Window Titles]\r\nWindow5=Skyvantage 530 GPS\r\n[Window05]\r\nsize_mm=1,1\r\n", Read());
}

TEST_F(GpsWindowSetEditTest, RemovalWithoutTheSetTouchesNothing) {
    const std::string text = "[Window Titles]\r\nWindow00=Main\r\nWindow01=SKYVANTAGE 530 GPS\r\n";
    Write(text);
    const EditOutcome out = Remove();
    EXPECT_EQ(EditKind::NoSet, out.kind);
    EXPECT_EQ(0, out.result);
    EXPECT_TRUE(out.inventoryKnown);
    EXPECT_EQ(3u, out.slotMask);
    EXPECT_EQ(text, Read());

    std::filesystem::remove(temp_.File());
    EXPECT_EQ(EditKind::NoSet, Remove().kind);
    EXPECT_FALSE(Exists(temp_.File()));
}

TEST_F(GpsWindowSetEditTest, RemovalReplacesAnExistingBackupThenDeletesIt) {
    Write(kWorkedExampleInstalled);
    WriteFile(temp_.File("panel.cfg_backup"), "stale");
    ASSERT_EQ(EditKind::Done, Remove().kind);
    EXPECT_FALSE(BackupExists());
}

}  // namespace
}  // namespace panelcfg
