// panelwright-cli's run on a copy of tests/catalogue/golden/sim, case by case from
// tests/cli/cases.txt. A case is a block of lines:
//
//   $ ARGS            the arguments, split at blanks ({sim} is the simulator's folder)
//   = STATUS          the exit status
//   > LINE            the next line of standard output, exactly (none: no check of it)
//   ! TEXT            standard error holds TEXT
//   ~ PATH            the case may change this file under {sim}; every other file keeps its bytes
//   @ PATH            afterwards the file holds the bytes it held before the first case
//
// Output is compared with {sim} for the folder and '/' for every separator, so one case holds
// for the Windows build and the native one. Cases run in order on the same folder.
#include "cli/cli.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Case {
    int line = 0;
    std::string args;
    int status = 0;
    std::vector<std::string> out;
    std::vector<std::string> err;
    std::set<std::string> changes;
    std::vector<std::string> restored;
};

std::string Source(const std::string& path) {
    const char* source = std::getenv("PW_SOURCE_DIR");
    return (fs::path(source ? source : ".") / path).make_preferred().string();
}

std::vector<Case> ReadCases() {
    std::vector<Case> cases;
    std::istringstream in(pwtest::ReadBytes(Source("tests/cli/cases.txt")));
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.size() < 2 || line[1] != ' ') continue;
        const std::string rest = line.substr(2);
        switch (line[0]) {
            case '$':
                cases.emplace_back();
                cases.back().line = number;
                cases.back().args = rest;
                break;
            case '=': cases.back().status = std::stoi(rest); break;
            case '>': cases.back().out.push_back(rest); break;
            case '!': cases.back().err.push_back(rest); break;
            case '~': cases.back().changes.insert(rest); break;
            case '@': cases.back().restored.push_back(rest); break;
        }
    }
    return cases;
}

std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::string name = fs::relative(entry.path(), root).generic_string();
        files[name] = pwtest::ReadBytes(entry.path().string());
    }
    return files;
}

std::string Normalised(std::string text, const std::string& sim) {
    // JSON writes a backslash as two; no path of the program holds two in a row.
    for (std::size_t at = text.find("\\\\"); at != std::string::npos; at = text.find("\\\\", at + 1)) text.erase(at, 1);
    for (std::size_t at = text.find(sim); at != std::string::npos; at = text.find(sim, at)) text.replace(at, sim.size(), "{sim}");
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

TEST(CliTest, EveryCaseComesOutAsWritten) {
    pwtest::TempFolder temp;
    const std::string sim = temp.Path("sim");
    fs::copy(Source("tests/catalogue/golden/sim"), sim, fs::copy_options::recursive);

    const auto start = Snapshot(sim);
    const std::vector<Case> cases = ReadCases();
    ASSERT_FALSE(cases.empty()) << "no cases; PW_SOURCE_DIR names the source tree";
    cli::Host host;
    host.trainerIni = temp.Path("GARMINWT.INI");
    for (const Case& c : cases) {
        SCOPED_TRACE("cases.txt:" + std::to_string(c.line) + ": " + c.args);
        std::vector<std::string> args;
        std::istringstream words(c.args);
        for (std::string word; words >> word;) {
            for (std::size_t at = word.find("{sim}"); at != std::string::npos; at = word.find("{sim}"))
                word.replace(at, 5, sim);
            args.push_back(word);
        }
        const auto before = Snapshot(sim);
        std::ostringstream out, err;
        EXPECT_EQ(c.status, cli::Run(args, host, out, err)) << err.str();

        if (!c.out.empty()) {
            std::string expected;
            for (const std::string& line : c.out) expected += line + "\n";
            EXPECT_EQ(expected, Normalised(out.str(), sim));
        }
        for (const std::string& text : c.err) {
            EXPECT_NE(std::string::npos, Normalised(err.str(), sim).find(text)) << err.str();
        }
        const auto after = Snapshot(sim);
        for (const auto& [name, bytes] : before) {
            if (!c.changes.count(name)) {
                EXPECT_EQ(bytes, after.at(name)) << name << " changed";
            }
        }
        EXPECT_EQ(before.size(), after.size()) << "files were made or removed";
        for (const std::string& name : c.restored) EXPECT_EQ(start.at(name), after.at(name)) << name << " not restored";
    }
}

}  // namespace
