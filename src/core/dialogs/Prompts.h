// Questions the core asks the user through the UI: message boxes and the system file dialog.
// The Qt layer implements them; tests use fakes that answer from a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace moravel {

// A message box's codes, with the numbers of the system's message-box call.
enum class MessageButtons : std::int32_t { Ok = 0, OkCancel = 1 };
enum class MessageIcon : std::int32_t {
    None = 0,
    Critical = 0x10,
    Question = 0x20,
    Exclamation = 0x30,
    Information = 0x40,
};
// Which button is the default: the first or the second.
enum class MessageDefault : std::int32_t { First = 0x000, Second = 0x100 };
// The button the user chose.
enum class MessageAnswer : std::int32_t { Ok = 1, Cancel = 2 };

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    MessageDefault defaultButton = MessageDefault::First;
};

// What the open/save dialog object is asked to show (its Action property).
enum class FileDialogAction : std::int32_t { None = 0, Open = 1, Save = 2 };

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
    FileDialogAction action = FileDialogAction::None;
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
