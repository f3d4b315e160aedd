#include "win32/Prompts.h"

#include "core/config/Config.h"
#include "core/dialogs/ScriptedAnswers.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

ScriptedAnswers<MessageAnswer, MessageRequest>& Script() {
    static ScriptedAnswers<MessageAnswer, MessageRequest> script;
    return script;
}

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return MB_ICONHAND;
        case MessageIcon::Question:
            return MB_ICONQUESTION;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONASTERISK;
        case MessageIcon::None:
            break;
    }
    return 0;
}

}  // namespace

UINT MessageBoxStyle(const MessageRequest& request) {
    UINT style = IconStyle(request.icon);
    if (request.buttons == MessageButtons::OkCancel) {
        style |= MB_OKCANCEL;
        if (request.defaultButton == MessageDefault::Second) {
            style |= MB_DEFBUTTON2;
        }
    } else {
        style |= MB_OK;
    }
    return style;
}

void Win32MessagePrompt::SetNextAnswers(std::deque<MessageAnswer> answers) {
    Script().SetNext(std::move(answers));
}

const std::vector<MessageRequest>& Win32MessagePrompt::Asked() {
    return Script().Asked();
}

void Win32MessagePrompt::ClearAsked() {
    Script().ClearAsked();
}

MessageAnswer Win32MessagePrompt::Show(const MessageRequest& request) {
    if (const auto answer = Script().Take(request)) {
        return *answer;
    }
    const std::wstring text = Utf8ToWide(request.text);
    const std::wstring caption =
        Utf8ToWide(request.caption.empty() ? kAppTitle : std::string_view(request.caption));
    // Without an owner the box still blocks the program's other windows, as a dialog's would.
    const UINT style = MessageBoxStyle(request) | (owner_ == nullptr ? MB_TASKMODAL : 0);
    const int result = MessageBoxW(owner_, text.c_str(), caption.c_str(), style);
    return result == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void ShowMessage(HWND owner, const MessageRequest& request) {
    Win32MessagePrompt(owner).Show(request);
}

}  // namespace moravel
