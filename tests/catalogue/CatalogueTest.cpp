// Selections and commands on a copy of tests/catalogue/golden/selsim (with one panel folder
// whose path is too long, made here), step by step from catalogue.steps; what each step shows
// and does is written out and compared with catalogue.dump. A step:
//
//   select PANEL | command PANEL     what a click on the panel's item, and button 2, do
//   file PANEL "BYTES"               panel.cfg of PANEL now holds BYTES, behind the program's back
//   rescan                           the catalogue made anew
//   scan SIM [AIRCRAFT PANELS]       what a scan of tests/catalogue/golden/SIM finds (within the
//                                    limits: only how much), aircraft and panels sorted by name
//   fail-replace PANEL               the next save of PANEL's panel.cfg fails, as a refused replace
//
// PANEL is a panel folder of the aircraft c172; {long} stands for the long one.
#include "catalogue/aircraft_scan.h"
#include "catalogue/selection.h"

#include "platform/paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

namespace catalogue {
namespace {

namespace fs = std::filesystem;

const char* Name(MarkChange mark) {
    return mark == MarkChange::Mark ? "mark" : mark == MarkChange::Unmark ? "unmark" : "keep";
}

const char* Name(PreviewChange preview) {
    switch (preview) {
        case PreviewChange::Keep: return "keep";
        case PreviewChange::Clear: return "clear";
        case PreviewChange::AliasNotice: return "alias notice";
        case PreviewChange::ForeignNotice: return "foreign notice";
        case PreviewChange::PanelBitmap: break;
    }
    return "bitmap";
}

const char* Name(PanelKind kind) {
    return kind == PanelKind::Plain ? "Plain" : kind == PanelKind::Alias ? "Alias" : "Foreign";
}

const char* Name(Unusable why) {
    switch (why) {
        case Unusable::No: return "";
        case Unusable::PathTooLong: return " unusable=path-too-long";
        case Unusable::NameUnspellable: return " unusable=name-unspellable";
        case Unusable::AircraftUnspellable: return " unusable=aircraft-unspellable";
        case Unusable::PanelFileNotText: return " unusable=panel-file-not-text";
        case Unusable::PanelFileIsFolder: return " unusable=panel-file-is-folder";
        case Unusable::PanelFileUnreadable: return " unusable=panel-file-unreadable";
        case Unusable::AliasTooLong: break;
    }
    return " unusable=alias-too-long";
}

// The catalogue in an order that does not depend on the file system's listing order; aircraft
// numbers run in scan order, panel numbers on across aircraft in that order.
std::string Dump(const Catalogue& catalogue) {
    std::vector<std::string> aircraftLines;
    int next = 0;
    for (std::size_t a = 0; a < catalogue.aircraft.size(); ++a) {
        std::vector<std::string> panelLines;
        EXPECT_FALSE(catalogue.aircraft[a].panels.empty()) << "an aircraft without panels got a number";
        for (int number : catalogue.aircraft[a].panels) {
            const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(number)];
            EXPECT_EQ(next++, number);
            EXPECT_EQ(static_cast<int>(a), panel.aircraft);
            std::ostringstream line;
            line << "  " << panel.name << " " << Name(panel.kind) << (panel.marked ? " marked" : " unmarked");
            if (panel.kind == PanelKind::Alias)
                line << " alias=" << panel.aliasPath;
            else
                line << " slots=0x" << std::hex << panel.slotMask;
            panelLines.push_back(line.str() + Name(panel.unusable) + "\n");
        }
        std::sort(panelLines.begin(), panelLines.end());
        aircraftLines.push_back(catalogue.aircraft[a].folder + ": " + catalogue.aircraft[a].title + "\n");
        for (const std::string& line : panelLines) aircraftLines.back() += line;
    }
    EXPECT_EQ(static_cast<std::size_t>(next), catalogue.panels.size());
    std::sort(aircraftLines.begin(), aircraftLines.end());
    std::string dump;
    for (const std::string& text : aircraftLines) dump += text;
    return dump + "  unlisted: " + std::to_string(catalogue.unlistedPanels) + " panels in " +
           std::to_string(catalogue.unlistedAircraft) + " aircraft\n";
}

std::string Message(const std::optional<catalogue::Message>& message) {
    if (!message) return "";
    std::string text =
        "  message " + message->caption + (message->severity == Severity::Error ? " (error)" : "") + ":\n";
    std::istringstream lines(message->text);
    for (std::string line; std::getline(lines, line);) text += "    | " + line + "\n";
    return text;
}

class SelectionTranscript {
public:
    SelectionTranscript() {
        fs::copy(pwtest::Source("tests/catalogue/golden/selsim"), sim_, fs::copy_options::recursive);
        // The backup file would not fit the Windows limit in this folder's path.
        longName_ = "panel" + std::string(platform::kMaxPathChars - 19 - Folder("").size(), 'x');
        fs::create_directories(Folder(longName_));
        pwtest::WriteBytes(Folder(longName_) + "panel.cfg", "[Window00]\r\nfile=x.bmp\r\n");
        catalogue_ = ScanAircraft(sim_);
    }

