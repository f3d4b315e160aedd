// What lives for the whole run beside the main window: the settings, the current theme, the
// editor's theme, the version and the help file. main() makes the one object and hands it to the
// main window, which hands it on to its dialogs; nothing reaches it any other way, so tests make
// their own.
#pragma once

#include <string>

#include "core/config/Settings.h"
#include "core/config/Theme.h"

namespace moravel {

struct ProgramState {
    ProgramVersion version = kBuildVersion;  // stamped into every file written
    SettingsRecord settings;
    ThemeRecord currentTheme;  // the theme the main window draws
    ThemeRecord editorTheme;   // hands a theme to the theme editor and back
    std::string helpFile;      // the application's help file, found at start-up
};

}  // namespace moravel
