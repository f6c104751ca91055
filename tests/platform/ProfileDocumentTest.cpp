// The document: reads row by row as kernel32 answers them, the effects of the edits byte for
// byte, and bad input that must come back unchanged and never break an edit around it.
#include "platform/profile_document.h"

#include "platform/profile_rows.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
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
    {"[s]\r\npad=\" padded \"\r\n", "s", "pad", " padded "},
    {"[s]\r\nk='v s'\r\n", "s", "k", "v s"},
    {"[s]\r\nk=\"abc\r\n", "s", "k", "\"abc"},
    {"[s]\r\nk=\"abc'\r\n", "s", "k", "\"abc'"},
    {"[s]\r\nk=\"a\" b \"c\"\r\n", "s", "k", "a\" b \"c"},
    {"[s]\r\nk=\"\"\r\n", "s", "k", ""},
    {"[s]\r\nk=\"\r\n", "s", "k", "\""},
    {"[s]\r\nk4=v4 ; inline\r\n", "s", "k4", "v4 ; inline"},
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
    // a UTF-8 BOM does not hide the first section
    {"\xEF\xBB\xBF[Window Titles]\r\nWindow00=Main\r\n", "window titles", "Window00", "Main"},
};

TEST(ProfileDocumentTest, ReadsAsKernel32Does) {
    for (const ReadRow& row : kReadRows) {
        Document doc = Document::Parse(row.text);
        const std::optional<std::string> value = doc.Get(row.section, row.key);
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
    EXPECT_EQ((std::vector<std::string>{"One", "two", "ONE"}), doc.SectionHeaders());
    EXPECT_EQ((std::vector<std::string>{"b", "a", "B"}), doc.KeyLines("one"));
    EXPECT_TRUE(doc.HasSection("TWO"));
    EXPECT_FALSE(doc.HasSection("three"));
    EXPECT_TRUE(doc.KeyLines("three").empty());
}

TEST(ProfileDocumentTest, EditsLandWhereKernel32PutsThem) {
    for (const pwtest::EffectRow& row : pwtest::EffectRows()) {
        const std::string start = row.start != nullptr ? row.start : "";
        Document doc = Document::Parse(start);
        for (const pwtest::Op& op : row.ops) {
            if (op.kind == pwtest::Op::Write) doc.Set(op.section, op.key, op.value);
            if (op.kind == pwtest::Op::DeleteKey) doc.RemoveKey(op.section, op.key);
            if (op.kind == pwtest::Op::DeleteSection) doc.RemoveSection(op.section);
        }
        if (row.after == nullptr) continue;
        EXPECT_EQ(testing::PrintToString(std::string(row.after)), testing::PrintToString(doc.Serialise())) << row.name;
        // An edit that changes nothing must not make the file be written.
        if (start == row.after) {
            EXPECT_FALSE(doc.Modified()) << row.name;
        }
    }
}

// A literal's bytes, NULs included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

std::string Garbage(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
    return bytes;
}

TEST(ProfileDocumentTest, BadInputRoundTripsByteForByte) {
    const std::string texts[] = {
        "", "\r\n", "[s]\rk=v\r", "[s]\r\nk=v\nx=1\r\r\n\n\r", "[s]\r\nk=v",
        Bytes("[s]\r\nk=v\0w\r\n\0\0[t]\0"), "[broken\r\nk=v\r\n", "\xEF\xBB\xBF", "\xEF\xBB\xBF[a]\nb=c",
        "\xEF\xBB",  // half a BOM
        Garbage(4096, 1), Garbage(4096, 2),
    };
    for (const std::string& text : texts) {
        EXPECT_EQ(text, Document::Parse(text).Serialise()) << testing::PrintToString(text);
    }
}

TEST(ProfileDocumentTest, NulBytesAndGarbageAroundAnEditStayPut) {
    const std::string head = Bytes("\0\x01\xFE junk\0\r\n");
    Document doc = Document::Parse(head + "[s]\r\nk=old" + Bytes("\r\n[t]\r\n\x80\x81=\0\r\n"));
    doc.Set("s", "k", "new");
    doc.Set("t", "added", "1");
    EXPECT_EQ(head + "[s]\r\nk=new" + Bytes("\r\n[t]\r\n\x80\x81=\0\r\nadded=1\r\n"), doc.Serialise());
    // Garbage before a real section does not hide it.
    std::string text = Garbage(2000, 3) + "\r\n[real]\r\nkey=value\r\n";
    EXPECT_EQ("value", Document::Parse(text).Get("real", "key").value_or("missing"));
}

TEST(ProfileDocumentTest, MegabyteLineIsKeptAndReadWhole) {
    const std::string big(1 << 20, 'x');
    Document doc = Document::Parse("[s]\r\nbig=" + big + "\r\nafter=1\r\n");
    EXPECT_EQ(big, doc.Get("s", "big").value_or(""));
    doc.Set("s", "after", "2");
    EXPECT_EQ("[s]\r\nbig=" + big + "\r\nafter=2\r\n", doc.Serialise());
}

TEST(ProfileDocumentTest, Utf16FilesAreNeitherReadNorEdited) {
    const std::string le = Bytes("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0");
    const std::string be = Bytes("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n");
    for (const std::string& text : {le, be}) {
        Document doc = Document::Parse(text);
        EXPECT_TRUE(doc.Unrepresentable());
        EXPECT_FALSE(doc.Get("s", "k").has_value());
        EXPECT_TRUE(doc.SectionHeaders().empty());
        doc.Set("s", "k", "x");
        doc.RemoveSection("s");
        EXPECT_FALSE(doc.Modified());
        EXPECT_EQ(text, doc.Serialise());
    }
    EXPECT_FALSE(Document::Parse("\xFF").Unrepresentable());
}

}  // namespace
