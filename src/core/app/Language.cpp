#include "core/app/Language.h"

#include <algorithm>

#include "core/base/Strings.h"
#include "core/config/Settings.h"
#include "core/os/SystemLocale.h"

namespace moravel {
namespace {

// The language part of a locale name, lower-cased: "ja" of "ja_JP.UTF-8@x" or "ja-JP".
std::string LanguagePart(std::string_view locale) {
    return ToLowerAscii(locale.substr(0, locale.find_first_of("_-.@")));
}

bool NamesNoLanguage(std::string_view locale) {
    const std::string language = LanguagePart(locale);
    return language.empty() || language == "c" || language == "posix";
}

bool IsJapanese(std::string_view locale) {
    const std::string language = LanguagePart(locale);
    return language == "ja" || language == "japanese";
}

}  // namespace

UiLanguage ChooseLanguage(std::string_view setting, std::span<const std::string> systemLocales) {
    const std::string chosen = ToLowerAscii(TrimBlanks(setting));
    if (chosen == kLanguageJapanese) {
        return UiLanguage::Japanese;
    }
    if (chosen == kLanguageEnglish) {
        return UiLanguage::English;
    }
    const bool japanese = std::any_of(systemLocales.begin(), systemLocales.end(),
                                      [](const std::string& l) { return IsJapanese(l); });
    const bool noLanguage = std::all_of(systemLocales.begin(), systemLocales.end(),
                                        [](const std::string& l) { return NamesNoLanguage(l); });
    return japanese || noLanguage ? UiLanguage::Japanese : UiLanguage::English;
}

UiLanguage LanguageOfSetting(std::string_view setting) {
    return ChooseLanguage(setting, SystemLocaleNames());
}

UiLanguage StartLanguage() {
    SettingsRecord settings;
    LoadSettings(settings, SettingsFilePath());
    return LanguageOfSetting(settings.Language);
}

}  // namespace moravel
