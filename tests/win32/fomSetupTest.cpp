// The setup dialog of the resource script, opened for real on a display and driven through its
// controls: what they show of the settings, what clicks and choices change, and what OK, 更新 and
// キャンセル apply.
#include "win32/fomSetup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "core/os/Autostart_win.h"
#include "core/os/Encoding.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "core/os/TextFile.h"
#include "core/os/WideText_win.h"
#include "support/FakeAutostart.h"
#include "support/TempFolder.h"
#include "win32/AccessibleProbe.h"
#include "win32/DialogDriver.h"
#include "win32/FileDialog.h"
#include "win32/Handles.h"
#include "win32/HelpLauncher.h"
#include "win32/Prompts.h"
#include "win32/WindowHelpers.h"
#include "win32/fomSetupResources.h"

namespace moravel {
namespace {

using test::Click;
using test::Pick;
using test::Rows;
using test::SelectedText;
using Strings = std::vector<std::string>;

// A Run key of the tests' own, never the user's.
constexpr const char* kTestRunKey = "Software\\MoravelTest\\SetupDialogRun";

class SetupDialogTest : public ::testing::Test {
  protected:
    SetupDialogTest() {
        Theme("graph.tm", "初期値", 0);
        Theme("sunset.tm", "夕焼け", 200);
        SetDefaultSettings(program.settings);
        LoadTheme(program.currentTheme, program.settings.ThemeName);
        Win32MessagePrompt::ClearAsked();
        Win32MessagePrompt::SetNextAnswers({});
        Win32FileDialog::ClearAsked();
        Win32FileDialog::SetNextAnswers({});
        RegDeleteTreeW(HKEY_CURRENT_USER, Utf8ToWide(kTestRunKey).c_str());
    }
    ~SetupDialogTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, Utf8ToWide(kTestRunKey).c_str());
        Win32MessagePrompt::SetNextAnswers({});
        Win32FileDialog::SetNextAnswers({});
    }

    std::string Themes(std::string_view name) const {
        return JoinPath(folder.File("Themes"), name);
    }
    void Theme(std::string_view name, std::string_view title, int backColor) const {
        test::WriteBytes(Themes(name),
                         Utf8ToAnsi("[Theme]\r\nTitle=\"" + std::string(title) +
                                    "\"\r\nBackColor=" + std::to_string(backColor) + "\r\n"));
    }

    // Opens the dialog, as the menu would, with the log-on entry under the test's key. It is
    // shown only for what needs the screen: without a window manager (Xvfb) Wine gives a shown
    // window two seconds to be withdrawn when it goes.
    HWND Open(fomSetup::ThemeEditorRunner editor = {}, bool trayHost = true,
              std::unique_ptr<Autostart> autostart = nullptr, bool show = false) {
        if (!autostart) {
            autostart = std::make_unique<RunKeyAutostart>(kTestRunKey, std::string(kRunValueName));
        }
        dialog = std::make_unique<fomSetup>(
            owner, program, comDlg, trayHost,
            [this] {
                ++resets;
                if (onReset) {
                    onReset();
                }
            },
            std::move(editor), std::move(autostart));
        const HWND window = dialog->Create();
        if (window != nullptr && show) {
            ShowWindow(window, SW_SHOW);
        }
        return window;
    }

    test::TempFolder folder;
    test::ScopedProgramFolder home{folder.path()};
    Win32FileDialog files;
    clsComDlg comDlg{files};
    ProgramState program;
    HWND owner = nullptr;
    int resets = 0;
    std::function<void()> onReset;  // what the main window's rebuild does besides
    std::unique_ptr<fomSetup> dialog;
};

