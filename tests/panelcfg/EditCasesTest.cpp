// Every folder of tests/panelcfg/golden that holds a file named "case" is one edit of a panel.cfg:
//
//   panel.cfg      the file before the edit (absent: no file)
//   case           what to do and what must come of it, one "key: value" per line:
//                    edit: install | remove
//                    outcome: done | already-done | not-enough-slots | below-gap | no-set |
//                             no-exact-titles | no-panel-file | busy | failed | path-too-long
//                    slots: A B C D     the install's slots
//                    says: TEXT         the dialog's message holds TEXT ({file} is panel.cfg's path);
//                                       repeatable
//                    line: TEXT         the command line's one-line reason holds TEXT; repeatable
//                    silent: yes        the dialog says nothing
//                    reachable: yes | no   afterwards every title stands in one run from Window00,
//                                          so the simulator opens every window
//                    fault: FAULT       the edit meets it (the dry run, which saves nothing, does not):
//                                       no-create, no-write, no-replace (a step of the save fails as
//                                       the system fails it), spoilt (other bytes arrive),
//                                       spoilt-no-restore (and putting the backup back fails too),
//                                       changed-on-disk (expected.cfg is written while the backup is
//                                       made), overwritten (expected.cfg is written after the spoilt
//                                       save, before the restore); read-only and busy (another editor
//                                       holds the lock) meet the dry run too, which must predict them
//                    files: NAMES       the folder afterwards (default: panel.cfg;); a backup left
//                                       there holds the file as before
//                    round-trip: yes    a removal after the install gives the file's bytes back,
//                                       and its note is empty unless...
//                    round-trip-says: TEXT   ...the removal's note holds TEXT; repeatable
//                    leftover: NAME "BYTES"   a file NAME lies in the folder first; repeatable. The
//                                       dry run leaves it; the real edit, by default, clears it
//   expected.cfg   the file afterwards, byte for byte (absent: as before)
//   expected.diff  what a dry run of the edit prints ({file} is panel.cfg's path)
//
// Every case runs as a dry run first, which must come to the same outcome and write nothing,
// and checks that no file but panel.cfg is left in the folder. Where GNU patch is at hand, the
// dry run's diff applied to the file before must give the file the real edit wrote.
#include "panelcfg/gps_window_set.h"

#include "catalogue/messages.h"
#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_paths.h"
#include "platform/folder_lock.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace panelcfg {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, EditKind> kOutcomes = {
    {"done", EditKind::Done},
    {"already-done", EditKind::AlreadyDone},
    {"not-enough-slots", EditKind::NotEnoughSlots},
    {"below-gap", EditKind::BelowGap},
    {"no-set", EditKind::NoSet},
    {"no-exact-titles", EditKind::NoExactTitles},
    {"no-panel-file", EditKind::NoPanelFile},
    {"busy", EditKind::Busy},
    {"failed", EditKind::Failed},
    {"path-too-long", EditKind::PathTooLong},
};

pwtest::FaultyFiles::Fault Fault(const std::string& name, const std::string& file, const std::string& theirs) {
    using pwtest::SaveStep;
    if (name == "no-create") return pwtest::FailAt(SaveStep::Create);
    if (name == "no-write") return pwtest::FailAt(SaveStep::Write, file);
    if (name == "no-replace") return pwtest::FailAt(SaveStep::Replace, file);
    auto struck = std::make_shared<int>(0);  // 0 until the fault struck, then the reads of file since
    return [=](SaveStep step, const std::string& temp, const std::string& target) {
        if (*struck && name == "spoilt-no-restore" && step == SaveStep::Create)
            return pwtest::SystemFailure(step, target);
        if (*struck && name == "overwritten" && step == SaveStep::Read && temp == file && ++*struck == 3) {
            pwtest::WriteBytes(file, theirs);  // after the read-back, before the restore looks
        }
        if (*struck) return fileio::Error{};
        if ((name.compare(0, 6, "spoilt") == 0 || name == "overwritten") && step == SaveStep::Replace &&
            target == file) {
            pwtest::WriteBytes(temp, pwtest::ReadBytes(temp) + "junk");
            *struck = 1;
        } else if (name == "changed-on-disk" && (step == SaveStep::Write || step == SaveStep::Link) &&
                   target == file + "_backup") {
            pwtest::WriteBytes(file, theirs);
            *struck = 1;
        }
        return fileio::Error{};
    };
}

