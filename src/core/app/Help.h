// The help file and what opening a help topic means.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/app/Language.h"

namespace moravel {

inline constexpr std::string_view kHelpFileName = "Moravel.HLP";
inline constexpr std::string_view kEnglishHelpFileName = "Moravel.en.HLP";
inline constexpr std::string_view kNoHelpMessage =
    "ﾍﾙﾌﾟを表示できません。 このﾌﾟﾛｸﾞﾗﾑに関連付けられたﾍﾙﾌﾟが存在しません。";

// A topic of the help file, by its context number: the help file marks each topic with it. The
// menu opens the contents; the dialogs name the topics of their controls.
enum class HelpContext : std::int32_t { None = 0, Contents = 1 };

// The help file in `folder` for `language`: "Moravel.en.HLP" for English when it exists there, else
// "Moravel.HLP" there when it exists, else the bare name "Moravel.HLP". `folder` ends with a
// separator; `exists` says whether a path is a file.
std::string ChooseHelpFile(UiLanguage language, std::string_view folder,
                           const std::function<bool(const std::string&)>& exists);

// The application's help file: ChooseHelpFile in DataFolder() (beside the shipped themes) for the
// interface's language.
std::string FindHelpFile();

struct HelpTarget {
    bool noHelp = false;  // show kNoHelpMessage instead
    std::string file;
    HelpContext context = HelpContext::None;
};

// The topic `context` of `helpFile`; no help at all when no help file is known.
HelpTarget ResolveHelp(std::string_view helpFile, HelpContext context);

// The name of the topic's anchor in the help file: its context number.
std::string HelpAnchor(HelpContext context);

// The message shown when the help file cannot be opened.
std::string HelpFileErrorMessage(std::string_view file);

}  // namespace moravel
