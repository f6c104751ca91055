// What selecting a panel shows and what the install/remove command does, on a simulator
// folder made here and scanned.
#include "catalogue/aircraft_scan.h"
#include "catalogue/selection.h"

#include "platform/paths.h"
#include "support/FaultyFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace catalogue {
namespace {

std::string Titles(int count) {
    std::string text = "[Window Titles]\r\n";
    for (int i = 0; i < count; ++i) {
        char line[48];
        std::snprintf(line, sizeof line, "Window%02d=Window %d\r\n", i, i);
        text += line;
    }
    return text + "\r\n";
}

std::string MainWindow(const std::string& keys) { return "[Window00]\r\n" + keys + "position=7\r\nvisible=1\r\n\r\n"; }

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string tall = "file=..\\panel\\tall.bmp\r\n";
        Panel("panel", Titles(3) + MainWindow("file_1024=wide.bmp\r\nfile=tall.bmp\r\nsize_mm=1024,768\r\n"));
        Panel("panel.nosize", Titles(1) + MainWindow(tall));
        Panel("panel.neg", Titles(1) + MainWindow(tall + "size_mm=-5,0\r\n"));
        Panel("panel.hex", Titles(1) + MainWindow(tall + "size_mm=0x400,768\r\n"));
        Panel("panel.full", Titles(29) + MainWindow(tall));
        Panel("panel.nobmp", Titles(1) + MainWindow("size_mm=800\r\n"));
        Panel("panel.foreign", MainWindow("gauge00=Skyvantage_Aerolith!GPS, 0,0\r\n"));
        Panel("panel.alias", "[fltsim]\r\nalias=c172\\panel\r\n");
        // Past the Windows path limits: a folder whose backup file would not fit, and an alias.
        longName_ = "panel" + std::string(platform::kMaxPathChars - 19 - Folder("").size(), 'x');
        Panel(longName_, Titles(1) + MainWindow(tall));
        Panel("panel.far", "[fltsim]\r\nalias=" + std::string(platform::kMaxPathChars, 'y') + "\r\n");
        catalogue_ = ScanAircraft(simulator_.Folder());
    }

    // The folder of a panel of the aircraft c172, as the selection composes it.
    std::string Folder(const std::string& panel) const {
        return ComposePanelFolder(simulator_.Folder(), "c172", panel);
    }
    void Panel(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories(Folder(name));
        pwtest::WriteBytes(Folder(name) + "panel.cfg", text);
    }
    std::string Cfg(const std::string& name) const { return pwtest::ReadBytes(Folder(name) + "panel.cfg"); }
    int Number(const std::string& name) const {
        for (std::size_t i = 0; i < catalogue_.panels.size(); ++i)
            if (catalogue_.panels[i].name == name) return static_cast<int>(i);
        ADD_FAILURE() << "no panel " << name;
        return 0;
    }
    SelectionView Select(const std::string& name) {
        return SelectPanel(catalogue_, simulator_.Folder(), Number(name), selection_);
    }
    CommandView Command(const std::string& name, profile::FileSystem& files = profile::SystemFiles()) {
        return InstallRemoveCommand(catalogue_, simulator_.Folder(), Number(name), selection_, files);
    }

    pwtest::TempFolder simulator_;
    Catalogue catalogue_;
    Selection selection_;
    std::string longName_;
};

TEST_F(SelectionTest, PlainPanelShowsFolderWidthAndTheWideBitmap) {
    const SelectionView view = Select("panel");
    EXPECT_TRUE(view.usable);
    EXPECT_FALSE(view.partial);
    EXPECT_EQ(Folder("panel"), view.pathLine);
    EXPECT_EQ(Folder("panel"), selection_.folderPath);
    EXPECT_EQ("Install Aerolith", view.button.caption);
    EXPECT_EQ(MarkChange::Unmark, view.button.mark);
    // "file_1024" wins over "file".
    EXPECT_EQ(PreviewChange::PanelBitmap, view.preview);
    EXPECT_EQ(Folder("panel") + "wide.bmp", view.bitmapPath);
    EXPECT_FALSE(view.message);

    // The width of Window00's "size_mm"; one that is missing or not positive counts as 640.
    const struct { const char* panel; double width; } rows[] = {
        {"panel.nosize", 640.0}, {"panel.neg", 640.0}, {"panel.hex", 1024.0}, {"panel", 1024.0}};
    for (const auto& row : rows) {
        selection_.mainWindowWidth = 1.0;
        Select(row.panel);
        EXPECT_EQ(row.width, selection_.mainWindowWidth) << row.panel;
        EXPECT_EQ(Folder(row.panel), selection_.folderPath);
    }
}

