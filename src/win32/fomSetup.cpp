#include "win32/fomSetup.h"

#include <array>
#include <utility>

#include "core/app/Texts.h"
#include "core/os/FileSystem.h"
#include "core/os/WideText_win.h"
#include "win32/Accessible.h"
#include "win32/DialogItems.h"
#include "win32/FileDialog.h"
#include "win32/HelpLauncher.h"
#include "win32/Prompts.h"
#include "win32/WindowHelpers.h"
#include "win32/fomSetupResources.h"

namespace moravel {
namespace {

constexpr std::array<int, 4> kOptionIds = {IDC_SETUP_OPTION0, IDC_SETUP_OPTION1, IDC_SETUP_OPTION2,
                                           IDC_SETUP_OPTION3};

// A control that was disabled while it had the keyboard leaves it to the next one.
void KeepFocusUsable(HWND dialog) {
    const HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == dialog && IsWindowEnabled(focus) == FALSE) {
        SendMessageW(dialog, WM_NEXTDLGCTL, 0, FALSE);
    }
}

}  // namespace

HelpContext SetupHelpContext(int id) {
    switch (id) {
        case IDC_SETUP_LABEL1:
        case IDC_SETUP_CYCLE:
            return kHelpSetupCycle;
        case IDC_SETUP_TOPMOST:
            return kHelpSetupTopMost;
        case IDC_SETUP_AUTOSTART:
            return kHelpSetupAutostart;
        case IDC_SETUP_CPUFIGURE:
            return kHelpSetupCpuFigure;
        case IDC_SETUP_CPUVIEW:
            return kHelpSetupCpuView;
        case IDC_SETUP_ALERT:
        case IDC_SETUP_ALERTPERCENTLABEL:
        case IDC_SETUP_ALERTPERCENT:
        case IDC_SETUP_ALERTSECONDSLABEL:
        case IDC_SETUP_ALERTSECONDS:
            return kHelpSetupAlert;
        case IDC_SETUP_FRAME1:
        case IDC_SETUP_THEMENAME:
            return kHelpSetupTheme;
        case IDC_SETUP_SAVEAS:
            return kHelpSetupSaveAs;
        case IDC_SETUP_DELETE:
            return kHelpSetupDelete;
        case IDC_SETUP_EDIT:
            return kHelpSetupEdit;
        case IDOK:
            return kHelpSetupOk;
        case IDCANCEL:
            return kHelpSetupCancel;
        case IDC_SETUP_UPDATE:
            return kHelpSetupUpdate;
        default:
            return HelpContext::None;  // the tray-icon controls and the file-name label
    }
}

fomSetup::fomSetup(HWND mainWindow, ProgramState& program, clsComDlg& comDlg, bool trayHost,
                   std::function<void()> resetPicture, ThemeEditorRunner editor,
                   std::unique_ptr<Autostart> autostart)
    : mainWindow_(mainWindow),
      program_(program),
      state_(program),
      comDlg_(comDlg),
      trayHost_(trayHost),
      resetPicture_(std::move(resetPicture)),
      editor_(std::move(editor)),
      autostart_(std::move(autostart)) {}

fomSetup::~fomSetup() {
    if (hwnd_ != nullptr && !modal_) {
        DestroyWindow(hwnd_);
    }
}

INT_PTR fomSetup::Show() {
    modal_ = true;
    result_ = 0;
    RunDialog(IDD_SETUP, mainWindow_, &fomSetup::DialogProc, reinterpret_cast<LPARAM>(this));
    return result_ != 0 ? result_ : IDCANCEL;  // also when it was closed with its owner
}

HWND fomSetup::Create() {
    modal_ = false;
    result_ = 0;
    MakeDialog(IDD_SETUP, mainWindow_, &fomSetup::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd_;
}

INT_PTR CALLBACK fomSetup::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return ServeDialog(dialog, message, wParam, lParam, &fomSetup::hwnd_, &fomSetup::HandleMessage);
}

