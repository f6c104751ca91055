// The profile functions case by case, from tests/platform/cases/reads.txt and effects.txt,
// through ours; under Windows also through kernel32's own, the oracle, and then on seeded random
// cases against kernel32 alone. A case:
//
//   == NAME
//   file "BYTES"                      the file before the calls (none: no file)
//   read S K [size N] [default D] => ANSWER     GetPrivateProfileStringA (default "notfound")
//   keys S [size N] [default D] => ANSWER       the same with no key: S's key list
//   sections [size N] => ANSWER                 the same with no section: the section list
//   int S K [default N] => NUMBER               GetPrivateProfileIntA (default 640)
//   write S K V [=> fails]            WritePrivateProfileStringA; delete-key S K; delete-section S
//   bytes "BYTES"                     our file afterwards, byte for byte (file and bytes may be
//                                     written as pieces: "A" "B" * 3 "C")
//   kernel32 differs: E<n>: WHY       kernel32 answers otherwise (cases/kernel32.txt lists why)
//
// ANSWER is "TEXT" (the result is TEXT's length and the buffer holds TEXT and a NUL) or
// COUNT "BYTES" (the result and the buffer's first bytes; the buffer starts filled with '#').
// A read without an answer is checked against kernel32 alone. Against kernel32 every answer must
// be the same, and the file must read the same afterwards (E1: Wine rewrites whole files).
#include "platform/profile_api.h"

#include "support/TestSupport.h"

#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using pwtest::Text;

struct Op {
    std::string kind;               // read, keys, sections, int, write, delete-key, delete-section
    std::vector<std::string> args;  // section, key, value as the kind takes them
    std::uint32_t size = 260;
    std::optional<std::string> def = "notfound";  // nullopt: a null default
    std::int32_t intDefault = 640;
    std::optional<std::string> expected;  // what Answer must give, as far as the case pins it
};

struct Calls {
    std::optional<std::string> file, bytes;
    std::vector<Op> ops;
    bool kernel32Differs = false;
};

bool IsRead(const Op& op) {
    return op.kind == "read" || op.kind == "keys" || op.kind == "sections" || op.kind == "int";
}

Calls Parse(const pwtest::Case& c) {
    Calls calls;
    for (const std::string& line : c.lines) {
        const std::vector<std::string> t = pwtest::Tokens(line);
        std::string joined;  // file and bytes may be written in pieces
        for (std::size_t i = 1; i < t.size(); ++i) joined += Text(t[i]);
        if (t[0] == "file" || t[0] == "bytes") {
            (t[0] == "file" ? calls.file : calls.bytes) = joined;
            continue;
        }
        calls.kernel32Differs |= t[0] == "kernel32";
        if (t[0] == "kernel32") continue;
        Op op;
        op.kind = t[0];
        std::size_t i = 1;
        for (; i < t.size() && t[i] != "=>"; ++i) {
            if (t[i] == "size")
                op.size = static_cast<std::uint32_t>(std::stoul(t[++i]));
            else if (t[i] == "default" && op.kind == "int")
                op.intDefault = std::stoi(t[++i]);
            else if (t[i] == "default")
                op.def = t[++i] == "null" ? std::optional<std::string>() : Text(t[i]);
            else
                op.args.push_back(Text(t[i]));
        }
        if (i + 2 == t.size())  // "TEXT", a number, or fails
            op.expected = !IsRead(op) || op.kind == "int"
                              ? t[i + 1]
                              : std::to_string(Text(t[i + 1]).size()) + " " + Text(t[i + 1]) + std::string(1, '\0');
        else if (i + 3 == t.size())  // COUNT "BYTES"
            op.expected = t[i + 1] + " " + Text(t[i + 2]);
        calls.ops.push_back(op);
    }
    return calls;
}

