// Our profile engine against kernel32 under Wine: the same operations on two copies of the same
// start file, every read compared, and the final files compared by their parsed content
// (sections, keys, values, order) as kernel32 itself reads them.
//
// Where Wine's kernel32 differs from documented Windows we follow Windows; these exceptions are
// recognised below and counted, never silently ignored:
//  E1  Wine rewrites the whole file on every write (blank lines dropped, blanks and text after
//      ']' removed, every line CRLF); Windows edits in place as we do. Files are therefore
//      compared by content, not bytes; our bytes are pinned by the hand-written cases.
//  E2  A key delete that finds no such key in the first [A] goes on, in Wine, to a later
//      duplicate [A] and deletes it there; reads never see that key, so we leave it alone.
//      Such deletes are not applied to either file.
//  E3  A quoted value read into a buffer exactly one longer than its unquoted text loses its
//      last character in Wine ("v d" with size 4 gives "v "); we return the text cut as any
//      other value is.
//  E4  Deleting from a missing file: Windows leaves an empty file, Wine creates nothing; we
//      create nothing either (nothing to delete means nothing to write).
//  E5  A line "=value" has an empty key name; Wine lists it as an empty string in the key list,
//      which ends the list early for any caller. We leave it out. Not generated.
//  E6  A bare line "name" receives a write of key "name" in place in Wine (Windows unknown);
//      we add "name=value" as a new key. Bare lines use names the writes never use.
//  E7  A file starting with a UTF-8 BOM: Windows hides its first section, Wine and we read it.
//  E8  A read-only file: Windows refuses the write, as we do; Wine running as root writes it.
//  E9  Names with blanks around them: Wine trims them for reads and writes of one key, but not
//      for deletes and key lists, so deleting " a " removes nothing and listing " a " finds no
//      section. We trim for every call, so all calls with one name reach the same section.
//      Random deletes and key lists use unpadded names.
//  E10 UTF-16 files: kernel32 reads and writes them; we answer reads from them with the default
//      and refuse to write them, since the program's files are ANSI and a wrong guess would
//      damage the file. Not compared here; the unit tests pin our side.
#include "platform/profile_api.h"

#include "platform/profile_rows.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using pwtest::Op;

std::string Show(const std::string& bytes) { return testing::PrintToString(bytes); }

std::string Describe(const Op& op) {
    static const char* const kNames[] = {"read", "int", "keys", "sections", "write", "delete-key", "delete-section"};
    return std::string(kNames[op.kind]) + " [" + op.section + "] " + Show(op.key) + " " + Show(op.value) + " size " +
           std::to_string(op.size);
}

struct Counters {
    int sequences = 0, reads = 0, writes = 0;
    int e2_skipped_deletes = 0, e3_quoted_truncations = 0;  // exceptions met
};

class Differential {
public:
    explicit Differential(const pwtest::TempFolder& tmp) : tmp_(tmp) {}

    // Runs ops on two copies of start; returns "" or a description of the first difference.
    std::string Run(const std::string& start, bool start_exists, const std::vector<Op>& ops, int id,
                    Counters& counters, std::string* ours_out = nullptr) {
        const std::string theirs = tmp_.Path("k" + std::to_string(id) + ".ini");
        const std::string ours = tmp_.Path("o" + std::to_string(id) + ".ini");
        for (const std::string& file : {theirs, ours}) {
            if (start_exists) pwtest::WriteBytes(file, start);
        }
        std::string problem;
        for (std::size_t i = 0; i < ops.size() && problem.empty(); ++i) {
            problem = Apply(ops[i], theirs, ours, counters);
            if (!problem.empty()) problem = "op " + std::to_string(i) + " " + Describe(ops[i]) + ": " + problem;
        }
        if (problem.empty()) problem = CompareContent(theirs, ours);
        if (ours_out != nullptr) *ours_out = pwtest::ReadBytes(ours);
        DeleteFileA(theirs.c_str());
        DeleteFileA(ours.c_str());
        ++counters.sequences;
        return problem;
    }

private:
    const pwtest::TempFolder& tmp_;

