// libFuzzer target for the profile document: parse any bytes, apply random edits, serialise,
// re-parse. Checks that an unedited document gives its bytes back, that each edit changes only
// the lines it must, and that a read after a write returns what was written.
#include "platform/profile_document.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using profile::Document;

void Check(bool holds, const char* what, const std::string& detail) {
    if (holds) return;
    std::fprintf(stderr, "profile fuzzer: %s\n%s\n", what, detail.c_str());
    std::abort();
}

std::string Trim(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}
std::string OneLine(const std::string& s) { return s.substr(0, s.find_first_of("\r\n")); }
bool IsHeader(const std::string& line) {
    const std::string t = Trim(OneLine(line));
    return !t.empty() && t.front() == '[' && t.rfind(']') != std::string::npos && t.rfind(']') > 0;
}

// The document's lines, each with its line end.
std::vector<std::string> Lines(const Document& doc) {
    std::vector<std::string> lines;
    for (const Document::LineView& line : doc.Lines()) lines.push_back(std::string(line.text) + std::string(line.eol));
    return lines;
}

std::size_t CountHeaders(const Document& doc, const std::string& section) {
    std::size_t n = 0;
    for (const std::string& name : doc.SectionHeaders()) n += Document::Parse("[" + name + "]").HasSection(section);
    return n;
}

enum class Edit { Set, RemoveKey, RemoveSection };

// The lines between the unchanged head and tail of before and after: a set replaces one key line
// or inserts a line (its predecessor may gain a line end) or appends a header and a key; a key's
// removal takes one line; a section's removal takes one header-to-header block.
void CheckChangedLines(const std::vector<std::string>& before, const std::vector<std::string>& after, Edit edit) {
    std::size_t head = 0, tail = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const std::size_t removed = before.size() - head - tail, added = after.size() - head - tail;
    const std::string detail = "removed " + std::to_string(removed) + ", added " + std::to_string(added);
    if (edit == Edit::Set) Check(removed <= 1 && added <= 3 && added >= removed, "set touched too much", detail);
    if (edit == Edit::RemoveKey) Check(removed <= 1 && added == 0, "key removal touched too much", detail);
    if (edit != Edit::RemoveSection || after.size() == before.size()) {
        Check(edit != Edit::RemoveSection || removed == 0, "section removal changed lines in place", detail);
        return;
    }
    // Repeated lines make the changed window ambiguous: some header at or before the common head
    // must start a block, ending at the next header, whose removal gives after.
    bool found = false;
    for (std::size_t i = head + 1; i-- > 0 && !found;) {
        if (i >= before.size() || !IsHeader(before[i])) continue;
        std::size_t j = i + 1;
        while (j < before.size() && !IsHeader(before[j])) ++j;
        found = j - i == before.size() - after.size() &&
                std::equal(before.begin() + std::ptrdiff_t(j), before.end(), after.begin() + std::ptrdiff_t(i));
    }
    Check(found, "section removal is not one header-to-header block", detail);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // Edits come from the end of the input, the text is the rest, so plain INI seeds work.
    struct Planned {
        Edit edit;
        std::string section, key, value;
    };
    const auto name = [&] {
        static const char* const kNames[] = {"A", "a", "Window Titles", "window00", "k", "K", " k ", "s p", ""};
        return in.ConsumeBool() ? kNames[in.ConsumeIntegralInRange<std::size_t>(0, 8)]
                                : in.ConsumeRandomLengthString(12);
    };
    std::vector<Planned> plan(in.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (Planned& p : plan) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 4);
        p.edit = kind <= 2 ? Edit::Set : kind == 3 ? Edit::RemoveKey : Edit::RemoveSection;
        p.section = name();
        p.key = name();
        p.value = in.ConsumeRandomLengthString(24);
    }
    const std::string text = in.ConsumeRemainingBytesAsString();

    Document doc = Document::Parse(text);
    Check(doc.Serialise() == text, "unedited document did not round-trip", text);
    for (const Planned& p : plan) {
        const std::vector<std::string> before = Lines(doc);
        const std::size_t headers = CountHeaders(doc, Trim(OneLine(p.section)));
        if (p.edit == Edit::Set) {
            doc.Set(p.section, p.key, p.value);
            // A key a reader can find again (not empty, no '=', not read as a header) reads back as
            // written, on one line, without blanks around it and without the quotes around it.
            const std::string k = Trim(OneLine(p.key)), v = Trim(OneLine(p.value));
            const bool quoted = v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
            const std::optional<std::string> got = doc.Get(OneLine(p.section), OneLine(p.key));
            Check(doc.Unrepresentable() || k.empty() || k.find('=') != std::string::npos || k.front() == '[' ||
                      got == (quoted ? v.substr(1, v.size() - 2) : v),
                  "read after write differs",
                  "[" + p.section + "] " + p.key + " = " + p.value + " read " + got.value_or("(missing)"));
        }
        if (p.edit == Edit::RemoveKey) doc.RemoveKey(p.section, p.key);
        if (p.edit == Edit::RemoveSection) {
            doc.RemoveSection(p.section);
            Check(headers == 0 || CountHeaders(doc, Trim(OneLine(p.section))) == headers - 1,
                  "section removal did not remove exactly one section", p.section);
        }
        CheckChangedLines(before, Lines(doc), p.edit);
    }

    // Every line not written by an edit is its source line, in the source's order: what a diff
    // of the edit is built from.
    const Document parsed = Document::Parse(text);
    const std::vector<Document::LineView> source = parsed.Lines();
    std::size_t next = 0;
    for (const Document::LineView& line : doc.Lines()) {
        if (line.origin == Document::kWritten) continue;
        Check(line.origin >= next && line.origin < source.size() && line.text == source[line.origin].text &&
                  line.eol == source[line.origin].eol,
              "a kept line is not its source line", text);
        next = line.origin + 1;
    }
    const std::string out = doc.Serialise();
    Check(!doc.Unrepresentable() || out == text, "unrepresentable document changed", text);
    const Document again = Document::Parse(out);
    Check(again.Serialise() == out, "serialised document did not round-trip", out);
    for (const Planned& p : plan)
        Check(again.Get(p.section, p.key) == doc.Get(p.section, p.key), "re-parsed document reads differently",
              "[" + p.section + "] " + p.key + "\n" + out);
    return 0;
}
