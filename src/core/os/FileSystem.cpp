// The rules of the file operations that are the same on every system.
#include <charconv>

#include "core/os/FileSystem.h"

#include "core/os/Paths.h"

namespace moravel {
namespace {

constexpr std::string_view kTempMark = ".tmp-";

// True when `text` is a whole unsigned decimal number that fits `value`.
template <typename Number>
bool ParseWhole(std::string_view text, Number& value) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string SaveTempName(std::string_view name, std::uint32_t pid, std::uint64_t serial) {
    std::string temp = ".";
    temp.append(name).append(kTempMark);
    temp.append(std::to_string(pid)).append("-").append(std::to_string(serial));
    return temp;
}

std::optional<std::uint32_t> SaveTempOwner(std::string_view entry, std::string_view name) {
    if (name.empty() || entry.size() <= 1 + name.size() + kTempMark.size() ||
        entry.front() != '.' || entry.substr(1, name.size()) != name ||
        entry.substr(1 + name.size(), kTempMark.size()) != kTempMark) {
        return std::nullopt;
    }
    const std::string_view numbers = entry.substr(1 + name.size() + kTempMark.size());
    const std::size_t dash = numbers.find('-');
    std::uint32_t pid = 0;
    std::uint64_t serial = 0;
    if (dash == std::string_view::npos || !ParseWhole(numbers.substr(0, dash), pid) ||
        !ParseWhole(numbers.substr(dash + 1), serial)) {
        return std::nullopt;
    }
    return pid;
}

bool MakeParentFolders(const std::string& path) {
    const std::string folder = GetParentFolder(path);
    return folder.empty() || MakeFolders(folder);
}

void RemoveSaveLeftovers(const std::string& prefix, std::string_view name) {
    const std::uint32_t self = CurrentProcessId();
    for (const FolderEntry& entry : ListFolder(prefix.empty() ? "." : prefix)) {
        const std::optional<std::uint32_t> owner = SaveTempOwner(entry.name, name);
        if (!owner || entry.isFolder || (*owner != self && ProcessIsRunning(*owner))) {
            continue;
        }
        std::string error;
        DeleteFileForced(prefix + entry.name, error);  // what cannot go stays for the next save
    }
}

}  // namespace moravel
