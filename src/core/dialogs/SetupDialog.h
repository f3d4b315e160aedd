// The setup dialog's state and decisions, without a window: the cycle list, always-on-top, the
// tray-icon graph mode, the start at log-on, the figure shown where the system offers a choice,
// the theme list and the commands on theme files.
// fomSetup shows this state, writes the user's changes into it and forwards the buttons; everything
// it decides is here.
//
// The dialog works on copies: the program's settings and current theme change only in
// ApplySettings.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/Help.h"
#include "core/app/ProgramState.h"
#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/cpu/CpuSampler.h"
#include "core/cpu/UsageFigure.h"
#include "core/dialogs/ComDlg.h"
#include "core/dialogs/OptionGroup.h"
#include "core/dialogs/Prompts.h"
#include "core/os/Autostart.h"

namespace moravel {

inline constexpr std::string_view kSetupCaption = "Moravel の設定";
inline constexpr std::string_view kCustomThemeSuffix = " （カスタム）";

struct CycleChoice {
    std::string_view text;
    std::int32_t seconds;
};

// The rows of the cycle list, with the seconds each one stands for.
inline constexpr std::array<CycleChoice, 10> kCycleChoices = {{
    {"1 秒", 1},
    {"2 秒", 2},
    {"3 秒", 3},
    {"5 秒", 5},
    {"10 秒", 10},
    {"20 秒", 20},
    {"30 秒", 30},
    {"1 分", 60},
    {"2 分", 120},
    {"3 分", 180},
}};

// The tray-icon option buttons are numbered by the mode each stands for (1 to 4).
constexpr std::int32_t IconModeOption(TrayIconMode mode) {
    return static_cast<std::int32_t>(mode);
}

struct IconModeChoice {
    TrayIconMode mode;
    std::string_view caption;

    constexpr std::int32_t index() const { return IconModeOption(mode); }
};

// The option buttons from left to right.
inline constexpr std::array<IconModeChoice, 4> kIconModeChoices = {{
    {TrayIconMode::Meter1, "メーター1"},
    {TrayIconMode::Meter2, "メーター2"},
    {TrayIconMode::Graph, "グラフ"},
    {TrayIconMode::Number, "数値"},
}};

// Help topics of the controls; the tray-icon controls and the file-name label have none.
inline constexpr HelpContext kHelpSetupCycle{1001};
inline constexpr HelpContext kHelpSetupTopMost{1002};
inline constexpr HelpContext kHelpSetupTheme{1004};
inline constexpr HelpContext kHelpSetupSaveAs{1005};
inline constexpr HelpContext kHelpSetupDelete{1006};
inline constexpr HelpContext kHelpSetupEdit{1007};
inline constexpr HelpContext kHelpSetupOk{1008};
inline constexpr HelpContext kHelpSetupCancel{1009};
inline constexpr HelpContext kHelpSetupUpdate{1010};
inline constexpr HelpContext kHelpSetupAutostart{1011};
inline constexpr HelpContext kHelpSetupCpuFigure{1012};
inline constexpr HelpContext kHelpSetupCpuView{1013};

inline constexpr std::string_view kAutostartCaption = "ログオン時に起動する(&L)";
inline constexpr std::string_view kCpuFigureCaption = "周波数を反映する(&U)";
inline constexpr std::string_view kCpuViewCaption = "CPUごとに表示(&P)";
// Shown in place of the tray-icon graph while the desktop has no tray host.
inline constexpr std::string_view kNoTrayText =
    "タスクトレイのアイコンとグラフには通知領域が必要ですが、このデスクトップには見つかりません。";

// The alert on a sustained load: its box, and the percent and seconds typed beside it.
inline constexpr HelpContext kHelpSetupAlert{1014};
inline constexpr std::string_view kAlertCaption = "高い使用率が続いたら通知する(&A)";
inline constexpr std::string_view kAlertPercentCaption = "しきい値(&H)";
inline constexpr std::string_view kAlertPercentUnit = "%";
inline constexpr std::string_view kAlertSecondsCaption = "継続時間(&S)";
inline constexpr std::string_view kAlertSecondsUnit = "秒";
inline constexpr std::int32_t kAlertPercentLeast = 20;
inline constexpr std::int32_t kAlertPercentMost = 100;
inline constexpr std::int32_t kAlertSecondsLeast = 5;
inline constexpr std::int32_t kAlertSecondsMost = 3600;
inline constexpr std::int32_t kAlertPercentOffered = 90;  // shown while the alert is off

// A value of the alert that cannot be applied: the field to go back to and what to tell.
enum class AlertField { Percent, Seconds };
struct AlertInputProblem {
    AlertField field;
    MessageRequest message;
};

// The message shown when the log-on entry could not be made or removed.
MessageRequest AutostartFailedMessage(bool enabling);

// One row of the theme list: its text and the index of its theme in fileNames and titles.
struct ThemeListItem {
    std::string text;
    std::int32_t itemData;

