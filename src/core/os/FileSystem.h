// The few file-system operations the core needs, one implementation per system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moravel {

struct FolderEntry {
    std::string name;  // no folder part
    bool isFolder = false;
    bool isHidden = false;  // the hidden attribute on Windows, a leading "." on POSIX
};

// The entries of `folder` in the order the file system returns them, without "." and "..";
// empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder);

enum class ReadStatus { Ok, Missing, TooLarge };

// Reads the whole file. Missing: it does not exist, is a folder, or cannot be opened or read.
// TooLarge: it holds more than maxBytes bytes (nothing is read).
ReadStatus ReadFileBytes(const std::string& path, std::uintmax_t maxBytes, std::string& bytes);

// Replaces the file at `path` with `bytes` atomically: a temporary file in the same folder is
// written and flushed, then renamed over the target (a read-only target is replaced too). On
// failure the old file is untouched, the temporary file is gone, and the result is false.
// A symbolic link is saved through: the file at the end of its chain of links is replaced, in
// its own folder, and the link stays (a chain that never ends fails). Before writing, the
// temporary files that earlier saves of the same file left behind when they were killed are
// removed (RemoveSaveLeftovers).
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// The temporary file's name for a save of the file `name` by process `pid`, its `serial`-th:
// "." + name + ".tmp-" + pid + "-" + serial, in the target's folder.
std::string SaveTempName(std::string_view name, std::uint32_t pid, std::uint64_t serial);
// The process that wrote `entry`, when `entry` is a temporary file's name of a save of `name`
// (exactly the pattern above); nothing for every other name.
std::optional<std::uint32_t> SaveTempOwner(std::string_view entry, std::string_view name);
// Deletes the temporary files of saves of `name` in the folder `prefix` ("" for the current
// folder, else ending in its separator) whose process is this one or no longer runs: what a
// killed save leaves. Folders and every other name are left alone, and so are the temporary
// files of a save still under way in another process.
void RemoveSaveLeftovers(const std::string& prefix, std::string_view name);

// This process's number, and whether process `pid` exists.
std::uint32_t CurrentProcessId();
bool ProcessIsRunning(std::uint32_t pid);

// True when `path` names an existing file that is not a folder.
bool PathIsFile(const std::string& path);

// True when `path` names an existing folder.
bool PathIsFolder(const std::string& path);

// True when files can be made in the existing folder `folder`.
bool FolderIsWritable(const std::string& folder);

// Makes `folder` and every missing folder above it, each private to the user on POSIX (0700);
// true when the folder exists afterwards.
bool MakeFolders(const std::string& folder);

// MakeFolders for the folder that holds the file `path` (nothing to do for a bare name).
bool MakeParentFolders(const std::string& path);

// Deletes the file, clearing a read-only attribute first. On failure `error` says why.
bool DeleteFileForced(const std::string& path, std::string& error);

// The running executable's full path, or "" when it cannot be had.
std::string ExecutablePath();

std::optional<std::string> EnvironmentVariable(const char* name);

// Standard output writes its bytes as they are (Windows would otherwise turn "\n" into "\r\n").
void UseBinaryStandardOutput();

}  // namespace moravel
