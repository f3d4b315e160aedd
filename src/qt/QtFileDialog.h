// The open and save dialogs behind clsComDlg, over QFileDialog. Tests queue answers with
// SetNextAnswers, so a dialog is answered at once, without showing it, and its request recorded.
#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "core/dialogs/Prompts.h"

class QFileDialog;
class QWidget;

namespace moravel {

class QtFileDialog : public FileDialogBackend {
  public:
    QtFileDialog() = default;
    std::optional<FileDialogAnswer> Show(const FileDialogRequest& request) override;

    // The owner handle clsComDlg carries for `window` (its window id), and back.
    static std::uintptr_t OwnerHandle(QWidget* window);
    static QWidget* OwnerWindow(std::uintptr_t handle);

    // Sets up `dialog` for `request`: mode, title, filters and the one shown first, the folder
    // and the file box.
    static void Prepare(QFileDialog& dialog, const FileDialogRequest& request);

    // The 1-based index in the dialog's filters of the one it shows now, 1 when none matches.
    static std::int32_t SelectedFilterIndex(const QFileDialog& dialog);

    // What the dialog answers for the path the user chose and the filter shown at that moment
    // (1-based): nothing for an empty path, for one that does not fit the dialog's file buffer, or
    // for a path in a missing folder when `flags` say the path must exist.
    static std::optional<FileDialogAnswer> Answer(const QString& path, std::int32_t filterIndex,
                                                  std::int32_t flags);

    static void SetNextAnswers(std::deque<std::optional<FileDialogAnswer>> answers);
    static const std::vector<FileDialogRequest>& Asked();
    static void ClearAsked();
};

}  // namespace moravel
