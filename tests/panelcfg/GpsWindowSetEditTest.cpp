// The install and the removal as edits of one panel.cfg: the worked example line for line, the
// slot choice, the sizes, what the removal takes and leaves, and every fault leaving the file
// byte for byte as it was.
#include "panelcfg/gps_window_set.h"

#include "panelcfg/gps_window_set_layout.h"
#include "panelcfg/panel_inspection.h"
#include "platform/profile_file.h"
#include "support/FaultyFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace panelcfg {
namespace {

namespace fs = std::filesystem;
using pwtest::ListFolder;
using pwtest::ReadBytes;
using pwtest::WriteBytes;

// A golden file of tests/panelcfg/golden: the worked example (slots 0, 1, 2 and 4 have titles,
// so the set goes to 3, 5, 6 and 7) and what the install at W = 640 makes of it.
std::string Golden(const std::string& name) {
    const char* source = std::getenv("PW_SOURCE_DIR");
    const std::string bytes = ReadBytes(std::string(source ? source : ".") + "/tests/panelcfg/golden/" + name);
    EXPECT_NE("", bytes) << "golden file " << name << " missing; PW_SOURCE_DIR names the source tree";
    return bytes;
}

// Lines without their line ends, blank lines dropped: the removal may leave blank lines behind.
std::string WithoutBlankLines(const std::string& text) {
    std::string out, line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos) out += line + "\n";
    }
    return out;
}

std::string Titles(std::uint32_t taken) {
    std::string text = "[Window Titles]\r\n";
    for (int slot = 0; slot < 32; ++slot) {
        if (taken & (1u << slot)) text += SlotKey(slot) + "=Window " + std::to_string(slot) + "\r\n";
    }
    return text;
}

class GpsWindowSetEditTest : public ::testing::Test {
protected:
    std::string File(const char* name = "panel.cfg") const { return temp_.Path(name); }
    void Write(const std::string& text) { WriteBytes(File(), text); }
    std::string Read() const { return ReadBytes(File()); }
    std::string Listing() const { return ListFolder(temp_.Folder()); }
    EditOutcome Install(std::uint32_t mask, double width = 640.0, profile::FileSystem& files = profile::SystemFiles()) {
        return InstallGpsWindowSet(temp_.FolderWithSeparator(), mask, width, files);
    }
    EditOutcome Remove(profile::FileSystem& files = profile::SystemFiles()) {
        return RemoveGpsWindowSet(temp_.FolderWithSeparator(), files);
    }
    pwtest::TempFolder temp_;
    const std::string example_ = Golden("worked_example.cfg");            // the worked example
    const std::string installed_ = Golden("worked_example_installed.cfg");  // after the install at 640
};

TEST_F(GpsWindowSetEditTest, WorkedExampleInstallsLineForLineAndRemovesAgain) {
    Write(example_);
    EditOutcome out = Install(23);
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_EQ((std::array<int, 4>{{3, 5, 6, 7}}), out.slots);
    EXPECT_EQ(installed_, Read());
    EXPECT_EQ("panel.cfg;", Listing());

    out = Remove();
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_TRUE(out.inventoryKnown);
    EXPECT_EQ(23u, out.slotMask);
    EXPECT_EQ(WithoutBlankLines(example_), WithoutBlankLines(Read()));
    EXPECT_EQ("panel.cfg;", Listing());
}