// Whether the control is shown within its dialog (whether the dialog is shown or not).
bool Shown(HWND dialog, int id) {
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

// Where a check box's caption ends in the dialog, drawn in the box's font after its square.
LONG CheckBoxTextRight(HWND dialog, int id) {
    return ItemRect(dialog, id).left + GetSystemMetrics(SM_CXMENUCHECK) + 4 +
           test::CaptionSize(GetDlgItem(dialog, id)).cx;
}

const Strings kCycleRows = {"1 秒",  "2 秒",  "3 秒", "5 秒", "10 秒",
                            "20 秒", "30 秒", "1 分", "2 分", "3 分"};

TEST_F(SetupDialogTest, TheControlsShowTheSettingsAndOkStoresTheChoices) {
    program.settings.Cycle = 7;  // in no row
    program.settings.IconGraphMode = TrayIconMode::Off;
    program.settings.TopMost = TopMostMode::OnTop;
    HWND d = Open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(Rows(d, IDC_SETUP_CYCLE), kCycleRows);
    EXPECT_EQ(SelectedText(d, IDC_SETUP_CYCLE), "1 秒");
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_TOPMOST));
    EXPECT_FALSE(IsChecked(d, IDC_SETUP_ICONGRAPH));
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_OPTION0));  // メーター1, chosen from the start
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_OPTION0));
    EXPECT_EQ(Rows(d, IDC_SETUP_THEMENAME), (Strings{"初期値", "夕焼け"}));
    EXPECT_EQ(SelectedText(d, IDC_SETUP_THEMENAME), "初期値");
    EXPECT_EQ(ItemText(d, IDC_SETUP_THEMEFILE), "graph.tm");
    EXPECT_TRUE(IsItemEnabled(d, IDC_SETUP_DELETE));

    // Checking the box enables the options with メーター1 chosen; OK stores 2 and 1 second.
    Click(d, IDC_SETUP_ICONGRAPH);
    EXPECT_TRUE(IsItemEnabled(d, IDC_SETUP_OPTION2));
    Click(d, IDOK);
    EXPECT_EQ(dialog->result(), IDOK);
    EXPECT_EQ(dialog->hwnd(), nullptr);  // closed
    EXPECT_EQ(program.settings.IconGraphMode, TrayIconMode::Meter1);
    EXPECT_EQ(program.settings.Cycle, 1);
    EXPECT_EQ(resets, 1);

    program.settings.IconGraphMode = TrayIconMode::Meter2;
    program.settings.Cycle = 180;
    d = Open();
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_ICONGRAPH));
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_OPTION1));
    EXPECT_FALSE(IsChecked(d, IDC_SETUP_OPTION0));
    EXPECT_EQ(SelectedText(d, IDC_SETUP_CYCLE), "3 分");
    Click(d, IDC_SETUP_OPTION2);  // グラフ
    Pick(d, IDC_SETUP_CYCLE, 4);
    Click(d, IDC_SETUP_TOPMOST);
    Click(d, IDOK);
    EXPECT_EQ(program.settings.IconGraphMode, TrayIconMode::Graph);
    EXPECT_EQ(program.settings.Cycle, 10);
    EXPECT_EQ(program.settings.TopMost, TopMostMode::Normal);

    // Unchecked again, the tray icon shows no graph whatever option stays chosen.
    d = Open();
    Click(d, IDC_SETUP_ICONGRAPH);
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_OPTION1));
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_OPTION2));
    Click(d, IDOK);
    EXPECT_EQ(program.settings.IconGraphMode, TrayIconMode::Off);
}

// The figure's box shows whether CpuFigure asks for processor utility, and OK stores the choice.
TEST_F(SetupDialogTest, TheFigureBoxShowsAndStoresTheChoice) {
    program.settings.CpuFigure = UsageFigure::ProcessorUtility;
    HWND d = Open();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_CPUFIGURE));
    Click(d, IDC_SETUP_CPUFIGURE);
    Click(d, IDOK);
    EXPECT_EQ(program.settings.CpuFigure, UsageFigure::ProcessorTime);
}

// The per-processor box shows whether CpuView is 1, and OK stores the choice.
TEST_F(SetupDialogTest, TheViewBoxShowsAndStoresTheChoice) {
    HWND d = Open();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(IsChecked(d, IDC_SETUP_CPUVIEW));
    Click(d, IDC_SETUP_CPUVIEW);
    Click(d, IDOK);
    EXPECT_EQ(program.settings.CpuView, CpuViewMode::Processors);
    d = Open();
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_CPUVIEW));
}

