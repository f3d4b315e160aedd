#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/config/Config.h"
#include "core/dialogs/ThemeFileFlows.h"
#include "core/os/Encoding.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "core/os/TextFile.h"
#include "support/FakePrompts.h"
#include "support/InstalledThemes.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::ScopedProgramFolder;
using test::ScriptedFileDialog;
using test::ScriptedMessages;
using test::TempFolder;
using test::WriteBytes;

// A portable program: one folder for everything, its Themes made.
class ThemeFileFlows : public ::testing::Test {
  protected:
    ThemeFileFlows() : home_(folder_.path()), dialog_(files_) {
        std::filesystem::create_directory(folder_.File("Themes"));
    }
    std::string Themes(std::string_view name) const {
        return JoinPath(folder_.File("Themes"), name);
    }
    void Theme(std::string_view name, std::string_view title) {
        WriteBytes(Themes(name), Utf8ToAnsi("[Theme]\r\nTitle=\"" + std::string(title) + "\"\r\n"));
    }

    TempFolder folder_;
    ScopedProgramFolder home_;
    ScriptedFileDialog files_;
    ScriptedMessages messages_;
    clsComDlg dialog_;
};

TEST_F(ThemeFileFlows, SuggestedNames) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    EXPECT_EQ(SuggestedThemeName(theme, "GRAPH.TM"), "GRAPH");
    EXPECT_EQ(SuggestedThemeName(theme, "a.tm.bak"), "a.tm.bak");
    EXPECT_EQ(SuggestedThemeName(theme, ".tm"), ".tm");
    EXPECT_EQ(SuggestedThemeName(theme, ""), "初期値");
    theme.Title = "";
    EXPECT_EQ(SuggestedThemeName(theme, ""), "新規");
}

TEST_F(ThemeFileFlows, SaveAsRefusesANameTheSettingsCannotHold) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    std::string name = "graph.tm";
    files_.answers.push_back(FileDialogAnswer{Themes("café ☃"), 1});
    EXPECT_FALSE(SaveThemeAs(dialog_, messages_, 7, theme, name, kBuildVersion));
    EXPECT_EQ(name, "graph.tm");
    EXPECT_TRUE(std::filesystem::is_empty(folder_.File("Themes")));
    ASSERT_EQ(messages_.asked.size(), 1u);
    EXPECT_EQ(messages_.asked[0].text, "次の文字はテーマのファイル名に使えません: é ☃");
}

TEST_F(ThemeFileFlows, SaveAsIntoTheThemesFolder) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    theme.Title = "mine";
    std::string name = "graph.tm";
    files_.answers.push_back(FileDialogAnswer{Themes("mytheme"), 1});
    EXPECT_TRUE(SaveThemeAs(dialog_, messages_, 7, theme, name, kBuildVersion));
    EXPECT_EQ(name, "mytheme.tm");
    EXPECT_NE(ReadBytes(Themes("mytheme.tm")).find("Title=\"mine\""), std::string::npos);
    EXPECT_EQ(theme.Version, "1.1.0");
    EXPECT_TRUE(messages_.asked.empty());

    ASSERT_EQ(files_.asked.size(), 1u);
    const FileDialogRequest& r = files_.asked[0];
    EXPECT_EQ(r.action, FileDialogAction::Save);
    EXPECT_EQ(r.owner, 7u);
    EXPECT_EQ(r.flags, 0x28080C);
    EXPECT_EQ(r.title, "名前を付けて保存");
    EXPECT_EQ(r.fileBox, "graph");
    EXPECT_EQ(r.initialFolder, folder_.File("Themes"));
    ASSERT_EQ(r.filters.size(), 1u);
    EXPECT_EQ(r.filters[0], (std::pair<std::string, std::string>{"テーマファイル(tm)", "*.tm"}));

    files_.answers.push_back(FileDialogAnswer{Themes("x.TM"), 1});
    EXPECT_TRUE(SaveThemeAs(dialog_, messages_, 7, theme, name, kBuildVersion));
    EXPECT_EQ(name, "x.TM");
    EXPECT_TRUE(std::filesystem::exists(Themes("x.TM")));
}

TEST_F(ThemeFileFlows, SaveAsElsewhereAsksFirst) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    std::string name = "";
    std::filesystem::create_directory(folder_.File("out"));
    const std::string outside = folder_.File("out") + "/exported";

    files_.answers.push_back(FileDialogAnswer{outside, 1});
    messages_.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(SaveThemeAs(dialog_, messages_, 0, theme, name, kBuildVersion));
    EXPECT_FALSE(std::filesystem::exists(outside + ".tm"));
    ASSERT_EQ(messages_.asked.size(), 1u);
    const MessageRequest& q = messages_.asked[0];
    EXPECT_EQ(q.text, "Themes フォルダ以外に保存すると、Moravelから使用できません。宜しいですか？");
    EXPECT_EQ(q.caption, "Moravel");
    EXPECT_EQ(q.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(q.icon, MessageIcon::Question);
    EXPECT_EQ(q.defaultButton, MessageDefault::First);
    EXPECT_EQ(files_.asked[0].fileBox, "初期値");

    files_.answers.push_back(FileDialogAnswer{outside, 1});
    messages_.answers.push_back(MessageAnswer::Ok);
    EXPECT_FALSE(SaveThemeAs(dialog_, messages_, 0, theme, name, kBuildVersion));
    EXPECT_TRUE(std::filesystem::exists(outside + ".tm"));
    EXPECT_EQ(name, "");  // the working name stays
}