std::string MessageOf(const EditOutcome& out) {
    const std::optional<catalogue::Message> message = catalogue::EditMessage(out);
    return message ? message->text : "";
}

void RunCase(const fs::path& folder) {
    std::multimap<std::string, std::string> keys;
    std::istringstream lines(pwtest::ReadBytes((folder / "case").string()));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t colon = line.find(": ");
        if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
        keys.emplace(line.substr(0, colon), line.substr(colon + 2));
    }
    const auto one = [&](const std::string& key) { return keys.count(key) ? keys.find(key)->second : std::string(); };
    const auto each = [&](const std::string& key) {
        std::vector<std::string> values;
        for (auto [it, end] = keys.equal_range(key); it != end; ++it) values.push_back(it->second);
        return values;
    };

    pwtest::TempFolder temp;
    const std::string file = temp.Path("panel.cfg");
    const bool existed = fs::exists(folder / "panel.cfg");
    const std::string before = pwtest::ReadBytes((folder / "panel.cfg").string());
    if (existed) pwtest::WriteBytes(file, before);
    std::map<std::string, std::string> leftovers;
    for (const std::string& leftover : each("leftover")) {
        const std::vector<std::string> t = pwtest::Tokens(leftover);
        leftovers[t.at(0)] = pwtest::Text(t.at(1));
        pwtest::WriteBytes(temp.Path(t.at(0)), leftovers[t.at(0)]);
    }
    const std::string expected =
        fs::exists(folder / "expected.cfg") ? pwtest::ReadBytes((folder / "expected.cfg").string()) : before;

    const std::string action = one("edit");
    const std::string fault = one("fault");
    const bool predicted = fault == "read-only" || fault == "busy";
    const auto run = [&](const EditOptions& options) {
        pwtest::FaultyFiles faulty(Fault(options.dryRun ? "" : fault, file, expected));
        pwtest::SetReadOnly(file, fault == "read-only");
        platform::FolderLock other;  // another editor's, held across the edit
        fileio::Error error;
        if (fault == "busy") {
            EXPECT_EQ(platform::LockResult::Held,
                      platform::FolderLock::Acquire(LockPath(file), std::chrono::milliseconds(0), other, error, file));
        }
        const EditOutcome out = action == "install" ? InstallGpsWindowSet(temp.FolderWithSeparator(), faulty, options)
                                                    : RemoveGpsWindowSet(temp.FolderWithSeparator(), faulty, options);
        pwtest::SetReadOnly(file, false);
        return out;
    };

    EditOptions dryRun;
    dryRun.dryRun = true;
    const EditOutcome dry = run(dryRun);
    EXPECT_EQ(existed, fs::exists(file));
    EXPECT_EQ(before, pwtest::ReadBytes(file)) << "a dry run wrote";
    for (const auto& [name, bytes] : leftovers)
        EXPECT_EQ(bytes, pwtest::ReadBytes(temp.Path(name))) << "a dry run wrote";
    if (fs::exists(folder / "expected.diff")) {
        EXPECT_EQ(pwtest::Replaced(pwtest::ReadBytes((folder / "expected.diff").string()), "{file}", file), dry.diff);
    }

    const EditOutcome out = run({});
    const std::string message = MessageOf(out);
    if (fault.empty() || predicted) {
        EXPECT_EQ(dry.diff.empty(), expected == before) << dry.diff;
        EXPECT_EQ(dry.kind, out.kind) << "the dry run did not predict the edit";
        EXPECT_EQ(MessageOf(dry), message);
        if (!dry.diff.empty()) {
            EXPECT_EQ(pwtest::Patched(before, dry.diff).value_or(expected), expected) << "patch and the dry run's diff";
        }
    }

    ASSERT_EQ(1u, kOutcomes.count(one("outcome"))) << "outcome: " << one("outcome");
    EXPECT_EQ(kOutcomes.at(one("outcome")), out.kind) << message;
    if (!one("slots").empty()) {
        std::string slots;
        for (int slot : out.slots) slots += (slots.empty() ? "" : " ") + std::to_string(slot);
        EXPECT_EQ(one("slots"), slots);
    }
    for (const std::string& says : each("says")) {
        const std::string text = pwtest::Replaced(says, "{file}", file);
        EXPECT_NE(std::string::npos, message.find(text)) << "says: " << text << "\nmessage: " << message;
    }
    const std::string reason = catalogue::EditReason(out);
    for (const std::string& line : each("line")) {
        const std::string text = pwtest::Replaced(line, "{file}", file);
        EXPECT_NE(std::string::npos, reason.find(text)) << "line: " << text << "\nreason: " << reason;
    }
    if (one("silent") == "yes") {
        EXPECT_EQ("", message);
    }

    const std::string after = pwtest::ReadBytes(file);
    EXPECT_EQ(expected, after);
    const std::string files = !one("files").empty() ? one("files") : existed ? "panel.cfg;" : "";
    EXPECT_EQ(files, pwtest::ListFolder(temp.Folder()));
    if (files.find("panel.cfg_backup") != std::string::npos) {
        const std::string backup = leftovers.count("panel.cfg_backup") ? leftovers["panel.cfg_backup"] : before;
        EXPECT_EQ(backup, pwtest::ReadBytes(file + "_backup"));
    }
    if (!one("reachable").empty()) {
        const std::uint32_t titled = ReadSlotInventory(profile::Document::Parse(after)).slotMask;
        EXPECT_EQ(one("reachable") == "yes", (titled & (titled + 1)) == 0) << std::hex << titled;
    }
    if (one("round-trip") == "yes") {
        EditOptions dryRemoval;
        dryRemoval.dryRun = true;
        const EditOutcome dryBack = RemoveGpsWindowSet(temp.FolderWithSeparator(), fileio::SystemFiles(), dryRemoval);
        const EditOutcome back = RemoveGpsWindowSet(temp.FolderWithSeparator());
        EXPECT_EQ(EditKind::Done, back.kind) << MessageOf(back);
        EXPECT_EQ(before, pwtest::ReadBytes(file)) << "install then remove";
        EXPECT_EQ(before, pwtest::Patched(after, dryBack.diff).value_or(before)) << "patch and the removal's diff";
        const std::vector<std::string> notes = each("round-trip-says");
        if (notes.empty()) {
            EXPECT_EQ("", MessageOf(back));
        }
        for (const std::string& note : notes) {
            EXPECT_NE(std::string::npos, MessageOf(back).find(note)) << note << "\nnote: " << MessageOf(back);
        }
        EXPECT_EQ("panel.cfg;", pwtest::ListFolder(temp.Folder()));
    }
}

