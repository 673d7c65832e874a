#pragma once
// The skin file: a text file users write (UTF-8, with or without a byte-order mark, or UTF-16LE with
// one; at most 64 KiB), INI-style. What it may say is documented in docs/skins.md. The reader trusts
// nothing in the file: every value is checked, and a bad one is reported with its line.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tellurane {

inline constexpr std::size_t kMaxSkinBytes = 64 * 1024;
inline constexpr int kSkinFormat = 1;

enum class SkinDigits { Proportional, Tabular };
enum class SkinAlign { Left, Center, Right };
enum class SkinFrame { Standard, Thin, None };
enum class SkinCorners { Default, Round, Square };
enum class SkinDarkTitleBar { Auto, Yes, No };

// Colours are 0x00BBGGRR, as Windows takes them.
struct SkinOutline {
    double width = 0;  // points; 0: none
    std::uint32_t color = 0;
};

struct SkinShadow {
    double dx = 0, dy = 0;  // points
    std::uint32_t color = 0;
    std::uint8_t alpha = 255;
};

// Every key is optional: what a skin leaves out keeps the layout's look.
struct SkinFace {
    std::vector<std::wstring> fonts;  // in order of preference; empty: not given
    std::optional<int> weight;        // 100-900
    std::optional<bool> italic;
    std::optional<std::uint32_t> textColor;
    std::optional<std::optional<std::uint32_t>> background;  // a plate colour, or none (the window's)
    std::optional<SkinDigits> digits;
    std::optional<SkinAlign> align;
    std::optional<SkinOutline> outline;
    std::optional<SkinShadow> shadow;
    std::optional<double> corner;  // points
};

struct SkinWindow {
    std::optional<std::uint32_t> background;
    std::optional<SkinFrame> frame;
    std::optional<int> opacity;  // 20-100 per cent
    std::optional<SkinCorners> corners;
    std::optional<SkinDarkTitleBar> darkTitleBar;
};

struct SkinLook {
    SkinFace face;
    SkinWindow window;
};

struct Skin {
    std::wstring name, author;
    SkinLook look;  // [Face] and [Window]
    SkinLook dark;  // [Dark]: Face.Key and Window.Key, used on top of the look while apps are dark
    SkinLook LookFor(bool darkMode) const;
};

struct SkinError {
    int line = 0;  // 0: the file as a whole
    std::wstring message;
};

// Reads the bytes of a skin file. Sections and keys it does not know are ignored.
std::variant<Skin, SkinError> ParseSkin(std::string_view bytes);

// What the error box says: "x\o.cjs, line 12: Opacity must be a whole number from 20 to 100".
std::wstring SkinErrorText(std::wstring_view file, const SkinError& error);

}  // namespace tellurane
