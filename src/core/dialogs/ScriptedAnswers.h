// The answers tests script for one kind of system dialog or message box, so it is answered at once
// without being shown, and the requests it was asked. Each front end keeps one per kind for the
// run.
#pragma once

#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace moravel {

template <typename Answer, typename Request>
class ScriptedAnswers {
  public:
    // Replaces the answers still queued.
    void SetNext(std::deque<Answer> answers) { next_ = std::move(answers); }

    // Records `request` and hands out the next queued answer; nothing when none is queued, and the
    // real dialog is shown.
    std::optional<Answer> Take(Request request) {
        asked_.push_back(std::move(request));
        if (next_.empty()) {
            return std::nullopt;
        }
        std::optional<Answer> answer(std::move(next_.front()));
        next_.pop_front();
        return answer;
    }

    const std::vector<Request>& Asked() const { return asked_; }
    void ClearAsked() { asked_.clear(); }

  private:
    std::deque<Answer> next_;
    std::vector<Request> asked_;
};

}  // namespace moravel