INT_PTR fomSetup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Form_Load();
            return TRUE;  // the first control takes the keyboard
        case WM_COMMAND:
            Control_Command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_HELP:
            Form_Help(*reinterpret_cast<const HELPINFO*>(lParam));
            return TRUE;
        default:
            return FALSE;
    }
}

void fomSetup::Form_Load() {
    SetCaptions();
    state_.UseAutostart(autostart_.get(), autostart_ ? ExecutablePath() : std::string());
    state_.SetTrayHost(trayHost_);
    state_.Load();
    FitTrayNote();
    // The lists' own text is their choice: a reader hears their label (the theme's is its frame).
    NameByLabel(hwnd_, IDC_SETUP_CYCLE, IDC_SETUP_LABEL1);
    NameByLabel(hwnd_, IDC_SETUP_THEMENAME, IDC_SETUP_FRAME1);
    ShowState();
    EnableItem(hwnd_, IDC_SETUP_EDIT, static_cast<bool>(editor_));
    if (mainWindow_ != nullptr) {
        PlaceDialog(hwnd_, mainWindow_, PlaceMode::Beside);
    }
    // Above the always-on-top main window. Making the dialog a normal window again may take its
    // owner out of the top band with it, so the main window's place there is asserted again; the
    // dialog, owned by it, stays above it.
    if (KeepsOnTop(program_.settings.TopMost)) {
        BringToFront(hwnd_);
        if (mainWindow_ != nullptr) {
            SetTopMost(mainWindow_);
        }
    }
}

void fomSetup::SetCaptions() {
    SetWindowTextW(hwnd_, Utf8ToWide(Localised(kSetupCaption)).c_str());
    for (const CycleChoice& choice : kCycleChoices) {
        AddRow(hwnd_, IDC_SETUP_CYCLE, Localised(choice.text), choice.seconds);
    }
    for (std::size_t i = 0; i < kOptionIds.size(); ++i) {
        SetItemText(hwnd_, kOptionIds[i], Localised(kIconModeChoices[i].caption));
    }
    SetItemText(hwnd_, IDC_SETUP_NOTRAY, Localised(kNoTrayText));
    SetItemText(hwnd_, IDC_SETUP_AUTOSTART, Localised(kAutostartCaption));
    SetItemText(hwnd_, IDC_SETUP_CPUFIGURE, Localised(kCpuFigureCaption));
    SetItemText(hwnd_, IDC_SETUP_CPUVIEW, Localised(kCpuViewCaption));
    SetItemText(hwnd_, IDC_SETUP_ALERT, Localised(kAlertCaption));
    SetItemText(hwnd_, IDC_SETUP_ALERTPERCENTLABEL, Localised(kAlertPercentCaption));
    SetItemText(hwnd_, IDC_SETUP_ALERTPERCENTUNIT, Localised(kAlertPercentUnit));
    SetItemText(hwnd_, IDC_SETUP_ALERTSECONDSLABEL, Localised(kAlertSecondsCaption));
    SetItemText(hwnd_, IDC_SETUP_ALERTSECONDSUNIT, Localised(kAlertSecondsUnit));
}

// The note on the missing tray host stands only where there is none; otherwise its room goes.
void fomSetup::FitTrayNote() {
    if (!state_.TrayHost()) {
        return;
    }
    ShowItem(hwnd_, IDC_SETUP_NOTRAY, false);
    const int below = ItemRect(hwnd_, IDC_SETUP_AUTOSTART).top;
    CloseGapBelow(hwnd_, below, below - ItemRect(hwnd_, IDC_SETUP_NOTRAY).top);
}

