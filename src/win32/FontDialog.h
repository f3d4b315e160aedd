// The font picker behind one call, over ChooseFontW, for the theme's text font. Tests queue answers
// with FontDialogAnswers::SetNextAnswers: each answer plays the user on the record the dialog
// would get, without showing it.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace moravel {

// Opens the font dialog on `faceName`, `size` (points) and `style` (bits 1 bold, 2 italic,
// 4 underline, 8 strike-out), sizes 1 to 300 points, no effects. Returns 0 when the user confirmed
// a font, which then replaces the three values; -1 when the user cancelled (or the dialog failed),
// leaving them as they were. A face or size left as the dialog showed it keeps the value it came
// from: the face named even where GDI showed its substitute, the tenths of a size the dialog shows
// in whole points.
std::int32_t ShowFontDialog(HWND owner, std::string& faceName, double& size, std::int32_t& style);

struct FontDialogAnswers {
    // Gets the record as the dialog would (record.lpLogFont the font it opens with), changes the
    // font and record.iPointSize as the dialog would on OK, and returns true for OK, false for a
    // cancel. The dialog is taken to show the face as named and the size in whole points.
    using Answer = std::function<bool(CHOOSEFONTW& record)>;
    static void SetNextAnswers(std::deque<Answer> answers);
    // The fonts the dialogs were opened with, and their flags.
    static const std::vector<LOGFONTW>& Asked();
    static const std::vector<DWORD>& AskedFlags();
    static void ClearAsked();
};

}  // namespace moravel
