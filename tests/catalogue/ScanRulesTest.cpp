#include "catalogue/scan_rules.h"

#include "catalogue/messages.h"
#include "platform/paths.h"
#include "support/TestSupport.h"

namespace catalogue {
namespace {

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
