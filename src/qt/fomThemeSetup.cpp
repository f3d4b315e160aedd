#include "qt/fomThemeSetup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "qt/ColorDialog.h"
#include "qt/FontDialog.h"
#include "qt/HelpViewer.h"
#include "qt/QtPrompts.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"
#include "qt/SurfaceImage.h"
#include "qt/WindowHelpers.h"
#include "ui_fomThemeSetup.h"

namespace moravel {
namespace {

double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

// Device pixels per pixel of the pictures: they are drawn at the screen's density, so the font
// sample stays sharp at 200 %.
int PixelScale() {
    return std::max(1, static_cast<int>(std::ceil(qApp->devicePixelRatio())));
}

QPixmap ToPixmap(const Surface& surface, int scale) {
    // A copy: the pixmap must not share the pixels the editor draws into next.
    QPixmap pixmap = QPixmap::fromImage(SurfaceImage(surface).copy());
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

// A swatch shows its colour and names it, with its caption, to a screen reader.
template <class Row>
void ShowColour(const Row& row, std::int32_t value) {
    QLabel* swatch = row.swatch;
    swatch->setAccessibleName(ToQString(SwatchName(ToStdString(row.caption->text()), value)));
    const Colour c = ResolveColour(static_cast<Colour>(value));
    QPalette palette = swatch->palette();
    const QColor colour(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)),
                        static_cast<int>(BlueOf(c)));
    palette.setColor(QPalette::Active, QPalette::Window, colour);
    palette.setColor(QPalette::Inactive, QPalette::Window, colour);
    palette.setColor(QPalette::Disabled, QPalette::Window, colour);
    swatch->setPalette(palette);
}

void Check(QButtonGroup* group, std::int32_t index) {
    if (QAbstractButton* button = group->button(index)) {
        button->setChecked(true);
    }
}

void EnableAll(QButtonGroup* group, bool enabled) {
    for (QAbstractButton* button : group->buttons()) {
        button->setEnabled(enabled);
    }
}

void Enable(const std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets) {
        widget->setEnabled(enabled);
    }
}

void FillCombo(QComboBox* combo, const ImageList& list) {
    combo->clear();
    for (const ImageListEntry& entry : list.entries) {
        combo->addItem(ToQString(entry.text), entry.itemData);
    }
    combo->setCurrentIndex(list.selected);
}

// The form puts each group's buttons in order; their ids are the state's option numbers.
void NumberButtons(QButtonGroup* group) {
    int id = 0;
    for (QAbstractButton* button : group->buttons()) {
        group->setId(button, id++);
    }
}

// The width of `text` in the font of `widget`.
int TextWidth(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().horizontalAdvance(text);
}

// The width of a caption's text with its '&' drawn as a character, as a label without a buddy
// measures it.
int LiteralTextWidth(const QLabel* caption) {
    const QRect room(0, 0, 2000, 2000);
    return caption->fontMetrics().boundingRect(room, Qt::AlignLeft, caption->text()).width();
}

// A picture's frame around `width` x `height` pixels, the size the state draws.
void SizePicture(QLabel* picture, int width, int height) {
    picture->setFixedSize(width + 2, height + 2);
}

}  // namespace