    std::string Apply(const Op& op, const std::string& theirs, const std::string& ours, Counters& counters) {
        const char* sec = op.section.c_str();
        const char* key = op.key.c_str();
        switch (op.kind) {
        case Op::ReadString:
        case Op::ReadKeys:
        case Op::ReadSections: {
            ++counters.reads;
            const char* s = op.kind == Op::ReadSections ? nullptr : sec;
            const char* k = op.kind == Op::ReadString ? key : nullptr;
            std::vector<char> a(op.size + 2, '#'), b(op.size + 2, '#');
            DWORD na = ::GetPrivateProfileStringA(s, k, "notfound", a.data(), op.size, theirs.c_str());
            std::uint32_t nb = profile::GetPrivateProfileStringA(s, k, "notfound", b.data(), op.size, ours.c_str());
            const std::string ta(a.data(), na), tb(b.data(), nb);
            if (na == nb && ta == tb) return "";
            if (op.kind == Op::ReadString && IsQuotedTruncation(op, ours, ta, tb)) {
                ++counters.e3_quoted_truncations;
                return "";
            }
            return "kernel32 " + Show(ta) + " (" + std::to_string(na) + "), ours " + Show(tb) + " (" +
                   std::to_string(nb) + ")";
        }
        case Op::ReadInt: {
            ++counters.reads;
            UINT a = ::GetPrivateProfileIntA(sec, key, 640, theirs.c_str());
            std::uint32_t b = profile::GetPrivateProfileIntA(sec, key, 640, ours.c_str());
            return a == b ? "" : "kernel32 " + std::to_string(a) + ", ours " + std::to_string(b);
        }
        case Op::Write:
        case Op::DeleteKey:
        case Op::DeleteSection: {
            if (op.kind == Op::DeleteKey && DeleteFallsThrough(op, ours)) {
                ++counters.e2_skipped_deletes;
                return "";
            }
            ++counters.writes;
            const char* k = op.kind == Op::DeleteSection ? nullptr : key;
            const char* v = op.kind == Op::Write ? op.value.c_str() : nullptr;
            BOOL a = ::WritePrivateProfileStringA(sec, k, v, theirs.c_str());
            profile::Error b = profile::WritePrivateProfileStringA(sec, k, v, ours.c_str());
            return (a != FALSE) == !b ? "" : "kernel32 " + std::to_string(a) + ", ours " + (b ? b.reason : "ok");
        }
        }
        return "unknown op";
    }

    // E3: ours is the whole unquoted value, kernel32 the same without its last character.
    static bool IsQuotedTruncation(const Op& op, const std::string& ours, const std::string& ta,
                                   const std::string& tb) {
        char full[600] = {};
        std::uint32_t n = profile::GetPrivateProfileStringA(op.section.c_str(), op.key.c_str(), "notfound",
                                                            full, sizeof full, ours.c_str());
        return n + 1 == op.size && tb == std::string(full, n) && !tb.empty() &&
               ta == tb.substr(0, tb.size() - 1);
    }

    // E2: the key is missing from the first [section] but present in a later duplicate.
    static bool DeleteFallsThrough(const Op& op, const std::string& ours) {
        profile::LoadedFile loaded;
        profile::Load(ours, loaded);
        profile::Document& rest = loaded.doc;
        if (!rest.HasSection(op.section) || rest.Get(op.section, op.key)) return false;
        // Look past the first occurrence: drop it and ask again.
        while (rest.HasSection(op.section)) {
            rest.RemoveSection(op.section);
            if (rest.Get(op.section, op.key)) return true;
        }
        return false;
    }

    // The section names (section null) or a section's key names, as kernel32 lists them.
    static std::vector<std::string> List(const char* section, const std::string& path) {
        std::vector<char> buffer(65536);
        const DWORD n = ::GetPrivateProfileStringA(section, nullptr, "", buffer.data(), 65536, path.c_str());
        std::vector<std::string> names;
        for (std::size_t at = 0; at < n; at += names.back().size() + 1) names.emplace_back(buffer.data() + at);
        return names;
    }

