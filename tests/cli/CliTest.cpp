// panelwright-cli's run, group by group from tests/cli/cases.txt, each group on a fresh copy of
// tests/catalogue/golden/sim, its commands in order. A command is a block of lines:
//
//   $ ARGS            the arguments, split at blanks ({sim} is the simulator's folder)
//   < PATH "BYTES"    before it runs, the file PATH under {sim} holds BYTES (UTF-8 in the case,
//                     written as the ANSI code page spells it)
//   = STATUS          the exit status
//   > LINE            the next line of standard output, exactly (none: no check of it;
//                     {version} is the program's version)
//   ^ TEXT            standard output holds TEXT
//   ! TEXT            standard error holds TEXT
//   ~ PATH            the command may change this file under {sim}; every other file keeps its bytes
//   @ PATH            afterwards the file holds the bytes it held before the group's first command
//
// Output is compared with {sim} for the folder, '/' for every separator and \r for a CR, so one
// case holds for the Windows build and the native one.
#include "cli/cli.h"
#include "platform/text_encoding.h"
#include "pw_version.h"

#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

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

class CliTest : public testing::TestWithParam<pwtest::Case> {};

TEST_P(CliTest, EveryCommandComesOutAsWritten) {
    std::vector<std::pair<std::string, std::map<char, std::vector<std::string>>>> commands;  // by their marks
    for (const std::string& line : GetParam().lines) {
        if (line[0] == '$')
            commands.push_back({line.substr(2), {}});
        else
            commands.back().second[line[0]].push_back(line.substr(2));
    }
    pwtest::TempFolder temp;
    const std::string sim = temp.Path("sim");
    fs::copy(pwtest::Source("tests/catalogue/golden/sim"), sim, fs::copy_options::recursive);
    const auto start = Snapshot(sim);
    cli::Host host;
    host.trainerIni = temp.Path("GARMINWT.INI");
    for (auto& [command, lines] : commands) {
        SCOPED_TRACE(command);
        for (const std::string& file : lines['<']) {
            const std::vector<std::string> t = pwtest::Tokens(file);
            pwtest::WriteBytes(sim + "/" + t.at(0), platform::Utf8ToAnsi(pwtest::Text(t.at(1))));
        }
        std::vector<std::string> args;
        std::istringstream words(command);
        for (std::string word; words >> word;) args.push_back(pwtest::Replaced(word, "{sim}", sim));
        const auto before = Snapshot(sim);
        std::ostringstream out, err;
        const std::optional<cli::Options> options = cli::ParseCommandLine(args, err);
        EXPECT_EQ(std::stoi(lines['='].at(0)), options ? cli::Execute(*options, host, out, err) : cli::kUsageError)
            << err.str();
        std::string expected, shown = Normalised(out.str(), sim);
        for (const std::string& line : lines['>']) expected += pwtest::Replaced(line, "{version}", PW_VERSION) + "\n";
        EXPECT_EQ(expected.empty() ? shown : expected, shown);
        for (const std::string& text : lines['^']) EXPECT_NE(std::string::npos, shown.find(text)) << out.str();
        for (const std::string& text : lines['!'])
            EXPECT_NE(std::string::npos, Normalised(err.str(), sim).find(text)) << err.str();
        // Only the files the command names may change; those it names with @ hold their first bytes again.
        const auto after = Snapshot(sim);
        for (const auto& [name, bytes] : before) {
            const bool named = std::find(lines['~'].begin(), lines['~'].end(), name) != lines['~'].end();
            EXPECT_EQ(named ? after.at(name) : bytes, after.at(name)) << name;
        }
        EXPECT_EQ(before.size(), after.size()) << "files were made or removed";
        for (const std::string& name : lines['@']) EXPECT_EQ(start.at(name), after.at(name)) << name << " not restored";
    }
}

PW_CASES(CliTest, "tests/cli/cases.txt");

}  // namespace