TEST_F(GpsWindowSetEditTest, SizesAt1024TruncateAndHugeWidthsAreRefused) {
    std::map<std::string, std::string> writes;  // "section key" to value
    for (const ProfileWrite& w : GpsWindowSetWrites({{0, 1, 2, 3}}, 1024)) writes[w.section + " " + w.key] = w.value;
    ASSERT_EQ(33u, writes.size());
    const std::pair<const char*, const char*> expected[] = {
        {"Window00 size_mm", "80,128"},
        {"Window00 gauge00", "Skyvantage_Aerolith!MiniStack,0,0,80,128,12601 12602 12603"},
        {"Window01 size_mm", "500,360"},
        {"Window02 size_mm", "500,303"},
        {"Window02 gauge00", "Skyvantage_Aerolith!GMA340,0,0,500,100"},
        {"Window02 gauge01", "Skyvantage_Aerolith!GTX327,0,100,500,131"},
        {"Window02 gauge02", "Bendix_King_Radio!Bendix-King Radio ADF,0,231,250,72"},
        {"Window02 gauge03", "Bendix_King_Radio!Bendix-King Radio AP,250,231,250,72"},
        {"Window03 size_mm", "240,240"},
        {"Window Titles Window02", "Skyvantage 530 AVIONICS"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(value, writes[key]) << key;
    // The largest width "size_mm" can give still fits an int; beyond it the install refuses.
    EXPECT_EQ(2097151999, ComputeSetSizes(4294967295.0).gpsWidth);
    EXPECT_FALSE(UsableWidth(-1.0));
    EXPECT_FALSE(UsableWidth(1e300));
    Write(example_);
    const EditOutcome out = Install(23, -640.0);
    EXPECT_EQ(EditKind::Failed, out.kind);
    EXPECT_NE(std::string::npos, out.message.find(File())) << out.message;
    EXPECT_EQ(example_, Read());
}

TEST_F(GpsWindowSetEditTest, SlotChoiceTakesTheFourLowestFree) {
    const struct {
        std::uint32_t taken;
        std::array<int, 4> slots;  // -1: refused
    } rows[] = {
        {0x00000000u, {{0, 1, 2, 3}}},
        {0x0000FFEFu, {{4, 16, 17, 18}}},
        {0x7FFEFFFEu, {{0, 16, 31, -1}}},   // three free
        {0x0FFFFFFFu, {{28, 29, 30, 31}}},  // exactly four free
        {0xAAAAAAAAu, {{0, 2, 4, 6}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.taken);
        Write(Titles(row.taken));
        const EditOutcome out = Install(row.taken);
        if (row.slots[3] < 0) {
            EXPECT_EQ(EditKind::NotEnoughSlots, out.kind);
            EXPECT_EQ("Not enough Window## available in the panel.cfg file", out.message);
            EXPECT_EQ(Titles(row.taken) + "panel.cfg;", Read() + Listing());
            continue;
        }
        ASSERT_EQ(EditKind::Done, out.kind) << out.message;
        EXPECT_EQ(row.slots, out.slots);
        std::uint32_t expected = row.taken;
        for (int slot : row.slots) expected |= 1u << slot;
        EXPECT_EQ(expected, ReadSlotInventory(profile::Document::Parse(Read())).slotMask);
    }
}

TEST_F(GpsWindowSetEditTest, TitlesSectionIsCreatedAfterTheWindows) {
    // A missing panel.cfg gets slots 0 to 3; a file without "Window Titles" gets one at the end.
    ASSERT_EQ(EditKind::Done, Install(0).kind);
    auto doc = profile::Document::Parse(Read());
    EXPECT_EQ((std::vector<std::string>{"Window00", "Window01", "Window02", "Window03", "Window Titles"}),
              doc.SectionHeaders());
    EXPECT_EQ((std::vector<std::string>{"Window00", "Window01", "Window02", "Window03"}), doc.KeyLines("Window Titles"));
    EXPECT_EQ("Skyvantage 530 VOR", doc.Get("Window Titles", "Window03").value_or("missing"));

    Write("[Window00]\r\nsize_mm=1024,768\r\n");
    ASSERT_EQ(EditKind::Done, Install(1, 1024).kind);
    doc = profile::Document::Parse(Read());
    EXPECT_EQ((std::vector<std::string>{"Window00", "Window01", "Window02", "Window03", "Window04", "Window Titles"}),
              doc.SectionHeaders());
}

TEST_F(GpsWindowSetEditTest, UntitledSectionIsNeverMergedInto) {
    // Only three slots without a title or a section left: refused, nothing touched.
    const std::string crowded = Titles(0x0FFFFFFFu) + "[Window29]\r\nsize_mm=1,1\r\n";
    Write(crowded);
    EXPECT_EQ(EditKind::NotEnoughSlots, Install(0x0FFFFFFFu).kind);
    EXPECT_EQ(crowded, Read());
}

TEST_F(GpsWindowSetEditTest, ExistingBackupIsReplacedThenDeleted) {
    for (const std::string& start : {example_, installed_}) {
        Write(start);
        WriteBytes(File("panel.cfg_backup"), "stale backup of another day");
        std::string backupDuringSave;
        pwtest::FaultyFiles files([&](pwtest::SaveStep step, const std::string&, const std::string& target) {
            if (step == pwtest::SaveStep::Replace && target == File()) backupDuringSave = ReadBytes(File("panel.cfg_backup"));
            return profile::Error{};
        });
        const EditOutcome out = start == example_ ? Install(23, 640.0, files) : Remove(files);
        ASSERT_EQ(EditKind::Done, out.kind) << out.message;
        EXPECT_EQ(start, backupDuringSave);
        EXPECT_EQ("panel.cfg;", Listing());
    }
}

TEST_F(GpsWindowSetEditTest, LongestFilePathLeavesRoomForTheBackup) {
    const std::string base = temp_.FolderWithSeparator();
    ASSERT_LT(base.size() + 20, 252u);
    for (const std::size_t length : {std::size_t{252}, std::size_t{253}}) {
        const std::string name(length - base.size() - 1 - 9, static_cast<char>('a' + length % 26));
        fs::create_directory(base + name);
        const std::string folder = base + name + pwtest::kSeparator;
        ASSERT_EQ(length, (folder + "panel.cfg").size());
        const EditOutcome out = InstallGpsWindowSet(folder, 0, 640);
        if (length == 252) {
            EXPECT_EQ(EditKind::Done, out.kind) << out.message;
            EXPECT_TRUE(pwtest::Exists(folder + "panel.cfg"));
        } else {
            EXPECT_EQ(EditKind::PathTooLong, out.kind);
            EXPECT_NE(std::string::npos, out.message.find("too long")) << out.message;
            EXPECT_FALSE(pwtest::Exists(folder + "panel.cfg"));
            EXPECT_EQ(EditKind::PathTooLong, RemoveGpsWindowSet(folder).kind);
        }
    }
}

TEST_F(GpsWindowSetEditTest, RemovalTakesEveryCopyOfTheSet) {
    Write(example_);
    ASSERT_EQ(EditKind::Done, Install(23).kind);
    ASSERT_EQ(EditKind::Done, Install(23 | 0xE8u).kind);  // second copy into 8, 9, 10, 11
    ASSERT_EQ(0xFFFu, ReadSlotInventory(profile::Document::Parse(Read())).slotMask);
    const EditOutcome out = Remove();
    ASSERT_EQ(EditKind::Done, out.kind) << out.message;
    EXPECT_EQ(23u, out.slotMask);
    EXPECT_EQ(WithoutBlankLines(example_), WithoutBlankLines(Read()));
}

TEST_F(GpsWindowSetEditTest, RemovalMatchesOnlyExactTitlesOnTwoDigitKeys) {
    const struct {
        const char* name;
        std::string text;
        EditKind kind;
        const char* after;  // nullptr: unchanged
    } rows[] = {
        {"near misses stay",
         "[Window Titles]\r\n"
         "Window00=Skyvantage 530 GPS Plus\r\n"  // prefix only: passes the guard, stays
         "Window5=Skyvantage 530 GPS\r\n"        // one-digit key
         "Window06=skyvantage 530 VOR\r\n"       // case differs
         "Window07=Skyvantage 530 avionics\r\n"
         "[Window00]\r\ngauge00=Skyvantage_Aerolith!GNS530,0,0,1,1\r\n[Window05]\r\nsize_mm=1,1\r\n"
         "[Window06]\r\nsize_mm=1,1\r\n",
         EditKind::Done, nullptr},
        {"the exact title and its section go",
         "[Window Titles]\r\nWindow09=Skyvantage 530 MiniStack\r\nWindow5=Skyvantage 530 GPS\r\n"
         "Window12=Skyvantage 530 AVIONICS\r\n[Window09]\r\nsize_mm=2,2\r\n[Window05]\r\nsize_mm=1,1\r\n",
         EditKind::Done, "[Window Titles]\r\nWindow5=Skyvantage 530 GPS\r\n[Window05]\r\nsize_mm=1,1\r\n"},
        {"no title begins with the set's prefix", "[Window Titles]\r\nWindow00=Main\r\nWindow01=SKYVANTAGE 530 GPS\r\n",
         EditKind::NoSet, nullptr},
    };
    for (const auto& row : rows) {
        Write(row.text);
        const EditOutcome out = Remove();
        EXPECT_EQ(row.kind, out.kind) << row.name;
        EXPECT_TRUE(out.inventoryKnown) << row.name;
        EXPECT_EQ(row.after ? row.after : row.text, Read()) << row.name;
        EXPECT_EQ("panel.cfg;", Listing()) << row.name;
    }
    EXPECT_EQ(3u, Remove().slotMask);
    // Nor is a missing file or folder created: the guard answers no, silently.
    fs::remove(File());
    EXPECT_EQ(EditKind::NoSet, Remove().kind);
    EXPECT_EQ(EditKind::NoSet, RemoveGpsWindowSet(temp_.Path("gone") + pwtest::kSeparator).kind);
    EXPECT_EQ("", Listing());
}

// Faults. Each must answer 0, leave panel.cfg as it was, name it in the message and leave no
// stray file; each is tried on an install and on a removal.
const std::string kPlain = "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nsize_mm=640,480\r\nfile=panel.bmp\r\n";
const std::string kWithSet = "[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 MiniStack\r\n\r\n"
                             "[Window00]\r\nsize_mm=640,480\r\n[Window01]\r\nsize_mm=50,80\r\nident=12600\r\n";

using pwtest::FailAt;
using pwtest::FaultyFiles;
using pwtest::SaveStep;

// A save that reports success but leaves other bytes behind: the temporary file is spoilt just
// before it replaces panel.cfg. With failRestore the rollback's own saves fail as well.
FaultyFiles::Fault SpoiltSave(const std::string& file, bool failRestore) {
    auto spoilt = std::make_shared<bool>(false);
    return [=](SaveStep step, const std::string& temp, const std::string& target) {
        if (step == SaveStep::Replace && target == file && !*spoilt) {
            std::ofstream(temp, std::ios::binary | std::ios::app) << "junk";
            *spoilt = true;
        } else if (*spoilt && failRestore && step == SaveStep::Create) {
            return pwtest::SystemFailure(step, target);
        }
        return profile::Error{};
    };
}

TEST_F(GpsWindowSetEditTest, FaultsLeaveTheFileAsItWas) {
    const std::string theirs = "[Window Titles]\r\nWindow00=Edited elsewhere\r\n";
    const std::string utf16("\xFF\xFE[\0W\0]\0\r\0\n\0", 12);
    const FaultyFiles::Fault none = [](SaveStep, const std::string&, const std::string&) { return profile::Error{}; };
    const struct {
        const char* name;
        const char* says;
        FaultyFiles::Fault fault;
        bool readOnly;               // panel.cfg read-only
        const std::string* start;    // nullptr: the panel suiting the edit
        const std::string* leaves;   // nullptr: the start
    } faults[] = {
        {"read-only file", "administrator", none, true, nullptr, nullptr},
        // The system refuses to create files there, as it refuses a user without rights.
        {"read-only folder", "administrator", FailAt(SaveStep::Create), false, nullptr, nullptr},
        {"save fails while writing", "as it was before", FailAt(SaveStep::Write, File()), false, nullptr, nullptr},
        {"save fails replacing", "as it was before", FailAt(SaveStep::Replace, File()), false, nullptr, nullptr},
        {"wrong bytes after the save", "Checking the saved file failed", nullptr, false, nullptr, nullptr},
        // Another program writes while the backup copy is made, after the file was read.
        {"changed on disk", "changed",
         [&](SaveStep step, const std::string&, const std::string& target) {
             if ((step == SaveStep::Write || step == SaveStep::Link) && target == File("panel.cfg_backup")) Write(theirs);
             return profile::Error{};
         },
         false, nullptr, &theirs},
        {"UTF-16 file", "ANSI", none, false, &utf16, nullptr},
    };
    for (const auto& fault : faults) {
        for (const bool install : {true, false}) {
            SCOPED_TRACE(testing::Message() << fault.name << (install ? ", install" : ", removal"));
            const std::string& start = fault.start ? *fault.start : install ? kPlain : kWithSet;
            Write(start);
            pwtest::SetReadOnly(File(), fault.readOnly);
            // A spoilt save spoils once, so each edit gets one of its own.
            FaultyFiles files(fault.fault ? fault.fault : SpoiltSave(File(), false));
            const EditOutcome out = install ? Install(1, 640.0, files) : Remove(files);
            pwtest::SetReadOnly(File(), false);
            EXPECT_EQ(EditKind::Failed, out.kind);
            EXPECT_EQ(fault.leaves ? *fault.leaves : start, Read());
            EXPECT_NE(std::string::npos, out.message.find(File())) << out.message;
            EXPECT_NE(std::string::npos, out.message.find(fault.says)) << out.message;
            EXPECT_EQ("panel.cfg;", Listing());
        }
    }
}

TEST_F(GpsWindowSetEditTest, BackupIsKeptWhenTheRollbackFails) {
    for (const bool install : {true, false}) {
        Write(install ? kPlain : kWithSet);
        FaultyFiles files(SpoiltSave(File(), true));
        const EditOutcome out = install ? Install(1, 640.0, files) : Remove(files);
        EXPECT_EQ(EditKind::Failed, out.kind);
        EXPECT_EQ(install ? kPlain : kWithSet, ReadBytes(File("panel.cfg_backup")));
        EXPECT_NE(std::string::npos, out.message.find(File("panel.cfg_backup"))) << out.message;
        fs::remove(File("panel.cfg_backup"));
    }
}

TEST_F(GpsWindowSetEditTest, NothingIsCreatedWhenTheFileOrFolderIsMissing) {
    // A missing folder: the install names the file and makes neither.
    const std::string gone = temp_.Path("gone") + pwtest::kSeparator;
    const EditOutcome out = InstallGpsWindowSet(gone, 0, 640);
    EXPECT_EQ(EditKind::Failed, out.kind);
    EXPECT_NE(std::string::npos, out.message.find(gone + "panel.cfg")) << out.message;
    // A missing file whose first save fails stays missing.
    FaultyFiles files(FailAt(SaveStep::Write));
    EXPECT_EQ(EditKind::Failed, Install(0, 640.0, files).kind);
    EXPECT_EQ("", Listing());
}

}  // namespace
}  // namespace panelcfg
