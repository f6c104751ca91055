// Every folder of tests/cli/check is a simulator's folder (aircraft/, gauges/) and what the fleet
// doctor must make of it, a test of its own name (title-gap runs as .../title_gap):
//
//   expected.txt    what `panelwright-cli --sim {sim} check ARGS` prints, exactly; the status is 1
//                   when it holds a line, else 0
//   expected.json   the same with --json
//   args            ARGS (default: none, so every panel); {sim} is the folder
//   dialog.txt      a panel folder under aircraft/, then what the dialog says after installing
//                   the window set into it (nothing: it says nothing)
//
// Output is compared with {sim} for the folder and '/' for every separator, so one case holds for
// the Windows build and the native one.
#include "catalogue/aircraft_scan.h"
#include "catalogue/selection.h"
#include "cli/cli.h"

#include "support/TestSupport.h"

namespace {

namespace fs = pwtest::fs;

std::string Normalised(std::string text, const std::string& sim) {
    text = pwtest::Replaced(pwtest::Replaced(text, "\\\\", "\\"), sim, "{sim}");  // JSON doubles a backslash
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

class CheckTest : public testing::TestWithParam<std::string> {};

TEST_P(CheckTest, FindsWhatTheFolderHolds) {
    const fs::path source = fs::path(pwtest::Source("tests/cli/check")) / GetParam();
    const auto golden = [&](const char* name) { return pwtest::ReadBytes((source / name).string()); };
    pwtest::TempFolder temp;
    const std::string sim = temp.Path("sim");
    fs::copy(source, sim, fs::copy_options::recursive);
    std::vector<std::string> args = {"--sim", sim, "check"};
    std::istringstream words(golden("args"));
    for (std::string word; words >> word;) args.push_back(pwtest::Replaced(word, "{sim}", sim));
    for (const char* expected : {"expected.txt", "expected.json"}) {
        std::ostringstream out, err;
        if (expected == std::string("expected.json")) args.push_back("--json");
        const std::optional<cli::Options> options = cli::ParseCommandLine(args, err);
        ASSERT_TRUE(options) << err.str();
        EXPECT_EQ(golden("expected.txt").empty() ? 0 : 1, cli::Execute(*options, cli::Host{}, out, err)) << err.str();
        EXPECT_EQ(golden(expected), Normalised(out.str(), sim)) << expected;
    }

    std::istringstream dialog(golden("dialog.txt"));
    std::string panel;
    if (!std::getline(dialog, panel)) return;
    catalogue::Catalogue catalogue = catalogue::ScanAircraft(sim);
    int number = 0;
    while (Normalised(catalogue.panels.at(number).folder, sim) != "{sim}/aircraft/" + panel + "/") ++number;
    catalogue::Selection selection;
    catalogue::SelectPanel(catalogue, number, selection);
    const auto said = catalogue::InstallRemoveCommand(catalogue, number, selection).message;
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(dialog), {}),
              said ? Normalised(said->text, sim) + "\n" : std::string());
}

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(pwtest::Source("tests/cli/check")))
        if (fs::exists(entry.path() / "expected.txt")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Golden, CheckTest, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return pwtest::TestName(info.param); });

}  // namespace
