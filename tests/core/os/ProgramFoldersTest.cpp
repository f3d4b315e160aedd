#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/os/FileSystem.h"
#include "core/os/ProgramFolder.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

constexpr PathFlavor W = PathFlavor::Windows;
constexpr PathFlavor P = PathFlavor::Posix;

// A file system of folders that exist, folders that can be written and files, by name.
struct FakeDisk {
    std::set<std::string> folders;
    std::set<std::string> writable;
    std::set<std::string> files;

    FolderProbe Probe() const {
        return {[this](const std::string& f) { return folders.count(f) > 0; },
                [this](const std::string& f) { return writable.count(f) > 0; },
                [this](const std::string& f) { return files.count(f) > 0; }};
    }
};

FolderFacts PosixFacts(std::string executableFolder) {
    FolderFacts facts;
    facts.executableFolder = std::move(executableFolder);
    facts.home = "/home/ann";
    return facts;
}

TEST(ProgramFolders, PortableWhenTheProgramFolderHoldsThemesAndCanBeWritten) {
    FakeDisk disk;
    disk.folders = {"/opt/moravel/Themes"};
    disk.writable = {"/opt/moravel/"};
    const ProgramFolders posix = FindProgramFolders(PosixFacts("/opt/moravel"), disk.Probe(), P);
    EXPECT_EQ(posix, (ProgramFolders{"/opt/moravel/", "/opt/moravel/", true}));

    disk.folders = {"D:\\Tools\\Moravel\\Themes"};
    disk.writable = {"D:\\Tools\\Moravel\\"};
    FolderFacts facts;
    facts.executableFolder = "D:\\Tools\\Moravel";
    facts.appData = "C:\\Users\\ann\\AppData\\Roaming";
    EXPECT_EQ(FindProgramFolders(facts, disk.Probe(), W),
              (ProgramFolders{"D:\\Tools\\Moravel\\", "D:\\Tools\\Moravel\\", true}));
}

TEST(ProgramFolders, InstalledReadsTheDataFolderAndKeepsTheUsersFilesInTheirFolder) {
    FakeDisk disk;  // /usr/bin holds no Themes, and cannot be written anyway
    disk.folders = {"/usr/share/moravel/Themes"};
    FolderFacts facts = PosixFacts("/usr/bin");
    EXPECT_EQ(FindProgramFolders(facts, disk.Probe(), P),
              (ProgramFolders{"/usr/share/moravel/", "/home/ann/.config/moravel/", false}));
    facts.configHome = "/home/ann/conf";
    EXPECT_EQ(FindProgramFolders(facts, disk.Probe(), P).user, "/home/ann/conf/moravel/");
    // Without Themes beside it, a writable program folder is installed all the same (make
    // install into a prefix of one's own).
    disk.writable = {"/home/ann/prefix/bin/"};
    EXPECT_EQ(
        FindProgramFolders(PosixFacts("/home/ann/prefix/bin"), disk.Probe(), P),
        (ProgramFolders{"/home/ann/prefix/share/moravel/", "/home/ann/.config/moravel/", false}));

    // Windows, under Program Files: the themes beside the program, which cannot be written.
    disk.folders = {"C:\\Program Files\\Moravel\\Themes"};
    disk.writable = {};
    FolderFacts win;
    win.executableFolder = "C:\\Program Files\\Moravel";
    win.appData = "C:\\Users\\ann\\AppData\\Roaming";
    EXPECT_EQ(FindProgramFolders(win, disk.Probe(), W),
              (ProgramFolders{"C:\\Program Files\\Moravel\\",
                              "C:\\Users\\ann\\AppData\\Roaming\\Moravel\\", false}));
    // Installed by prefix, bin and share side by side.
    win.executableFolder = "C:\\msys64\\usr\\bin";
    EXPECT_EQ(FindProgramFolders(win, disk.Probe(), W).data, "C:\\msys64\\usr\\share\\moravel\\");
}

// The installer's marker beside the program: installed though the folder can be written, the
// shipped themes read from beside the program (or from share/moravel without them), the user's
// files in the user's folder. MORAVEL_HOME still names one folder for everything.
TEST(ProgramFolders, TheInstalledMarkerMakesAWritableProgramFolderInstalled) {
    const std::string local = "C:\\Users\\ann\\AppData\\Local\\Programs\\Moravel\\";
    const std::string roaming = "C:\\Users\\ann\\AppData\\Roaming\\Moravel\\";
    const std::string config = "/home/ann/.config/moravel/";
    struct Case {
        PathFlavor flavor;
        std::string program;
        bool themes;
        std::optional<std::string> moravelHome;
        ProgramFolders expected;
    };
    const Case cases[] = {
        {W, local, true, std::nullopt, {local, roaming, false}},
        {W, local, true, "E:\\m", {"E:\\m\\", "E:\\m\\", true}},
        {P, "/home/ann/moravel/", true, std::nullopt, {"/home/ann/moravel/", config, false}},
        {P, "/opt/m/bin/", false, std::nullopt, {"/opt/m/share/moravel/", config, false}},
    };
    for (const Case& c : cases) {
        FakeDisk disk;
        disk.files = {c.program + "Moravel.installed"};
        disk.writable = {c.program};
        if (c.themes) {
            disk.folders = {c.program + "Themes"};
        }
        FolderFacts facts = PosixFacts(c.program);
        facts.appData = "C:\\Users\\ann\\AppData\\Roaming";
        facts.moravelHome = c.moravelHome;
        EXPECT_EQ(FindProgramFolders(facts, disk.Probe(), c.flavor), c.expected) << c.program;
    }
}