TEST_F(SetupDialogTest, CaptionsComeFromTheProgramAndTheLayoutReadsTopToBottom) {
    const HWND d = Open();
    ASSERT_NE(d, nullptr);
    wchar_t caption[64] = {};
    GetWindowTextW(d, caption, 64);
    EXPECT_EQ(WideToUtf8(caption), "Moravel の設定");
    EXPECT_EQ(ItemText(d, IDC_SETUP_LABEL1), "表示サイクル(&C)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_CPUFIGURE), "周波数を反映する(&U)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_TOPMOST), "常に最前面に表示する(&F)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_CPUVIEW), "CPUごとに表示(&P)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_ICONGRAPH), "タスクトレイのアイコンもグラフ表示する(&I)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_AUTOSTART), "ログオン時に起動する(&L)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_FRAME1), "テーマ(&T)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_SAVEAS), "名前を付けて保存...");
    EXPECT_EQ(ItemText(d, IDC_SETUP_DELETE), "削除");
    EXPECT_EQ(ItemText(d, IDC_SETUP_EDIT), "編集...");
    EXPECT_EQ(ItemText(d, IDOK), "OK");
    EXPECT_EQ(ItemText(d, IDCANCEL), "キャンセル");
    EXPECT_EQ(ItemText(d, IDC_SETUP_UPDATE), "更新");
    // The options left to right: メーター1, メーター2, グラフ, indented below their box.
    EXPECT_EQ(ItemText(d, IDC_SETUP_OPTION0), "メーター1");
    EXPECT_EQ(ItemText(d, IDC_SETUP_OPTION1), "メーター2");
    EXPECT_EQ(ItemText(d, IDC_SETUP_OPTION2), "グラフ");
    const auto at = [d](int id) { return ItemRect(d, id); };
    EXPECT_LT(at(IDC_SETUP_OPTION0).left, at(IDC_SETUP_OPTION1).left);
    EXPECT_LT(at(IDC_SETUP_OPTION1).left, at(IDC_SETUP_OPTION2).left);
    EXPECT_GT(at(IDC_SETUP_OPTION0).left, at(IDC_SETUP_ICONGRAPH).left);
    EXPECT_LT(at(IDC_SETUP_CYCLE).top, at(IDC_SETUP_TOPMOST).top);
    // The figure's box on the cycle's row, right of it, ending where the buttons end.
    EXPECT_LT(at(IDC_SETUP_CYCLE).right, at(IDC_SETUP_CPUFIGURE).left);
    EXPECT_LT(at(IDC_SETUP_CPUFIGURE).bottom, at(IDC_SETUP_TOPMOST).top);
    EXPECT_TRUE(Shown(d, IDC_SETUP_CPUFIGURE));
    // The per-processor box under it, beside always-on-top, whose caption ends before it.
    EXPECT_EQ(at(IDC_SETUP_CPUVIEW).left, at(IDC_SETUP_CPUFIGURE).left);
    EXPECT_EQ(at(IDC_SETUP_CPUVIEW).top, at(IDC_SETUP_TOPMOST).top);
    EXPECT_LT(CheckBoxTextRight(d, IDC_SETUP_TOPMOST), at(IDC_SETUP_CPUVIEW).left);
    EXPECT_LE(CheckBoxTextRight(d, IDC_SETUP_CPUVIEW), at(IDC_SETUP_CPUVIEW).right);
    EXPECT_TRUE(Shown(d, IDC_SETUP_CPUVIEW));
    EXPECT_LT(at(IDC_SETUP_TOPMOST).top, at(IDC_SETUP_ICONGRAPH).top);
    EXPECT_LT(at(IDC_SETUP_ICONGRAPH).top, at(IDC_SETUP_OPTION0).top);
    EXPECT_LT(at(IDC_SETUP_OPTION0).bottom, at(IDC_SETUP_AUTOSTART).top);
    // The alert's box below the log-on box, its two values indented below it.
    EXPECT_EQ(ItemText(d, IDC_SETUP_ALERT), "高い使用率が続いたら通知する(&A)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_ALERTPERCENTLABEL), "しきい値(&H)");
    EXPECT_EQ(ItemText(d, IDC_SETUP_ALERTSECONDSLABEL), "継続時間(&S)");
    EXPECT_LT(at(IDC_SETUP_AUTOSTART).bottom, at(IDC_SETUP_ALERT).top);
    EXPECT_LT(at(IDC_SETUP_ALERT).bottom, at(IDC_SETUP_ALERTPERCENT).top);
    EXPECT_GT(at(IDC_SETUP_ALERTPERCENTLABEL).left, at(IDC_SETUP_ALERT).left);
    EXPECT_LT(at(IDC_SETUP_ALERTPERCENT).right, at(IDC_SETUP_ALERTSECONDSLABEL).left);
    EXPECT_LT(at(IDC_SETUP_ALERTSECONDS).bottom, at(IDC_SETUP_FRAME1).top);
    EXPECT_LT(at(IDC_SETUP_THEMENAME).left, at(IDC_SETUP_THEMEFILE).left);
    EXPECT_LT(at(IDC_SETUP_THEMENAME).bottom, at(IDC_SETUP_SAVEAS).top);
    EXPECT_LT(at(IDC_SETUP_SAVEAS).right, at(IDC_SETUP_DELETE).left);
    EXPECT_LT(at(IDC_SETUP_DELETE).right, at(IDC_SETUP_EDIT).left);
    EXPECT_LT(at(IDC_SETUP_FRAME1).bottom, at(IDOK).top);
    EXPECT_LT(at(IDOK).right, at(IDCANCEL).left);
    EXPECT_LT(at(IDCANCEL).right, at(IDC_SETUP_UPDATE).left);
    // Everything inside the dialog, the tray note hidden with its room given up.
    RECT client = {};
    GetClientRect(d, &client);
    EXPECT_EQ(at(IDC_SETUP_CPUFIGURE).right, at(IDC_SETUP_UPDATE).right);
    EXPECT_LE(at(IDC_SETUP_UPDATE).bottom, client.bottom);
    EXPECT_GT(client.bottom - at(IDC_SETUP_UPDATE).bottom, 0);
    EXPECT_LT(client.bottom - at(IDC_SETUP_UPDATE).bottom,
              at(IDC_SETUP_UPDATE).bottom - at(IDC_SETUP_UPDATE).top);
    EXPECT_FALSE(Shown(d, IDC_SETUP_NOTRAY));
}

