#include "dialogs/fomThemeSetup.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/Globals.h"

namespace moravel {

fomThemeSetup::fomThemeSetup(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("テーマファイルの編集"));
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &fomThemeSetup::cmdExit_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buttons);
}

fomThemeSetup::~fomThemeSetup() = default;

int fomThemeSetup::Edit() {
    EditResult_ = -1;
    WorkTheme_ = gEditorTheme;
    exec();
    if (EditResult_ >= 0) {
        gEditorTheme = WorkTheme_;
        return EditResult_;
    }
    return -1;
}

void fomThemeSetup::cmdExit_Click() {
    EditResult_ = 0;
    accept();
}

}  // namespace moravel