TEST_F(SelectionTest, ForeignAndAliasShowNoticesAndTheCommandWritesNothing) {
    const std::string before = Cfg("panel.foreign") + Cfg("panel.alias") + Cfg("panel");
    const struct { const char* panel; std::string path; MarkChange mark; bool foreign, alias; PreviewChange notice; } rows[] = {
        {"panel.foreign", Folder("panel.foreign"), MarkChange::Mark, true, false, PreviewChange::ForeignNotice},
        // The folder it names, composed the way Windows names it.
        {"panel.alias", simulator_.Folder() + "\\aircraft\\c172\\panel\\", MarkChange::Unmark, false, true,
         PreviewChange::AliasNotice},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.panel);
        const SelectionView view = Select(row.panel);
        EXPECT_EQ(row.path, view.pathLine);
        EXPECT_EQ("", view.button.caption);
        EXPECT_EQ(row.mark, view.button.mark);
        EXPECT_EQ(row.foreign, selection_.foreign);
        EXPECT_EQ(row.alias, selection_.alias);
        EXPECT_EQ(row.notice, view.preview);
        EXPECT_EQ(row.mark == MarkChange::Mark, catalogue_.panels[static_cast<std::size_t>(Number(row.panel))].marked);
        const CommandView command = Command(row.panel);
        EXPECT_FALSE(command.button);
        EXPECT_FALSE(command.message);
        EXPECT_EQ(row.path, selection_.folderPath);
    }
    EXPECT_EQ(before, Cfg("panel.foreign") + Cfg("panel.alias") + Cfg("panel"));
}

TEST_F(SelectionTest, InstallThenRemoveWalksCaptionAndMarkAndAFailureChangesNothing) {
    Select("panel");
    CommandView view = Command("panel");
    ASSERT_TRUE(view.button);
    EXPECT_EQ("Remove Aerolith", view.button->caption);
    EXPECT_EQ(MarkChange::Mark, view.button->mark);
    EXPECT_TRUE(view.redraw);
    EXPECT_FALSE(view.message);
    EXPECT_TRUE(selection_.installed);
    // At 1024 the MiniStack is 80 x 128, in the first slot free after the three titled ones.
    EXPECT_NE(std::string::npos, Cfg("panel").find("[Window03]\r\nsize_mm=80,128\r\n")) << Cfg("panel");
    EXPECT_EQ(7u, catalogue_.panels[static_cast<std::size_t>(Number("panel"))].slotMask);  // as it was

    view = Command("panel");
    ASSERT_TRUE(view.button);
    EXPECT_EQ("Install Aerolith", view.button->caption);
    EXPECT_EQ(MarkChange::Unmark, view.button->mark);
    EXPECT_TRUE(view.clearStatusLine);
    EXPECT_FALSE(selection_.installed);
    EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
    EXPECT_NE(std::string::npos, Cfg("panel").find("file_1024=wide.bmp"));

    // Three free window slots are not enough: told, and nothing changes.
    const std::string full = Cfg("panel.full");
    Select("panel.full");
    view = Command("panel.full");
    ASSERT_TRUE(view.message);
    EXPECT_EQ("Not enough Window## available in the panel.cfg file", view.message->text);
    EXPECT_EQ("Panel.cfg error", view.message->caption);
    EXPECT_EQ(Severity::Error, view.message->severity);
    EXPECT_FALSE(view.button);
    EXPECT_FALSE(selection_.installed);
    EXPECT_EQ(full, Cfg("panel.full"));
}

TEST_F(SelectionTest, RemovalRefreshesTheRowAndSaysWhatItLeavesUnreachable) {
    Panel("panel.nosize", "[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 GPS\r\nWindow02=Clock\r\n");
    catalogue_ = ScanAircraft(simulator_.Folder());
    PanelRecord& panel = catalogue_.panels[static_cast<std::size_t>(Number("panel.nosize"))];
    ASSERT_TRUE(panel.marked);
    Select("panel.nosize");
    ASSERT_TRUE(selection_.installed);
    const CommandView view = Command("panel.nosize");
    EXPECT_EQ("[Window Titles]\r\nWindow00=Main\r\nWindow02=Clock\r\n", Cfg("panel.nosize"));
    EXPECT_EQ(5u, panel.slotMask);
    EXPECT_FALSE(panel.marked);
    ASSERT_TRUE(view.message);
    EXPECT_EQ("Panelwright", view.message->caption);
    EXPECT_EQ(Severity::Warning, view.message->severity);
    EXPECT_NE(std::string::npos, view.message->text.find("Window02  Clock")) << view.message->text;

    // No set left: silent, and the row shows what the file holds.
    Panel("panel.nosize", "[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 GPS\r\n");
    selection_.installed = true;
    panel.slotMask = 0xFF;
    Panel("panel.nosize", "[Window Titles]\r\nWindow00=Main\r\n");
    const CommandView none = Command("panel.nosize");
    EXPECT_FALSE(none.message);
    EXPECT_FALSE(none.button);
    EXPECT_TRUE(selection_.installed);
    EXPECT_EQ(1u, panel.slotMask);
}

