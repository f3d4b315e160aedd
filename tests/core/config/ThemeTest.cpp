#include <gtest/gtest.h>

#include <filesystem>

#include "core/config/Theme.h"
#include "core/os/Encoding.h"
#include "core/os/Paths.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::ScopedProgramFolder;
using test::TempFolder;
using test::WriteBytes;

ThemeRecord Default() {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    return theme;
}

ThemeRecord Parse(std::string_view text, bool* found = nullptr) {
    ThemeRecord theme;
    const bool f = ParseThemeText(text, theme);
    if (found) {
        *found = f;
    }
    return theme;
}

// The built-in default theme as this release writes it, in UTF-8 (the file holds CP932).
constexpr std::string_view kDefaultThemeText =
    "[Theme]\r\nVersion=1.1.0\r\nTitle=\"初期値\"\r\n"
    "GraphHType=1\r\nGraphHLineType=2\r\nGraphHLineMode=0\r\n"
    "GraphHColor1=&H00007F00\r\nGraphHColor2=&H00007F7F\r\nGraphHColor3=&H00FFFFFF\r\n"
    "GraphVType=1\r\nGraphVLineType=2\r\nGraphVLineMode=0\r\n"
    "GraphVColor1=&H00007F00\r\nGraphVColor2=&H00007F7F\r\nGraphVColor3=&H00FFFFFF\r\n"
    "TextType=2\r\nTextFont.Name=\"ＭＳ ゴシック\"\r\nTextFont.Size=14\r\nTextFont.Style=0\r\n"
    "TextPosition=2\r\n"
    "TextColor1=&H007F7F7F\r\nTextColor2=&H00FFFFFF\r\nTextColor3=&H00000000\r\n"
    "TextPrefix=\"\"\r\nTextSuffix=\" %\"\r\n"
    "ForeType=1\r\nForeEdge=0\r\n"
    "ForeColor1=&H0000FF00\r\nForeColor2=&H0000BF00\r\nForeColor3=&H00007F00\r\n"
    "ForeNo=0\r\nForeName=\"\"\r\nForePosition=0\r\n"
    "BackType=0\r\nBackColor=&H00000000\r\nBackNo=0\r\nBackName=\"\"\r\n";

TEST(Theme, TheDefaultThemeIsWrittenByteForByte) {
    TempFolder folder;
    ScopedProgramFolder home(folder.path());
    std::filesystem::create_directory(folder.File("Themes"));
    ThemeRecord theme = Default();
    SaveTheme(theme, "graph.tm", kBuildVersion);
    EXPECT_EQ(theme.Version, "1.1.0");
    const std::string bytes = ReadBytes(folder.File("Themes/graph.tm"));
    EXPECT_EQ(bytes, Utf8ToAnsi(kDefaultThemeText));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 37);
    // The Title and the font face are CP932 bytes on disk.
    EXPECT_NE(bytes.find("Title=\"\x8F\x89\x8A\xFA\x92\x6C\"\r\n"), std::string::npos);
}

TEST(Theme, SectionAndFound) {
    bool found = true;
    EXPECT_EQ(Parse("", &found), Default());
    EXPECT_FALSE(found);
    EXPECT_EQ(Parse("[Theme]\r\n", &found), Default());
    EXPECT_TRUE(found);
    Parse("[Theme]", &found);
    EXPECT_FALSE(found);
    Parse("[Settings]\r\nTitle=x\r\n", &found);
    EXPECT_FALSE(found);
    Parse("[theme]\r\n[other]\r\n", &found);
    EXPECT_TRUE(found);  // stays true once read
}

