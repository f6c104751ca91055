// The kernel32-style wrappers: buffers, lists, defaults, the Windows directory.
#include "platform/profile_api.h"

#include "support/TempFolder.h"
#include "platform/windows_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using pwtest::ReadBytes;
using pwtest::TempFolder;
using pwtest::WriteBytes;

namespace {

struct WindowsDirReset {
    ~WindowsDirReset() { platform::SetWindowsDirectoryOverride(""); }
};

std::string Read(const char* section, const char* key, const char* def, std::uint32_t size,
                 const std::string& file, std::uint32_t* count = nullptr, std::size_t tail = 1) {
    std::string buffer(size + 4, '#');
    std::uint32_t n = profile::GetPrivateProfileStringA(section, key, def, &buffer[0], size, file.c_str());
    if (count != nullptr) *count = n;
    // The answer as the caller sees it: n characters and the NULs that end them (two for a list).
    return buffer.substr(0, size == 0 ? 0 : std::min<std::size_t>(n + tail, size));
}

TEST(ProfileApiTest, BufferSizesAndDefaults) {
    TempFolder tmp;
    const std::string file = tmp.Path("a.ini");
    WriteBytes(file, "[s]\r\nk=abcdefgh\r\nq=\"v d\"\r\nlong=" + std::string(300, 'z') + "\r\n");
    std::uint32_t n = 0;
    EXPECT_EQ(std::string("abcd\0", 5), Read("s", "k", "", 5, file, &n));
    EXPECT_EQ(4u, n);
    EXPECT_EQ(std::string("\0", 1), Read("s", "k", "", 1, file, &n));
    EXPECT_EQ(0u, n);
    char untouched = '#';
    EXPECT_EQ(0u, profile::GetPrivateProfileStringA("s", "k", "", &untouched, 0, file.c_str()));
    EXPECT_EQ('#', untouched);
    Read("s", "long", "", 260, file, &n);
    EXPECT_EQ(259u, n);
    // Quoted value cut short: the quotes go first, then the cut.
    EXPECT_EQ(std::string("v d\0", 4), Read("s", "q", "", 4, file, &n));
    EXPECT_EQ(std::string("default\0", 8), Read("s", "none", "default  ", 20, file));
    EXPECT_EQ(std::string("\0", 1), Read("s", "none", nullptr, 20, file));
    EXPECT_EQ(std::string("notfound\0", 9), Read("s", "", "notfound", 20, file));
    EXPECT_EQ(std::string("notfound\0", 9), Read("s", "k", "notfound", 20, tmp.Path("missing.ini")));
}

TEST(ProfileApiTest, NullKeyAndNullSectionGiveLists) {
    TempFolder tmp;
    const std::string file = tmp.Path("a.ini");
    WriteBytes(file, "[abc]\r\nk1=1\r\nbare\r\n;c=1\r\nk2=2\r\n[defgh]\r\n[ij]\r\n");
    std::uint32_t n = 0;
    EXPECT_EQ(std::string("abc\0defgh\0ij\0\0", 14), Read(nullptr, nullptr, "", 40, file, &n));
    EXPECT_EQ(13u, n);
    EXPECT_EQ(std::string("abc\0defg\0\0", 10), Read(nullptr, nullptr, "", 10, file, &n, 2));
    EXPECT_EQ(8u, n);
    EXPECT_EQ(std::string("k1\0k2\0\0", 7), Read("ABC", nullptr, "", 40, file, &n));
    EXPECT_EQ(6u, n);
    EXPECT_EQ(std::string("k1\0k\0\0", 6), Read("abc", nullptr, "", 6, file, &n, 2));
    EXPECT_EQ(4u, n);
    EXPECT_EQ(std::string("dflt\0", 5), Read("defgh", nullptr, "dflt", 40, file));
    EXPECT_EQ(std::string("\0", 1), Read(nullptr, nullptr, "", 40, tmp.Path("missing.ini"), &n));
    EXPECT_EQ(0u, n);
}

TEST(ProfileApiTest, BareFileNameMeansTheWindowsDirectory) {
    TempFolder tmp;
    WindowsDirReset reset;
    platform::SetWindowsDirectoryOverride(tmp.Folder());
    EXPECT_EQ(tmp.Path("GARMINWT.INI"), profile::ResolveProfilePath("GARMINWT.INI"));
    EXPECT_EQ(".\\x.ini", profile::ResolveProfilePath(".\\x.ini"));
    EXPECT_EQ("C:x.ini", profile::ResolveProfilePath("C:x.ini"));

    ASSERT_FALSE(profile::WritePrivateProfileStringA("GNC500WT", "JeppDB", "AMERICAS.IMG", "GARMINWT.INI"));
    EXPECT_EQ("[GNC500WT]\r\nJeppDB=AMERICAS.IMG\r\n", ReadBytes(tmp.Path("GARMINWT.INI")));
    EXPECT_EQ(std::string("AMERICAS.IMG\0", 13), Read("gnc500wt", "jeppdb", "notfound", 260, "GARMINWT.INI"));
}

TEST(ProfileApiTest, WritesEditAndReportFailures) {
    TempFolder tmp;
    const std::string file = tmp.Path("panel.cfg");
    const char* f = file.c_str();
    // Deleting from a missing file creates nothing.
    EXPECT_FALSE(profile::WritePrivateProfileStringA("s", "k", nullptr, f));
    EXPECT_FALSE(profile::WritePrivateProfileStringA("s", nullptr, nullptr, f));
    EXPECT_EQ("", pwtest::ListFolder(tmp.Folder()));

    ASSERT_FALSE(profile::WritePrivateProfileStringA("Window Titles", "Window05", "GPS", f));
    ASSERT_FALSE(profile::WritePrivateProfileStringA("Window05", "size_mm", "-5,0", f));
    EXPECT_EQ(4294967291u, profile::GetPrivateProfileIntA("window05", "SIZE_MM", 640, f));
    EXPECT_EQ(640u, profile::GetPrivateProfileIntA("window05", "missing", 640, f));
    ASSERT_FALSE(profile::WritePrivateProfileStringA("Window Titles", "Window05", nullptr, f));
    ASSERT_FALSE(profile::WritePrivateProfileStringA("Window05", nullptr, nullptr, f));
    EXPECT_EQ("[Window Titles]\r\n", ReadBytes(file));

    pwtest::SetReadOnly(file, true);
    profile::Error error = profile::WritePrivateProfileStringA("Window Titles", "Window05", "GPS", f);
    EXPECT_EQ(profile::ErrorCode::AccessDenied, error.code);
    EXPECT_NE(std::string::npos, error.reason.find("read-only")) << error.reason;
    EXPECT_EQ(profile::ErrorCode::InvalidArgument,
              profile::WritePrivateProfileStringA("s", "k", "v", "").code);
    EXPECT_EQ(profile::ErrorCode::InvalidArgument,
              profile::WritePrivateProfileStringA(nullptr, "k", "v", f).code);
    WriteBytes(tmp.Path("u.ini"), std::string("\xFF\xFE[\0s\0]\0", 8));
    EXPECT_EQ(profile::ErrorCode::Unrepresentable,
              profile::WritePrivateProfileStringA("s", "k", nullptr, tmp.Path("u.ini").c_str()).code);
}

#ifdef _WIN32
TEST(ProfileApiTest, WindowsDirectoryIsTheSystemsOwnUnlessOverridden) {
    char buffer[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(buffer, MAX_PATH + 1);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::string(buffer, n), platform::WindowsDirectory());
    EXPECT_EQ(std::string(buffer, n) + "\\GARMINWT.INI", profile::ResolveProfilePath("GARMINWT.INI"));
    WindowsDirReset reset;
    platform::SetWindowsDirectoryOverride("D:\\Other\\");
    EXPECT_EQ("D:\\Other", platform::WindowsDirectory());
    platform::SetWindowsDirectoryOverride("");
    EXPECT_EQ(std::string(buffer, n), platform::WindowsDirectory());
}
#endif

}  // namespace
