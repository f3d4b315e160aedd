#include "qt/HelpViewer.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QWindow>

#include "core/app/Help.h"
#include "core/app/Texts.h"
#include "core/config/Config.h"
#include "qt/QtPrompts.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"

namespace moravel {
namespace {

const char* const kHelpContextProperty = "helpContext";

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

// F1 in `dialog`: the topic of the control with the focus, in a help window the dialog owns.
void ShowHelpForFocus(QDialog* dialog, std::string_view helpFile) {
    const HelpContext context = HelpContextOf(dialog->focusWidget());
    if (context == HelpContext::None) {
        return;
    }
    ShowHelp(dialog, helpFile, context);
    if (QTextBrowser* help = HelpWindow(); help != nullptr && help->windowHandle() != nullptr) {
        help->windowHandle()->setTransientParent(dialog->windowHandle());
    }
}

// The help window the closing `dialog` owned stands on its own again.
void ReleaseHelpWindow(const QDialog* dialog) {
    QTextBrowser* help = HelpWindow();
    if (help != nullptr && help->windowHandle() != nullptr &&
        help->windowHandle()->transientParent() == dialog->windowHandle()) {
        help->windowHandle()->setTransientParent(nullptr);
    }
}

}  // namespace

QTextBrowser* HelpWindow() {
    return Window().data();
}

void ShowHelp(QWidget* owner, std::string_view helpFile, HelpContext context) {
    const HelpTarget target = ResolveHelp(helpFile, context);
    if (target.noHelp) {
        Inform(owner, std::string(Localised(kNoHelpMessage)), MessageIcon::Information);
        return;
    }
    QFile file(ToQString(target.file));
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
        EnsureQtTranslations();  // its context menu
        window = new QTextBrowser(modal);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setOpenExternalLinks(true);
        window->resize(600, 520);
    }
    window->setWindowTitle(QCoreApplication::translate("Moravel", "Moravel ヘルプ"));
    window->setHtml(html);
    window->show();
    window->scrollToAnchor(QString::fromStdString(HelpAnchor(target.context)));
    window->raise();
    window->activateWindow();
}

void SetHelpContext(QWidget* widget, HelpContext context) {
    widget->setProperty(kHelpContextProperty, static_cast<int>(context));
}

HelpContext HelpContextOf(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QVariant context = widget->property(kHelpContextProperty);
        if (context.isValid()) {
            return static_cast<HelpContext>(context.toInt());
        }
        if (widget->isWindow()) {
            break;
        }
    }
    return HelpContext::None;
}

void InstallHelpKey(QDialog* dialog, const std::string& helpFile) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, dialog,
                     [dialog, &helpFile] { ShowHelpForFocus(dialog, helpFile); });
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog] { ReleaseHelpWindow(dialog); });
}

}  // namespace moravel
