#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/config/Config.h"
#include "core/config/ThemeCatalogue.h"
#include "core/os/Encoding.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "core/os/TextFile.h"
#include "support/InstalledThemes.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::ScopedProgramFolder;
using test::TempFolder;
using test::WriteBytes;

class Catalogue : public ::testing::Test {
  protected:
    Catalogue() : home_(folder_.path()) {
        std::filesystem::create_directory(folder_.File("Themes"));
    }
    std::string Themes(std::string_view name) const {
        return JoinPath(folder_.File("Themes"), name);
    }
    void Theme(std::string_view name, std::string_view title) {
        WriteBytes(Themes(name), Utf8ToAnsi("[Theme]\r\nTitle=\"" + std::string(title) + "\"\r\n"));
    }
    // The listing as sorted (file name, title) pairs: the file system's order is its own.
    std::vector<std::pair<std::string, std::string>> Listing() {
        std::vector<std::string> names;
        std::vector<std::string> titles;
        const std::int32_t count = ListThemes(names, titles);
        EXPECT_EQ(static_cast<std::size_t>(count), names.size());
        std::vector<std::pair<std::string, std::string>> pairs;
        for (std::size_t i = 0; i < names.size(); ++i) {
            pairs.emplace_back(names[i], titles[i]);
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }

    TempFolder folder_;
    ScopedProgramFolder home_;
};

TEST_F(Catalogue, ListsUsableThemesWithTheCustomThemeFirst) {
    Theme("graph.tm", "初期値");
    Theme("GRAPH2.TM", "same");
    Theme("other.tm", "same");
    WriteBytes(Themes("empty.tm"), "");
    WriteBytes(Themes("nosection.tm"), "Title=\"x\"\r\n");
    WriteBytes(Themes("notatheme.txt"), "[Theme]\r\n");
    WriteBytes(Themes(".hidden.tm"), "[Theme]\r\n");
    std::filesystem::create_directory(Themes("folder.tm"));
    WriteBytes(Themes("untitled.tm"), "[Theme]\r\n");
    EXPECT_EQ(Listing(),
              (std::vector<std::pair<std::string, std::string>>{{"GRAPH2.TM", "same"},
                                                                {"graph.tm", "初期値"},
                                                                {"other.tm", "same"},
                                                                {"untitled.tm", "初期値"}}));

    WriteBytes(folder_.File("Moravel.tm"), "[Theme]\r\nTitle=\"mine\"\r\n");
    std::vector<std::string> names;
    std::vector<std::string> titles;
    ASSERT_EQ(ListThemes(names, titles), 5);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(titles[0], "mine");
}

TEST_F(Catalogue, AnEmptyListingLeavesTheArraysAlone) {
    std::filesystem::remove(folder_.File("Themes"));
    std::vector<std::string> names = {"a.tm", "b.tm"};
    std::vector<std::string> titles = {"A", "B"};
    EXPECT_EQ(ListThemes(names, titles), 0);
    EXPECT_EQ(names.size(), 2u);
    std::vector<std::string> images = {"x"};
    EXPECT_EQ(ListImageFiles(images), 0);
}

TEST_F(Catalogue, ImageFiles) {
    for (const char* name : {"photo.JPEG", "a.giff", "b.bmp", "c.Jpg", "d.gif", "e.ico"}) {
        EXPECT_TRUE(IsImageFileName(name)) << name;
    }
    for (const char* name : {"x.png", ".gif", ".jpeg", "bmp", "a.tm", "Pattern.dat"}) {
        EXPECT_FALSE(IsImageFileName(name)) << name;
    }
    WriteBytes(Themes("b.bmp"), "x");
    WriteBytes(Themes("x.png"), "x");
    WriteBytes(Themes(".gif"), "x");
    std::filesystem::create_directory(Themes("dir.bmp"));
    std::vector<std::string> images;
    EXPECT_EQ(ListImageFiles(images), 1);
    EXPECT_EQ(images, std::vector<std::string>{"b.bmp"});
}

}  // namespace
}  // namespace moravel

