// The program's title, and its configuration as a whole: the settings file, then the theme it
// names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/Settings.h"
#include "core/config/Theme.h"

namespace moravel {

inline constexpr std::string_view kAppTitle = "Moravel";

// The settings file at `settingsPath` into `settings`, then the theme they name into
// `currentTheme`. Returns whether that theme was found.
bool LoadConfig(SettingsRecord& settings, ThemeRecord& currentTheme,
                const std::string& settingsPath);
// Writes `settings`, stamped with `version`, to the settings file at `settingsPath`, making its
// folder (the user's folder) first when it is missing. Returns the bytes written or -1.
std::int32_t SaveConfig(SettingsRecord& settings, const std::string& settingsPath,
                        const ProgramVersion& version);

}  // namespace moravel
