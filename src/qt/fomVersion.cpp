#include "qt/fomVersion.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "qt/IconPixmap.h"
#include "qt/QtText.h"
#include "qt/WindowHelpers.h"
#include "ui_fomVersion.h"

namespace moravel {
fomVersion::fomVersion(QWidget* mainWindow, const ProgramVersion& version)
    : QDialog(mainWindow),
      version_(version),
      ui_(std::make_unique<Ui::fomVersion>()),
      timPress_(new QTimer(this)) {
    setWindowTitle(ToQString(Localised(kAboutCaption)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui_->setupUi(this);
    for (int i = 0; i < kPressFrames; ++i) {
        picAnime_[static_cast<std::size_t>(i)] =
            QPixmap::fromImage(ResourcePicture(QStringLiteral(":/about/frame%1.png").arg(i)));
    }
    ui_->picIcon->installEventFilter(this);
    connect(ui_->cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    timPress_->setInterval(kPressIntervalMs);
    connect(timPress_, &QTimer::timeout, this, &fomVersion::timPress_Timer);
    Form_Load(mainWindow);
}

fomVersion::~fomVersion() = default;

QLabel* fomVersion::picIcon() const {
    return ui_->picIcon;
}

void fomVersion::Form_Load(QWidget* mainWindow) {
    ui_->Label1->setText(
        ToQString(VersionLine(kAppTitle, version_.Major, version_.Minor, version_.Revision)));
    ui_->Label2->setText(ToQString(Localised(kRightsNotice)));
    ui_->Label3->setText(ToQString(Localised(kLegalNotice)));
    ShowFrame();
    adjustSize();
    if (mainWindow != nullptr && mainWindow->isVisible()) {
        PlaceDialog(this, mainWindow, PlaceMode::Beside);
    }
}

bool fomVersion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->picIcon) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            picIcon_MouseDown(MouseButtonBit(static_cast<QMouseEvent*>(event)->button()));
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            picIcon_MouseUp(MouseButtonBit(static_cast<QMouseEvent*>(event)->button()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void fomVersion::picIcon_MouseDown(int button) {
    if (button == 0) {
        return;
    }
    press_.MouseDown(button);  // the first step is taken at once
    timPress_->start();
    ShowFrame();
}

void fomVersion::picIcon_MouseUp(int button) {
    if (button == 0) {
        return;
    }
    press_.MouseUp(button);
    timPress_->start();
}

void fomVersion::timPress_Timer() {
    if (!press_.Step()) {
        timPress_->stop();
    }
    ShowFrame();
}

void fomVersion::ShowFrame() {
    ui_->picIcon->setPixmap(picAnime_[static_cast<std::size_t>(press_.PressFrame)]);
    ui_->picIcon->repaint();
}

}  // namespace moravel
