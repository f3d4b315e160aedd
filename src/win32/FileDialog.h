// The open and save dialogs behind clsComDlg, over GetOpenFileNameW and GetSaveFileNameW. Tests
// queue answers with SetNextAnswers, so a dialog is answered at once, without showing it, and its
// request recorded.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/dialogs/ComDlg.h"
#include "core/dialogs/Prompts.h"

namespace moravel {

// The record the system's dialog gets for one request, and the buffers it points into.
class FileDialogRecord {
  public:
    // `instance` is the application's module.
    FileDialogRecord(const FileDialogRequest& request, HINSTANCE instance);
    FileDialogRecord(const FileDialogRecord&) = delete;
    FileDialogRecord& operator=(const FileDialogRecord&) = delete;

    OPENFILENAMEW& record() { return record_; }
    // Descriptions and patterns, each ended by a NUL, the list by one more; empty without filters.
    const std::wstring& filter() const { return filter_; }

    // What the dialog answered after it returned non-zero: the text of the file buffer before its
    // first two consecutive NULs, and the filter the user had chosen.
    FileDialogAnswer Answer() const;

  private:
    std::wstring filter_;
    std::wstring title_;
    std::wstring initialFolder_;
    // kFileDialogBufferChars characters with the closing NUL.
    std::array<wchar_t, kFileDialogBufferChars> file_ = {};
    std::array<wchar_t, kFileDialogBufferChars> fileTitle_ = {};
    OPENFILENAMEW record_ = {};
};

class Win32FileDialog final : public FileDialogBackend {
  public:
    std::optional<FileDialogAnswer> Show(const FileDialogRequest& request) override;

    // The owner handle clsComDlg carries for `window`, and back.
    static std::uintptr_t OwnerHandle(HWND window) {
        return reinterpret_cast<std::uintptr_t>(window);
    }
    static HWND OwnerWindow(std::uintptr_t handle) { return reinterpret_cast<HWND>(handle); }

    static void SetNextAnswers(std::deque<std::optional<FileDialogAnswer>> answers);
    static const std::vector<FileDialogRequest>& Asked();
    static void ClearAsked();
};

}  // namespace moravel
