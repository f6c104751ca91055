// Every folder of tests/panelcfg/golden that holds a file named "case" is one edit of a panel.cfg:
//
//   panel.cfg      the file before the edit (absent: no file)
//   case           what to do and what must come of it, one "key: value" per line:
//                    edit: install WIDTH | remove
//                    mask: N            the SlotMask row (default: the titles of panel.cfg)
//                    outcome: done | not-enough-slots | below-gap | no-set | failed | path-too-long
//                    slots: A B C D     the install's slots
//                    says: TEXT         the message holds TEXT ({file} is panel.cfg's path); repeatable
//                    silent: yes        the message is empty
//                    reachable: yes | no   afterwards every title stands in one run from Window00,
//                                          so the simulator opens every window
//   expected.cfg   the file afterwards, byte for byte (absent: as before)
//   expected.diff  what a dry run of the edit prints ({file} is panel.cfg's path)
//
// Every case runs as a dry run first, which must come to the same outcome and write nothing,
// and checks that no file but panel.cfg is left in the folder.
#include "panelcfg/gps_window_set.h"

#include "panelcfg/panel_inspection.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace panelcfg {
namespace {

namespace fs = std::filesystem;

std::string GoldenFolder() {
    const char* source = std::getenv("PW_SOURCE_DIR");
    return std::string(source ? source : ".") + "/tests/panelcfg/golden";
}

const std::map<std::string, EditKind> kOutcomes = {
    {"done", EditKind::Done},         {"not-enough-slots", EditKind::NotEnoughSlots},
    {"below-gap", EditKind::BelowGap}, {"no-set", EditKind::NoSet},
    {"failed", EditKind::Failed},     {"path-too-long", EditKind::PathTooLong},
};

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

void RunCase(const fs::path& folder) {
    std::multimap<std::string, std::string> spec;
    std::istringstream lines(pwtest::ReadBytes((folder / "case").string()));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t colon = line.find(": ");
        if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
        spec.emplace(line.substr(0, colon), line.substr(colon + 2));
    }
    const auto one = [&](const std::string& key) {
        const auto it = spec.find(key);
        return it == spec.end() ? std::string() : it->second;
    };

    pwtest::TempFolder temp;
    const std::string file = temp.Path("panel.cfg");
    const bool existed = fs::exists(folder / "panel.cfg");
    const std::string before = pwtest::ReadBytes((folder / "panel.cfg").string());
    if (existed) pwtest::WriteBytes(file, before);
    const std::string expected =
        fs::exists(folder / "expected.cfg") ? pwtest::ReadBytes((folder / "expected.cfg").string()) : before;

    std::istringstream edit(one("edit"));
    std::string action;
    double width = 640.0;
    edit >> action >> width;
    ASSERT_TRUE(action == "install" || action == "remove") << "edit: install WIDTH | remove";
    const std::string mask = one("mask");
    const std::uint32_t slotMask = mask.empty() ? ReadSlotInventory(profile::Document::Parse(before)).slotMask
                                                : static_cast<std::uint32_t>(std::stoul(mask, nullptr, 0));
    const auto run = [&](const EditOptions& options) {
        return action == "install"
                   ? InstallGpsWindowSet(temp.FolderWithSeparator(), slotMask, width, profile::SystemFiles(), options)
                   : RemoveGpsWindowSet(temp.FolderWithSeparator(), profile::SystemFiles(), options);
    };

    EditOptions dryRun;
    dryRun.dryRun = true;
    const EditOutcome dry = run(dryRun);
    EXPECT_EQ(existed, fs::exists(file));
    EXPECT_EQ(before, pwtest::ReadBytes(file)) << "a dry run wrote";
    if (fs::exists(folder / "expected.diff")) {
        EXPECT_EQ(Replaced(pwtest::ReadBytes((folder / "expected.diff").string()), "{file}", file), dry.diff);
    }
    EXPECT_EQ(dry.diff.empty(), expected == before) << dry.diff;

    const EditOutcome out = run({});
    EXPECT_EQ(dry.kind, out.kind);
    EXPECT_EQ(dry.message, out.message);

    ASSERT_EQ(1u, kOutcomes.count(one("outcome"))) << "outcome: " << one("outcome");
    EXPECT_EQ(kOutcomes.at(one("outcome")), out.kind) << out.message;
    if (!one("slots").empty()) {
        std::istringstream slots(one("slots"));
        std::array<int, 4> want{};
        for (int& slot : want) slots >> slot;
        EXPECT_EQ(want, out.slots);
    }
    const auto says = spec.equal_range("says");
    for (auto it = says.first; it != says.second; ++it) {
        const std::string text = Replaced(it->second, "{file}", file);
        EXPECT_NE(std::string::npos, out.message.find(text)) << "says: " << text << "\nmessage: " << out.message;
    }
    if (one("silent") == "yes") {
        EXPECT_EQ("", out.message);
    }

    const std::string after = pwtest::ReadBytes(file);
    EXPECT_EQ(expected, after);
    EXPECT_EQ(existed || out.kind == EditKind::Done ? "panel.cfg;" : "", pwtest::ListFolder(temp.Folder()));
    if (!one("reachable").empty()) {
        const std::uint32_t titled = ReadSlotInventory(profile::Document::Parse(after)).slotMask;
        EXPECT_EQ(one("reachable") == "yes", (titled & (titled + 1)) == 0) << std::hex << titled;
    }
}

TEST(EditCasesTest, EveryGoldenCaseComesOutAsWritten) {
    std::vector<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(GoldenFolder()))
        if (fs::exists(entry.path() / "case")) cases.push_back(entry.path());
    ASSERT_FALSE(cases.empty()) << "no cases in " << GoldenFolder() << "; PW_SOURCE_DIR names the source tree";
    for (const fs::path& folder : cases) {
        SCOPED_TRACE(folder.filename().string());
        RunCase(folder);
    }
}

}  // namespace
}  // namespace panelcfg
