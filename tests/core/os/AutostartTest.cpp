#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/os/Autostart.h"
#include "core/os/FileSystem.h"
#include "core/os/Paths.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>

#include "core/os/Autostart_win.h"
#endif

namespace moravel {
namespace {

TEST(AutostartEntry, ExecQuotesThePathAsTheDesktopEntryRulesAsk) {
    EXPECT_EQ(DesktopEntryExecArgument("/usr/bin/moravel"), "\"/usr/bin/moravel\"");
    EXPECT_EQ(DesktopEntryExecArgument("/opt/my apps/moravel"), "\"/opt/my apps/moravel\"");
    // '"', '`', '$' get a backslash; every backslash is doubled once more for the file.
    EXPECT_EQ(DesktopEntryExecArgument("/a\"b"), "\"/a\\\\\"b\"");
    EXPECT_EQ(DesktopEntryExecArgument("/a$HOME`x`"), "\"/a\\\\$HOME\\\\`x\\\\`\"");
    EXPECT_EQ(DesktopEntryExecArgument("/a\\b"), "\"/a\\\\\\\\b\"");
    // "%" would start a field code.
    EXPECT_EQ(DesktopEntryExecArgument("/100%/moravel"), "\"/100%%/moravel\"");
    EXPECT_EQ(DesktopEntryExecArgument("/a\nb"), "\"/a\\nb\"");
}

TEST(AutostartEntry, TheEntryStartsTheProgramItNames) {
    const std::string text = AutostartEntryText("/opt/my apps/moravel");
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nName=Moravel\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=\"/opt/my apps/moravel\"\n"), std::string::npos);
    EXPECT_NE(text.find("\nIcon=io.github.moravel.Moravel\n"), std::string::npos);
    EXPECT_NE(text.find("\nX-GNOME-Autostart-enabled=true\n"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);

    // Whatever the path holds, the entry reads back to it.
    for (const char* path : {"/usr/bin/moravel", "/opt/my apps/moravel", "/a\"b/$x`y`/c\\d",
                             "/100%/m", "/tab\there", "/x%%u y"}) {
        EXPECT_EQ(AutostartEntryProgram(AutostartEntryText(path)), std::string(path)) << path;
    }
}

TEST(AutostartEntry, EntriesWrittenByHandOrSwitchedOff) {
    EXPECT_EQ(AutostartEntryProgram("[Desktop Entry]\r\nExec=/usr/bin/moravel %U\r\n"),
              std::string("/usr/bin/moravel"));
    EXPECT_EQ(AutostartEntryProgram("[Desktop Entry]\nExec = \"/a b/moravel\" --x\n"),
              std::string("/a b/moravel"));
    // Keys of other groups, or before any group, do not count.
    EXPECT_EQ(AutostartEntryProgram("Exec=/usr/bin/moravel\n[Desktop Entry]\nName=M\n"),
              std::nullopt);
    EXPECT_EQ(AutostartEntryProgram("[Desktop Entry]\nName=M\n[Desktop Action x]\nExec=/b\n"),
              std::nullopt);
    // Switched off by the desktop's session settings.
    const std::string entry = AutostartEntryText("/usr/bin/moravel");
    EXPECT_EQ(AutostartEntryProgram(entry + "Hidden=true\n"), std::nullopt);
    EXPECT_EQ(AutostartEntryProgram(entry + "X-GNOME-Autostart-enabled=false\n"), std::nullopt);
    EXPECT_EQ(AutostartEntryProgram(entry + "Hidden=false\n"), std::string("/usr/bin/moravel"));
    EXPECT_EQ(AutostartEntryProgram("[Desktop Entry]\nExec=\n"), std::nullopt);
    EXPECT_EQ(AutostartEntryProgram(""), std::nullopt);
}

TEST(XdgAutostart, CreatedShownAndRemoved) {
    test::TempFolder folder;
    const std::string path =
        JoinPath(JoinPath(folder.File("config"), "autostart"), "moravel.desktop");
    XdgAutostart entry(path);
    const std::string program = JoinPath(folder.File("bin dir"), "moravel");
    EXPECT_FALSE(entry.StartsProgram(program));
    EXPECT_TRUE(entry.Disable());  // nothing to remove

    ASSERT_TRUE(entry.Enable(program));  // the autostart folder is made on the way
    EXPECT_TRUE(PathIsFile(path));
    EXPECT_EQ(test::ReadBytes(path), AutostartEntryText(program));
    EXPECT_TRUE(entry.StartsProgram(program));
    EXPECT_FALSE(entry.StartsProgram(program + "2"));  // another copy of the program
#ifndef _WIN32
    struct stat st {};
    ASSERT_EQ(::stat(folder.File("config").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
#endif

    // Switched off by the desktop: not shown as on.
    test::WriteBytes(path, AutostartEntryText(program) + "Hidden=true\n");
    EXPECT_FALSE(entry.StartsProgram(program));

    EXPECT_TRUE(entry.Disable());
    EXPECT_FALSE(PathIsFile(path));
    EXPECT_FALSE(entry.StartsProgram(program));

    // A path that names no place: nothing shows, nothing can be written.
    XdgAutostart nowhere("");
    EXPECT_FALSE(nowhere.StartsProgram(program));
    EXPECT_FALSE(nowhere.Enable(program));
}

TEST(RunValue, TheQuotedPathOfTheProgram) {
    EXPECT_EQ(RunValueText("C:\\Program Files\\Moravel\\moravel.exe"),
              "\"C:\\Program Files\\Moravel\\moravel.exe\"");
    EXPECT_EQ(RunValueProgram("\"C:\\Program Files\\Moravel\\moravel.exe\""),
              "C:\\Program Files\\Moravel\\moravel.exe");
    EXPECT_EQ(RunValueProgram("\"C:\\M\\moravel.exe\" /min"), "C:\\M\\moravel.exe");
    EXPECT_EQ(RunValueProgram("  C:\\M\\moravel.exe /min"), "C:\\M\\moravel.exe");
    EXPECT_EQ(RunValueProgram(""), "");
}

#ifdef _WIN32
TEST(RunKeyAutostart, CreatedShownAndRemovedInTheRegistry) {
    // A key of the test's own, not the user's real Run key.
    RunKeyAutostart entry("Software\\MoravelTest\\Run", "Moravel");
    const std::string program = "C:\\Program Files\\Moravel\\moravel.exe";
    ASSERT_TRUE(entry.Disable());
    EXPECT_FALSE(entry.StartsProgram(program));
    ASSERT_TRUE(entry.Enable(program));
    EXPECT_TRUE(entry.StartsProgram(program));
    EXPECT_TRUE(entry.StartsProgram("c:\\program files\\moravel\\MORAVEL.EXE"));
    EXPECT_FALSE(entry.StartsProgram("D:\\moravel.exe"));
    EXPECT_TRUE(entry.Disable());
    EXPECT_FALSE(entry.StartsProgram(program));
    EXPECT_TRUE(entry.Disable());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MoravelTest\\Run");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MoravelTest");
}
#endif

}  // namespace
}  // namespace moravel