// Every folder of tests/panelcfg/golden with a file "case", by its name ("a-b" runs as a_b).
std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(pwtest::Source("tests/panelcfg/golden"))) {
        if (fs::exists(entry.path() / "case")) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenEditTest : public testing::TestWithParam<std::string> {};

TEST_P(GoldenEditTest, ComesOutAsWritten) { RunCase(fs::path(pwtest::Source("tests/panelcfg/golden")) / GetParam()); }

INSTANTIATE_TEST_SUITE_P(Golden, GoldenEditTest, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return pwtest::TestName(info.param); });

TEST(EditCasesTest, GoldenCasesAreThere) {
    EXPECT_GT(CaseNames().size(), 40u) << "cases missing; PW_SOURCE_DIR names the source tree";
}

// What a golden case cannot say: a stale backup is replaced by the file as it was, then deleted;
// the longest path leaves room for the backup; a missing folder is named and not made.
TEST(EditCasesTest, BackupLongestPathAndMissingFolder) {
    pwtest::TempFolder temp;
    const std::string file = temp.Path("panel.cfg"), backup = file + "_backup";
    for (const char* name : {"worked-example/panel.cfg", "worked-example/expected.cfg"}) {
        const std::string start = pwtest::ReadBytes(pwtest::Source("tests/panelcfg/golden/" + std::string(name)));
        pwtest::WriteBytes(file, start);
        pwtest::WriteBytes(backup, "stale backup of another day");
        std::string backupDuringSave;
        pwtest::FaultyFiles files([&](pwtest::SaveStep step, const std::string&, const std::string& target) {
            if (step == pwtest::SaveStep::Replace && target == file) backupDuringSave = pwtest::ReadBytes(backup);
            return fileio::Error{};
        });
        const EditOutcome out = start.find("Skyvantage") == std::string::npos
                                    ? InstallGpsWindowSet(temp.FolderWithSeparator(), files)
                                    : RemoveGpsWindowSet(temp.FolderWithSeparator(), files);
        EXPECT_EQ(EditKind::Done, out.kind) << MessageOf(out);
        EXPECT_EQ(start, backupDuringSave);
        EXPECT_EQ("panel.cfg;", pwtest::ListFolder(temp.Folder()));
    }

    const std::string base = temp.FolderWithSeparator();
    for (const std::size_t length : {std::size_t{252}, std::size_t{253}}) {
        const std::string folder =
            base + std::string(length - base.size() - 1 - 9, static_cast<char>('a' + length % 26)) + pwtest::kSeparator;
        fs::create_directory(folder);
        if (length == 252) pwtest::WriteBytes(folder + "panel.cfg", "");
        const EditOutcome out = InstallGpsWindowSet(folder);
        EXPECT_EQ(length == 252 ? EditKind::Done : EditKind::PathTooLong, out.kind) << MessageOf(out);
        EXPECT_EQ(length == 252, fs::exists(folder + "panel.cfg"));
        if (length == 253) {
            EXPECT_NE(std::string::npos, MessageOf(out).find("too long")) << MessageOf(out);
            EXPECT_EQ(EditKind::PathTooLong, RemoveGpsWindowSet(folder).kind);
        }
    }

    const std::string gone = temp.Path("gone") + pwtest::kSeparator;
    const EditOutcome out = InstallGpsWindowSet(gone);
    EXPECT_NE(EditKind::Done, out.kind);
    EXPECT_NE(std::string::npos, MessageOf(out).find(gone)) << MessageOf(out);
    EXPECT_FALSE(fs::exists(gone));
}

