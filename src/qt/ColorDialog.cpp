#include "qt/ColorDialog.h"

#include <QColorDialog>

#include "core/render/Colour.h"
#include "qt/QtTranslations.h"

namespace moravel {
namespace {

std::deque<std::int32_t>& NextAnswers() {
    static std::deque<std::int32_t> answers;
    return answers;
}

std::vector<std::int32_t>& AskedColours() {
    static std::vector<std::int32_t> asked;
    return asked;
}

// The custom colours are Qt's own, process-wide; what Qt may have kept from an earlier run is
// replaced by black at the first call.
void SetUpCustomColours() {
    static bool setUp = false;
    if (setUp) {
        return;
    }
    for (int i = 0; i < kCustomColourCount && i < QColorDialog::customCount(); ++i) {
        QColorDialog::setCustomColor(i, QColor(0, 0, 0));
    }
    setUp = true;
}

}  // namespace

void ColorDialogAnswers::SetNextAnswers(std::deque<std::int32_t> answers) {
    NextAnswers() = std::move(answers);
}

const std::vector<std::int32_t>& ColorDialogAnswers::Asked() {
    return AskedColours();
}

void ColorDialogAnswers::ClearAsked() {
    AskedColours().clear();
}

std::int32_t ShowColorDialog(QWidget* owner, std::int32_t initialColour) {
    SetUpCustomColours();
    AskedColours().push_back(initialColour);
    if (!NextAnswers().empty()) {
        const std::int32_t answer = NextAnswers().front();
        NextAnswers().pop_front();
        return answer < 0 ? -1 : answer;
    }
    EnsureQtTranslations();
    const Colour initial = ResolveColour(static_cast<Colour>(initialColour));
    QColorDialog dialog(QColor(static_cast<int>(RedOf(initial)), static_cast<int>(GreenOf(initial)),
                               static_cast<int>(BlueOf(initial))),
                        owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("色の設定"));
    if (dialog.exec() != QDialog::Accepted) {
        return -1;
    }
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) {
        return -1;
    }
    return static_cast<std::int32_t>(Rgb(static_cast<std::uint32_t>(chosen.red()),
                                         static_cast<std::uint32_t>(chosen.green()),
                                         static_cast<std::uint32_t>(chosen.blue())));
}

}  // namespace moravel
