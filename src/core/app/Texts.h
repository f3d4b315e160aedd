// The interface's texts in the chosen language. The program's texts are Japanese wherever they
// are written; this catalogue gives each its English, keyed by the Japanese text, so that a
// message the core composes is whole in either language.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "core/app/Language.h"

namespace moravel {

struct TextTranslation {
    std::string_view japanese;
    std::string_view english;
};

// The language every later text is given in; Japanese until it is set.
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// `japanese` in the interface's language: itself, or its English from the catalogue (itself when
// the catalogue lacks it).
std::string_view Localised(std::string_view japanese);

// The localised `pattern` with "%1" to "%9" replaced by `values`.
std::string LocalisedWith(std::string_view pattern, std::initializer_list<std::string_view> values);

// Every text of the catalogue.
std::span<const TextTranslation> TextCatalogue();

}  // namespace moravel
