#include "core/config/Globals.h"

namespace moravel {

ProgramVersion gVersion = kBuildVersion;
SettingsRecord gSettings;
ThemeRecord gCurrentTheme;
ThemeRecord gEditorTheme;

bool LoadConfig() {
    LoadSettings(gSettings);
    return LoadTheme(gCurrentTheme, gSettings.ThemeName);
}

void SaveConfig() {
    SaveSettings(gSettings);
}

}  // namespace moravel