// Each language has its own dialog: English throughout where English is chosen, every caption
// within its control and every control named for a reader in either language.
TEST_F(SetupDialogTest, EachLanguageHasItsDialogWithCaptionsThatFitAndNames) {
    for (const UiLanguage language : {UiLanguage::Japanese, UiLanguage::English}) {
        SetUiLanguage(language);
        const HWND d = Open();
        ASSERT_NE(d, nullptr);
        const bool english = language == UiLanguage::English;
        EXPECT_EQ(ItemText(d, IDC_SETUP_LABEL1), english ? "&Cycle" : "表示サイクル(&C)");
        EXPECT_EQ(test::CaptionFaults(d, english), Strings{}) << english;
        EXPECT_EQ(test::NamelessControls(d), Strings{}) << english;
    }
    SetUiLanguage(UiLanguage::Japanese);
}

TEST_F(SetupDialogTest, TheCustomThemeIsMarkedAndCannotBeDeleted) {
    test::WriteBytes(folder.File("Moravel.tm"), "[Theme]\r\nTitle=\"mine\"\r\n");
    program.settings.ThemeName = "";
    const HWND d = Open();
    EXPECT_EQ(SelectedText(d, IDC_SETUP_THEMENAME), "mine （カスタム）");
    EXPECT_EQ(ItemText(d, IDC_SETUP_THEMEFILE), "");
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_DELETE));
    // Another row: its file and a button to delete it.
    Pick(d, IDC_SETUP_THEMENAME, test::FindRow(d, IDC_SETUP_THEMENAME, "夕焼け"));
    EXPECT_EQ(ItemText(d, IDC_SETUP_THEMEFILE), "sunset.tm");
    EXPECT_TRUE(IsItemEnabled(d, IDC_SETUP_DELETE));
}

