#include "qt/fomSetup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/os/FileSystem.h"
#include "qt/HelpViewer.h"
#include "qt/QtFileDialog.h"
#include "qt/QtPrompts.h"
#include "qt/QtText.h"
#include "qt/TaskTray.h"
#include "qt/WindowHelpers.h"
#include "qt/fomThemeSetup.h"

namespace moravel {
namespace {

template <typename W>
W* Named(W* widget, const char* name, HelpContext helpContext = HelpContext::None) {
    widget->setObjectName(QLatin1String(name));
    if (helpContext != HelpContext::None) {
        SetHelpContext(widget, helpContext);
    }
    return widget;
}

fomSetup::ThemeEditorRunner RunThemeEditor(ProgramState& program) {
    return [&program](QWidget* owner) {
        fomThemeSetup editor(owner, program);
        return editor.Edit();
    };
}

}  // namespace

fomSetup::fomSetup(QWidget* mainWindow, ProgramState& program, clsComDlg& comDlg,
                   std::function<void()> resetPicture, ThemeEditorRunner editor)
    : QDialog(mainWindow),
      program_(program),
      state_(program),
      comDlg_(comDlg),
      resetPicture_(std::move(resetPicture)),
      editor_(editor ? std::move(editor) : RunThemeEditor(program)),
      autostart_(MakeAutostart()) {
    setWindowTitle(ToQString(kSetupCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    MakeDisplayControls();
    MakeThemeControls();
    MakeButtons();
    LayOutControls();
    OrderTabs();
    ConnectControls();
    InstallHelpKey(this, program_.helpFile);
    state_.UseAutostart(autostart_.get(), ExecutablePath());
    auto* trayHost = new modTaskTray::TrayHost(this);
    state_.SetTrayHost(trayHost->present());
    connect(trayHost, &modTaskTray::TrayHost::changed, this, [this](bool present) {
        state_.SetTrayHost(present);
        ShowTrayControls();
    });
    Form_Load(mainWindow);
}

void fomSetup::MakeDisplayControls() {
    Label1_ =
        Named(new QLabel(QStringLiteral("表示サイクル(&C)"), this), "Label1", kHelpSetupCycle);
    cboCycle_ = Named(new QComboBox(this), "cboCycle", kHelpSetupCycle);
    for (const CycleChoice& choice : kCycleChoices) {
        cboCycle_->addItem(ToQString(choice.text), choice.seconds);
    }
    Label1_->setBuddy(cboCycle_);
    chkTopMost_ = Named(new QCheckBox(QStringLiteral("常に最前面に表示する(&F)"), this),
                        "chkTopMost", kHelpSetupTopMost);
    chkIconGraphMode_ =
        Named(new QCheckBox(QStringLiteral("タスクトレイのアイコンもグラフ表示する(&I)"), this),
              "chkIconGraphMode");
    fraIconGraphMode_ = Named(new QFrame(this), "fraIconGraphMode");
    iconModeGroup_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < kIconModeChoices.size(); ++i) {
        auto* option = new QRadioButton(ToQString(kIconModeChoices[i].caption), fraIconGraphMode_);
        option->setObjectName(
            QStringLiteral("optIconGraphMode%1").arg(kIconModeChoices[i].index()));
        iconModeGroup_->addButton(option, kIconModeChoices[i].index());
        optIconGraphMode_[i] = option;
    }
    lblNoTray_ = Named(new QLabel(ToQString(kNoTrayText), this), "lblNoTray");
    lblNoTray_->setWordWrap(true);
    lblNoTray_->setContentsMargins(24, 0, 0, 0);  // under the box it explains
    chkAutostart_ = Named(new QCheckBox(ToQString(kAutostartCaption), this), "chkAutostart",
                          kHelpSetupAutostart);
}

void fomSetup::MakeThemeControls() {
    Frame1_ = Named(new QGroupBox(QStringLiteral("テーマ(&T)"), this), "Frame1", kHelpSetupTheme);
    // Its access key always leads to the theme list, the control that follows its caption.
    Frame1_->installEventFilter(this);
    cboThemeName_ = Named(new QComboBox(Frame1_), "cboThemeName", kHelpSetupTheme);
    // A steady width whatever the titles: longer ones show whole in the open list.
    cboThemeName_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboThemeName_->setMinimumContentsLength(18);
    lblThemeName_ = Named(new QLabel(Frame1_), "lblThemeName");
    lblThemeName_->setTextFormat(Qt::PlainText);  // a file name is never markup
    lblThemeName_->setMinimumWidth(
        lblThemeName_->fontMetrics().horizontalAdvance(QStringLiteral("spectrum.tm__")));
    cmdSaveAs_ = Named(new QPushButton(QStringLiteral("名前を付けて保存..."), Frame1_), "cmdSaveAs",
                       kHelpSetupSaveAs);
    cmdDelete_ =
        Named(new QPushButton(QStringLiteral("削除"), Frame1_), "cmdDelete", kHelpSetupDelete);
    cmdEdit_ =
        Named(new QPushButton(QStringLiteral("編集..."), Frame1_), "cmdEdit", kHelpSetupEdit);
}

void fomSetup::MakeButtons() {
    cmdExit_ = Named(new QPushButton(QStringLiteral("OK"), this), "cmdExit", kHelpSetupOk);
    cmdCancel_ =
        Named(new QPushButton(QStringLiteral("キャンセル"), this), "cmdCancel", kHelpSetupCancel);
    cmdUpdate_ =
        Named(new QPushButton(QStringLiteral("更新"), this), "cmdUpdate", kHelpSetupUpdate);
    cmdExit_->setDefault(true);
}

// Top to bottom: the cycle, the two check boxes with the icon styles, the theme box, the buttons.
void fomSetup::LayOutControls() {
    auto* cycleRow = new QHBoxLayout;
    cycleRow->addWidget(Label1_);
    cycleRow->addWidget(cboCycle_);
    cycleRow->addStretch(1);

    auto* iconModeRow = new QHBoxLayout(fraIconGraphMode_);
    iconModeRow->setContentsMargins(24, 0, 0, 0);  // indented below its box
    for (QRadioButton* option : optIconGraphMode_) {
        iconModeRow->addWidget(option);
        iconModeRow->addSpacing(8);
    }
    iconModeRow->addStretch(1);

    LayOutThemeFrame();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdExit_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdUpdate_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(cycleRow);
    layout->addWidget(chkTopMost_);
    layout->addWidget(chkIconGraphMode_);
    layout->addWidget(fraIconGraphMode_);
    layout->addWidget(lblNoTray_);
    layout->addWidget(chkAutostart_);
    layout->addSpacing(4);
    layout->addWidget(Frame1_);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void fomSetup::LayOutThemeFrame() {
    auto* themeRow = new QHBoxLayout;
    themeRow->addWidget(cboThemeName_, 1);
    themeRow->addSpacing(6);
    themeRow->addWidget(lblThemeName_);
    auto* themeButtons = new QHBoxLayout;
    themeButtons->addStretch(1);
    themeButtons->addWidget(cmdSaveAs_);
    themeButtons->addWidget(cmdDelete_);
    themeButtons->addWidget(cmdEdit_);
    auto* themeLayout = new QVBoxLayout(Frame1_);
    themeLayout->addLayout(themeRow);
    themeLayout->addLayout(themeButtons);
}

void fomSetup::OrderTabs() {
    const std::array<QWidget*, 14> tabOrder = {cboCycle_,
                                               chkTopMost_,
                                               chkIconGraphMode_,
                                               optIconGraphMode_[0],
                                               optIconGraphMode_[1],
                                               optIconGraphMode_[2],
                                               chkAutostart_,
                                               cboThemeName_,
                                               cmdSaveAs_,
                                               cmdDelete_,
                                               cmdEdit_,
                                               cmdExit_,
                                               cmdCancel_,
                                               cmdUpdate_};
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

// The controls write into the state as the user changes them; the buttons run their commands.
void fomSetup::ConnectControls() {
    connect(cboCycle_, &QComboBox::currentIndexChanged, this,
            [this](int row) { state_.cycleRow = row; });
    connect(chkTopMost_, &QCheckBox::toggled, this, [this](bool on) { state_.topMost = on; });
    connect(chkIconGraphMode_, &QCheckBox::toggled, this, &fomSetup::chkIconGraphMode_Click);
    connect(chkAutostart_, &QCheckBox::toggled, this, [this](bool on) { state_.autostart = on; });
    connect(iconModeGroup_, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        if (on) {
            state_.SelectIconMode(index);
        }
    });
    connect(cboThemeName_, &QComboBox::activated, this, &fomSetup::cboThemeName_Click);
    connect(cmdExit_, &QPushButton::clicked, this, &fomSetup::cmdExit_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);  // Esc as well
    connect(cmdUpdate_, &QPushButton::clicked, this, &fomSetup::cmdUpdate_Click);
    connect(cmdEdit_, &QPushButton::clicked, this, &fomSetup::cmdEdit_Click);
    connect(cmdSaveAs_, &QPushButton::clicked, this, &fomSetup::cmdSaveAs_Click);
    connect(cmdDelete_, &QPushButton::clicked, this, &fomSetup::cmdDelete_Click);
}

void fomSetup::Form_Load(QWidget* mainWindow) {
    state_.Load();
    ShowState();
    adjustSize();
    if (mainWindow != nullptr) {
        PlaceDialog(this, mainWindow, PlaceMode::Beside);
    }
}

void fomSetup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Above the always-on-top main window, without staying on top itself.
    if (KeepsOnTop(program_.settings.TopMost)) {
        BringToFront(this);
    }
}

bool fomSetup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1_ && event->type() == QEvent::Shortcut) {
        cboThemeName_->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void fomSetup::ShowState() {
    {
        const QSignalBlocker block(cboCycle_);
        cboCycle_->setCurrentIndex(state_.cycleRow);
    }
    {
        const QSignalBlocker block(chkTopMost_);
        chkTopMost_->setChecked(state_.topMost);
    }
    {
        const QSignalBlocker block(chkIconGraphMode_);
        chkIconGraphMode_->setChecked(state_.iconGraphChecked);
    }
    for (std::size_t i = 0; i < optIconGraphMode_.size(); ++i) {
        const QSignalBlocker block(optIconGraphMode_[i]);
        optIconGraphMode_[i]->setChecked(state_.iconModes[i].selected);
    }
    ShowTrayControls();
    {
        const QSignalBlocker block(chkAutostart_);
        chkAutostart_->setChecked(state_.autostart);
        chkAutostart_->setEnabled(state_.autostartEnabled);
    }
    {
        const QSignalBlocker block(cboThemeName_);
        cboThemeName_->clear();
        for (const ThemeListItem& item : state_.themeItems) {
            cboThemeName_->addItem(ToQString(item.text), item.itemData);
        }
    }
    ShowThemeSelection();
}

void fomSetup::ShowTrayControls() {
    chkIconGraphMode_->setEnabled(state_.IconGraphBoxEnabled());
    for (QRadioButton* option : optIconGraphMode_) {
        option->setEnabled(state_.IconModesEnabled());
    }
    lblNoTray_->setVisible(!state_.TrayHost());
}

void fomSetup::ShowThemeSelection() {
    {
        const QSignalBlocker block(cboThemeName_);
        cboThemeName_->setCurrentIndex(state_.themeRow);
    }
    lblThemeName_->setText(ToQString(state_.themeNameLabel));
    cmdDelete_->setEnabled(state_.deleteEnabled);
}

void fomSetup::cboThemeName_Click(int row) {
    state_.cboThemeName_Click(row);
    ShowThemeSelection();
}

void fomSetup::chkIconGraphMode_Click(bool checked) {
    state_.chkIconGraphMode_Click(checked);
    ShowTrayControls();
}

void fomSetup::Apply() {
    const bool enabling = state_.autostart;
    if (!state_.ApplySettings()) {
        QtMessagePrompt prompt(this);
        prompt.Show(AutostartFailedMessage(enabling));
        const QSignalBlocker block(chkAutostart_);
        chkAutostart_->setChecked(state_.autostart);
    }
}

void fomSetup::cmdExit_Click() {
    Apply();
    // Redrawn before the dialog closes, so no tick in between draws the new settings with the
    // pictures of the old theme.
    if (resetPicture_) {
        resetPicture_();
    }
    accept();
}

void fomSetup::cmdUpdate_Click() {
    Apply();
    if (resetPicture_) {
        resetPicture_();
    }
}

// After each modal window of its own the dialog takes the keyboard back, also where no window
// manager hands it over.
void fomSetup::cmdEdit_Click() {
    program_.editorTheme = state_.workingTheme;
    editor_(this);
    activateWindow();
    QtMessagePrompt prompt(this);
    if (state_.TakeEditedTheme(program_.editorTheme, prompt)) {
        ShowState();
    }
}

void fomSetup::cmdSaveAs_Click() {
    QtMessagePrompt prompt(this);
    state_.SaveAs(comDlg_, prompt, QtFileDialog::OwnerHandle(this));
    activateWindow();
    ShowState();
}

void fomSetup::cmdDelete_Click() {
    QtMessagePrompt prompt(this);
    if (state_.DeleteSelected(prompt)) {
        ShowState();
    }
    activateWindow();
}

}  // namespace moravel
