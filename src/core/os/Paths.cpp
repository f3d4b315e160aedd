#include "core/os/Paths.h"

#include "core/base/Strings.h"

namespace moravel {

std::string GetPathRoot(std::string_view path, PathFlavor flavor) {
    if (flavor == PathFlavor::Posix) {
        return !path.empty() && path.front() == '/' ? "/" : "";
    }
    if (path.substr(0, 2) == "\\\\") {
        const std::string_view rest = path.substr(2);
        const auto serverEnd = rest.find('\\');
        if (serverEnd == std::string_view::npos) {
            return "";
        }
        const std::string_view afterServer = rest.substr(serverEnd + 1);
        const std::string_view share = afterServer.substr(0, afterServer.find('\\'));
        return std::string(path.substr(0, 2 + serverEnd + 1)) + std::string(share);
    }
    const auto colon = path.find(':');
    if (colon != std::string_view::npos) {
        return std::string(path.substr(0, colon + 1));
    }
    return "";
}

std::string GetParentFolder(std::string_view path, PathFlavor flavor) {
    const char separator = PathSeparator(flavor);
    std::string root = GetPathRoot(path, flavor);
    if (root.empty()) {
        return "";
    }
    std::string_view rest = path.substr(root.size());
    if (!rest.empty() && rest.front() == separator) {
        rest.remove_prefix(1);
        root.push_back(separator);
    }
    const auto last = rest.rfind(separator);
    if (last == std::string_view::npos) {
        return root;
    }
    return root + std::string(rest.substr(0, last));
}

std::string GetFileName(std::string_view path, PathFlavor flavor) {
    const std::string folder = GetParentFolder(path, flavor);
    std::string_view rest = path.substr(folder.size());
    if (!rest.empty() && rest.front() == PathSeparator(flavor)) {
        rest.remove_prefix(1);
    }
    return std::string(rest);
}

std::string AddBackslash(std::string_view path, PathFlavor flavor) {
    std::string result(TrimSpaces(path));
    if (!result.empty() && result.back() != PathSeparator(flavor)) {
        result.push_back(PathSeparator(flavor));
    }
    return result;
}

int CompareFileNames(std::string_view a, std::string_view b, PathFlavor flavor) {
    if (flavor == PathFlavor::Windows) {
        const int c = ToLowerAscii(a).compare(ToLowerAscii(b));
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string JoinPath(std::string_view folder, std::string_view name, PathFlavor flavor) {
    std::string result(folder);
    result.push_back(PathSeparator(flavor));
    result.append(name);
    return result;
}

bool ContainsSeparator(std::string_view name, PathFlavor flavor) {
    return name.find(PathSeparator(flavor)) != std::string_view::npos;
}

bool IsAbsolutePath(std::string_view path, PathFlavor flavor) {
    const std::string root = GetPathRoot(path, flavor);
    if (flavor == PathFlavor::Posix || root.empty()) {
        return !root.empty();
    }
    if (root.front() == '\\') {
        return true;  // \\server\share
    }
    // "C:" alone is the current folder of drive C; only "C:\" is its root.
    const bool drive = root.size() == 2 &&
                       ((root[0] >= 'A' && root[0] <= 'Z') || (root[0] >= 'a' && root[0] <= 'z'));
    return drive && path.size() > 2 && path[2] == '\\';
}

}  // namespace moravel