// One set of profile functions: ours, or kernel32's.
struct Api {
    std::uint32_t (*read)(const char*, const char*, const char*, char*, std::uint32_t, const char*);
    std::uint32_t (*readInt)(const char*, const char*, std::int32_t, const char*);
    bool (*write)(const char*, const char*, const char*, const char*);
};
const Api kOurs = {profile::GetPrivateProfileStringA, profile::GetPrivateProfileIntA,
                   [](const char* s, const char* k, const char* v, const char* f) {
                       return !profile::WritePrivateProfileStringA(s, k, v, f);
                   }};

// What op answers through api on file: the result and then the buffer a read leaves, the number
// an int read gives, or whether a write succeeded.
std::string Answer(const Op& op, const Api& api, const std::string& file) {
    const char* f = file.c_str();
    const auto arg = [&](std::size_t i) { return i < op.args.size() ? op.args[i].c_str() : ""; };
    if (op.kind == "int") return std::to_string(api.readInt(arg(0), arg(1), op.intDefault, f));
    if (!IsRead(op)) {
        const bool key = op.kind != "delete-section", value = op.kind == "write";
        return api.write(arg(0), key ? arg(1) : nullptr, value ? arg(2) : nullptr, f) ? "ok" : "fails";
    }
    std::string buffer(op.size + 4, '#');
    const std::uint32_t n = api.read(op.kind == "sections" ? nullptr : arg(0), op.kind == "read" ? arg(1) : nullptr,
                                     op.def ? op.def->c_str() : nullptr, &buffer[0], op.size, f);
    return std::to_string(n) + " " + buffer;
}

// The answers of the calls through api, on a file of their own.
std::vector<std::string> RunCalls(const Calls& calls, const Api& api, const std::string& file) {
    std::filesystem::remove(file);
    if (calls.file) pwtest::WriteBytes(file, *calls.file);
    std::vector<std::string> answers;
    for (const Op& op : calls.ops) answers.push_back(Answer(op, api, file));
    return answers;
}

std::string Show(const std::string& bytes) { return testing::PrintToString(bytes); }

#ifdef _WIN32
const Api kKernel32 = {[](const char* s, const char* k, const char* d, char* b, std::uint32_t n, const char* f) {
                           return static_cast<std::uint32_t>(::GetPrivateProfileStringA(s, k, d, b, n, f));
                       },
                       [](const char* s, const char* k, std::int32_t d, const char* f) {
                           return static_cast<std::uint32_t>(::GetPrivateProfileIntA(s, k, d, f));
                       },
                       [](const char* s, const char* k, const char* v, const char* f) {
                           return ::WritePrivateProfileStringA(s, k, v, f) != 0;
                       }};

// The file as a reader of sections, keys and values sees it: files that read alike give the
// same text, whatever their bytes.
std::string Content(const Api& api, const std::string& file) {
    const auto list = [&](const char* section) {
        std::vector<char> buffer(65536);
        const std::uint32_t n = api.read(section, nullptr, "", buffer.data(), 65536, file.c_str());
        std::vector<std::string> names;
        for (std::size_t at = 0; at < n; at += names.back().size() + 1) names.emplace_back(buffer.data() + at);
        return names;
    };
    std::string out;
    for (const std::string& section : list(nullptr)) {
        out += "[" + section + "]\n";
        for (const std::string& key : list(section.c_str())) {
            char value[1024] = {};
            api.read(section.c_str(), key.c_str(), "notfound", value, sizeof value, file.c_str());
            out += key + "=" + value + "\n";
        }
    }
    return out;
}
#endif

class ProfileApiTest : public testing::TestWithParam<pwtest::Case> {};

