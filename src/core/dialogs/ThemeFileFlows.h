// Saving the working theme under a new name and deleting a theme file, as the setup dialog does
// them: the file dialog, the questions and the messages around the catalogue's file operations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/Theme.h"
#include "core/dialogs/ComDlg.h"
#include "core/dialogs/Prompts.h"

namespace moravel {

inline constexpr std::string_view kThemeFileFilter = "テーマファイル(tm)|*.tm";
inline constexpr std::int32_t kSaveAsFlags = 0x28080C;
inline constexpr std::string_view kSaveAsTitle = "名前を付けて保存";
inline constexpr std::string_view kNewThemeName = "新規";

// The name the save dialog suggests for the working theme, without folder.
std::string SuggestedThemeName(const ThemeRecord& workingTheme, std::string_view workingName);

// The message that says the theme file `fileName` could not be written.
MessageRequest SaveFailedMessage(std::string_view fileName);

// The message that refuses `characters` (as CharactersOutsideCodePage lists them), which the
// theme file, or for a file name the settings, cannot hold.
MessageRequest UnsavableCharactersMessage(std::string_view characters, bool inFileName);

// Asks for a file name through `dialog`, which opens in the user's Themes folder (made first when
// missing), and writes the working theme there. Inside that folder the working name becomes the
// new name; elsewhere the user is asked first, and the working name stays. The file is stamped
// with `version`. A name the settings cannot hold, or a write that fails, is reported and changes
// nothing. Returns whether the theme
// list must be rebuilt (with the working name selected).
bool SaveThemeAs(clsComDlg& dialog, MessagePrompt& prompt, std::uintptr_t owner,
                 ThemeRecord& workingTheme, std::string& workingName,
                 const ProgramVersion& version);

// Asks, then deletes the theme file `fileName` of the user's Themes folder. A file the system
// refuses to delete is reported in a message box. Returns whether the theme list must be rebuilt.
bool DeleteThemeFile(MessagePrompt& prompt, std::string_view title, std::string_view fileName);

}  // namespace moravel
