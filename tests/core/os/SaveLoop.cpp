// Saves a large file through the program's atomic replace (what WriteTextFile does once the text is
// in CP932) again and again, slowed down so that a kill lands inside a save: every write to a file
// writes at most 2 KiB and waits a little first, and every fsync waits too. The interrupted-save
// test kills it at random moments.
// Usage: save_loop TARGET PROGRESS FIRST   (saves FIRST, FIRST + 1, ... as SaveLoopBytes)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "SaveLoop.h"
#include "core/os/FileSystem.h"

namespace {

constexpr std::size_t kChunk = 2048;
constexpr useconds_t kWriteDelay = 100;
constexpr useconds_t kSyncDelay = 500;

// Volatile: every store is made, in order, before a kill can come.
volatile moravel::test::SaveLoopProgress* gProgress = nullptr;

bool IsRegularFile(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

// These replace the C library's for this program only, the writer's calls included.
extern "C" ssize_t write(int fd, const void* data, std::size_t size) {
    if (gProgress == nullptr || !IsRegularFile(fd)) {
        return ::syscall(SYS_write, fd, data, size);
    }
    ::usleep(kWriteDelay);
    const long n = ::syscall(SYS_write, fd, data, std::min(size, kChunk));
    if (n > 0) {
        gProgress->bytes = gProgress->bytes + static_cast<std::uint64_t>(n);
    }
    return n;
}

extern "C" int fsync(int fd) {
    ::usleep(kSyncDelay);
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    const std::string target = argv[1];
    const int fd = ::open(argv[2], O_RDWR);
    void* shared = ::mmap(nullptr, sizeof(moravel::test::SaveLoopProgress), PROT_READ | PROT_WRITE,
                          MAP_SHARED, fd, 0);
    if (fd < 0 || shared == MAP_FAILED) {
        return 2;
    }
    auto* progress = static_cast<volatile moravel::test::SaveLoopProgress*>(shared);
    for (std::uint64_t n = std::strtoull(argv[3], nullptr, 10);; ++n) {
        const std::string bytes = moravel::test::SaveLoopBytes(n);
        progress->wholeLength = static_cast<std::uint32_t>(bytes.size());
        progress->bytes = 0;
        progress->saving = 1;
        gProgress = progress;
        if (!moravel::ReplaceFileContents(target, bytes)) {
            return 1;
        }
        gProgress = nullptr;
        // Counted before `saving` drops: a kill in between still finds this save's file.
        progress->saved = progress->saved + 1;
        progress->saving = 0;
    }
}
