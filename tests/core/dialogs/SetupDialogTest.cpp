#include <gtest/gtest.h>

#include <filesystem>

#include "core/dialogs/SetupDialog.h"
#include "core/os/Encoding.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "core/os/TextFile.h"
#include "support/FakeAutostart.h"
#include "support/FakePrompts.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::ScopedProgramFolder;
using test::ScriptedFileDialog;
using test::ScriptedMessages;
using test::TempFolder;
using test::WriteBytes;

class Setup : public ::testing::Test {
  protected:
    Setup() : home_(folder_.path()), comDlg_(files_), dialog_(program_) {
        std::filesystem::create_directory(folder_.File("Themes"));
        SetDefaultSettings(settings_);
        SetDefaultTheme(current_);
    }
    std::string Themes(std::string_view name) const {
        return JoinPath(folder_.File("Themes"), name);
    }
    // A theme file whose BackColor tells it apart.
    static std::string ThemeText(std::string_view title, int backColor) {
        return Utf8ToAnsi("[Theme]\r\nTitle=\"" + std::string(title) +
                          "\"\r\nBackColor=" + std::to_string(backColor) + "\r\n");
    }
    void Theme(std::string_view name, std::string_view title, int backColor) {
        WriteBytes(Themes(name), ThemeText(title, backColor));
    }
    void Custom(std::string_view title, int backColor) {
        WriteBytes(folder_.File("Moravel.tm"), ThemeText(title, backColor));
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const ThemeListItem& item : dialog_.themeItems) {
            rows.push_back(item.text);
        }
        return rows;
    }
    std::string SelectedText() const {
        return dialog_.themeRow < 0
                   ? std::string("(none)")
                   : dialog_.themeItems[static_cast<std::size_t>(dialog_.themeRow)].text;
    }
    std::int32_t RowOf(std::string_view text) const {
        for (std::size_t i = 0; i < dialog_.themeItems.size(); ++i) {
            if (dialog_.themeItems[i].text == text) {
                return static_cast<std::int32_t>(i);
            }
        }
        ADD_FAILURE() << "no row " << text;
        return -1;
    }

    TempFolder folder_;
    ScopedProgramFolder home_;
    ProgramState program_;
    SettingsRecord& settings_ = program_.settings;
    ThemeRecord& current_ = program_.currentTheme;
    ScriptedFileDialog files_;
    ScriptedMessages messages_;
    clsComDlg comDlg_;
    SetupDialog dialog_;
};

TEST(SetupDialogList, SortedByTextWithTheCustomThemeMarked) {
    const std::vector<std::string> names = {"", "b.tm", "a.tm", "c.tm", "d.tm"};
    const std::vector<std::string> titles = {"mine", "Zebra", "apple", "Apple", "夕焼け"};
    const std::vector<ThemeListItem> items = SortedThemeItems(names, titles, 5);
    EXPECT_EQ(items, (std::vector<ThemeListItem>{{"apple", 2},
                                                 {"Apple", 3},  // equal text keeps listing order
                                                 {"mine （カスタム）", 0},
                                                 {"Zebra", 1},
                                                 {"夕焼け", 4}}));
    // Only `count` entries are rows: the arrays may hold more from an earlier listing.
    EXPECT_EQ(SortedThemeItems(names, titles, 2).size(), 2u);
    EXPECT_TRUE(SortedThemeItems(names, titles, 0).empty());
}

