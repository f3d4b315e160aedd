#include "win32/ColorDialog.h"

#include "core/dialogs/ScriptedAnswers.h"
#include "core/render/Colour.h"

namespace moravel {
namespace {

// Asked by initial colour.
ScriptedAnswers<ColorDialogAnswers::Answer, std::int32_t>& Script() {
    static ScriptedAnswers<ColorDialogAnswers::Answer, std::int32_t> script;
    return script;
}

// All black until the first dialog changes them.
std::array<COLORREF, kCustomColourCount>& Custom() {
    static std::array<COLORREF, kCustomColourCount> colours = {};
    return colours;
}

}  // namespace

const std::array<COLORREF, kCustomColourCount>& CustomColours() {
    return Custom();
}

void ColorDialogAnswers::SetNextAnswers(std::deque<Answer> answers) {
    Script().SetNext(std::move(answers));
}

const std::vector<std::int32_t>& ColorDialogAnswers::Asked() {
    return Script().Asked();
}

void ColorDialogAnswers::ClearAsked() {
    Script().ClearAsked();
}

std::int32_t ShowColorDialog(HWND owner, std::int32_t initialColour) {
    CHOOSECOLORW record = {};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.rgbResult = ResolveColour(static_cast<Colour>(initialColour));
    record.lpCustColors = Custom().data();
    record.Flags = CC_RGBINIT;

    bool confirmed = false;
    if (auto answer = Script().Take(initialColour)) {
        confirmed = *answer && (*answer)(record);
    } else {
        confirmed = ChooseColorW(&record) != 0;
    }
    if (!confirmed) {
        return -1;
    }
    return static_cast<std::int32_t>(record.rgbResult & kColourBits);
}

}  // namespace moravel
