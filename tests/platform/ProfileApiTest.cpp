// The kernel32-style wrappers: buffers, lists, defaults, the Windows directory.
#include "platform/profile_api.h"

#include "platform/windows_dir.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace std::string_literals;
using pwtest::ReadBytes;
using pwtest::TempFolder;
using pwtest::WriteBytes;

namespace {

struct ReadRow {
    const char* section;  // nullptr: the section list
    const char* key;      // nullptr: the key list
    const char* def;
    std::uint32_t size;
    std::string answer;  // the buffer's first bytes afterwards (it starts filled with '#')
    std::uint32_t n;     // the result
    bool missing_file = false;
};

const std::string kFile = "[abc]\r\nk1=1\r\nbare\r\n;c=1\r\nk2=2\r\n[defgh]\r\n[ij]\r\nk=abcdefgh\r\nq=\"v d\"\r\n"
                          "long=" + std::string(300, 'z') + "\r\n";

const ReadRow kReadRows[] = {
    // values cut to size - 1 characters and a NUL; a zero size leaves the buffer alone
    {"ij", "k", "", 5, "abcd\0"s, 4},
    {"ij", "k", "", 1, "\0"s, 0},
    {"ij", "k", "", 0, "#", 0},
    {"ij", "long", "", 260, std::string(259, 'z') + '\0', 259},
    {"ij", "q", "", 4, "v d\0"s, 3},  // the quotes go first, then the cut
    // defaults: trailing blanks dropped, null is empty; an empty key is a missing one
    {"ij", "none", "default  ", 20, "default\0"s, 7},
    {"ij", "none", nullptr, 20, "\0"s, 0},
    {"ij", "", "notfound", 20, "notfound\0"s, 8},
    {"ij", "k", "notfound", 20, "notfound\0"s, 8, true},
    // lists: names NUL-separated, a second NUL at the end, also when cut short
    {nullptr, nullptr, "", 40, "abc\0defgh\0ij\0\0"s, 13},
    {nullptr, nullptr, "", 10, "abc\0defg\0\0"s, 8},
    {"ABC", nullptr, "", 40, "k1\0k2\0\0"s, 6},
    {"abc", nullptr, "", 6, "k1\0k\0\0"s, 4},
    {"defgh", nullptr, "dflt", 40, "dflt\0"s, 4},
    {nullptr, nullptr, "", 40, "\0"s, 0, true},
};

TEST(ProfileApiTest, ReadsFillBuffersAsKernel32Does) {
    TempFolder tmp;
    WriteBytes(tmp.Path("a.ini"), kFile);
    for (const ReadRow& row : kReadRows) {
        const std::string file = tmp.Path(row.missing_file ? "missing.ini" : "a.ini");
        std::string buffer(row.size + 4, '#');
        const std::uint32_t n =
            profile::GetPrivateProfileStringA(row.section, row.key, row.def, &buffer[0], row.size, file.c_str());
        SCOPED_TRACE(testing::Message() << "[" << (row.section ? row.section : "(null)") << "] "
                                        << (row.key ? row.key : "(null)") << " size " << row.size);
        EXPECT_EQ(row.n, n);
        EXPECT_EQ(testing::PrintToString(row.answer), testing::PrintToString(buffer.substr(0, row.answer.size())));
    }
}

TEST(ProfileApiTest, BareFileNameMeansTheWindowsDirectory) {
    const std::string windows = platform::WindowsDirectory();
#ifdef _WIN32
    char system[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(system, sizeof system);
    EXPECT_EQ(system, windows);
    EXPECT_EQ(windows + "\\GARMINWT.INI", profile::ResolveProfilePath("GARMINWT.INI"));
#else
    EXPECT_EQ("", windows);
    EXPECT_EQ("GARMINWT.INI", profile::ResolveProfilePath("GARMINWT.INI"));
#endif
    EXPECT_EQ(".\\x.ini", profile::ResolveProfilePath(".\\x.ini"));
    EXPECT_EQ("C:x.ini", profile::ResolveProfilePath("C:x.ini"));
    EXPECT_EQ("/tmp/x.ini", profile::ResolveProfilePath("/tmp/x.ini"));

    TempFolder tmp;
    const std::string ini = tmp.Path("GARMINWT.INI");
    ASSERT_FALSE(profile::WritePrivateProfileStringA("GNC500WT", "JeppDB", "AMERICAS.IMG", ini.c_str()));
    EXPECT_EQ("[GNC500WT]\r\nJeppDB=AMERICAS.IMG\r\n", ReadBytes(ini));
    char value[20] = {};
    profile::GetPrivateProfileStringA("gnc500wt", "jeppdb", "notfound", value, sizeof value, ini.c_str());
    EXPECT_STREQ("AMERICAS.IMG", value);
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
}

}  // namespace