TEST_F(Setup, OpensOnTheSettingsThemeWithoutReadingIt) {
    Theme("graph.tm", "初期値", 100);
    Theme("sunset.tm", "夕焼け", 200);
    settings_.ThemeName = "graph.tm";
    current_.BackColor = 7;  // what the program draws now, whatever the file holds
    dialog_.Load();

    EXPECT_EQ(Rows(), (std::vector<std::string>{"初期値", "夕焼け"}));
    EXPECT_EQ(SelectedText(), "初期値");
    EXPECT_EQ(dialog_.themeNameLabel, "graph.tm");
    EXPECT_TRUE(dialog_.deleteEnabled);
    EXPECT_EQ(dialog_.workingName, "graph.tm");
    EXPECT_EQ(dialog_.workingTheme.BackColor, 7);
    EXPECT_FALSE(dialog_.loading);

    // Picking a row reads its file; OK hands it to the program.
    dialog_.SelectThemeRow(RowOf("夕焼け"));
    EXPECT_EQ(dialog_.workingName, "sunset.tm");
    EXPECT_EQ(dialog_.workingTheme.BackColor, 200);
    EXPECT_EQ(dialog_.themeNameLabel, "sunset.tm");
    dialog_.ApplySettings();
    EXPECT_EQ(settings_.ThemeName, "sunset.tm");
    EXPECT_EQ(current_.BackColor, 200);
    EXPECT_EQ(current_.Title, "夕焼け");
}

TEST_F(Setup, TheCustomThemeCannotBeDeleted) {
    Theme("graph.tm", "初期値", 100);
    Custom("わたしの", 300);
    settings_.ThemeName = "";
    dialog_.Load();
    EXPECT_EQ(SelectedText(), "わたしの （カスタム）");
    EXPECT_EQ(dialog_.themeNameLabel, "");
    EXPECT_FALSE(dialog_.deleteEnabled);
    EXPECT_FALSE(dialog_.DeleteSelected(messages_));
    EXPECT_TRUE(messages_.asked.empty());
    EXPECT_TRUE(IsFile(folder_.File("Moravel.tm")));

    dialog_.SelectThemeRow(RowOf("初期値"));
    EXPECT_TRUE(dialog_.deleteEnabled);
    EXPECT_EQ(dialog_.themeNameLabel, "graph.tm");
}

TEST_F(Setup, AVanishedSettingsThemeStaysUntilAnotherIsPicked) {
    Theme("graph.tm", "初期値", 100);
    Custom("わたしの", 300);
    settings_.ThemeName = "gone.tm";
    current_.BackColor = 7;
    dialog_.Load();
    // The first listed theme (the custom one) shows selected but is not read.
    EXPECT_EQ(SelectedText(), "わたしの （カスタム）");
    EXPECT_EQ(dialog_.workingName, "gone.tm");
    EXPECT_EQ(dialog_.workingTheme.BackColor, 7);
    dialog_.ApplySettings();
    EXPECT_EQ(settings_.ThemeName, "gone.tm");
    EXPECT_EQ(current_.BackColor, 7);

    // A theme file that vanished after the listing leaves the working theme alone too.
    std::filesystem::remove(Themes("graph.tm"));
    dialog_.SelectThemeRow(RowOf("初期値"));
    EXPECT_EQ(dialog_.workingName, "gone.tm");
    EXPECT_EQ(dialog_.workingTheme.BackColor, 7);
}

TEST_F(Setup, CycleOutsideTheListShowsAndStoresOneSecond) {
    settings_.Cycle = 7;
    dialog_.Load();
    EXPECT_EQ(dialog_.cycleRow, 0);
    dialog_.ApplySettings();
    EXPECT_EQ(settings_.Cycle, 1);

    settings_.Cycle = 120;
    dialog_.Load();
    EXPECT_EQ(dialog_.cycleRow, 8);
    EXPECT_EQ(kCycleChoices[static_cast<std::size_t>(dialog_.cycleRow)].text, "2 分");
    dialog_.cycleRow = 9;
    dialog_.ApplySettings();
    EXPECT_EQ(settings_.Cycle, 180);
}

