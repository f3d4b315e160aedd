#include "qt/QtPrompts.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "core/dialogs/ScriptedAnswers.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"

namespace moravel {
namespace {

ScriptedAnswers<MessageAnswer, MessageRequest>& Script() {
    static ScriptedAnswers<MessageAnswer, MessageRequest> script;
    return script;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessagePrompt::SetNextAnswers(std::deque<MessageAnswer> answers) {
    Script().SetNext(std::move(answers));
}

const std::vector<MessageRequest>& QtMessagePrompt::Asked() {
    return Script().Asked();
}

void QtMessagePrompt::ClearAsked() {
    Script().ClearAsked();
}

MessageAnswer QtMessagePrompt::Show(const MessageRequest& request) {
    if (const auto answer = Script().Take(request)) {
        return *answer;
    }
    EnsureQtTranslations();
    QMessageBox box(ToQtIcon(request.icon), ToQString(request.caption), ToQString(request.text),
                    QMessageBox::NoButton, owner_);
    box.setTextFormat(Qt::PlainText);  // a theme's title is text, never markup
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    QPushButton* cancel = nullptr;
    if (request.buttons == MessageButtons::OkCancel) {
        cancel = box.addButton(QCoreApplication::translate("Moravel", "キャンセル"),
                               QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(request.defaultButton == MessageDefault::Second && cancel ? cancel : ok);
    box.exec();
    return box.clickedButton() == ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void ShowMessage(QWidget* owner, const MessageRequest& request) {
    QtMessagePrompt(owner).Show(request);
}

}  // namespace moravel
