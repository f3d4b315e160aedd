#include "win32/FileDialog.h"

#include <algorithm>

#include "core/dialogs/ScriptedAnswers.h"
#include "core/os/WideText_win.h"
#include "win32/Com.h"

namespace moravel {
namespace {

ScriptedAnswers<std::optional<FileDialogAnswer>, FileDialogRequest>& Script() {
    static ScriptedAnswers<std::optional<FileDialogAnswer>, FileDialogRequest> script;
    return script;
}

// Copies as much of `text` as fits into `buffer` with its closing NUL, never splitting a
// surrogate pair; the rest of the buffer is NUL.
template <std::size_t N>
void PutText(std::array<wchar_t, N>& buffer, const std::wstring& text) {
    buffer.fill(L'\0');
    std::size_t length = std::min(text.size(), N - 1);
    if (length > 0 && length < text.size() && IS_HIGH_SURROGATE(text[length - 1])) {
        --length;
    }
    std::copy_n(text.begin(), length, buffer.begin());
}

}  // namespace

FileDialogRecord::FileDialogRecord(const FileDialogRequest& request, HINSTANCE instance)
    : title_(Utf8ToWide(request.title)), initialFolder_(Utf8ToWide(request.initialFolder)) {
    for (const auto& [description, pattern] : request.filters) {
        filter_ += Utf8ToWide(description);
        filter_ += L'\0';
        filter_ += Utf8ToWide(pattern);
        filter_ += L'\0';
    }
    if (!filter_.empty()) {
        filter_ += L'\0';
    }
    PutText(file_, Utf8ToWide(request.fileBox));

    record_.lStructSize = sizeof(record_);
    record_.hwndOwner = Win32FileDialog::OwnerWindow(request.owner);
    record_.hInstance = instance;
    record_.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    record_.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    record_.lpstrFile = file_.data();
    record_.nMaxFile = static_cast<DWORD>(file_.size());
    record_.lpstrFileTitle = fileTitle_.data();
    record_.nMaxFileTitle = static_cast<DWORD>(fileTitle_.size());
    record_.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
    record_.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    record_.Flags = static_cast<DWORD>(request.flags);
}

FileDialogAnswer FileDialogRecord::Answer() const {
    std::size_t end = 0;
    while (end < file_.size() &&
           !(file_[end] == L'\0' && (end + 1 == file_.size() || file_[end + 1] == L'\0'))) {
        ++end;
    }
    return {WideToUtf8(std::wstring_view(file_.data(), end)),
            static_cast<std::int32_t>(record_.nFilterIndex)};
}

std::optional<FileDialogAnswer> Win32FileDialog::Show(const FileDialogRequest& request) {
    if (auto answer = Script().Take(request)) {
        return *answer;
    }
    if (request.action != FileDialogAction::Open && request.action != FileDialogAction::Save) {
        return std::nullopt;
    }
    EnsureComApartment();  // the Explorer-style dialog runs shell code
    FileDialogRecord dialog(request, GetModuleHandleW(nullptr));
    const BOOL confirmed = request.action == FileDialogAction::Open
                               ? GetOpenFileNameW(&dialog.record())
                               : GetSaveFileNameW(&dialog.record());
    if (confirmed == 0) {
        return std::nullopt;  // cancelled, or failed: the same to the caller
    }
    FileDialogAnswer answer = dialog.Answer();
    if (answer.path.empty()) {
        return std::nullopt;
    }
    return answer;
}

void Win32FileDialog::SetNextAnswers(std::deque<std::optional<FileDialogAnswer>> answers) {
    Script().SetNext(std::move(answers));
}

const std::vector<FileDialogRequest>& Win32FileDialog::Asked() {
    return Script().Asked();
}

void Win32FileDialog::ClearAsked() {
    Script().ClearAsked();
}

}  // namespace moravel
