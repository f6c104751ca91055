// The effects of the profile writes, as rows of {start file, calls, our file after}. The
// document tests apply the edits to a Document and compare bytes; the differential test runs
// the same calls through our functions and kernel32's and compares every read and the content.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pwtest {

struct Op {
    enum Kind { ReadString, ReadInt, ReadKeys, ReadSections, Write, DeleteKey, DeleteSection } kind;
    std::string section;
    std::string key;
    std::string value;
    std::uint32_t size = 260;  // reads: the buffer size
};

inline Op R(const char* s, const char* k, std::uint32_t size = 260) { return {Op::ReadString, s, k, "", size}; }
inline Op I(const char* s, const char* k) { return {Op::ReadInt, s, k, "", 260}; }
inline Op K(const char* s, std::uint32_t size = 260) { return {Op::ReadKeys, s, "", "", size}; }
inline Op S(std::uint32_t size = 260) { return {Op::ReadSections, "", "", "", size}; }
inline Op W(const char* s, const char* k, const char* v) { return {Op::Write, s, k, v, 260}; }
inline Op DK(const char* s, const char* k) { return {Op::DeleteKey, s, k, "", 260}; }
inline Op DS(const char* s) { return {Op::DeleteSection, s, "", "", 260}; }

struct EffectRow {
    const char* name;
    const char* start;  // nullptr: no file
    std::vector<Op> ops;
    const char* after;     // our bytes afterwards; nullptr: not pinned
    bool kernel32 = true;  // false: we depart from kernel32 on purpose (see the row)
};