// tests/panelcfg/inspection.txt: one question of the inspection a line.
TEST(EditCasesTest, InspectionAnswersEveryLineAsWritten) {
    std::istringstream lines(pwtest::ReadBytes(pwtest::Source("tests/panelcfg/inspection.txt")));
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> t = pwtest::Tokens(line);
        const auto arrow = std::find(t.begin(), t.end(), "=>");
        ASSERT_NE(t.end(), arrow) << line;
        std::string text;
        for (auto it = t.begin() + (t[0] == "alias" ? 2 : 1); it != arrow; ++it) text += pwtest::Text(*it);
        const profile::Document doc = profile::Document::Parse(text);
        const std::string answer = pwtest::Text(arrow[1]);
        SCOPED_TRACE(line.substr(0, 120));
        ++count;
        if (t[0] == "inventory") {
            const SlotInventory inventory = ReadSlotInventory(doc);
            EXPECT_EQ(std::stoul(answer, nullptr, 0), inventory.slotMask);
            EXPECT_EQ(arrow[2] == "yes", inventory.setFound);
        } else if (t[0] == "alias") {
            const PanelAlias alias = ReadPanelAlias(doc, pwtest::Text(t[1]));
            EXPECT_EQ(answer != "none", alias.present);
            EXPECT_EQ(answer == "too-long", alias.tooLong);
            EXPECT_EQ(answer == "none" || answer == "too-long" ? "" : answer, alias.path);
        } else {
            EXPECT_EQ(answer == "yes", ScanForModuleMarker(text));
        }
    }
    EXPECT_GT(count, 30);
}

// InspectPanel reads the file once for all three answers; a marker lies beyond a line's first
// kilobyte; a missing file answers no to all.
TEST(EditCasesTest, InspectPanelReadsTheFileWhole) {
    pwtest::TempFolder temp;
    pwtest::WriteBytes(temp.Path("panel.cfg"),
                       "[fltsim]\r\nalias=beech\\panel\r\n[Window Titles]\r\n"
                       "Window01=Skyvantage 530 GPS\r\n;" +
                           std::string(1020, 'c') + "Skyvantage_Aerolith\r\n");
    const PanelFacts facts = InspectPanel(temp.Folder(), "D:\\Sim");
    EXPECT_EQ("D:\\Sim\\aircraft\\beech\\panel\\", facts.alias.path);
    EXPECT_EQ(2u, facts.inventory.slotMask);
    EXPECT_TRUE(facts.inventory.setFound && facts.marker);
    std::filesystem::remove(temp.Path("panel.cfg"));
    const PanelFacts none = InspectPanel(temp.Folder(), "D:\\Sim");
    EXPECT_FALSE(none.alias.present || none.inventory.setFound || none.marker || none.inventory.slotMask);
}

}  // namespace
}  // namespace panelcfg
