// clsComDlg: the property-style wrapper around the open and save dialogs. One instance serves the
// whole run, so its properties (FilterIndex above all) carry over from one use to the next.
#pragma once

#include <cstdint>
#include <string>

#include "core/dialogs/Prompts.h"

namespace moravel {

inline constexpr std::size_t kFileDialogBufferChars = 255;

class clsComDlg {
  public:
    explicit clsComDlg(FileDialogBackend& backend) : backend_(backend) {}
    clsComDlg(const clsComDlg&) = delete;
    clsComDlg& operator=(const clsComDlg&) = delete;

    std::string DefaultExt;  // stored only; callers add a missing extension themselves
    std::string DialogTitle;
    std::string Filter;  // "description|pattern|description|pattern..."
    std::int32_t Flags = 0;
    std::uintptr_t OwnerhWnd = 0;
    std::string FileName;  // in: the initial path; out: the chosen path, "" on cancel
    std::int32_t FilterIndex = 0;

    // Writing Action shows the open or the save dialog; any other value shows none.
    void Action(FileDialogAction action);

    // The request Action hands to the dialog, built from the properties.
    FileDialogRequest BuildRequest(FileDialogAction action) const;

  private:
    FileDialogBackend& backend_;
};

}  // namespace moravel
