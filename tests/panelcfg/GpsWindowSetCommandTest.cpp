// The dialog-side wrappers: which table row they read and write, what they show.
#include "panelcfg/gps_window_set.h"

#include "catalogue/catalogue_tables.h"
#include "catalogue/item_data.h"
#include "catalogue/selection.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace panelcfg {
namespace {

using pwtest::ReadBytes;
using pwtest::WriteBytes;

struct Shown {
    std::string text, caption;
    unsigned int flags;
};

class GpsWindowSetCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue::ResetCatalogue();
        SetMessageSink([this](const std::string& text, const std::string& caption, unsigned int flags) {
            shown_.push_back({text, caption, flags});
        });
    }
    void TearDown() override {
        SetMessageSink(nullptr);
        catalogue::ResetCatalogue();
        catalogue::g_selection.mainWindowWidth = 640.0;
    }
    std::string File() const { return temp_.Path("panel.cfg"); }
    const std::int32_t item_ = catalogue::MakePanelItemData(9, catalogue::PanelKind::Plain, 3);
    std::vector<Shown> shown_;
    pwtest::TempFolder temp_;
};

TEST_F(GpsWindowSetCommandTest, InstallUsesTheRowAndTheSelectionWidth) {
    catalogue::SetSlotMask(9, 23);
    catalogue::g_selection.mainWindowWidth = 1024.0;
    EXPECT_EQ(1, InstallGpsWindowSet(temp_.FolderWithSeparator(), item_));
    EXPECT_TRUE(shown_.empty());
    const std::string text = ReadBytes(File());
    EXPECT_NE(std::string::npos, text.find("[Window03]\r\nsize_mm=80,128\r\n")) << text;
    EXPECT_EQ(23u, catalogue::SlotMask(9));  // the install leaves the row as it was
}

TEST_F(GpsWindowSetCommandTest, NotEnoughSlotsShowsTheMessageBox) {
    catalogue::SetSlotMask(9, 0x1FFFFFFFu);
    EXPECT_EQ(0, InstallGpsWindowSet(temp_.FolderWithSeparator(), item_));
    ASSERT_EQ(1u, shown_.size());
    EXPECT_EQ("Not enough Window## available in the panel.cfg file", shown_[0].text);
    EXPECT_EQ("Panel.cfg error", shown_[0].caption);
    EXPECT_EQ(static_cast<unsigned>(MB_ICONERROR | MB_OK | MB_TASKMODAL | MB_TOPMOST), shown_[0].flags);
    EXPECT_FALSE(pwtest::Exists(File()));
}

TEST_F(GpsWindowSetCommandTest, RemovalRefreshesTheRow) {
    WriteBytes(File(), "[Window Titles]\r\nWindow00=Main\r\nWindow02=Skyvantage 530 GPS\r\n[Window02]\r\nident=1\r\n");
    EXPECT_EQ(1, RemoveGpsWindowSet(temp_.FolderWithSeparator(), item_));
    EXPECT_EQ(1u, catalogue::SlotMask(9));
    EXPECT_EQ("[Window Titles]\r\nWindow00=Main\r\n", ReadBytes(File()));

    catalogue::SetSlotMask(9, 0xFFu);
    EXPECT_EQ(0, RemoveGpsWindowSet(temp_.FolderWithSeparator(), item_));  // no set left: silent, row refreshed
    EXPECT_EQ(1u, catalogue::SlotMask(9));
    EXPECT_TRUE(shown_.empty());
}

TEST_F(GpsWindowSetCommandTest, RemovalThatStrandsAWindowSaysWhich) {
    WriteBytes(File(), "[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 GPS\r\nWindow02=Clock\r\n");
    EXPECT_EQ(1, RemoveGpsWindowSet(temp_.FolderWithSeparator(), item_));
    EXPECT_EQ("[Window Titles]\r\nWindow00=Main\r\nWindow02=Clock\r\n", ReadBytes(File()));
    ASSERT_EQ(1u, shown_.size());
    EXPECT_EQ("Panelwright", shown_[0].caption);
    EXPECT_EQ(static_cast<unsigned>(MB_ICONWARNING | MB_OK | MB_TASKMODAL | MB_TOPMOST), shown_[0].flags);
    EXPECT_NE(std::string::npos, shown_[0].text.find("Window02  Clock")) << shown_[0].text;
}

TEST_F(GpsWindowSetCommandTest, FailedRemovalSaysSo) {
    const std::string text = "[Window Titles]\r\nWindow01=Skyvantage 530 VOR\r\n";
    WriteBytes(File(), text);
    SetFileAttributesA(File().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(0, RemoveGpsWindowSet(temp_.FolderWithSeparator(), item_));
    SetFileAttributesA(File().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(1u, shown_.size());
    EXPECT_EQ("Panel.cfg error", shown_[0].caption);
    EXPECT_NE(std::string::npos, shown_[0].text.find(File()));
    EXPECT_EQ(text, ReadBytes(File()));
    EXPECT_EQ(2u, catalogue::SlotMask(9));
}

}  // namespace
}  // namespace panelcfg
