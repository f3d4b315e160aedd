// The setup dialog: redraw cycle, always-on-top, the tray-icon graph, the start at log-on and the
// theme, with the commands that edit, save and delete theme files. The decisions are SetupDialog's;
// this window shows its state, writes the user's changes into it and forwards the buttons. Its
// controls and their places come from the form fomSetup.ui.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "core/dialogs/ComDlg.h"
#include "core/dialogs/SetupDialog.h"
#include "core/os/Autostart.h"

class QRadioButton;

namespace Ui {
class fomSetup;
}

namespace moravel {

class fomSetup : public QDialog {
    Q_OBJECT
  public:
    // Runs the theme editor modally over the program's editorTheme; its result is not looked at.
    using ThemeEditorRunner = std::function<int(QWidget* owner)>;

    // `program` holds the settings and themes the dialog shows and applies. `resetPicture` is
    // the main window's rebuild, run when choices are applied. `editor` may be replaced by tests;
    // empty runs fomThemeSetup.
    fomSetup(QWidget* mainWindow, ProgramState& program, clsComDlg& comDlg,
             std::function<void()> resetPicture, ThemeEditorRunner editor = {});

    ~fomSetup() override;

    SetupDialog& state() { return state_; }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The constructor's steps after the form: the core's texts, what follows the font, the help
    // topics, the signals.
    void ShowCoreTexts();
    void SetHelpContexts();
    void ConnectControls();

    void Form_Load(QWidget* mainWindow);
    void ShowState();
    void ShowTrayControls();
    void ShowThemeSelection();
    // ApplySettings, telling the user when the log-on entry could not be changed. False when an
    // alert value must be corrected first: nothing was applied.
    bool Apply();
    void ShowAlertControls();

    void cboThemeName_Click(int row);
    void chkIconGraphMode_Click(bool checked);
    void cmdExit_Click();
    void cmdUpdate_Click();
    void cmdEdit_Click();
    void cmdSaveAs_Click();
    void cmdDelete_Click();

    ProgramState& program_;
    SetupDialog state_;
    clsComDlg& comDlg_;
    std::function<void()> resetPicture_;
    ThemeEditorRunner editor_;
    std::unique_ptr<Autostart> autostart_;

    std::unique_ptr<Ui::fomSetup> ui_;
    std::array<QRadioButton*, kIconModeChoices.size()> optIconGraphMode_{};  // left to right
};

}  // namespace moravel
