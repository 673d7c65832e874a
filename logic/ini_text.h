#pragma once
// The settings file a portable copy keeps beside it: "[section]" lines and "name=value" lines, in UTF-8.
// What the program writes back is what it read, line for line, with its own values changed: comments,
// blank lines and lines it cannot read stay where the user put them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tellurane {

class IniDocument {
public:
    // A line that is no section, value, comment or blank line (or no UTF-8); it is kept as it is.
    struct Problem {
        int line;
        std::wstring text;  // as much of it as could be decoded
    };

    // Never fails: what cannot be read is kept and listed in problems (when given).
    static IniDocument Parse(std::string_view bytes, std::vector<Problem>* problems = nullptr);
    // UTF-8 without a byte-order mark, CRLF after every line.
    std::string Serialize() const;

    // The value of name in the first section of that name holding it; names compare without regard to
    // the case of ASCII letters, as the registry's do.
    const std::wstring* Find(std::wstring_view section, std::wstring_view name) const;
    // Replaces the value, or adds it at the end of the section, or adds the section at the end.
    void Set(std::wstring_view section, std::wstring_view name, std::wstring_view value);
    // The section and every section below it ("Clocks\1" and "Clocks\1\Alarms\2").
    void EraseTree(std::wstring_view section);
    // The names of the keys right below the section, as sections deeper down imply them too.
    std::vector<std::wstring> Children(std::wstring_view section) const;

private:
    struct Line {
        std::wstring name;   // empty: a line kept as it is
        std::wstring value;  // when named
        std::string bytes;   // when kept as it is
    };
    struct Section {
        std::wstring name;   // empty: the lines before the first section
        std::string header;  // the header line as read; made from the name when empty
        std::vector<Line> lines;
    };

    Section* FindSection(std::wstring_view name);

    std::vector<Section> sections_;
};

// The changes one program made to a document since it last read the file, to be made again on top of
// what the file holds by then: a value set, or a section with everything below it deleted. Only the
// last change of each value is kept, so the list never grows beyond the values changed.
class IniEdits {
public:
    void Set(std::wstring_view section, std::wstring_view name, std::wstring_view value);
    void EraseTree(std::wstring_view section);
    void ApplyTo(IniDocument& document) const;
    bool Empty() const noexcept { return edits_.empty(); }
    void Clear() noexcept { edits_.clear(); }

private:
    struct Edit {
        std::wstring section;
        std::wstring name;  // empty: the section's tree is deleted
        std::wstring value;
    };
    std::vector<Edit> edits_;
};

// A copy of the file that tells whether it reached the disk whole: the text, then a comment line with its
// length and checksum. A copy cut short, or lengthened with zeros as a file system may leave one after a
// power cut, opens as nothing.
std::string SealedCopy(std::string_view text);
std::optional<std::string> OpenSealedCopy(std::string_view copy);

// A value as a line holds it: quoted, with escapes, when it has blanks at its ends, a quote first or
// characters that would break the line; and back.
std::wstring IniQuoted(std::wstring_view value);
std::wstring IniUnquoted(std::wstring_view text);

}  // namespace tellurane