TEST_F(Setup, TrayIconBoxAndModes) {
    // Unchecked at 0: the options are disabled and keep メーター1; checking it stores 2.
    settings_.IconGraphMode = TrayIconMode::Off;
    dialog_.Load();
    EXPECT_FALSE(dialog_.iconGraphChecked);
    EXPECT_FALSE(dialog_.IconModesEnabled());
    EXPECT_EQ(dialog_.SelectedIconMode(), TrayIconMode::Meter1);
    dialog_.SetIconGraph(true);
    EXPECT_TRUE(dialog_.IconModesEnabled());
    dialog_.ApplySettings();
    EXPECT_EQ(settings_.IconGraphMode, TrayIconMode::Meter1);

    // Each mode shows its own button; unchecking stores 0 but keeps the button chosen.
    for (const TrayIconMode mode :
         {TrayIconMode::Graph, TrayIconMode::Meter1, TrayIconMode::Meter2, TrayIconMode::Number}) {
        SetupDialog fresh(program_);
        settings_.IconGraphMode = mode;
        fresh.Load();
        EXPECT_TRUE(fresh.iconGraphChecked);
        EXPECT_EQ(fresh.SelectedIconMode(), mode);
        fresh.SetIconGraph(false);
        EXPECT_EQ(fresh.SelectedIconMode(), mode);
        fresh.ApplySettings();
        EXPECT_EQ(settings_.IconGraphMode, TrayIconMode::Off);
    }

    // A mode that names no button shows as 0.
    for (const std::int32_t mode : {-1, 5, 99}) {
        SetupDialog fresh(program_);
        settings_.IconGraphMode = static_cast<TrayIconMode>(mode);
        fresh.Load();
        EXPECT_FALSE(fresh.iconGraphChecked);
        EXPECT_EQ(fresh.SelectedIconMode(), TrayIconMode::Meter1);
        fresh.ApplySettings();
        EXPECT_EQ(settings_.IconGraphMode, TrayIconMode::Off);
    }
    dialog_.SelectIconMode(IconModeOption(TrayIconMode::Graph));
    dialog_.ApplySettings();
    EXPECT_EQ(settings_.IconGraphMode, TrayIconMode::Graph);
}

TEST_F(Setup, ApplyIsTheOnlyWayIntoTheProgram) {
    Theme("graph.tm", "初期値", 100);
    Theme("sunset.tm", "夕焼け", 200);
    settings_.ThemeName = "graph.tm";
    settings_.TopMost = TopMostMode::Normal;
    dialog_.Load();
    EXPECT_FALSE(dialog_.topMost);
    dialog_.topMost = true;
    dialog_.SelectThemeRow(RowOf("夕焼け"));
    EXPECT_EQ(settings_.TopMost, TopMostMode::Normal);
    EXPECT_EQ(settings_.ThemeName, "graph.tm");

    dialog_.ApplySettings();  // 更新
    EXPECT_EQ(settings_.TopMost, TopMostMode::OnTop);
    EXPECT_EQ(settings_.ThemeName, "sunset.tm");
    // Changes after it, then キャンセル: what was applied stays, the rest is dropped.
    dialog_.topMost = false;
    dialog_.SelectThemeRow(RowOf("初期値"));
    EXPECT_EQ(settings_.TopMost, TopMostMode::OnTop);
    EXPECT_EQ(settings_.ThemeName, "sunset.tm");
    EXPECT_EQ(current_.BackColor, 200);
}

TEST_F(Setup, AnUnchangedEditTouchesNothing) {
    Theme("graph.tm", "初期値", 100);
    settings_.ThemeName = "graph.tm";
    dialog_.Load();
    const auto before = Rows();
    EXPECT_FALSE(dialog_.TakeEditedTheme(dialog_.workingTheme, messages_));
    EXPECT_FALSE(IsFile(folder_.File("Moravel.tm")));
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(dialog_.workingName, "graph.tm");
}

TEST_F(Setup, AnEditedThemeBecomesTheCustomTheme) {
    Theme("graph.tm", "初期値", 100);
    Custom("古い", 300);
    settings_.ThemeName = "graph.tm";
    dialog_.Load();
    ThemeRecord edited = dialog_.workingTheme;
    edited.Title = "編集後";
    edited.BackColor = 400;
    program_.version = {3, 4, 5};  // what the program stamps into the files it writes

    EXPECT_TRUE(dialog_.TakeEditedTheme(edited, messages_));
    EXPECT_TRUE(messages_.asked.empty());
    EXPECT_EQ(dialog_.workingName, "");
    EXPECT_EQ(dialog_.workingTheme.BackColor, 400);
    EXPECT_EQ(SelectedText(), "編集後 （カスタム）");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"初期値", "編集後 （カスタム）"}));
    EXPECT_FALSE(dialog_.deleteEnabled);
    ThemeRecord saved;
    ASSERT_TRUE(LoadTheme(saved, ""));
    EXPECT_EQ(saved.BackColor, 400);
    EXPECT_EQ(saved.Version, "3.4.5");
    EXPECT_TRUE(IsFile(Themes("graph.tm")));

    dialog_.ApplySettings();
    EXPECT_EQ(settings_.ThemeName, "");
    EXPECT_EQ(current_.Title, "編集後");
}

