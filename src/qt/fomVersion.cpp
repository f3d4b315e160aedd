#include "qt/fomVersion.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/config/Config.h"
#include "qt/IconPixmap.h"
#include "qt/QtText.h"
#include "qt/WindowHelpers.h"

namespace moravel {
fomVersion::fomVersion(QWidget* mainWindow, const ProgramVersion& version)
    : QDialog(mainWindow),
      version_(version),
      picIcon_(new QLabel(this)),
      Label1_(new QLabel(this)),
      Label2_(new QLabel(this)),
      Label3_(new QLabel(this)),
      cmdOk_(new QPushButton(QStringLiteral("OK"), this)),
      timPress_(new QTimer(this)) {
    setWindowTitle(ToQString(kAboutCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    for (int i = 0; i < kPressFrames; ++i) {
        picAnime_[static_cast<std::size_t>(i)] =
            QPixmap::fromImage(ResourcePicture(QStringLiteral(":/about/frame%1.png").arg(i)));
    }
    picIcon_->setFixedSize(52, 52);
    picIcon_->setAlignment(Qt::AlignCenter);
    picIcon_->installEventFilter(this);
    Label3_->setWordWrap(true);
    cmdOk_->setDefault(true);
    cmdOk_->setAutoDefault(true);
    connect(cmdOk_, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label1_);
    texts->addWidget(Label2_);
    texts->addSpacing(6);
    texts->addWidget(Label3_);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon_, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    timPress_->setInterval(kPressIntervalMs);
    connect(timPress_, &QTimer::timeout, this, &fomVersion::timPress_Timer);
    Form_Load(mainWindow);
}

void fomVersion::Form_Load(QWidget* mainWindow) {
    Label1_->setText(
        ToQString(VersionLine(kAppTitle, version_.Major, version_.Minor, version_.Revision)));
    Label2_->setText(ToQString(kRightsNotice));
    Label3_->setText(ToQString(kLegalNotice));
    ShowFrame();
    adjustSize();
    if (mainWindow != nullptr && mainWindow->isVisible()) {
        PlaceDialog(this, mainWindow, PlaceMode::Beside);
    }
}

bool fomVersion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picIcon_) {
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
    picIcon_->setPixmap(picAnime_[static_cast<std::size_t>(press_.PressFrame)]);
    picIcon_->repaint();
}

}  // namespace moravel
