#include "core/dialogs/ThemeFileFlows.h"

#include "core/app/Texts.h"
#include "core/base/Strings.h"
#include "core/config/Config.h"
#include "core/config/ThemeCatalogue.h"
#include "core/os/Encoding.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"

namespace moravel {
namespace {

bool HasThemeExtension(std::string_view name) {
    return name.size() >= 4 && EndsWithNoCase(name, kThemeExtension);
}

}  // namespace

std::string SuggestedThemeName(const ThemeRecord& workingTheme, std::string_view workingName) {
    if (!workingName.empty()) {
        if (HasThemeExtension(workingName)) {
            workingName.remove_suffix(kThemeExtension.size());
        }
        return std::string(workingName);
    }
    return workingTheme.Title.empty() ? std::string(Localised(kNewThemeName)) : workingTheme.Title;
}

MessageRequest SaveFailedMessage(std::string_view fileName) {
    MessageRequest failure;
    failure.text = LocalisedWith("テーマファイル %1 を保存できませんでした。", {fileName});
    failure.caption = std::string(kAppTitle);
    failure.buttons = MessageButtons::Ok;
    failure.icon = MessageIcon::Exclamation;
    return failure;
}

MessageRequest UnsavableCharactersMessage(std::string_view characters, bool inFileName) {
    MessageRequest refusal;
    refusal.text = LocalisedWith(inFileName ? "次の文字はテーマのファイル名に使えません: %1"
                                            : "次の文字はテーマファイルに保存できません: %1",
                                 {characters});
    refusal.caption = std::string(kAppTitle);
    refusal.buttons = MessageButtons::Ok;
    refusal.icon = MessageIcon::Exclamation;
    return refusal;
}

bool SaveThemeAs(clsComDlg& dialog, MessagePrompt& prompt, std::uintptr_t owner,
                 ThemeRecord& workingTheme, std::string& workingName,
                 const ProgramVersion& version) {
    const std::string themesFolder = ThemesFolder();
    MakeFolders(themesFolder);  // an installed program's user has none until the first save
    dialog.Filter = std::string(Localised(kThemeFileFilter));
    dialog.OwnerhWnd = owner;
    dialog.Flags = kSaveAsFlags;
    dialog.DialogTitle = std::string(Localised(kSaveAsTitle));
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
        // The settings keep the name in the files' code page.
        if (const std::string outside = CharactersOutsideCodePage(name); !outside.empty()) {
            prompt.Show(UnsavableCharactersMessage(outside, true));
            return false;
        }
        if (SaveTheme(workingTheme, name, version) < 0) {
            prompt.Show(SaveFailedMessage(name));
            return false;
        }
        workingName = name;
        return true;
    }
    MessageRequest question;
    question.text =
        Localised("Themes フォルダ以外に保存すると、Moravelから使用できません。宜しいですか？");
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
    if (!IsUserTheme(fileName)) {
        return false;  // nothing to delete, or not the user's: the custom theme, a shipped one
    }
    MessageRequest question;
    question.text =
        LocalisedWith("テーマファイル %1(%2) を削除します。宜しいですか？", {title, fileName});
    question.caption = std::string(kAppTitle);
    question.buttons = MessageButtons::OkCancel;
    question.icon = MessageIcon::Question;
    question.defaultButton = MessageDefault::Second;
    if (prompt.Show(question) != MessageAnswer::Ok) {
        return false;
    }
    std::string error;
    if (!DeleteUserTheme(fileName, error)) {
        MessageRequest failure;
        failure.text =
            LocalisedWith("テーマファイル %1 を削除できませんでした。\n%2", {fileName, error});
        failure.caption = std::string(kAppTitle);
        failure.buttons = MessageButtons::Ok;
        failure.icon = MessageIcon::Exclamation;
        prompt.Show(failure);
    }
    return true;
}

}  // namespace moravel