TEST(Theme, ValueRules) {
    EXPECT_EQ(Parse("[theme]\r\nTITLE = \"緑\"\r\n").Title, "緑");
    EXPECT_EQ(Parse("[Theme]\r\nTextSuffix=\" %\"\r\n").TextSuffix, " %");
    EXPECT_EQ(Parse("[Theme]\r\nTextSuffix= %\r\n").TextSuffix, "%");
    EXPECT_EQ(Parse("[Theme]\r\nBackColor=255\r\n").BackColor, 255);
    EXPECT_EQ(Parse("[Theme]\r\nBackColor=&H000000FF\r\n").BackColor, 255);
    EXPECT_EQ(Parse("[Theme]\r\nBackColor=&H8000000F\r\n").BackColor,
              static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(Parse("[Theme]\r\nTextFont.Size=10.5\r\n").TextFont.Size, 10.5);
    EXPECT_EQ(Parse("[Theme]\r\nTextFont.Size=10,5\r\n").TextFont.Size, 14);
    EXPECT_EQ(Parse("[Theme]\r\nTextFont.Size=nan\r\n").TextFont.Size, 14);
    EXPECT_EQ(Parse("[Theme]\r\nForeType=x\r\nForeType=3\r\nForeType=\r\n").ForeType,
              ForeKind::Image);
}

TEST(Theme, EveryFieldSurvivesWriteThenRead) {
    TempFolder folder;
    ThemeRecord theme = Default();
    theme.Title = " \"引用\" と 空白 ";
    theme.TextPrefix = "  CPU ";
    theme.TextSuffix = "\"%\"";
    theme.TextFont = {" IPAGothic ", 10.5, kFontBold | kFontStrikeOut};
    theme.BackName = "a \"b\".bmp";
    theme.ForeName = " ";
    theme.GraphVType = VGridLines::Every10Minutes;
    theme.GraphVLineType = LinePen::Dashed;
    theme.GraphHType = HGridLines::At50;
    theme.GraphHLineType = LinePen::Solid;
    theme.GraphHLineMode = LineMode::Merged;
    theme.GraphVLineMode = LineMode::OverGraph;
    theme.GraphVColor1 = static_cast<std::int32_t>(0x8000000F);
    theme.GraphVColor2 = 1;
    theme.GraphVColor3 = 2;
    theme.GraphHColor1 = 3;
    theme.GraphHColor2 = 4;
    theme.GraphHColor3 = 5;
    theme.TextType = TextKind::Shown;
    theme.TextPosition = TextPlace::BottomRight;
    theme.TextColor1 = 6;
    theme.TextColor2 = 7;
    theme.TextColor3 = -8;
    theme.BackType = BackKind::Image;
    theme.BackColor = 0x123456;
    theme.BackNo = 23;
    theme.ForeType = ForeKind::Image;
    theme.ForeColor1 = 9;
    theme.ForeColor2 = 10;
    theme.ForeColor3 = 11;
    theme.ForeNo = 17;
    theme.ForeEdge = 1;
    theme.ForePosition = 1;
    ASSERT_GT(SaveThemeFile(theme, folder.File("t.tm"), kBuildVersion), 0);
    ThemeRecord back;
    EXPECT_TRUE(LoadThemeFile(back, folder.File("t.tm")));
    EXPECT_FALSE(ThemesDiffer(back, theme));
}

TEST(Theme, CodesOutsideTheirNamesAreWrittenBackAsTheyWereRead) {
    // A hand-edited file: every code a number that no name stands for.
    std::string edited(kDefaultThemeText);
    const std::pair<std::string_view, std::string_view> codes[] = {
        {"GraphHType=1", "GraphHType=4"},
        {"GraphHLineType=2", "GraphHLineType=-1"},
        {"GraphHLineMode=0", "GraphHLineMode=3"},
        {"GraphVType=1", "GraphVType=2147483647"},
        {"GraphVLineType=2", "GraphVLineType=9"},
        {"GraphVLineMode=0", "GraphVLineMode=-5"},
        {"TextType=2", "TextType=3"},
        {"TextPosition=2", "TextPosition=-2147483648"},
        {"ForeType=1", "ForeType=4"},
        {"BackType=0", "BackType=-3"},
    };
    for (const auto& [from, to] : codes) {
        const std::size_t at = edited.find(std::string(from) + "\r\n");
        ASSERT_NE(at, std::string::npos) << from;
        edited.replace(at, from.size(), to);
    }
    const ThemeRecord theme = Parse(edited);
    EXPECT_EQ(static_cast<std::int32_t>(theme.GraphVType), 2147483647);
    EXPECT_EQ(static_cast<std::int32_t>(theme.TextPosition), -2147483647 - 1);
    EXPECT_EQ(FormatThemeText(theme), edited);

    // Through the files, byte for byte, in the "&H" form too.
    TempFolder folder;
    WriteBytes(folder.File("in.tm"), Utf8ToAnsi(edited));
    ThemeRecord loaded;
    ASSERT_TRUE(LoadThemeFile(loaded, folder.File("in.tm")));
    ASSERT_GT(SaveThemeFile(loaded, folder.File("out.tm"), kBuildVersion), 0);
    EXPECT_EQ(ReadBytes(folder.File("out.tm")), Utf8ToAnsi(edited));
    EXPECT_EQ(Parse("[Theme]\r\nForeType=&HFFFFFFFF\r\n").ForeType, static_cast<ForeKind>(-1));
}

TEST(Theme, ThemesDifferComparesEveryField) {
    ThemeRecord a = Default();
    ThemeRecord b = a;
    EXPECT_FALSE(ThemesDiffer(a, b));
    b.Version = "1.0.0";
    EXPECT_TRUE(ThemesDiffer(a, b));
    b = a;
    b.TextFont.Size = 14.000001;
    EXPECT_TRUE(ThemesDiffer(a, b));
    b = a;
    b.Title = "初期値 ";
    EXPECT_TRUE(ThemesDiffer(a, b));

    TempFolder folder;
    b = a;
    SaveThemeFile(b, folder.File("x.tm"), kBuildVersion);  // stamps the version into b
    EXPECT_TRUE(ThemesDiffer(a, b));
}

TEST(Theme, WhereThemeFilesAre) {
    TempFolder folder;
    ScopedProgramFolder home(folder.path());
    EXPECT_EQ(ThemesFolder(), folder.File("Themes"));
    EXPECT_EQ(ProgramThemeFolders(), ThemeFolders{folder.File("Themes")});
    EXPECT_EQ(PatternFilePath(), JoinPath(folder.File("Themes"), "Pattern.dat"));
    EXPECT_EQ(ThemeReadPath(""), folder.File("Moravel.tm"));
    EXPECT_EQ(ThemeReadPath("a.tm"), JoinPath(folder.File("Themes"), "a.tm"));
    EXPECT_EQ(ThemeWritePath(folder.File("elsewhere.tm")), folder.File("elsewhere.tm"));

    // The custom theme works without a Themes folder.
    ThemeRecord custom = Default();
    custom.Title = "custom";
    SaveTheme(custom, "", kBuildVersion);
    ThemeRecord back;
    EXPECT_TRUE(LoadTheme(back, ""));
    EXPECT_EQ(back.Title, "custom");
    EXPECT_FALSE(LoadTheme(back, "missing.tm"));
    EXPECT_EQ(back, Default());
}

TEST(Theme, AFileOfTheThemeFoldersIsTheFirstFoldersThatHoldsOneElseTheLasts) {
    TempFolder folder;
    const std::string a = folder.File("a");
    const std::string b = folder.File("b");
    const std::string c = folder.File("c");
    WriteBytes(JoinPath(b, "x.bmp"), "x");
    WriteBytes(JoinPath(c, "x.bmp"), "x");
    std::filesystem::create_directories(JoinPath(a, "y.bmp"));  // a folder is not a file
    struct Case {
        ThemeFolders folders;
        const char* name;
        std::string found;
    };
    const Case cases[] = {
        {{a, b, c}, "x.bmp", JoinPath(b, "x.bmp")},
        {{a, b}, "y.bmp", JoinPath(b, "y.bmp")},  // in none of them: the last folder's
        {{a}, "x.bmp", JoinPath(a, "x.bmp")},
        {{}, "x.bmp", ""},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(FindThemeFile(row.folders, row.name), row.found)
            << row.folders.size() << " " << row.name;
    }
}

// The shipped themes are CP932 files: their titles read right and their bytes come back
// unchanged whatever the system's code page (the cross build runs this on a Western one too).
TEST(Theme, ShippedThemesReadAndWriteTheirOwnBytes) {
    const struct {
        std::string_view file;
        std::string_view title;
    } shipped[] = {
        {"brick.tm", "レンガ"},  {"glacier.tm", "氷河"},
        {"graph.tm", "初期値"},  {"lcd.tm", "液晶"},
        {"line.tm", "折線"},     {"meter.tm", "レベルメーター"},
        {"night.tm", "夜景"},    {"paper.tm", "方眼紙"},
        {"rainbow.tm", "虹色"},  {"scope.tm", "オシロスコープ"},
        {"sunset.tm", "夕焼け"},
    };
    for (const auto& [file, title] : shipped) {
        const std::string path =
            std::string(MORAVEL_SOURCE_DIR "/data/Themes/") + std::string(file);
        ThemeRecord theme;
        ASSERT_TRUE(LoadThemeFile(theme, path)) << file;
        EXPECT_EQ(theme.Title, title) << file;
        EXPECT_EQ(theme.TextFont.Name.rfind("ＭＳ ", 0), 0u) << file;
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(bytes)), bytes) << file;
    }
}

}  // namespace
}  // namespace moravel
