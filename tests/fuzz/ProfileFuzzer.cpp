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

// The document's lines, each with its line end.
std::vector<std::string> Lines(const Document& doc) {
    std::vector<std::string> lines;
    for (const Document::LineView& line : doc.Lines()) lines.push_back(std::string(line.text) + std::string(line.eol));
    return lines;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "profile fuzzer: %s\n%s\n", what, detail.c_str());
    std::abort();
}

std::string Trim(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string OneLine(const std::string& s) { return s.substr(0, s.find_first_of("\r\n")); }

// What a reader must get back after writing value.
std::string ReadForm(const std::string& value) {
    const std::string v = Trim(OneLine(value));
    return v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front() ? v.substr(1, v.size() - 2)
                                                                                            : v;
}

bool IsHeader(const std::string& line) {
    const std::string t = Trim(OneLine(line));
    return !t.empty() && t.front() == '[' && t.rfind(']') != std::string::npos && t.rfind(']') > 0;
}

// A key a reader can find again: not empty, no '=', not read as a header.
bool Findable(const std::string& key) {
    const std::string k = Trim(OneLine(key));
    return !k.empty() && k.find('=') == std::string::npos && k.front() != '[';
}

std::string Name(FuzzedDataProvider& in) {
    static const char* const kNames[] = {"A", "a", "Window Titles", "window00", "k", "K", " k ", "s p", ""};
    if (in.ConsumeBool()) return kNames[in.ConsumeIntegralInRange<std::size_t>(0, 8)];
    return in.ConsumeRandomLengthString(12);
}

std::size_t CountHeaders(const Document& doc, const std::string& section) {
    std::size_t n = 0;
    for (const std::string& name : doc.SectionHeaders()) n += Document::Parse("[" + name + "]").HasSection(section);
    return n;
}

enum class Edit { Set, RemoveKey, RemoveSection };

// The lines between the unchanged head and tail of before and after.
void CheckChangedLines(const std::vector<std::string>& before, const std::vector<std::string>& after, Edit edit) {
    std::size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const std::size_t removed = before.size() - head - tail, added = after.size() - head - tail;
    const std::string detail = "removed " + std::to_string(removed) + ", added " + std::to_string(added);
    switch (edit) {
        case Edit::Set:
            // One key line replaced, or a line inserted (its predecessor may gain a line end),
            // or a header and a key appended.
            if (removed > 1 || added > 3 || added < removed) Fail("set touched too much", detail);
            break;
        case Edit::RemoveKey:
            if (removed > 1 || added != 0) Fail("key removal touched too much", detail);
            break;
        case Edit::RemoveSection: {
            if (after.size() == before.size()) {
                if (removed != 0) Fail("section removal changed lines in place", detail);
                break;
            }
            // Repeated lines make the changed window ambiguous: some header at or before the
            // common head must start a block, ending at the next header, whose removal gives after.
            std::size_t gone = before.size() - after.size();
            bool found = false;
            for (std::size_t i = head + 1; i-- > 0 && !found;) {
                if (i >= before.size() || !IsHeader(before[i])) continue;
                std::size_t j = i + 1;
                while (j < before.size() && !IsHeader(before[j])) ++j;
                if (j - i != gone) continue;
                found = std::equal(before.begin() + static_cast<std::ptrdiff_t>(j), before.end(),
                                   after.begin() + static_cast<std::ptrdiff_t>(i));
            }
            if (!found) Fail("section removal is not one header-to-header block", detail);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // Edits come from the end of the input, the text is the rest, so plain INI seeds work.
    struct Planned {
        Edit edit;
        std::string section, key, value;
    };
    std::vector<Planned> plan(in.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (Planned& p : plan) {
        const int kind = in.ConsumeIntegralInRange<int>(0, 4);
        p.edit = kind <= 2 ? Edit::Set : kind == 3 ? Edit::RemoveKey : Edit::RemoveSection;
        p.section = Name(in);
        p.key = Name(in);
        p.value = in.ConsumeRandomLengthString(24);
    }
    const std::string text = in.ConsumeRemainingBytesAsString();

    Document doc = Document::Parse(text);
    if (doc.Serialise() != text) Fail("unedited document did not round-trip", text);

    for (const Planned& p : plan) {
        const std::vector<std::string> before = Lines(doc);
        const std::size_t headers_before = CountHeaders(doc, Trim(OneLine(p.section)));
        switch (p.edit) {
            case Edit::Set:
                doc.Set(p.section, p.key, p.value);
                if (!doc.Unrepresentable() && Findable(p.key)) {
                    std::optional<std::string> got = doc.Get(OneLine(p.section), OneLine(p.key));
                    if (!got || *got != ReadForm(p.value)) {
                        Fail("read after write differs",
                             "[" + p.section + "] " + p.key + " = " + p.value + " read " + got.value_or("(missing)"));
                    }
                }
                break;
            case Edit::RemoveKey: doc.RemoveKey(p.section, p.key); break;
            case Edit::RemoveSection:
                doc.RemoveSection(p.section);
                if (headers_before > 0 && CountHeaders(doc, Trim(OneLine(p.section))) != headers_before - 1) {
                    Fail("section removal did not remove exactly one section", p.section);
                }
                break;
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
        if (line.origin < next || line.origin >= source.size() || line.text != source[line.origin].text ||
            line.eol != source[line.origin].eol) {
            Fail("a kept line is not its source line", text);
        }
        next = line.origin + 1;
    }

    const std::string out = doc.Serialise();
    if (doc.Unrepresentable() && out != text) Fail("unrepresentable document changed", text);
    Document again = Document::Parse(out);
    if (again.Serialise() != out) Fail("serialised document did not round-trip", out);
    for (const Planned& p : plan) {
        if (again.Get(p.section, p.key) != doc.Get(p.section, p.key)) {
            Fail("re-parsed document reads differently", "[" + p.section + "] " + p.key + "\n" + out);
        }
    }
    return 0;
}
