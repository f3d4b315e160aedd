#include <gtest/gtest.h>

#include "core/os/Paths.h"

namespace moravel {
namespace {

constexpr PathFlavor W = PathFlavor::Windows;
constexpr PathFlavor P = PathFlavor::Posix;

TEST(WindowsPaths, PathRootOfDrivesAndUncPaths) {
    EXPECT_EQ(GetPathRoot("C:\\a\\b.tm", W), "C:");
    EXPECT_EQ(GetPathRoot("\\\\srv\\share\\x.tm", W), "\\\\srv\\share");
    EXPECT_EQ(GetPathRoot("\\\\srv\\share", W), "\\\\srv\\share");
    EXPECT_EQ(GetPathRoot("\\\\srv", W), "");
    EXPECT_EQ(GetPathRoot("x.tm", W), "");
    EXPECT_EQ(GetPathRoot("C:x.tm", W), "C:");
}

TEST(WindowsPaths, ParentFolder) {
    EXPECT_EQ(GetParentFolder("C:\\a\\b\\c.tm", W), "C:\\a\\b");
    EXPECT_EQ(GetParentFolder("C:\\c.tm", W), "C:\\");
    EXPECT_EQ(GetParentFolder("\\\\srv\\share\\x.tm", W), "\\\\srv\\share\\");
    EXPECT_EQ(GetParentFolder("C:x.tm", W), "C:");
    EXPECT_EQ(GetParentFolder("x.tm", W), "");
    EXPECT_EQ(GetParentFolder("a\\x.tm", W), "");
}

TEST(WindowsPaths, FileName) {
    EXPECT_EQ(GetFileName("C:\\a\\b.tm", W), "b.tm");
    EXPECT_EQ(GetFileName("C:\\x.tm", W), "x.tm");
    EXPECT_EQ(GetFileName("\\\\srv\\share\\x.tm", W), "x.tm");
    EXPECT_EQ(GetFileName("C:x.tm", W), "x.tm");
    EXPECT_EQ(GetFileName("x.tm", W), "x.tm");
}

TEST(WindowsPaths, AddBackslash) {
    EXPECT_EQ(AddBackslash(" C:\\a ", W), "C:\\a\\");
    EXPECT_EQ(AddBackslash("C:\\", W), "C:\\");
    EXPECT_EQ(AddBackslash("", W), "");
    EXPECT_EQ(AddBackslash("   ", W), "");
}

TEST(WindowsPaths, CompareFileNamesFoldsOnlyAsciiLetters) {
    EXPECT_EQ(CompareFileNames("C:\\Themes", "c:\\themes", W), 0);
    EXPECT_NE(CompareFileNames("C:\\Themes", "C:\\\xEF\xBC\xB4hemes", W), 0);  // full-width T
    EXPECT_NE(CompareFileNames("C:\\Themes\\a", "C:\\Themes\\b", W), 0);
    EXPECT_EQ(CompareFileNames("", "", W), 0);
}

TEST(PosixPaths, TakeAbsoluteAndRelativePathsApart) {
    EXPECT_EQ(GetPathRoot("/opt/moravel/x.tm", P), "/");
    EXPECT_EQ(GetPathRoot("x.tm", P), "");
    EXPECT_EQ(GetParentFolder("/opt/moravel/Themes/x.tm", P), "/opt/moravel/Themes");
    EXPECT_EQ(GetParentFolder("/x.tm", P), "/");
    EXPECT_EQ(GetParentFolder("x.tm", P), "");
    EXPECT_EQ(GetFileName("/opt/moravel/x.tm", P), "x.tm");
    EXPECT_EQ(GetFileName("/x.tm", P), "x.tm");
    EXPECT_EQ(GetFileName("x.tm", P), "x.tm");
    EXPECT_EQ(AddBackslash(" /opt/a ", P), "/opt/a/");
    EXPECT_EQ(AddBackslash("/", P), "/");
}

TEST(PosixPaths, CompareFileNamesIsExact) {
    EXPECT_EQ(CompareFileNames("/a/Themes", "/a/Themes", P), 0);
    EXPECT_NE(CompareFileNames("/a/Themes", "/a/themes", P), 0);
}

TEST(Paths, AbsoluteInEachFlavour) {
    EXPECT_TRUE(IsAbsolutePath("C:\\Users\\a", W));
    EXPECT_TRUE(IsAbsolutePath("c:\\", W));
    EXPECT_TRUE(IsAbsolutePath("\\\\srv\\share\\x", W));
    EXPECT_FALSE(IsAbsolutePath("C:Users", W));  // the current folder of drive C
    EXPECT_FALSE(IsAbsolutePath("C:", W));
    EXPECT_FALSE(IsAbsolutePath("Users\\a", W));
    EXPECT_FALSE(IsAbsolutePath("ab:\\x", W));
    EXPECT_FALSE(IsAbsolutePath("/home/a", W));
    EXPECT_FALSE(IsAbsolutePath("", W));
    EXPECT_TRUE(IsAbsolutePath("/home/a", P));
    EXPECT_TRUE(IsAbsolutePath("/", P));
    EXPECT_FALSE(IsAbsolutePath("home/a", P));
    EXPECT_FALSE(IsAbsolutePath("~/a", P));
    EXPECT_FALSE(IsAbsolutePath("C:\\a", P));
    EXPECT_FALSE(IsAbsolutePath("", P));
}

TEST(Paths, SaveAsFolderRoundTrip) {
    // The save-as command splits the chosen path and compares the folder with the Themes folder.
    const std::string chosen = "C:\\Program Files\\Moravel\\THEMES\\x.tm";
    EXPECT_EQ(CompareFileNames(AddBackslash(GetParentFolder(chosen, W), W),
                               AddBackslash("C:\\Program Files\\Moravel\\Themes", W), W),
              0);
    EXPECT_EQ(GetFileName(chosen, W), "x.tm");
}

}  // namespace
}  // namespace moravel
