#include "core/dialogs/SetupDialog.h"

#include <algorithm>

#include "core/app/Texts.h"
#include "core/base/Strings.h"
#include "core/config/Config.h"
#include "core/config/ThemeCatalogue.h"
#include "core/dialogs/ThemeFileFlows.h"
#include "core/os/Paths.h"

namespace moravel {

std::vector<ThemeListItem> SortedThemeItems(const std::vector<std::string>& fileNames,
                                            const std::vector<std::string>& titles,
                                            std::int32_t count) {
    std::vector<ThemeListItem> items;
    const std::size_t n =
        std::min({static_cast<std::size_t>(std::max(count, 0)), fileNames.size(), titles.size()});
    for (std::size_t i = 0; i < n; ++i) {
        std::string text = titles[i];
        if (fileNames[i].empty()) {
            text += Localised(kCustomThemeSuffix);
        }
        items.push_back({std::move(text), static_cast<std::int32_t>(i)});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const ThemeListItem& a, const ThemeListItem& b) {
                         return ToLowerAscii(a.text) < ToLowerAscii(b.text);
                     });
    return items;
}

SetupDialog::SetupDialog(ProgramState& program, bool figuresOffered)
    : iconModes{{{kIconModeChoices[0].index(), true},
                 {kIconModeChoices[1].index(), false},
                 {kIconModeChoices[2].index(), false},
                 {kIconModeChoices[3].index(), false}}},
      program_(program),
      figuresOffered_(figuresOffered),
      settings_(program.settings),
      currentTheme_(program.currentTheme) {}

MessageRequest AutostartFailedMessage(bool enabling) {
    MessageRequest failure;
    failure.text = Localised(enabling ? "ログオン時に起動するように設定できませんでした。"
                                      : "ログオン時の起動をやめるように設定できませんでした。");
    failure.caption = std::string(kAppTitle);
    failure.buttons = MessageButtons::Ok;
    failure.icon = MessageIcon::Exclamation;
    return failure;
}

void SetupDialog::UseAutostart(Autostart* entry, std::string programPath) {
    autostart_ = entry;
    programPath_ = std::move(programPath);
}

void SetupDialog::SetTrayHost(bool present) {
    trayHost_ = present;
}

void SetupDialog::Load() {
    workingName = settings_.ThemeName;
    workingTheme = currentTheme_;

    loading = true;
    FillThemeList(workingName);
    loading = false;

    topMost = KeepsOnTop(settings_.TopMost);

    // A mode that names no option button shows as none; the options keep their first selection.
    const TrayIconMode mode = settings_.IconGraphMode;
    iconGraphChecked = std::any_of(kIconModeChoices.begin(), kIconModeChoices.end(),
                                   [mode](const IconModeChoice& c) { return c.mode == mode; });
    if (iconGraphChecked) {
        SelectIconMode(IconModeOption(mode));
    }

    autostartEnabled = autostart_ != nullptr && !programPath_.empty();
    autostart = autostartEnabled && autostart_->StartsProgram(programPath_);
    autostartApplied_ = autostart;

    processorUtility = figuresOffered_ && AsksProcessorUtility(settings_.CpuFigure);
    eachProcessor = cpuViewOffered_ && ShowsProcessors(settings_.CpuView);

    alert = settings_.AlertPercent > 0;
    alertPercent = std::to_string(alert ? settings_.AlertPercent : kAlertPercentOffered);
    alertSeconds = std::to_string(settings_.AlertSeconds);

    cycleRow = 0;
    for (std::size_t i = 0; i < kCycleChoices.size(); ++i) {
        if (kCycleChoices[i].seconds == settings_.Cycle) {
            cycleRow = static_cast<std::int32_t>(i);
            break;
        }
    }
}

void SetupDialog::FillThemeList(std::string_view selectName) {
    count = ListThemes(fileNames, titles);
    themeItems = SortedThemeItems(fileNames, titles, count);
    themeRow = -1;

    std::int32_t sel = 0;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(themeItems.size()); ++i) {
        if (CompareFileNames(selectName, fileNames[static_cast<std::size_t>(i)]) == 0) {
            sel = i;  // a later match wins
        }
    }
    if (themeItems.empty()) {
        // Nothing is selected, so there is nothing to delete either.
        themeNameLabel.clear();
        deleteEnabled = false;
        return;
    }
    const auto row =
        std::find_if(themeItems.begin(), themeItems.end(),
                     [sel](const ThemeListItem& item) { return item.itemData == sel; });
    SelectThemeRow(static_cast<std::int32_t>(row - themeItems.begin()));
}

void SetupDialog::SelectThemeRow(std::int32_t row) {
    if (row < 0 || row >= static_cast<std::int32_t>(themeItems.size())) {
        return;
    }
    themeRow = row;
    const std::string& name =
        fileNames[static_cast<std::size_t>(themeItems[static_cast<std::size_t>(row)].itemData)];
    deleteEnabled = IsUserTheme(name);  // not the custom theme, nor a shipped one
    themeNameLabel = name;
    if (!loading) {
        // A theme that vanished since the listing leaves the working theme as it was.
        ThemeRecord temp;
        if (LoadTheme(temp, name)) {
            workingTheme = std::move(temp);
            workingName = name;
        }
    }
}

void SetupDialog::SetIconGraph(bool checked) {
    iconGraphChecked = checked;
}

void SetupDialog::SelectIconMode(std::int32_t index) {
    for (OptionState& option : iconModes) {
        option.selected = option.index == index;
    }
}

