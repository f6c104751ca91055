// Bad input: whatever the bytes, parsing never fails, an unedited document gives them back
// unchanged, and edits leave the bytes around them alone.
#include "platform/profile_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using profile::Document;

namespace {

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

TEST(ProfileBadInputTest, UneditedDocumentRoundTripsByteForByte) {
    const std::string texts[] = {
        "",
        "\r\n",
        "[s]\rk=v\r",                      // CR only
        "[s]\r\nk=v\nx=1\r\r\n\n\r",       // mixed, runs of ends
        "[s]\r\nk=v",                      // no final line end
        Bytes("[s]\r\nk=v\0w\r\n\0\0[t]\0"),
        "[broken\r\nk=v\r\n",              // header without ']'
        "\xEF\xBB\xBF",                    // a BOM alone
        "\xEF\xBB\xBF[a]\nb=c",
        "\xEF\xBB",                        // half a BOM
        Garbage(4096, 1),
        Garbage(4096, 2),
    };
    for (const std::string& text : texts) {
        EXPECT_EQ(text, Document::Parse(text).Serialise()) << testing::PrintToString(text);
        EXPECT_FALSE(Document::Parse(text).Modified());
    }
}

TEST(ProfileBadInputTest, NulBytesAndGarbageAroundAnEditStayPut) {
    const std::string head = Bytes("\0\x01\xFE junk\0\r\n");
    const std::string tail = Bytes("\r\n[t]\r\n\x80\x81=\0\r\n");
    Document doc = Document::Parse(head + "[s]\r\nk=old" + tail);
    doc.Set("s", "k", "new");
    doc.Set("t", "added", "1");
    EXPECT_EQ(head + "[s]\r\nk=new" + Bytes("\r\n[t]\r\n\x80\x81=\0\r\nadded=1\r\n"),
              doc.Serialise());
    // Garbage before a real section does not hide it.
    std::string text = Garbage(2000, 3) + "\r\n[real]\r\nkey=value\r\n";
    EXPECT_EQ("value", Document::Parse(text).Get("real", "key").value_or("missing"));
}

TEST(ProfileBadInputTest, MegabyteLineIsKeptAndReadWhole) {
    const std::string big(1 << 20, 'x');
    const std::string text = "[s]\r\nbig=" + big + "\r\nafter=1\r\n";
    Document doc = Document::Parse(text);
    EXPECT_EQ(big, doc.Get("s", "big").value_or(""));
    EXPECT_EQ(text, doc.Serialise());
    doc.Set("s", "after", "2");
    EXPECT_EQ("[s]\r\nbig=" + big + "\r\nafter=2\r\n", doc.Serialise());
}

TEST(ProfileBadInputTest, Utf16FilesAreNeitherReadNorEdited) {
    const std::string le = Bytes("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0");
    const std::string be = Bytes("\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n");
    for (const std::string& text : {le, be}) {
        Document doc = Document::Parse(text);
        EXPECT_TRUE(doc.Unrepresentable());
        EXPECT_FALSE(doc.Get("s", "k").has_value());
        EXPECT_EQ(5u, doc.GetInt("s", "k", 5));
        EXPECT_TRUE(doc.SectionNames().empty());
        doc.Set("s", "k", "x");
        doc.RemoveSection("s");
        EXPECT_FALSE(doc.Modified());
        EXPECT_EQ(text, doc.Serialise());
    }
    EXPECT_FALSE(Document::Parse("\xFF").Unrepresentable());
}

TEST(ProfileBadInputTest, EmptyFileAndHeaderWithoutBracket) {
    Document empty = Document::Parse("");
    EXPECT_TRUE(empty.SectionNames().empty());
    EXPECT_FALSE(empty.Get("s", "k").has_value());
    // "[broken" is an ordinary line of [s]; a key written to [broken] makes a real section.
    Document doc = Document::Parse("[s]\r\n[broken\r\nk=v\r\n");
    EXPECT_FALSE(doc.HasSection("broken"));
    EXPECT_EQ("v", doc.Get("s", "k").value_or("missing"));
    doc.Set("broken", "k", "w");
    EXPECT_EQ("[s]\r\n[broken\r\nk=v\r\n[broken]\r\nk=w\r\n", doc.Serialise());
    doc.RemoveSection("s");
    EXPECT_EQ("[broken]\r\nk=w\r\n", doc.Serialise());
}

}  // namespace
