// Aircraft folders the simulator's file functions cannot open, by the length of their path or
// (Windows only) by letters beyond the ANSI code page: listed all the same, their panels
// unusable with the reason, so that nothing vanishes unsaid and nothing is written; a folder the
// code page does spell works end to end.
#include "catalogue/aircraft_scan.h"
#include "catalogue/selection.h"

#include "platform/paths.h"
#include "support/TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace catalogue {
namespace {

namespace fs = std::filesystem;

TEST(AircraftScanTest, AFolderTooLongToOpenIsListedAsUnusable) {
    pwtest::TempFolder temp;
    const std::string root = temp.Path("sim");
    const std::string name = std::string(platform::kMaxPathChars - root.size(), 'a');
    const std::string folder = root + pwtest::kSeparator + "aircraft" + pwtest::kSeparator + name;
    std::error_code error;
    fs::create_directories(folder + pwtest::kSeparator + "panel", error);
    if (error) GTEST_SKIP() << "this system cannot make " << folder << ": " << error.message();
    pwtest::WriteBytes(folder + pwtest::kSeparator + "aircraft.cfg", "[fltsim.0]\r\ntitle=Long Jet\r\n");
    ASSERT_GT(folder.size(), platform::kMaxPathChars);

    Catalogue catalogue = ScanAircraft(root);
    ASSERT_EQ(1u, catalogue.aircraft.size());
    EXPECT_EQ(name, catalogue.aircraft[0].title);
    ASSERT_EQ(1u, catalogue.panels.size());
    EXPECT_EQ(Unusable::PathTooLong, catalogue.panels[0].unusable);
    EXPECT_EQ(0, catalogue.unlistedAircraft);
#ifdef _WIN32
    // Only the long form of the path reaches the folder to remove it.
    const std::wstring longForm = L"\\\\?\\" + fs::path(folder).wstring();
    DeleteFileW((longForm + L"\\aircraft.cfg").c_str());
    RemoveDirectoryW((longForm + L"\\panel").c_str());
    RemoveDirectoryW(longForm.c_str());
#endif
}

#ifdef _WIN32
TEST(AircraftScanTest, AFolderTheCodePageCannotSpellIsListedUnderItsTitleAndExplained) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "the ANSI code page is UTF-8: every name can be spelled";
    pwtest::TempFolder simulator;
    const fs::path aircraft = fs::path(simulator.Folder()) / "aircraft";
    const std::string panel = "[Window Titles]\r\nWindow00=Main Panel\r\n[Window00]\r\nfile=panel.bmp\r\n";
    // Japanese is not in the code page, "Über" is in the Western ones; the last has no title.
    const std::pair<const char*, std::string> files[] = {
        {u8"\u65e5\u672c\u6a5f/aircraft.cfg", "[fltsim.0]\r\ntitle=Nihon Jet\r\n"},
        {u8"\u65e5\u672c\u6a5f/panel/panel.cfg", panel},
        {u8"\u65e5\u672c\u6a5f/panel_\u65e5/panel.cfg", panel},
        {u8"\u00dcber/aircraft.cfg", "[fltsim.0]\r\ntitle=Uber Flyer\r\n"},
        {u8"\u00dcber/panel/panel.cfg", panel},
        {u8"\u00dcber/panel_\u65e5/panel.cfg", panel},
        {u8"\u6a5f/panel/panel.cfg", panel}};
    for (const auto& [name, text] : files) {
        fs::create_directories((aircraft / fs::u8path(name)).parent_path());
        std::ofstream(aircraft / fs::u8path(name), std::ios::binary) << text;
    }

    Catalogue catalogue = ScanAircraft(simulator.Folder());
    // Listed under its title, read through the folder's real name; without a title, under its
    // name as far as the code page shows it. Each panel with why it cannot be used.
    std::map<std::string, const AircraftRecord*> byTitle;
    std::map<std::string, Unusable> found;
    for (const AircraftRecord& record : catalogue.aircraft) {
        byTitle[record.title] = &record;
        for (int number : record.panels)
            found[record.title + " (" + record.folder + (record.spellable ? "" : ", unspellable") + ") " +
                  catalogue.panels[number].name] = catalogue.panels[number].unusable;
    }
    const std::string flyer =
        "Uber Flyer (\xDC"
        "ber) panel";  // \xDC: Ü in the Western code pages
    const std::map<std::string, Unusable> expected = {
        {"? (?, unspellable) panel", Unusable::AircraftUnspellable},
        {"Nihon Jet (???, unspellable) panel", Unusable::AircraftUnspellable},
        {"Nihon Jet (???, unspellable) panel_?", Unusable::AircraftUnspellable},
        {flyer, Unusable::No},
        {flyer + "_?", Unusable::NameUnspellable}};
    ASSERT_TRUE(expected == found);

    // Selecting an unusable panel says why and what to do and shows no other panel; the command
    // offers nothing.
    Selection selection;
    for (const AircraftRecord* record : {byTitle["Nihon Jet"], byTitle["?"]}) {
        for (int number : record->panels) {
            const SelectionView view = SelectPanel(catalogue, number, selection);
            EXPECT_FALSE(view.usable);
            ASSERT_TRUE(view.message);
            for (const std::string& says :
                 {simulator.Folder() + "\\aircraft\\" + record->folder, std::string("aircraft folder holds characters"),
                  std::string("cannot load such a folder either"), std::string("Rename the aircraft folder")})
                EXPECT_NE(std::string::npos, view.message->text.find(says)) << view.message->text;
            EXPECT_EQ(PreviewChange::Clear, view.preview);
            EXPECT_FALSE(InstallRemoveCommand(catalogue, number, selection).button);
        }
    }

    // The spelled folder works end to end: the set lands in its own panel.cfg.
    const std::vector<int>& uberPanels = byTitle["Uber Flyer"]->panels;
    const int uber = uberPanels[catalogue.panels[uberPanels[0]].name == "panel" ? 0 : 1];
    ASSERT_TRUE(SelectPanel(catalogue, uber, selection).usable);
    const CommandView command = InstallRemoveCommand(catalogue, uber, selection);
    ASSERT_TRUE(command.button);
    EXPECT_EQ("Remove Aerolith", command.button->caption);
    std::ifstream written(aircraft / fs::u8path(u8"\u00dcber/panel/panel.cfg"), std::ios::binary);
    EXPECT_NE(std::string::npos, std::string(std::istreambuf_iterator<char>(written), {}).find("Skyvantage 530"));
}
#endif

}  // namespace
}  // namespace catalogue
