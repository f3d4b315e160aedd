// The theme editor: every field of one theme on five pages, with colour and font dialogs.
// The setup dialog fills the program's editorTheme, calls Edit() and reads it back on 0. The
// controls and their places come from the form fomThemeSetup.ui; this class binds them to the
// editor's state.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "core/app/ProgramState.h"
#include "core/config/Theme.h"
#include "core/dialogs/ThemeEditorState.h"
#include "qt/QtFontEngine.h"
#include "qt/QtImageLoader.h"

class QButtonGroup;
class QLabel;
class QPushButton;

namespace Ui {
class fomThemeSetup;
}

namespace moravel {

class fomThemeSetup : public QDialog {
    Q_OBJECT
  public:
    // `owner` is the window the editor cascades from (the setup dialog); it may be null.
    fomThemeSetup(QWidget* owner, ProgramState& program);
    ~fomThemeSetup() override;

    // Shows the editor modally on a copy of the program's editorTheme. Returns 0 after OK, with
    // the edited theme in editorTheme; -1 after cancel or closing the window, with editorTheme
    // unchanged.
    int Edit();

    // The editor's state, for tests.
    const ThemeEditorState& state() const { return *state_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // A colour's caption, swatch and "..." button.
    struct SwatchRow {
        QLabel* caption = nullptr;
        QLabel* swatch = nullptr;
        QPushButton* button = nullptr;
    };
    // A line page's controls.
    struct LineControls {
        QButtonGroup* type = nullptr;
        std::array<SwatchRow, 3> colour;
        QLabel* lineTypeCaption = nullptr;
        QButtonGroup* lineType = nullptr;
        QLabel* lineModeCaption = nullptr;
        QButtonGroup* lineMode = nullptr;
    };

    // The constructor's steps after the form: what the form cannot hold, then the signals.
    void BindControls();
    void FitToFontAndPictures();
    void SetHelpContexts();
    void ConnectPages();
    void ConnectGraphAndBackPages();
    void ConnectLinePage(bool vertical);
    void ConnectTextPage();
    // A colour's "..." button opens the colour dialog on `colour`.
    void ConnectSwatch(const SwatchRow& row, std::int32_t& colour);

    void Form_Load();
    // Shows the state: every control's value, the enabling rules and the pictures.
    void WriteWidgets();
    void WriteGraphPage();
    void WriteBackPage();
    void WriteLinePage(LineControls& c, const OptionButtons& type,
                       const std::array<std::int32_t, 3>& colours, const OptionButtons& lineType,
                       const OptionButtons& lineMode, const LinePageEnabling& e);
    void WriteTextPage();
    void ShowPictures();
    // The colour dialog for one swatch; a chosen colour replaces the swatch's.
    void PickColour(std::int32_t& swatch);
    void cmdExit_Click();
    void cmdTextFont_Click();

    ProgramState& program_;
    int pixelScale_;  // device pixels per pixel of the pictures
    QtFontEngine fonts_;
    QtImageLoader images_;
    std::unique_ptr<ThemeEditorState> state_;
    bool writing_ = false;  // the widgets are being written from the state

    std::unique_ptr<Ui::fomThemeSetup> ui_;
    std::array<SwatchRow, 3> foreColor_;
    SwatchRow backColor_;
    LineControls vLine_;
    LineControls hLine_;
    std::array<SwatchRow, 3> textColor_;
};

}  // namespace moravel