    // Runs one step; returns what it showed and did.
    std::string Step(const std::string& line) {
        const std::vector<std::string> t = pwtest::Tokens(line);
        const std::string panel = t.size() > 1 ? (t[1] == "{long}" ? longName_ : t[1]) : "";
        std::string out = "> " + (t[0] == "file" ? "file " + t[1] : line) + "\n";
        if (t[0] == "file") {
            pwtest::WriteBytes(Folder(panel) + "panel.cfg", pwtest::Text(t[2]));
        } else if (t[0] == "rescan") {
            catalogue_ = ScanAircraft(sim_);
        } else if (t[0] == "scan") {
            const std::string root = pwtest::Source("tests/catalogue/golden/" + t[1]);
            const ScanLimits limits = t.size() > 3 ? ScanLimits{std::stoi(t[2]), std::stoi(t[3])} : ScanLimits{};
            const Catalogue scanned = ScanAircraft(root, limits);
            const std::string dump = Dump(scanned);
            // Within limits which folders are listed follows the listing order: only counts show.
            if (t.size() <= 3)
                out += pwtest::Replaced(dump, root, "{sim}");
            else if (limits.maxAircraft < limits.maxPanels)
                out += "  listed " + std::to_string(scanned.aircraft.size()) + " aircraft, left out " +
                       std::to_string(scanned.unlistedAircraft) + ", " +
                       std::to_string(scanned.panels.size() + static_cast<std::size_t>(scanned.unlistedPanels)) +
                       " panels in all\n";
            else
                out += "  listed " + std::to_string(scanned.panels.size()) + " panels, left out " +
                       std::to_string(scanned.unlistedPanels) + "\n";
        } else if (t[0] == "fail-replace") {
            failing_ = Folder(panel) + "panel.cfg";
        } else if (t[0] == "select") {
            const SelectionView view = SelectPanel(catalogue_, Number(panel), selection_);
            if (view.partial) out += "  partial: the screen keeps the earlier panel\n";
            if (!view.usable) out += "  unusable\n";
            if (!view.partial) {
                out += "  shows " + view.pathLine + "; preview " + Name(view.preview) +
                       (view.preview == PreviewChange::PanelBitmap ? " " + view.bitmapPath : "") + "; caption \"" +
                       view.button.caption + "\"; " + Name(view.button.mark) + "\n";
            }
            out += Message(view.message) + State();
        } else if (t[0] == "command") {
            const std::map<std::string, std::string> before = Files();
            pwtest::FaultyFiles files(pwtest::FailAt(pwtest::SaveStep::Replace, failing_.empty() ? "-" : failing_));
            failing_.clear();
            const CommandView view = InstallRemoveCommand(catalogue_, Number(panel), selection_, files);
            if (view.button) out += "  caption \"" + view.button->caption + "\"; " + Name(view.button->mark) + "\n";
            if (view.redraw) out += "  redraw\n";
            if (view.clearStatusLine) out += "  status line cleared\n";
            out += Message(view.message);
            const std::map<std::string, std::string> after = Files();
            for (const auto& [name, bytes] : after) {
                const auto was = before.find(name);
                if (was == before.end())
                    out += "  made " + name + "\n";
                else if (was->second != bytes)
                    out += "  wrote " + name + "\n";
            }
            for (const auto& [name, bytes] : before) {
                if (!after.count(name)) out += "  removed " + name + "\n";
            }
            char row[16];
            std::snprintf(row, sizeof row, "0x%x", catalogue_.panels[static_cast<std::size_t>(Number(panel))].slotMask);
            out += State() + "  slot row " + row + "\n";
        } else {
            ADD_FAILURE() << "unknown step " << line;
        }
        // One spelling for every build: the folder as {sim}, the long name as {long}, '/'.
        std::string shown = pwtest::Replaced(pwtest::Replaced(out, sim_, "{sim}"), longName_, "{long}");
        std::replace(shown.begin(), shown.end(), '\\', '/');
        return shown;
    }

private:
    std::string Folder(const std::string& panel) const {
        const char s = pwtest::kSeparator;
        return sim_ + s + "aircraft" + s + "c172" + s + panel + s;
    }
    int Number(const std::string& name) const {
        for (std::size_t i = 0; i < catalogue_.panels.size(); ++i)
            if (catalogue_.panels[i].name == name) return static_cast<int>(i);
        ADD_FAILURE() << "no panel " << name;
        return 0;
    }
    std::string State() const {
        const Selection& s = selection_;
        std::ostringstream text;
        text << "  selection " << s.folderPath << ";" << (s.installed ? " installed" : "")
             << (s.foreign ? " foreign" : "") << (s.alias ? " alias" : "") << "\n";
        return text.str();
    }
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(sim_))
            if (entry.is_regular_file())
                files[entry.path().filename().string() == "panel.cfg" ? entry.path().parent_path().filename().string()
                                                                      : entry.path().string()] =
                    pwtest::ReadBytes(entry.path().string());
        return files;
    }

    pwtest::TempFolder temp_;
    const std::string sim_ = temp_.Path("sim");
    std::string longName_;
    std::string failing_;
    Catalogue catalogue_;
    Selection selection_;
};

