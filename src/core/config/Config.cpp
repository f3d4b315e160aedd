#include "core/config/Config.h"

#include "core/os/FileSystem.h"

namespace moravel {

bool LoadConfig(SettingsRecord& settings, ThemeRecord& currentTheme,
                const std::string& settingsPath) {
    LoadSettings(settings, settingsPath);
    return LoadTheme(currentTheme, settings.ThemeName);
}

std::int32_t SaveConfig(SettingsRecord& settings, const std::string& settingsPath,
                        const ProgramVersion& version) {
    MakeParentFolders(settingsPath);  // the user's folder, made by the first save
    return SaveSettings(settings, settingsPath, version);
}

}  // namespace moravel
