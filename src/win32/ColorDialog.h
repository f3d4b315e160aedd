// The colour picker behind one call, over ChooseColorW. Its 16 custom colours are black at the
// first call of a run and keep what the user defines until the program ends. Tests queue answers
// with ColorDialogAnswers::SetNextAnswers, so a dialog is answered at once, without showing it.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace moravel {

inline constexpr int kCustomColourCount = 16;

// Opens the colour dialog on `initialColour` (0x00BBGGRR, or a system colour). Returns the chosen
// colour as 0x00BBGGRR, or -1 when the user cancelled or the dialog failed.
std::int32_t ShowColorDialog(HWND owner, std::int32_t initialColour);

// The custom colours every colour dialog of this run shows and edits.
const std::array<COLORREF, kCustomColourCount>& CustomColours();

struct ColorDialogAnswers {
    // Plays the user on the record the dialog would get (its custom colours included): sets the
    // record's result and returns true for OK, or returns false for a cancel.
    using Answer = std::function<bool(CHOOSECOLORW& record)>;
    static void SetNextAnswers(std::deque<Answer> answers);
    // The initial colours of the dialogs asked so far.
    static const std::vector<std::int32_t>& Asked();
    static void ClearAsked();
};

}  // namespace moravel