void fomSetup::ShowState() {
    SelectRow(hwnd_, IDC_SETUP_CYCLE, state_.cycleRow);
    ShowItem(hwnd_, IDC_SETUP_CPUFIGURE, state_.CpuFigureOffered());
    SetChecked(hwnd_, IDC_SETUP_CPUFIGURE, state_.processorUtility);
    ShowItem(hwnd_, IDC_SETUP_CPUVIEW, state_.CpuViewOffered());
    SetChecked(hwnd_, IDC_SETUP_CPUVIEW, state_.eachProcessor);
    SetChecked(hwnd_, IDC_SETUP_TOPMOST, state_.topMost);
    SetChecked(hwnd_, IDC_SETUP_ICONGRAPH, state_.iconGraphChecked);
    for (std::size_t i = 0; i < kOptionIds.size(); ++i) {
        SetChecked(hwnd_, kOptionIds[i], state_.iconModes[i].selected);
    }
    ShowTrayControls();
    SetChecked(hwnd_, IDC_SETUP_AUTOSTART, state_.autostart);
    EnableItem(hwnd_, IDC_SETUP_AUTOSTART, state_.autostartEnabled);
    SetChecked(hwnd_, IDC_SETUP_ALERT, state_.alert);
    SetItemText(hwnd_, IDC_SETUP_ALERTPERCENT, state_.alertPercent);
    SetItemText(hwnd_, IDC_SETUP_ALERTSECONDS, state_.alertSeconds);
    ShowAlertControls();
    ShowThemeList();
}

void fomSetup::ShowAlertControls() {
    for (const int id :
         {IDC_SETUP_ALERTPERCENTLABEL, IDC_SETUP_ALERTPERCENT, IDC_SETUP_ALERTPERCENTUNIT,
          IDC_SETUP_ALERTSECONDSLABEL, IDC_SETUP_ALERTSECONDS, IDC_SETUP_ALERTSECONDSUNIT}) {
        EnableItem(hwnd_, id, state_.AlertFieldsEnabled());
    }
    KeepFocusUsable(hwnd_);
}

void fomSetup::ShowTrayControls() {
    EnableItem(hwnd_, IDC_SETUP_ICONGRAPH, state_.IconGraphBoxEnabled());
    for (const int id : kOptionIds) {
        EnableItem(hwnd_, id, state_.IconModesEnabled());
    }
    ShowItem(hwnd_, IDC_SETUP_NOTRAY, !state_.TrayHost());
}

void fomSetup::ShowThemeList() {
    ClearRows(hwnd_, IDC_SETUP_THEMENAME);
    for (const ThemeListItem& item : state_.themeItems) {
        AddRow(hwnd_, IDC_SETUP_THEMENAME, item.text, item.itemData);
    }
    ShowThemeSelection();
}

void fomSetup::ShowThemeSelection() {
    SelectRow(hwnd_, IDC_SETUP_THEMENAME, state_.themeRow);
    SetItemText(hwnd_, IDC_SETUP_THEMEFILE, state_.themeNameLabel);
    EnableItem(hwnd_, IDC_SETUP_DELETE, state_.deleteEnabled);
    KeepFocusUsable(hwnd_);
}

void fomSetup::Control_Command(int id, int code) {
    if (code == CBN_SELCHANGE && id == IDC_SETUP_CYCLE) {
        state_.cycleRow = SelectedRow(hwnd_, IDC_SETUP_CYCLE);
    } else if (code == CBN_SELCHANGE && id == IDC_SETUP_THEMENAME) {
        cboThemeName_Click();
    } else if (code == EN_CHANGE && id == IDC_SETUP_ALERTPERCENT) {
        state_.alertPercent = ItemText(hwnd_, id);
    } else if (code == EN_CHANGE && id == IDC_SETUP_ALERTSECONDS) {
        state_.alertSeconds = ItemText(hwnd_, id);
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
        case IDC_SETUP_TOPMOST:
            state_.topMost = IsChecked(hwnd_, id);
            break;
        case IDC_SETUP_ICONGRAPH:
            chkIconGraphMode_Click();
            break;
        case IDC_SETUP_OPTION0:
        case IDC_SETUP_OPTION1:
        case IDC_SETUP_OPTION2:
        case IDC_SETUP_OPTION3:
            Option_Click(id);
            break;
        case IDC_SETUP_AUTOSTART:
            state_.autostart = IsChecked(hwnd_, id);
            break;
        case IDC_SETUP_CPUFIGURE:
            state_.processorUtility = IsChecked(hwnd_, id);
            break;
        case IDC_SETUP_CPUVIEW:
            state_.eachProcessor = IsChecked(hwnd_, id);
            break;
        case IDC_SETUP_ALERT:
            state_.alert = IsChecked(hwnd_, id);
            ShowAlertControls();
            break;
        case IDOK:
            cmdExit_Click();
            break;
        case IDCANCEL:
            cmdCancel_Click();
            break;
        case IDC_SETUP_UPDATE:
            cmdUpdate_Click();
            break;
        case IDC_SETUP_EDIT:
            cmdEdit_Click();
            break;
        case IDC_SETUP_SAVEAS:
            cmdSaveAs_Click();
            break;
        case IDC_SETUP_DELETE:
            cmdDelete_Click();
            break;
        default:
            break;
    }
}

