// Qt's own texts (the buttons and labels of its file, colour and font dialogs, message boxes and
// the edit fields' context menus) in Japanese, like the rest of the interface.
#pragma once

namespace moravel {

// Installs Qt's Japanese translation the first time it is called; later calls do nothing. The
// wrappers that open Qt's dialogs call it, so start-up does not read the translation file.
void EnsureQtTranslations();

}  // namespace moravel
