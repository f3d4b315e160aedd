#include "qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/app/Texts.h"

namespace moravel {

void UseLanguage(UiLanguage language) {
    SetUiLanguage(language);
    if (language != UiLanguage::English || QCoreApplication::instance() == nullptr) {
        return;
    }
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QStringLiteral(":/i18n/moravel_en.qm"))) {
        QCoreApplication::installTranslator(texts);
    } else {
        delete texts;
    }
}

void EnsureQtTranslations() {
    static bool tried = false;
    if (tried || QCoreApplication::instance() == nullptr ||
        CurrentUiLanguage() != UiLanguage::Japanese) {
        return;
    }
    tried = true;  // a missing translation is not looked for again
    // Owned by the application, so it lives exactly as long as the texts it translates.
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QStringLiteral("qtbase_ja"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(texts);
    } else {
        delete texts;
    }
}

}  // namespace moravel
