#include "core/os/ProgramFolder.h"

#include "core/os/FileSystem.h"

namespace moravel {
namespace {

constexpr std::string_view kThemesFolderName = "Themes";

std::optional<ProgramFolders>& Override() {
    static std::optional<ProgramFolders> folders;
    return folders;
}

bool IsSet(const std::optional<std::string>& value) {
    return value && !value->empty();
}

// The user's folder of an installed program; "" when the system names no place for it.
std::string InstalledUserFolder(const FolderFacts& facts, PathFlavor flavor) {
    const std::string base = ConfigHome(facts, flavor);
    if (base.empty()) {
        return "";
    }
    return AddBackslash(
        JoinPath(base, flavor == PathFlavor::Windows ? "Moravel" : "moravel", flavor), flavor);
}

}  // namespace

std::string ConfigHome(const FolderFacts& facts, PathFlavor flavor) {
    // Relative values are to be ignored (XDG base directories); they would name a folder that
    // moves with the current folder.
    const auto usable = [flavor](const std::optional<std::string>& value) {
        return IsSet(value) && IsAbsolutePath(*value, flavor);
    };
    if (flavor == PathFlavor::Windows) {
        return usable(facts.appData) ? *facts.appData : "";
    }
    if (usable(facts.configHome)) {
        return *facts.configHome;
    }
    if (usable(facts.home)) {
        std::string home = *facts.home;
        while (home.size() > 1 && home.back() == '/') {
            home.pop_back();
        }
        return JoinPath(home == "/" ? "" : home, ".config", flavor);
    }
    return "";
}

ProgramFolders FindProgramFolders(const FolderFacts& facts, const FolderProbe& probe,
                                  PathFlavor flavor) {
    if (IsSet(facts.moravelHome)) {
        const std::string folder = AddBackslash(*facts.moravelHome, flavor);
        return {folder, folder, true};
    }
    const std::string program = AddBackslash(facts.executableFolder, flavor);
    const bool holdsThemes = probe.isFolder(program + std::string(kThemesFolderName));
    const bool markedInstalled = probe.isFile(program + std::string(kInstalledMarkerName));
    if (holdsThemes && !markedInstalled && probe.canWrite(program)) {
        return {program, program, true};
    }

    ProgramFolders folders;
    folders.portable = false;
    if (holdsThemes) {
        // A program folder that cannot be written, as under Program Files, or one the installer
        // marked, as under %LOCALAPPDATA%\Programs.
        folders.data = program;
    } else {
        std::string bin = program;
        if (bin.size() > 1 && bin.back() == PathSeparator(flavor)) {
            bin.pop_back();
        }
        const std::string prefix = AddBackslash(GetParentFolder(bin, flavor), flavor);
        folders.data = prefix + "share" + PathSeparator(flavor) + "moravel" + PathSeparator(flavor);
    }
    folders.user = InstalledUserFolder(facts, flavor);
    if (folders.user.empty()) {
        folders.user = program;  // nowhere else to go: as before, beside the program
    }
    return folders;
}

FolderFacts CurrentFolderFacts() {
    FolderFacts facts;
    facts.executableFolder = GetParentFolder(ExecutablePath());
    facts.moravelHome = EnvironmentVariable("MORAVEL_HOME");
    facts.configHome = EnvironmentVariable("XDG_CONFIG_HOME");
    facts.home = EnvironmentVariable("HOME");
    facts.appData = EnvironmentVariable("APPDATA");
    return facts;
}

FolderProbe SystemFolderProbe() {
    return {PathIsFolder, FolderIsWritable, PathIsFile};
}

ProgramFolders CurrentProgramFolders() {
    if (Override()) {
        return *Override();
    }
    return FindProgramFolders(CurrentFolderFacts(), SystemFolderProbe());
}

void OverrideProgramFolders(const ProgramFolders* folders) {
    Override() = folders ? std::optional<ProgramFolders>(*folders) : std::nullopt;
}

std::string ProgramFolder() {
    return CurrentProgramFolders().user;
}

std::string DataFolder() {
    return CurrentProgramFolders().data;
}

}  // namespace moravel
