#include "logic/ini_text.h"

#include <algorithm>
#include <cstdint>

#include "logic/skin_text.h"

namespace tellurane {
namespace {

using skin_text::Same;
using skin_text::Trim;

std::string Utf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto code = static_cast<std::uint32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && skin_text::HighSurrogate(code) && i + 1 < text.size() &&
            skin_text::LowSurrogate(static_cast<std::uint32_t>(text[i + 1]))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
        } else if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            code = 0xFFFD;  // half a pair cannot be written in UTF-8
        }
        if (code < 0x80) {
            bytes += static_cast<char>(code);
        } else if (code < 0x800) {
            bytes += static_cast<char>(0xC0 | (code >> 6));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            bytes += static_cast<char>(0xE0 | (code >> 12));
            bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (code >> 18));
            bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return bytes;
}

// Whether section is below (or is) top: "Clocks\1\Alarms\2" is below "Clocks\1", "Clocks\10" is not.
bool InTree(std::wstring_view section, std::wstring_view top) {
    if (section.size() < top.size() || !Same(section.substr(0, top.size()), top)) return false;
    return section.size() == top.size() || section[top.size()] == L'\\';
}

bool NeedsQuotes(std::wstring_view value) {
    if (value.empty()) return false;
    if (skin_text::IsSpace(value.front()) || skin_text::IsSpace(value.back()) || value.front() == L'"') return true;
    return std::any_of(value.begin(), value.end(), [](wchar_t c) { return c < L' ' || c == 0x7F; });
}

// FNV-1a, 64 bits: enough to tell a whole copy from a cut or garbled one.
std::uint64_t Checksum(std::string_view bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

constexpr std::string_view kSealStart = "; Tellurane copy complete: ";

std::string SealLine(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line(kSealStart);
    line += std::to_string(text.size());
    line += " bytes, FNV-1a ";
    const std::uint64_t sum = Checksum(text);
    for (int shift = 60; shift >= 0; shift -= 4) line += kHex[(sum >> shift) & 0xF];
    return line + "\r\n";
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

void IniEdits::Set(std::wstring_view section, std::wstring_view name, std::wstring_view value) {
    std::erase_if(edits_,
                  [&](const Edit& e) { return !e.name.empty() && Same(e.section, section) && Same(e.name, name); });
    edits_.push_back({std::wstring(section), std::wstring(name), std::wstring(value)});
}

void IniEdits::EraseTree(std::wstring_view section) {
    std::erase_if(edits_, [&](const Edit& e) { return InTree(e.section, section); });
    edits_.push_back({std::wstring(section), {}, {}});
}

void IniEdits::ApplyTo(IniDocument& document) const {
    for (const Edit& edit : edits_) {
        if (edit.name.empty()) {
            document.EraseTree(edit.section);
        } else {
            document.Set(edit.section, edit.name, edit.value);
        }
    }
}

std::string SealedCopy(std::string_view text) {
    // The seal has a line of its own even after a text without a last line break.
    return std::string(text) + "\r\n" + SealLine(text);
}

std::optional<std::string> OpenSealedCopy(std::string_view copy) {
    const std::size_t start = copy.rfind(kSealStart);
    if (start == std::string_view::npos || start < 2 || copy.substr(start - 2, 2) != "\r\n") return std::nullopt;
    const std::string_view text = copy.substr(0, start - 2);
    if (copy.substr(start) != SealLine(text)) return std::nullopt;
    return std::string(text);
}

std::wstring IniQuoted(std::wstring_view value) {
    if (!NeedsQuotes(value)) return std::wstring(value);
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring quoted = L"\"";
    for (const wchar_t c : value) {
        if (c == L'"' || c == L'\\') {
            quoted += L'\\';
            quoted += c;
        } else if (c == L'\n') {
            quoted += L"\\n";
        } else if (c == L'\r') {
            quoted += L"\\r";
        } else if (c == L'\t') {
            quoted += L"\\t";
        } else if (c < L' ' || c == 0x7F) {
            quoted += L"\\x";
            quoted += kHex[(c >> 4) & 0xF];
            quoted += kHex[c & 0xF];
        } else {
            quoted += c;
        }
    }
    return quoted + L'"';
}

std::wstring IniUnquoted(std::wstring_view text) {
    if (text.size() < 2 || text.front() != L'"' || text.back() != L'"') return std::wstring(text);
    text = text.substr(1, text.size() - 2);
    std::wstring value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            value += text[i];
            continue;
        }
        const wchar_t next = text[++i];
        if (next == L'n') {
            value += L'\n';
        } else if (next == L'r') {
            value += L'\r';
        } else if (next == L't') {
            value += L'\t';
        } else if (next == L'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            value += static_cast<wchar_t>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else if (next == L'"' || next == L'\\') {
            value += next;
        } else {
            value += L'\\';  // a backslash before anything else is the user's own
            value += next;
        }
    }
    return value;
}

