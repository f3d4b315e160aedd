// The catalogue of theme files and image files in the Themes folders (the user's and the shipped
// one), and the custom theme "Moravel.tm" in the user's folder; deleting the user's theme files
// (saving one is SaveTheme's, in core/config/Theme.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/Theme.h"

namespace moravel {

inline constexpr std::string_view kThemeExtension = ".tm";

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

// Deletes the theme file `fileName` of the user's Themes folder, read-only or not. Returns whether
// it is gone; when not, `error` holds the system's reason.
bool DeleteUserTheme(std::string_view fileName, std::string& error);

}  // namespace moravel