TEST_P(ProfileApiTest, AnswersAsWritten) {
    const Calls calls = Parse(GetParam());
    pwtest::TempFolder tmp;
    const std::vector<std::string> ours = RunCalls(calls, kOurs, tmp.Path("ours.ini"));
    for (std::size_t i = 0; i < calls.ops.size(); ++i) {  // only the buffer's first bytes are pinned
        const std::string answer = ours[i].substr(0, calls.ops[i].expected.value_or(ours[i]).size());
        EXPECT_EQ(Show(calls.ops[i].expected.value_or(answer)), Show(answer)) << "op " << i + 1;
    }
    const std::string bytes = pwtest::ReadBytes(tmp.Path("ours.ini"));
    EXPECT_EQ(Show(calls.bytes.value_or(bytes)), Show(bytes));
#ifdef _WIN32
    if (calls.kernel32Differs) return;
    const std::vector<std::string> theirs = RunCalls(calls, kKernel32, tmp.Path("kernel32.ini"));
    for (std::size_t i = 0; i < calls.ops.size(); ++i)
        EXPECT_EQ(Show(theirs[i]), Show(ours[i]))
            << "op " << i + 1 << " (" << calls.ops[i].kind << ") against kernel32";
    EXPECT_EQ(Content(kKernel32, tmp.Path("kernel32.ini")), Content(kOurs, tmp.Path("ours.ini")));
#endif
}

PW_CASES(ProfileApiTest, "tests/platform/cases/reads.txt", "tests/platform/cases/effects.txt");

#ifdef _WIN32

// Small INI texts over a vocabulary that exercises case, blanks, quotes, comments, duplicates and
// every line end, and calls on them, at random from seed.
Calls RandomCalls(std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); };
    const auto oneOf = [&](std::vector<const char*> options) {
        return std::string(options[static_cast<std::size_t>(pick(static_cast<int>(options.size())))]);
    };
    const auto section = [&] { return oneOf({"A", "a", "Sec", "SEC", "s p", "Window01", "B", " a\t"}); };
    const auto key = [&] { return oneOf({"k", "K", "key", "k two", "x", "Window01", "size_mm", " K\t"}); };
    const auto value = [&] {
        return oneOf({"", "1", " 12 ", "\"q v\"", "'x'", "0x10", "-5", "1024,768", "v ; c", "a=b", "\"abc",
                      "  padded  ", "\"\"", "Bendix_King_Radio!x, 1,2 // r", "4294967297"});
    };
    const auto blanks = [&] { return oneOf({"", "", "", " ", "  ", "\t", " \t"}); };
    Calls c;
    if (pick(12) != 0) {
        const char* const ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
        const char* end = ends[pick(5)];
        std::string text = pick(20) == 0 ? "\xEF\xBB\xBF" : "";  // E7: Wine reads a BOM as we do
        for (int i = pick(16); i > 0; --i) {
            if (pick(6) == 0) end = ends[pick(5)];  // mixed line ends now and then
            const int kind = pick(10);
            if (kind < 3)
                text += blanks() + "[" + blanks() + section() + blanks() + "]" + oneOf({"", "", " junk"});
            else if (kind == 3)
                text += blanks();
            else if (kind == 4)  // E6: bare words are never written as keys
                text += oneOf({"; comment", ";k=semi", "// note", "bare words", "[broken", "#x=1"});
            else
                text += blanks() + key() + blanks() + "=" + blanks() + value() + blanks();
            text += end;
        }
        if (pick(4) == 0) text.erase(text.find_last_not_of("\r\n") + 1);
        c.file = text;
    }
    for (int n = 1 + pick(8); n > 0; --n) {
        Op op;
        op.kind = oneOf({"read", "read", "read", "int", "keys", "sections", "write", "write", "write", "delete-key",
                         "delete-key", "delete-section"});
        op.args = {section(), key(), value()};
        const std::uint32_t sizes[] = {1, 2, 3, 4, 5, 6, 8, 10, 13};
        if (pick(5) == 0) op.size = sizes[pick(9)];
        // E9: Wine trims names for single reads and writes, but not for deletes and lists.
        if (op.kind == "delete-key" || op.kind == "delete-section" || op.kind == "keys") {
            for (std::string& name : op.args) {
                name.erase(0, name.find_first_not_of(" \t"));
                name.erase(name.find_last_not_of(" \t") + 1);
            }
        }
        c.ops.push_back(op);
    }
    return c;
}

