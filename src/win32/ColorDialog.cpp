#include "win32/ColorDialog.h"

#include "core/render/Colour.h"

namespace moravel {
namespace {

std::deque<ColorDialogAnswers::Answer>& NextAnswers() {
    static std::deque<ColorDialogAnswers::Answer> answers;
    return answers;
}

std::vector<std::int32_t>& AskedColours() {
    static std::vector<std::int32_t> asked;
    return asked;
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
    NextAnswers() = std::move(answers);
}

const std::vector<std::int32_t>& ColorDialogAnswers::Asked() {
    return AskedColours();
}

void ColorDialogAnswers::ClearAsked() {
    AskedColours().clear();
}

std::int32_t ShowColorDialog(HWND owner, std::int32_t initialColour) {
    AskedColours().push_back(initialColour);
    CHOOSECOLORW record = {};
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.rgbResult = ResolveColour(static_cast<Colour>(initialColour));
    record.lpCustColors = Custom().data();
    record.Flags = CC_RGBINIT;

    bool confirmed = false;
    if (!NextAnswers().empty()) {
        const ColorDialogAnswers::Answer answer = std::move(NextAnswers().front());
        NextAnswers().pop_front();
        confirmed = answer && answer(record);
    } else {
        confirmed = ChooseColorW(&record) != 0;
    }
    if (!confirmed) {
        return -1;
    }
    return static_cast<std::int32_t>(record.rgbResult & kColourBits);
}

}  // namespace moravel
