// An edit killed at every step of its save, and of the restore after a bad save: the file system
// stops dead after its k-th change, for every k, as a killed process would. panel.cfg is then
// always whole (the content before, the content after, or a save's own bad bytes), and the next
// edit clears what was left beside it.
#include "panelcfg/gps_window_set.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace panelcfg {
namespace {

// The system's files until the k-th change (create, write, replace, remove, link); from then on
// every change fails and does nothing. spoil: the save's replace of file brings other bytes,
// which sends the edit down its restore path.
class DyingFiles final : public fileio::FileSystem {
public:
    DyingFiles(int changes, std::string spoil) : left_(changes), spoil_(std::move(spoil)) {}
    bool Died() const { return left_ < 0; }

    fileio::PathKind Probe(const std::string& path) override { return Real().Probe(path); }
    fileio::Error Read(const std::string& path, std::string& bytes, bool& existed) override {
        return Real().Read(path, bytes, existed);
    }
    fileio::Error CreateNew(const std::string& path, const std::string& target, bool& taken) override {
        if (Dead()) return fileio::reasons::CannotCreateIn(target);
        return Real().CreateNew(path, target, taken);
    }
    fileio::Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target) override {
        if (Dead()) return fileio::reasons::DiskFull(target);
        return Real().WriteAll(path, bytes, target);
    }
    fileio::Error Replace(const std::string& from, const std::string& target) override {
        if (Dead()) return fileio::reasons::ReplaceRefused(target);
        if (target == spoil_) {
            pwtest::WriteBytes(from, pwtest::ReadBytes(from) + "junk");
            spoil_.clear();
        }
        return Real().Replace(from, target);
    }
    fileio::Error Remove(const std::string& path) override {
        if (Dead()) return fileio::reasons::DeleteFailed(path, "the process is gone");
        return Real().Remove(path);
    }
    bool Link(const std::string& existing, const std::string& link) override {
        return !Dead() && Real().Link(existing, link);
    }

private:
    bool Dead() { return --left_ < 0; }
    static fileio::FileSystem& Real() { return fileio::SystemFiles(); }
    int left_;
    std::string spoil_;
};

struct Scenario {
    const char* name;
    bool install;
    bool spoil;
};

TEST(PanelEditCommitTest, KilledAtEveryStepTheFileIsWholeAndTheNextEditClearsUp) {
    const std::string old = pwtest::ReadBytes(pwtest::Source("tests/panelcfg/golden/worked-example/panel.cfg"));
    const std::string installed =
        pwtest::ReadBytes(pwtest::Source("tests/panelcfg/golden/worked-example/expected.cfg"));
    ASSERT_FALSE(old.empty() || installed.empty()) << "PW_SOURCE_DIR names the source tree";
    for (const Scenario& scenario :
         {Scenario{"install", true, false}, Scenario{"remove", false, false}, Scenario{"install, bad save", true, true},
          Scenario{"remove, bad save", false, true}}) {
        const std::string before = scenario.install ? old : installed;
        const std::string after = scenario.install ? installed : old;
        bool ranToTheEnd = false;
        for (int k = 0; k < 40 && !ranToTheEnd; ++k) {
            SCOPED_TRACE(std::string(scenario.name) + ", killed after change " + std::to_string(k));
            pwtest::TempFolder temp;
            const std::string file = temp.Path("panel.cfg");
            pwtest::WriteBytes(file, before);
            DyingFiles dying(k, scenario.spoil ? file : "");
            const auto edit = [&](fileio::FileSystem& files) {
                return scenario.install ? InstallGpsWindowSet(temp.FolderWithSeparator(), files)
                                        : RemoveGpsWindowSet(temp.FolderWithSeparator(), files);
            };
            edit(dying);
            ranToTheEnd = !dying.Died();

            const std::string now = pwtest::ReadBytes(file);
            EXPECT_TRUE(now == before || now == after || (scenario.spoil && now == after + "junk"))
                << "panel.cfg is neither the old content nor the new:\n"
                << now;

            const EditOutcome next = edit(fileio::SystemFiles());
            EXPECT_EQ("panel.cfg;", pwtest::ListFolder(temp.Folder())) << "the next edit left files behind";
            if (!scenario.spoil) {
                EXPECT_EQ(after, pwtest::ReadBytes(file)) << "the next edit did not converge";
                EXPECT_TRUE(next.kind == EditKind::Done || next.kind == EditKind::AlreadyDone ||
                            next.kind == EditKind::NoSet);
            }
        }
        EXPECT_TRUE(ranToTheEnd) << scenario.name << ": the edit makes more changes than the test counts";
    }
}

}  // namespace
}  // namespace panelcfg
