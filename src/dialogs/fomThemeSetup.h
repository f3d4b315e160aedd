// The theme editor: every field of one theme on five pages, with colour and font dialogs.
// The setup dialog fills gEditorTheme, calls Edit() and reads gEditorTheme back on 0.
#pragma once

#include <QDialog>

#include "config/Theme.h"

namespace moravel {

class fomThemeSetup : public QDialog {
    Q_OBJECT
  public:
    explicit fomThemeSetup(QWidget* owner);
    ~fomThemeSetup() override;

    // Shows the editor modally on a copy of gEditorTheme. Returns 0 after OK, with the edited
    // theme in gEditorTheme; -1 after cancel or closing the window, with gEditorTheme unchanged.
    int Edit();

  private:
    void cmdExit_Click();

    ThemeRecord WorkTheme_;
    int EditResult_ = -1;
};

}  // namespace moravel
