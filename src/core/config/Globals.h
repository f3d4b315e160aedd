// The program-wide records: the settings, the current theme, the editor's theme, the version.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/config/Settings.h"
#include "core/config/Theme.h"

namespace moravel {

inline constexpr std::string_view kAppTitle = "Moravel";

struct ProgramVersion {
    std::int32_t Major;
    std::int32_t Minor;
    std::int32_t Revision;
};

// This release's version, as built.
inline constexpr ProgramVersion kBuildVersion = {MORAVEL_VERSION_MAJOR, MORAVEL_VERSION_MINOR,
                                                 MORAVEL_VERSION_REVISION};

extern ProgramVersion gVersion;  // stored at start-up; what the writers stamp into files
extern SettingsRecord gSettings;
extern ThemeRecord gCurrentTheme;  // the theme the main window draws
extern ThemeRecord gEditorTheme;   // hands a theme to the theme editor and back

// The settings file, then the theme it names. Returns whether that theme was found.
bool LoadConfig();
// Writes the settings file.
void SaveConfig();

}  // namespace moravel
