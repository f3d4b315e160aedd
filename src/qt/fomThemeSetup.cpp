#include "qt/fomThemeSetup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/config/Config.h"
#include "qt/ColorDialog.h"
#include "qt/FontDialog.h"
#include "qt/HelpViewer.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"
#include "qt/SurfaceImage.h"
#include "qt/WindowHelpers.h"

namespace moravel {
namespace {

constexpr int kPositionCell = 16;  // a 240-twip cell of the position grid

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

void ShowColour(QLabel* swatch, std::int32_t value) {
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

}  // namespace

fomThemeSetup::fomThemeSetup(QWidget* owner, ProgramState& program)
    : QDialog(owner),
      program_(program),
      pixelScale_(PixelScale()),
      fonts_(LogicalDpi() * pixelScale_),
      state_(std::make_unique<ThemeEditorState>(fonts_, images_, pixelScale_)) {
    setWindowTitle(ToQString(kThemeEditorCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QLabel* titleCaption = MakeTitle();
    MakePageButtons();
    pages_ = new QStackedWidget(this);
    BuildPages();
    MakeButtons();
    LayOutDialog(titleCaption);
    InstallHelpKey(this, program_.helpFile);
    EnsureQtTranslations();  // the title field's context menu
}

QLabel* fomThemeSetup::MakeTitle() {
    auto* Label1 = new QLabel(ToQString("タイトル(&T)"), this);
    txtTitle_ = new QLineEdit(this);
    txtTitle_->setObjectName(QStringLiteral("txtTitle"));
    Label1->setBuddy(txtTitle_);
    SetHelpContext(txtTitle_, ThemeEditorHelp::Title);
    connect(txtTitle_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!writing_) {
            state_->txtTitle = ToStdString(text);
        }
    });
    return Label1;
}

void fomThemeSetup::MakePageButtons() {
    optPage_ =
        MakeOptions("optPage", {"グラフ(&G)", "背景(&B)", "縦線(&V)", "横線(&H)", "使用率(&P)"},
                    ThemeEditorHelp::Pages, true);
    connect(optPage_, &QButtonGroup::idClicked, this, [this](int index) {
        state_->optPage_Click(index);
        WriteWidgets();
    });
}

void fomThemeSetup::MakeButtons() {
    cmdExit_ = new QPushButton(QStringLiteral("OK"), this);
    cmdExit_->setObjectName(QStringLiteral("cmdExit"));
    cmdExit_->setDefault(true);
    SetHelpContext(cmdExit_, ThemeEditorHelp::Ok);
    connect(cmdExit_, &QPushButton::clicked, this, &fomThemeSetup::cmdExit_Click);
    cmdCancel_ = new QPushButton(ToQString("キャンセル"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    SetHelpContext(cmdCancel_, ThemeEditorHelp::Cancel);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

// Top to bottom: the title, the page buttons, the pages, OK and cancel.
void fomThemeSetup::LayOutDialog(QLabel* titleCaption) {
    auto* title = new QHBoxLayout;
    title->addWidget(titleCaption);
    title->addWidget(txtTitle_, 1);
    auto* pageButtons = new QHBoxLayout;
    pageButtons->setSpacing(2);
    for (QAbstractButton* button : optPage_->buttons()) {
        pageButtons->addWidget(button);
    }
    pageButtons->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdExit_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addSpacing(4);
    layout->addLayout(pageButtons);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

fomThemeSetup::~fomThemeSetup() = default;

QButtonGroup* fomThemeSetup::MakeOptions(const char* name,
                                         std::initializer_list<const char*> captions,
                                         HelpContext helpContext, bool pushButtons) {
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    int index = 0;
    for (const char* caption : captions) {
        QAbstractButton* button = nullptr;
        if (pushButtons) {
            auto* push = new QPushButton(ToQString(caption), this);
            push->setCheckable(true);
            push->setAutoDefault(false);
            button = push;
        } else {
            button = new QRadioButton(ToQString(caption), this);
        }
        button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index));
        SetHelpContext(button, helpContext);
        group->addButton(button, index);
        ++index;
    }
    return group;
}

fomThemeSetup::SwatchRow fomThemeSetup::MakeSwatch(const char* name, int index, const char* caption,
                                                   HelpContext helpContext, std::int32_t& colour) {
    SwatchRow row;
    row.caption = new QLabel(ToQString(caption), this);
    row.swatch = new QLabel(this);
    row.swatch->setObjectName(QStringLiteral("lbl%1_%2").arg(QLatin1String(name)).arg(index));
    row.swatch->setAutoFillBackground(true);
    row.swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    row.swatch->setFixedSize(48, 20);
    row.button = new QPushButton(QStringLiteral("..."), this);
    row.button->setObjectName(QStringLiteral("cmd%1_%2").arg(QLatin1String(name)).arg(index));
    row.button->setAutoDefault(false);
    row.button->setFixedWidth(row.button->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                              16);
    row.caption->setBuddy(row.button);
    SetHelpContext(row.button, helpContext);
    connect(row.button, &QPushButton::clicked, this, [this, &colour] { PickColour(colour); });
    return row;
}

namespace {

// Caption, swatch and button of a colour in `row` of `grid`.
void AddSwatchRow(QGridLayout* grid, int row, QLabel* caption, QLabel* swatch,
                  QPushButton* button) {
    grid->addWidget(caption, row, 0);
    grid->addWidget(swatch, row, 1);
    grid->addWidget(button, row, 2, Qt::AlignLeft);
}

QVBoxLayout* OptionColumn(QButtonGroup* group) {
    auto* column = new QVBoxLayout;
    for (QAbstractButton* button : group->buttons()) {
        column->addWidget(button);
    }
    return column;
}

QHBoxLayout* OptionRow(QLabel* caption, QButtonGroup* group) {
    auto* row = new QHBoxLayout;
    caption->setMinimumWidth(caption->sizeHint().width());
    row->addWidget(caption);
    for (QAbstractButton* button : group->buttons()) {
        row->addWidget(button);
    }
    row->addStretch(1);
    caption->setBuddy(group->buttons().value(0));
    return row;
}

QLabel* PictureBox(QWidget* parent, const char* name, int width, int height) {
    auto* box = new QLabel(parent);
    box->setObjectName(QLatin1String(name));
    box->setFixedSize(width + 2, height + 2);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    return box;
}

}  // namespace

void fomThemeSetup::BuildPages() {
    pages_->addWidget(BuildGraphPage());
    pages_->addWidget(BuildBackPage());
    pages_->addWidget(BuildLinePage(true));
    pages_->addWidget(BuildLinePage(false));
    pages_->addWidget(BuildTextPage());
    for (int i = 0; i < pages_->count(); ++i) {
        pages_->widget(i)->setObjectName(QStringLiteral("frmPage_%1").arg(i));
    }
}

QGroupBox* fomThemeSetup::BuildGraphPage() {
    auto* page = new QGroupBox(ToQString("グラフ表示"), this);
    optForeType_ =
        MakeOptions("optForeType", {"折線(&L)", "塗り潰し(&I)", "パターン(&A)", "ファイル(&F)"},
                    ThemeEditorHelp::ForeType);
    connect(optForeType_, &QButtonGroup::idClicked, this, [this](int index) {
        state_->optForeType_Click(index);
        WriteWidgets();
    });
    chkForeEdge_ = new QCheckBox(ToQString("折線付き(&O)"), this);
    chkForeEdge_->setObjectName(QStringLiteral("chkForeEdge"));
    SetHelpContext(chkForeEdge_, ThemeEditorHelp::ForeEdge);
    connect(chkForeEdge_, &QCheckBox::clicked, this, [this](bool ticked) {
        state_->chkForeEdge_Click(ticked);
        WriteWidgets();
    });
    const char* colourCaptions[] = {"上向き折線の色(&U)", "下向き折線の色(&D)", "グラフの色(&R)"};
    for (int i = 0; i < 3; ++i) {
        foreColor_[static_cast<std::size_t>(i)] =
            MakeSwatch("ForeColor", i, colourCaptions[i],
                       i < 2 ? ThemeEditorHelp::ForeLineColours : ThemeEditorHelp::ForeGraphColour,
                       state_->lblForeColor[static_cast<std::size_t>(i)]);
    }
    chkForePosition_ = new QCheckBox(ToQString("高さに合わせて伸縮させる(&S)"), this);
    chkForePosition_->setObjectName(QStringLiteral("chkForePosition"));
    SetHelpContext(chkForePosition_, ThemeEditorHelp::ForePosition);
    connect(chkForePosition_, &QCheckBox::clicked, this,
            [this](bool ticked) { state_->chkForePosition_Click(ticked); });

    auto* types = OptionColumn(optForeType_);
    types->addSpacing(8);
    types->addWidget(chkForeEdge_);
    types->addStretch(1);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        const SwatchRow& row = foreColor_[static_cast<std::size_t>(i)];
        AddSwatchRow(grid, i, row.caption, row.swatch, row.button);
    }
    MakePatternRow(grid, 3, "ForeNo", ThemeEditorHelp::ForeNo, &ThemeEditorState::hscForeNo_Change,
                   lblForeNoLbl_, hscForeNo_, lblForeNo_, picForeNo_);
    MakeImageRow(grid, 4, "ForeName", ThemeEditorHelp::ForeName, &ThemeEditorState::cboForeName,
                 lblForeName_, cboForeName_);
    grid->addWidget(chkForePosition_, 5, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(types);
    layout->addSpacing(12);
    layout->addLayout(grid, 1);
    return page;
}

void fomThemeSetup::MakePatternRow(QGridLayout* grid, int row, const char* name,
                                   HelpContext helpContext,
                                   void (ThemeEditorState::*change)(std::int32_t), QLabel*& caption,
                                   QScrollBar*& scroll, QLabel*& counter, QLabel*& preview) {
    const QString id = QString::fromLatin1(name);
    caption = new QLabel(ToQString("パターン番号(&E)"), this);
    scroll = new QScrollBar(Qt::Horizontal, this);
    scroll->setObjectName(QStringLiteral("hsc") + id);
    scroll->setMinimumWidth(120);
    SetHelpContext(scroll, helpContext);
    caption->setBuddy(scroll);
    counter = new QLabel(this);
    counter->setObjectName(QStringLiteral("lbl") + id);
    counter->setMinimumWidth(counter->fontMetrics().horizontalAdvance(QStringLiteral("000/000")));
    preview = PictureBox(this, (QStringLiteral("pic") + id).toLatin1().constData(),
                         kPatternPreviewWidth, kPatternPreviewHeight);
    connect(scroll, &QScrollBar::valueChanged, this, [this, change](int value) {
        if (!writing_) {
            ((*state_).*change)(value);
            WriteWidgets();
        }
    });
    auto* pattern = new QHBoxLayout;
    pattern->addWidget(scroll, 1);
    pattern->addWidget(counter);
    pattern->addWidget(preview);
    grid->addWidget(caption, row, 0);
    grid->addLayout(pattern, row, 1, 1, 3);
}

void fomThemeSetup::MakeImageRow(QGridLayout* grid, int row, const char* name,
                                 HelpContext helpContext, ImageList ThemeEditorState::*list,
                                 QLabel*& caption, QComboBox*& combo) {
    caption = new QLabel(ToQString("ファイル名(&N)"), this);
    combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("cbo") + QString::fromLatin1(name));
    combo->setMinimumContentsLength(16);
    SetHelpContext(combo, helpContext);
    caption->setBuddy(combo);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, list](int index) {
        if (!writing_) {
            ((*state_).*list).selected = index;
        }
    });
    grid->addWidget(caption, row, 0);
    grid->addWidget(combo, row, 1, 1, 3);
}

QGroupBox* fomThemeSetup::BuildBackPage() {
    auto* page = new QGroupBox(ToQString("背景表示"), this);
    optBackType_ = MakeOptions("optBackType", {"選択色(&S)", "パターン(&A)", "ファイル(&F)"},
                               ThemeEditorHelp::BackType);
    connect(optBackType_, &QButtonGroup::idClicked, this, [this](int index) {
        state_->optBackType_Click(index);
        WriteWidgets();
    });
    backColor_ = MakeSwatch("BackColor", 0, "背景の色(&C)", ThemeEditorHelp::BackColour,
                            state_->lblBackColor);
    backColor_.swatch->setObjectName(QStringLiteral("lblBackColor"));
    backColor_.button->setObjectName(QStringLiteral("cmdBackColor"));
    auto* types = OptionColumn(optBackType_);
    types->addStretch(1);
    auto* grid = new QGridLayout;
    AddSwatchRow(grid, 0, backColor_.caption, backColor_.swatch, backColor_.button);
    MakePatternRow(grid, 1, "BackNo", ThemeEditorHelp::BackNo, &ThemeEditorState::hscBackNo_Change,
                   lblBackNoLbl_, hscBackNo_, lblBackNo_, picBackNo_);
    MakeImageRow(grid, 2, "BackName", ThemeEditorHelp::BackName, &ThemeEditorState::cboBackName,
                 lblBackName_, cboBackName_);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(3, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(types);
    layout->addSpacing(12);
    layout->addLayout(grid, 1);
    return page;
}

QGroupBox* fomThemeSetup::BuildLinePage(bool vertical) {
    auto* page = new QGroupBox(vertical ? ToQString("縦線") : ToQString("横線"), this);
    MakeLineControls(vertical);
    LineControls& c = vertical ? vLine_ : hLine_;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(TypeAndColourRow(c.type, c.colour));
    layout->addSpacing(8);
    const int captionWidth =
        std::max(c.lineTypeCaption->sizeHint().width(), c.lineModeCaption->sizeHint().width());
    c.lineTypeCaption->setMinimumWidth(captionWidth);
    c.lineModeCaption->setMinimumWidth(captionWidth);
    layout->addLayout(OptionRow(c.lineTypeCaption, c.lineType));
    layout->addLayout(OptionRow(c.lineModeCaption, c.lineMode));
    layout->addStretch(1);
    return page;
}

void fomThemeSetup::MakeLineControls(bool vertical) {
    namespace help = ThemeEditorHelp;
    LineControls& c = vertical ? vLine_ : hLine_;
    const char* prefix = vertical ? "GraphV" : "GraphH";
    const auto name = [prefix](const char* what) { return QByteArray(what).replace("@", prefix); };
    const QByteArray typeName = name("opt@Type");
    c.type =
        vertical
            ? MakeOptions(typeName.constData(), {"無し(&N)", "&1分おき", "&5分おき", "1&0分おき"},
                          help::VLineType)
            : MakeOptions(typeName.constData(), {"無し(&N)", "&10% おき", "&20% おき", "&50% のみ"},
                          help::HLineType);
    connect(c.type, &QButtonGroup::idClicked, this, [this, vertical](int index) {
        if (vertical) {
            state_->optGraphVType_Click(index);
        } else {
            state_->optGraphHType_Click(index);
        }
        WriteWidgets();
    });
    const char* vCaptions[] = {"1分おきの線色(&O)", "5分おきの線色(&F)", "10分おきの線色(&A)"};
    const char* hCaptions[] = {"10%おきの線色(&E)", "20%おきの線色(&W)", "50%の線色(&F)"};
    const QByteArray colourName = name("@Color");
    for (std::size_t i = 0; i < 3; ++i) {
        c.colour[i] = MakeSwatch(colourName.constData(), static_cast<int>(i),
                                 vertical ? vCaptions[i] : hCaptions[i],
                                 vertical ? help::VLineColours : help::HLineColours,
                                 (vertical ? state_->lblGraphVColor : state_->lblGraphHColor)[i]);
    }
    const QByteArray lineTypeName = name("opt@LineType");
    const QByteArray lineModeName = name("opt@LineMode");
    c.lineTypeCaption = new QLabel(ToQString("線の種類(&L)"), this);
    c.lineType = MakeOptions(lineTypeName.constData(), {"実線", "鎖線", "点線"},
                             vertical ? help::VLineKind : help::HLineKind);
    c.lineModeCaption = new QLabel(ToQString("描画方法(&M)"), this);
    c.lineMode = MakeOptions(lineModeName.constData(), {"グラフの下", "グラフの上", "合成(AND)"},
                             vertical ? help::VLineMode : help::HLineMode);
    connect(c.lineType, &QButtonGroup::idClicked, this, [this, vertical](int index) {
        (vertical ? state_->optGraphVLineType : state_->optGraphHLineType).Select(index);
    });
    connect(c.lineMode, &QButtonGroup::idClicked, this, [this, vertical](int index) {
        (vertical ? state_->optGraphVLineMode : state_->optGraphHLineMode).Select(index);
    });
}

QHBoxLayout* fomThemeSetup::TypeAndColourRow(QButtonGroup* types,
                                             const std::array<SwatchRow, 3>& colours) {
    auto* typeColumn = OptionColumn(types);
    typeColumn->addStretch(1);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        const SwatchRow& row = colours[static_cast<std::size_t>(i)];
        AddSwatchRow(grid, i, row.caption, row.swatch, row.button);
    }
    grid->setColumnStretch(3, 1);
    auto* row = new QHBoxLayout;
    row->addLayout(typeColumn);
    row->addSpacing(12);
    row->addLayout(grid, 1);
    return row;
}

QGroupBox* fomThemeSetup::BuildTextPage() {
    auto* page = new QGroupBox(ToQString("現在の使用率"), this);
    MakeTextTypeControls();
    QHBoxLayout* additional = MakeAdditionalTextRow();
    QVBoxLayout* font = MakeTextFontColumn();
    QVBoxLayout* position = MakeTextPositionColumn();
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(font);
    bottom->addSpacing(16);
    bottom->addLayout(position);
    bottom->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(TypeAndColourRow(optTextType_, textColor_));
    layout->addSpacing(6);
    layout->addLayout(additional);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    layout->addStretch(1);
    return page;
}

void fomThemeSetup::MakeTextTypeControls() {
    optTextType_ = MakeOptions("optTextType", {"無し(&N)", "表示する(&W)", "縁付き(&D)"},
                               ThemeEditorHelp::TextType);
    connect(optTextType_, &QButtonGroup::idClicked, this, [this](int index) {
        state_->optTextType_Click(index);
        WriteWidgets();
    });
    const char* captions[] = {"文字の色(&C)", "左上の文字の色(&L)", "右下の文字の色(&S)"};
    for (int i = 0; i < 3; ++i) {
        textColor_[static_cast<std::size_t>(i)] =
            MakeSwatch("TextColor", i, captions[i],
                       i == 0 ? ThemeEditorHelp::TextColour : ThemeEditorHelp::TextEdgeColours,
                       state_->lblTextColor[static_cast<std::size_t>(i)]);
    }
}

QHBoxLayout* fomThemeSetup::MakeAdditionalTextRow() {
    auto* Label3 = new QLabel(ToQString("追加テキスト"), this);
    auto* Label4 = new QLabel(ToQString("前(&R)"), this);
    auto* Label5 = new QLabel(ToQString("後(&U)"), this);
    txtTextPrefix_ = new QLineEdit(this);
    txtTextPrefix_->setObjectName(QStringLiteral("txtTextPrefix"));
    txtTextSuffix_ = new QLineEdit(this);
    txtTextSuffix_->setObjectName(QStringLiteral("txtTextSuffix"));
    for (QLineEdit* edit : {txtTextPrefix_, txtTextSuffix_}) {
        SetHelpContext(edit, ThemeEditorHelp::TextAdditional);
        edit->setMaximumWidth(100);
    }
    Label4->setBuddy(txtTextPrefix_);
    Label5->setBuddy(txtTextSuffix_);
    connect(txtTextPrefix_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!writing_) {
            state_->txtTextPrefix_Change(ToStdString(text));
            ShowPictures();
        }
    });
    connect(txtTextSuffix_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!writing_) {
            state_->txtTextSuffix_Change(ToStdString(text));
            ShowPictures();
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(Label3);
    row->addSpacing(8);
    row->addWidget(Label4);
    row->addWidget(txtTextPrefix_);
    row->addSpacing(8);
    row->addWidget(Label5);
    row->addWidget(txtTextSuffix_);
    row->addStretch(1);
    return row;
}

