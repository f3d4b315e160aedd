// Where the program's files are.
//
// A program folder (the executable's) that holds the shipped Themes and can be written is
// portable: everything lives in it, as in a build's bin folder or an unpacked zip. A folder that
// holds the installed marker (Moravel.installed, which the Windows installer lays beside the
// program in a folder the user can write) is never portable. Otherwise the program is
// installed: the shipped themes and the help are read from the data folder (the
// program folder itself when it holds Themes, else <prefix>/share/moravel beside <prefix>/bin),
// and the user's files (settings, custom theme, the user's own Themes) live in the user's folder:
// $XDG_CONFIG_HOME/moravel (~/.config/moravel) on POSIX, %APPDATA%\Moravel on Windows. The
// environment variable MORAVEL_HOME names one folder for everything.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/os/Paths.h"

namespace moravel {

// The file whose presence in the program folder makes it installed rather than portable.
inline constexpr std::string_view kInstalledMarkerName = "Moravel.installed";

struct ProgramFolders {
    std::string data;  // the shipped Themes and the help; ends with a separator
    std::string user;  // settings, custom theme, the user's Themes; ends with a separator
    bool portable = true;

    bool operator==(const ProgramFolders&) const = default;
};

// What the folder rule looks at: the executable's folder and the environment.
struct FolderFacts {
    std::string executableFolder;
    std::optional<std::string> moravelHome;  // MORAVEL_HOME
    std::optional<std::string> configHome;   // XDG_CONFIG_HOME
    std::optional<std::string> home;         // HOME
    std::optional<std::string> appData;      // APPDATA
};

// The questions the rule asks the file system; tests answer them themselves.
struct FolderProbe {
    std::function<bool(const std::string& folder)> isFolder;
    std::function<bool(const std::string& folder)> canWrite;
    std::function<bool(const std::string& path)> isFile;
};

// The base of the user's configuration folders: $XDG_CONFIG_HOME when it is an absolute path,
// else $HOME/.config; "" when neither is known. On Windows, %APPDATA% when absolute, else "".
// Without a trailing separator.
std::string ConfigHome(const FolderFacts& facts, PathFlavor flavor = kNativePaths);

ProgramFolders FindProgramFolders(const FolderFacts& facts, const FolderProbe& probe,
                                  PathFlavor flavor = kNativePaths);

// This process's facts, and the file system's answers.
FolderFacts CurrentFolderFacts();
FolderProbe SystemFolderProbe();

// This process's folders. Asked afresh each time, so MORAVEL_HOME set by a test takes effect.
ProgramFolders CurrentProgramFolders();
// Tests of the installed layout name both folders here; null returns to the rule.
void OverrideProgramFolders(const ProgramFolders* folders);

// The folder of the user's files (the program folder when portable), with its separator.
std::string ProgramFolder();
// The folder of the shipped themes and help, with its separator.
std::string DataFolder();

}  // namespace moravel
