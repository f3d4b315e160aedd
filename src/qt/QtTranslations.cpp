#include "qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace moravel {

void EnsureQtTranslations() {
    static bool tried = false;
    if (tried || QCoreApplication::instance() == nullptr) {
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
