// The help file and what opening a help topic means.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

inline constexpr std::string_view kHelpFileName = "Moravel.HLP";
inline constexpr std::string_view kNoHelpMessage =
    "ﾍﾙﾌﾟを表示できません。 このﾌﾟﾛｸﾞﾗﾑに関連付けられたﾍﾙﾌﾟが存在しません。";

// The application's help file, set at start-up.
extern std::string gHelpFile;

// ProgramFolder() + "Moravel.HLP" when that file exists, else the bare name.
std::string FindHelpFile();

struct HelpTarget {
    bool noHelp = false;  // show kNoHelpMessage instead
    std::string file;
    std::int32_t context = 0;
};

// The topic to open: an empty `helpFile` means the application's help file.
HelpTarget ResolveHelp(std::string_view helpFile, std::int32_t context);

// The message shown when the help file cannot be opened.
std::string HelpFileErrorMessage(std::string_view file);

}  // namespace moravel
