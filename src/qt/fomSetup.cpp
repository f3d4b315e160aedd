#include "qt/fomSetup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <array>
#include <utility>

#include "core/app/Texts.h"
#include "core/os/FileSystem.h"
#include "qt/HelpViewer.h"
#include "qt/QtFileDialog.h"
#include "qt/QtPrompts.h"
#include "qt/QtText.h"
#include "qt/TaskTray.h"
#include "qt/WindowHelpers.h"
#include "qt/fomThemeSetup.h"
#include "ui_fomSetup.h"

namespace moravel {
namespace {

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
      autostart_(MakeAutostart()),
      ui_(std::make_unique<Ui::fomSetup>()) {
    setWindowTitle(ToQString(Localised(kSetupCaption)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui_->setupUi(this);
    ShowCoreTexts();
    // A steady width whatever the file name.
    ui_->lblThemeName->setMinimumWidth(
        ui_->lblThemeName->fontMetrics().horizontalAdvance(QStringLiteral("spectrum.tm__")));
    SetHelpContexts();
    // Its access key always leads to the theme list, the control that follows its caption.
    ui_->Frame1->installEventFilter(this);
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

fomSetup::~fomSetup() = default;

// The texts the core holds, set over the form's as the Windows dialog sets them over its own.
void fomSetup::ShowCoreTexts() {
    for (const CycleChoice& choice : kCycleChoices) {
        ui_->cboCycle->addItem(ToQString(Localised(choice.text)), choice.seconds);
    }
    // Each option is named after its style's number, which is also its id in the group.
    for (std::size_t i = 0; i < kIconModeChoices.size(); ++i) {
        const IconModeChoice& choice = kIconModeChoices[i];
        auto* option =
            findChild<QRadioButton*>(QStringLiteral("optIconGraphMode%1").arg(choice.index()));
        option->setText(ToQString(Localised(choice.caption)));
        ui_->optIconGraphMode->setId(option, choice.index());
        optIconGraphMode_[i] = option;
    }
    ui_->lblNoTray->setText(ToQString(Localised(kNoTrayText)));
    ui_->chkAutostart->setText(ToQString(Localised(kAutostartCaption)));
    ui_->chkCpuView->setText(ToQString(Localised(kCpuViewCaption)));
    ui_->chkAlert->setText(ToQString(Localised(kAlertCaption)));
    ui_->lblAlertPercent->setText(ToQString(Localised(kAlertPercentCaption)));
    ui_->lblAlertPercentUnit->setText(ToQString(Localised(kAlertPercentUnit)));
    ui_->lblAlertSeconds->setText(ToQString(Localised(kAlertSecondsCaption)));
    ui_->lblAlertSecondsUnit->setText(ToQString(Localised(kAlertSecondsUnit)));
    // Room for the longest value and a little more.
    const int digits =
        ui_->txtAlertSeconds->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    ui_->txtAlertPercent->setFixedWidth(digits);
    ui_->txtAlertSeconds->setFixedWidth(digits);
}

void fomSetup::SetHelpContexts() {
    const Ui::fomSetup& u = *ui_;
    const std::pair<QWidget*, HelpContext> contexts[] = {
        {u.Label1, kHelpSetupCycle},          {u.cboCycle, kHelpSetupCycle},
        {u.chkTopMost, kHelpSetupTopMost},    {u.chkAutostart, kHelpSetupAutostart},
        {u.Frame1, kHelpSetupTheme},          {u.cboThemeName, kHelpSetupTheme},
        {u.cmdSaveAs, kHelpSetupSaveAs},      {u.cmdDelete, kHelpSetupDelete},
        {u.cmdEdit, kHelpSetupEdit},          {u.cmdExit, kHelpSetupOk},
        {u.cmdCancel, kHelpSetupCancel},      {u.cmdUpdate, kHelpSetupUpdate},
        {u.chkCpuView, kHelpSetupCpuView},    {u.chkAlert, kHelpSetupAlert},
        {u.lblAlertPercent, kHelpSetupAlert}, {u.txtAlertPercent, kHelpSetupAlert},
        {u.lblAlertSeconds, kHelpSetupAlert}, {u.txtAlertSeconds, kHelpSetupAlert}};
    for (const auto& [widget, context] : contexts) {
        SetHelpContext(widget, context);
    }
}

// The controls write into the state as the user changes them; the buttons run their commands.
void fomSetup::ConnectControls() {
    const Ui::fomSetup& u = *ui_;
    connect(u.cboCycle, &QComboBox::currentIndexChanged, this,
            [this](int row) { state_.cycleRow = row; });
    connect(u.chkTopMost, &QCheckBox::toggled, this, [this](bool on) { state_.topMost = on; });
    connect(u.chkIconGraphMode, &QCheckBox::toggled, this, &fomSetup::chkIconGraphMode_Click);
    connect(u.chkAutostart, &QCheckBox::toggled, this, [this](bool on) { state_.autostart = on; });
    connect(u.chkCpuView, &QCheckBox::toggled, this,
            [this](bool on) { state_.eachProcessor = on; });
    connect(u.optIconGraphMode, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        if (on) {
            state_.SelectIconMode(index);
        }
    });
    connect(u.chkAlert, &QCheckBox::toggled, this, [this](bool on) {
        state_.alert = on;
        ShowAlertControls();
    });
    connect(u.txtAlertPercent, &QLineEdit::textEdited, this,
            [this](const QString& text) { state_.alertPercent = ToStdString(text); });
    connect(u.txtAlertSeconds, &QLineEdit::textEdited, this,
            [this](const QString& text) { state_.alertSeconds = ToStdString(text); });
    connect(u.cboThemeName, &QComboBox::activated, this, &fomSetup::cboThemeName_Click);
    connect(u.cmdExit, &QPushButton::clicked, this, &fomSetup::cmdExit_Click);
    connect(u.cmdCancel, &QPushButton::clicked, this, &QDialog::reject);  // Esc as well
    connect(u.cmdUpdate, &QPushButton::clicked, this, &fomSetup::cmdUpdate_Click);
    connect(u.cmdEdit, &QPushButton::clicked, this, &fomSetup::cmdEdit_Click);
    connect(u.cmdSaveAs, &QPushButton::clicked, this, &fomSetup::cmdSaveAs_Click);
    connect(u.cmdDelete, &QPushButton::clicked, this, &fomSetup::cmdDelete_Click);
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
    if (watched == ui_->Frame1 && event->type() == QEvent::Shortcut) {
        ui_->cboThemeName->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void fomSetup::ShowState() {
    {
        const QSignalBlocker block(ui_->cboCycle);
        ui_->cboCycle->setCurrentIndex(state_.cycleRow);
    }
    {
        const QSignalBlocker block(ui_->chkCpuView);
        ui_->chkCpuView->setChecked(state_.eachProcessor);
        ui_->chkCpuView->setVisible(state_.CpuViewOffered());
    }
    {
        const QSignalBlocker block(ui_->chkTopMost);
        ui_->chkTopMost->setChecked(state_.topMost);
    }
    {
        const QSignalBlocker block(ui_->chkIconGraphMode);
        ui_->chkIconGraphMode->setChecked(state_.iconGraphChecked);
    }
    for (std::size_t i = 0; i < optIconGraphMode_.size(); ++i) {
        const QSignalBlocker block(optIconGraphMode_[i]);
        optIconGraphMode_[i]->setChecked(state_.iconModes[i].selected);
    }
    ShowTrayControls();
    {
        const QSignalBlocker block(ui_->chkAutostart);
        ui_->chkAutostart->setChecked(state_.autostart);
        ui_->chkAutostart->setEnabled(state_.autostartEnabled);
    }
    {
        const QSignalBlocker block(ui_->chkAlert);
        ui_->chkAlert->setChecked(state_.alert);
    }
    ui_->txtAlertPercent->setText(ToQString(state_.alertPercent));
    ui_->txtAlertSeconds->setText(ToQString(state_.alertSeconds));
    ShowAlertControls();
    {
        const QSignalBlocker block(ui_->cboThemeName);
        ui_->cboThemeName->clear();
        for (const ThemeListItem& item : state_.themeItems) {
            ui_->cboThemeName->addItem(ToQString(item.text), item.itemData);
        }
    }
    ShowThemeSelection();
}

void fomSetup::ShowTrayControls() {
    ui_->chkIconGraphMode->setEnabled(state_.IconGraphBoxEnabled());
    for (QRadioButton* option : optIconGraphMode_) {
        option->setEnabled(state_.IconModesEnabled());
    }
    ui_->lblNoTray->setVisible(!state_.TrayHost());
}

void fomSetup::ShowAlertControls() {
    const std::array<QWidget*, 6> controls = {ui_->lblAlertPercent,     ui_->txtAlertPercent,
                                              ui_->lblAlertPercentUnit, ui_->lblAlertSeconds,
                                              ui_->txtAlertSeconds,     ui_->lblAlertSecondsUnit};
    for (QWidget* control : controls) {
        control->setEnabled(state_.AlertFieldsEnabled());
    }
}

void fomSetup::ShowThemeSelection() {
    {
        const QSignalBlocker block(ui_->cboThemeName);
        ui_->cboThemeName->setCurrentIndex(state_.themeRow);
    }
    ui_->lblThemeName->setText(ToQString(state_.themeNameLabel));
    ui_->cmdDelete->setEnabled(state_.deleteEnabled);
}

void fomSetup::cboThemeName_Click(int row) {
    state_.SelectThemeRow(row);
    ShowThemeSelection();
}

void fomSetup::chkIconGraphMode_Click(bool checked) {
    state_.SetIconGraph(checked);
    ShowTrayControls();
}

bool fomSetup::Apply() {
    if (const std::optional<AlertInputProblem> problem = state_.CheckAlertInput()) {
        QtMessagePrompt prompt(this);
        prompt.Show(problem->message);
        QLineEdit* field =
            problem->field == AlertField::Percent ? ui_->txtAlertPercent : ui_->txtAlertSeconds;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return false;
    }
    const bool enabling = state_.autostart;
    if (!state_.ApplySettings()) {
        QtMessagePrompt prompt(this);
        prompt.Show(AutostartFailedMessage(enabling));
        const QSignalBlocker block(ui_->chkAutostart);
        ui_->chkAutostart->setChecked(state_.autostart);
    }
    return true;
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
    accept();
}

void fomSetup::cmdUpdate_Click() {
    if (!Apply()) {
        return;
    }
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
