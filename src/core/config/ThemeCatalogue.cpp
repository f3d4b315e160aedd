#include "core/config/ThemeCatalogue.h"

#include <algorithm>

#include "core/base/Strings.h"
#include "core/config/Config.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "core/os/ProgramFolder.h"
#include "core/os/TextFile.h"

namespace moravel {
namespace {

constexpr std::string_view kThemeExtension = ".tm";

bool HasThemeExtension(std::string_view name) {
    return name.size() >= 4 && EndsWithNoCase(name, kThemeExtension);
}

}  // namespace

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

std::string SuggestedThemeName(const ThemeRecord& workingTheme, std::string_view workingName) {
    if (!workingName.empty()) {
        if (HasThemeExtension(workingName)) {
            workingName.remove_suffix(kThemeExtension.size());
        }
        return std::string(workingName);
    }
    return workingTheme.Title.empty() ? std::string(kNewThemeName) : workingTheme.Title;
}

MessageRequest SaveFailedMessage(std::string_view fileName) {
    MessageRequest failure;
    failure.text = "テーマファイル " + std::string(fileName) + " を保存できませんでした。";
    failure.caption = std::string(kAppTitle);
    failure.buttons = MessageButtons::Ok;
    failure.icon = MessageIcon::Exclamation;
    return failure;
}

bool SaveThemeAs(clsComDlg& dialog, MessagePrompt& prompt, std::uintptr_t owner,
                 ThemeRecord& workingTheme, std::string& workingName,
                 const ProgramVersion& version) {
    const std::string themesFolder = ThemesFolder();
    MakeFolders(themesFolder);  // an installed program's user has none until the first save
    dialog.Filter = std::string(kThemeFileFilter);
    dialog.OwnerhWnd = owner;
    dialog.Flags = kSaveAsFlags;
    dialog.DialogTitle = std::string(kSaveAsTitle);
    dialog.FileName = JoinPath(themesFolder, SuggestedThemeName(workingTheme, workingName));
    dialog.FilterIndex = 1;
    dialog.Action(FileDialogAction::Save);
    const std::string chosen = dialog.FileName;
    if (chosen.empty()) {
        return false;
    }

    const std::string folder = AddBackslash(GetParentFolder(chosen));
    std::string name = GetFileName(chosen);
    if (!HasThemeExtension(name)) {
        name += kThemeExtension;
    }

    if (CompareFileNames(folder, AddBackslash(themesFolder)) == 0) {
        if (SaveTheme(workingTheme, name, version) < 0) {
            prompt.Show(SaveFailedMessage(name));
            return false;
        }
        workingName = name;
        return true;
    }
    MessageRequest question;
    question.text = "Themes フォルダ以外に保存すると、Moravelから使用できません。宜しいですか？";
    question.caption = std::string(kAppTitle);
    question.buttons = MessageButtons::OkCancel;
    question.icon = MessageIcon::Question;
    question.defaultButton = MessageDefault::First;
    if (prompt.Show(question) == MessageAnswer::Ok &&
        SaveTheme(workingTheme, folder + name, version) < 0) {
        prompt.Show(SaveFailedMessage(folder + name));
    }
    return false;
}

bool DeleteThemeFile(MessagePrompt& prompt, std::string_view title, std::string_view fileName) {
    if (fileName.empty()) {
        return false;  // the custom theme is never deleted here
    }
    const std::string path = JoinPath(ThemesFolder(), fileName);
    if (!IsFile(path)) {
        return false;
    }
    MessageRequest question;
    question.text = "テーマファイル " + std::string(title) + "(" + std::string(fileName) +
                    ") を削除します。宜しいですか？";
    question.caption = std::string(kAppTitle);
    question.buttons = MessageButtons::OkCancel;
    question.icon = MessageIcon::Question;
    question.defaultButton = MessageDefault::Second;
    if (prompt.Show(question) != MessageAnswer::Ok) {
        return false;
    }
    std::string error;
    if (!DeleteFileForced(path, error)) {
        MessageRequest failure;
        failure.text =
            "テーマファイル " + std::string(fileName) + " を削除できませんでした。\n" + error;
        failure.caption = std::string(kAppTitle);
        failure.buttons = MessageButtons::Ok;
        failure.icon = MessageIcon::Exclamation;
        prompt.Show(failure);
    }
    return true;
}

}  // namespace moravel
