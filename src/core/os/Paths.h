// Taking paths apart and comparing file names, in two flavours: Windows (drive letters, UNC
// paths, backslashes) and POSIX. The program uses the flavour of the system it runs on; both are
// tested everywhere.
#pragma once

#include <string>
#include <string_view>

namespace moravel {

enum class PathFlavor { Windows, Posix };

#ifdef _WIN32
inline constexpr PathFlavor kNativePaths = PathFlavor::Windows;
#else
inline constexpr PathFlavor kNativePaths = PathFlavor::Posix;
#endif

constexpr char PathSeparator(PathFlavor flavor = kNativePaths) {
    return flavor == PathFlavor::Windows ? '\\' : '/';
}

// Windows: a drive such as "C:", or "\\server\share", or "". POSIX: "/" for an absolute path, or
// "".
std::string GetPathRoot(std::string_view path, PathFlavor flavor = kNativePaths);

// The folder part of `path`; "" for a relative path. C:\a\b\c.tm gives C:\a\b, C:\c.tm gives C:\.
std::string GetParentFolder(std::string_view path, PathFlavor flavor = kNativePaths);

// The last component of `path`; a relative path is returned whole.
std::string GetFileName(std::string_view path, PathFlavor flavor = kNativePaths);

// `path` without leading and trailing spaces, ending with one separator unless it is empty.
std::string AddBackslash(std::string_view path, PathFlavor flavor = kNativePaths);

// 0 when `a` and `b` name the same file: on Windows when they are equal after changing A-Z to
// a-z (nothing else folds), on POSIX when they are identical. -1 or 1 otherwise.
int CompareFileNames(std::string_view a, std::string_view b, PathFlavor flavor = kNativePaths);

// folder + separator + name.
std::string JoinPath(std::string_view folder, std::string_view name,
                     PathFlavor flavor = kNativePaths);

bool ContainsSeparator(std::string_view name, PathFlavor flavor = kNativePaths);

// True for a path that names the same place from every current folder: on Windows a drive with
// its root separator (C:\...) or a UNC path, on POSIX one that starts with "/".
bool IsAbsolutePath(std::string_view path, PathFlavor flavor = kNativePaths);

}  // namespace moravel
