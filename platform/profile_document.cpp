#include "platform/profile_document.h"

#include "platform/ascii.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace profile {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Names match with ASCII case folding only, as Wine does; every name the program uses is ASCII.
bool SameName(std::string_view a, std::string_view b) { return platform::EqualsIgnoringAsciiCase(a, b); }

// What a line means to a reader.
struct LineInfo {
    enum Kind { Blank, Header, Key, Other } kind = Other;
    std::string_view name;     // section or key name, trimmed
    std::string_view value;    // raw text after '=' (keys only)
    std::size_t after_eq = 0;  // offset of the first character after '=' and its blanks
};

LineInfo Classify(std::string_view text) {
    LineInfo info;
    std::string_view t = Trim(text);
    if (t.empty()) {
        info.kind = LineInfo::Blank;
        return info;
    }
    if (t.front() == '[') {
        // Text after the last ']' is ignored; a '[' line without ']' is an ordinary line.
        std::size_t close = t.rfind(']');
        if (close != npos && close > 0) {
            info.kind = LineInfo::Header;
            info.name = Trim(t.substr(1, close - 1));
            return info;
        }
    }
    std::size_t eq = text.find('=');
    if (eq == npos) return info;
    info.kind = LineInfo::Key;
    info.name = Trim(text.substr(0, eq));
    info.value = text.substr(eq + 1);
    std::size_t v = eq + 1;
    while (v < text.size() && IsBlank(text[v])) ++v;
    info.after_eq = v;
    return info;
}

// The value as GetPrivateProfileStringA returns it: blanks trimmed, one pair of matching
// outer quotes removed.
std::string_view ValueView(std::string_view raw) {
    std::string_view v = Trim(raw);
    if (v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

std::string ReadValue(std::string_view raw) { return std::string(ValueView(raw)); }

// Cheap test first: only a line whose first non-blank byte is '[' can be a header.
bool IsHeader(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size() || text[i] != '[') return false;
    return Classify(text).kind == LineInfo::Header;
}

// The first CR or LF in [p, end), or end. Whole words without a byte below 0x0E are passed in
// one step; only a word that may hold a line end (or a tab) is looked at byte by byte.
const char* LineEnd(const char* p, const char* end) {
    using Word = std::size_t;
    constexpr Word kOnes = ~Word{0} / 0xFF;
    constexpr Word kHigh = kOnes * 0x80;
    for (;;) {
        while (static_cast<std::size_t>(end - p) >= sizeof(Word)) {
            Word w;
            std::memcpy(&w, p, sizeof w);
            if (((w - kOnes * 0x0E) & ~w & kHigh) != 0) break;
            p += sizeof(Word);
        }
        const std::size_t n = std::min(sizeof(Word), static_cast<std::size_t>(end - p));
        for (std::size_t i = 0; i < n; ++i) {
            if (p[i] == '\n' || p[i] == '\r') return p + i;
        }
        p += n;
        if (p == end) return end;
    }
}

// A name or value given to an edit ends at its first line end.
std::string_view OneLine(std::string_view s) {
    std::size_t cut = s.find_first_of("\r\n");
    return cut == npos ? s : s.substr(0, cut);
}

std::string_view EditName(std::string_view s) { return Trim(OneLine(s)); }

}  // namespace

Document Document::Empty() { return Document(); }

Document Document::Parse(std::string_view text) { return FromBlock(std::make_shared<const std::string>(text)); }

Document Document::ParseOwned(std::string text) {
    return FromBlock(std::make_shared<const std::string>(std::move(text)));
}