TEST(CatalogueTest, EveryStepShowsAndDoesWhatTheDumpSays) {
    SelectionTranscript transcript;
    std::istringstream steps(pwtest::ReadBytes(pwtest::Source("tests/catalogue/golden/catalogue.steps")));
    std::string dump;
    for (std::string line; std::getline(steps, line);) {
        if (line.empty() || line[0] == '#') {
            dump += line + "\n";
            continue;
        }
        dump += transcript.Step(line);
    }
    EXPECT_EQ(pwtest::ReadBytes(pwtest::Source("tests/catalogue/golden/catalogue.dump")), dump);
}

}  // namespace
}  // namespace catalogue

namespace catalogue {
namespace {

// An aircraft folder too long for the simulator's file functions is listed all the same, under
// its folder name, its panels unusable with the reason, so that nothing vanishes unsaid.
TEST(CatalogueScanTest, AFolderTooLongToOpenIsListedAndExplained) {
    pwtest::TempFolder temp;
    const std::string root = temp.Path("sim");
    const std::string name = std::string(259 - 12 - root.size(), 'a') + "_long";  // 261 with "\aircraft\"
    const std::string folder = root + pwtest::kSeparator + "aircraft" + pwtest::kSeparator + name;
    std::error_code error;
    fs::create_directories(folder + pwtest::kSeparator + "panel", error);
    if (error) GTEST_SKIP() << "this system cannot make " << folder << ": " << error.message();
    pwtest::WriteBytes(folder + pwtest::kSeparator + "aircraft.cfg", "[fltsim.0]\r\ntitle=Long Jet\r\n");
    ASSERT_GT(folder.size(), platform::kMaxPathChars);

    const Catalogue catalogue = ScanAircraft(root);
    ASSERT_EQ(1u, catalogue.aircraft.size());
    EXPECT_EQ(name, catalogue.aircraft[0].title);
    ASSERT_EQ(1u, catalogue.panels.size());
    EXPECT_EQ(Unusable::PathTooLong, catalogue.panels[0].unusable);
    EXPECT_EQ(0, catalogue.unlistedAircraft);
    Catalogue selected = catalogue;
    Selection selection;
    const SelectionView view = SelectPanel(selected, 0, selection);
    EXPECT_FALSE(view.usable);
    ASSERT_TRUE(view.message);
    EXPECT_NE(std::string::npos, view.message->text.find("too long for Windows")) << view.message->text;
#ifdef _WIN32
    // Only the long form of the path reaches the folder to remove it.
    const std::wstring longForm = L"\\\\?\\" + fs::path(folder).wstring();
    DeleteFileW((longForm + L"\\aircraft.cfg").c_str());
    RemoveDirectoryW((longForm + L"\\panel").c_str());
    RemoveDirectoryW(longForm.c_str());
#endif
}

}  // namespace
}  // namespace catalogue