// E3: Wine cuts a quoted value read into a buffer one longer than its text; E11: Wine ends a cut
// list with one NUL where Windows writes two.
bool CutByWine(const Op& op, const std::string& ours, const std::string& theirs, const std::string& file) {
    if (op.kind == "keys" || op.kind == "sections") {
        const std::size_t last = ours.find(' ') + op.size;  // the buffer's last byte
        return op.size > 1 && ours.size() == theirs.size() && ours[last] == '\0' && theirs[last] == '#' &&
               ours.compare(0, last, theirs, 0, last) == 0 &&
               ours.compare(last + 1, std::string::npos, theirs, last + 1) == 0;
    }
    if (op.kind != "read") return false;
    std::vector<char> full(600);
    const std::uint32_t n = profile::GetPrivateProfileStringA(op.args[0].c_str(), op.args[1].c_str(), "notfound",
                                                              full.data(), 600, file.c_str());
    return n + 1 == op.size && ours.substr(0, ours.find(' ')) == std::to_string(n) &&
           theirs.substr(0, theirs.find(' ')) == std::to_string(n - 1);
}

// E2: Wine's key delete falls through to a later duplicate section when the first lacks the key.
bool DeletedByWineFurtherDown(const Op& op, const std::string& file) {
    if (op.kind != "delete-key") return false;
    profile::Document doc = profile::ReadDocument(file);
    if (!doc.HasSection(op.args[0]) || doc.Get(op.args[0], op.args[1])) return false;
    while (doc.HasSection(op.args[0])) {
        doc.RemoveSection(op.args[0]);
        if (doc.Get(op.args[0], op.args[1])) return true;
    }
    return false;
}

TEST(ProfileApiRandomTest, SeededRandomCasesAnswerAsKernel32Does) {
    const std::uint32_t count = 5000, seed = 20020601;
    pwtest::TempFolder tmp;
    const std::string ours = tmp.Path("ours.ini"), theirs = tmp.Path("kernel32.ini");
    int failures = 0, reads = 0, exceptions = 0;
    for (std::uint32_t i = 0; i < count && failures < 5; ++i) {
        const Calls c = RandomCalls(seed + i);
        const std::vector<std::string> answers = RunCalls(c, kKernel32, theirs);
        RunCalls({c.file, {}, {}, false}, kOurs, ours);  // ours call by call, while the files can be compared
        std::string problem;
        std::size_t k = 0;
        for (; k < c.ops.size() && problem.empty() && !DeletedByWineFurtherDown(c.ops[k], ours); ++k) {
            const std::string answer = Answer(c.ops[k], kOurs, ours);
            reads += IsRead(c.ops[k]);
            if (answer == answers[k]) continue;
            if (!CutByWine(c.ops[k], answer, answers[k], ours))
                problem = "op " + std::to_string(k + 1) + " (" + c.ops[k].kind + "): kernel32 " + Show(answers[k]) +
                          ", ours " + Show(answer);
            exceptions += problem.empty();
        }
        const bool partedWays = k < c.ops.size() && problem.empty();  // the files part ways here
        exceptions += partedWays;
        if (problem.empty() && !partedWays && Content(kKernel32, theirs) != Content(kOurs, ours))
            problem = "the files read differently afterwards:\n" + Content(kKernel32, theirs) + "--- ours\n" +
                      Content(kOurs, ours);
        failures += !problem.empty();
        EXPECT_EQ("", problem) << "seed " << seed + i << " file " << (c.file ? Show(*c.file) : "(none)");
    }
    std::printf("differential: %u random cases, %d reads compared with kernel32, %d known exceptions\n", count, reads,
                exceptions);
}

#endif

}  // namespace