TEST_F(Setup, AnEditThatCannotBeWrittenIsReportedAndKept) {
    Theme("graph.tm", "初期値", 100);
    Theme("sunset.tm", "夕焼け", 200);
    std::filesystem::create_directory(folder_.File("Moravel.tm"));  // in the way of the file
    settings_.ThemeName = "sunset.tm";
    dialog_.Load();
    ThemeRecord edited = dialog_.workingTheme;
    edited.BackColor = 400;
    messages_.answers = {MessageAnswer::Ok};

    EXPECT_TRUE(dialog_.TakeEditedTheme(edited, messages_));
    ASSERT_EQ(messages_.asked.size(), 1u);
    EXPECT_EQ(messages_.asked[0].text, "テーマファイル Moravel.tm を保存できませんでした。");
    EXPECT_EQ(messages_.asked[0].caption, "Moravel");
    // Not replaced by whatever the list would select now.
    EXPECT_EQ(dialog_.workingTheme.BackColor, 400);
    EXPECT_EQ(dialog_.workingName, "");
    dialog_.ApplySettings();
    EXPECT_EQ(current_.BackColor, 400);
}

TEST_F(Setup, SaveAsIntoTheThemesFolderSelectsTheNewFile) {
    Theme("graph.tm", "初期値", 100);
    settings_.ThemeName = "graph.tm";
    dialog_.Load();
    dialog_.workingTheme.Title = "私の";
    files_.answers.push_back(FileDialogAnswer{Themes("mine"), 1});

    EXPECT_TRUE(dialog_.SaveAs(comDlg_, messages_, 42));
    ASSERT_EQ(files_.asked.size(), 1u);
    EXPECT_EQ(files_.asked[0].fileBox, "graph");
    EXPECT_EQ(files_.asked[0].owner, 42u);
    EXPECT_TRUE(IsFile(Themes("mine.tm")));
    EXPECT_EQ(dialog_.workingName, "mine.tm");
    EXPECT_EQ(dialog_.themeNameLabel, "mine.tm");
    EXPECT_EQ(SelectedText(), "私の");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"初期値", "私の"}));

    // Cancelled: nothing changes.
    EXPECT_FALSE(dialog_.SaveAs(comDlg_, messages_, 42));
    EXPECT_EQ(dialog_.workingName, "mine.tm");
}

TEST_F(Setup, SaveAsElsewhereKeepsTheListAndTheWorkingName) {
    Theme("graph.tm", "初期値", 100);
    settings_.ThemeName = "graph.tm";
    dialog_.Load();
    TempFolder elsewhere;
    files_.answers.push_back(FileDialogAnswer{elsewhere.File("copy.tm"), 1});
    messages_.answers = {MessageAnswer::Ok};

    EXPECT_FALSE(dialog_.SaveAs(comDlg_, messages_, 0));
    ASSERT_EQ(messages_.asked.size(), 1u);
    EXPECT_TRUE(IsFile(elsewhere.File("copy.tm")));
    EXPECT_EQ(dialog_.workingName, "graph.tm");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"初期値"}));
}

