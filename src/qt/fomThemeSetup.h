// The theme editor: every field of one theme on five pages, with colour and font dialogs.
// The setup dialog fills the program's editorTheme, calls Edit() and reads it back on 0.
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
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QStackedWidget;
class QVBoxLayout;

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

    struct LineControls;

    // The constructor's steps, top to bottom.
    QLabel* MakeTitle();  // returns the title's caption
    void MakePageButtons();
    void BuildPages();
    void MakeButtons();
    void LayOutDialog(QLabel* titleCaption);

    // The pages and their parts.
    QGroupBox* BuildGraphPage();
    QGroupBox* BuildBackPage();
    QGroupBox* BuildLinePage(bool vertical);
    void MakeLineControls(bool vertical);
    QGroupBox* BuildTextPage();
    void MakeTextTypeControls();
    QHBoxLayout* MakeAdditionalTextRow();
    QVBoxLayout* MakeTextFontColumn();
    QVBoxLayout* MakeTextPositionColumn();
    QButtonGroup* MakeOptions(const char* name, std::initializer_list<const char*> captions,
                              HelpContext helpContext, bool pushButtons = false);
    // A colour's row; its "..." button opens the colour dialog on `colour`.
    SwatchRow MakeSwatch(const char* name, int index, const char* caption, HelpContext helpContext,
                         std::int32_t& colour);
    // The pattern-number row of a page ("ForeNo" or "BackNo"): its caption, scroll bar, "n/N"
    // counter and preview, put into `grid` at `row`.
    void MakePatternRow(QGridLayout* grid, int row, const char* name, HelpContext helpContext,
                        void (ThemeEditorState::*change)(std::int32_t), QLabel*& caption,
                        QScrollBar*& scroll, QLabel*& counter, QLabel*& preview);
    // The image-file row of a page ("ForeName" or "BackName"), put into `grid` at `row`.
    void MakeImageRow(QGridLayout* grid, int row, const char* name, HelpContext helpContext,
                      ImageList ThemeEditorState::*list, QLabel*& caption, QComboBox*& combo);
    // A page's type options in a column beside its three colours.
    static QHBoxLayout* TypeAndColourRow(QButtonGroup* types,
                                         const std::array<SwatchRow, 3>& colours);

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

    QLineEdit* txtTitle_ = nullptr;
    QButtonGroup* optPage_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;

    QButtonGroup* optForeType_ = nullptr;
    QCheckBox* chkForeEdge_ = nullptr;
    std::array<SwatchRow, 3> foreColor_;
    QLabel* lblForeNoLbl_ = nullptr;
    QScrollBar* hscForeNo_ = nullptr;
    QLabel* lblForeNo_ = nullptr;
    QLabel* picForeNo_ = nullptr;
    QLabel* lblForeName_ = nullptr;
    QComboBox* cboForeName_ = nullptr;
    QCheckBox* chkForePosition_ = nullptr;

    QButtonGroup* optBackType_ = nullptr;
    SwatchRow backColor_;
    QLabel* lblBackNoLbl_ = nullptr;
    QScrollBar* hscBackNo_ = nullptr;
    QLabel* lblBackNo_ = nullptr;
    QLabel* picBackNo_ = nullptr;
    QLabel* lblBackName_ = nullptr;
    QComboBox* cboBackName_ = nullptr;

    struct LineControls {
        QButtonGroup* type = nullptr;
        std::array<SwatchRow, 3> colour;
        QLabel* lineTypeCaption = nullptr;
        QButtonGroup* lineType = nullptr;
        QLabel* lineModeCaption = nullptr;
        QButtonGroup* lineMode = nullptr;
    };
    LineControls vLine_;
    LineControls hLine_;

    QButtonGroup* optTextType_ = nullptr;
    std::array<SwatchRow, 3> textColor_;
    QLineEdit* txtTextPrefix_ = nullptr;
    QLineEdit* txtTextSuffix_ = nullptr;
    QPushButton* cmdTextFont_ = nullptr;
    QLabel* picTextFont_ = nullptr;
    QFrame* Frame5_ = nullptr;
    QButtonGroup* optTextPosition_ = nullptr;
    QLabel* lblTextPosition_ = nullptr;
};

}  // namespace moravel
