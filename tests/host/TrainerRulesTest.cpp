#include "host/trainer_rules.h"

#include <gtest/gtest.h>

namespace {

using host::DatabaseIndexOf;
using host::HasTrainerFolder;

TEST(TrainerRulesTest, TrainerFolderNeedsASecondDrivePath) {
    // An occurrence at the very start counts as the first one; the second search starts one
    // byte after the first match, so ":\:\" holds two.
    for (const char* text : {"C:\\WINDOWS\\IsUninst.exe -f\"C:\\Program Files\\GARMIN\\Uninst.isu\"",
                             "C:\\a D:\\b E:\\c", ":\\x C:\\y", "C:\\:\\"})
        EXPECT_TRUE(HasTrainerFolder(text)) << text;
    for (const char* text :
         {"\"C:\\Program Files\\GARMIN\\uninstall.exe\"", "uninstall.exe /quiet", "", ":\\uninstall.exe", "C:"})
        EXPECT_FALSE(HasTrainerFolder(text)) << text;
}

TEST(TrainerRulesTest, DatabaseNamesMatchIgnoringCase) {
    for (const char* americas : {"AMERICAS.IMG", "americas.img"}) EXPECT_EQ(0, DatabaseIndexOf(americas)) << americas;
    for (const char* international : {"INTRNATL.IMG", "IntrNatl.Img"}) EXPECT_EQ(1, DatabaseIndexOf(international));
    for (const char* other : {"", "notfound", "GLOBAL.IMG", "AMERICAS", "AMERICAS.IMG.BAK", "XAMERICAS.IMG",
                              "INTERNATL.IMG"})
        EXPECT_EQ(-1, DatabaseIndexOf(other)) << other;
}

}  // namespace
