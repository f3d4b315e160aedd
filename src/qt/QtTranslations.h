// The interface's language on the Qt side: the forms' and the front end's own texts in English
// from the linked translation, Qt's own texts (the buttons and labels of its file, colour and
// font dialogs, message boxes and the edit fields' context menus) in Japanese or English like the
// rest of the interface.
#pragma once

#include "core/app/Language.h"

namespace moravel {

// Sets the core's language and, for English, installs the forms' translation. Called once at
// start-up, before any window is made.
void UseLanguage(UiLanguage language);

// Installs Qt's Japanese translation the first time it is called while the interface is
// Japanese; later calls do nothing. The wrappers that open Qt's dialogs call it, so start-up does
// not read the translation file.
void EnsureQtTranslations();

}  // namespace moravel