TEST_F(Setup, DeletingTheWorkingThemeFallsBackToTheFirstListed) {
    Theme("graph.tm", "初期値", 100);
    Theme("sunset.tm", "夕焼け", 200);
    settings_.ThemeName = "sunset.tm";
    dialog_.Load();

    messages_.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(dialog_.DeleteSelected(messages_));
    ASSERT_EQ(messages_.asked.size(), 1u);
    EXPECT_EQ(messages_.asked[0].text,
              "テーマファイル 夕焼け(sunset.tm) を削除します。宜しいですか？");
    EXPECT_EQ(messages_.asked[0].defaultButton, MessageDefault::Second);
    EXPECT_TRUE(IsFile(Themes("sunset.tm")));

    messages_.answers = {MessageAnswer::Ok};
    EXPECT_TRUE(dialog_.DeleteSelected(messages_));
    EXPECT_FALSE(IsFile(Themes("sunset.tm")));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"初期値"}));
    EXPECT_EQ(dialog_.workingName, "graph.tm");
    EXPECT_EQ(dialog_.workingTheme.BackColor, 100);
    // The program's theme stays until the choice is applied.
    EXPECT_EQ(settings_.ThemeName, "sunset.tm");

    // The last file: the list is empty and nothing is left to delete.
    messages_.answers = {MessageAnswer::Ok};
    EXPECT_TRUE(dialog_.DeleteSelected(messages_));
    EXPECT_TRUE(dialog_.themeItems.empty());
    EXPECT_EQ(dialog_.themeRow, -1);
    EXPECT_FALSE(dialog_.deleteEnabled);
    EXPECT_EQ(dialog_.themeNameLabel, "");
    EXPECT_FALSE(dialog_.DeleteSelected(messages_));
    // The working theme is still the one last read.
    EXPECT_EQ(dialog_.workingName, "graph.tm");
    EXPECT_EQ(dialog_.workingTheme.BackColor, 100);
}

TEST_F(Setup, NoThemesAtAll) {
    std::filesystem::remove(folder_.File("Themes"));
    settings_.ThemeName = "graph.tm";
    current_.BackColor = 7;
    dialog_.Load();
    EXPECT_TRUE(dialog_.themeItems.empty());
    EXPECT_EQ(dialog_.themeRow, -1);
    EXPECT_FALSE(dialog_.deleteEnabled);
    dialog_.SelectThemeRow(0);  // no row: ignored
    dialog_.ApplySettings();
    EXPECT_EQ(settings_.ThemeName, "graph.tm");
    EXPECT_EQ(current_.BackColor, 7);
}

TEST_F(Setup, StartAtLogOnShowsTheEntryAndChangesItOnlyWhenTheBoxChanges) {
    const std::string self = "/usr/bin/moravel";
    FakeAutostart entry;
    entry.entry = "/opt/other/moravel";  // another copy's entry shows as off
    dialog_.UseAutostart(&entry, self);
    dialog_.Load();
    EXPECT_TRUE(dialog_.autostartEnabled);
    EXPECT_FALSE(dialog_.autostart);
    // Applying the unchanged box leaves that entry alone.
    EXPECT_TRUE(dialog_.ApplySettings());
    EXPECT_EQ(entry.writes, 0);
    EXPECT_EQ(entry.entry, std::string("/opt/other/moravel"));

    dialog_.autostart = true;
    EXPECT_TRUE(dialog_.ApplySettings());  // 更新
    EXPECT_EQ(entry.entry, std::string(self));
    EXPECT_TRUE(dialog_.ApplySettings());  // OK afterwards: nothing more to do
    EXPECT_EQ(entry.writes, 1);

    // Opened again, the box shows the entry, and unchecking it removes the entry.
    SetupDialog again(program_);
    again.UseAutostart(&entry, self);
    again.Load();
    EXPECT_TRUE(again.autostart);
    again.autostart = false;
    EXPECT_TRUE(again.ApplySettings());
    EXPECT_EQ(entry.entry, std::nullopt);
    EXPECT_EQ(entry.writes, 2);
}

