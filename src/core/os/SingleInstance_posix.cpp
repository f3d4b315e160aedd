#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "core/os/FileSystem.h"
#include "core/os/SingleInstance.h"

namespace moravel {
namespace {

constexpr char kComeForward = 'F';
constexpr int kListenBacklog = 16;
// How long an accepted call may take to send its byte (it sends right after connecting).
constexpr int kRequestWaitMs = 250;
constexpr const char* kTempRoot = "/tmp";
constexpr int kLockWaitMs = 1000;
constexpr int kLockPollMs = 5;

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// Holds an exclusive lock on `path` (made when missing) while it lives: every start and every
// ending first instance changes the socket file only under it. Each holds it for moments; a
// holder stopped in between (a debugger, SIGSTOP) costs a bounded wait, not a hung start.
class ClaimLock {
  public:
    explicit ClaimLock(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
        for (int waited = 0; fd_.get() >= 0 && ::flock(fd_.get(), LOCK_EX | LOCK_NB) != 0;) {
            if (errno == EWOULDBLOCK && waited < kLockWaitMs) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kLockPollMs));
                waited += kLockPollMs;
            } else if (errno != EINTR) {
                ::close(fd_.release());
            }
        }
    }
    bool held() const { return fd_.get() >= 0; }

  private:
    Descriptor fd_;
};

bool IsPrivateFolder(const struct stat& st) {
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

bool FitsSocketAddress(const std::string& path) {
    return path.size() < sizeof(sockaddr_un{}.sun_path);
}

sockaddr_un SocketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

int StreamSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

enum class Call { Answered, Nobody, Stale, Error };

// Connects to the socket at `path` and, when someone listens, asks it to come forward.
Call CallFirst(const std::string& path) {
    const Descriptor fd(StreamSocket());
    if (fd.get() < 0) {
        return Call::Error;
    }
    const sockaddr_un address = SocketAddress(path);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        // The new connection's buffer is empty, so the byte goes at once. Should the first have
        // just closed, MSG_NOSIGNAL keeps the failure from ending this program by a signal.
        [[maybe_unused]] const ssize_t sent = ::send(fd.get(), &kComeForward, 1, MSG_NOSIGNAL);
        return Call::Answered;
    }
    switch (errno) {
        case EAGAIN:  // it listens, but its queue is full of earlier calls
            return Call::Answered;
        case ENOENT:
            return Call::Nobody;
        case ECONNREFUSED:  // a file nobody listens on: its program died
            return Call::Stale;
        default:
            return Call::Error;
    }
}

int ListenAt(const std::string& path) {
    Descriptor fd(StreamSocket());
    if (fd.get() < 0) {
        return -1;
    }
    const sockaddr_un address = SocketAddress(path);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return -1;
    }
    if (::listen(fd.get(), kListenBacklog) != 0) {
        ::unlink(path.c_str());
        return -1;
    }
    return fd.release();
}

// Reads the one byte of an accepted call, waiting a moment for it.
bool AsksToComeForward(int fd) {
    pollfd ready{fd, POLLIN, 0};
    int n = 0;
    do {
        n = ::poll(&ready, 1, kRequestWaitMs);
    } while (n < 0 && errno == EINTR);
    char byte = 0;
    return n > 0 && ::recv(fd, &byte, 1, MSG_DONTWAIT) == 1 && byte == kComeForward;
}

// The socket's path: in the folder a test gave, when that is private; otherwise in the runtime
// folder, or in the private folder under /tmp when the runtime folder is unusable or its path too
// long for a socket address. "" when no folder will do.
std::string ChooseSocketPath(const std::string& givenFolder, const std::string& name) {
    if (!givenFolder.empty()) {
        struct stat st {};
        const std::string path = givenFolder + "/" + name;
        return ::lstat(givenFolder.c_str(), &st) == 0 && IsPrivateFolder(st) &&
                       FitsSocketAddress(path)
                   ? path
                   : "";
    }
    const std::optional<std::string> runtime = EnvironmentVariable("XDG_RUNTIME_DIR");
    for (const std::optional<std::string>& candidate : {runtime, std::optional<std::string>()}) {
        if (const auto folder = SingleInstanceFolder(candidate, kTempRoot)) {
            std::string path = *folder + "/" + name;
            if (FitsSocketAddress(path)) {
                return path;
            }
        }
    }
    return "";
}

}  // namespace