namespace moravel {
namespace {

// An installed program: the shipped themes in share/moravel/Themes, the user's folder not made
// yet.
class InstalledCatalogue : public ::testing::Test, protected test::InstalledThemes {
  protected:
    std::vector<std::pair<std::string, std::string>> Listing() {
        std::vector<std::string> names;
        std::vector<std::string> titles;
        ListThemes(names, titles);
        std::vector<std::pair<std::string, std::string>> pairs;
        for (std::size_t i = 0; i < names.size(); ++i) {
            pairs.emplace_back(names[i], titles[i]);
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }
};

TEST_F(InstalledCatalogue, TheListShowsBothFoldersAndTheUsersThemeWinsOnItsName) {
    WriteBytes(Shipped("graph.tm"), ThemeText("shipped graph"));
    WriteBytes(Shipped("night.tm"), ThemeText("night"));
    EXPECT_EQ(Listing(), (std::vector<std::pair<std::string, std::string>>{
                             {"graph.tm", "shipped graph"}, {"night.tm", "night"}}));
    EXPECT_EQ(ThemeReadPath("graph.tm"), Shipped("graph.tm"));
    EXPECT_FALSE(IsUserTheme("graph.tm"));

    WriteBytes(Own("graph.tm"), ThemeText("my graph"));
    WriteBytes(Own("mine.tm"), ThemeText("mine"));
    WriteBytes(JoinPath(user_, "Moravel.tm"), ThemeText("custom"));
    EXPECT_EQ(
        Listing(),
        (std::vector<std::pair<std::string, std::string>>{
            {"", "custom"}, {"graph.tm", "my graph"}, {"mine.tm", "mine"}, {"night.tm", "night"}}));
    EXPECT_EQ(ThemeReadPath("graph.tm"), Own("graph.tm"));
    EXPECT_EQ(ThemeReadPath("night.tm"), Shipped("night.tm"));
    EXPECT_EQ(ThemeReadPath(""), JoinPath(user_, "Moravel.tm"));
    EXPECT_TRUE(IsUserTheme("graph.tm"));
    EXPECT_TRUE(IsUserTheme("mine.tm"));
    EXPECT_FALSE(IsUserTheme("night.tm"));
    EXPECT_FALSE(IsUserTheme(""));

    // A user's file of that name that is no theme hides the shipped one all the same: it is the
    // file the name reads.
    WriteBytes(Own("night.tm"), "broken");
    EXPECT_EQ(Listing(), (std::vector<std::pair<std::string, std::string>>{
                             {"", "custom"}, {"graph.tm", "my graph"}, {"mine.tm", "mine"}}));
}

TEST_F(InstalledCatalogue, SavesGoToTheUsersFolderWhichTheFirstSaveMakes) {
    WriteBytes(Shipped("graph.tm"), ThemeText("shipped graph"));
    ThemeRecord theme;
    SetDefaultTheme(theme);
    theme.Title = "edited";
    EXPECT_FALSE(PathIsFolder(user_));
    ASSERT_GT(SaveTheme(theme, "", kBuildVersion), 0);
    EXPECT_TRUE(IsFile(JoinPath(user_, "Moravel.tm")));
    ASSERT_GT(SaveTheme(theme, "graph.tm", kBuildVersion), 0);
    EXPECT_TRUE(IsFile(Own("graph.tm")));
    EXPECT_EQ(ReadBytes(Shipped("graph.tm")), ThemeText("shipped graph"));  // untouched

    SettingsRecord settings;
    SetDefaultSettings(settings);
    ASSERT_GT(SaveConfig(settings, SettingsFilePath(), kBuildVersion), 0);
    EXPECT_EQ(SettingsFilePath(), JoinPath(user_, "Moravel.ini"));
    EXPECT_TRUE(IsFile(SettingsFilePath()));
    // Nothing was written among the shipped files.
    EXPECT_EQ(std::distance(std::filesystem::recursive_directory_iterator(data_),
                            std::filesystem::recursive_directory_iterator()),
              2);
}

TEST_F(InstalledCatalogue, ImagesAndThePatternStripFromBothFolders) {
    WriteBytes(Shipped("Pattern.dat"), "BM");
    WriteBytes(Shipped("sky.bmp"), "BM");
    WriteBytes(Shipped("brick.ico"), "x");
    WriteBytes(Own("sky.bmp"), "BM");
    WriteBytes(Own("photo.jpg"), "x");
    std::vector<std::string> images;
    EXPECT_EQ(ListImageFiles(images), 3);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::string>{"brick.ico", "photo.jpg", "sky.bmp"}));
    EXPECT_EQ(ProgramThemeFolders(),
              (ThemeFolders{JoinPath(user_, "Themes"), JoinPath(data_, "Themes")}));
    EXPECT_EQ(ThemeFilePath("sky.bmp"), Own("sky.bmp"));
    EXPECT_EQ(ThemeFilePath("brick.ico"), Shipped("brick.ico"));
    EXPECT_EQ(PatternFilePath(), Shipped("Pattern.dat"));
    WriteBytes(Own("Pattern.dat"), "BM");
    EXPECT_EQ(PatternFilePath(), Own("Pattern.dat"));
}

}  // namespace
}  // namespace moravel
