// Faults during an install or a removal: each must leave panel.cfg byte for byte as it was,
// answer 0 and say which file failed.
#include "panelcfg/gps_window_set_edit.h"

#include "panel_test_support.h"
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace panelcfg {
namespace {

namespace fs = std::filesystem;
using panelcfg_test::Listing;
using panelcfg_test::ReadFile;
using panelcfg_test::TempFolder;
using panelcfg_test::WriteFile;

const std::string kPlain =
    "[Window Titles]\r\nWindow00=Main\r\n\r\n[Window00]\r\nsize_mm=640,480\r\nfile=panel.bmp\r\n";
const std::string kWithSet =
    "[Window Titles]\r\nWindow00=Main\r\nWindow01=Skyvantage 530 MiniStack\r\n\r\n[Window00]\r\nsize_mm=640,480\r\n"
    "[Window01]\r\nsize_mm=50,80\r\nident=12600\r\n";

enum class Edit { Install, Remove };

struct Case {
    const char* name;
    Edit edit;
};
const Case kCases[] = {{"install", Edit::Install}, {"remove", Edit::Remove}};

class PanelEditFaultTest : public ::testing::Test {
protected:
    void TearDown() override { profile::SetSaveFaultHook(nullptr); }

    std::string Prepare(const Case& c) {
        const std::string& text = c.edit == Edit::Install ? kPlain : kWithSet;
        WriteFile(temp_.File(), text);
        return text;
    }
    EditOutcome Run(const Case& c) {
        return c.edit == Edit::Install ? InstallIntoFile(temp_.Folder(), 1, 640) : RemoveFromFile(temp_.Folder());
    }
    // Every fault: result 0, the file as it was, a message that names it, no stray files.
    void ExpectUntouched(const Case& c, const EditOutcome& out, const std::string& before) {
        EXPECT_EQ(0, out.result) << c.name;
        EXPECT_EQ(EditKind::Failed, out.kind) << c.name;
        EXPECT_EQ(before, ReadFile(temp_.File())) << c.name;
        EXPECT_NE(std::string::npos, out.message.find(temp_.File())) << c.name << ": " << out.message;
        EXPECT_EQ("panel.cfg;", Listing(temp_.Path())) << c.name;
    }
    void FailAt(const std::string& point) {
        profile::SetSaveFaultHook([point](const char* at, const std::string&) { return point != at; });
    }
    TempFolder temp_;
};

TEST_F(PanelEditFaultTest, ReadOnlyFile) {
    for (const Case& c : kCases) {
        const std::string before = Prepare(c);
        fs::permissions(temp_.File(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        const EditOutcome out = Run(c);
        ExpectUntouched(c, out, before);
        EXPECT_NE(std::string::npos, out.message.find("administrator")) << out.message;
        fs::permissions(temp_.File(), fs::perms::owner_write, fs::perm_options::add);
    }
}

TEST_F(PanelEditFaultTest, ReadOnlyFolder) {
    for (const Case& c : kCases) {
        const std::string before = Prepare(c);
        // The system refuses to create files there (as it refuses a user without rights).
        FailAt("temp-create");
        const EditOutcome out = Run(c);
        profile::SetSaveFaultHook(nullptr);
        ExpectUntouched(c, out, before);
        EXPECT_NE(std::string::npos, out.message.find("administrator")) << out.message;
    }
}

TEST_F(PanelEditFaultTest, SaveFailsHalfway) {
    for (const char* point : {"temp-written", "before-replace"}) {
        for (const Case& c : kCases) {
            const std::string before = Prepare(c);
            profile::SetSaveFaultHook([this, point](const char* at, const std::string& path) {
                return !(std::string(point) == at && path == temp_.File());
            });
            const EditOutcome out = Run(c);
            profile::SetSaveFaultHook(nullptr);
            ExpectUntouched(c, out, before);
            EXPECT_NE(std::string::npos, out.message.find("as it was before")) << out.message;
        }
    }
}

TEST_F(PanelEditFaultTest, FileChangedOnDiskBeforeTheSave) {
    for (const Case& c : kCases) {
        Prepare(c);
        const std::string theirs = "[Window Titles]\r\nWindow00=Edited elsewhere\r\n";
        // Another program writes while the backup copy is being made, after the file was read.
        profile::SetSaveFaultHook([this, &theirs](const char* at, const std::string& path) {
            if (std::string(at) == "temp-written" && path == temp_.File("panel.cfg_backup"))
                WriteFile(temp_.File(), theirs);
            return true;
        });
        const EditOutcome out = Run(c);
        profile::SetSaveFaultHook(nullptr);
        ExpectUntouched(c, out, theirs);
        EXPECT_NE(std::string::npos, out.message.find("changed")) << out.message;
    }
}

// A save that reports success but leaves other bytes behind: the temporary file is spoilt
// just before it replaces panel.cfg.
class SpoiltSave {
public:
    SpoiltSave(const TempFolder& folder, bool failRestore) : folder_(folder), failRestore_(failRestore) {
        profile::SetSaveFaultHook([this](const char* at, const std::string& path) { return Allow(at, path); });
    }
    ~SpoiltSave() { profile::SetSaveFaultHook(nullptr); }

private:
    bool Allow(const std::string& at, const std::string& path) {
        if (path != folder_.File()) return true;
        if (at == "before-replace" && !spoilt_) {
            for (const auto& entry : fs::directory_iterator(folder_.Path())) {
                if (entry.path().extension() == ".tmp") {
                    std::ofstream(entry.path(), std::ios::binary | std::ios::app) << "junk";
                }
            }
            spoilt_ = true;
            return true;
        }
        return !(spoilt_ && failRestore_ && at == "temp-create");
    }
    const TempFolder& folder_;
    bool failRestore_;
    bool spoilt_ = false;
};

TEST_F(PanelEditFaultTest, WrongContentAfterTheSaveIsRolledBack) {
    for (const Case& c : kCases) {
        const std::string before = Prepare(c);
        EditOutcome out;
        {
            SpoiltSave spoilt(temp_, false);
            out = Run(c);
        }
        ExpectUntouched(c, out, before);
        EXPECT_NE(std::string::npos, out.message.find("Checking the saved file failed")) << out.message;
    }
}

TEST_F(PanelEditFaultTest, BackupIsKeptWhenTheRollbackFails) {
    for (const Case& c : kCases) {
        const std::string before = Prepare(c);
        EditOutcome out;
        {
            SpoiltSave spoilt(temp_, true);
            out = Run(c);
        }
        EXPECT_EQ(0, out.result) << c.name;
        EXPECT_EQ(before, ReadFile(temp_.File("panel.cfg_backup"))) << c.name;
        EXPECT_NE(std::string::npos, out.message.find(temp_.File("panel.cfg_backup"))) << out.message;
        fs::remove(temp_.File("panel.cfg_backup"));
    }
}

TEST_F(PanelEditFaultTest, MissingFolder) {
    const std::string gone = TempFolder::WithSeparator((temp_.Path() / "gone").string());
    const EditOutcome install = InstallIntoFile(gone, 0, 640);
    EXPECT_EQ(0, install.result);
    EXPECT_EQ(EditKind::Failed, install.kind);
    EXPECT_NE(std::string::npos, install.message.find(gone + "panel.cfg")) << install.message;
    EXPECT_FALSE(fs::exists(temp_.Path() / "gone"));

    // Nothing to remove from: the guard answers no, silently, as for any panel without the set.
    const EditOutcome remove = RemoveFromFile(gone);
    EXPECT_EQ(0, remove.result);
    EXPECT_EQ(EditKind::NoSet, remove.kind);
    EXPECT_EQ("", Listing(temp_.Path()));
}

TEST_F(PanelEditFaultTest, MissingFileStaysMissingWhenTheSaveFails) {
    FailAt("temp-written");
    const EditOutcome out = InstallIntoFile(temp_.Folder(), 0, 640);
    profile::SetSaveFaultHook(nullptr);
    EXPECT_EQ(EditKind::Failed, out.kind);
    EXPECT_EQ("", Listing(temp_.Path()));
}

TEST_F(PanelEditFaultTest, Utf16FileIsNotEdited) {
    const std::string utf16("\xFF\xFE[\0W\0]\0\r\0\n\0", 12);
    WriteFile(temp_.File(), utf16);
    for (const Case& c : kCases) {
        const EditOutcome out = Run(c);
        EXPECT_EQ(EditKind::Failed, out.kind) << c.name;
        EXPECT_EQ(utf16, ReadFile(temp_.File()));
        EXPECT_NE(std::string::npos, out.message.find("ANSI")) << out.message;
    }
}

}  // namespace
}  // namespace panelcfg
