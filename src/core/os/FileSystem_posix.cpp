#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "core/os/FileSystem.h"
#include "core/os/Paths.h"

namespace moravel {
namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The folder part of `path` with its closing "/", or "" when there is none.
std::string PrefixOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Where a save of `path` goes: `path` itself, or for a symbolic link the end of its chain of
// links (which need not exist yet). Nothing when the chain does not end.
std::optional<std::string> SaveTarget(std::string path) {
    constexpr int kMaxLinks = 40;  // as the kernel allows
    std::string to(4096, '\0');
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        const ssize_t n = ::readlink(path.c_str(), to.data(), to.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= to.size()) {
            return std::nullopt;
        }
        const std::string_view link(to.data(), static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds it.
        path = link.front() == '/' ? std::string(link) : PrefixOf(path).append(link);
    }
    return std::nullopt;
}

// Writes `bytes` into the new file `temp` with the permissions `mode` and flushes it.
bool WriteNewFile(const std::string& temp, std::string_view bytes, mode_t mode) {
    FileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        return false;
    }
    bool ok = WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (ok && mode != 0666) {
        ok = ::fchmod(fd.get(), mode) == 0;
    }
    ok = fd.Close() && ok;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat st {};
        const bool isFolder =
            ::stat(JoinPath(folder, name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        entries.push_back({name, isFolder, name.front() == '.'});
    }
    ::closedir(dir);
    return entries;
}

ReadStatus ReadFileBytes(const std::string& path, std::uintmax_t maxBytes, std::string& bytes) {
    bytes.clear();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return ReadStatus::Missing;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) {
        return ReadStatus::Missing;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        return ReadStatus::TooLarge;
    }
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            bytes.clear();
            return ReadStatus::Missing;
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) {  // grew while we read
            bytes.clear();
            return ReadStatus::TooLarge;
        }
    }
    return ReadStatus::Ok;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    static std::atomic<std::uint64_t> counter{0};
    const std::optional<std::string> target = SaveTarget(path);
    if (!target) {
        return false;
    }
    const std::string prefix = PrefixOf(*target);
    const std::string name = target->substr(prefix.size());
    RemoveSaveLeftovers(prefix, name);
    const std::string temp = prefix + SaveTempName(name, CurrentProcessId(), counter++);

    // The new file keeps the old one's permissions (made writable for its owner, as a save of a
    // read-only file implies); a new file gets the usual ones.
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(target->c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        mode = (old.st_mode & 07777) | S_IWUSR;
    }
    if (!WriteNewFile(temp, bytes, mode)) {
        return false;
    }
    if (::rename(temp.c_str(), target->c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    FileDescriptor dir(
        ::open(prefix.empty() ? "." : prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) {
        ::fsync(dir.get());  // the rename itself; a failure here does not undo the save
    }
    return true;
}

bool PathIsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool PathIsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderIsWritable(const std::string& folder) {
    // A read-only mount answers EROFS here too.
    return PathIsFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || PathIsFolder(folder)) {
        return !folder.empty();
    }
    std::string trimmed = folder;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const std::string parent = PrefixOf(trimmed);
    if (!parent.empty() && parent != trimmed && !MakeFolders(parent)) {
        return false;
    }
    return ::mkdir(trimmed.c_str(), 0700) == 0 || errno == EEXIST ? PathIsFolder(trimmed) : false;
}

bool DeleteFileForced(const std::string& path, std::string& error) {
    // On POSIX a file's own read-only bit does not stop its deletion; the folder's rights do.
    if (::unlink(path.c_str()) == 0) {
        return true;
    }
    error = std::strerror(errno);
    return false;
}

std::string ExecutablePath() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return "";
    }
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::optional<std::string> EnvironmentVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::uint32_t CurrentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

bool ProcessIsRunning(std::uint32_t pid) {
    // 0 would name this process group, and numbers beyond pid_t no process at all.
    if (pid == 0 || pid > static_cast<std::uint32_t>(std::numeric_limits<pid_t>::max())) {
        return false;
    }
    // No signal is sent; EPERM means it runs as another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void UseBinaryStandardOutput() {}

}  // namespace moravel
