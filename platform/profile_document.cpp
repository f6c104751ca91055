#include "platform/profile_document.h"

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

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names match with ASCII case folding only, as Wine does; every name the program uses is ASCII.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

// What a line means to a reader.
struct LineInfo {
    enum Kind { Blank, Header, Key, Other } kind = Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // raw text after '=' (keys only)
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
std::string ReadValue(std::string_view raw) {
    std::string_view v = Trim(raw);
    if (v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

// A name or value given to an edit ends at its first line end.
std::string_view OneLine(std::string_view s) {
    std::size_t cut = s.find_first_of("\r\n");
    return cut == npos ? s : s.substr(0, cut);
}

std::string_view EditName(std::string_view s) { return Trim(OneLine(s)); }

}  // namespace

Document Document::Empty() { return Document(); }

Document Document::Parse(std::string_view text) {
    Document doc;
    if (text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') ||
                             (text[0] == '\xFE' && text[1] == '\xFF'))) {
        doc.unrepresentable_ = true;
        doc.raw_ = std::string(text);
        return doc;
    }
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        doc.bom_ = true;
        text.remove_prefix(kUtf8Bom.size());
    }
    std::size_t crlf = 0;
    std::size_t lf = 0;
    std::size_t cr = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        Line line;
        if (end == npos) {
            line.text = std::string(text.substr(pos));
            pos = text.size();
        } else {
            line.text = std::string(text.substr(pos, end - pos));
            if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
                line.eol = "\r\n";
                ++crlf;
            } else if (text[end] == '\r') {
                line.eol = "\r";
                ++cr;
            } else {
                line.eol = "\n";
                ++lf;
            }
            pos = end + line.eol.size();
        }
        doc.lines_.push_back(std::move(line));
    }
    // New lines follow the file's most common line end; CRLF when none wins.
    if (lf > crlf && lf > cr) {
        doc.newline_ = "\n";
    } else if (cr > crlf && cr > lf) {
        doc.newline_ = "\r";
    }
    return doc;
}

std::string Document::Serialise() const {
    if (unrepresentable_) return raw_;
    std::size_t size = bom_ ? kUtf8Bom.size() : 0;
    for (const Line& line : lines_) size += line.text.size() + line.eol.size();
    std::string out;
    out.reserve(size);
    if (bom_) out += kUtf8Bom;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.eol;
    }
    return out;
}

std::size_t Document::FindSection(std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        LineInfo info = Classify(lines_[i].text);
        if (info.kind == LineInfo::Header && SameName(info.name, name)) return i;
    }
    return npos;
}

std::size_t Document::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && Classify(lines_[i].text).kind != LineInfo::Header) ++i;
    return i;
}

std::size_t Document::FindKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        LineInfo info = Classify(lines_[i].text);
        if (info.kind == LineInfo::Header) break;
        if (info.kind == LineInfo::Key && SameName(info.name, key)) return i;
    }
    return npos;
}

void Document::InsertLine(std::size_t at, std::string text) {
    if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), newline_});
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
    return ReadValue(Classify(lines_[line].text).value);
}

std::uint32_t Document::GetInt(std::string_view section, std::string_view key,
                               std::int32_t def) const {
    std::optional<std::string> value = Get(section, key);
    if (!value || value->empty()) return static_cast<std::uint32_t>(def);
    return ParseProfileInt(*value);
}

bool Document::HasSection(std::string_view section) const {
    return FindSection(Trim(section)) != npos;
}

std::vector<std::string> Document::SectionHeaders() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        LineInfo info = Classify(line.text);
        if (info.kind == LineInfo::Header && !info.name.empty()) names.emplace_back(info.name);
    }
    return names;
}

std::vector<std::string> Document::KeyLines(std::string_view section) const {
    std::vector<std::string> names;
    std::size_t header = FindSection(Trim(section));
    if (header == npos) return names;
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        LineInfo info = Classify(lines_[i].text);
        if (info.kind == LineInfo::Header) break;
        if (info.kind == LineInfo::Key && !info.name.empty() && info.name.front() != ';') {
            names.emplace_back(info.name);
        }
    }
    return names;
}

namespace {
std::vector<std::string> FirstOccurrences(std::vector<std::string> all) {
    std::vector<std::string> names;
    for (std::string& name : all) {
        bool seen = false;
        for (const std::string& kept : names) seen = seen || SameName(kept, name);
        if (!seen) names.push_back(std::move(name));
    }
    return names;
}
}  // namespace

std::vector<std::string> Document::SectionNames() const { return FirstOccurrences(SectionHeaders()); }

std::vector<std::string> Document::KeyNames(std::string_view section) const {
    return FirstOccurrences(KeyLines(section));
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
        std::string& text = lines_[line].text;
        std::string updated = text.substr(0, Classify(text).after_eq);
        updated += value;
        if (updated != text) {
            text = std::move(updated);
            modified_ = true;
        }
        return;
    }
    // A new key follows the section's last non-blank line, so a blank separator stays put.
    std::size_t last = header;
    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (Classify(lines_[i].text).kind != LineInfo::Blank) last = i;
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
    modified_ = true;
}

void Document::RemoveSection(std::string_view section) {
    if (unrepresentable_) return;
    std::size_t header = FindSection(EditName(section));
    if (header == npos) return;
    std::size_t end = SectionEnd(header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
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
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'z') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'Z') digit = c - 'A' + 10;
        if (digit >= base) break;
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

}  // namespace profile
