// Every folder of tests/panelcfg/golden that holds a file named "case" is one edit of a panel.cfg,
// a test of its own name (untitled-section-above runs as .../untitled_section_above):
//
//   panel.cfg      the file before the edit (absent: no file)
//   case           what to do and what must come of it, one "key: value" per line:
//                    edit: install | remove
//                    outcome: done | already-done | not-enough-slots | below-gap | no-set |
//                             no-exact-titles | no-panel-file | busy | failed | path-too-long
//                    slots: A B C D     the install's slots
//                    says: TEXT         the dialog's message holds TEXT ({file} is panel.cfg's path,
//                                       {folder} the panel folder's); repeatable. An edit's wording is
//                                       pinned here only: the other suites check its outcome
//                    once: TEXT         neither the message nor the command line's one-line reason
//                                       says TEXT twice; repeatable
//                    silent: yes        the dialog says nothing
//                    fault: FAULT       the edit meets it (the dry run, which saves nothing, does not):
//                                       no-create, no-write, no-replace (a step of the save fails as
//                                       the system fails it), spoilt (other bytes arrive),
//                                       spoilt-no-restore (and putting the backup back fails too),
//                                       changed-on-disk (expected.cfg is written while the backup is
//                                       made), overwritten (expected.cfg is written after the spoilt
//                                       save, before the restore), read-only-backup (panel.cfg turns
//                                       read-only once the edit has checked it, before its backup is
//                                       made); read-only and busy (another editor
//                                       holds the lock) meet the dry run too, which must predict them
//                    files: NAMES       the folder afterwards (default: panel.cfg;); a backup left
//                                       there holds the file as before
//                    round-trip: yes    a removal after the install gives the file's bytes back,
//                                       and its note is empty unless...
//                    round-trip-says: TEXT   ...the removal's note holds TEXT; repeatable
//                    leftover: NAME "BYTES"   a file NAME lies in the folder first; repeatable. The
//                                       dry run leaves it; the real edit, by default, clears it
//                    path: N            panel.cfg's path is N characters long
//                    written: long-ago  panel.cfg was last written an hour before the edit
//                    folder: gone       the panel folder does not exist, and must not come to
//   expected.cfg   the file afterwards, byte for byte (absent: as before)
//   expected.diff  what a dry run of the edit prints ({file} is panel.cfg's path)
//
// Every case runs as a dry run first, which must come to the same outcome and write nothing,
// and checks that no file but panel.cfg is left in the folder. Where GNU patch is at hand, the
// dry run's diff applied to the file before must give the file the real edit wrote. Every save
// has a backup of the file as it was beside it when it replaces the file.
#include "panelcfg/gps_window_set.h"

#include "catalogue/messages.h"
#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_paths.h"
#include "platform/folder_lock.h"
#include "support/TestSupport.h"

