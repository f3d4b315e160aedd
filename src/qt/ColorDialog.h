// The colour picker behind one call. Its 16 custom colours start black at the first call of a run
// and keep what the user defines until the program ends. Tests queue answers with
// ColorDialogAnswers::SetNextAnswers, so a dialog is answered at once, without showing it.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

class QWidget;

namespace moravel {

inline constexpr int kCustomColourCount = 16;

// Opens the colour dialog on `initialColour` (0x00BBGGRR, or a system colour). Returns the chosen
// colour as 0x00BBGGRR, or -1 when the user cancelled.
std::int32_t ShowColorDialog(QWidget* owner, std::int32_t initialColour);

struct ColorDialogAnswers {
    // Each answer is a colour, or -1 for a cancel.
    static void SetNextAnswers(std::deque<std::int32_t> answers);
    // The initial colours of the dialogs asked so far.
    static const std::vector<std::int32_t>& Asked();
    static void ClearAsked();
};

}  // namespace moravel
