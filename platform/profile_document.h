// In-memory profile (INI) document: parse, read, edit, serialise.
//
// The document keeps every line's original bytes, so serialising an unmodified document gives
// the input back byte for byte and an edit touches only the lines it must. Reads answer what
// kernel32's GetPrivateProfileStringA / GetPrivateProfileIntA answer for the same text:
// ASCII case-insensitive names, blanks trimmed around names and values, one pair of matching
// quotes stripped, no inline comments, the first of duplicate sections and keys wins.
// Edits land where kernel32's writes land them (new section at the end of the file, new key
// after the section's last non-blank line, existing key replaced in place) and write CRLF
// unless the file's own line ends say otherwise.
//
// A UTF-8 byte-order mark is recognised and kept: the first line is read without it and
// serialised with it. (Windows itself would hide the first section of such a file, and a
// write to that section would add a second one at the end; Wine reads it as we do.)
// A UTF-16 file (FF FE or FE FF) is not parsed: it answers reads as empty, serialises back
// unchanged and refuses edits, so that nothing can write it back damaged.
//
// Names and values passed to the edits are cut at their first CR or LF: a line end inside a
// value would otherwise smuggle new lines (even new sections) into the file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

namespace profile {

class Document {
public:
    // Parses text; never fails. Any byte sequence is accepted (NULs included).
    static Document Parse(std::string_view text);
    // Parse without copying: the document keeps text as its storage.
    static Document ParseOwned(std::string text);
    static Document Empty();

    // The bytes the document was parsed from, byte-order mark included, whatever edits
    // followed; empty for Empty().
    std::string_view Source() const;

    // The whole file as it would be written.
    std::string Serialise() const;

    // True when the text could not be represented without loss (for example a UTF-16 file);
    // such a document answers reads as empty and must never be saved.
    bool Unrepresentable() const { return unrepresentable_; }

    // Value of key in section, as GetPrivateProfileStringA returns it (before any buffer
    // truncation), or nullopt when the section or the key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // GetPrivateProfileIntA: the value parsed with the kernel32 integer rules (optional sign,
    // 0x/0o/0b prefixes, digits up to the first other character, modulo 2^32); the default
    // when the key is missing or its value is empty.
    std::uint32_t GetInt(std::string_view section, std::string_view key, std::int32_t def) const;

    bool HasSection(std::string_view section) const;
    // Lines of every kind (keys, comments, blanks) between the first header of section and the
    // next header; 0 when the section is missing.
    std::size_t SectionLineCount(std::string_view section) const;

    // The lists kernel32 returns for a null section / a null key: every header with a non-empty
    // name, duplicates included; every key line of the first such section (lines without '='
    // and ';' lines skipped), duplicates included.
    std::vector<std::string> SectionHeaders() const;
    std::vector<std::string> KeyLines(std::string_view section) const;

    // Edits. Set adds or replaces; RemoveKey and RemoveSection are no-ops when nothing matches.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    void RemoveSection(std::string_view section);

    // Every key line of the first section named section, in file order, duplicates included:
    // the key name as Get matches it and the value as Get returns it. One pass, for a caller
    // that needs many keys of one section. The views stay valid until the next edit or the
    // document's end.
    using Entry = std::pair<std::string_view, std::string_view>;
    std::vector<Entry> SectionEntries(std::string_view section) const;

    // Every section in file order, duplicates included, each with its key lines as SectionEntries
    // gives them and the index of each line among Lines(): one pass over the whole file, for a
    // caller that looks at all of it. Key lines above the first header belong to no section and
    // are left out. The views stay valid until the next edit or the document's end.
    struct KeyLine {
        std::string_view name, value;
        std::size_t line;
    };
    struct SectionView {
        std::string_view name;  // trimmed, as the file spells it
        std::size_t line;       // its header's line
        std::vector<KeyLine> keys;
    };
    std::vector<SectionView> Sections() const;

    // True once any edit changed the text.
    bool Modified() const { return modified_; }

    // Gives the document the ending of the text it was parsed from: when that text's last line
    // had no line end, the line that now ends the document loses its own (a line an edit moved
    // off the end already got one). The profile functions always end a file they write; a
    // panel.cfg edit keeps the file as it was, so that install then remove gives its bytes back.
    void KeepSourceEnding();

    // One line as the document holds it now, without and with its line end. origin: the line's
    // index among the lines parsed from Source(), or kWritten for a line an edit wrote or
    // changed. A diff against the parsed source needs nothing more.
    static constexpr std::size_t kWritten = static_cast<std::size_t>(-1);
    struct LineView {
        std::string_view text;
        std::string_view eol;  // "\r\n", "\n", "\r" or "" (last line without an end)
        std::size_t origin;
    };
    // Every line in file order (none for a document that is Unrepresentable()). The views stay
    // valid until the next edit or the document's end.
    std::vector<LineView> Lines() const;

private:
    // Bytes of one line, viewed in storage the document shares: lines are not copied out of
    // the parsed text, and a line an edit writes gets a block of its own.
    class Text {
    public:
        constexpr Text() = default;
        constexpr Text(const char* data, std::size_t size) : data_(data), size_(size) {}
        std::string_view View() const { return {data_, size_}; }
        std::size_t Size() const { return size_; }

    private:
        const char* data_ = "";
        std::size_t size_ = 0;
    };
    struct Line {
        Text text;                      // bytes of the line without its line end
        Text eol;                       // "\r\n", "\n", "\r" or "" (last line without an end)
        std::size_t origin = kWritten;  // index among the parsed lines, or kWritten
    };
    std::vector<Line> lines_;
    std::vector<std::size_t> headers_;  // indexes of the section header lines, ascending
    // Immutable blocks the lines point into: the parsed text, then one per line an edit wrote.
    // Shared between copies, so copying a document copies no text.
    std::vector<std::shared_ptr<const std::string>> storage_;
    bool bom_ = false;
    bool unterminated_ = false;  // the parsed text's last line has no line end
    bool unrepresentable_ = false;
    bool modified_ = false;
    Text newline_{"\r\n", 2};  // line end used for lines this document adds

    static Document FromBlock(std::shared_ptr<const std::string> block);
    std::size_t FindSection(std::string_view name) const;                 // header line, or npos
    std::size_t SectionEnd(std::size_t header) const;                     // first line after the section
    std::size_t FindKey(std::size_t header, std::string_view key) const;  // key line, or npos
    Text Keep(std::string text);                                          // stores an edit's line
    void IndexHeaders();                                                  // after lines were changed
    void InsertLine(std::size_t at, std::string text);                    // with newline_, ending the line before
};

// The integer rules of GetPrivateProfileIntA applied to an already trimmed value text.
std::uint32_t ParseProfileInt(std::string_view value);

}  // namespace profile