QVBoxLayout* fomThemeSetup::MakeTextFontColumn() {
    cmdTextFont_ = new QPushButton(ToQString("フォント設定(&F)..."), this);
    cmdTextFont_->setObjectName(QStringLiteral("cmdTextFont"));
    cmdTextFont_->setAutoDefault(false);
    SetHelpContext(cmdTextFont_, ThemeEditorHelp::TextFont);
    connect(cmdTextFont_, &QPushButton::clicked, this, &fomThemeSetup::cmdTextFont_Click);
    picTextFont_ = PictureBox(this, "picTextFont", kFontSampleWidth, kFontSampleHeight);
    auto* column = new QVBoxLayout;
    column->addWidget(cmdTextFont_, 0, Qt::AlignLeft);
    column->addWidget(picTextFont_);
    return column;
}

// The caption and the 3 x 3 grid of places for the usage text, with the chosen place's name.
QVBoxLayout* fomThemeSetup::MakeTextPositionColumn() {
    auto* Label2 = new QLabel(ToQString("表示位置(&O)"), this);
    Frame5_ = new QFrame(this);
    Frame5_->setObjectName(QStringLiteral("Frame5"));
    optTextPosition_ = MakeOptions("optTextPosition", {"", "", "", "", "", "", "", "", ""},
                                   ThemeEditorHelp::TextPosition, true);
    auto* cells = new QGridLayout(Frame5_);
    cells->setContentsMargins(0, 0, 0, 0);
    cells->setSpacing(0);
    for (QAbstractButton* button : optTextPosition_->buttons()) {
        const int i = optTextPosition_->id(button);
        button->setParent(Frame5_);
        button->setFixedSize(kPositionCell, kPositionCell);
        cells->addWidget(button, i / 3, i % 3);
    }
    Label2->setBuddy(optTextPosition_->button(0));
    lblTextPosition_ = new QLabel(this);
    lblTextPosition_->setObjectName(QStringLiteral("lblTextPosition"));
    lblTextPosition_->setMinimumWidth(
        lblTextPosition_->fontMetrics().horizontalAdvance(ToQString("右上右")));
    connect(optTextPosition_, &QButtonGroup::idClicked, this, [this](int index) {
        state_->optTextPosition_Click(index);
        WriteWidgets();
    });
    auto* column = new QVBoxLayout;
    column->addWidget(Label2);
    auto* row = new QHBoxLayout;
    row->addWidget(Frame5_);
    row->addWidget(lblTextPosition_);
    column->addLayout(row);
    column->addStretch(1);
    return column;
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
    state_->Form_Load();
    writing_ = true;
    FillCombo(cboForeName_, state_->cboForeName);
    FillCombo(cboBackName_, state_->cboBackName);
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
    if (ToStdString(txtTitle_->text()) != s.txtTitle) {
        txtTitle_->setText(ToQString(s.txtTitle));
    }
    Check(optPage_, s.optPage.Value());
    pages_->setCurrentIndex(s.optPage.Value());
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
    Check(optForeType_, s.optForeType.Selected());
    optForeType_->button(2)->setEnabled(s.PatternChoicesEnabled());
    chkForeEdge_->setChecked(s.chkForeEdge);
    chkForePosition_->setChecked(s.chkForePosition);
    for (std::size_t i = 0; i < 3; ++i) {
        ShowColour(foreColor_[i].swatch, s.lblForeColor[i]);
    }
    const GraphPageEnabling& g = s.graphPage;
    Enable(
        {foreColor_[0].caption, foreColor_[0].button, foreColor_[1].caption, foreColor_[1].button},
        g.lineColours);
    Enable({foreColor_[2].caption, foreColor_[2].button}, g.graphColour);
    Enable({lblForeNoLbl_, lblForeNo_, hscForeNo_, picForeNo_}, g.pattern);
    Enable({lblForeName_, cboForeName_}, g.fileName);
    chkForeEdge_->setEnabled(g.edge);
    chkForePosition_->setEnabled(g.stretch);
    hscForeNo_->setRange(0, s.hscForeNo.max);
    hscForeNo_->setValue(s.hscForeNo.value);
    lblForeNo_->setText(ToQString(s.lblForeNo));
    cboForeName_->setCurrentIndex(s.cboForeName.selected);
}

