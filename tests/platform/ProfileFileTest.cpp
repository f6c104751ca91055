// Failures and the file layer: Load, atomic Save, the whole-file helpers.
#include "platform/profile_file.h"

#include "support/FaultyFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace profile;
using pwtest::ReadBytes;
using pwtest::TempFolder;
using pwtest::WriteBytes;

namespace {

// A save that must find the bytes it loaded (or no file, with missing).
SaveOptions Expecting(const LoadedFile& loaded, bool missing = false) {
    SaveOptions options;
    options.expected_original = &loaded.original;
    options.expect_missing = missing;
    return options;
}

TEST(ProfileFileTest, LoadThenSaveKeepsEverythingButTheEdit) {
    TempFolder tmp;
    const std::string path = tmp.Path("panel.cfg");
    WriteBytes(path, "// header\n[Window00]\nfile=a.bmp\n\n[Vcockpit01]\ngauge00=x,1,2 // note\n");
    LoadedFile loaded;
    ASSERT_FALSE(Load(path, loaded));
    EXPECT_TRUE(loaded.existed);
    loaded.doc.Set("Window00", "size_mm", "640");
    const Error error = Save(path, loaded.doc, Expecting(loaded));
    ASSERT_FALSE(error) << error.reason;
    EXPECT_EQ("// header\n[Window00]\nfile=a.bmp\nsize_mm=640\n\n[Vcockpit01]\ngauge00=x,1,2 // note\n",
              ReadBytes(path));
    EXPECT_EQ("panel.cfg;", pwtest::ListFolder(tmp.Folder()));  // no temporary left behind
}

TEST(ProfileFileTest, MissingFileLoadsEmptyAndIsCreatedOnlyInAnExistingFolder) {
    TempFolder tmp;
    LoadedFile loaded;
    ASSERT_FALSE(Load(tmp.Path("new.ini"), loaded));
    EXPECT_FALSE(loaded.existed);
    loaded.doc.Set("S", "k", "v");
    ASSERT_FALSE(Save(tmp.Path("new.ini"), loaded.doc, Expecting(loaded, true)));
    EXPECT_EQ("[S]\r\nk=v\r\n", ReadBytes(tmp.Path("new.ini")));

    const std::string nowhere = tmp.Path("no-such-folder") + tmp.Path("x.ini").substr(tmp.Folder().size());
    ASSERT_FALSE(Load(nowhere, loaded));
    EXPECT_FALSE(loaded.existed);
    Error error = Save(nowhere, loaded.doc);
    EXPECT_EQ(ErrorCode::FolderMissing, error.code);
    EXPECT_NE(std::string::npos, error.reason.find(nowhere)) << error.reason;
}

TEST(ProfileFileTest, EveryFailedSaveLeavesTheOldFileAndNoTemporary) {
    TempFolder tmp;
    const std::string path = tmp.Path("panel.cfg");
    using pwtest::SaveStep;
    const struct {
        const char* name;
        std::optional<SaveStep> step;  // where the injected fault strikes; none: a read-only target
        ErrorCode code;
        std::string says;
    } faults[] = {{"read-only", std::nullopt, ErrorCode::AccessDenied,
                   "Cannot write " + path + ": the file is read-only. Clear its read-only attribute and try again."},
                  {"create", SaveStep::Create, ErrorCode::AccessDenied, "unchanged"},
                  {"write", SaveStep::Write, ErrorCode::WriteFailed, "unchanged"},
                  {"replace", SaveStep::Replace, ErrorCode::ReplaceFailed, "unchanged"}};
    for (const auto& fault : faults) {
        const std::string name = fault.name;
        pwtest::SetReadOnly(path, false);
        WriteBytes(path, "[A]\r\nk=1\r\n");
        pwtest::SetReadOnly(path, !fault.step);
        pwtest::FaultyFiles files(fault.step ? pwtest::FailAt(*fault.step) : pwtest::FailAt(SaveStep::Create, "none"));
        Error error = Save(path, Document::Parse("[A]\r\nk=2\r\n"), {}, files);
        EXPECT_EQ(fault.code, error.code) << name;
        EXPECT_EQ(path, error.path) << name;
        EXPECT_NE(std::string::npos, error.reason.find(path)) << error.reason;
        EXPECT_NE(std::string::npos, error.reason.find(fault.says)) << error.reason;
        EXPECT_EQ("[A]\r\nk=1\r\n", ReadBytes(path)) << name;
        EXPECT_EQ("panel.cfg;", pwtest::ListFolder(tmp.Folder())) << name;
    }
}

TEST(ProfileFileTest, RefusesWhatItCannotWriteSafely) {
    TempFolder tmp;
    // UTF-16: refused, bytes untouched.
    const std::string utf16 = tmp.Path("utf16.ini");
    const std::string bytes("\xFF\xFE[\0s\0]\0", 8);
    WriteBytes(utf16, bytes);
    LoadedFile loaded;
    ASSERT_FALSE(Load(utf16, loaded));
    Error error = Save(utf16, loaded.doc);
    EXPECT_EQ(ErrorCode::Unrepresentable, error.code);
    EXPECT_NE(std::string::npos, error.reason.find("UTF-16")) << error.reason;
    EXPECT_EQ(bytes, ReadBytes(utf16));
    // Changed behind our back.
    const std::string path = tmp.Path("a.ini");
    WriteBytes(path, "[A]\r\nk=1\r\n");
    ASSERT_FALSE(Load(path, loaded));
    WriteBytes(path, "[A]\r\nk=other\r\n");
    loaded.doc.Set("A", "k", "2");
    EXPECT_EQ(ErrorCode::ChangedOnDisk, Save(path, loaded.doc, Expecting(loaded)).code);
    EXPECT_EQ("[A]\r\nk=other\r\n", ReadBytes(path));
    EXPECT_EQ(ErrorCode::ChangedOnDisk, Save(path, loaded.doc, Expecting(loaded, true)).code);
    // A folder where the file should be.
    EXPECT_EQ(ErrorCode::AccessDenied, Save(tmp.Folder(), loaded.doc).code);
    EXPECT_EQ(ErrorCode::AccessDenied, Load(tmp.Folder(), loaded).code);
    // Too long a path, and none at all.
    const std::string long_path = tmp.Path(std::string(kMaxPathChars, 'x'));
    EXPECT_EQ(ErrorCode::PathTooLong, Load(long_path, loaded).code);
    error = Save(long_path, loaded.doc);
    EXPECT_EQ(ErrorCode::PathTooLong, error.code);
    EXPECT_NE(std::string::npos, error.reason.find("259")) << error.reason;
    EXPECT_EQ(ErrorCode::InvalidArgument, Save("", loaded.doc).code);
}

TEST(ProfileFileTest, CopyDeleteAndExistence) {
    TempFolder tmp;
    const std::string from = tmp.Path("panel.cfg");
    const std::string to = tmp.Path("panel.cfg_backup");
    EXPECT_EQ(ErrorCode::NotFound, CopyFileReplacing(from, to).code);
    WriteBytes(from, std::string("[A]\r\n\0k=1", 9));
    WriteBytes(to, "stale");
    ASSERT_FALSE(CopyFileReplacing(from, to));
    std::string out;
    EXPECT_TRUE(ReadWholeFile(to, out));
    EXPECT_EQ(std::string("[A]\r\n\0k=1", 9), out);
    EXPECT_FALSE(DeleteFileIfExists(to));
    EXPECT_FALSE(FileExists(to));
    EXPECT_FALSE(ReadWholeFile(to, out));
    EXPECT_FALSE(DeleteFileIfExists(to));  // already gone: fine
    EXPECT_FALSE(FileExists(tmp.Folder()));
    // A read-only target refuses the copy and the delete, as CopyFileA and DeleteFileA do.
    pwtest::SetReadOnly(from, true);
    EXPECT_EQ(ErrorCode::AccessDenied, CopyFileReplacing(from, from).code);
    EXPECT_EQ(ErrorCode::AccessDenied, DeleteFileIfExists(from).code);
    EXPECT_TRUE(FileExists(from));
}

#ifdef _WIN32
// Another program holding panel.cfg open without delete sharing: the replace fails cleanly.
TEST(ProfileFileTest, FileHeldOpenByAnotherProgramIsNotReplaced) {
    TempFolder tmp;
    const std::string path = tmp.Path("panel.cfg");
    WriteBytes(path, "[A]\r\nk=1\r\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Error error = Save(path, Document::Parse("[A]\r\nk=2\r\n"));
    CloseHandle(held);
    EXPECT_EQ(ErrorCode::ReplaceFailed, error.code);
    EXPECT_NE(std::string::npos, error.reason.find("another program")) << error.reason;
    EXPECT_EQ("[A]\r\nk=1\r\n", ReadBytes(path));
    EXPECT_EQ("panel.cfg;", pwtest::ListFolder(tmp.Folder()));
}
#endif

}  // namespace
