// The scan of simulator folders kept under tests/catalogue/golden, against golden dumps of what
// it finds, and its limits on folders made here.
#include "catalogue/aircraft_scan.h"

#include "platform/paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace catalogue {
namespace {

std::string Golden(const std::string& name) {
    const char* source = std::getenv("PW_SOURCE_DIR");
    return (std::filesystem::path(source ? source : ".") / "tests" / "catalogue" / "golden" / name)
        .make_preferred()
        .string();
}

const char* KindName(PanelKind kind) {
    return kind == PanelKind::Plain ? "Plain" : kind == PanelKind::Alias ? "Alias" : "Foreign";
}

const char* UnusableName(Unusable why) {
    switch (why) {
        case Unusable::No: return "";
        case Unusable::PathTooLong: return " unusable=path-too-long";
        case Unusable::NameUnspellable: return " unusable=name-unspellable";
        case Unusable::AircraftUnspellable: return " unusable=aircraft-unspellable";
        case Unusable::AliasTooLong: return " unusable=alias-too-long";
    }
    return " unusable=?";
}

// The catalogue in an order that does not depend on the file system's listing order: aircraft
// by folder name, panels by name; root standing for the simulator's folder, '/' for separators.
std::string Dump(const Catalogue& catalogue, const std::string& root) {
    std::vector<std::string> aircraftLines;
    for (const AircraftRecord& aircraft : catalogue.aircraft) {
        std::vector<std::string> panelLines;
        for (int number : aircraft.panels) {
            const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(number)];
            std::ostringstream line;
            line << "  " << panel.name << " " << KindName(panel.kind) << (panel.marked ? " marked" : " unmarked");
            if (panel.kind == PanelKind::Alias) {
                std::string alias = panel.aliasPath;
                if (alias.compare(0, root.size(), root) == 0) alias = "{sim}" + alias.substr(root.size());
                std::replace(alias.begin(), alias.end(), '\\', '/');
                line << " alias=" << alias;
            } else {
                line << " slots=0x" << std::hex << panel.slotMask;
            }
            line << UnusableName(panel.unusable) << "\n";
            panelLines.push_back(line.str());
        }
        std::sort(panelLines.begin(), panelLines.end());
        std::string text = aircraft.folder + ": " + aircraft.title + "\n";
        for (const std::string& line : panelLines) text += line;
        aircraftLines.push_back(text);
    }
    std::sort(aircraftLines.begin(), aircraftLines.end());
    std::string dump;
    for (const std::string& text : aircraftLines) dump += text;
    return dump + "unlisted: " + std::to_string(catalogue.unlistedPanels) + " panels in " +
           std::to_string(catalogue.unlistedAircraft) + " aircraft\n";
}

// Aircraft numbers in scan order, panel numbers running on across aircraft in that order.
void ExpectNumbering(const Catalogue& catalogue) {
    int next = 0;
    for (std::size_t a = 0; a < catalogue.aircraft.size(); ++a) {
        EXPECT_FALSE(catalogue.aircraft[a].panels.empty()) << "an aircraft without panels got a number";
        for (int panel : catalogue.aircraft[a].panels) {
            EXPECT_EQ(next++, panel) << catalogue.aircraft[a].folder;
            EXPECT_EQ(static_cast<int>(a), catalogue.panels[static_cast<std::size_t>(panel)].aircraft);
        }
    }
    EXPECT_EQ(static_cast<std::size_t>(next), catalogue.panels.size());
}

TEST(AircraftScanTest, SimulatorFoldersGiveTheirGoldenDumps) {
    for (const char* name : {"sim", "bare"}) {
        SCOPED_TRACE(name);
        const std::string root = Golden(name);
        const Catalogue catalogue = ScanAircraft(root);
        EXPECT_EQ(pwtest::ReadBytes(Golden(std::string(name) + ".scan")), Dump(catalogue, root));
        ExpectNumbering(catalogue);
    }
    EXPECT_EQ("unlisted: 0 panels in 0 aircraft\n", Dump(ScanAircraft(Golden("missing")), ""));
}

TEST(AircraftScanTest, PastTheCapacityWhatIsLeftOutIsCounted) {
    // Nine panels in seven aircraft are there: two aircraft at most, then three panels at most.
    const std::string root = Golden("sim");
    Catalogue two = ScanAircraft(root, {2, kMaxPanels});
    ASSERT_EQ(2u, two.aircraft.size());
    ExpectNumbering(two);
    EXPECT_EQ(9 - static_cast<int>(two.panels.size()), two.unlistedPanels);
    EXPECT_EQ(5, two.unlistedAircraft);

    const Catalogue three = ScanAircraft(root, {kMaxAircraft, 3});
    EXPECT_EQ(3u, three.panels.size());
    EXPECT_EQ(6, three.unlistedPanels);
    ExpectNumbering(three);
    EXPECT_EQ(9u, ScanAircraft(root, kNoLimits).panels.size());
}

TEST(AircraftScanTest, PathsBeyondTheWindowsLimitsAreListedButUnusable) {
    pwtest::TempFolder simulator;
    const std::string aircraft = simulator.Path("aircraft");
    const auto make = [](const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        pwtest::WriteBytes(path, text);
    };
    // The backup copy is the longest file an edit puts there: folder + 16 characters.
    const std::size_t room = platform::kMaxPathChars - 16 - (aircraft.size() + 3) - 1;
    const std::string fits = "panel" + std::string(room - 5, 'f');
    const std::string over = "panel" + std::string(room - 4, 'o');
    make(aircraft + pwtest::kSeparator + "a" + pwtest::kSeparator + fits + pwtest::kSeparator + "panel.cfg", "");
    make(aircraft + pwtest::kSeparator + "a" + pwtest::kSeparator + over + pwtest::kSeparator + "panel.cfg", "");
    make(aircraft + pwtest::kSeparator + "a" + pwtest::kSeparator + "panel.far" + pwtest::kSeparator + "panel.cfg",
         "[fltsim]\r\nalias=" + std::string(platform::kMaxPathChars, 'y') + "\r\n");
    const Catalogue catalogue = ScanAircraft(simulator.Folder());
    ASSERT_EQ(3u, catalogue.panels.size());
    for (const PanelRecord& panel : catalogue.panels) {
        const Unusable expected = panel.name == fits   ? Unusable::No
                                  : panel.name == over ? Unusable::PathTooLong
                                                       : Unusable::AliasTooLong;
        EXPECT_EQ(expected, panel.unusable) << panel.name;
        EXPECT_FALSE(panel.marked) << panel.name;
    }
}

}  // namespace
}  // namespace catalogue
