// What the portable tests share: a fresh folder per test, whole-file helpers, the source tree's
// case files read as named cases, C-string tokens, and a file system that fails a chosen step
// of a save. Header only: include "support/TestSupport.h", nothing to link.
#pragma once

#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace pwtest {

namespace fs = std::filesystem;
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The read-only attribute on Windows, the write bits on POSIX. Files and folders alike.
inline void SetReadOnly(const std::string& path, bool readOnly) {
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    std::error_code ignored;
    fs::permissions(path, readOnly ? write : fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add, ignored);
}

class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000007;
        fs::path folder;
        do folder = fs::temp_directory_path() / ("pwtest-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        while (!fs::create_directory(folder));
        folder_ = folder.make_preferred().string();
    }
    ~TempFolder() {
        // Without exceptions: a path the system cannot follow must not end the test run.
        std::error_code ignored;
        SetReadOnly(folder_, false);
        for (auto it = fs::recursive_directory_iterator(folder_, ignored);
             !ignored && it != fs::recursive_directory_iterator(); it.increment(ignored))
            SetReadOnly(it->path().string(), false);
        fs::remove_all(folder_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder in the platform's spelling, without a trailing separator; with one, as the
    // program spells panel folders; a name in it.
    const std::string& Folder() const { return folder_; }
    std::string FolderWithSeparator() const { return folder_ + kSeparator; }
    std::string Path(const std::string& name) const { return folder_ + kSeparator + name; }

private:
    std::string folder_;
};

// Bytes of a file; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes a file, making the folders that lead to it first.
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

// text with every what replaced by with.
inline std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    for (std::size_t at = text.find(what); !what.empty() && at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

// Names of the entries of folder, sorted, each followed by ';' ("a;b;"): catches stray files.
inline std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) joined += name + ";";
    return joined;
}

// A path under the source tree (PW_SOURCE_DIR, which CTest sets), in the platform's spelling.
inline std::string Source(const std::string& path) {
    const char* source = std::getenv("PW_SOURCE_DIR");
    return (fs::path(source ? source : ".") / path).make_preferred().string();
}

// A case of a case file: "== NAME" starts it, its lines (but blank and '#' ones) follow up to the
// next. A harness runs each case as a test of the case's name, so that --gtest_filter=*NAME* runs
// one; a case file that cannot be read leaves its harness uninstantiated, which fails.
struct Case {
    std::string name, where;  // where: FILE:LINE of its header
    std::vector<std::string> lines;
};
inline void PrintTo(const Case& c, std::ostream* out) { *out << c.where; }
inline std::vector<Case> ReadCases(const std::vector<std::string>& paths) {
    std::vector<Case> cases;
    for (const std::string& path : paths) {
        std::istringstream in(ReadBytes(Source(path)));
        int number = 0;
        for (std::string line; std::getline(in, line) && ++number;) {
            if (line.compare(0, 3, "== ") == 0)
                cases.push_back({line.substr(3), path + ":" + std::to_string(number), {}});
            else if (!cases.empty() && !line.empty() && line[0] != '#')
                cases.back().lines.push_back(line);
        }
    }
    return cases;
}
// A name as a test's name: runs of anything but letters and digits become one '_'.
inline std::string TestName(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) || (!out.empty() && out.back() != '_'))
            out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return out;
}
// Runs suite's TEST_Ps once per case of the files, by the cases' names.
#define PW_CASES(suite, ...)                                              \
    INSTANTIATE_TEST_SUITE_P(                                             \
        Case, suite, testing::ValuesIn(pwtest::ReadCases({__VA_ARGS__})), \
        [](const testing::TestParamInfo<pwtest::Case>& info) { return pwtest::TestName(info.param.name); })

// The blank-separated tokens of a line of a case file. A token is a bare word or a C string
// ("\r\n", "\0", "\xFF", "\"") and then holds its text after a leading '"'; "TEXT" * N repeats.
inline std::vector<std::string> Tokens(const std::string& line) {
    std::vector<std::string> tokens;
    for (std::size_t i = line.find_first_not_of(' '); i < line.size(); i = line.find_first_not_of(' ', i)) {
        if (line[i] != '"') {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            tokens.push_back(line.substr(i, end - i));
            i = end;
            continue;
        }
        std::string text = "\"";
        for (++i; i < line.size() && line[i] != '"'; ++i) {
            const char c = line[i] == '\\' ? line[++i] : 0;
            if (c == 'x') {
                text += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                text += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == '0' ? '\0' : c ? c : line[i];
            }
        }
        if (line.compare(++i, 3, " * ") == 0) {  // "TEXT" * N
            const std::string once = text.substr(1);
            for (int n = std::stoi(line.substr(i + 3)); n > 1; --n) text += once;
            i = std::min(line.find(' ', i + 3), line.size());
        }
        tokens.push_back(text);
    }
    return tokens;
}
// A token's text: a quoted token without its mark, a bare word as it stands.
inline std::string Text(const std::string& token) {
    return !token.empty() && token[0] == '"' ? token.substr(1) : token;
}