void fomThemeSetup::WriteBackPage() {
    const ThemeEditorState& s = *state_;
    Check(optBackType_, s.optBackType.Selected());
    optBackType_->button(1)->setEnabled(s.PatternChoicesEnabled());
    ShowColour(backColor_.swatch, s.lblBackColor);
    const BackPageEnabling& b = s.backPage;
    Enable({backColor_.caption, backColor_.button}, b.colour);
    Enable({lblBackNoLbl_, lblBackNo_, hscBackNo_, picBackNo_}, b.pattern);
    Enable({lblBackName_, cboBackName_}, b.fileName);
    hscBackNo_->setRange(0, s.hscBackNo.max);
    hscBackNo_->setValue(s.hscBackNo.value);
    lblBackNo_->setText(ToQString(s.lblBackNo));
    cboBackName_->setCurrentIndex(s.cboBackName.selected);
}

void fomThemeSetup::WriteLinePage(LineControls& c, const OptionButtons& type,
                                  const std::array<std::int32_t, 3>& colours,
                                  const OptionButtons& lineType, const OptionButtons& lineMode,
                                  const LinePageEnabling& e) {
    Check(c.type, type.Selected());
    Check(c.lineType, lineType.Selected());
    Check(c.lineMode, lineMode.Selected());
    for (std::size_t i = 0; i < 3; ++i) {
        ShowColour(c.colour[i].swatch, colours[i]);
        Enable({c.colour[i].caption, c.colour[i].button}, e.colours[i]);
    }
    Enable({c.lineTypeCaption, c.lineModeCaption}, e.lineKind);
    EnableAll(c.lineType, e.lineKind);
    EnableAll(c.lineMode, e.lineKind);
}