TEST_F(SetupDialogTest, UpdateAppliesAtOnceAndCancelKeepsWhatWasApplied) {
    HWND d = Open();
    Pick(d, IDC_SETUP_THEMENAME, test::FindRow(d, IDC_SETUP_THEMENAME, "夕焼け"));
    EXPECT_EQ(ItemText(d, IDC_SETUP_THEMEFILE), "sunset.tm");
    EXPECT_EQ(program.settings.ThemeName, "graph.tm");  // not yet
    Click(d, IDC_SETUP_UPDATE);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(program.settings.ThemeName, "sunset.tm");
    EXPECT_EQ(program.currentTheme.BackColor, 200);
    EXPECT_EQ(dialog->result(), 0);  // 更新 leaves it open
    EXPECT_TRUE(IsWindow(d));

    // Esc is キャンセル: closed, nothing more applied.
    Pick(d, IDC_SETUP_THEMENAME, test::FindRow(d, IDC_SETUP_THEMENAME, "初期値"));
    test::PressKey(d, VK_ESCAPE);
    EXPECT_EQ(dialog->result(), IDCANCEL);
    EXPECT_FALSE(IsWindow(d));
    EXPECT_EQ(program.settings.ThemeName, "sunset.tm");
    EXPECT_EQ(resets, 1);

    // Enter is OK.
    d = Open();
    EXPECT_EQ(SelectedText(d, IDC_SETUP_THEMENAME), "夕焼け");
    Pick(d, IDC_SETUP_THEMENAME, test::FindRow(d, IDC_SETUP_THEMENAME, "初期値"));
    SetFocus(GetDlgItem(d, IDC_SETUP_TOPMOST));
    test::PressKey(d, VK_RETURN);
    EXPECT_EQ(dialog->result(), IDOK);
    EXPECT_EQ(program.settings.ThemeName, "graph.tm");
    EXPECT_EQ(program.currentTheme.BackColor, 0);
    EXPECT_EQ(resets, 2);
}

TEST_F(SetupDialogTest, AnEditedThemeBecomesTheCustomTheme) {
    // Without an editor the button cannot be pressed.
    HWND d = Open();
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_EDIT));

    int edits = 0;
    bool change = false;
    HWND editorOwner = nullptr;
    d = Open([&](HWND editing) {
        ++edits;
        editorOwner = editing;
        if (change && program.editorTheme.Title == "初期値") {  // handed the working theme
            program.editorTheme.Title = "編集済み";
            program.editorTheme.BackColor = 0x123456;
        }
    });
    EXPECT_TRUE(IsItemEnabled(d, IDC_SETUP_EDIT));
    Click(d, IDC_SETUP_EDIT);
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(editorOwner, d);
    EXPECT_FALSE(IsFile(folder.File("Moravel.tm")));  // no change, nothing written
    EXPECT_EQ(Rows(d, IDC_SETUP_THEMENAME), (Strings{"初期値", "夕焼け"}));

    change = true;
    Click(d, IDC_SETUP_EDIT);
    EXPECT_EQ(edits, 2);
    EXPECT_TRUE(IsFile(folder.File("Moravel.tm")));
    EXPECT_EQ(SelectedText(d, IDC_SETUP_THEMENAME), "編集済み （カスタム）");
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_DELETE));
    EXPECT_EQ(ItemText(d, IDC_SETUP_THEMEFILE), "");
    Click(d, IDOK);
    EXPECT_EQ(program.settings.ThemeName, "");
    EXPECT_EQ(program.currentTheme.BackColor, 0x123456);
}