TrayIconMode SetupDialog::SelectedIconMode() const {
    return static_cast<TrayIconMode>(SelectedOptionIndex(iconModes, 0));
}

std::int32_t SetupDialog::SelectedCycle() const {
    const std::size_t row =
        cycleRow >= 0 && cycleRow < static_cast<std::int32_t>(kCycleChoices.size())
            ? static_cast<std::size_t>(cycleRow)
            : 0;
    return kCycleChoices[row].seconds;
}

bool SetupDialog::ApplySettings() {
    settings_.TopMost = topMost ? TopMostMode::OnTop : TopMostMode::Normal;
    settings_.Cycle = SelectedCycle();
    settings_.IconGraphMode = iconGraphChecked ? SelectedIconMode() : TrayIconMode::Off;
    settings_.ThemeName = workingName;
    if (figuresOffered_) {
        settings_.CpuFigure =
            processorUtility ? UsageFigure::ProcessorUtility : UsageFigure::ProcessorTime;
    }
    if (cpuViewOffered_) {
        settings_.CpuView = eachProcessor ? CpuViewMode::Processors : CpuViewMode::Total;
    }
    ApplyAlert();
    currentTheme_ = workingTheme;
    return ApplyAutostart();
}

namespace {

std::optional<std::int32_t> WholeNumberIn(const std::string& text, std::int32_t least,
                                          std::int32_t most) {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty() || trimmed.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;  // digits only: no sign, fraction or &H
    }
    const std::optional<std::int32_t> value = ParseInt32(trimmed);
    if (!value || *value < least || *value > most) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<AlertInputProblem> SetupDialog::CheckAlertInput() const {
    if (!alert) {
        return std::nullopt;
    }
    const auto problem = [](AlertField field, std::string text) {
        MessageRequest message;
        message.text = std::move(text);
        message.caption = std::string(kAppTitle);
        message.buttons = MessageButtons::Ok;
        message.icon = MessageIcon::Exclamation;
        return AlertInputProblem{field, std::move(message)};
    };
    if (!WholeNumberIn(alertPercent, kAlertPercentLeast, kAlertPercentMost)) {
        return problem(
            AlertField::Percent,
            LocalisedWith("しきい値には %1 から %2 までの整数を入力してください。",
                          {std::to_string(kAlertPercentLeast), std::to_string(kAlertPercentMost)}));
    }
    if (!WholeNumberIn(alertSeconds, kAlertSecondsLeast, kAlertSecondsMost)) {
        return problem(
            AlertField::Seconds,
            LocalisedWith("継続時間には %1 から %2 までの整数を入力してください。",
                          {std::to_string(kAlertSecondsLeast), std::to_string(kAlertSecondsMost)}));
    }
    return std::nullopt;
}

void SetupDialog::ApplyAlert() {
    // Values that do not pass CheckAlertInput leave the settings as they were.
    if (!alert) {
        if (settings_.AlertPercent > 0) {
            settings_.AlertPercent = 0;  // the seconds stay for the next time
        }
        return;
    }
    const auto percent = WholeNumberIn(alertPercent, kAlertPercentLeast, kAlertPercentMost);
    const auto seconds = WholeNumberIn(alertSeconds, kAlertSecondsLeast, kAlertSecondsMost);
    if (percent && seconds) {
        settings_.AlertPercent = *percent;
        settings_.AlertSeconds = *seconds;
    }
}

bool SetupDialog::ApplyAutostart() {
    // Only a change of the box acts: an entry of another copy of the program, which shows as
    // off, is not removed by applying an unchanged box.
    if (!autostartEnabled || autostart == autostartApplied_) {
        return true;
    }
    if (autostart ? autostart_->Enable(programPath_) : autostart_->Disable()) {
        autostartApplied_ = autostart;
        return true;
    }
    autostart = autostart_->StartsProgram(programPath_);
    autostartApplied_ = autostart;
    return false;
}

bool SetupDialog::TakeEditedTheme(const ThemeRecord& edited, MessagePrompt& prompt) {
    if (!ThemesDiffer(workingTheme, edited)) {
        return false;
    }
    workingTheme = edited;
    workingName.clear();
    if (SaveTheme(workingTheme, "", program_.version) < 0) {
        // Rebuilding the list now would select and read some other theme in place of the edited
        // one; it stays in hand instead, for OK or 更新 to apply.
        prompt.Show(SaveFailedMessage(kCustomThemeFileName));
        return true;
    }
    FillThemeList("");
    return true;
}

bool SetupDialog::SaveAs(clsComDlg& dialog, MessagePrompt& prompt, std::uintptr_t owner) {
    if (!SaveThemeAs(dialog, prompt, owner, workingTheme, workingName, program_.version)) {
        return false;
    }
    FillThemeList(workingName);
    return true;
}

bool SetupDialog::DeleteSelected(MessagePrompt& prompt) {
    if (themeRow < 0 || themeRow >= static_cast<std::int32_t>(themeItems.size())) {
        return false;
    }
    const auto sel =
        static_cast<std::size_t>(themeItems[static_cast<std::size_t>(themeRow)].itemData);
    if (fileNames[sel].empty()) {
        return false;  // the custom theme is never deleted
    }
    // Copies: the listing is rebuilt below.
    const std::string title = titles[sel];
    const std::string name = fileNames[sel];
    if (!DeleteThemeFile(prompt, title, name)) {
        return false;
    }
    FillThemeList(workingName);
    return true;
}

}  // namespace moravel