Document Document::FromBlock(std::shared_ptr<const std::string> block) {
    Document doc;
    const std::string_view text = *block;
    doc.storage_.push_back(std::move(block));
    if (text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF'))) {
        doc.unrepresentable_ = true;
        return doc;
    }
    const char* pos = text.data();
    const char* const end = pos + text.size();
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        doc.bom_ = true;
        pos += kUtf8Bom.size();
    }
    doc.lines_.reserve(text.size() / 32 + 1);
    std::size_t crlf = 0;
    std::size_t lf = 0;
    std::size_t cr = 0;
    while (pos < end) {
        const char* stop = LineEnd(pos, end);
        Line line;
        line.text = Text(pos, static_cast<std::size_t>(stop - pos));
        if (stop == end) {
            pos = end;
        } else if (*stop == '\r' && stop + 1 < end && stop[1] == '\n') {
            line.eol = Text("\r\n", 2);
            ++crlf;
            pos = stop + 2;
        } else if (*stop == '\r') {
            line.eol = Text("\r", 1);
            ++cr;
            pos = stop + 1;
        } else {
            line.eol = Text("\n", 1);
            ++lf;
            pos = stop + 1;
        }
        line.origin = doc.lines_.size();
        if (IsHeader(line.text.View())) doc.headers_.push_back(doc.lines_.size());
        doc.lines_.push_back(line);
    }
    doc.unterminated_ = !doc.lines_.empty() && doc.lines_.back().eol.Size() == 0;
    // New lines follow the file's most common line end; CRLF when none wins.
    if (lf > crlf && lf > cr) {
        doc.newline_ = Text("\n", 1);
    } else if (cr > crlf && cr > lf) {
        doc.newline_ = Text("\r", 1);
    }
    return doc;
}

std::vector<Document::LineView> Document::Lines() const {
    std::vector<LineView> views;
    if (unrepresentable_) return views;
    views.reserve(lines_.size());
    for (const Line& line : lines_) views.push_back({line.text.View(), line.eol.View(), line.origin});
    return views;
}

std::string_view Document::Source() const {
    return storage_.empty() ? std::string_view() : std::string_view(*storage_.front());
}

std::string Document::Serialise() const {
    if (unrepresentable_) return *storage_.front();
    std::size_t size = bom_ ? kUtf8Bom.size() : 0;
    for (const Line& line : lines_) size += line.text.Size() + line.eol.Size();
    std::string out;
    out.reserve(size);
    if (bom_) out += kUtf8Bom;
    for (const Line& line : lines_) {
        out += line.text.View();
        out += line.eol.View();
    }
    return out;
}

std::size_t Document::FindSection(std::string_view name) const {
    for (std::size_t header : headers_) {
        if (SameName(Classify(lines_[header].text.View()).name, name)) return header;
    }
    return npos;
}

std::size_t Document::SectionEnd(std::size_t header) const {
    auto next = std::upper_bound(headers_.begin(), headers_.end(), header);
    return next == headers_.end() ? lines_.size() : *next;
}

std::size_t Document::FindKey(std::size_t header, std::string_view key) const {
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        LineInfo info = Classify(lines_[i].text.View());
        if (info.kind == LineInfo::Key && SameName(info.name, key)) return i;
    }
    return npos;
}

Document::Text Document::Keep(std::string text) {
    storage_.push_back(std::make_shared<const std::string>(std::move(text)));
    const std::string& kept = *storage_.back();
    return Text(kept.data(), kept.size());
}

void Document::IndexHeaders() {
    headers_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (IsHeader(lines_[i].text.View())) headers_.push_back(i);
    }
}

void Document::InsertLine(std::size_t at, std::string text) {
    const Text kept = Keep(std::move(text));
    if (at > 0 && lines_[at - 1].eol.Size() == 0) {
        lines_[at - 1].eol = newline_;
        lines_[at - 1].origin = kWritten;
    }
    const bool header = IsHeader(kept.View());
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{kept, newline_, kWritten});
    // The headers from at on move down one line; a new header takes its place among them.
    auto from = std::lower_bound(headers_.begin(), headers_.end(), at);
    for (auto it = from; it != headers_.end(); ++it) ++*it;
    if (header) headers_.insert(from, at);
    modified_ = true;
}

std::optional<std::string> Document::Get(std::string_view section, std::string_view key) const {
    section = Trim(section);
    key = Trim(key);
    // An empty key name reads as missing, as kernel32's A function answers it.
    if (key.empty()) return std::nullopt;
    std::size_t header = FindSection(section);
    if (header == npos) return std::nullopt;
    std::size_t line = FindKey(header, key);
    if (line == npos) return std::nullopt;
    return ReadValue(Classify(lines_[line].text.View()).value);
}

std::uint32_t Document::GetInt(std::string_view section, std::string_view key, std::int32_t def) const {
    std::optional<std::string> value = Get(section, key);
    if (!value || value->empty()) return static_cast<std::uint32_t>(def);
    return ParseProfileInt(*value);
}

bool Document::HasSection(std::string_view section) const { return FindSection(Trim(section)) != npos; }

