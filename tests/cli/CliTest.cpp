// panelwright-cli's run on a copy of tests/catalogue/golden/sim, case by case from
// tests/cli/cases.txt. A case is a block of lines:
//
//   $ ARGS            the arguments, split at blanks ({sim} is the simulator's folder)
//   = STATUS          the exit status
//   > LINE            the next line of standard output, exactly (none: no check of it)
//   ^ TEXT            standard output holds TEXT
//   ! TEXT            standard error holds TEXT
//   ~ PATH            the case may change this file under {sim}; every other file keeps its bytes
//   @ PATH            afterwards the file holds the bytes it held before the first case
//
// Output is compared with {sim} for the folder, '/' for every separator and \r for a CR, so one
// case holds for the Windows build and the native one. Cases run in order on the same folder.
#include "cli/cli.h"
#include "cli/batch.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Case {
    int line = 0;
    std::string args;
    std::map<char, std::vector<std::string>> lines;  // by their mark: '=', '>', '^', '!', '~', '@'
};

std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).generic_string()] = pwtest::ReadBytes(entry.path().string());
    }
    return files;
}

std::string Normalised(std::string text, const std::string& sim) {
    // JSON writes a backslash as two; no path of the program holds two in a row.
    for (std::size_t at = text.find("\\\\"); at != std::string::npos; at = text.find("\\\\", at + 1)) text.erase(at, 1);
    text = pwtest::Replaced(text, sim, "{sim}");
    std::replace(text.begin(), text.end(), '\\', '/');
    // A diff keeps each line's own line end: a CR shows as the two characters \r.
    return pwtest::Replaced(text, "\r", "\\r");
}

TEST(CliTest, EveryCaseComesOutAsWritten) {
    std::vector<Case> cases;
    std::istringstream in(pwtest::ReadBytes(pwtest::Source("tests/cli/cases.txt")));
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.size() < 2 || line[1] != ' ' || std::string("$=>^!~@").find(line[0]) == std::string::npos) continue;
        if (line[0] == '$')
            cases.push_back({number, line.substr(2), {}});
        else
            cases.back().lines[line[0]].push_back(line.substr(2));
    }
    ASSERT_FALSE(cases.empty()) << "no cases; PW_SOURCE_DIR names the source tree";

    pwtest::TempFolder temp;
    const std::string sim = temp.Path("sim");
    fs::copy(pwtest::Source("tests/catalogue/golden/sim"), sim, fs::copy_options::recursive);
    const auto start = Snapshot(sim);
    cli::Host host;
    host.trainerIni = temp.Path("GARMINWT.INI");
    for (Case& c : cases) {
        SCOPED_TRACE("cases.txt:" + std::to_string(c.line) + ": " + c.args);
        std::vector<std::string> args;
        std::istringstream words(c.args);
        for (std::string word; words >> word;) {
            args.push_back(pwtest::Replaced(word, "{sim}", sim));
        }
        const auto before = Snapshot(sim);
        std::ostringstream out, err;
        EXPECT_EQ(std::stoi(c.lines['='].at(0)), cli::Run(args, host, out, err)) << err.str();
        std::string expected;
        for (const std::string& line : c.lines['>']) expected += line + "\n";
        if (!expected.empty()) {
            EXPECT_EQ(expected, Normalised(out.str(), sim));
        }
        for (const std::string& text : c.lines['^'])
            EXPECT_NE(std::string::npos, Normalised(out.str(), sim).find(text)) << out.str();
        for (const std::string& text : c.lines['!'])
            EXPECT_NE(std::string::npos, Normalised(err.str(), sim).find(text)) << err.str();
        // Only the files the case names may change; those it names with @ hold their first bytes again.
        const auto after = Snapshot(sim);
        for (const auto& [name, bytes] : before) {
            const auto& changes = c.lines['~'];
            if (std::find(changes.begin(), changes.end(), name) == changes.end()) {
                EXPECT_EQ(bytes, after.at(name)) << name;
            }
        }
        EXPECT_EQ(before.size(), after.size()) << "files were made or removed";
        for (const std::string& name : c.lines['@'])
            EXPECT_EQ(start.at(name), after.at(name)) << name << " not restored";
    }
}

// tests/cli/patterns.txt: how --aircraft patterns match names.
TEST(CliTest, PatternsMatchCharactersNotBytes) {
    std::istringstream lines(pwtest::ReadBytes(pwtest::Source("tests/cli/patterns.txt")));
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> t = pwtest::Tokens(line);
        ASSERT_EQ(4u, t.size()) << line;
        ++count;
        EXPECT_EQ(t[3] == "yes", cli::MatchesPattern(pwtest::Text(t[1]), pwtest::Text(t[0]))) << line;
    }
    EXPECT_GT(count, 15);
}

}  // namespace