TEST_F(SetupDialogTest, SaveAsAndDeleteAskThroughTheirDialogs) {
    const HWND d = Open();
    // Into the Themes folder: written and selected, no question.
    Win32FileDialog::SetNextAnswers({FileDialogAnswer{Themes("copy"), 1}});
    Click(d, IDC_SETUP_SAVEAS);
    ASSERT_EQ(Win32FileDialog::Asked().size(), 1u);
    const FileDialogRequest& request = Win32FileDialog::Asked()[0];
    EXPECT_EQ(request.action, FileDialogAction::Save);
    EXPECT_EQ(request.title, "名前を付けて保存");
    EXPECT_EQ(request.fileBox, "graph");
    EXPECT_EQ(Win32FileDialog::OwnerWindow(request.owner), d);
    EXPECT_TRUE(IsFile(Themes("copy.tm")));
    EXPECT_EQ(ItemText(d, IDC_SETUP_THEMEFILE), "copy.tm");
    EXPECT_EQ(Rows(d, IDC_SETUP_THEMENAME), (Strings{"初期値", "初期値", "夕焼け"}));
    EXPECT_TRUE(Win32MessagePrompt::Asked().empty());

    // A cancelled file dialog changes nothing.
    Win32FileDialog::SetNextAnswers({std::nullopt});
    Click(d, IDC_SETUP_SAVEAS);
    EXPECT_EQ(Rows(d, IDC_SETUP_THEMENAME).size(), 3u);

    // Deleting the selected copy asks, Cancel first: then nothing goes.
    Win32MessagePrompt::SetNextAnswers({MessageAnswer::Cancel, MessageAnswer::Ok});
    Click(d, IDC_SETUP_DELETE);
    EXPECT_TRUE(IsFile(Themes("copy.tm")));
    Click(d, IDC_SETUP_DELETE);
    ASSERT_EQ(Win32MessagePrompt::Asked().size(), 2u);
    EXPECT_EQ(Win32MessagePrompt::Asked()[1].text,
              "テーマファイル 初期値(copy.tm) を削除します。宜しいですか？");
    EXPECT_EQ(Win32MessagePrompt::Asked()[1].defaultButton, MessageDefault::Second);
    EXPECT_FALSE(IsFile(Themes("copy.tm")));
    EXPECT_EQ(Rows(d, IDC_SETUP_THEMENAME), (Strings{"初期値", "夕焼け"}));
    EXPECT_NE(ItemText(d, IDC_SETUP_THEMEFILE), "copy.tm");
    // The keyboard is never left on a button that was disabled under it.
    const HWND focus = GetFocus();
    EXPECT_TRUE(focus == nullptr || IsWindowEnabled(focus) != FALSE);
}