inline const std::vector<EffectRow>& EffectRows() {
    static const char kPanel[] =
        "// panel\r\n[Window Titles]\r\nWindow00=Main Panel\r\nWindow01=\"Radio\"\r\n\r\n[Window00]\r\n"
        "file=panel.bmp\r\nsize_mm=1024,768\r\n\r\n[Window01]\r\ngauge00=Bendix_King_Radio!x, 0,0 // r\r\n";
    static const std::vector<EffectRow> rows = {
        // new sections: at the end, no blank line, after giving the last line its end
        {"new section at the end", "[App1]\r\nkey4=string4\r\n", {W("App3", "key5", "string5"), R("app3", "KEY5"), S()},
         "[App1]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n"},
        {"new section after a last line without end", "[A]\r\na=1", {W("B", "b", "2"), R("A", "a"), K("B")},
         "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
        {"blank lines at the end stay", "[A]\r\na=1\r\n\r\n", {W("B", "b", "2")}, "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n"},
        {"a missing file is created CRLF", nullptr, {W("GNC500WT", "JeppDB", "AMERICAS.IMG")},
         "[GNC500WT]\r\nJeppDB=AMERICAS.IMG\r\n"},
        // new keys: after the section's last non-blank line, in the order written
        {"new keys after the last non-blank line", "[A]\r\na=1\r\n\r\n[B]\r\nx=0\r\n",
         {W("a", "b", "2"), W("A", "c", "3"), K("A")}, "[A]\r\na=1\r\nb=2\r\nc=3\r\n\r\n[B]\r\nx=0\r\n"},
        {"a trailing comment is the section's last line", "[A]\r\na=1\r\n; end of A\r\n[B]\r\n", {W("a", "b", "2")},
         "[A]\r\na=1\r\n; end of A\r\nb=2\r\n[B]\r\n"},
        {"empty section: right after its header", "[A]\r\n\r\n[B]\r\n", {W("A", "k", "v")}, "[A]\r\nk=v\r\n\r\n[B]\r\n"},
        {"header ending the file unterminated", "x=1\r\n[A]", {W("A", "k", "v"), R("A", "x")}, "x=1\r\n[A]\r\nk=v\r\n"},
        // existing keys: replaced in place, blanks before the value kept
        {"existing key replaced in place", "; head\r\n[s]\r\nKEY one = old value\r\nz=9\r\n",
         {W("S", "key ONE", "new"), W("s", "z", ""), R("s", "z")}, "; head\r\n[s]\r\nKEY one = new\r\nz=\r\n"},
        {"the same value changes nothing", "[s]\r\nk=v\r\n", {W("s", "k", "v")}, "[s]\r\nk=v\r\n"},
        {"a panel read and edited", kPanel,
         {R("Window Titles", "Window01"), R("window titles", "window02"), R("Window01", "gauge00"),
          I("Window00", "size_mm"), K("Window Titles"), S(), S(12), K("Window Titles", 9), R("Window00", "file", 5),
          W("window00", "SIZE_MM", "640,480"), I("Window00", "size_mm")},
         nullptr},
        // duplicates: the first section and the first key take every edit
        {"duplicates: first section, first key", "[A]\r\nk=1\r\nk=2\r\n[B]\r\n[a]\r\nk=3\r\nonly=4\r\n",
         {R("A", "k"), R("A", "only"), W("A", "k", "9"), W("A", "new", "n"), R("A", "k"), DS("A"), R("A", "only"),
          R("A", "k")},
         "[B]\r\n[a]\r\nk=3\r\nonly=4\r\n"},
        {"a duplicate key shows once the first is gone", "[A]\r\nk=1\r\nk=2\r\n", {DK("A", "k"), R("A", "k")},
         "[A]\r\nk=2\r\n"},
        // line ends: the file's own, the most common one, CRLF on a tie; old lines keep theirs
        {"LF file", "[A]\na=1\n", {W("A", "b", "2"), W("B", "c", "3")}, "[A]\na=1\nb=2\n[B]\nc=3\n"},
        {"CR-only file", "[s]\rk=cr\r", {R("s", "k"), W("s", "n", "1"), W("t", "n", "2")}, "[s]\rk=cr\rn=1\r[t]\rn=2\r"},
        {"mixed: the most common end", "[A]\na=1\r\nx=0\n", {W("A", "b", "2")}, "[A]\na=1\r\nx=0\nb=2\n"},
        {"mixed: a tie gives CRLF", "[s]\rk=cr\r[t]\nk=lf\n", {R("t", "k"), W("s", "n", "1"), R("s", "n")},
         "[s]\rk=cr\rn=1\r\n[t]\nk=lf\n"},
        // removals
        {"key removed alone, header kept", "[A]\r\n; about k\r\nk=1\r\nz=2\r\n",
         {DK("a", "K"), R("A", "k"), DK("A", "z"), DK("A", "missing"), K("A")}, "[A]\r\n; about k\r\n"},
        {"section removed through the line before the next header",
         "; top\r\n[App1]\r\na=1\r\n; inside\r\n\r\n[App2]\r\nb=2\r\n", {DS("APP1"), S(), R("App1", "a"), R("App2", "b")},
         "; top\r\n[App2]\r\nb=2\r\n"},
        {"last section without a final end removed", "[A]\r\na=1\r\n[B]\r\nb=2", {DS("B"), S()}, "[A]\r\na=1\r\n"},
        {"delete from a missing file (E4)", nullptr, {DK("s", "k"), DS("s"), R("s", "k")}, ""},
        {"a delete never reaches a later duplicate (E2)", "[A]\r\nx=1\r\n[A]\r\nk=2\r\n",
         {DK("A", "k"), R("A", "k"), R("A", "x"), DK("B", "k")}, "[A]\r\nx=1\r\n[A]\r\nk=2\r\n"},
        // odd input
        {"header without ']' is an ordinary line", "[s]\r\n[broken\r\nk=v\r\n",
         {R("s", "k"), R("broken", "k"), S(), W("broken", "k", "w"), R("broken", "k"), DS("s")}, "[broken]\r\nk=w\r\n"},
        {"utf-8 BOM kept (E7)", "\xEF\xBB\xBF[Window Titles]\r\nWindow00=Main\r\n",
         {R("Window Titles", "Window00"), W("Window Titles", "Window01", "GPS"), S()},
         "\xEF\xBB\xBF[Window Titles]\r\nWindow00=Main\r\nWindow01=GPS\r\n"},
        {"blanks, quotes and comments", "[ s p ] junk\r\n  key one  =  v \r\nq=\" padded \"\r\n;c=semi\r\nk4=v4 ; x\r\n",
         {R("s p", "KEY ONE"), R("s p", "q"), R("s p", ";c"), R("s p", "k4"), K("s p"), S()}, nullptr},
        {"integers", "[n]\r\na=0x400,768\r\nb=-5\r\nc=abc\r\nd=\r\ne=4294967297\r\nf=\"33\"\r\ng=0b101\r\n",
         {I("n", "a"), I("n", "b"), I("n", "c"), I("n", "d"), I("n", "e"), I("n", "f"), I("n", "g"), I("n", "none")},
         nullptr},
        {"quoted value under truncation (E3)", "[s]\r\nq=\"v d\"\r\n", {R("s", "q", 4), R("s", "q", 3)}, nullptr},
        {"names padded with blanks (E9)", "[a]\r\nK=1\r\nz=2\r\n",
         {R(" a\t", "\tk "), I(" A ", " K "), W(" a ", " new ", "3"), K("a"), R("a", "new")},
         "[a]\r\nK=1\r\nz=2\r\nnew=3\r\n"},
        // kernel32 writes a line end inside a value as it stands, adding lines (even sections)
        // to the file; we cut names and values at their first line end.
        {"line ends inside names and values cannot add lines", "[s]\r\n",
         {W("s", "k", "one\r\n[evil]\r\nx=1"), W("s\nt", "k2\r", "v")}, "[s]\r\nk=one\r\nk2=v\r\n", false},
    };
    return rows;
}

}  // namespace pwtest
