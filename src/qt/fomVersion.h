// The about box: product and version, the rights and legal notices, and a scale that sinks
// while mouse buttons are held on it. Its controls and their places come from the form
// fomVersion.ui.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <array>
#include <memory>

#include "core/config/Settings.h"
#include "core/dialogs/AboutBox.h"

class QLabel;
class QTimer;

namespace Ui {
class fomVersion;
}

namespace moravel {

class fomVersion : public QDialog {
    Q_OBJECT
  public:
    // Shows `version` as the program's.
    fomVersion(QWidget* mainWindow, const ProgramVersion& version);
    ~fomVersion() override;

    const PressAnimation& animation() const { return press_; }
    QLabel* picIcon() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Form_Load(QWidget* mainWindow);
    void picIcon_MouseDown(int button);
    void picIcon_MouseUp(int button);
    void timPress_Timer();
    void ShowFrame();

    ProgramVersion version_;
    std::array<QPixmap, kPressFrames> picAnime_;
    PressAnimation press_;
    std::unique_ptr<Ui::fomVersion> ui_;
    QTimer* timPress_;
};

}  // namespace moravel
