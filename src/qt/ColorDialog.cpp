#include "qt/ColorDialog.h"

#include <QColorDialog>
#include <QCoreApplication>

#include "core/dialogs/ScriptedAnswers.h"
#include "core/render/Colour.h"
#include "qt/QtTranslations.h"

namespace moravel {
namespace {

ScriptedAnswers<std::int32_t, std::int32_t>& Script() {
    static ScriptedAnswers<std::int32_t, std::int32_t> script;
    return script;
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
    Script().SetNext(std::move(answers));
}

const std::vector<std::int32_t>& ColorDialogAnswers::Asked() {
    return Script().Asked();
}

void ColorDialogAnswers::ClearAsked() {
    Script().ClearAsked();
}

std::int32_t ShowColorDialog(QWidget* owner, std::int32_t initialColour) {
    SetUpCustomColours();
    if (const auto answer = Script().Take(initialColour)) {
        return *answer < 0 ? -1 : *answer;
    }
    EnsureQtTranslations();
    const Colour initial = ResolveColour(static_cast<Colour>(initialColour));
    QColorDialog dialog(QColor(static_cast<int>(RedOf(initial)), static_cast<int>(GreenOf(initial)),
                               static_cast<int>(BlueOf(initial))),
                        owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QCoreApplication::translate("Moravel", "色の設定"));
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
