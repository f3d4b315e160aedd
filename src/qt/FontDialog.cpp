#include "qt/FontDialog.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontDialog>

#include "core/dialogs/FontChoice.h"
#include "core/dialogs/ScriptedAnswers.h"
#include "qt/QtFontEngine.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"

namespace moravel {
namespace {

ScriptedAnswers<FontDialogAnswers::Answer, QFont>& Script() {
    static ScriptedAnswers<FontDialogAnswers::Answer, QFont> script;
    return script;
}

// The family the dialog shows for `face`: the face itself when installed, else the family that
// stands in for it (IPAGothic for "ＭＳ ゴシック").
QString ShownFamily(const std::string& face) {
    QString family = ToQString(face);
    if (QFontDatabase::hasFamily(family)) {
        return family;
    }
    const QString standIn = StandInFamily(face);
    return standIn.isEmpty() ? family : standIn;
}

}  // namespace

void FontDialogAnswers::SetNextAnswers(std::deque<Answer> answers) {
    Script().SetNext(std::move(answers));
}

const std::vector<QFont>& FontDialogAnswers::Asked() {
    return Script().Asked();
}

void FontDialogAnswers::ClearAsked() {
    Script().ClearAsked();
}

std::int32_t ShowFontDialog(QWidget* owner, std::string& faceName, double& size,
                            std::int32_t& style) {
    const FontChoice opened = FontChoiceFor(faceName, size, style);
    const QString shownFamily = ShownFamily(opened.face);
    QFont font(shownFamily);
    font.setPointSizeF(opened.points);
    font.setWeight(static_cast<QFont::Weight>(opened.weight));
    font.setItalic(opened.italic);
    font.setUnderline(opened.underline);
    font.setStrikeOut(opened.strikeOut);
    QFont selected = font;
    double shownPoints = font.pointSizeF();
    if (const auto answer = Script().Take(font)) {
        if (!*answer || !(*answer)(selected)) {
            return -1;
        }
    } else {
        EnsureQtTranslations();
        QFontDialog dialog(font, owner);
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        dialog.setWindowTitle(QCoreApplication::translate("Moravel", "フォント"));
        shownPoints = dialog.currentFont().pointSizeF();  // the dialog offers whole points only
        if (dialog.exec() != QDialog::Accepted) {
            return -1;
        }
        selected = dialog.selectedFont();
    }

    FontChoice chosen;
    // The family shown for a missing face is only its stand-in: unless the user picked another
    // family, the theme keeps the face it named.
    chosen.face = selected.family().compare(shownFamily, Qt::CaseInsensitive) == 0
                      ? opened.face
                      : ToStdString(selected.family());
    // A size left as shown keeps its tenths (10.5 stays 10.5 where the dialog showed 11).
    chosen.points = selected.pointSizeF() == shownPoints ? opened.points : selected.pointSizeF();
    chosen.weight = static_cast<std::int32_t>(selected.weight());
    chosen.italic = selected.italic();
    chosen.underline = selected.underline();
    chosen.strikeOut = selected.strikeOut();
    ApplyFontChoice(chosen, faceName, size, style);
    return 0;
}

}  // namespace moravel