fomThemeSetup::fomThemeSetup(QWidget* owner, ProgramState& program)
    : QDialog(owner),
      program_(program),
      pixelScale_(PixelScale()),
      fonts_(LogicalDpi() * pixelScale_),
      state_(std::make_unique<ThemeEditorState>(fonts_, images_, pixelScale_)),
      ui_(std::make_unique<Ui::fomThemeSetup>()) {
    setWindowTitle(ToQString(Localised(kThemeEditorCaption)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui_->setupUi(this);
    BindControls();
    FitToFontAndPictures();
    SetHelpContexts();
    ConnectPages();
    ConnectGraphAndBackPages();
    ConnectLinePage(true);
    ConnectLinePage(false);
    ConnectTextPage();
    InstallHelpKey(this, program_.helpFile);
    EnsureQtTranslations();  // the title field's context menu
}

fomThemeSetup::~fomThemeSetup() = default;

void fomThemeSetup::BindControls() {
    const Ui::fomThemeSetup& u = *ui_;
    foreColor_ = {{{u.lblForeColorLbl_0, u.lblForeColor_0, u.cmdForeColor_0},
                   {u.lblForeColorLbl_1, u.lblForeColor_1, u.cmdForeColor_1},
                   {u.lblForeColorLbl_2, u.lblForeColor_2, u.cmdForeColor_2}}};
    backColor_ = {u.lblBackColorLbl, u.lblBackColor, u.cmdBackColor};
    vLine_ = {u.optGraphVType,
              {{{u.lblGraphVColorLbl_0, u.lblGraphVColor_0, u.cmdGraphVColor_0},
                {u.lblGraphVColorLbl_1, u.lblGraphVColor_1, u.cmdGraphVColor_1},
                {u.lblGraphVColorLbl_2, u.lblGraphVColor_2, u.cmdGraphVColor_2}}},
              u.lblGraphVLineType,
              u.optGraphVLineType,
              u.lblGraphVLineMode,
              u.optGraphVLineMode};
    hLine_ = {u.optGraphHType,
              {{{u.lblGraphHColorLbl_0, u.lblGraphHColor_0, u.cmdGraphHColor_0},
                {u.lblGraphHColorLbl_1, u.lblGraphHColor_1, u.cmdGraphHColor_1},
                {u.lblGraphHColorLbl_2, u.lblGraphHColor_2, u.cmdGraphHColor_2}}},
              u.lblGraphHLineType,
              u.optGraphHLineType,
              u.lblGraphHLineMode,
              u.optGraphHLineMode};
    textColor_ = {{{u.lblTextColorLbl_0, u.lblTextColor_0, u.cmdTextColor_0},
                   {u.lblTextColorLbl_1, u.lblTextColor_1, u.cmdTextColor_1},
                   {u.lblTextColorLbl_2, u.lblTextColor_2, u.cmdTextColor_2}}};
    for (QButtonGroup* group :
         {u.optPage, u.optForeType, u.optBackType, u.optGraphVType, u.optGraphVLineType,
          u.optGraphVLineMode, u.optGraphHType, u.optGraphHLineType, u.optGraphHLineMode,
          u.optTextType, u.optTextPosition}) {
        NumberButtons(group);
    }
}

// What the form cannot say: widths that follow the font, and the pictures' sizes, which the
// state decides.
void fomThemeSetup::FitToFontAndPictures() {
    const Ui::fomThemeSetup& u = *ui_;
    for (const auto* rows : {&foreColor_, &vLine_.colour, &hLine_.colour, &textColor_}) {
        for (const SwatchRow& row : *rows) {
            row.button->setFixedWidth(TextWidth(row.button, QStringLiteral("....")) + 16);
        }
    }
    backColor_.button->setFixedWidth(TextWidth(backColor_.button, QStringLiteral("....")) + 16);
    u.lblForeNo->setMinimumWidth(TextWidth(u.lblForeNo, QStringLiteral("000/000")));
    u.lblBackNo->setMinimumWidth(TextWidth(u.lblBackNo, QStringLiteral("000/000")));
    // As wide as the longest name of a position, and no narrower than the Japanese design.
    int positionWidth = TextWidth(u.lblTextPosition, ToQString("右上右"));
    for (std::int32_t i = 0; i < 9; ++i) {
        positionWidth =
            std::max(positionWidth, TextWidth(u.lblTextPosition, ToQString(TextPositionName(i))));
    }
    u.lblTextPosition->setMinimumWidth(positionWidth);
    for (QAbstractButton* button : u.optTextPosition->buttons()) {
        button->setAccessibleName(ToQString(TextPositionName(u.optTextPosition->id(button))));
    }
    // The line pages' captions keep the width they were first given, measured before they had
    // their buddies; the option rows beside them stay where they have always been.
    for (const LineControls* c : {&vLine_, &hLine_}) {
        for (QLabel* caption : {c->lineTypeCaption, c->lineModeCaption}) {
            caption->setMinimumWidth(LiteralTextWidth(caption));
        }
    }
    SizePicture(u.picForeNo, kPatternPreviewWidth, kPatternPreviewHeight);
    SizePicture(u.picBackNo, kPatternPreviewWidth, kPatternPreviewHeight);
    SizePicture(u.picTextFont, kFontSampleWidth, kFontSampleHeight);
}

void fomThemeSetup::SetHelpContexts() {
    namespace help = ThemeEditorHelp;
    const Ui::fomThemeSetup& u = *ui_;
    const std::pair<QButtonGroup*, HelpContext> groups[] = {
        {u.optPage, help::Pages},
        {u.optForeType, help::ForeType},
        {u.optBackType, help::BackType},
        {u.optGraphVType, help::VLineType},
        {u.optGraphVLineType, help::VLineKind},
        {u.optGraphVLineMode, help::VLineMode},
        {u.optGraphHType, help::HLineType},
        {u.optGraphHLineType, help::HLineKind},
        {u.optGraphHLineMode, help::HLineMode},
        {u.optTextType, help::TextType},
        {u.optTextPosition, help::TextPosition}};
    for (const auto& [group, context] : groups) {
        for (QAbstractButton* button : group->buttons()) {
            SetHelpContext(button, context);
        }
    }
    const std::pair<QWidget*, HelpContext> widgets[] = {
        {u.txtTitle, help::Title},
        {u.chkForeEdge, help::ForeEdge},
        {foreColor_[0].button, help::ForeLineColours},
        {foreColor_[1].button, help::ForeLineColours},
        {foreColor_[2].button, help::ForeGraphColour},
        {u.hscForeNo, help::ForeNo},
        {u.cboForeName, help::ForeName},
        {u.chkForePosition, help::ForePosition},
        {backColor_.button, help::BackColour},
        {u.hscBackNo, help::BackNo},
        {u.cboBackName, help::BackName},
        {textColor_[0].button, help::TextColour},
        {textColor_[1].button, help::TextEdgeColours},
        {textColor_[2].button, help::TextEdgeColours},
        {u.txtTextPrefix, help::TextAdditional},
        {u.txtTextSuffix, help::TextAdditional},
        {u.cmdTextFont, help::TextFont},
        {u.cmdExit, help::Ok},
        {u.cmdCancel, help::Cancel}};
    for (const auto& [widget, context] : widgets) {
        SetHelpContext(widget, context);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        SetHelpContext(vLine_.colour[i].button, help::VLineColours);
        SetHelpContext(hLine_.colour[i].button, help::HLineColours);
    }
}

void fomThemeSetup::ConnectSwatch(const SwatchRow& row, std::int32_t& colour) {
    // The "..." button is named after the colour it changes.
    row.button->setAccessibleName(ToQString(WithoutAccessKey(ToStdString(row.caption->text()))));
    connect(row.button, &QPushButton::clicked, this, [this, &colour] { PickColour(colour); });
}

void fomThemeSetup::ConnectPages() {
    connect(ui_->txtTitle, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!writing_) {
            state_->txtTitle = ToStdString(text);
        }
    });
    connect(ui_->optPage, &QButtonGroup::idClicked, this, [this](int index) {
        state_->SelectPage(index);
        WriteWidgets();
    });
    connect(ui_->cmdExit, &QPushButton::clicked, this, &fomThemeSetup::cmdExit_Click);
    connect(ui_->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void fomThemeSetup::ConnectGraphAndBackPages() {
    const Ui::fomThemeSetup& u = *ui_;
    connect(u.optForeType, &QButtonGroup::idClicked, this, [this](int index) {
        state_->SelectForeType(index);
        WriteWidgets();
    });
    connect(u.chkForeEdge, &QCheckBox::clicked, this, [this](bool ticked) {
        state_->SetForeEdge(ticked);
        WriteWidgets();
    });
    connect(u.chkForePosition, &QCheckBox::clicked, this,
            [this](bool ticked) { state_->SetForePosition(ticked); });
    connect(u.optBackType, &QButtonGroup::idClicked, this, [this](int index) {
        state_->SelectBackType(index);
        WriteWidgets();
    });
    for (std::size_t i = 0; i < 3; ++i) {
        ConnectSwatch(foreColor_[i], state_->lblForeColor[i]);
    }
    ConnectSwatch(backColor_, state_->lblBackColor);
    // The pattern numbers and the image files.
    const auto pattern = [this](QScrollBar* scroll,
                                void (ThemeEditorState::*change)(std::int32_t)) {
        connect(scroll, &QScrollBar::valueChanged, this, [this, change](int value) {
            if (!writing_) {
                ((*state_).*change)(value);
                WriteWidgets();
            }
        });
    };
    pattern(u.hscForeNo, &ThemeEditorState::SetForePattern);
    pattern(u.hscBackNo, &ThemeEditorState::SetBackPattern);
    const auto image = [this](QComboBox* combo, ImageList ThemeEditorState::*list) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, list](int index) {
            if (!writing_) {
                ((*state_).*list).selected = index;
            }
        });
    };
    image(u.cboForeName, &ThemeEditorState::cboForeName);
    image(u.cboBackName, &ThemeEditorState::cboBackName);
}

