#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/os/FileSystem.h"
#include "core/os/TextFile.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : ListFolder(folder)) {
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReadTextFile, MissingEmptyAndJapaneseFiles) {
    TempFolder folder;
    EXPECT_EQ(ReadTextFile(folder.File("missing.ini"), "fallback"), "fallback");
    WriteBytes(folder.File("empty.ini"), "");
    EXPECT_EQ(ReadTextFile(folder.File("empty.ini"), "fallback"), "");
    WriteBytes(folder.File("sjis.txt"), "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\r\n");
    EXPECT_EQ(ReadTextFile(folder.File("sjis.txt"), ""), "ＭＳ ゴシック\r\n");
    EXPECT_EQ(ReadTextFile(folder.path(), "folder"), "folder");  // a folder is not a file
}

TEST(ReadTextFile, AFileOverTheLimitReadsAsEmpty) {
    TempFolder folder;
    WriteBytes(folder.File("big.ini"), std::string(101, 'x'));
    EXPECT_EQ(ReadTextFile(folder.File("big.ini"), "fallback", 100), "");
    EXPECT_EQ(ReadTextFile(folder.File("big.ini"), "fallback", 101), std::string(101, 'x'));
}

TEST(WriteTextFile, WritesCp932AndReplacesTheOldContentWhole) {
    TempFolder folder;
    const std::string path = folder.File("a.tm");
    WriteBytes(path, std::string(500, 'o'));
    EXPECT_EQ(WriteTextFile(path, "初期値\r\n"), 8);
    EXPECT_EQ(ReadBytes(path), "\x8F\x89\x8A\xFA\x92\x6C\r\n");
    EXPECT_EQ(WriteTextFile(path, ""), 0);
    EXPECT_TRUE(IsFile(path));
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"a.tm"});  // no temporary left
}

TEST(WriteTextFile, ReplacesAReadOnlyFile) {
    TempFolder folder;
    const std::string path = folder.File("ro.ini");
    WriteBytes(path, "old");
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(WriteTextFile(path, "new"), 3);
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(WriteTextFile, FailuresLeaveTheOldFileAndNoTemporary) {
    TempFolder folder;
    EXPECT_EQ(WriteTextFile(folder.File("no-such-folder/x.ini"), "x"), -1);

    // The target is a folder: it stays a folder.
    std::filesystem::create_directory(folder.File("dir.ini"));
    EXPECT_EQ(WriteTextFile(folder.File("dir.ini"), "x"), -1);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("dir.ini")));
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"dir.ini"});
}

#ifndef _WIN32
TEST(WriteTextFile, DiskFullKeepsTheOldFileByteForByte) {
    TempFolder folder;
    const std::string path = folder.File("Moravel.ini");
    WriteBytes(path, "[Settings]\r\nCycle=5\r\n");

    // A file-size limit makes the write fail the way a full disk does, root or not.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::int32_t result = WriteTextFile(path, std::string(4096, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result, -1);
    EXPECT_EQ(ReadBytes(path), "[Settings]\r\nCycle=5\r\n");
    EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"Moravel.ini"});
}

TEST(WriteTextFile, UnwritableFolderKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into any folder";
    }
    TempFolder folder;
    const std::string sub = folder.File("locked");
    std::filesystem::create_directory(sub);
    WriteBytes(sub + "/Moravel.ini", "old");
    chmod(sub.c_str(), 0555);
    EXPECT_EQ(WriteTextFile(sub + "/Moravel.ini", "new"), -1);
    EXPECT_EQ(ReadBytes(sub + "/Moravel.ini"), "old");
}

TEST(WriteTextFile, KeepsTheOldFilePermissions) {
    TempFolder folder;
    const std::string path = folder.File("private.ini");
    WriteBytes(path, "old");
    chmod(path.c_str(), 0600);
    ASSERT_EQ(WriteTextFile(path, "new"), 3);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}
#endif

TEST(IsFile, TellsFilesFromFoldersAndMissingPaths) {
    TempFolder folder;
    WriteBytes(folder.File("f"), "x");
    EXPECT_TRUE(IsFile(folder.File("f")));
    EXPECT_FALSE(IsFile(folder.path()));
    EXPECT_FALSE(IsFile(folder.File("missing")));
    EXPECT_FALSE(IsFile(""));
}

}  // namespace
}  // namespace moravel