void fomSetup::Option_Click(int id) {
    for (std::size_t i = 0; i < kOptionIds.size(); ++i) {
        if (kOptionIds[i] == id && IsChecked(hwnd_, id)) {
            state_.SelectIconMode(kIconModeChoices[i].index());
        }
    }
}

void fomSetup::cboThemeName_Click() {
    state_.SelectThemeRow(SelectedRow(hwnd_, IDC_SETUP_THEMENAME));
    ShowThemeSelection();
}

void fomSetup::chkIconGraphMode_Click() {
    state_.SetIconGraph(IsChecked(hwnd_, IDC_SETUP_ICONGRAPH));
    ShowTrayControls();
}

bool fomSetup::Apply() {
    if (const std::optional<AlertInputProblem> problem = state_.CheckAlertInput()) {
        Win32MessagePrompt(hwnd_).Show(problem->message);
        const HWND field =
            GetDlgItem(hwnd_, problem->field == AlertField::Percent ? IDC_SETUP_ALERTPERCENT
                                                                    : IDC_SETUP_ALERTSECONDS);
        SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        SendMessageW(field, EM_SETSEL, 0, -1);
        return false;
    }
    const bool enabling = state_.autostart;
    if (!state_.ApplySettings()) {
        Win32MessagePrompt(hwnd_).Show(AutostartFailedMessage(enabling));
        SetChecked(hwnd_, IDC_SETUP_AUTOSTART, state_.autostart);
    }
    return true;
}

void fomSetup::Close(INT_PTR result) {
    result_ = result;
    if (modal_) {
        EndDialog(hwnd_, result);
    } else {
        DestroyWindow(hwnd_);
    }
}

void fomSetup::cmdExit_Click() {
    if (!Apply()) {
        return;  // a value to correct first
    }
    // Redrawn before the dialog closes, so no tick in between draws the new settings with the
    // pictures of the old theme.
    if (resetPicture_) {
        resetPicture_();
    }
    Close(IDOK);
}

void fomSetup::cmdCancel_Click() {
    Close(IDCANCEL);
}

void fomSetup::cmdUpdate_Click() {
    if (!Apply()) {
        return;
    }
    if (resetPicture_) {
        resetPicture_();
    }
}

void fomSetup::cmdEdit_Click() {
    if (!editor_) {
        return;
    }
    program_.editorTheme = state_.workingTheme;
    editor_(hwnd_);
    Win32MessagePrompt prompt(hwnd_);
    if (state_.TakeEditedTheme(program_.editorTheme, prompt)) {
        ShowState();
    }
}

void fomSetup::cmdSaveAs_Click() {
    Win32MessagePrompt prompt(hwnd_);
    state_.SaveAs(comDlg_, prompt, Win32FileDialog::OwnerHandle(hwnd_));
    ShowState();
}

void fomSetup::cmdDelete_Click() {
    Win32MessagePrompt prompt(hwnd_);
    if (state_.DeleteSelected(prompt)) {
        ShowState();
    }
}

void fomSetup::Form_Help(const HELPINFO& info) {
    if (info.iContextType != HELPINFO_WINDOW) {
        return;
    }
    const HelpContext context = SetupHelpContext(info.iCtrlId);
    if (context != HelpContext::None) {
        ShowHelp(hwnd_, program_.helpFile, context);
    }
}

}  // namespace moravel