void fomThemeSetup::ConnectLinePage(bool vertical) {
    const LineControls& c = vertical ? vLine_ : hLine_;
    connect(c.type, &QButtonGroup::idClicked, this, [this, vertical](int index) {
        if (vertical) {
            state_->SelectVLineType(index);
        } else {
            state_->SelectHLineType(index);
        }
        WriteWidgets();
    });
    for (std::size_t i = 0; i < 3; ++i) {
        ConnectSwatch(c.colour[i], (vertical ? state_->lblGraphVColor : state_->lblGraphHColor)[i]);
    }
    connect(c.lineType, &QButtonGroup::idClicked, this, [this, vertical](int index) {
        (vertical ? state_->optGraphVLineType : state_->optGraphHLineType).Select(index);
    });
    connect(c.lineMode, &QButtonGroup::idClicked, this, [this, vertical](int index) {
        (vertical ? state_->optGraphVLineMode : state_->optGraphHLineMode).Select(index);
    });
}

void fomThemeSetup::ConnectTextPage() {
    const Ui::fomThemeSetup& u = *ui_;
    connect(u.optTextType, &QButtonGroup::idClicked, this, [this](int index) {
        state_->SelectTextType(index);
        WriteWidgets();
    });
    for (std::size_t i = 0; i < 3; ++i) {
        ConnectSwatch(textColor_[i], state_->lblTextColor[i]);
    }
    connect(u.txtTextPrefix, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!writing_) {
            state_->SetTextPrefix(ToStdString(text));
            ShowPictures();
        }
    });
    connect(u.txtTextSuffix, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!writing_) {
            state_->SetTextSuffix(ToStdString(text));
            ShowPictures();
        }
    });
    connect(u.cmdTextFont, &QPushButton::clicked, this, &fomThemeSetup::cmdTextFont_Click);
    connect(u.optTextPosition, &QButtonGroup::idClicked, this, [this](int index) {
        state_->SelectTextPosition(index);
        WriteWidgets();
    });
}

