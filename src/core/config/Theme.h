// The theme record, the built-in default theme and theme files ("*.tm").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/Settings.h"

namespace moravel {

// Font style bits of FontRecord::Style.
enum FontStyleBits : std::int32_t {
    kFontBold = 1,
    kFontItalic = 2,
    kFontUnderline = 4,
    kFontStrikeOut = 8,
};

// The codes of the theme file. Each keeps the number the file holds, whatever it is: a value no
// name stands for reads and writes back unchanged. The theme editor's option buttons are
// numbered as the codes they stand for.

// The graph.
enum class ForeKind : std::int32_t { Line = 0, Filled = 1, Pattern = 2, Image = 3 };
// The background.
enum class BackKind : std::int32_t { Plain = 0, Pattern = 1, Image = 2 };  // Plain: one colour
// Which horizontal grid lines are drawn.
enum class HGridLines : std::int32_t { None = 0, Every10 = 1, Every20 = 2, At50 = 3 };
// Which vertical grid lines are drawn.
enum class VGridLines : std::int32_t {
    None = 0,
    EveryMinute = 1,
    Every5Minutes = 2,
    Every10Minutes = 3
};
// The pen of the grid lines.
enum class LinePen : std::int32_t { Solid = 0, Dashed = 1, Dotted = 2 };
// How the grid lines meet the graph.
enum class LineMode : std::int32_t { UnderGraph = 0, OverGraph = 1, Merged = 2 };
// The text of the current usage.
enum class TextKind : std::int32_t { None = 0, Shown = 1, Edged = 2 };
// The place of the text in a 3 x 3 grid, row by row from the top left.
enum class TextPlace : std::int32_t {
    TopLeft = 0,
    Top = 1,
    TopRight = 2,
    Left = 3,
    Centre = 4,
    Right = 5,
    BottomLeft = 6,
    Bottom = 7,
    BottomRight = 8,
};

// Every graph but the line draws columns (a number past the named ones too, none below them).
constexpr bool FillsColumns(ForeKind kind) {
    return static_cast<std::int32_t>(kind) >= static_cast<std::int32_t>(ForeKind::Filled);
}

struct GridCell {
    std::int32_t column;  // 0 left, 1 centre, 2 right
    std::int32_t row;     // 0 top, 1 middle, 2 bottom
};
// The cell of a text place; a place outside the grid is the bottom right.
constexpr GridCell CellOf(TextPlace place) {
    std::int32_t index = static_cast<std::int32_t>(place);
    if (index < 0 || index > static_cast<std::int32_t>(TextPlace::BottomRight)) {
        index = static_cast<std::int32_t>(TextPlace::BottomRight);
    }
    return {index % 3, index / 3};
}

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
    VGridLines GraphVType = VGridLines::None;
    LinePen GraphVLineType = LinePen::Solid;
    HGridLines GraphHType = HGridLines::None;
    LinePen GraphHLineType = LinePen::Solid;
    LineMode GraphHLineMode = LineMode::UnderGraph;
    LineMode GraphVLineMode = LineMode::UnderGraph;
    std::int32_t GraphVColor1 = 0;
    std::int32_t GraphVColor2 = 0;
    std::int32_t GraphVColor3 = 0;
    std::int32_t GraphHColor1 = 0;
    std::int32_t GraphHColor2 = 0;
    std::int32_t GraphHColor3 = 0;
    TextKind TextType = TextKind::None;
    FontRecord TextFont;
    TextPlace TextPosition = TextPlace::TopLeft;
    std::int32_t TextColor1 = 0;
    std::int32_t TextColor2 = 0;
    std::int32_t TextColor3 = 0;
    std::string TextPrefix;
    std::string TextSuffix;
    BackKind BackType = BackKind::Plain;
    std::int32_t BackColor = 0;
    std::int32_t BackNo = 0;
    std::string BackName;
    ForeKind ForeType = ForeKind::Line;
    std::int32_t ForeColor1 = 0;
    std::int32_t ForeColor2 = 0;
    std::int32_t ForeColor3 = 0;
    std::int32_t ForeNo = 0;
    std::string ForeName;
    std::int32_t ForeEdge = 0;      // 1: a graph of columns gets its line as well
    std::int32_t ForePosition = 0;  // not 0: the tone is squeezed into each column

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

// The user's Themes folder, ProgramFolder() + "Themes", without a trailing separator: where
// themes are saved, and the folder the save dialog offers.
std::string ThemesFolder();
// The shipped Themes folder, DataFolder() + "Themes"; the same folder when the program is
// portable.
std::string ShippedThemesFolder();
// Folders that theme files, images and the pattern strip are read from, in the order they are
// searched: a name is the file of the first folder that holds one, else the last folder's.
using ThemeFolders = std::vector<std::string>;
// The file `name` of `folders` by that rule; "" when there are no folders.
std::string FindThemeFile(const ThemeFolders& folders, std::string_view name);
// The program's Themes folders: the user's, then the shipped one (the one folder when portable).
ThemeFolders ProgramThemeFolders();
// A file of the program's Themes folders (a theme, an image, the pattern strip): the user's file
// of that name when there is one, else the shipped one.
std::string ThemeFilePath(std::string_view name);
// The pattern strip "Pattern.dat", found as ThemeFilePath finds files.
std::string PatternFilePath();
// Where the theme of `name` is read from: "" is the custom theme "Moravel.tm" in the user's
// folder; any other name is found by ThemeFilePath.
std::string ThemeReadPath(std::string_view name);
// Where it is written: "" is the custom theme, a name holding a separator is a full path, any
// other name is a file in the user's Themes folder.
std::string ThemeWritePath(std::string_view name);

bool LoadThemeFile(ThemeRecord& theme, const std::string& path);
// Stamps `version` into `theme` and replaces the file at `path` with it. Returns the bytes written
// or -1.
std::int32_t SaveThemeFile(ThemeRecord& theme, const std::string& path,
                           const ProgramVersion& version);

// Defaults, then the theme of `name`; returns `found`.
bool LoadTheme(ThemeRecord& theme, std::string_view name);
// The same as SaveThemeFile, to where the theme of `name` is written; a missing user's folder or
// user's Themes folder is made first.
std::int32_t SaveTheme(ThemeRecord& theme, std::string_view name, const ProgramVersion& version);

}  // namespace moravel
