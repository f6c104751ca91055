// What Load and the atomic Save refuse.
#include "platform/profile_file.h"

#include "platform/profile_api.h"
#include "support/TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace profile;
using namespace fileio;
using platform::kMaxPathChars;

namespace {

TEST(ProfileFileTest, SaveMakesAFileOnlyWhereItCanKeepItWhole) {
    pwtest::TempFolder tmp;
    LoadedFile loaded;
    ASSERT_FALSE(Load(tmp.Path("new.ini"), loaded));
    EXPECT_FALSE(loaded.existed);
    loaded.doc.Set("S", "k", "v");
    SaveOptions missing;
    missing.expected = &loaded;
    ASSERT_FALSE(Save(tmp.Path("new.ini"), loaded.doc, missing));
    EXPECT_EQ("[S]\r\nk=v\r\n", pwtest::ReadBytes(tmp.Path("new.ini")));

    const std::string nowhere = tmp.Path("no-such-folder") + tmp.Path("x.ini").substr(tmp.Folder().size());
    ASSERT_FALSE(Load(nowhere, loaded));
    Error error = Save(nowhere, loaded.doc);
    EXPECT_EQ(ErrorCode::FolderMissing, error.code);
    EXPECT_EQ(nowhere, error.path);
    // A folder where the file should be.
    EXPECT_EQ(ErrorCode::FolderNotFile, Save(tmp.Folder(), loaded.doc).code);
    EXPECT_EQ(ErrorCode::FolderNotFile, Load(tmp.Folder(), loaded).code);
    // The longest path, one character more, and none at all.
    const std::string longest = tmp.Path(std::string(kMaxPathChars - tmp.Folder().size() - 1, 'x'));
    EXPECT_FALSE(Load(longest, loaded));
    EXPECT_EQ(ErrorCode::PathTooLong, Load(longest + "x", loaded).code);
    EXPECT_EQ(ErrorCode::PathTooLong, Save(longest + "x", loaded.doc).code);
    EXPECT_EQ(ErrorCode::NoFileName, Save("", loaded.doc).code);
    const std::string file = tmp.Path("new.ini");
    EXPECT_EQ(ErrorCode::NoSectionName, profile::WritePrivateProfileStringA(nullptr, "k", "v", file.c_str()).code);
}

#ifdef _WIN32
// Another program holding panel.cfg open without delete sharing: the replace fails cleanly.
TEST(ProfileFileTest, FileHeldOpenByAnotherProgramIsNotReplaced) {
    pwtest::TempFolder tmp;
    const std::string path = tmp.Path("panel.cfg");
    pwtest::WriteBytes(path, "[A]\r\nk=1\r\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const Error error = Save(path, Document::Parse("[A]\r\nk=2\r\n"));
    CloseHandle(held);
    EXPECT_EQ(ErrorCode::ReplaceRefused, error.code);
    EXPECT_EQ("[A]\r\nk=1\r\n", pwtest::ReadBytes(path));
    EXPECT_EQ("panel.cfg;", pwtest::ListFolder(tmp.Folder()));
}

DWORD WINAPI CloseSoon(void* handle) {
    Sleep(200);
    return CloseHandle(static_cast<HANDLE>(handle));
}

// A reader that shares everything (another editor's scan) still blocks the replace while its
// handle is open; the save waits for it to let go rather than fail.
TEST(ProfileFileTest, SaveWaitsForAReaderToLetGo) {
    pwtest::TempFolder tmp;
    const std::string path = tmp.Path("panel.cfg");
    pwtest::WriteBytes(path, "[A]\r\nk=1\r\n");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    HANDLE closer = CreateThread(nullptr, 0, CloseSoon, held, 0, nullptr);
    ASSERT_NE(nullptr, closer);
    const Error error = Save(path, Document::Parse("[A]\r\nk=2\r\n"));
    WaitForSingleObject(closer, INFINITE);
    CloseHandle(closer);
    EXPECT_FALSE(error) << error.system;
    EXPECT_EQ("[A]\r\nk=2\r\n", pwtest::ReadBytes(path));
    EXPECT_EQ("panel.cfg;", pwtest::ListFolder(tmp.Folder()));
}
#endif

}  // namespace