IniDocument IniDocument::Parse(std::string_view bytes, std::vector<Problem>* problems) {
    IniDocument document;
    document.sections_.push_back({});
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    int number = 0;
    while (!bytes.empty()) {
        ++number;
        const std::size_t end = bytes.find('\n');
        std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (raw.ends_with('\r')) raw.remove_suffix(1);
        // One line at a time, so that bytes that are no UTF-8 cost that line only.
        const skin_text::Decoded decoded = raw.starts_with("\xFF") || raw.starts_with("\xFE")
                                               ? skin_text::Decoded{{}, skin_text::Failure{1, {}}}
                                               : skin_text::Decode(raw);
        const std::wstring_view text = Trim(decoded.text);
        Section& current = document.sections_.back();
        const std::size_t equals = text.find(L'=');
        if (!decoded.failure && text.size() >= 2 && text.front() == L'[' && text.back() == L']') {
            document.sections_.push_back({std::wstring(Trim(text.substr(1, text.size() - 2))), std::string(raw), {}});
        } else if (!decoded.failure && (text.empty() || text.front() == L';' || text.front() == L'#')) {
            current.lines.push_back({{}, {}, std::string(raw)});
        } else if (!decoded.failure && equals != std::wstring_view::npos && equals > 0 && !current.name.empty()) {
            current.lines.push_back(
                {std::wstring(Trim(text.substr(0, equals))), IniUnquoted(Trim(text.substr(equals + 1))), {}});
        } else {
            current.lines.push_back({{}, {}, std::string(raw)});
            if (problems) problems->push_back({number, decoded.text});
        }
    }
    return document;
}

std::string IniDocument::Serialize() const {
    std::string bytes;
    for (const Section& section : sections_) {
        if (!section.header.empty()) {
            bytes += section.header + "\r\n";
        } else if (!section.name.empty()) {
            // A new section stands apart from the one before it.
            if (!bytes.empty() && !bytes.ends_with("\r\n\r\n")) bytes += "\r\n";
            bytes += '[';
            bytes += Utf8(section.name);
            bytes += "]\r\n";
        }
        for (const Line& line : section.lines) {
            if (line.name.empty()) {
                bytes += line.bytes;
            } else {
                bytes += Utf8(line.name);
                bytes += '=';
                bytes += Utf8(IniQuoted(line.value));
            }
            bytes += "\r\n";
        }
    }
    return bytes;
}

const std::wstring* IniDocument::Find(std::wstring_view section, std::wstring_view name) const {
    for (const Section& candidate : sections_) {
        if (candidate.name.empty() || !Same(candidate.name, section)) continue;
        for (const Line& line : candidate.lines) {
            if (!line.name.empty() && Same(line.name, name)) return &line.value;
        }
    }
    return nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::wstring_view name) {
    const auto found = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const Section& s) { return !s.name.empty() && Same(s.name, name); });
    return found == sections_.end() ? nullptr : &*found;
}

void IniDocument::Set(std::wstring_view section, std::wstring_view name, std::wstring_view value) {
    for (Section& candidate : sections_) {
        if (candidate.name.empty() || !Same(candidate.name, section)) continue;
        for (Line& line : candidate.lines) {
            if (!line.name.empty() && Same(line.name, name)) {
                line.value = value;
                return;
            }
        }
    }
    Section* target = FindSection(section);
    if (!target) {
        if (sections_.empty()) sections_.push_back({});
        target = &sections_.emplace_back(Section{std::wstring(section), {}, {}});
    }
    // After the section's last value, before the blank lines that part it from the next one.
    auto at = target->lines.end();
    while (at != target->lines.begin() && (at - 1)->name.empty() && (at - 1)->bytes.empty()) --at;
    target->lines.insert(at, Line{std::wstring(name), std::wstring(value), {}});
}

void IniDocument::EraseTree(std::wstring_view section) {
    std::erase_if(sections_, [&](const Section& s) { return !s.name.empty() && InTree(s.name, section); });
}

std::vector<std::wstring> IniDocument::Children(std::wstring_view section) const {
    std::vector<std::wstring> children;
    for (const Section& candidate : sections_) {
        if (candidate.name.size() <= section.size() + 1 || !InTree(candidate.name, section)) continue;
        std::wstring_view rest = std::wstring_view(candidate.name).substr(section.size() + 1);
        rest = rest.substr(0, rest.find(L'\\'));
        if (std::none_of(children.begin(), children.end(), [&](const std::wstring& c) { return Same(c, rest); })) {
            children.emplace_back(rest);
        }
    }
    return children;
}

}  // namespace tellurane