TEST_F(Setup, AStartAtLogOnThatCannotBeChangedIsReportedAndShownAsItIs) {
    FakeAutostart entry;
    entry.refuse = true;
    dialog_.UseAutostart(&entry, "/usr/bin/moravel");
    dialog_.Load();
    dialog_.autostart = true;
    dialog_.topMost = true;
    EXPECT_FALSE(dialog_.ApplySettings());
    EXPECT_FALSE(dialog_.autostart);                   // the box shows the entry there is: none
    EXPECT_EQ(settings_.TopMost, TopMostMode::OnTop);  // the rest is applied all the same
    EXPECT_TRUE(dialog_.ApplySettings());              // and nothing is tried again unasked
    EXPECT_EQ(entry.writes, 1);
    EXPECT_EQ(AutostartFailedMessage(true).text,
              "ログオン時に起動するように設定できませんでした。");
    EXPECT_EQ(AutostartFailedMessage(true).caption, "Moravel");

    // No place for an entry (or no known program path): the box is off and cannot be changed.
    SetupDialog none(program_);
    none.Load();
    EXPECT_FALSE(none.autostartEnabled);
    none.autostart = true;
    EXPECT_TRUE(none.ApplySettings());
    SetupDialog noPath(program_);
    noPath.UseAutostart(&entry, "");
    noPath.Load();
    EXPECT_FALSE(noPath.autostartEnabled);
}

TEST_F(Setup, WithoutATrayHostTheTrayOptionsWaitDisabled) {
    settings_.IconGraphMode = TrayIconMode::Meter2;
    dialog_.SetTrayHost(false);
    dialog_.Load();
    EXPECT_FALSE(dialog_.IconGraphBoxEnabled());
    EXPECT_FALSE(dialog_.IconModesEnabled());
    EXPECT_TRUE(dialog_.iconGraphChecked);
    EXPECT_TRUE(dialog_.ApplySettings());
    EXPECT_EQ(settings_.IconGraphMode, TrayIconMode::Meter2);  // kept for a desktop with a tray
    // A host appears while the dialog is open.
    dialog_.SetTrayHost(true);
    EXPECT_TRUE(dialog_.IconGraphBoxEnabled());
    EXPECT_TRUE(dialog_.IconModesEnabled());
    dialog_.SetIconGraph(false);
    EXPECT_FALSE(dialog_.IconModesEnabled());
}

// The figure's box where the system offers a choice: it shows whether CpuFigure asks for
// processor utility and applies 1 or 0. Elsewhere (Linux) the dialog leaves CpuFigure as it is.
TEST_F(Setup, TheFigureIsChosenOnlyWhereTheSystemOffersIt) {
    const struct {
        bool offered;
        std::int32_t saved;
        bool shown;
        bool checked;  // what the user leaves in the box
        std::int32_t applied;
    } cases[] = {
        {true, 0, false, true, 1},   {true, 1, true, false, 0},   {true, 1, true, true, 1},
        {true, 7, false, false, 0},  // a code no name stands for is processor time
        {false, 1, false, false, 1}, {false, 7, false, false, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.saved) + (c.offered ? " offered" : " not offered"));
        settings_.CpuFigure = static_cast<UsageFigure>(c.saved);
        SetupDialog dialog(program_, c.offered);
        dialog.Load();
        EXPECT_EQ(dialog.CpuFigureOffered(), c.offered);
        EXPECT_EQ(dialog.processorUtility, c.shown);
        dialog.processorUtility = c.checked;
        dialog.ApplySettings();
        EXPECT_EQ(static_cast<std::int32_t>(settings_.CpuFigure), c.applied);
    }
    // Offered by default where the system offers a choice: the NT family, not Linux.
#ifdef _WIN32
    EXPECT_TRUE(SetupDialog(program_).CpuFigureOffered());
#else
    EXPECT_FALSE(SetupDialog(program_).CpuFigureOffered());
#endif
}

// The per-processor box where the sampler reads each processor: it shows whether CpuView is 1 and
// applies 1 or 0. Where it is not offered (Windows 9x) CpuView stays as it is.
TEST_F(Setup, TheViewOfEachProcessorIsChosenWhereItIsOffered) {
    const struct {
        bool offered;
        std::int32_t saved;
        bool shown;
        bool checked;
        std::int32_t applied;
    } cases[] = {
        {true, 0, false, true, 1},  {true, 1, true, false, 0},  {true, 1, true, true, 1},
        {true, 2, false, false, 0}, {false, 1, false, true, 1}, {false, 2, false, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.saved) + (c.offered ? " offered" : " not offered"));
        settings_.CpuView = static_cast<CpuViewMode>(c.saved);
        SetupDialog dialog(program_);
        dialog.OfferCpuView(c.offered);
        dialog.Load();
        EXPECT_EQ(dialog.eachProcessor, c.shown);
        dialog.eachProcessor = c.checked;
        dialog.ApplySettings();
        EXPECT_EQ(static_cast<std::int32_t>(settings_.CpuView), c.applied);
    }
    EXPECT_TRUE(SetupDialog(program_).CpuViewOffered());  // Linux, and Windows of the NT family
}