namespace panelcfg {
namespace {

namespace fs = pwtest::fs;
using pwtest::ReadBytes, pwtest::SaveStep;

const std::map<std::string, EditKind> kOutcomes = {{"done", EditKind::Done},
                                                   {"already-done", EditKind::AlreadyDone},
                                                   {"not-enough-slots", EditKind::NotEnoughSlots},
                                                   {"below-gap", EditKind::BelowGap},
                                                   {"no-set", EditKind::NoSet},
                                                   {"no-exact-titles", EditKind::NoExactTitles},
                                                   {"no-panel-file", EditKind::NoPanelFile},
                                                   {"busy", EditKind::Busy},
                                                   {"failed", EditKind::Failed},
                                                   {"path-too-long", EditKind::PathTooLong}};

// The fault of the case; every save's backup of file, as it stood when the save replaced file.
pwtest::FaultyFiles::Fault Fault(const std::string& name, const std::string& file, const std::string& theirs,
                                 std::string& backup) {
    if (name == "no-create") return pwtest::FailAt(SaveStep::Create);
    if (name == "no-write") return pwtest::FailAt(SaveStep::Write, file);
    if (name == "no-replace") return pwtest::FailAt(SaveStep::Replace, file);
    auto struck = std::make_shared<int>(0);  // 0 until the fault struck, then the reads of file since
    return [=, &backup](SaveStep step, const std::string& temp, const std::string& target) {
        if (step == SaveStep::Replace && target == file && !*struck) backup = ReadBytes(BackupPath(file));
        if (name == "read-only-backup" && step == SaveStep::Probe && target == file && !(*struck)++)
            pwtest::SetReadOnly(file, true);  // after the edit's read, as its backup is made
        if (name == "read-only-backup") return fileio::Error{};
        if (*struck && name == "spoilt-no-restore" && step == SaveStep::Create)
            return pwtest::SystemFailure(step, target);
        if (*struck && name == "overwritten" && step == SaveStep::Read && temp == file && ++*struck == 3)
            pwtest::WriteBytes(file, theirs);  // after the read-back, before the restore looks
        if (*struck) return fileio::Error{};
        if ((name.compare(0, 6, "spoilt") == 0 || name == "overwritten") && step == SaveStep::Replace &&
            target == file) {
            pwtest::WriteBytes(temp, ReadBytes(temp) + "junk");
            *struck = 1;
        } else if (name == "changed-on-disk" && (step == SaveStep::Write || step == SaveStep::Link) &&
                   target == BackupPath(file)) {
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

// Each message holds each text, {file} and {folder} spelt out.
void Holds(const std::string& message, const std::vector<std::string>& texts, const std::string& folder) {
    for (const std::string& text : texts) {
        const std::string said =
            pwtest::Replaced(pwtest::Replaced(text, "{file}", folder + "panel.cfg"), "{folder}", folder);
        EXPECT_NE(std::string::npos, message.find(said)) << said << "\nis not in\n" << message;
    }
}

void RunCase(const fs::path& source) {
    std::multimap<std::string, std::string> keys;
    std::istringstream lines(ReadBytes((source / "case").string()));
    for (std::string line; std::getline(lines, line);) {
        if (line[0] != '#' && line.find(": ") != std::string::npos)
            keys.emplace(line.substr(0, line.find(": ")), line.substr(line.find(": ") + 2));
    }
    const auto one = [&](const std::string& key) { return keys.count(key) ? keys.find(key)->second : std::string(); };
    const auto each = [&](const std::string& key) {
        std::vector<std::string> values;
        for (auto [it, end] = keys.equal_range(key); it != end; ++it) values.push_back(it->second);
        return values;
    };
    const auto golden = [&](const char* name, const std::string& otherwise) {
        return fs::exists(source / name) ? ReadBytes((source / name).string()) : otherwise;
    };

    pwtest::TempFolder temp;
    std::string folder = temp.FolderWithSeparator();
    if (one("folder") == "gone") folder = temp.Path("gone") + pwtest::kSeparator;
    if (!one("path").empty()) {
        folder += std::string(std::stoul(one("path")) - folder.size() - 10, 'a') + pwtest::kSeparator;
        fs::create_directory(folder);
    }
    const std::string file = folder + "panel.cfg", fault = one("fault");
    const bool existed = fs::exists(source / "panel.cfg");
    const std::string before = golden("panel.cfg", ""), expected = golden("expected.cfg", before);
    if (existed) pwtest::WriteBytes(file, before);
    if (one("written") == "long-ago") fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(1));
    std::map<std::string, std::string> leftovers;
    for (const std::string& leftover : each("leftover")) {
        const std::vector<std::string> t = pwtest::Tokens(leftover);
        pwtest::WriteBytes(folder + t.at(0), leftovers[t.at(0)] = pwtest::Text(t.at(1)));
    }
    std::string backup = before;
    const auto run = [&](bool dryRun) {
        pwtest::FaultyFiles faulty(Fault(dryRun ? "" : fault, file, expected, backup));
        pwtest::SetReadOnly(file, fault == "read-only");
        platform::FolderLock other;  // another editor's, held across the edit
        fileio::Error error;
        const bool held = fault != "busy" || platform::FolderLock::Acquire(LockPath(file), {}, other, error, file) ==
                                                 platform::LockResult::Held;
        EXPECT_TRUE(held) << error.system;
        EditOptions options;
        options.dryRun = dryRun;
        const EditOutcome out = one("edit") == "install" ? InstallGpsWindowSet(folder, faulty, options)
                                                         : RemoveGpsWindowSet(folder, faulty, options);
        pwtest::SetReadOnly(file, false);
        return out;
    };

    const EditOutcome dry = run(true);
    EXPECT_EQ(existed, fs::exists(file));
    EXPECT_EQ(before, ReadBytes(file)) << "a dry run wrote";
    for (const auto& [name, bytes] : leftovers) EXPECT_EQ(bytes, ReadBytes(folder + name)) << "a dry run wrote";
    EXPECT_EQ(pwtest::Replaced(golden("expected.diff", dry.diff), "{file}", file), dry.diff);

    const EditOutcome out = run(false);
    const std::string message = MessageOf(out);
    if (fault.empty() || fault == "read-only" || fault == "busy") {  // faults a dry run predicts
        EXPECT_EQ(dry.diff.empty(), expected == before) << dry.diff;
        EXPECT_EQ(dry.kind, out.kind) << "the dry run did not predict the edit";
        EXPECT_EQ(MessageOf(dry), message);
        const std::string patched = dry.diff.empty() ? expected : pwtest::Patched(before, dry.diff).value_or(expected);
        EXPECT_EQ(expected, patched) << "patch and the dry run's diff";
    }
    const auto outcome = kOutcomes.find(one("outcome"));
    ASSERT_NE(kOutcomes.end(), outcome) << "outcome: " << one("outcome");
    EXPECT_EQ(outcome->second, out.kind) << message;
    std::string slots;
    for (int slot : out.slots) slots += " " + std::to_string(slot);
    EXPECT_EQ(one("slots").empty() ? slots : " " + one("slots"), slots);
    Holds(message, each("says"), folder);
    for (const std::string& text : each("once")) {
        const std::string said = pwtest::Replaced(text, "{file}", file);
        for (const std::string& words : {message, catalogue::EditReason(out)})
            EXPECT_EQ(words.find(said), words.rfind(said)) << said << " twice in\n" << words;
    }
    EXPECT_EQ(one("silent") == "yes" ? "" : message, message);
    EXPECT_EQ(before, backup) << "the backup while the save replaced the file";

    const std::string after = ReadBytes(file), files = one("files").empty() && existed ? "panel.cfg;" : one("files");
    EXPECT_EQ(expected, after);
    EXPECT_EQ(files, pwtest::ListFolder(folder));
    EXPECT_EQ(one("folder") != "gone", fs::exists(folder));
    const std::string backupLeft = leftovers.count("panel.cfg_backup") ? leftovers["panel.cfg_backup"] : before;
    const bool backupThere = files.find("panel.cfg_backup") != std::string::npos;
    EXPECT_EQ(backupThere ? backupLeft : "", backupThere ? ReadBytes(BackupPath(file)) : "");
    if (one("round-trip") != "yes") return;
    EditOptions dryRemoval;
    dryRemoval.dryRun = true;
    const EditOutcome dryBack = RemoveGpsWindowSet(folder, fileio::SystemFiles(), dryRemoval);
    const EditOutcome back = RemoveGpsWindowSet(folder);
    EXPECT_EQ(EditKind::Done, back.kind) << MessageOf(back);
    EXPECT_EQ(before, ReadBytes(file)) << "install then remove";
    EXPECT_EQ(before, pwtest::Patched(after, dryBack.diff).value_or(before)) << "patch and the removal's diff";
    EXPECT_EQ(each("round-trip-says").empty() ? "" : MessageOf(back), MessageOf(back));
    Holds(MessageOf(back), each("round-trip-says"), folder);
    EXPECT_EQ("panel.cfg;", pwtest::ListFolder(folder));
}

class GpsWindowSetTest : public testing::TestWithParam<std::string> {};

TEST_P(GpsWindowSetTest, ComesOutAsWritten) { RunCase(fs::path(pwtest::Source("tests/panelcfg/golden")) / GetParam()); }

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(pwtest::Source("tests/panelcfg/golden")))
        if (fs::exists(entry.path() / "case")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Golden, GpsWindowSetTest, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return pwtest::TestName(info.param); });

}  // namespace
}  // namespace panelcfg
