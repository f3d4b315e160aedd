// The font picker behind one call, for the theme's text font. Tests queue answers with
// FontDialogAnswers::SetNextAnswers: each answer plays the user on the font the dialog would
// show, without showing it.
#pragma once

#include <QFont>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace moravel {

// Opens the font dialog on `faceName`, `size` (points) and `style` (bits 1 bold, 2 italic,
// 4 underline, 8 strike-out). Returns 0 when the user confirmed a font, which then replaces the
// three values; -1 when the user cancelled, leaving them as they were.
std::int32_t ShowFontDialog(QWidget* owner, std::string& faceName, double& size,
                            std::int32_t& style);

struct FontDialogAnswers {
    // Gets the font as the dialog would show it, changes it as the user would, and returns true
    // for OK, false for a cancel.
    using Answer = std::function<bool(QFont& font)>;
    static void SetNextAnswers(std::deque<Answer> answers);
    // The fonts the dialogs were opened with.
    static const std::vector<QFont>& Asked();
    static void ClearAsked();
};

}  // namespace moravel
