// Message boxes for the core's questions, over MessageBoxW. Tests queue answers with
// SetNextAnswers, so a question is answered at once, without a modal box, and recorded.
#pragma once

#include <windows.h>

#include <deque>
#include <vector>

#include "core/dialogs/Prompts.h"

namespace moravel {

// The MessageBoxW style of a request: its buttons, icon and default button.
UINT MessageBoxStyle(const MessageRequest& request);

class Win32MessagePrompt final : public MessagePrompt {
  public:
    explicit Win32MessagePrompt(HWND owner) : owner_(owner) {}
    // A box without a caption takes the application's title.
    MessageAnswer Show(const MessageRequest& request) override;

    static void SetNextAnswers(std::deque<MessageAnswer> answers);
    static const std::vector<MessageRequest>& Asked();
    static void ClearAsked();

  private:
    HWND owner_;
};

// Shows a message box with an OK button (or the scripted answer in tests).
void ShowMessage(HWND owner, const MessageRequest& request);

}  // namespace moravel
