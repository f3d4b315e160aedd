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
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// True when `path` names an existing file that is not a folder.
bool PathIsFile(const std::string& path);

// Deletes the file, clearing a read-only attribute first. On failure `error` says why.
bool DeleteFileForced(const std::string& path, std::string& error);

// The running executable's full path, or "" when it cannot be had.
std::string ExecutablePath();

std::optional<std::string> EnvironmentVariable(const char* name);

// Standard output writes its bytes as they are (Windows would otherwise turn "\n" into "\r\n").
void UseBinaryStandardOutput();

}  // namespace moravel
