// The theme record, the built-in default theme and theme files ("*.tm").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

// Font style bits of FontRecord::Style.
enum FontStyleBits : std::int32_t {
    kFontBold = 1,
    kFontItalic = 2,
    kFontUnderline = 4,
    kFontStrikeOut = 8,
};

struct FontRecord {
    std::string Name;
    double Size = 0;  // points
    std::int32_t Style = 0;

    bool operator==(const FontRecord&) const = default;
};

// Colours are 0x00BBGGRR; a value with the top bit set names a system colour by index.
// Every enumerated field holds the index of the option the theme editor shows for it.
struct ThemeRecord {
    std::string Version;
    std::string Title;
    std::int32_t GraphVType = 0;      // 0 none, 1 every minute, 2 every 5, 3 every 10
    std::int32_t GraphVLineType = 0;  // 0 solid, 1 dashed, 2 dotted
    std::int32_t GraphHType = 0;      // 0 none, 1 every 10 %, 2 every 20 %, 3 at 50 % only
    std::int32_t GraphHLineType = 0;
    std::int32_t GraphHLineMode = 0;  // 0 under the graph, 1 over it, 2 merged
    std::int32_t GraphVLineMode = 0;
    std::int32_t GraphVColor1 = 0;
    std::int32_t GraphVColor2 = 0;
    std::int32_t GraphVColor3 = 0;
    std::int32_t GraphHColor1 = 0;
    std::int32_t GraphHColor2 = 0;
    std::int32_t GraphHColor3 = 0;
    std::int32_t TextType = 0;  // 0 none, 1 shown, 2 shown with an edge
    FontRecord TextFont;
    std::int32_t TextPosition = 0;  // 3 x 3 grid, row by row from the top left
    std::int32_t TextColor1 = 0;
    std::int32_t TextColor2 = 0;
    std::int32_t TextColor3 = 0;
    std::string TextPrefix;
    std::string TextSuffix;
    std::int32_t BackType = 0;  // 0 colour, 1 pattern, 2 image file
    std::int32_t BackColor = 0;
    std::int32_t BackNo = 0;
    std::string BackName;
    std::int32_t ForeType = 0;  // 0 line, 1 filled, 2 pattern, 3 image file
    std::int32_t ForeColor1 = 0;
    std::int32_t ForeColor2 = 0;
    std::int32_t ForeColor3 = 0;
    std::int32_t ForeNo = 0;
    std::string ForeName;
    std::int32_t ForeEdge = 0;
    std::int32_t ForePosition = 0;

    bool operator==(const ThemeRecord&) const = default;
};

inline constexpr std::string_view kCustomThemeFileName = "Moravel.tm";
inline constexpr std::string_view kPatternFileName = "Pattern.dat";

void SetDefaultTheme(ThemeRecord& theme);

// True if any field differs, Version and Title included.
bool ThemesDiffer(const ThemeRecord& a, const ThemeRecord& b);

// Defaults, then the "[Theme]" keys of `text`. Returns whether a "[Theme]" section line was read.
bool ParseThemeText(std::string_view text, ThemeRecord& theme);
std::string FormatThemeText(const ThemeRecord& theme);

// ProgramFolder() + "Themes", without a trailing separator.
std::string ThemesFolder();
// The pattern strip "Pattern.dat" in the Themes folder.
std::string PatternFilePath();
// Where the theme of `name` is read from: "" is the custom theme "Moravel.tm" in the program
// folder; any other name is a file in the Themes folder.
std::string ThemeReadPath(std::string_view name);
// Where it is written: as for reading, except that a name holding a separator is a full path.
std::string ThemeWritePath(std::string_view name);

bool LoadThemeFile(ThemeRecord& theme, const std::string& path);
// Stamps the program version into `theme` and replaces the file. Returns the bytes written or -1.
std::int32_t SaveThemeFile(ThemeRecord& theme, const std::string& path);

// Defaults, then the theme of `name`; returns `found`.
bool LoadTheme(ThemeRecord& theme, std::string_view name);
std::int32_t SaveTheme(ThemeRecord& theme, std::string_view name);

}  // namespace moravel