int fomThemeSetup::Edit() {
    state_->Begin(program_.editorTheme);
    Form_Load();
    exec();
    if (state_->EditResult >= 0) {
        program_.editorTheme = state_->WorkTheme;
        return state_->EditResult;
    }
    return -1;
}

void fomThemeSetup::Form_Load() {
    state_->Load();
    writing_ = true;
    FillCombo(ui_->cboForeName, state_->cboForeName);
    FillCombo(ui_->cboBackName, state_->cboBackName);
    writing_ = false;
    WriteWidgets();
    adjustSize();
    QWidget* owner = parentWidget();
    if (owner != nullptr && owner->isVisible()) {
        PlaceDialog(this, owner, PlaceMode::Cascade);
    }
}

void fomThemeSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (KeepsOnTop(program_.settings.TopMost)) {
        BringToFront(this);  // above the always-on-top main window
    }
}

void fomThemeSetup::WriteWidgets() {
    const ThemeEditorState& s = *state_;
    writing_ = true;
    if (ToStdString(ui_->txtTitle->text()) != s.txtTitle) {
        ui_->txtTitle->setText(ToQString(s.txtTitle));
    }
    Check(ui_->optPage, s.optPage.Value());
    ui_->pages->setCurrentIndex(s.optPage.Value());
    WriteGraphPage();
    WriteBackPage();
    WriteLinePage(vLine_, s.optGraphVType, s.lblGraphVColor, s.optGraphVLineType,
                  s.optGraphVLineMode, s.vLinePage);
    WriteLinePage(hLine_, s.optGraphHType, s.lblGraphHColor, s.optGraphHLineType,
                  s.optGraphHLineMode, s.hLinePage);
    WriteTextPage();
    writing_ = false;
    ShowPictures();
}

void fomThemeSetup::WriteGraphPage() {
    const ThemeEditorState& s = *state_;
    Check(ui_->optForeType, s.optForeType.Selected());
    ui_->optForeType->button(2)->setEnabled(s.PatternChoicesEnabled());
    ui_->chkForeEdge->setChecked(s.chkForeEdge);
    ui_->chkForePosition->setChecked(s.chkForePosition);
    for (std::size_t i = 0; i < 3; ++i) {
        ShowColour(foreColor_[i], s.lblForeColor[i]);
    }
    const GraphPageEnabling& g = s.graphPage;
    Enable(
        {foreColor_[0].caption, foreColor_[0].button, foreColor_[1].caption, foreColor_[1].button},
        g.lineColours);
    Enable({foreColor_[2].caption, foreColor_[2].button}, g.graphColour);
    Enable({ui_->lblForeNoLbl, ui_->lblForeNo, ui_->hscForeNo, ui_->picForeNo}, g.pattern);
    Enable({ui_->lblForeName, ui_->cboForeName}, g.fileName);
    ui_->chkForeEdge->setEnabled(g.edge);
    ui_->chkForePosition->setEnabled(g.stretch);
    ui_->hscForeNo->setRange(0, s.hscForeNo.max);
    ui_->hscForeNo->setValue(s.hscForeNo.value);
    ui_->lblForeNo->setText(ToQString(s.lblForeNo));
    ui_->cboForeName->setCurrentIndex(s.cboForeName.selected);
}