void fomThemeSetup::WriteTextPage() {
    const ThemeEditorState& s = *state_;
    Check(optTextType_, s.optTextType.Selected());
    Check(optTextPosition_, s.optTextPosition.Selected());
    lblTextPosition_->setText(ToQString(s.lblTextPosition));
    for (std::size_t i = 0; i < 3; ++i) {
        ShowColour(textColor_[i].swatch, s.lblTextColor[i]);
    }
    const TextPageEnabling& t = s.textPage;
    Enable({textColor_[0].caption, textColor_[0].button, txtTextPrefix_, txtTextSuffix_,
            cmdTextFont_, Frame5_},
           t.text);
    Enable(
        {textColor_[1].caption, textColor_[1].button, textColor_[2].caption, textColor_[2].button},
        t.edgeColours);
    if (ToStdString(txtTextPrefix_->text()) != s.txtTextPrefix) {
        txtTextPrefix_->setText(ToQString(s.txtTextPrefix));
    }
    if (ToStdString(txtTextSuffix_->text()) != s.txtTextSuffix) {
        txtTextSuffix_->setText(ToQString(s.txtTextSuffix));
    }
}

void fomThemeSetup::ShowPictures() {
    picForeNo_->setPixmap(ToPixmap(state_->picForeNo, pixelScale_));
    picBackNo_->setPixmap(ToPixmap(state_->picBackNo, pixelScale_));
    picTextFont_->setPixmap(ToPixmap(state_->picTextFont, pixelScale_));
}

void fomThemeSetup::PickColour(std::int32_t& swatch) {
    ThemeEditorState::TakeColour(swatch, ShowColorDialog(this, swatch));
    WriteWidgets();
}

void fomThemeSetup::cmdExit_Click() {
    state_->cmdExit_Click();
    accept();
}

void fomThemeSetup::cmdTextFont_Click() {
    FontRecord& font = state_->WorkTheme.TextFont;
    ShowFontDialog(this, font.Name, font.Size, font.Style);
    state_->TextFontChanged();
    ShowPictures();
}

}  // namespace moravel