    bool operator==(const ThemeListItem&) const = default;
};

// The rows for a listing, sorted by their text (ASCII letters without regard to case, rows of
// equal text in listing order). The custom theme's title is followed by " （カスタム）".
std::vector<ThemeListItem> SortedThemeItems(const std::vector<std::string>& fileNames,
                                            const std::vector<std::string>& titles,
                                            std::int32_t count);

class SetupDialog {
  public:
    // `figuresOffered`: the system offers a choice of figure; only then does the dialog show the
    // processor-utility box and apply it (elsewhere CpuFigure stays as the file has it).
    explicit SetupDialog(ProgramState& program, bool figuresOffered = UsageFiguresOffered());

    // Start at log-on: the entry `entry` keeps for the program at `programPath` (the running
    // executable). Without one (null) the box stays off and disabled. Call before Load.
    void UseAutostart(Autostart* entry, std::string programPath);

    // Whether the desktop has a tray host. Without one the tray-icon box and its options are
    // disabled and the dialog says why; their values stay and are applied as they are.
    void SetTrayHost(bool present);
    bool TrayHost() const { return trayHost_; }

    // Opening: the working theme and its name from the settings, the theme list (the selection
    // found there is shown but not loaded), the check boxes, the tray-icon mode and the cycle.
    void Load();

    // The theme list. Rebuilds it from the folder and selects the row of `selectName`, or the
    // first listed theme when no file has that name. Unless `loading` is set, the selected theme
    // is read and becomes the working theme.
    void FillThemeList(std::string_view selectName);

    // The user picked row `row` of the theme list.
    void SelectThemeRow(std::int32_t row);

    // Tray-icon box and option buttons. The options are enabled exactly while the box is checked;
    // their selection stays either way.
    void SetIconGraph(bool checked);
    // `index` is the number of an option button (IconModeOption).
    void SelectIconMode(std::int32_t index);
    // The mode of the selected option, Meter1's when none is.
    TrayIconMode SelectedIconMode() const;
    bool IconModesEnabled() const { return iconGraphChecked && trayHost_; }
    bool IconGraphBoxEnabled() const { return trayHost_; }

    // The seconds of the selected cycle row.
    std::int32_t SelectedCycle() const;

    bool CpuFigureOffered() const { return figuresOffered_; }

    // The box of the per-processor view, shown and applied only where the sampler reads each
    // processor (elsewhere CpuView stays as the file has it). Call before Load.
    void OfferCpuView(bool offered) { cpuViewOffered_ = offered; }
    bool CpuViewOffered() const { return cpuViewOffered_; }
    // The alert's values while its box is checked: whole numbers in their ranges. OK and 更新
    // apply nothing while there is a problem; the user is told and taken to the field.
    std::optional<AlertInputProblem> CheckAlertInput() const;
    bool AlertFieldsEnabled() const { return alert; }

    // Copies the choices into the settings and the working theme into the current theme, and makes
    // or removes the log-on entry when the box was changed since it was last applied. False when
    // that entry could not be changed: the box then shows what the entry is.
    bool ApplySettings();

    // After the theme editor: a theme that differs from the working one becomes the custom theme,
    // is written to "Moravel.tm" and selected. Returns whether anything changed. When the custom
    // theme cannot be written the user is told, and the edited theme stays the working one.
    bool TakeEditedTheme(const ThemeRecord& edited, MessagePrompt& prompt);

    // Save as: asks for a file name and writes the working theme; a theme saved in the Themes
    // folder is selected in the rebuilt list. Returns whether the list was rebuilt.
    bool SaveAs(clsComDlg& dialog, MessagePrompt& prompt, std::uintptr_t owner);

    // Deletes the selected theme's file after asking (only the user's themes are deleted); the
    // list is rebuilt and selects the working theme again, or the first listed theme when that
    // file is gone. Returns whether the list was rebuilt.
    bool DeleteSelected(MessagePrompt& prompt);

    // The dialog's members.
    std::vector<std::string> fileNames;
    std::vector<std::string> titles;
    std::int32_t count = 0;
    ThemeRecord workingTheme;
    std::string workingName;
    bool loading = false;

    // What the controls show.
    std::int32_t cycleRow = 0;                                   // cboCycle
    bool topMost = false;                                        // chkTopMost
    bool iconGraphChecked = false;                               // chkIconGraphMode
    std::array<OptionState, kIconModeChoices.size()> iconModes;  // optIconGraphMode, left to right
    std::vector<ThemeListItem> themeItems;                       // cboThemeName
    std::int32_t themeRow = -1;                                  // its selected row, -1 for none
    std::string themeNameLabel;                                  // lblThemeName
    bool deleteEnabled = false;                                  // cmdDelete
    bool autostart = false;                                      // chkAutostart
    bool autostartEnabled = false;                               // chkAutostart can be changed
    bool processorUtility = false;                               // chkCpuFigure, where offered
    bool eachProcessor = false;                                  // chkCpuView, where offered
    bool alert = false;                                          // chkAlert
    std::string alertPercent;                                    // txtAlertPercent
    std::string alertSeconds;                                    // txtAlertSeconds

  private:
    bool ApplyAutostart();
    void ApplyAlert();

    ProgramState& program_;
    Autostart* autostart_ = nullptr;
    std::string programPath_;
    bool autostartApplied_ = false;  // what the entry was at opening or at the last apply
    bool trayHost_ = true;
    bool figuresOffered_;
    bool cpuViewOffered_ = ProcessorsOffered();
    SettingsRecord& settings_;
    ThemeRecord& currentTheme_;
};

}  // namespace moravel
