#include "platform/profile_diff.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace profile {

namespace {

constexpr std::size_t kContext = 3;

struct Op {
    char kind;                // ' ', '-' or '+'
    Document::LineView line;  // the line shown
};

// The edited lines against the source lines, each kept line once, in order; within a change
// the removed lines come before the added ones, as diff shows them.
std::vector<Op> Ops(const std::vector<Document::LineView>& source, const std::vector<Document::LineView>& edited) {
    std::vector<Op> ops;
    std::vector<Op> removed, added;
    std::size_t next = 0;
    const auto flush = [&] {
        ops.insert(ops.end(), removed.begin(), removed.end());
        ops.insert(ops.end(), added.begin(), added.end());
        removed.clear();
        added.clear();
    };
    for (const Document::LineView& line : edited) {
        if (line.origin == Document::kWritten) {
            added.push_back({'+', line});
            continue;
        }
        for (; next < line.origin && next < source.size(); ++next) removed.push_back({'-', source[next]});
        flush();
        ops.push_back({' ', line});
        next = line.origin + 1;
    }
    for (; next < source.size(); ++next) removed.push_back({'-', source[next]});
    flush();
    return ops;
}

std::string Range(std::size_t start, std::size_t count) {
    // An empty range names the line before it, as diff does.
    if (count == 0) return std::to_string(start == 0 ? 0 : start - 1) + ",0";
    return count == 1 ? std::to_string(start) : std::to_string(start) + "," + std::to_string(count);
}

}  // namespace

std::string UnifiedDiff(const Document& edited, const std::string& fromName, const std::string& toName) {
    const Document parsed = Document::Parse(edited.Source());
    const std::vector<Op> ops = Ops(parsed.Lines(), edited.Lines());
    std::string out;
    std::size_t i = 0;
    std::size_t oldLine = 1, newLine = 1;  // numbers of the line ops[i] stands at
    while (i < ops.size()) {
        if (ops[i].kind == ' ') {
            ++i, ++oldLine, ++newLine;
            continue;
        }
        // A hunk: the change with up to three lines of context before it, and on until three
        // unchanged lines follow the last change (joining changes closer than twice that).
        const std::size_t lead = std::min(kContext, static_cast<std::size_t>(oldLine - 1));
        std::size_t start = i - std::min(lead, i);
        std::size_t end = i;
        while (end < ops.size()) {
            if (ops[end].kind != ' ') {
                ++end;
                continue;
            }
            std::size_t run = end;
            while (run < ops.size() && ops[run].kind == ' ') ++run;
            if (run == ops.size() || run - end > 2 * kContext) {
                end = std::min(run, end + kContext);
                break;
            }
            end = run;
        }
        std::size_t oldCount = 0, newCount = 0;
        for (std::size_t k = start; k < end; ++k) {
            if (ops[k].kind != '+') ++oldCount;
            if (ops[k].kind != '-') ++newCount;
        }
        const std::size_t before = i - start;
        if (out.empty()) out = "--- " + fromName + "\n+++ " + toName + "\n";
        out += "@@ -" + Range(oldLine - before, oldCount) + " +" + Range(newLine - before, newCount) + " @@\n";
        for (std::size_t k = start; k < end; ++k) {
            // Each line keeps its own line end, so patch applies the hunks to CRLF files too.
            out += ops[k].kind;
            out += ops[k].line.text;
            if (ops[k].line.eol.empty()) {
                out += "\n\\ No newline at end of file\n";
            } else {
                out += ops[k].line.eol;
                if (ops[k].line.eol.back() != '\n') out += '\n';  // a CR-only line end
            }
        }
        for (; i < end; ++i) {
            if (ops[i].kind != '+') ++oldLine;
            if (ops[i].kind != '-') ++newLine;
        }
    }
    return out;
}

}  // namespace profile
