// Arbitrary bytes into the settings reader and the theme reader, as if they were files on disk.
// Besides crashes and sanitizer reports it checks that what the writers make of a record reads
// back to the same text: a second write of the re-read record is byte for byte the first.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/os/Encoding.h"

using namespace moravel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        AnsiToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));

    SettingsRecord settings;
    SetDefaultSettings(settings);
    ParseSettingsText(text, settings);
    settings.Version = "1.1.0";  // the writer stamps it, unquoted
    const std::string settingsBytes = Utf8ToAnsi(FormatSettingsText(settings));
    SettingsRecord settingsBack;
    SetDefaultSettings(settingsBack);
    ParseSettingsText(AnsiToUtf8(settingsBytes), settingsBack);
    if (Utf8ToAnsi(FormatSettingsText(settingsBack)) != settingsBytes) {
        __builtin_trap();
    }

    ThemeRecord theme;
    ParseThemeText(text, theme);
    theme.Version = "1.1.0";
    const std::string themeBytes = Utf8ToAnsi(FormatThemeText(theme));
    ThemeRecord themeBack;
    if (!ParseThemeText(AnsiToUtf8(themeBytes), themeBack) ||
        Utf8ToAnsi(FormatThemeText(themeBack)) != themeBytes) {
        __builtin_trap();
    }
    return 0;
}
