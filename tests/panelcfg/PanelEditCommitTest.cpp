// An edit killed at every step of its save, and of the restore after a bad save: the file system
// stops dead after its k-th change, for every k, as a killed process would. panel.cfg is then
// always whole (the content before, the content after, or a save's own bad bytes), and the next
// edit clears what was left beside it.
#include "panelcfg/gps_window_set.h"

#include "support/TestSupport.h"

namespace panelcfg {
namespace {

using pwtest::SaveStep;

TEST(PanelEditCommitTest, KilledAtEveryStepTheFileIsWholeAndTheNextEditClearsUp) {
    const std::string old = pwtest::ReadBytes(pwtest::Source("tests/panelcfg/golden/worked-example/panel.cfg"));
    const std::string installed =
        pwtest::ReadBytes(pwtest::Source("tests/panelcfg/golden/worked-example/expected.cfg"));
    ASSERT_FALSE(old.empty() || installed.empty()) << "PW_SOURCE_DIR names the source tree";
    for (const bool install : {true, false}) {
        for (const bool spoil : {false, true}) {  // spoil: the save's replace brings other bytes
            const std::string before = install ? old : installed, after = install ? installed : old;
            bool ranToTheEnd = false;
            for (int k = 0; k < 40 && !ranToTheEnd; ++k) {
                SCOPED_TRACE(std::string(install ? "install" : "remove") + (spoil ? ", bad save" : "") +
                             ", killed after change " + std::to_string(k));
                pwtest::TempFolder temp;
                const std::string file = temp.Path("panel.cfg");
                pwtest::WriteBytes(file, before);
                int left = k;
                bool spoilt = !spoil;
                // The system's files until the k-th change; from then on every change fails.
                pwtest::FaultyFiles dying([&](SaveStep step, const std::string& from, const std::string& target) {
                    if (step == SaveStep::Read || step == SaveStep::Probe) return fileio::Error{};
                    if (--left < 0) return pwtest::SystemFailure(step, target);
                    if (step == SaveStep::Replace && target == file && !spoilt) {
                        pwtest::WriteBytes(from, pwtest::ReadBytes(from) + "junk");
                        spoilt = true;
                    }
                    return fileio::Error{};
                });
                const auto edit = [&](fileio::FileSystem& files) {
                    return install ? InstallGpsWindowSet(temp.FolderWithSeparator(), files)
                                   : RemoveGpsWindowSet(temp.FolderWithSeparator(), files);
                };
                edit(dying);
                ranToTheEnd = left >= 0;

                const std::string now = pwtest::ReadBytes(file);
                EXPECT_TRUE(now == before || now == after || (spoil && now == after + "junk"))
                    << "panel.cfg is neither the old content nor the new:\n"
                    << now;
                const EditOutcome next = edit(fileio::SystemFiles());
                EXPECT_EQ("panel.cfg;", pwtest::ListFolder(temp.Folder())) << "the next edit left files behind";
                if (!spoil) {
                    EXPECT_EQ(after, pwtest::ReadBytes(file)) << "the next edit did not converge";
                    EXPECT_TRUE(next.kind == EditKind::Done || next.kind == EditKind::AlreadyDone ||
                                next.kind == EditKind::NoSet);
                }
            }
            EXPECT_TRUE(ranToTheEnd) << "the edit makes more changes than the test counts";
        }
    }
}

}  // namespace
}  // namespace panelcfg
