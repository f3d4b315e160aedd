#include <gtest/gtest.h>

#include "core/config/Config.h"
#include "core/config/Settings.h"
#include "core/os/Encoding.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::ScopedProgramFolder;
using test::TempFolder;
using test::WriteBytes;

SettingsRecord Parse(std::string_view text) {
    SettingsRecord record;
    SetDefaultSettings(record);
    ParseSettingsText(text, record);
    return record;
}

TEST(Settings, Defaults) {
    SettingsRecord record;
    record.Cycle = 9;
    SetDefaultSettings(record);
    EXPECT_EQ(record.Width, -1);
    EXPECT_EQ(record.Height, -1);
    EXPECT_EQ(record.ThemeName, "graph.tm");
    EXPECT_EQ(record.Cycle, 1);
    EXPECT_EQ(record.Top, 0);
    EXPECT_EQ(record.Left, 0);
    EXPECT_EQ(record.State, WindowState::Shown);
    EXPECT_EQ(record.TopMost, TopMostMode::Normal);
    EXPECT_EQ(record.IconGraphMode, TrayIconMode::Off);
    EXPECT_EQ(record.Version, "");
    EXPECT_EQ(FormatVersion(1, 1, 0), "1.1.0");
}

TEST(Settings, WritesTheExampleFileByteForByte) {
    TempFolder folder;
    ScopedProgramFolder home(folder.path());
    EXPECT_EQ(SettingsFilePath(), folder.File("Moravel.ini"));
    SettingsRecord record;
    SetDefaultSettings(record);
    record.Version = "0.9";
    SaveSettings(record, SettingsFilePath(), kBuildVersion);
    EXPECT_EQ(record.Version, "1.1.0");
    EXPECT_EQ(ReadBytes(folder.File("Moravel.ini")),
              "[Settings]\r\nVersion=1.1.0\r\nTop=0\r\nLeft=0\r\nWidth=-1\r\nHeight=-1\r\n"
              "TopMost=0\r\nState=0\r\nCycle=1\r\nIconGraphMode=0\r\nThemeName=\"graph.tm\"\r\n");
    // The version written is the one handed over.
    SaveSettings(record, folder.File("other.ini"), ProgramVersion{2, 0, 17});
    EXPECT_EQ(record.Version, "2.0.17");
    EXPECT_EQ(ReadBytes(folder.File("other.ini")).substr(0, 28),
              "[Settings]\r\nVersion=2.0.17\r\n");
}

TEST(Settings, LineRules) {
    // A last line without CR LF is not read.
    EXPECT_EQ(Parse("[Settings]\r\nThemeName=\"x.tm\"").ThemeName, "graph.tm");
    // Section lines: compared lower-cased and untrimmed.
    EXPECT_EQ(Parse("[SETTINGS]\r\nCycle=5\r\n").Cycle, 5);
    EXPECT_EQ(Parse(" [Settings]\r\nCycle=5\r\n").Cycle, 1);
    EXPECT_EQ(Parse("[Settings]\r\nCycle=3\r\n[Settings] \r\nCycle=5\r\n").Cycle, 3);
    // Keys and values trimmed, keys compared lower-cased.
    EXPECT_EQ(Parse("[Settings]\r\n  Cycle  =  5  \r\n").Cycle, 5);
    EXPECT_EQ(Parse("[Settings]\r\nCYCLE=5\r\n").Cycle, 5);
    // A lone LF does not end a line: "Cycle=5\nTop=7" is one line whose value is not a number.
    const SettingsRecord lf = Parse("[Settings]\r\nCycle=5\nTop=7\r\n");
    EXPECT_EQ(lf.Cycle, 1);
    EXPECT_EQ(lf.Top, 0);
    // Keys outside the section are ignored; the section may come again.
    const SettingsRecord sections = Parse(
        "Cycle=2\r\n[Theme]\r\nCycle=3\r\n[Settings]\r\nTop=4\r\n[x]\r\nLeft=1\r\n"
        "[settings]\r\nLeft=6\r\n");
    EXPECT_EQ(sections.Cycle, 1);
    EXPECT_EQ(sections.Top, 4);
    EXPECT_EQ(sections.Left, 6);
    // A repeated key overrides; an unknown key and a line without "=" are ignored.
    EXPECT_EQ(Parse("[Settings]\r\nCycle=2\r\nfoo=1\r\nnoequals\r\nCycle=10\r\n").Cycle, 10);
    EXPECT_EQ(Parse("[Settings]\r\nTop=&H10\r\n").Top, 16);
}

TEST(Settings, ThemeNameQuoting) {
    EXPECT_EQ(Parse("[Settings]\r\nThemeName=\"\"\r\n").ThemeName, "");
    EXPECT_EQ(Parse("[Settings]\r\nThemeName=\"\r\n").ThemeName, "\"");
    EXPECT_EQ(Parse("[Settings]\r\nThemeName=a b.tm\r\n").ThemeName, "a b.tm");
    EXPECT_EQ(Parse("[Settings]\r\nThemeName= \"a b.tm\" \r\n").ThemeName, "a b.tm");
    EXPECT_EQ(Parse("[Settings]\r\nThemeName=\"a\"b\".tm\"\r\n").ThemeName, "a\"b\".tm");
}