    // A final file as kernel32 reads it.
    static std::string Content(const std::string& path) {
        std::string out;
        for (const std::string& section : List(nullptr, path)) {
            out += "[" + section + "]\n";
            for (const std::string& key : List(section.c_str(), path)) {
                char value[1024] = {};
                ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "notfound", value, sizeof value, path.c_str());
                out += key + "=" + value + "\n";
            }
        }
        return out;
    }

    static std::string CompareContent(const std::string& theirs, const std::string& ours) {
        const std::string a = Content(theirs), b = Content(ours);
        if (a == b) return "";
        return "final content differs:\nkernel32 file " + Show(pwtest::ReadBytes(theirs)) + "\nreads\n" + a +
               "ours file " + Show(pwtest::ReadBytes(ours)) + "\nreads\n" + b;
    }
};

// The hand-written rows, one or more per effect; ours must also give the pinned bytes.
TEST(ProfileDifferentialTest, HandWrittenEffects) {
    pwtest::TempFolder tmp;
    Differential diff(tmp);
    Counters counters;
    int id = 0;
    for (const pwtest::EffectRow& row : pwtest::EffectRows()) {
        if (!row.kernel32) continue;
        std::string ours;
        EXPECT_EQ("", diff.Run(row.start ? row.start : "", row.start != nullptr, row.ops, id++, counters, &ours))
            << row.name;
        if (row.after != nullptr) {
            EXPECT_EQ(Show(row.after), Show(ours)) << row.name;
        }
    }
    EXPECT_EQ(1, counters.e2_skipped_deletes);
    EXPECT_EQ(1, counters.e3_quoted_truncations);
}

// Random small INI texts over a vocabulary that exercises case, blanks, quotes, comments,
// duplicates and every line end, and random operations on them.
class Generator {
public:
    explicit Generator(std::uint32_t seed) : rng_(seed) {}

    std::string Text() {
        static const char* const kEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
        const char* end = kEnds[Pick(5)];
        std::string text = Pick(20) == 0 ? "\xEF\xBB\xBF" : "";  // E7: Wine reads a BOM as we do
        int lines = Pick(16);
        for (int i = 0; i < lines; ++i) {
            if (Pick(6) == 0) end = kEnds[Pick(5)];  // mixed line ends now and then
            text += Line() + end;
        }
        if (!text.empty() && Pick(4) == 0) {
            while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
        }
        return text;
    }

    Op Operation() {
        static const std::uint32_t kSizes[] = {1, 2, 3, 4, 5, 6, 8, 10, 13};
        Op op{Op::ReadString, Section(), Key(), Value(), 260};
        if (Pick(5) == 0) op.size = kSizes[Pick(9)];
        static const Op::Kind kKinds[] = {Op::ReadString, Op::ReadString, Op::ReadString, Op::ReadInt,
                                          Op::ReadKeys,   Op::ReadSections, Op::Write,    Op::Write,
                                          Op::Write,      Op::DeleteKey,  Op::DeleteKey,  Op::DeleteSection};
        op.kind = kKinds[Pick(12)];
        if (op.kind == Op::DeleteKey || op.kind == Op::DeleteSection || op.kind == Op::ReadKeys) {  // E9
            op.section = Unpadded(op.section);
            op.key = Unpadded(op.key);
        }
        return op;
    }

    int Pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }

private:
    std::mt19937 rng_;

    std::string OneOf(std::initializer_list<const char*> options) {
        return *(options.begin() + Pick(static_cast<int>(options.size())));
    }
    std::string Section() { return OneOf({"A", "a", "Sec", "SEC", "s p", "Window01", "B", " a\t"}); }
    std::string Key() { return OneOf({"k", "K", "key", "k two", "x", "Window01", "size_mm", " K\t"}); }
    std::string Value() {
        return OneOf({"", "1", " 12 ", "\"q v\"", "'x'", "0x10", "-5", "1024,768", "v ; c", "a=b", "\"abc",
                      "  padded  ", "\"\"", "Bendix_King_Radio!x, 1,2 // r", "4294967297"});
    }
    static std::string Unpadded(std::string name) {
        name.erase(0, name.find_first_not_of(" \t"));
        name.erase(name.find_last_not_of(" \t") + 1);
        return name;
    }
    std::string Blanks() { return OneOf({"", "", "", " ", "  ", "\t", " \t"}); }

    std::string Line() {
        switch (Pick(10)) {
        case 0: case 1: case 2:
            return Blanks() + "[" + Blanks() + Section() + Blanks() + "]" + OneOf({"", "", " junk"});
        case 3: return Blanks();
        case 4: return OneOf({"; comment", ";k=semi", "// note", "bare words", "[broken", "#x=1"});
        default: return Blanks() + Key() + Blanks() + "=" + Blanks() + Value() + Blanks();
        }
    }
};

