// The setup dialog: redraw cycle, the figure shown, always-on-top, the tray-icon graph, the start
// at log-on and the theme, with the commands that edit, save and delete theme files. A dialog of
// the resource script; the decisions are SetupDialog's: this window shows its state, writes the
// user's changes into it and forwards the buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/app/Help.h"
#include "core/dialogs/ComDlg.h"
#include "core/dialogs/SetupDialog.h"
#include "core/os/Autostart.h"

namespace moravel {

// The help topic of the setup dialog's control `id`; None for the controls without one.
HelpContext SetupHelpContext(int id);

class fomSetup {
  public:
    // Runs the theme editor modally over the program's editorTheme, owned by `owner`.
    using ThemeEditorRunner = std::function<void(HWND owner)>;

    // `program` holds the settings and themes the dialog shows and applies. `trayHost` tells
    // whether the tray icon is up. `resetPicture` is the main window's rebuild, run when choices
    // are applied. Without an `editor` the 編集... button is disabled. `autostart` keeps the
    // log-on entry (null: none, the box is disabled).
    fomSetup(HWND mainWindow, ProgramState& program, clsComDlg& comDlg, bool trayHost,
             std::function<void()> resetPicture, ThemeEditorRunner editor,
             std::unique_ptr<Autostart> autostart);
    ~fomSetup();
    fomSetup(const fomSetup&) = delete;
    fomSetup& operator=(const fomSetup&) = delete;

    // Shows the dialog modally; IDOK or IDCANCEL.
    INT_PTR Show();
    // Opens it without waiting (the same dialog procedure), for a caller that runs the messages.
    HWND Create();

    HWND hwnd() const { return hwnd_; }
    SetupDialog& state() { return state_; }
    // IDOK or IDCANCEL once closed, 0 while open.
    INT_PTR result() const { return result_; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Form_Load();
    void SetCaptions();
    void FitTrayNote();
    void ShowState();
    void ShowTrayControls();
    void ShowThemeList();
    void ShowThemeSelection();
    void Close(INT_PTR result);
    // ApplySettings, telling the user when the log-on entry could not be changed. False when an
    // alert value must be corrected first: nothing was applied.
    bool Apply();
    void ShowAlertControls();
    void Form_Help(const HELPINFO& info);

    void Control_Command(int id, int code);
    void Option_Click(int id);
    void cboThemeName_Click();
    void chkIconGraphMode_Click();
    void cmdExit_Click();
    void cmdCancel_Click();
    void cmdUpdate_Click();
    void cmdEdit_Click();
    void cmdSaveAs_Click();
    void cmdDelete_Click();

    HWND mainWindow_;
    ProgramState& program_;
    SetupDialog state_;
    clsComDlg& comDlg_;
    bool trayHost_;
    std::function<void()> resetPicture_;
    ThemeEditorRunner editor_;
    std::unique_ptr<Autostart> autostart_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    INT_PTR result_ = 0;
};

}  // namespace moravel
