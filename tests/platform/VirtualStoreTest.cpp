// Which paths Windows virtualizes, and where the user's copy of one lies.
#include "platform/virtual_store.h"

#include <gtest/gtest.h>

namespace {

TEST(VirtualStoreTest, CopiesLieUnderTheStoreWithoutTheDrive) {
    const platform::VirtualStore store{{"C:\\Program Files", "C:\\Program Files (x86)", "C:\\WINDOWS"},
                                       "C:\\users\\me\\AppData\\Local\\VirtualStore"};
    struct Case {
        const char* path;
        const char* copy;  // "" when not virtualized
    } const cases[] = {
        {"C:\\Program Files\\FS2002\\aircraft\\c172\\panel\\",
         "C:\\users\\me\\AppData\\Local\\VirtualStore\\Program Files\\FS2002\\aircraft\\c172\\panel\\"},
        {"c:/PROGRAM FILES (X86)/FS2002", "C:\\users\\me\\AppData\\Local\\VirtualStore/PROGRAM FILES (X86)/FS2002"},
        {"C:\\WINDOWS", "C:\\users\\me\\AppData\\Local\\VirtualStore\\WINDOWS"},
        {"C:\\Program Files2\\FS2002", ""},  // a sibling, not a folder inside
        {"C:\\Program", ""},
        {"D:\\Program Files\\FS2002", ""},
        {"\\\\server\\Program Files\\FS2002", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.copy, platform::VirtualStoreCopy(store, c.path)) << c.path;
        EXPECT_EQ(*c.copy != '\0', platform::IsVirtualized(store, c.path)) << c.path;
    }
    // Without the store's folder the system cannot say where copies are: none is looked for.
    EXPECT_EQ("", platform::VirtualStoreCopy({store.folders, ""}, "C:\\WINDOWS\\x"));
    EXPECT_TRUE(platform::IsVirtualized({store.folders, ""}, "C:\\WINDOWS\\x"));
}

}  // namespace