TEST_F(ThemeFileFlows, ASaveThatCannotBeWrittenIsReportedAndChangesNothing) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    std::string name = "graph.tm";
    std::filesystem::create_directory(Themes("taken.tm"));  // nothing can replace a folder
    files_.answers.push_back(FileDialogAnswer{Themes("taken"), 1});
    EXPECT_FALSE(SaveThemeAs(dialog_, messages_, 0, theme, name, kBuildVersion));
    EXPECT_EQ(name, "graph.tm");
    ASSERT_EQ(messages_.asked.size(), 1u);
    EXPECT_EQ(messages_.asked[0].text, "テーマファイル taken.tm を保存できませんでした。");
    EXPECT_EQ(messages_.asked[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(std::filesystem::is_directory(Themes("taken.tm")));
}

TEST_F(ThemeFileFlows, SaveAsCancelledChangesNothing) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    std::string name = "graph.tm";
    files_.answers.push_back(std::nullopt);
    EXPECT_FALSE(SaveThemeAs(dialog_, messages_, 0, theme, name, kBuildVersion));
    EXPECT_EQ(name, "graph.tm");
    EXPECT_EQ(theme.Version, "");
    EXPECT_TRUE(std::filesystem::is_empty(folder_.File("Themes")));
}

TEST_F(ThemeFileFlows, DeleteAsksWithCancelAsDefault) {
    Theme("old.tm", "古い");
    messages_.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(DeleteThemeFile(messages_, "古い", "old.tm"));
    EXPECT_TRUE(std::filesystem::exists(Themes("old.tm")));
    ASSERT_EQ(messages_.asked.size(), 1u);
    EXPECT_EQ(messages_.asked[0].text, "テーマファイル 古い(old.tm) を削除します。宜しいですか？");
    EXPECT_EQ(messages_.asked[0].defaultButton, MessageDefault::Second);
    EXPECT_EQ(messages_.asked[0].icon, MessageIcon::Question);

    std::filesystem::permissions(Themes("old.tm"), std::filesystem::perms::owner_read);
    messages_.answers.push_back(MessageAnswer::Ok);
    EXPECT_TRUE(DeleteThemeFile(messages_, "古い", "old.tm"));
    EXPECT_FALSE(std::filesystem::exists(Themes("old.tm")));
    EXPECT_EQ(messages_.asked.size(), 2u);  // no failure message
}

TEST_F(ThemeFileFlows, DeleteOfNothingAsksNothing) {
    EXPECT_FALSE(DeleteThemeFile(messages_, "x", "missing.tm"));
    EXPECT_FALSE(DeleteThemeFile(messages_, "custom", ""));
    EXPECT_TRUE(messages_.asked.empty());
}

#ifndef _WIN32
// Deletes "locked.tm" from a Themes folder the caller may not write to; true when the refusal was
// reported in a message box and the list is still to be rebuilt.
bool RefusedDeleteIsReported() {
    ScriptedMessages messages;
    messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    const bool rebuild = DeleteThemeFile(messages, "L", "locked.tm");
    return rebuild && messages.asked.size() == 2 &&
           messages.asked[1].text.rfind("テーマファイル locked.tm を削除できませんでした。\n", 0) ==
               0 &&
           messages.asked[1].caption == "Moravel" && IsFile(ThemesFolder() + "/locked.tm");
}

TEST_F(ThemeFileFlows, ARefusedDeleteIsReported) {
    Theme("locked.tm", "L");
    if (geteuid() != 0) {
        std::filesystem::permissions(folder_.File("Themes"), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_TRUE(RefusedDeleteIsReported());
        return;
    }
    // Root may delete anything: try it as an unprivileged user in a child process.
    EXPECT_EXIT(
        {
            if (setgid(65534) != 0 || setuid(65534) != 0) {
                std::exit(2);
            }
            std::exit(RefusedDeleteIsReported() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

// An installed program: the shipped themes in share/moravel/Themes, the user's folder not made
// yet.
class InstalledThemeFileFlows : public ::testing::Test, protected test::InstalledThemes {
  protected:
    InstalledThemeFileFlows() : dialog_(files_) {}

    ScriptedFileDialog files_;
    ScriptedMessages messages_;
    clsComDlg dialog_;
};

TEST_F(InstalledThemeFileFlows, SaveAsOffersTheUsersThemesFolder) {
    ThemeRecord theme;
    SetDefaultTheme(theme);
    std::string workingName = "graph.tm";
    files_.answers.push_back(FileDialogAnswer{Own("copy.tm"), 1});
    EXPECT_TRUE(SaveThemeAs(dialog_, messages_, 0, theme, workingName, kBuildVersion));
    ASSERT_EQ(files_.asked.size(), 1u);
    EXPECT_EQ(files_.asked[0].initialFolder, JoinPath(user_, "Themes"));
    EXPECT_EQ(files_.asked[0].fileBox, "graph");
    EXPECT_TRUE(PathIsFolder(JoinPath(user_, "Themes")));  // made for the dialog to open in
    EXPECT_EQ(workingName, "copy.tm");
    EXPECT_TRUE(IsFile(Own("copy.tm")));
    EXPECT_TRUE(messages_.asked.empty());
}

TEST_F(InstalledThemeFileFlows, AShippedThemeIsNeverDeleted) {
    WriteBytes(Shipped("night.tm"), ThemeText("night"));
    messages_.answers = {MessageAnswer::Ok};
    EXPECT_FALSE(DeleteThemeFile(messages_, "night", "night.tm"));
    EXPECT_TRUE(messages_.asked.empty());
    EXPECT_TRUE(IsFile(Shipped("night.tm")));
}

}  // namespace
}  // namespace moravel
