// Prompts that answer from a script and record what they were asked.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "core/dialogs/Prompts.h"

namespace moravel::test {

class ScriptedMessages : public MessagePrompt {
  public:
    MessageAnswer Show(const MessageRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) {
            return MessageAnswer::Cancel;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<MessageAnswer> answers;
    std::vector<MessageRequest> asked;
};

class ScriptedFileDialog : public FileDialogBackend {
  public:
    std::optional<FileDialogAnswer> Show(const FileDialogRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<FileDialogAnswer>> answers;
    std::vector<FileDialogRequest> asked;
};

}  // namespace moravel::test
