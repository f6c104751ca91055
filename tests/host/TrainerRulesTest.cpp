#include "host/trainer_rules.h"

#include <gtest/gtest.h>

namespace {

using host::DatabaseIndexOf;
using host::HasTrainerFolder;

TEST(TrainerRulesTest, TrainerFolderNeedsASecondDrivePath) {
    EXPECT_TRUE(HasTrainerFolder("C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\Uninst.isu\""));
    EXPECT_TRUE(HasTrainerFolder("C:\\a D:\\b E:\\c"));
    EXPECT_FALSE(HasTrainerFolder("\"C:\\Program Files\\GARMIN\\uninstall.exe\""));
    EXPECT_FALSE(HasTrainerFolder("uninstall.exe /quiet"));
    EXPECT_FALSE(HasTrainerFolder(""));
    // An occurrence at the very start counts as the first one.
    EXPECT_TRUE(HasTrainerFolder(":\\x C:\\y"));
    EXPECT_FALSE(HasTrainerFolder(":\\uninstall.exe"));
    // The second search starts one byte after the first match, so ":\:\" holds two.
    EXPECT_TRUE(HasTrainerFolder("C:\\:\\"));
    EXPECT_FALSE(HasTrainerFolder("C:"));
}

TEST(TrainerRulesTest, DatabaseNamesMatchIgnoringCase) {
    EXPECT_EQ(0, DatabaseIndexOf("AMERICAS.IMG"));
    EXPECT_EQ(0, DatabaseIndexOf("americas.img"));
    EXPECT_EQ(1, DatabaseIndexOf("INTRNATL.IMG"));
    EXPECT_EQ(1, DatabaseIndexOf("IntrNatl.Img"));
    for (const char* other : {"", "notfound", "GLOBAL.IMG", "AMERICAS", "AMERICAS.IMG.BAK", "XAMERICAS.IMG",
                              "INTERNATL.IMG"})
        EXPECT_EQ(-1, DatabaseIndexOf(other)) << other;
}

}  // namespace