TEST_F(SetupDialogTest, HelpOpensTheTopicOfTheControl) {
    test::WriteBytes(folder.File("Moravel.HLP"), "<html><body><a name=\"1007\"></a></body></html>");
    program.helpFile = folder.File("Moravel.HLP");
    HelpLaunches::Intercept(true);
    HelpLaunches::Clear();
    const HWND d = Open({}, true, nullptr, true);  // shown: the keyboard reaches it below
    const std::pair<int, int> contexts[] = {
        {IDC_SETUP_CYCLE, 1001},
        {IDC_SETUP_LABEL1, 1001},
        {IDC_SETUP_TOPMOST, 1002},
        {IDC_SETUP_ICONGRAPH, 0},
        {IDC_SETUP_OPTION0, 0},
        {IDC_SETUP_OPTION2, 0},
        {IDC_SETUP_THEMEFILE, 0},
        {IDC_SETUP_AUTOSTART, 1011},
        {IDC_SETUP_FRAME1, 1004},
        {IDC_SETUP_THEMENAME, 1004},
        {IDC_SETUP_SAVEAS, 1005},
        {IDC_SETUP_DELETE, 1006},
        {IDC_SETUP_EDIT, 1007},
        {IDOK, 1008},
        {IDCANCEL, 1009},
        {IDC_SETUP_UPDATE, 1010},
        {IDC_SETUP_NOTRAY, 0},
        {IDC_SETUP_CPUFIGURE, 1012},
        {IDC_SETUP_CPUVIEW, 1013},
        {IDC_SETUP_ALERT, 1014},
        {IDC_SETUP_ALERTSECONDS, 1014},
    };
    for (const auto& [id, context] : contexts) {
        HelpLaunches::Clear();
        HELPINFO info = {};
        info.cbSize = sizeof(info);
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = id;
        info.hItemHandle = GetDlgItem(d, id);
        SendMessageW(d, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        if (context == 0) {
            EXPECT_TRUE(HelpLaunches::Opened().empty()) << id;
            continue;
        }
        ASSERT_EQ(HelpLaunches::Opened().size(), 1u) << id;
        const std::string& url = HelpLaunches::Opened()[0];
        const std::string tail = "#" + std::to_string(context);
        EXPECT_EQ(url.substr(url.size() - tail.size()), tail) << id;
    }

    // F1 typed on the control that has the keyboard.
    HelpLaunches::Clear();
    SetForegroundWindow(d);
    SetFocus(GetDlgItem(d, IDC_SETUP_DELETE));
    test::TypeKey(VK_F1);
    test::PumpUntil(d, [] { return !HelpLaunches::Opened().empty(); });
    ASSERT_EQ(HelpLaunches::Opened().size(), 1u);
    EXPECT_NE(HelpLaunches::Opened()[0].find("#1006"), std::string::npos);
    HelpLaunches::Intercept(false);
}

TEST_F(SetupDialogTest, TheLogOnBoxWritesTheRunValue) {
    RunKeyAutostart entry(kTestRunKey, std::string(kRunValueName));
    const std::string self = ExecutablePath();
    HWND d = Open();
    EXPECT_TRUE(IsItemEnabled(d, IDC_SETUP_AUTOSTART));
    EXPECT_FALSE(IsChecked(d, IDC_SETUP_AUTOSTART));
    Click(d, IDC_SETUP_AUTOSTART);
    EXPECT_FALSE(entry.StartsProgram(self));  // only OK or 更新 applies it
    Click(d, IDOK);
    EXPECT_TRUE(entry.StartsProgram(self));
    wchar_t value[1024] = {};
    DWORD bytes = sizeof(value);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Utf8ToWide(kTestRunKey).c_str(), L"Moravel",
                           RRF_RT_REG_SZ, nullptr, value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(WideToUtf8(value), "\"" + self + "\"");

    // Opened again the box shows the value; unchecked and applied, the value goes.
    d = Open();
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_AUTOSTART));
    Click(d, IDC_SETUP_AUTOSTART);
    Click(d, IDC_SETUP_UPDATE);
    EXPECT_FALSE(entry.StartsProgram(self));
    EXPECT_TRUE(Win32MessagePrompt::Asked().empty());

    // An entry that cannot be written is reported, and the box shows what there is.
    auto refusing = std::make_unique<FakeAutostart>();
    refusing->refuse = true;
    d = Open({}, true, std::move(refusing));
    Click(d, IDC_SETUP_AUTOSTART);
    Win32MessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    Click(d, IDC_SETUP_UPDATE);
    ASSERT_EQ(Win32MessagePrompt::Asked().size(), 1u);
    EXPECT_EQ(Win32MessagePrompt::Asked()[0].text,
              "ログオン時に起動するように設定できませんでした。");
    EXPECT_FALSE(IsChecked(d, IDC_SETUP_AUTOSTART));

    // Without an entry to keep, the box cannot be changed.
    dialog = std::make_unique<fomSetup>(
        owner, program, comDlg, true, [] {}, fomSetup::ThemeEditorRunner{}, nullptr);
    d = dialog->Create();
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_AUTOSTART));
}