// What GNU patch makes of before with diff (a unified diff of one file), or "patch failed";
// nullopt where no patch program is at hand (the Windows build).
inline std::optional<std::string> Patched(const std::string& before, const std::string& diff) {
#ifdef _WIN32
    (void)before, (void)diff;
    return std::nullopt;
#else
    TempFolder temp;
    WriteBytes(temp.Path("before"), before);
    WriteBytes(temp.Path("diff"), diff);
    const std::string command = "patch --quiet --output='" + temp.Path("after") + "' '" + temp.Path("before") + "' '" +
                                temp.Path("diff") + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? ReadBytes(temp.Path("after")) : "patch failed";
#endif
}

// --- A file system that fails on demand ------------------------------------------------------

enum class SaveStep { Create, Write, Replace, Link, Remove, Read, Probe };

// The system's own files, but for a chosen step of a save, which fails as the system would fail
// it (a folder that refuses new files, a full disk, a replace refused) or does something first
// (spoil the temporary file, change the target behind the save's back).
class FaultyFiles final : public fileio::FileSystem {
public:
    // Called before each step with the file it works on and the file being saved; a non-empty
    // error fails the step with it. A read or a probe is watched, never failed; a failed link is
    // no error.
    using Fault = std::function<fileio::Error(SaveStep step, const std::string& temp, const std::string& target)>;
    explicit FaultyFiles(Fault fault) : fault_(std::move(fault)) {}

    fileio::PathKind Probe(const std::string& path) override {
        fault_(SaveStep::Probe, path, path);  // watched, never failed
        return Real().Probe(path);
    }
    fileio::FileStamp Stamp(const std::string& path) override { return Real().Stamp(path); }
    fileio::Error Read(const std::string& path, std::string& bytes, bool& existed) override {
        fault_(SaveStep::Read, path, path);  // watched, never failed
        return Real().Read(path, bytes, existed);
    }
    fileio::Error CreateNew(const std::string& path, const std::string& target, bool& taken) override {
        fileio::Error error = fault_(SaveStep::Create, path, target);
        return error ? error : Real().CreateNew(path, target, taken);
    }
    fileio::Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target,
                           const fileio::FileStamp* targetNow) override {
        fileio::Error error = fault_(SaveStep::Write, path, target);
        return error ? error : Real().WriteAll(path, bytes, target, targetNow);
    }
    fileio::Error Replace(const std::string& from, const std::string& target) override {
        fileio::Error error = fault_(SaveStep::Replace, from, target);
        return error ? error : Real().Replace(from, target);
    }
    fileio::Error Remove(const std::string& path) override {
        fileio::Error error = fault_(SaveStep::Remove, path, path);
        return error ? error : Real().Remove(path);
    }
    bool Link(const std::string& existing, const std::string& link) override {
        return !fault_(SaveStep::Link, existing, link) && Real().Link(existing, link);
    }

private:
    static fileio::FileSystem& Real() { return fileio::SystemFiles(); }
    Fault fault_;
};

// The error the system gives when step fails for target.
inline fileio::Error SystemFailure(SaveStep step, const std::string& target) {
    return step == SaveStep::Create   ? fileio::Error{fileio::ErrorCode::CannotCreateIn, target}
           : step == SaveStep::Write  ? fileio::Error{fileio::ErrorCode::DiskFull, target}
           : step == SaveStep::Remove ? fileio::Error{fileio::ErrorCode::DeleteFailed, target, "it is in use"}
                                      : fileio::Error{fileio::ErrorCode::ReplaceRefused, target};
}

// Fails step for target (every target when empty), as the system would.
inline FaultyFiles::Fault FailAt(SaveStep step, const std::string& target = "") {
    return [=](SaveStep at, const std::string&, const std::string& saved) {
        return at == step && (target.empty() || saved == target) ? SystemFailure(step, saved) : fileio::Error{};
    };
}

}  // namespace pwtest