// The alert's box and values: shown from the settings, checked before they are applied; a bad
// value names its field and applies nothing of the alert.
TEST_F(Setup, TheAlertsValuesAreCheckedBeforeTheyApply) {
    const struct {
        std::int32_t savedPercent, savedSeconds;
        const char* shownPercent;
        bool box;
        const char* percent;
        const char* seconds;
        const char* problem;  // the start of the message, "" for none
        std::int32_t appliedPercent, appliedSeconds;
    } cases[] = {
        {0, 30, "90", true, "90", "30", "", 90, 30},
        {85, 12, "85", false, "85", "12", "", 0, 12},
        {-3, 30, "90", false, "90", "30", "", -3, 30},  // off as the file has it
        {0, 30, "90", true, " 20 ", "3600", "", 20, 3600},
        {0, 30, "90", true, "19", "30", "しきい値には 20 から 100 までの整数", 0, 30},
        {0, 30, "90", true, "101", "30", "しきい値には", 0, 30},
        {0, 30, "90", true, "9x", "30", "しきい値には", 0, 30},
        {0, 30, "90", true, "", "30", "しきい値には", 0, 30},
        {70, 30, "70", true, "80", "4", "継続時間には 5 から 3600 までの整数", 70, 30},
        {70, 30, "70", true, "80", "+10", "継続時間には", 70, 30},
        {70, 30, "70", false, "abc", "abc", "", 0, 30},  // unchecked: nothing to check
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.percent) + " / " + c.seconds);
        settings_.AlertPercent = c.savedPercent;
        settings_.AlertSeconds = c.savedSeconds;
        SetupDialog dialog(program_);
        dialog.Load();
        EXPECT_EQ(dialog.alert, c.savedPercent > 0);
        EXPECT_EQ(dialog.alertPercent, c.shownPercent);
        EXPECT_EQ(dialog.alertSeconds, std::to_string(c.savedSeconds));
        dialog.alert = c.box;
        dialog.alertPercent = c.percent;
        dialog.alertSeconds = c.seconds;
        const auto problem = dialog.CheckAlertInput();
        EXPECT_EQ(problem ? problem->message.text.substr(0, std::string(c.problem).size()) : "",
                  c.problem);
        if (problem) {
            EXPECT_EQ(problem->field, std::string(c.problem).rfind("継続", 0) == 0
                                          ? AlertField::Seconds
                                          : AlertField::Percent);
        }
        dialog.ApplySettings();
        EXPECT_EQ(settings_.AlertPercent, c.appliedPercent);
        EXPECT_EQ(settings_.AlertSeconds, c.appliedSeconds);
    }
}

TEST_F(Setup, AnInstalledProgramsShippedThemesCannotBeDeleted) {
    test::ScopedInstalledFolders installed(folder_.File("share"), folder_.File("user"));
    WriteBytes(JoinPath(folder_.File("share/Themes"), "graph.tm"), ThemeText("初期値", 1));
    WriteBytes(JoinPath(folder_.File("user/Themes"), "mine.tm"), ThemeText("mine", 2));
    settings_.ThemeName = "graph.tm";
    dialog_.Load();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"mine", "初期値"}));
    EXPECT_EQ(dialog_.themeNameLabel, "graph.tm");
    EXPECT_FALSE(dialog_.deleteEnabled);
    EXPECT_FALSE(dialog_.DeleteSelected(messages_));
    EXPECT_TRUE(messages_.asked.empty());
    dialog_.SelectThemeRow(RowOf("mine"));
    EXPECT_TRUE(dialog_.deleteEnabled);
}

}  // namespace
}  // namespace moravel
