#include "qt/QtFileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

#include "core/dialogs/ComDlg.h"
#include "core/dialogs/ScriptedAnswers.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"

namespace moravel {
namespace {

// The flag bits of the request that mean something here (the system's file-dialog flags).
constexpr std::int32_t kOverwritePrompt = 0x2;
constexpr std::int32_t kPathMustExist = 0x800;
constexpr std::int32_t kFileMustExist = 0x1000;

ScriptedAnswers<std::optional<FileDialogAnswer>, FileDialogRequest>& Script() {
    static ScriptedAnswers<std::optional<FileDialogAnswer>, FileDialogRequest> script;
    return script;
}

bool FolderOfPathExists(const QString& path) {
    return QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

// Qt's own dialog accepts a name in a missing folder; this one keeps asking, as the system's
// dialog does when the path must exist.
class CheckedFileDialog : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;
    std::int32_t flags = 0;

    void accept() override {
        const QStringList files = selectedFiles();
        if ((flags & kPathMustExist) != 0 && !files.isEmpty() &&
            !QFileInfo(files.first()).isDir() && !FolderOfPathExists(files.first())) {
            QMessageBox::warning(
                this, windowTitle(),
                QCoreApplication::translate(
                    "Moravel", "%1\nフォルダが存在しません。フォルダ名を確認してください。")
                    .arg(QDir::toNativeSeparators(files.first())));
            return;
        }
        QFileDialog::accept();
    }
};

}  // namespace

std::uintptr_t QtFileDialog::OwnerHandle(QWidget* window) {
    return window != nullptr ? static_cast<std::uintptr_t>(window->window()->winId()) : 0;
}

QWidget* QtFileDialog::OwnerWindow(std::uintptr_t handle) {
    return handle != 0 ? QWidget::find(static_cast<WId>(handle)) : nullptr;
}

void QtFileDialog::Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(ToQString(request.title));
    if (request.action == FileDialogAction::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((request.flags & kFileMustExist) != 0 ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
    }
    // No overwrite question unless it is asked for.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & kOverwritePrompt) == 0);
    // The descriptions are shown as they are; the patterns only filter.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);

    QStringList filters;
    for (const auto& [description, pattern] : request.filters) {
        QString patterns = ToQString(pattern);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << ToQString(description) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const std::int32_t index = request.filterIndex;
        dialog.selectNameFilter(filters.at(index >= 1 && index <= filters.size() ? index - 1 : 0));
    }

    if (!request.initialFolder.empty()) {
        dialog.setDirectory(QDir::fromNativeSeparators(ToQString(request.initialFolder)));
    }
    if (!request.fileBox.empty()) {
        dialog.selectFile(ToQString(request.fileBox));
    }
}

std::int32_t QtFileDialog::SelectedFilterIndex(const QFileDialog& dialog) {
    // With the details hidden the dialog names its filter by the description alone.
    const QString selected = dialog.selectedNameFilter();
    const QStringList filters = dialog.nameFilters();
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QString& filter = filters.at(i);
        const qsizetype details = filter.lastIndexOf(QStringLiteral(" ("));
        if (filter == selected || (details >= 0 && filter.left(details) == selected)) {
            return static_cast<std::int32_t>(i + 1);
        }
    }
    return 1;
}

std::optional<FileDialogAnswer> QtFileDialog::Answer(const QString& path, std::int32_t filterIndex,
                                                     std::int32_t flags) {
    // The file buffer holds kFileDialogBufferChars characters with the closing NUL: a longer path
    // does not fit, and the dialog fails as the system's does.
    if (path.isEmpty() ||
        static_cast<std::size_t>(path.toUcs4().size()) >= kFileDialogBufferChars) {
        return std::nullopt;
    }
    if ((flags & kPathMustExist) != 0 && !FolderOfPathExists(path)) {
        return std::nullopt;
    }
    return FileDialogAnswer{ToStdString(QDir::toNativeSeparators(path)), filterIndex};
}

std::optional<FileDialogAnswer> QtFileDialog::Show(const FileDialogRequest& request) {
    if (auto answer = Script().Take(request)) {
        return *answer;
    }
    if (request.action != FileDialogAction::Open && request.action != FileDialogAction::Save) {
        return std::nullopt;
    }
    EnsureQtTranslations();
    QPointer<CheckedFileDialog> dialog = new CheckedFileDialog(OwnerWindow(request.owner));
    dialog->flags = request.flags;
    Prepare(*dialog, request);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (dialog.isNull()) {
        return std::nullopt;  // its owner went away while it was open
    }
    std::optional<FileDialogAnswer> answer;
    if (accepted && !dialog->selectedFiles().isEmpty()) {
        answer =
            Answer(dialog->selectedFiles().first(), SelectedFilterIndex(*dialog), request.flags);
    }
    delete dialog.data();
    return answer;
}

void QtFileDialog::SetNextAnswers(std::deque<std::optional<FileDialogAnswer>> answers) {
    Script().SetNext(std::move(answers));
}

const std::vector<FileDialogRequest>& QtFileDialog::Asked() {
    return Script().Asked();
}

void QtFileDialog::ClearAsked() {
    Script().ClearAsked();
}

}  // namespace moravel
