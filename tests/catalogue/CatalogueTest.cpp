// Scans, selections and commands, group by group from tests/catalogue/golden/catalogue.transcript,
// each group on a fresh copy of tests/catalogue/golden/selsim (with one panel folder whose path is
// too long, made here). A step is a line "> STEP"; the lines up to the next step are what it
// shows and does, as the transcript has them. A step:
//
//   select PANEL | command PANEL     what a click on the panel's item, and button 2, do
//   file PANEL "BYTES"               panel.cfg of PANEL now holds BYTES, behind the program's back;
//                                    {N} in BYTES is a name that makes PANEL's path and it N long
//   rescan                           the catalogue made anew
//   scan SIM AIRCRAFT PANELS         how much a scan of tests/catalogue/golden/SIM lists within
//                                    these limits, and how much it leaves out
//   fail-replace PANEL               the next save of PANEL's panel.cfg fails, as a refused replace
//
// PANEL is a panel folder of the aircraft c172; {long} stands for the long one. Paths show with
// {sim} for the simulator's folder and '/' for every separator, in every build. What a scan finds
// is the CLI cases' (list, on the same simulator); a command's message shows without its text,
// which the panelcfg goldens hold.
#include "catalogue/aircraft_scan.h"
#include "catalogue/selection.h"

#include "platform/paths.h"
#include "support/TestSupport.h"

namespace catalogue {
namespace {

namespace fs = pwtest::fs;
using pwtest::ReadBytes;

const std::map<MarkChange, std::string> kMarks = {
    {MarkChange::Keep, "keep"}, {MarkChange::Mark, "mark"}, {MarkChange::Unmark, "unmark"}};
const std::map<PreviewChange, std::string> kPreviews = {{PreviewChange::Keep, "keep"},
                                                        {PreviewChange::Clear, "clear"},
                                                        {PreviewChange::AliasNotice, "alias notice"},
                                                        {PreviewChange::ForeignNotice, "foreign notice"},
                                                        {PreviewChange::PanelBitmap, "bitmap"}};

// A message with its text, or (an edit's, whose wording the panelcfg goldens hold) without.
std::string Said(const std::optional<catalogue::Message>& message, bool withText = true) {
    if (!message) return "";
    std::string text = "  message " + message->caption + (message->severity == Severity::Error ? " (error)" : "") +
                       (withText ? ":\n" : "\n");
    std::istringstream lines(withText ? message->text : "");
    for (std::string line; std::getline(lines, line);) text += "    | " + line + "\n";
    return text;
}

class Transcript {
public:
    Transcript() {
        fs::copy(pwtest::Source("tests/catalogue/golden/selsim"), sim_, fs::copy_options::recursive);
        // The backup file would not fit the Windows limit in this folder's path.
        longName_ = "panel" + std::string(platform::kMaxPathChars - 19 - Folder("").size(), 'x');
        pwtest::WriteBytes(Folder(longName_) + "panel.cfg", "[Window00]\r\nfile=x.bmp\r\n");
        catalogue_ = ScanAircraft(sim_);
    }

