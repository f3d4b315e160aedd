// Message boxes for the core's questions. Tests queue answers with SetNextAnswers, so a question
// is answered at once, without a modal box, and recorded.
#pragma once

#include <deque>
#include <vector>

#include "core/dialogs/Prompts.h"

class QWidget;

namespace moravel {

class QtMessagePrompt : public MessagePrompt {
  public:
    explicit QtMessagePrompt(QWidget* owner) : owner_(owner) {}
    MessageAnswer Show(const MessageRequest& request) override;

    static void SetNextAnswers(std::deque<MessageAnswer> answers);
    static const std::vector<MessageRequest>& Asked();
    static void ClearAsked();

  private:
    QWidget* owner_;
};

// Shows a message box with an OK button (or the scripted answer in tests).
void ShowMessage(QWidget* owner, const MessageRequest& request);

}  // namespace moravel
