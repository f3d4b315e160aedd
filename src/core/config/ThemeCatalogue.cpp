#include "core/config/ThemeCatalogue.h"

#include <algorithm>

#include "core/base/Strings.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "core/os/TextFile.h"

namespace moravel {
namespace {

// The names of the files `wanted` picks from the Themes folders: the user's in file-system order,
// then the shipped ones the user has no file of that name for.
std::vector<std::string> ThemeFolderNames(bool (*wanted)(const FolderEntry& entry)) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : ListFolder(ThemesFolder())) {
        if (!entry.isFolder && !entry.isHidden && wanted(entry)) {
            names.push_back(entry.name);
        }
    }
    const std::string shipped = ShippedThemesFolder();
    if (CompareFileNames(shipped, ThemesFolder()) == 0) {
        return names;  // portable: one folder
    }
    const std::size_t own = names.size();
    for (const FolderEntry& entry : ListFolder(shipped)) {
        if (entry.isFolder || entry.isHidden || !wanted(entry)) {
            continue;
        }
        const auto clash = [&entry](const std::string& name) {
            return CompareFileNames(name, entry.name) == 0;
        };
        if (std::none_of(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(own), clash)) {
            names.push_back(entry.name);
        }
    }
    return names;
}

}  // namespace

std::int32_t ListThemes(std::vector<std::string>& fileNames, std::vector<std::string>& titles) {
    std::vector<std::string> names;
    std::vector<std::string> found;
    ThemeRecord temp;
    if (LoadTheme(temp, "")) {
        names.emplace_back();
        found.push_back(temp.Title);
    }
    const auto isTheme = [](const FolderEntry& entry) {
        return EndsWithNoCase(entry.name, kThemeExtension);
    };
    for (const std::string& name : ThemeFolderNames(isTheme)) {
        if (LoadTheme(temp, name)) {
            names.push_back(name);
            found.push_back(temp.Title);
        }
    }
    const auto count = static_cast<std::int32_t>(names.size());
    if (count > 0) {
        fileNames = std::move(names);
        titles = std::move(found);
    }
    return count;
}

bool IsUserTheme(std::string_view fileName) {
    return !fileName.empty() && IsFile(JoinPath(ThemesFolder(), fileName));
}

bool IsImageFileName(std::string_view name) {
    for (const std::string_view extension : {".bmp", ".jpg", ".gif", ".ico"}) {
        if (name.size() >= 5 && EndsWithNoCase(name, extension)) {
            return true;
        }
    }
    for (const std::string_view extension : {".jpeg", ".giff"}) {
        if (name.size() >= 6 && EndsWithNoCase(name, extension)) {
            return true;
        }
    }
    return false;
}

std::int32_t ListImageFiles(std::vector<std::string>& names) {
    names = ThemeFolderNames([](const FolderEntry& entry) { return IsImageFileName(entry.name); });
    return static_cast<std::int32_t>(names.size());
}

bool DeleteUserTheme(std::string_view fileName, std::string& error) {
    return DeleteFileForced(JoinPath(ThemesFolder(), fileName), error);
}

}  // namespace moravel
