// The trainer's state from its uninstall text and INI file, its caption, and the toggle.
#include "host/trainer.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

namespace host {
namespace {

TEST(TrainerTest, TrainerFolderNeedsASecondDrivePath) {
    // An occurrence at the very start counts as the first one; the second search starts one
    // byte after the first match, so ":\:\" holds two.
    for (const char* text : {"C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\Uninst.isu\"",
                             "C:\\a D:\\b E:\\c", ":\\x C:\\y", "C:\\:\\"})
        EXPECT_TRUE(HasTrainerFolder(text)) << text;
    for (const char* text :
         {"\"C:\\Program Files\\GARMIN\\uninstall.exe\"", "uninstall.exe /quiet", "", ":\\uninstall.exe", "C:"})
        EXPECT_FALSE(HasTrainerFolder(text)) << text;
}

TEST(TrainerTest, DatabaseNamesMatchIgnoringCase) {
    for (const char* americas : {"AMERICAS.IMG", "americas.img"}) EXPECT_EQ(Database::Americas, DatabaseOf(americas));
    for (const char* international : {"INTRNATL.IMG", "IntrNatl.Img"})
        EXPECT_EQ(Database::International, DatabaseOf(international));
    for (const char* other : {"", "notfound", "GLOBAL.IMG", "AMERICAS", "AMERICAS.IMG.BAK", "XAMERICAS.IMG",
                              "INTERNATL.IMG"})
        EXPECT_EQ(std::nullopt, DatabaseOf(other)) << other;
}

// Each state with its caption; a press in any state but Ready writes nothing, and in Ready
// flips the database with only its line changed.
TEST(TrainerTest, StatesCaptionsAndTheToggle) {
    pwtest::TempFolder windows;
    const std::string ini = windows.Path("GARMINWT.INI");
    const std::string trainer = "C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\GNS Trainer\\Uninst.isu\"";
    const struct {
        std::optional<std::string> uninstall;
        std::string ini;  // empty: no file
        TrainerState state;
        const char* caption;
    } rows[] = {
        {std::nullopt, "[GNC500WT]\nJeppDB=AMERICAS.IMG\n", TrainerState::NotFound, "GNS Trainer Not Found"},
        {"\"C:\\GARMIN\\uninstall.exe\"", "", TrainerState::RegistryError, "GNS Trainer Registry Error"},
        {"", "", TrainerState::RegistryError, "GNS Trainer Registry Error"},  // value missing or too long
        {trainer, "", TrainerState::IniError, "GNS Trainer .INI DB Error"},  // no INI
        {trainer, "[GNC500WT]\nJeppDB=GLOBAL.IMG\n", TrainerState::IniError, "GNS Trainer .INI DB Error"},
        {trainer, "[GNC500WT]\nJeppDB=notfound\n", TrainerState::IniError, "GNS Trainer .INI DB Error"},
        {trainer, "[GNC500WT]\nJeppDB=americas.img\n", TrainerState::Ready, "Toggle Startup Database"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        pwtest::WriteBytes(ini, row.ini);
        if (row.ini.empty()) std::remove(ini.c_str());
        const TrainerStatus status = EvaluateTrainer(row.uninstall, ini);
        EXPECT_EQ(row.state, status.state);
        EXPECT_STREQ(row.caption, TrainerCaption(status.state));
        if (status.state == TrainerState::Ready) continue;
        EXPECT_FALSE(ToggleDatabase(status, ini));
        EXPECT_EQ(row.ini, pwtest::ReadBytes(ini));  // an unknown database is never overwritten
    }

    const std::string start = "; trainer settings\r\n[GNC500WT]\r\nJeppDB=americas.img\r\nUnits=1\r\n";
    pwtest::WriteBytes(ini, start);
    TrainerStatus status = EvaluateTrainer(trainer, ini);
    ASSERT_EQ(TrainerState::Ready, status.state);
    EXPECT_EQ(Database::Americas, status.database);
    ASSERT_FALSE(ToggleDatabase(status, ini));
    EXPECT_EQ("; trainer settings\r\n[GNC500WT]\r\nJeppDB=INTRNATL.IMG\r\nUnits=1\r\n", pwtest::ReadBytes(ini));
    status = EvaluateTrainer(trainer, ini);
    EXPECT_EQ(Database::International, status.database);
    ASSERT_FALSE(ToggleDatabase(status, ini));
    EXPECT_EQ("; trainer settings\r\n[GNC500WT]\r\nJeppDB=AMERICAS.IMG\r\nUnits=1\r\n", pwtest::ReadBytes(ini));

    // A write that fails says why, and the file keeps its database.
    pwtest::SetReadOnly(ini, true);
    const profile::Error error = ToggleDatabase(EvaluateTrainer(trainer, ini), ini);
    pwtest::SetReadOnly(ini, false);
    EXPECT_EQ(profile::ErrorCode::AccessDenied, error.code);
    EXPECT_NE(std::string::npos, error.reason.find(ini)) << error.reason;
    EXPECT_EQ(Database::Americas, EvaluateTrainer(trainer, ini).database);
}

}  // namespace
}  // namespace host
