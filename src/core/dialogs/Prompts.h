// Questions the core asks the user through the UI: message boxes and the system file dialog.
// The Qt layer implements them; tests use fakes that answer from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace moravel {

enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Cancel };

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    int defaultButton = 1;  // 1 the first button, 2 the second
};

class MessagePrompt {
  public:
    MessagePrompt() = default;
    virtual ~MessagePrompt() = default;
    MessagePrompt(const MessagePrompt&) = delete;
    MessagePrompt& operator=(const MessagePrompt&) = delete;

    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

// What the open or save dialog is asked to show.
struct FileDialogRequest {
    int action = 0;            // 1 open, 2 save
    std::uintptr_t owner = 0;  // the owner window, as the UI knows it
    std::vector<std::pair<std::string, std::string>> filters;  // description, pattern
    std::int32_t filterIndex = 1;                              // 1-based
    std::string fileBox;                                       // the initial text of the file box
    std::string initialFolder;                                 // "" for the system's choice
    std::string title;
    std::int32_t flags = 0;
};

struct FileDialogAnswer {
    std::string path;
    std::int32_t filterIndex = 1;
};

class FileDialogBackend {
  public:
    FileDialogBackend() = default;
    virtual ~FileDialogBackend() = default;
    FileDialogBackend(const FileDialogBackend&) = delete;
    FileDialogBackend& operator=(const FileDialogBackend&) = delete;

    // Shows the dialog modally; nothing when the user cancels or the dialog fails.
    virtual std::optional<FileDialogAnswer> Show(const FileDialogRequest& request) = 0;
};

}  // namespace moravel