// The alert's values: a bad one is refused with its message and nothing is applied; corrected,
// OK applies them.
TEST_F(SetupDialogTest, ABadAlertValueIsRefused) {
    HWND d = Open();
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_ALERTPERCENT));
    EXPECT_EQ(ItemText(d, IDC_SETUP_ALERTPERCENT), "90");
    Click(d, IDC_SETUP_ALERT);
    EXPECT_TRUE(IsItemEnabled(d, IDC_SETUP_ALERTPERCENT));
    SetItemText(d, IDC_SETUP_ALERTPERCENT, "150");
    Win32MessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    Click(d, IDOK);
    ASSERT_EQ(Win32MessagePrompt::Asked().size(), 1u);
    EXPECT_EQ(Win32MessagePrompt::Asked()[0].text,
              "しきい値には 20 から 100 までの整数を入力してください。");
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(program.settings.AlertPercent, 0);
    SetItemText(d, IDC_SETUP_ALERTPERCENT, "75");
    Click(d, IDOK);
    EXPECT_EQ(program.settings.AlertPercent, 75);
    EXPECT_EQ(program.settings.AlertSeconds, 30);
}

TEST_F(SetupDialogTest, WithoutATrayIconTheDialogSaysWhy) {
    program.settings.IconGraphMode = TrayIconMode::Graph;
    const HWND d = Open({}, false);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(Shown(d, IDC_SETUP_NOTRAY));
    EXPECT_NE(ItemText(d, IDC_SETUP_NOTRAY).find("通知領域"), std::string::npos);
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_ICONGRAPH));
    EXPECT_TRUE(IsChecked(d, IDC_SETUP_ICONGRAPH));  // kept, and applied as it is
    EXPECT_FALSE(IsItemEnabled(d, IDC_SETUP_OPTION2));
    EXPECT_LT(ItemRect(d, IDC_SETUP_OPTION0).bottom, ItemRect(d, IDC_SETUP_NOTRAY).top);
    EXPECT_LE(ItemRect(d, IDC_SETUP_NOTRAY).bottom, ItemRect(d, IDC_SETUP_AUTOSTART).top);
    RECT withNote = {};
    GetWindowRect(d, &withNote);
    Click(d, IDOK);
    EXPECT_EQ(program.settings.IconGraphMode, TrayIconMode::Graph);

    // With the tray icon up the note and its room go.
    const HWND shown = Open({}, true);
    RECT without = {};
    GetWindowRect(shown, &without);
    EXPECT_LT(without.bottom - without.top, withNote.bottom - withNote.top);
}

TEST_F(SetupDialogTest, AboveAnAlwaysOnTopMainWindow) {
    // The main window: always on top, as the settings ask.
    WindowHandle main(CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 100,
                                      100, 300, 100, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(main);
    owner = main.get();
    program.settings.TopMost = TopMostMode::OnTop;
    const HWND d = Open({}, true, nullptr, true);
    ASSERT_NE(d, nullptr);
    bool above = false;
    for (HWND w = GetWindow(main.get(), GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
        above = above || w == d;
    }
    EXPECT_TRUE(above);
    EXPECT_NE(GetWindowLongW(main.get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);  // and stays on top

    // 更新 rebuilds the main window, always on top again; the dialog keeps the keyboard.
    onReset = [&main] { SetTopMost(main.get()); };
    SetForegroundWindow(d);
    test::PumpFor(std::chrono::milliseconds(100));
    ASSERT_EQ(GetActiveWindow(), d);
    Click(d, IDC_SETUP_UPDATE);
    test::PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(GetActiveWindow(), d);
    // Beside it, not over it.
    RECT mainRect = {};
    RECT dialogRect = {};
    GetWindowRect(main.get(), &mainRect);
    GetWindowRect(d, &dialogRect);
    RECT overlap = {};
    EXPECT_FALSE(IntersectRect(&overlap, &mainRect, &dialogRect));
    dialog.reset();
}

}  // namespace
}  // namespace moravel