TEST(ProgramFolders, ConfigHomeIgnoresUnsetEmptyAndRelativeValues) {
    FolderFacts facts = PosixFacts("/usr/bin");
    EXPECT_EQ(ConfigHome(facts, P), "/home/ann/.config");
    for (const char* unusable : {"", "conf", "./conf", "~/conf"}) {
        facts.configHome = unusable;
        EXPECT_EQ(ConfigHome(facts, P), "/home/ann/.config") << unusable;
    }
    facts.configHome = "/xdg";
    EXPECT_EQ(ConfigHome(facts, P), "/xdg");
    facts.configHome.reset();
    facts.home = "/home/ann/";
    EXPECT_EQ(ConfigHome(facts, P), "/home/ann/.config");
    facts.home = "/";
    EXPECT_EQ(ConfigHome(facts, P), "/.config");
    facts.home = "relative";
    EXPECT_EQ(ConfigHome(facts, P), "");
    // Windows looks at APPDATA only.
    FolderFacts win;
    win.configHome = "C:\\xdg";
    win.home = "C:\\Users\\ann";
    EXPECT_EQ(ConfigHome(win, W), "");
    win.appData = "Roaming";
    EXPECT_EQ(ConfigHome(win, W), "");
    win.appData = "\\\\srv\\profiles\\ann";
    EXPECT_EQ(ConfigHome(win, W), "\\\\srv\\profiles\\ann");
}

TEST(ProgramFolders, WithNoPlaceForTheUserTheFilesStayBesideTheProgram) {
    FakeDisk disk;
    FolderFacts facts;
    facts.executableFolder = "/usr/bin";
    EXPECT_EQ(FindProgramFolders(facts, disk.Probe(), P).user, "/usr/bin/");
    FolderFacts win;
    win.executableFolder = "C:\\Program Files\\Moravel";
    EXPECT_EQ(FindProgramFolders(win, disk.Probe(), W).user, "C:\\Program Files\\Moravel\\");
}

TEST(ProgramFolders, MoravelHomeNamesOneFolderForEverything) {
    FakeDisk disk;
    disk.folders = {"/opt/moravel/Themes"};
    disk.writable = {"/opt/moravel/"};
    FolderFacts facts = PosixFacts("/usr/bin");
    facts.moravelHome = "/tmp/m";
    EXPECT_EQ(FindProgramFolders(facts, disk.Probe(), P),
              (ProgramFolders{"/tmp/m/", "/tmp/m/", true}));
    facts.moravelHome = "";  // empty is unset
    EXPECT_FALSE(FindProgramFolders(facts, disk.Probe(), P).portable);
    FolderFacts win;
    win.executableFolder = "C:\\Program Files\\Moravel";
    win.moravelHome = "E:\\m\\";
    EXPECT_EQ(FindProgramFolders(win, disk.Probe(), W),
              (ProgramFolders{"E:\\m\\", "E:\\m\\", true}));
}

TEST(ProgramFolders, TheOverrideOfTestsWins) {
    const ProgramFolders installed{"/d/", "/u/", false};
    OverrideProgramFolders(&installed);
    EXPECT_EQ(ProgramFolder(), "/u/");
    EXPECT_EQ(DataFolder(), "/d/");
    OverrideProgramFolders(nullptr);
    test::TempFolder folder;
    test::ScopedProgramFolder home(folder.path());
    EXPECT_EQ(CurrentProgramFolders().user, AddBackslash(folder.path()));
    EXPECT_EQ(DataFolder(), ProgramFolder());
}

TEST(ProgramFolders, TheSystemProbe) {
    test::TempFolder folder;
    const FolderProbe probe = SystemFolderProbe();
    EXPECT_TRUE(probe.isFolder(folder.path()));
    EXPECT_TRUE(probe.canWrite(folder.path()));
    test::WriteBytes(folder.File("file"), "x");
    EXPECT_FALSE(probe.isFolder(folder.File("file")));
    EXPECT_FALSE(probe.canWrite(folder.File("file")));
    EXPECT_TRUE(probe.isFile(folder.File("file")));
    EXPECT_FALSE(probe.isFile(folder.path()));
    EXPECT_FALSE(probe.isFile(folder.File("missing")));
    EXPECT_FALSE(probe.canWrite(folder.File("missing")));
    // The probe leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
#ifndef _WIN32
    if (geteuid() != 0) {  // root writes into any folder
        ::chmod(folder.path().c_str(), 0555);
        EXPECT_FALSE(probe.canWrite(folder.path()));
        ::chmod(folder.path().c_str(), 0755);
    }
#endif
}

TEST(MakeFolders, MakesEveryMissingFolderPrivately) {
    test::TempFolder folder;
    const std::string deep = JoinPath(JoinPath(folder.File("config"), "moravel"), "Themes");
    EXPECT_TRUE(MakeFolders(deep));
    EXPECT_TRUE(PathIsFolder(deep));
    EXPECT_TRUE(MakeFolders(deep + std::string(1, PathSeparator())));  // already there
#ifndef _WIN32
    for (const std::string& made : {folder.File("config"), deep}) {
        struct stat st {};
        ASSERT_EQ(::stat(made.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
#endif
    test::WriteBytes(folder.File("file"), "x");
    EXPECT_FALSE(MakeFolders(JoinPath(folder.File("file"), "below")));
    EXPECT_FALSE(MakeFolders(""));
    EXPECT_TRUE(MakeParentFolders(JoinPath(folder.File("other"), "Moravel.ini")));
    EXPECT_TRUE(PathIsFolder(folder.File("other")));
    EXPECT_TRUE(MakeParentFolders("Moravel.ini"));  // a bare name: nothing to make
}

}  // namespace
}  // namespace moravel