TEST(Settings, ANumberThatDoesNotParseKeepsTheEarlierValue) {
    const SettingsRecord record =
        Parse("[Settings]\r\nCycle=\r\nTop=abc\r\nLeft=3\r\nLeft=99999999999\r\nWidth=1.5\r\n");
    EXPECT_EQ(record.Cycle, 1);
    EXPECT_EQ(record.Top, 0);
    EXPECT_EQ(record.Left, 3);
    EXPECT_EQ(record.Width, -1);
}

TEST(Settings, EveryFieldSurvivesSaveAndLoad) {
    TempFolder folder;
    SettingsRecord record;
    SetDefaultSettings(record);
    record.Top = -20;
    record.Left = 1600;
    record.Width = 300;
    record.Height = 100;
    record.TopMost = TopMostMode::OnTop;
    record.State = WindowState::Hidden;
    record.Cycle = 180;
    record.IconGraphMode = TrayIconMode::Meter2;
    record.ThemeName = " 緑の\"線\".tm ";
    record.CpuFigure = UsageFigure::ProcessorUtility;
    ASSERT_GT(SaveSettings(record, folder.File("s.ini"), kBuildVersion), 0);
    SettingsRecord back;
    LoadSettings(back, folder.File("s.ini"));
    EXPECT_EQ(back, record);
}

TEST(Settings, CodesOutsideTheirNamesAreWrittenBackAsTheyWereRead) {
    // Hand-edited numbers that no name stands for, in decimal and in the "&H" form.
    const std::string text =
        "[Settings]\r\nVersion=1.1.0\r\nTop=0\r\nLeft=0\r\nWidth=-1\r\nHeight=-1\r\n"
        "TopMost=-7\r\nState=&H7FFFFFFF\r\nCycle=1\r\nIconGraphMode=-2147483648\r\n"
        "ThemeName=\"graph.tm\"\r\n";
    const SettingsRecord record = Parse(text);
    EXPECT_EQ(static_cast<std::int32_t>(record.TopMost), -7);
    EXPECT_EQ(static_cast<std::int32_t>(record.State), 2147483647);
    EXPECT_EQ(static_cast<std::int32_t>(record.IconGraphMode), -2147483647 - 1);
    EXPECT_EQ(FormatSettingsText(record),
              "[Settings]\r\nVersion=1.1.0\r\nTop=0\r\nLeft=0\r\nWidth=-1\r\nHeight=-1\r\n"
              "TopMost=-7\r\nState=2147483647\r\nCycle=1\r\nIconGraphMode=-2147483648\r\n"
              "ThemeName=\"graph.tm\"\r\n");

    // Through the files, byte for byte.
    TempFolder folder;
    const std::string edited =
        "[Settings]\r\nVersion=1.1.0\r\nTop=0\r\nLeft=0\r\nWidth=-1\r\n"
        "Height=-1\r\nTopMost=2\r\nState=2\r\nCycle=1\r\n"
        "IconGraphMode=9\r\nThemeName=\"graph.tm\"\r\n";
    WriteBytes(folder.File("in.ini"), edited);
    SettingsRecord loaded;
    LoadSettings(loaded, folder.File("in.ini"));
    ASSERT_GT(SaveSettings(loaded, folder.File("out.ini"), kBuildVersion), 0);
    EXPECT_EQ(ReadBytes(folder.File("out.ini")), edited);
}