    // What step shows and does, each line ending with a line end.
    std::string Step(const std::string& step) {
        const std::vector<std::string> t = pwtest::Tokens(step);
        const std::string panel = t.size() > 1 ? (t[1] == "{long}" ? longName_ : t[1]) : "";
        std::string out;
        if (t[0] == "file") {
            std::string bytes = pwtest::Text(t[2]);
            const std::size_t at = bytes.find('{'), end = bytes.find('}', at);
            if (at != std::string::npos) {  // {N}: a name that makes the panel folder's path and it N long
                const std::string name(std::stoul(bytes.substr(at + 1)) - Folder(panel).size(), 'b');
                shownAs_[name] = bytes.substr(at, end - at + 1);
                bytes.replace(at, end - at + 1, name);
            }
            pwtest::WriteBytes(Folder(panel) + "panel.cfg", bytes);
        } else if (t[0] == "rescan") {
            catalogue_ = ScanAircraft(sim_);
        } else if (t[0] == "scan") {  // which folders are listed follows the listing order
            const int aircraft = std::stoi(t[2]), panels = std::stoi(t[3]);
            const Catalogue scanned =
                ScanAircraft(pwtest::Source("tests/catalogue/golden/" + t[1]), {aircraft, panels});
            const std::size_t all = scanned.panels.size() + static_cast<std::size_t>(scanned.unlistedPanels);
            out = aircraft < panels
                      ? "  listed " + std::to_string(scanned.aircraft.size()) + " aircraft, left out " +
                            std::to_string(scanned.unlistedAircraft) + ", " + std::to_string(all) + " panels in all\n"
                      : "  listed " + std::to_string(scanned.panels.size()) + " panels, left out " +
                            std::to_string(scanned.unlistedPanels) + "\n";
        } else if (t[0] == "fail-replace") {
            failing_ = Folder(panel) + "panel.cfg";
        } else if (t[0] == "select") {
            const SelectionView view = SelectPanel(catalogue_, Number(panel), selection_);
            out = view.partial ? "  partial: the screen keeps the earlier panel\n" : "";
            out += view.usable ? "" : "  unusable\n";
            if (!view.partial)
                out += "  shows " + view.pathLine + "; preview " + kPreviews.at(view.preview) +
                       (view.preview == PreviewChange::PanelBitmap ? " " + view.bitmapPath : "") + "; caption \"" +
                       view.button.caption + "\"; " + kMarks.at(view.button.mark) + "\n";
            out += Said(view.message) + State();
        } else if (t[0] == "command") {
            const std::map<std::string, std::string> before = Files();
            pwtest::FaultyFiles files(pwtest::FailAt(pwtest::SaveStep::Replace, failing_.empty() ? "-" : failing_));
            failing_.clear();
            const CommandView view = InstallRemoveCommand(catalogue_, Number(panel), selection_, files);
            if (view.button)
                out += "  caption \"" + view.button->caption + "\"; " + kMarks.at(view.button->mark) + "\n";
            out +=
                std::string(view.redraw ? "  redraw\n" : "") + (view.clearStatusLine ? "  status line cleared\n" : "");
            out += Said(view.message, false);
            std::map<std::string, std::string> after = Files();
            for (const auto& [name, bytes] : after)
                if (!before.count(name) || before.at(name) != bytes)
                    out += (before.count(name) ? "  wrote " : "  made ") + name + "\n";
            for (const auto& [name, bytes] : before)
                if (!after.count(name)) out += "  removed " + name + "\n";
            std::ostringstream row;
            row << "  slot row 0x" << std::hex << catalogue_.panels[static_cast<std::size_t>(Number(panel))].slotMask;
            out += State() + row.str() + "\n";
        } else {
            ADD_FAILURE() << "unknown step " << step;
        }
        for (auto it = shownAs_.rbegin(); it != shownAs_.rend(); ++it)
            out = pwtest::Replaced(out, it->first, it->second);  // longest first
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
        return ADD_FAILURE() << "no panel " << name, 0;
    }
    std::string State() const {
        const Selection& s = selection_;
        return "  selection " + s.folderPath + ";" + (s.installed ? " installed" : "") + (s.foreign ? " foreign" : "") +
               (s.alias ? " alias" : "") + "\n";
    }
    // panel.cfg files by their panel folder's name, other files by their path.
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(sim_)) {
            const fs::path& path = entry.path();
            if (entry.is_regular_file())
                files[path.filename() == "panel.cfg" ? path.parent_path().filename().string() : path.string()] =
                    ReadBytes(path.string());
        }
        return files;
    }

    pwtest::TempFolder temp_;
    const std::string sim_ = temp_.Path("sim");
    std::string longName_, failing_;
    std::map<std::string, std::string> shownAs_;
    Catalogue catalogue_;
    Selection selection_;
};

class CatalogueTest : public testing::TestWithParam<pwtest::Case> {};

TEST_P(CatalogueTest, ShowsAndDoesWhatTheTranscriptSays) {
    Transcript transcript;
    std::string expected, shown;
    for (const std::string& line : GetParam().lines) {
        expected += line + "\n";
        if (line.compare(0, 2, "> ") == 0) shown += line + "\n" + transcript.Step(line.substr(2));
    }
    EXPECT_EQ(expected, shown);
}

PW_CASES(CatalogueTest, "tests/catalogue/golden/catalogue.transcript");

}  // namespace
}  // namespace catalogue
