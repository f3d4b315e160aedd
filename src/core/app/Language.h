// The language of the interface: Japanese, the program's own, or English for everyone else.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace moravel {

enum class UiLanguage { Japanese, English };

// The values of the setting `Language`: "" follows the system.
inline constexpr std::string_view kLanguageJapanese = "ja";
inline constexpr std::string_view kLanguageEnglish = "en";

// The language the setting chooses; an empty or unknown setting follows the system, which is
// Japanese when one of `systemLocales` (locale or UI-language names such as "ja_JP.UTF-8",
// "ja-JP", "C") is Japanese or none of them names a language, and English otherwise.
UiLanguage ChooseLanguage(std::string_view setting, std::span<const std::string> systemLocales);

// ChooseLanguage with the system's names.
UiLanguage LanguageOfSetting(std::string_view setting);

// The language of this start, known before the first window: the settings file's `Language`, else
// the system's.
UiLanguage StartLanguage();

}  // namespace moravel
