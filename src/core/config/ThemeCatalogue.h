// The catalogue of theme files and image files in the Themes folders (the user's and the shipped
// one), and the custom theme "Moravel.tm" in the user's folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/Theme.h"
#include "core/dialogs/ComDlg.h"
#include "core/dialogs/Prompts.h"

namespace moravel {

inline constexpr std::string_view kThemeFileFilter = "テーマファイル(tm)|*.tm";
inline constexpr std::int32_t kSaveAsFlags = 0x28080C;
inline constexpr std::string_view kSaveAsTitle = "名前を付けて保存";
inline constexpr std::string_view kNewThemeName = "新規";

// Lists the usable themes: the custom theme first (file name "") when "Moravel.tm" holds one, then
// every "*.tm" file that holds a "[Theme]" section, in file-system order: the user's Themes
// folder's, then the shipped ones the user has no file of that name for (the user's wins).
// The arrays are resized to the count, or left as they were when nothing is found.
std::int32_t ListThemes(std::vector<std::string>& fileNames, std::vector<std::string>& titles);

// True when the theme file `fileName` is in the user's Themes folder, so it can be deleted; the
// shipped themes of an installed program (and the custom theme, "") are not.
bool IsUserTheme(std::string_view fileName);

// True for the names the theme editor offers as images: ".bmp", ".jpg", ".gif", ".ico" (and
// ".jpeg", ".giff"), in any case, with at least one character before the extension.
bool IsImageFileName(std::string_view name);

// Lists the image files of the Themes folders, as ListThemes lists theme files.
std::int32_t ListImageFiles(std::vector<std::string>& names);

// The name the save dialog suggests for the working theme, without folder.
std::string SuggestedThemeName(const ThemeRecord& workingTheme, std::string_view workingName);

// The message that says the theme file `fileName` could not be written.
MessageRequest SaveFailedMessage(std::string_view fileName);

// Asks for a file name through `dialog`, which opens in the user's Themes folder (made first when
// missing), and writes the working theme there. Inside that folder the working name becomes the
// new name; elsewhere the user is asked first, and the working name stays. The file is stamped
// with `version`. A write that fails is reported and changes nothing. Returns whether the theme
// list must be rebuilt (with the working name selected).
bool SaveThemeAs(clsComDlg& dialog, MessagePrompt& prompt, std::uintptr_t owner,
                 ThemeRecord& workingTheme, std::string& workingName,
                 const ProgramVersion& version);

// Asks, then deletes the theme file `fileName` of the user's Themes folder. A file the system
// refuses to delete is reported in a message box. Returns whether the theme list must be rebuilt.
bool DeleteThemeFile(MessagePrompt& prompt, std::string_view title, std::string_view fileName);

}  // namespace moravel
