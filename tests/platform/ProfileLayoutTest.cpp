// Writing: where edits land and which bytes they touch, compared with whole expected files.
#include "platform/profile_document.h"

#include <gtest/gtest.h>

#include <string>

using profile::Document;

namespace {

std::string Edited(const std::string& text, void (*edit)(Document&)) {
    Document doc = Document::Parse(text);
    edit(doc);
    return doc.Serialise();
}

TEST(ProfileLayoutTest, NewSectionGoesAtTheEndWithoutBlankLine) {
    EXPECT_EQ("[App1]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n",
              Edited("[App1]\r\nkey4=string4\r\n", [](Document& d) { d.Set("App3", "key5", "string5"); }));
    // The last line gets its line end first.
    EXPECT_EQ("[A]\r\na=1\r\n[B]\r\nb=2\r\n",
              Edited("[A]\r\na=1", [](Document& d) { d.Set("B", "b", "2"); }));
    // A new file is CRLF.
    EXPECT_EQ("[S]\r\nk=v\r\n", Edited("", [](Document& d) { d.Set("S", "k", "v"); }));
    // Blank lines at the end stay where they are.
    EXPECT_EQ("[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n",
              Edited("[A]\r\na=1\r\n\r\n", [](Document& d) { d.Set("B", "b", "2"); }));
}

TEST(ProfileLayoutTest, NewKeyFollowsTheLastNonBlankLineOfItsSection) {
    EXPECT_EQ("[A]\r\na=1\r\nb=2\r\n\r\n[B]\r\nx=0\r\n",
              Edited("[A]\r\na=1\r\n\r\n[B]\r\nx=0\r\n", [](Document& d) { d.Set("A", "b", "2"); }));
    // A trailing comment line counts as the section's last line.
    EXPECT_EQ("[A]\r\na=1\r\n; end of A\r\nb=2\r\n[B]\r\n",
              Edited("[A]\r\na=1\r\n; end of A\r\n[B]\r\n", [](Document& d) { d.Set("a", "b", "2"); }));
    // An empty section: right after its header, even when the header ends the file unterminated.
    EXPECT_EQ("[A]\r\nk=v\r\n\r\n[B]\r\n",
              Edited("[A]\r\n\r\n[B]\r\n", [](Document& d) { d.Set("A", "k", "v"); }));
    EXPECT_EQ("x=1\r\n[A]\r\nk=v\r\n", Edited("x=1\r\n[A]", [](Document& d) { d.Set("A", "k", "v"); }));
    // Keys appear in the order written.
    EXPECT_EQ("[App1]\r\nkey1=1\r\nkey2=2\r\nkey3=3\r\n", Edited("", [](Document& d) {
                  d.Set("App1", "key1", "1");
                  d.Set("App1", "key2", "2");
                  d.Set("App1", "key3", "3");
              }));
    // The first of duplicate sections receives it.
    EXPECT_EQ("[A]\r\na=1\r\nn=2\r\n[A]\r\nb=1\r\n",
              Edited("[A]\r\na=1\r\n[A]\r\nb=1\r\n", [](Document& d) { d.Set("A", "n", "2"); }));
}

TEST(ProfileLayoutTest, ExistingKeyIsReplacedInPlace) {
    EXPECT_EQ("; head\r\n[s]\r\nKEY one = new\r\nz=9\r\n",
              Edited("; head\r\n[s]\r\nKEY one = old value\r\nz=9\r\n",
                     [](Document& d) { d.Set("S", "key ONE", "new"); }));
    // Only the first duplicate changes.
    EXPECT_EQ("[s]\nk=new\nk=2\n", Edited("[s]\nk=1\nk=2\n", [](Document& d) { d.Set("s", "k", "new"); }));
    // Writing the value a key already has changes nothing.
    Document doc = Document::Parse("[s]\r\nk=v\r\n");
    doc.Set("s", "k", "v");
    EXPECT_FALSE(doc.Modified());
    doc.Set("s", "k", "");
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ("[s]\r\nk=\r\n", doc.Serialise());
}

TEST(ProfileLayoutTest, NewLinesUseTheFilesOwnLineEnds) {
    EXPECT_EQ("[A]\na=1\nb=2\n[B]\nc=3\n", Edited("[A]\na=1\n", [](Document& d) {
                  d.Set("A", "b", "2");
                  d.Set("B", "c", "3");
              }));
    EXPECT_EQ("[A]\ra=1\rb=2\r", Edited("[A]\ra=1\r", [](Document& d) { d.Set("A", "b", "2"); }));
    // Mixed: the most common end wins, CRLF on a tie; old lines keep theirs.
    EXPECT_EQ("[A]\na=1\r\nx=0\nb=2\n",
              Edited("[A]\na=1\r\nx=0\n", [](Document& d) { d.Set("A", "b", "2"); }));
    EXPECT_EQ("[A]\na=1\r\nb=2\r\n", Edited("[A]\na=1\r\n", [](Document& d) { d.Set("A", "b", "2"); }));
}

TEST(ProfileLayoutTest, RemovingAKeyTakesOnlyItsLine) {
    EXPECT_EQ("[A]\r\n; about k\r\nz=2\r\n",
              Edited("[A]\r\n; about k\r\nk=1\r\nz=2\r\n", [](Document& d) { d.RemoveKey("a", "K"); }));
    // The last key goes, the header stays.
    EXPECT_EQ("[App3]\r\n", Edited("[App3]\r\nk=1\r\n", [](Document& d) { d.RemoveKey("App3", "k"); }));
    // A duplicate becomes visible once the first is gone.
    Document doc = Document::Parse("[A]\r\nk=1\r\nk=2\r\n");
    doc.RemoveKey("A", "k");
    EXPECT_EQ("2", doc.Get("A", "k").value_or("missing"));
    // Nothing matches: nothing changes, not even a later duplicate section.
    doc = Document::Parse("[A]\r\nx=1\r\n[A]\r\nk=2\r\n");
    doc.RemoveKey("A", "k");
    doc.RemoveKey("B", "k");
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ("[A]\r\nx=1\r\n[A]\r\nk=2\r\n", doc.Serialise());
}

TEST(ProfileLayoutTest, RemovingASectionTakesHeaderThroughTheLineBeforeTheNextHeader) {
    EXPECT_EQ("; top\r\n[App2]\r\nb=2\r\n",
              Edited("; top\r\n[App1]\r\na=1\r\n; inside\r\n\r\n[App2]\r\nb=2\r\n",
                     [](Document& d) { d.RemoveSection("app1"); }));
    EXPECT_EQ("[A]\r\na=1\r\n", Edited("[A]\r\na=1\r\n[B]\r\nb=2", [](Document& d) { d.RemoveSection("B"); }));
    // The first occurrence only; the next one becomes visible.
    Document doc = Document::Parse("[A]\r\nk=1\r\n[B]\r\n[A]\r\nk=2\r\n");
    doc.RemoveSection("A");
    EXPECT_EQ("[B]\r\n[A]\r\nk=2\r\n", doc.Serialise());
    EXPECT_EQ("2", doc.Get("A", "k").value_or("missing"));
}

TEST(ProfileLayoutTest, LineEndsInsideNamesAndValuesCannotAddLines) {
    Document doc = Document::Parse("[s]\r\n");
    doc.Set("s", "k", "one\r\n[evil]\r\nx=1");
    doc.Set("s\nt", "k2\r", "v");
    EXPECT_EQ("[s]\r\nk=one\r\nk2=v\r\n", doc.Serialise());
    EXPECT_FALSE(doc.HasSection("evil"));
}

TEST(ProfileLayoutTest, ReadAfterWriteReturnsWhatWasWritten) {
    Document doc = Document::Parse("[Window Titles]\r\nWindow00=Main Panel\r\n");
    doc.Set("Window Titles", "Window05", "\"Skyvantage 530 GPS\"");
    doc.Set("Window05", "size_mm", "0x400,768");
    EXPECT_EQ("Skyvantage 530 GPS", doc.Get("window titles", "WINDOW05").value_or("missing"));
    EXPECT_EQ(1024u, doc.GetInt("Window05", "size_mm", 640));
    doc.RemoveSection("Window05");
    doc.RemoveKey("Window Titles", "Window05");
    EXPECT_EQ("[Window Titles]\r\nWindow00=Main Panel\r\n", doc.Serialise());
}

}  // namespace