void fomThemeSetup::WriteBackPage() {
    const ThemeEditorState& s = *state_;
    Check(ui_->optBackType, s.optBackType.Selected());
    ui_->optBackType->button(1)->setEnabled(s.PatternChoicesEnabled());
    ShowColour(backColor_, s.lblBackColor);
    const BackPageEnabling& b = s.backPage;
    Enable({backColor_.caption, backColor_.button}, b.colour);
    Enable({ui_->lblBackNoLbl, ui_->lblBackNo, ui_->hscBackNo, ui_->picBackNo}, b.pattern);
    Enable({ui_->lblBackName, ui_->cboBackName}, b.fileName);
    ui_->hscBackNo->setRange(0, s.hscBackNo.max);
    ui_->hscBackNo->setValue(s.hscBackNo.value);
    ui_->lblBackNo->setText(ToQString(s.lblBackNo));
    ui_->cboBackName->setCurrentIndex(s.cboBackName.selected);
}

void fomThemeSetup::WriteLinePage(LineControls& c, const OptionButtons& type,
                                  const std::array<std::int32_t, 3>& colours,
                                  const OptionButtons& lineType, const OptionButtons& lineMode,
                                  const LinePageEnabling& e) {
    Check(c.type, type.Selected());
    Check(c.lineType, lineType.Selected());
    Check(c.lineMode, lineMode.Selected());
    for (std::size_t i = 0; i < 3; ++i) {
        ShowColour(c.colour[i], colours[i]);
        Enable({c.colour[i].caption, c.colour[i].button}, e.colours[i]);
    }
    Enable({c.lineTypeCaption, c.lineModeCaption}, e.lineKind);
    EnableAll(c.lineType, e.lineKind);
    EnableAll(c.lineMode, e.lineKind);
}

void fomThemeSetup::WriteTextPage() {
    const ThemeEditorState& s = *state_;
    Check(ui_->optTextType, s.optTextType.Selected());
    Check(ui_->optTextPosition, s.optTextPosition.Selected());
    ui_->lblTextPosition->setText(ToQString(s.lblTextPosition));
    for (std::size_t i = 0; i < 3; ++i) {
        ShowColour(textColor_[i], s.lblTextColor[i]);
    }
    const TextPageEnabling& t = s.textPage;
    Enable({textColor_[0].caption, textColor_[0].button, ui_->txtTextPrefix, ui_->txtTextSuffix,
            ui_->cmdTextFont, ui_->Frame5},
           t.text);
    Enable(
        {textColor_[1].caption, textColor_[1].button, textColor_[2].caption, textColor_[2].button},
        t.edgeColours);
    if (ToStdString(ui_->txtTextPrefix->text()) != s.txtTextPrefix) {
        ui_->txtTextPrefix->setText(ToQString(s.txtTextPrefix));
    }
    if (ToStdString(ui_->txtTextSuffix->text()) != s.txtTextSuffix) {
        ui_->txtTextSuffix->setText(ToQString(s.txtTextSuffix));
    }
}

void fomThemeSetup::ShowPictures() {
    ui_->picForeNo->setPixmap(ToPixmap(state_->picForeNo, pixelScale_));
    ui_->picBackNo->setPixmap(ToPixmap(state_->picBackNo, pixelScale_));
    ui_->picTextFont->setPixmap(ToPixmap(state_->picTextFont, pixelScale_));
    ui_->picForeNo->setAccessibleName(ToQString(PatternPreviewName(state_->hscForeNo)));
    ui_->picBackNo->setAccessibleName(ToQString(PatternPreviewName(state_->hscBackNo)));
    ui_->picTextFont->setAccessibleName(ToQString(FontSampleName(state_->WorkTheme.TextFont)));
}

void fomThemeSetup::PickColour(std::int32_t& swatch) {
    ThemeEditorState::TakeColour(swatch, ShowColorDialog(this, swatch));
    WriteWidgets();
}

void fomThemeSetup::cmdExit_Click() {
    QtMessagePrompt prompt(this);
    if (state_->Accept(prompt)) {
        accept();
    }
}

void fomThemeSetup::cmdTextFont_Click() {
    FontRecord& font = state_->WorkTheme.TextFont;
    ShowFontDialog(this, font.Name, font.Size, font.Style);
    state_->TextFontChanged();
    ShowPictures();
}

}  // namespace moravel