// Keys of later releases: their lines follow the earlier keys, and only while they differ from
// their defaults, so the default settings are written as before they came.
TEST(Settings, LaterKeysAreWrittenLastAndOnlyWhenNotDefault) {
    const std::string before =
        "[Settings]\r\nVersion=1.1.0\r\nTop=0\r\nLeft=0\r\nWidth=-1\r\nHeight=-1\r\n"
        "TopMost=0\r\nState=0\r\nCycle=1\r\nIconGraphMode=0\r\nThemeName=\"graph.tm\"\r\n";
    const struct {
        const char* read;
        const char* written;
    } cases[] = {
        {"", ""},
        {"CpuFigure=0\r\n", ""},
        {"CpuFigure=1\r\n", "CpuFigure=1\r\n"},
        {"cpufigure = &H7\r\n", "CpuFigure=7\r\n"},  // a code no name stands for
        {"CpuFigure=-1\r\n", "CpuFigure=-1\r\n"},
        {"CpuView=0\r\n", ""},
        {"CpuView=1\r\n", "CpuView=1\r\n"},
        {"CpuView=1\r\nCpuFigure=1\r\n", "CpuFigure=1\r\nCpuView=1\r\n"},
        {"cpuview=&H2\r\n", "CpuView=2\r\n"},
        {"AlertPercent=0\r\nAlertSeconds=30\r\n", ""},
        {"alertseconds=5\r\nAlertPercent=90\r\n", "AlertPercent=90\r\nAlertSeconds=5\r\n"},
        {"AlertSeconds=0\r\n", "AlertSeconds=0\r\n"},
        {"CpuFigure=1\r\nAlertPercent=-3\r\n", "CpuFigure=1\r\nAlertPercent=-3\r\n"},
        {"AlertPercent=x\r\n", ""},
        {"Language=\r\n", ""},
        {"language = en \r\n", "Language=en\r\n"},
        {"Language=ja\r\nCpuFigure=1\r\n", "CpuFigure=1\r\nLanguage=ja\r\n"},
        {"Language=fr\r\n", "Language=fr\r\n"},  // kept, though it chooses the system's
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read);
        // Read before the other keys, written after them.
        const SettingsRecord record =
            Parse("[Settings]\r\n" + std::string(c.read) +
                  before.substr(std::string_view("[Settings]\r\n").size()));
        EXPECT_EQ(FormatSettingsText(record), before + c.written);
    }
    EXPECT_FALSE(AsksProcessorUtility(Parse("[Settings]\r\nCpuFigure=7\r\n").CpuFigure));
    EXPECT_TRUE(AsksProcessorUtility(Parse("[Settings]\r\nCpuFigure=1\r\n").CpuFigure));
    EXPECT_FALSE(ShowsProcessors(Parse("[Settings]\r\nCpuView=2\r\n").CpuView));
    EXPECT_TRUE(ShowsProcessors(Parse("[Settings]\r\nCpuView=1\r\n").CpuView));
}

TEST(Settings, OneRuleForEachCode) {
    // Only 1 hides the window; only 0 leaves it below others; only 1..4 draw the tray's picture.
    for (const std::int32_t n : {0, 2, -1, 7}) {
        EXPECT_FALSE(IsHidden(static_cast<WindowState>(n))) << n;
    }
    EXPECT_TRUE(IsHidden(WindowState::Hidden));
    EXPECT_FALSE(KeepsOnTop(TopMostMode::Normal));
    for (const std::int32_t n : {1, 2, -1}) {
        EXPECT_TRUE(KeepsOnTop(static_cast<TopMostMode>(n))) << n;
    }
    for (const std::int32_t n : {-1, 0, 5}) {
        EXPECT_FALSE(ShowsIconGraph(static_cast<TrayIconMode>(n))) << n;
    }
    for (const std::int32_t n : {1, 2, 3, 4}) {
        EXPECT_TRUE(ShowsIconGraph(static_cast<TrayIconMode>(n))) << n;
    }
}

TEST(Settings, MissingOversizedAndBrokenFilesGiveDefaults) {
    TempFolder folder;
    SettingsRecord defaults;
    SetDefaultSettings(defaults);
    SettingsRecord record;
    LoadSettings(record, folder.File("missing.ini"));
    EXPECT_EQ(record, defaults);

    std::string big = "[Settings]\r\nCycle=5\r\n";
    big.resize(1024 * 1024 + 1, ' ');
    WriteBytes(folder.File("big.ini"), big);
    LoadSettings(record, folder.File("big.ini"));
    EXPECT_EQ(record, defaults);

    constexpr char kBinary[] = "\x00\xFF\x81[Settings]\r\n\x80=\x82\r\n";
    WriteBytes(folder.File("bin.ini"), std::string(kBinary, sizeof kBinary - 1));
    LoadSettings(record, folder.File("bin.ini"));
    EXPECT_EQ(record, defaults);
}

TEST(Settings, LoadConfigReadsTheSettingsThenTheirTheme) {
    TempFolder folder;
    ScopedProgramFolder home(folder.path());
    WriteBytes(folder.File("Moravel.ini"), "[Settings]\r\nThemeName=\"\"\r\nCycle=2\r\n");
    WriteBytes(folder.File("Moravel.tm"), "[Theme]\r\nTitle=\"mine\"\r\n");
    SettingsRecord settings;
    ThemeRecord theme;
    EXPECT_TRUE(LoadConfig(settings, theme, SettingsFilePath()));
    EXPECT_EQ(settings.Cycle, 2);
    EXPECT_EQ(theme.Title, "mine");
    settings.Cycle = 30;
    EXPECT_GT(SaveConfig(settings, SettingsFilePath(), kBuildVersion), 0);
    EXPECT_NE(ReadBytes(folder.File("Moravel.ini")).find("Cycle=30\r\n"), std::string::npos);
    // A settings file that names a missing theme: the built-in theme, reported as not found.
    WriteBytes(folder.File("Moravel.ini"), "[Settings]\r\nThemeName=\"gone.tm\"\r\n");
    EXPECT_FALSE(LoadConfig(settings, theme, SettingsFilePath()));
    EXPECT_EQ(theme.Title, "初期値");
}

}  // namespace
}  // namespace moravel