int EnvInt(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

TEST(ProfileDifferentialTest, SeededRandomSequences) {
    const int count = EnvInt("PW_DIFF_SEQUENCES", 5000);
    const std::uint32_t base_seed = static_cast<std::uint32_t>(EnvInt("PW_DIFF_SEED", 20020601));
    pwtest::TempFolder tmp;
    Differential diff(tmp);
    Counters counters;
    int failures = 0;
    auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < count && failures < 5; ++i) {
        Generator gen(base_seed + static_cast<std::uint32_t>(i));
        const std::string start = gen.Text();
        const bool exists = gen.Pick(12) != 0;
        std::vector<Op> ops(1 + gen.Pick(8));
        for (Op& op : ops) op = gen.Operation();
        const std::string problem = diff.Run(start, exists, ops, 1000 + i, counters);
        if (!problem.empty()) {
            ++failures;
            ADD_FAILURE() << "seed " << base_seed + i << " start " << (exists ? Show(start) : "(no file)") << "\n"
                          << problem;
        }
    }
    std::printf("differential: %d sequences (seed %u), %d reads, %d writes compared in %.1f s; "
                "exceptions: E2 %d deletes skipped, E3 %d quoted truncations\n",
                counters.sequences, base_seed, counters.reads, counters.writes,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
                counters.e2_skipped_deletes, counters.e3_quoted_truncations);
    EXPECT_EQ(count, counters.sequences);
}

// A read-only folder: Windows ignores the attribute on folders (it marks customised folders),
// so both write into it; Wine maps it to the folder's mode bits, which root ignores. (A
// read-only file, E8, is pinned by the unit tests: kernel32 under Wine as root writes it.)
TEST(ProfileDifferentialTest, ReadOnlyFolder) {
    pwtest::TempFolder tmp;
    const std::string folder = tmp.Path("ro");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    pwtest::SetReadOnly(folder, true);
    BOOL a = ::WritePrivateProfileStringA("s", "k", "2", (folder + "\\k.ini").c_str());
    profile::Error b = profile::WritePrivateProfileStringA("s", "k", "2", (folder + "\\o.ini").c_str());
    EXPECT_EQ(a != FALSE, !b) << (b ? b.reason : "ours wrote it");
}

// A bare file name: both look in the Windows directory, not the current folder.
TEST(ProfileDifferentialTest, BareNameMeansTheWindowsDirectory) {
    const char* name = "pwdiff_bare.ini";
    const std::string full = profile::ResolveProfilePath(name);
    ASSERT_NE(full, name);
    ASSERT_TRUE(::WritePrivateProfileStringA("GNC500WT", "JeppDB", "AMERICAS.IMG", name));
    char value[64] = {};
    profile::GetPrivateProfileStringA("gnc500wt", "JEPPDB", "notfound", value, sizeof value, name);
    EXPECT_STREQ("AMERICAS.IMG", value);
    EXPECT_FALSE(profile::WritePrivateProfileStringA("GNC500WT", "JeppDB", "INTRNATL.IMG", name));
    ::GetPrivateProfileStringA("GNC500WT", "JeppDB", "notfound", value, sizeof value, name);
    EXPECT_STREQ("INTRNATL.IMG", value);
    EXPECT_EQ("[GNC500WT]\r\nJeppDB=INTRNATL.IMG\r\n", pwtest::ReadBytes(full));
    DeleteFileA(full.c_str());
}

}  // namespace