TEST_F(SelectionTest, FailedRemovalSaysSoAndKeepsEverything) {
    const std::string text = "[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 VOR\r\n";
    Panel("panel.nosize", text);
    catalogue_ = ScanAircraft(simulator_.Folder());
    Select("panel.nosize");
    ASSERT_TRUE(selection_.installed);
    pwtest::FaultyFiles files(pwtest::FailAt(pwtest::SaveStep::Replace, Folder("panel.nosize") + "panel.cfg"));
    const CommandView view = Command("panel.nosize", files);
    ASSERT_TRUE(view.message);
    EXPECT_EQ("Panel.cfg error", view.message->caption);
    EXPECT_NE(std::string::npos, view.message->text.find(Folder("panel.nosize") + "panel.cfg")) << view.message->text;
    EXPECT_FALSE(view.button);
    EXPECT_TRUE(selection_.installed);
    EXPECT_EQ(text, Cfg("panel.nosize"));
    EXPECT_EQ(3u, catalogue_.panels[static_cast<std::size_t>(Number("panel.nosize"))].slotMask);
}

TEST_F(SelectionTest, PanelWithoutBitmapNameKeepsTheEarlierScreen) {
    Select("panel");
    const SelectionView view = Select("panel.nobmp");
    EXPECT_TRUE(view.partial);
    EXPECT_EQ(1024.0, selection_.mainWindowWidth);
    // The flags, the folder and the panel already belong to the new panel.
    EXPECT_EQ(Folder("panel.nobmp"), selection_.folderPath);
    EXPECT_EQ(Number("panel.nobmp"), selection_.panel);
    EXPECT_FALSE(selection_.installed);
}

TEST_F(SelectionTest, PathsBeyondTheWindowsLimitsAreRefusedWithAMessage) {
    const std::string before = Cfg(longName_);
    // The command says it again for the folder; for the alias it has nothing more to say.
    const struct { std::string name; std::string path; bool again; } rows[] = {
        {longName_, Folder(longName_), true}, {"panel.far", "", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name.substr(0, 10));
        Select("panel");
        const SelectionView view = Select(row.name);
        EXPECT_FALSE(view.usable);
        ASSERT_TRUE(view.message);
        EXPECT_NE(std::string::npos, view.message->text.find("too long")) << view.message->text;
        EXPECT_EQ("", view.button.caption);
        EXPECT_EQ(PreviewChange::Clear, view.preview);  // no picture of the earlier panel
        EXPECT_EQ(row.path, view.pathLine);
        EXPECT_FALSE(selection_.installed || selection_.foreign || selection_.alias);
        const CommandView command = Command(row.name);
        EXPECT_EQ(row.again, command.message.has_value());
        EXPECT_FALSE(command.button);
        EXPECT_EQ(std::string::npos, Cfg("panel").find("Skyvantage"));
    }
    EXPECT_EQ(before, Cfg(longName_));
}

TEST_F(SelectionTest, ButtonStatesFollowTheFlags) {
    const struct { bool installed, foreign, alias; const char* caption; MarkChange mark; } rows[] = {
        {true, false, false, "Remove Aerolith", MarkChange::Mark},
        {false, true, false, "", MarkChange::Mark},
        {false, false, true, "", MarkChange::Unmark},
        {false, false, false, "Install Aerolith", MarkChange::Unmark},
    };
    for (const auto& row : rows) {
        Selection selection;
        selection.installed = row.installed;
        selection.foreign = row.foreign;
        selection.alias = row.alias;
        const ButtonState button = RefreshInstallButton(selection);
        EXPECT_EQ(row.caption, button.caption);
        EXPECT_EQ(row.mark, button.mark);
    }
}

}  // namespace
}  // namespace catalogue
