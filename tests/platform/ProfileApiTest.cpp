// The profile functions case by case, from tests/platform/cases/reads.txt and effects.txt,
// through ours; under Windows also through kernel32's own, the oracle. A case:
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
// GetPrivateProfileIntA on our engine: a key's value by the integer rules; for a list (no
// section or key), whatever the string read answers, parsed, as kernel32 does.
std::uint32_t OurProfileInt(const char* s, const char* k, std::int32_t def, const char* f) {
    if (s != nullptr && k != nullptr) return profile::ReadDocument(profile::ResolveProfilePath(f)).GetInt(s, k, def);
    char buffer[30] = {};  // kernel32 reads into a buffer of this size first
    if (profile::GetPrivateProfileStringA(s, k, "", buffer, sizeof buffer, f) == 0)
        return static_cast<std::uint32_t>(def);
    return profile::ParseProfileInt(buffer);
}

const Api kOurs = {profile::GetPrivateProfileStringA, OurProfileInt,
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

}  // namespace
