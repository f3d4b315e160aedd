#include "qt/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>

#include "core/config/Config.h"
#include "core/shell/Help.h"
#include "qt/QtPrompts.h"

namespace moravel {
namespace {

QPointer<QTextBrowser>& Window() {
    static QPointer<QTextBrowser> window;
    return window;
}

void Inform(QWidget* owner, const std::string& text, MessageIcon icon) {
    MessageRequest message;
    message.text = text;
    message.caption = std::string(kAppTitle);
    message.icon = icon;
    ShowMessage(owner, message);
}

}  // namespace

QTextBrowser* HelpWindow() {
    return Window().data();
}

void ShowHelp(QWidget* owner, std::string_view helpFile, HelpContext context) {
    const HelpTarget target = ResolveHelp(helpFile, context);
    if (target.noHelp) {
        Inform(owner, std::string(kNoHelpMessage), MessageIcon::Information);
        return;
    }
    QFile file(QString::fromStdString(target.file));
    if (!file.open(QIODevice::ReadOnly)) {
        Inform(owner, HelpFileErrorMessage(target.file), MessageIcon::None);
        return;
    }
    const QString html = QString::fromUtf8(file.readAll());

    // While a modal dialog is open every other window is blocked, so the help window then
    // belongs to that dialog (and goes with it); otherwise it stands on its own.
    QWidget* modal = QApplication::activeModalWidget();
    QPointer<QTextBrowser>& window = Window();
    if (!window.isNull() && window->parentWidget() != modal) {
        delete window.data();
    }
    if (window.isNull()) {
        window = new QTextBrowser(modal);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setOpenExternalLinks(true);
        window->resize(600, 520);
    }
    window->setWindowTitle(QStringLiteral("Moravel ヘルプ"));
    window->setHtml(html);
    window->show();
    window->scrollToAnchor(QString::fromStdString(HelpAnchor(target.context)));
    window->raise();
    window->activateWindow();
}

}  // namespace moravel