struct SingleInstance::State {
    std::string folder;  // given by a test; otherwise chosen by Claim
    std::string path;
    int listening = -1;
    dev_t device = 0;  // of the socket file this instance made
    ino_t inode = 0;
};

std::string SingleInstanceName(std::string_view folder) {
    return SingleInstanceNameFor(std::to_string(::getuid()), folder);
}

std::optional<std::string> SingleInstanceFolder(const std::optional<std::string>& runtimeFolder,
                                                const std::string& tempRoot) {
    struct stat st {};
    if (runtimeFolder && !runtimeFolder->empty() && runtimeFolder->front() == '/' &&
        ::stat(runtimeFolder->c_str(), &st) == 0 && IsPrivateFolder(st)) {
        return *runtimeFolder;
    }
    const std::string own = tempRoot + "/moravel-" + std::to_string(::geteuid());
    if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
        return std::nullopt;
    }
    // Anyone may have made it first: trust it only as a folder of our own that nobody else can
    // enter, never through a link.
    if (::lstat(own.c_str(), &st) != 0 || !IsPrivateFolder(st)) {
        return std::nullopt;
    }
    return own;
}

SingleInstance::SingleInstance(std::string name)
    : name_(std::move(name)), state_(std::make_unique<State>()) {}

SingleInstance::SingleInstance(std::string name, std::string folder)
    : SingleInstance(std::move(name)) {
    state_->folder = std::move(folder);
}

SingleInstance::~SingleInstance() {
    if (state_->listening < 0) {
        return;
    }
    // Under the lock, so a start that found this socket dead and made its own keeps that one.
    const ClaimLock lock(state_->path + ".lock");
    struct stat st {};
    if (::lstat(state_->path.c_str(), &st) == 0 && st.st_dev == state_->device &&
        st.st_ino == state_->inode) {
        ::unlink(state_->path.c_str());
    }
    ::close(state_->listening);
}

InstanceClaim SingleInstance::Claim() {
    if (state_->listening >= 0) {
        return InstanceClaim::First;
    }
    state_->path = ChooseSocketPath(state_->folder, name_);
    if (state_->path.empty()) {
        return InstanceClaim::Failed;
    }
    const ClaimLock lock(state_->path + ".lock");
    if (!lock.held()) {
        return InstanceClaim::Failed;
    }
    switch (CallFirst(state_->path)) {
        case Call::Answered:
            return InstanceClaim::Running;
        case Call::Error:
            return InstanceClaim::Failed;
        case Call::Stale:
            ::unlink(state_->path.c_str());
            break;
        case Call::Nobody:
            break;
    }
    const int fd = ListenAt(state_->path);
    struct stat st {};
    if (fd < 0 || ::lstat(state_->path.c_str(), &st) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return InstanceClaim::Failed;
    }
    state_->listening = fd;
    state_->device = st.st_dev;
    state_->inode = st.st_ino;
    return InstanceClaim::First;
}

int SingleInstance::RequestDescriptor() const {
    return state_->listening;
}

int SingleInstance::TakeRequests() {
    int requests = 0;
    while (state_->listening >= 0) {
        const Descriptor call(::accept4(state_->listening, nullptr, nullptr, SOCK_CLOEXEC));
        if (call.get() < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            break;  // EAGAIN: nobody else is waiting
        }
        if (AsksToComeForward(call.get())) {
            ++requests;
        }
    }
    return requests;
}

const std::string& SingleInstance::SocketPath() const {
    return state_->path;
}

}  // namespace moravel
