// Reading: what Document answers for a text, row by row as kernel32 answers it.
#include "platform/profile_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using profile::Document;

namespace {

struct ReadRow {
    const char* text;
    const char* section;
    const char* key;
    const char* expected;  // nullptr: missing
};

const ReadRow kReadRows[] = {
    // names: case, blanks around names, '=' and inside brackets
    {"[Sec]\r\nName1=v\r\n", "sEC", "NaMe1", "v"},
    {"[ sec one ]\r\nk=v\r\n", "sec one", "k", "v"},
    {"  [s]\r\nk=v\r\n", "s", "k", "v"},
    {"[c2] junk\r\nk=v\r\n", "c2", "k", "v"},
    {"[s]\r\n  key one  =  v\r\n", "s", "key one", "v"},
    {"[s]\r\n\tk\t=\tv\t\r\n", "s", "k", "v"},
    {"[s]\r\nk=v\r\n", " s ", " k ", "v"},
    // values: trimmed, outer quotes once, no inline comments, '=' inside kept
    {"[s]\r\nk=   \r\n", "s", "k", ""},
    {"[s]\r\nk=\r\n", "s", "k", ""},
    {"[s]\r\nsp= 12\r\n", "s", "sp", "12"},
    {"[s]\r\npad=\" padded \"\r\n", "s", "pad", " padded "},
    {"[s]\r\nk=\"val2\"\r\n", "s", "k", "val2"},
    {"[s]\r\nk='v s'\r\n", "s", "k", "v s"},
    {"[s]\r\nk=\"abc\r\n", "s", "k", "\"abc"},
    {"[s]\r\nk=\"abc'\r\n", "s", "k", "\"abc'"},
    {"[s]\r\nk=\"a\" b \"c\"\r\n", "s", "k", "a\" b \"c"},
    {"[s]\r\nk=\"\"\r\n", "s", "k", ""},
    {"[s]\r\nk=\"\r\n", "s", "k", "\""},
    {"[s]\r\nk4=v4 ; inline\r\n", "s", "k4", "v4 ; inline"},
    {"[s]\r\nk5=v5 // x\r\n", "s", "k5", "v5 // x"},
    {"[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
    // lines that are not keys, comments that are
    {"[s]\r\nname3\r\n", "s", "name3", nullptr},
    {"[s]\r\n;k1=semi\r\n", "s", ";k1", "semi"},
    {"[s]\r\n#k=hash\r\n", "s", "#k", "hash"},
    {"[s]\r\n=value\r\n", "s", "", nullptr},
    // headers: without ']' an ordinary line; last ']' ends the name
    {"[s]\r\n[broken\r\nk=v\r\n", "s", "k", "v"},
    {"[s]\r\n[broken=1\r\n", "s", "[broken", "1"},
    {"[a]b]\r\nk=v\r\n", "a]b", "k", "v"},
    // duplicates: the first section and the first key win
    {"[A]\r\nk=1\r\n[B]\r\nx=0\r\n[a]\r\nk=2\r\nonly=3\r\n", "A", "k", "1"},
    {"[A]\r\nk=1\r\n[a]\r\nonly=3\r\n", "A", "only", nullptr},
    {"[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},
    // lines before the first header belong to no section
    {"k=0\r\n[s]\r\nk=1\r\n", "s", "k", "1"},
    {"k=0\r\n[s]\r\n", "s", "k", nullptr},
    // missing things
    {"", "s", "k", nullptr},
    {"[s]\r\n", "t", "k", nullptr},
    // line ends read alike
    {"[s]\rk=cr\r", "s", "k", "cr"},
    {"[s]\nk=lf", "s", "k", "lf"},
    {"[s]\n\r\nk=mixed\r", "s", "k", "mixed"},
};

TEST(ProfileDocumentTest, ReadsAsKernel32Does) {
    for (const ReadRow& row : kReadRows) {
        Document doc = Document::Parse(row.text);
        std::optional<std::string> value = doc.Get(row.section, row.key);
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::string(row.text))
                                        << " [" << row.section << "] " << row.key);
        if (row.expected == nullptr) {
            EXPECT_FALSE(value.has_value()) << "got " << value.value_or("");
        } else {
            ASSERT_TRUE(value.has_value());
            EXPECT_EQ(row.expected, *value);
        }
    }
}

struct IntRow {
    const char* value;  // nullptr: key missing
    std::uint32_t expected;
};

const IntRow kIntRows[] = {
    {"1024,768", 1024},  {" 12", 12},          {"-5", 4294967291u},  {"+1", 1},
    {"abc", 0},          {"B4294967297", 0},   {"42A94967297", 42},  {"4294967296", 0},
    {"4294967297", 1},   {"-4294967297", 0xFFFFFFFFu},              {"0x10", 16},
    {"0x400", 1024},     {"0x1F", 31},         {"0b101", 5},         {"0o17", 15},
    {"010", 10},         {"0X1f", 0},          {"\"33\"", 33},       {"- 5", 0},
    {"3.9", 3},          {"1 000", 1},         {"", 77},             {"\"\"", 77},
    {nullptr, 77},       {"0x", 0},            {"-", 0},
};

TEST(ProfileDocumentTest, IntegersFollowTheKernelRules) {
    for (const IntRow& row : kIntRows) {
        std::string text = "[s]\r\n";
        if (row.value != nullptr) text += std::string("k=") + row.value + "\r\n";
        SCOPED_TRACE(text);
        EXPECT_EQ(row.expected, Document::Parse(text).GetInt("s", "k", 77));
    }
    EXPECT_EQ(0xFFFFFFFFu, Document::Parse("").GetInt("s", "k", -1));
}

TEST(ProfileDocumentTest, ListsNamesInFileOrder) {
    Document doc = Document::Parse(
        "junk\r\n[One]\r\nb=1\r\nbare\r\n;c=2\r\na=3\r\nB=4\r\n[]\r\nz=1\r\n[two]\r\n[ONE]\r\nq=1\r\n");
    EXPECT_EQ((std::vector<std::string>{"One", "two"}), doc.SectionNames());
    EXPECT_EQ((std::vector<std::string>{"One", "two", "ONE"}), doc.SectionHeaders());
    EXPECT_EQ((std::vector<std::string>{"b", "a"}), doc.KeyNames("one"));
    EXPECT_EQ((std::vector<std::string>{"b", "a", "B"}), doc.KeyLines("one"));
    EXPECT_TRUE(doc.HasSection("TWO"));
    EXPECT_FALSE(doc.HasSection("three"));
    EXPECT_TRUE(doc.KeyNames("three").empty());
}

TEST(ProfileDocumentTest, Utf8BomIsRecognisedAndKept) {
    const std::string text = "\xEF\xBB\xBF[Window Titles]\r\nWindow00=Main\r\n";
    Document doc = Document::Parse(text);
    EXPECT_EQ("Main", doc.Get("Window Titles", "Window00").value_or("missing"));
    EXPECT_EQ(text, doc.Serialise());
    doc.Set("Window Titles", "Window01", "GPS");
    EXPECT_EQ("\xEF\xBB\xBF[Window Titles]\r\nWindow00=Main\r\nWindow01=GPS\r\n", doc.Serialise());
    EXPECT_EQ((std::vector<std::string>{"Window Titles"}), doc.SectionNames());
}

}  // namespace
