#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "core/os/FileSystem.h"
#include "core/os/TextFile.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
using Names = std::vector<std::string>;

Names NamesIn(const std::string& folder) {
    Names names;
    for (const FolderEntry& entry : ListFolder(folder)) {
        names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The number of a process that ran and has ended.
std::uint32_t EndedProcessId() {
#ifdef _WIN32
    // Process numbers on Windows are multiples of four.
    std::uint32_t pid = 0xFFFFFFF1;
#else
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    const auto pid = static_cast<std::uint32_t>(child);
#endif
    EXPECT_FALSE(ProcessIsRunning(pid));
    return pid;
}

TEST(SaveTempName, OnlyTheExactPatternOfTheSameFileIsOurs) {
    EXPECT_EQ(SaveTempName("Moravel.ini", 4321, 7), ".Moravel.ini.tmp-4321-7");
    EXPECT_EQ(SaveTempOwner(".Moravel.ini.tmp-4321-7", "Moravel.ini"), 4321u);
    EXPECT_EQ(SaveTempOwner(SaveTempName("グラフ.tm", 4294967295u, 0), "グラフ.tm"), 4294967295u);
    for (const char* other : {
             ".graph.tm.tmp-4321-7",        // another file's
             ".Moravel.ini.tmp-4321-7.tm",  // more after it
             ".Moravel.ini.tmp-4321-",      // an end missing
             ".Moravel.ini.tmp-4321",
             ".Moravel.ini.tmp--7",
             ".Moravel.ini.tmp-+1-7",
             ".Moravel.ini.tmp-x-7",
             ".Moravel.ini.tmp-4321-7x",
             ".Moravel.ini.tmp-4294967296-7",  // no process number
             "Moravel.ini.tmp-4321-7",         // not hidden
             ".Moravel.ini.bak",
             "Moravel.ini",
             ".Moravel.ini",
             ".Moravel.in.tmp-1-1",
         }) {
        EXPECT_FALSE(SaveTempOwner(other, "Moravel.ini")) << other;
    }
    EXPECT_FALSE(SaveTempOwner(".Moravel.ini.tmp-1-1", "Moravel"));
    EXPECT_FALSE(SaveTempOwner("..tmp-1-1", ""));
}

TEST(ReplaceFileContents, ASaveRemovesWhatKilledSavesOfTheSameFileLeft) {
    TempFolder folder;
    const std::string path = folder.File("Moravel.ini");
    WriteBytes(path, "old");
    const std::uint32_t ended = EndedProcessId();
    const std::string mine = SaveTempName("Moravel.ini", CurrentProcessId(), 999999);
    const std::string killed = SaveTempName("Moravel.ini", ended, 0);
    const std::string otherFiles = SaveTempName("graph.tm", ended, 0);
    const std::string aFolder = SaveTempName("Moravel.ini", ended, 1);
    for (const std::string& name : {mine, killed, otherFiles, std::string("Moravel.ini.bak"),
                                    std::string(".Moravel.ini.tmp-1-x")}) {
        WriteBytes(folder.File(name), "half");
    }
    fs::create_directory(folder.File(aFolder));

    ASSERT_EQ(WriteTextFile(path, "new"), 3);
    EXPECT_EQ(ReadBytes(path), "new");
    Names expected = {".Moravel.ini.tmp-1-x", aFolder, otherFiles, "Moravel.ini",
                      "Moravel.ini.bak"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(folder.path()), expected);
}

#ifndef _WIN32
TEST(ReplaceFileContents, TheTemporaryFileOfASaveUnderWayElsewhereStays) {
    TempFolder folder;
    const std::string path = folder.File("Moravel.ini");
    const std::string busy = SaveTempName("Moravel.ini", static_cast<std::uint32_t>(getppid()), 3);
    WriteBytes(folder.File(busy), "half");
    ASSERT_EQ(WriteTextFile(path, "new"), 3);
    EXPECT_EQ(NamesIn(folder.path()), (Names{busy, "Moravel.ini"}));
}

// A settings file kept in a dotfiles folder and linked into the program's folder.
struct Dotfiles {
    TempFolder root;
    std::string program = root.File("program");
    std::string dotfiles = root.File("dotfiles");
    std::string link = program + "/Moravel.ini";
    std::string target = dotfiles + "/Moravel.ini";
    Dotfiles() {
        fs::create_directory(program);
        fs::create_directory(dotfiles);
        fs::create_symlink("../dotfiles/Moravel.ini", link);
    }
};

TEST(ReplaceFileContents, ALinkIsSavedThroughToItsTarget) {
    Dotfiles d;
    WriteBytes(d.target, "old");
    chmod(d.target.c_str(), 0600);
    ASSERT_EQ(WriteTextFile(d.link, "new"), 3);
    EXPECT_TRUE(fs::is_symlink(d.link));
    EXPECT_EQ(fs::read_symlink(d.link), "../dotfiles/Moravel.ini");
    EXPECT_EQ(ReadBytes(d.target), "new");
    struct stat st {};
    ASSERT_EQ(stat(d.target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(NamesIn(d.program), Names{"Moravel.ini"});  // no temporary on either side
    EXPECT_EQ(NamesIn(d.dotfiles), Names{"Moravel.ini"});

    // Leftovers are looked for beside the target, where the temporary files are written.
    const std::string killed = SaveTempName("Moravel.ini", EndedProcessId(), 0);
    WriteBytes(d.dotfiles + "/" + killed, "half");
    ASSERT_EQ(WriteTextFile(d.link, "newer"), 5);
    EXPECT_EQ(NamesIn(d.dotfiles), Names{"Moravel.ini"});
    EXPECT_EQ(ReadBytes(d.link), "newer");
}

TEST(ReplaceFileContents, ChainsOfLinksAndLinksToNothingYet) {
    Dotfiles d;
    // program/Moravel.ini -> ../dotfiles/Moravel.ini -> (absolute) dotfiles/real/moravel.ini
    fs::create_directory(d.dotfiles + "/real");
    fs::create_symlink(d.dotfiles + "/real/moravel.ini", d.target);
    ASSERT_EQ(WriteTextFile(d.link, "first"), 5);  // the end of the chain does not exist yet
    EXPECT_TRUE(fs::is_symlink(d.link));
    EXPECT_TRUE(fs::is_symlink(d.target));
    EXPECT_EQ(ReadBytes(d.dotfiles + "/real/moravel.ini"), "first");
    ASSERT_EQ(WriteTextFile(d.link, "second"), 6);
    EXPECT_EQ(ReadBytes(d.dotfiles + "/real/moravel.ini"), "second");
    EXPECT_EQ(NamesIn(d.dotfiles + "/real"), Names{"moravel.ini"});
}

TEST(ReplaceFileContents, ALoopOfLinksFailsAndStays) {
    TempFolder folder;
    const std::string a = folder.File("a.tm");
    const std::string b = folder.File("b.tm");
    fs::create_symlink("b.tm", a);
    fs::create_symlink("a.tm", b);
    EXPECT_EQ(WriteTextFile(a, "x"), -1);
    EXPECT_TRUE(fs::is_symlink(a));
    EXPECT_TRUE(fs::is_symlink(b));
    EXPECT_EQ(NamesIn(folder.path()), (Names{"a.tm", "b.tm"}));
}
#endif

}  // namespace
}  // namespace moravel
