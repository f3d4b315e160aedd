// The file-system operations through the Win32 wide-character calls.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "core/os/FileSystem.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) != 0;
    }

  private:
    HANDLE h_;
};

std::string ErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = n != 0 ? WideToUtf8(std::wstring_view(buffer, n)) : "";
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text.empty() ? "error " + std::to_string(code) : text;
}

// The folder part of `path` with its closing separator ("\\", "/" or the ":" of a drive), or
// "" when there is none.
std::wstring PrefixOf(const std::wstring& path) {
    const auto cut = path.find_last_of(L"\\/:");
    return cut == std::wstring::npos ? L"" : path.substr(0, cut + 1);
}

// Where a save of `path` goes: `path` itself, or for a symbolic link (a reparse point) the final
// file it leads to, as the system names it ("\\?\C:\..."). Nothing when a reparse point leads
// nowhere that can be opened: such a link is left as it is rather than replaced by a file.
std::optional<std::wstring> SaveTarget(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return path;
    }
    Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        return std::nullopt;
    }
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) {
            return std::nullopt;
        }
        if (n < final.size()) {
            final.resize(n);
            return final;
        }
        final.resize(n);  // n counts the closing null too: room for it
    }
}

// Writes `bytes` into the new file `temp` and flushes it; on failure nothing is left.
bool WriteNewFile(const std::wstring& temp, std::string_view bytes) {
    Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(file.get(), bytes.data(),
                                          static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                                written == bytes.size());
    ok = ok && FlushFileBuffers(file.get());
    ok = file.Close() && ok;
    if (!ok) {
        DeleteFileW(temp.c_str());
    }
    return ok;
}

// Renames `temp` over `target`, a read-only target too; on failure `temp` is gone and the
// target as it was.
bool MoveOver(const std::wstring& temp, const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool clear =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (clear) {
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    if (MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return true;
    }
    if (clear) {
        SetFileAttributesW(target.c_str(), attributes);  // put back what we cleared
    }
    DeleteFileW(temp.c_str());
    return false;
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW data;
    const bool closed =
        !folder.empty() && (folder.back() == '\\' || folder.back() == '/' || folder.back() == ':');
    const HANDLE find = FindFirstFileW(Utf8ToWide(folder + (closed ? "*" : "\\*")).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return entries;
    }
    do {
        const std::string name = WideToUtf8(data.cFileName);
        if (name == "." || name == "..") {
            continue;
        }
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

ReadStatus ReadFileBytes(const std::string& path, std::uintmax_t maxBytes, std::string& bytes) {
    bytes.clear();
    Handle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return ReadStatus::Missing;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) {
        return ReadStatus::Missing;
    }
    if (static_cast<std::uintmax_t>(size.QuadPart) > maxBytes) {
        return ReadStatus::TooLarge;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        bytes.clear();
        return ReadStatus::Missing;
    }
    return ReadStatus::Ok;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    static std::atomic<std::uint64_t> counter{0};
    const std::optional<std::wstring> target = SaveTarget(Utf8ToWide(path));
    if (!target) {
        return false;
    }
    const std::wstring prefix = PrefixOf(*target);
    const std::string name = WideToUtf8(std::wstring_view(*target).substr(prefix.size()));
    RemoveSaveLeftovers(WideToUtf8(prefix), name);
    const std::wstring temp =
        prefix + Utf8ToWide(SaveTempName(name, CurrentProcessId(), counter++));
    return WriteNewFile(temp, bytes) && MoveOver(temp, *target);
}

bool PathIsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool PathIsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FolderIsWritable(const std::string& folder) {
    if (!PathIsFolder(folder)) {
        return false;
    }
    // The access rights of a folder are only known by trying: a file that deletes itself.
    std::wstring probe = Utf8ToWide(folder);
    if (probe.back() != L'\\' && probe.back() != L'/') {
        probe += L'\\';
    }
    probe += L".moravel-probe-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || PathIsFolder(folder)) {
        return !folder.empty();
    }
    std::wstring trimmed = Utf8ToWide(folder);
    while (trimmed.size() > 1 && (trimmed.back() == L'\\' || trimmed.back() == L'/')) {
        trimmed.pop_back();
    }
    const std::wstring parent = PrefixOf(trimmed);
    const bool root = parent.empty() || parent.back() == L':' || parent.size() >= trimmed.size();
    if (!root && !MakeFolders(WideToUtf8(parent))) {
        return false;
    }
    if (!CreateDirectoryW(trimmed.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    return PathIsFolder(WideToUtf8(trimmed));
}

bool DeleteFileForced(const std::string& path, std::string& error) {
    const std::wstring wide = Utf8ToWide(path);
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(wide.c_str())) {
        return true;
    }
    error = ErrorText(GetLastError());
    return false;
}

std::string ExecutablePath() {
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) {
        return "";
    }
    buffer.resize(n);
    return WideToUtf8(buffer);
}

std::optional<std::string> EnvironmentVariable(const char* name) {
    const std::wstring wideName = Utf8ToWide(name);
    const DWORD n = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (n == 0) {
        return std::nullopt;
    }
    std::wstring value(n, L'\0');
    const DWORD written = GetEnvironmentVariableW(wideName.c_str(), value.data(), n);
    value.resize(written);
    return WideToUtf8(value);
}

std::uint32_t CurrentProcessId() {
    return GetCurrentProcessId();
}

bool ProcessIsRunning(std::uint32_t pid) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) {
        return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to look at
    }
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

void UseBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace moravel
