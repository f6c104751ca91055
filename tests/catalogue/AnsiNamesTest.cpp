// Folder names beyond the ANSI code page (Windows only): an aircraft whose folder the code page
// cannot spell is listed under its title, its panels unusable with a reason, and nothing is
// written anywhere; one it does spell works end to end.
#include "catalogue/aircraft_scan.h"
#include "catalogue/selection.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace catalogue {
namespace {

namespace fs = std::filesystem;

// A file's bytes, opened through its wide name.
std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file under folder with its bytes.
std::map<fs::path, std::string> Snapshot(const fs::path& folder) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) files[entry.path()] = Read(entry.path());
    }
    return files;
}

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(AnsiNamesTest, UnspellableAircraftIsListedAndExplainedSpelledOneWorks) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "the ANSI code page is UTF-8: every name can be spelled";
    pwtest::TempFolder simulator;
    const fs::path aircraft = fs::path(simulator.Folder()) / "aircraft";
    const fs::path nihon = aircraft / fs::u8path(u8"\u65e5\u672c\u6a5f");      // Japanese: not in the code page
    const fs::path uber = aircraft / fs::u8path(u8"\u00dcber");                 // "Über": in Western code pages
    const std::string panel = "[Window Titles]\r\nWindow00=Main Panel\r\n[Window00]\r\nfile=panel.bmp\r\n";
    Write(nihon / "aircraft.cfg", "[fltsim.0]\r\ntitle=Nihon Jet\r\n");
    Write(nihon / "panel" / "panel.cfg", panel);
    Write(nihon / fs::u8path(u8"panel_\u65e5") / "panel.cfg", panel);
    Write(aircraft / fs::u8path(u8"\u6a5f") / "panel" / "panel.cfg", panel);  // no aircraft.cfg
    Write(uber / "aircraft.cfg", "[fltsim.0]\r\ntitle=Uber Flyer\r\n");
    Write(uber / "panel" / "panel.cfg", panel);
    Write(uber / fs::u8path(u8"panel_\u65e5") / "panel.cfg", panel);

    Catalogue catalogue = ScanAircraft(simulator.Folder());
    ASSERT_EQ(3u, catalogue.aircraft.size());
    std::map<std::string, const AircraftRecord*> byTitle;
    for (const AircraftRecord& record : catalogue.aircraft) byTitle[record.title] = &record;
    // Listed under its title, read through the folder's real name; without a title, under its
    // name as far as the code page shows it.
    ASSERT_EQ(1u, byTitle.count("Nihon Jet"));
    ASSERT_EQ(1u, byTitle.count("?"));
    ASSERT_EQ(1u, byTitle.count("Uber Flyer"));
    EXPECT_FALSE(byTitle["Nihon Jet"]->spellable);
    EXPECT_EQ("???", byTitle["Nihon Jet"]->folder);
    EXPECT_EQ("\xDC" "ber", byTitle["Uber Flyer"]->folder);
    const auto reasons = [&](const AircraftRecord& record) {
        std::map<std::string, Unusable> found;
        for (int number : record.panels) {
            const PanelRecord& p = catalogue.panels[static_cast<std::size_t>(number)];
            found[p.name] = p.unusable;
        }
        return found;
    };
    EXPECT_EQ((std::map<std::string, Unusable>{{"panel", Unusable::AircraftUnspellable},
                                                {"panel_?", Unusable::AircraftUnspellable}}),
              reasons(*byTitle["Nihon Jet"]));
    EXPECT_EQ((std::map<std::string, Unusable>{{"panel", Unusable::No}, {"panel_?", Unusable::NameUnspellable}}),
              reasons(*byTitle["Uber Flyer"]));

    // Selecting an unusable panel says why and what to do, shows no other panel, writes nothing.
    const auto before = Snapshot(simulator.Folder());
    Selection selection;
    for (const AircraftRecord* record : {byTitle["Nihon Jet"], byTitle["?"]}) {
        for (int number : record->panels) {
            SCOPED_TRACE(catalogue.panels[static_cast<std::size_t>(number)].name);
            const SelectionView view = SelectPanel(catalogue, simulator.Folder(), number, selection);
            EXPECT_FALSE(view.usable);
            ASSERT_TRUE(view.message);
            EXPECT_NE(std::string::npos, view.message->text.find(simulator.Folder() + "\\aircraft\\" + record->folder))
                << view.message->text;
            EXPECT_NE(std::string::npos, view.message->text.find("aircraft folder holds characters")) << view.message->text;
            EXPECT_NE(std::string::npos, view.message->text.find("cannot load such a folder either"));
            EXPECT_NE(std::string::npos, view.message->text.find("Rename the aircraft folder"));
            EXPECT_EQ(PreviewChange::Clear, view.preview);
            const CommandView command = InstallRemoveCommand(catalogue, simulator.Folder(), number, selection);
            EXPECT_FALSE(command.button);
        }
    }
    EXPECT_EQ(before, Snapshot(simulator.Folder()));

    // The spelled folder works end to end: the set lands in its own panel.cfg.
    for (int number : byTitle["Uber Flyer"]->panels) {
        if (catalogue.panels[static_cast<std::size_t>(number)].unusable != Unusable::No) continue;
        ASSERT_TRUE(SelectPanel(catalogue, simulator.Folder(), number, selection).usable);
        const CommandView command = InstallRemoveCommand(catalogue, simulator.Folder(), number, selection);
        ASSERT_TRUE(command.button);
        EXPECT_EQ("Remove Aerolith", command.button->caption);
    }
    EXPECT_NE(std::string::npos, Read(uber / "panel" / "panel.cfg").find("Skyvantage 530"));
}

}  // namespace
}  // namespace catalogue