std::size_t Document::SectionLineCount(std::string_view section) const {
    const std::size_t header = FindSection(Trim(section));
    return header == npos ? 0 : SectionEnd(header) - header - 1;
}

std::vector<std::string> Document::SectionHeaders() const {
    std::vector<std::string> names;
    for (std::size_t header : headers_) {
        LineInfo info = Classify(lines_[header].text.View());
        if (!info.name.empty()) names.emplace_back(info.name);
    }
    return names;
}

std::vector<std::string> Document::KeyLines(std::string_view section) const {
    std::vector<std::string> names;
    std::size_t header = FindSection(Trim(section));
    if (header == npos) return names;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        LineInfo info = Classify(lines_[i].text.View());
        if (info.kind == LineInfo::Key && !info.name.empty() && info.name.front() != ';') {
            names.emplace_back(info.name);
        }
    }
    return names;
}

std::vector<Document::Entry> Document::SectionEntries(std::string_view section) const {
    std::vector<Entry> entries;
    std::size_t header = FindSection(Trim(section));
    if (header == npos) return entries;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        LineInfo info = Classify(lines_[i].text.View());
        if (info.kind == LineInfo::Key) entries.emplace_back(info.name, ValueView(info.value));
    }
    return entries;
}

std::vector<Document::SectionView> Document::Sections() const {
    std::vector<SectionView> sections;
    for (std::size_t header : headers_) {
        sections.push_back({Classify(lines_[header].text.View()).name, header, {}});
        for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
            LineInfo info = Classify(lines_[i].text.View());
            if (info.kind == LineInfo::Key) sections.back().keys.push_back({info.name, ValueView(info.value), i});
        }
    }
    return sections;
}

void Document::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (unrepresentable_) return;
    section = EditName(section);
    key = EditName(key);
    value = OneLine(value);
    std::size_t header = FindSection(section);
    if (header == npos) {
        // A new section goes at the very end, without a blank line before it.
        std::string head = "[";
        head += section;
        head += ']';
        InsertLine(lines_.size(), std::move(head));
        InsertLine(lines_.size(), std::string(key) + "=" + std::string(value));
        return;
    }
    std::size_t line = FindKey(header, key);
    if (line != npos) {
        // Replaced in place: the key as spelt in the file, '=' and the blanks after it stay.
        const std::string_view text = lines_[line].text.View();
        std::string updated(text.substr(0, Classify(text).after_eq));
        updated += value;
        if (updated != text) {
            lines_[line].text = Keep(std::move(updated));
            lines_[line].origin = kWritten;
            IndexHeaders();  // a value holding ']' can turn a '[' key line into a header
            modified_ = true;
        }
        return;
    }
    // A new key follows the section's last non-blank line, so a blank separator stays put.
    std::size_t last = header;
    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (Classify(lines_[i].text.View()).kind != LineInfo::Blank) last = i;
    }
    InsertLine(last + 1, std::string(key) + "=" + std::string(value));
}

void Document::RemoveKey(std::string_view section, std::string_view key) {
    if (unrepresentable_) return;
    std::size_t header = FindSection(EditName(section));
    if (header == npos) return;
    std::size_t line = FindKey(header, EditName(key));
    if (line == npos) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    IndexHeaders();
    modified_ = true;
}

void Document::RemoveSection(std::string_view section) {
    if (unrepresentable_) return;
    std::size_t header = FindSection(EditName(section));
    if (header == npos) return;
    std::size_t end = SectionEnd(header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    IndexHeaders();
    modified_ = true;
}

void Document::KeepSourceEnding() {
    if (!unterminated_ || lines_.empty() || lines_.back().eol.Size() == 0) return;
    lines_.back().eol = Text();
    lines_.back().origin = kWritten;
    modified_ = true;
}

std::uint32_t ParseProfileInt(std::string_view value) {
    // RtlUnicodeStringToInteger with base 0: leading control characters and blanks, a sign,
    // a lower-case 0x/0o/0b prefix, then digits until the first other character; wraps.
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ') ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        char p = value[i + 1];
        if (p == 'x') base = 16;
        if (p == 'o') base = 8;
        if (p == 'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t total = 0;
    for (; i < value.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(value[i]);
        unsigned digit = 99;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'z')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'Z')
            digit = c - 'A' + 10;
        if (digit >= base) break;
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

}  // namespace profile
