// A save killed at any moment (kill -9, a power cut as the program sees it) leaves the old file or
// the new one, whole: the save loop saves a large file again and again, slowed down, and is killed
// 200 times at random moments inside its saves.
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "SaveLoop.h"
#include "core/os/FileSystem.h"
#include "support/TempFolder.h"

namespace moravel::test {
namespace {

using namespace std::chrono_literals;

// The shared page the loop reports its progress in.
class ProgressPage {
  public:
    explicit ProgressPage(const std::string& path) : path_(path) {
        WriteBytes(path, std::string(sizeof(SaveLoopProgress), '\0'));
        fd_ = ::open(path.c_str(), O_RDWR);
        void* p =
            ::mmap(nullptr, sizeof(SaveLoopProgress), PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
        page_ = p == MAP_FAILED ? nullptr : static_cast<volatile SaveLoopProgress*>(p);
    }
    ~ProgressPage() {
        if (page_ != nullptr) {
            ::munmap(const_cast<SaveLoopProgress*>(page_), sizeof(SaveLoopProgress));
        }
        ::close(fd_);
    }
    ProgressPage(const ProgressPage&) = delete;
    ProgressPage& operator=(const ProgressPage&) = delete;

    const std::string& path() const { return path_; }
    volatile SaveLoopProgress* operator->() { return page_; }
    bool ok() const { return page_ != nullptr; }

  private:
    std::string path_;
    int fd_ = -1;
    volatile SaveLoopProgress* page_ = nullptr;
};

pid_t StartLoop(const std::string& target, const std::string& progress, std::uint64_t first) {
    const std::string number = std::to_string(first);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl(MORAVEL_SAVE_LOOP, MORAVEL_SAVE_LOOP, target.c_str(), progress.c_str(),
                number.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// Waits until the loop's first save is under way; false if it died or never got there.
bool WaitForFirstSave(ProgressPage& progress, pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (progress->saving == 0 && progress->saved == 0) {
        if (std::chrono::steady_clock::now() > deadline || ::waitpid(pid, nullptr, WNOHANG) != 0) {
            return false;
        }
        std::this_thread::sleep_for(100us);
    }
    return true;
}

TEST(InterruptedSave, AKilledSaveLeavesTheOldFileOrTheNewOneWhole) {
    TempFolder folder;
    const std::string target = folder.File("Moravel.tm");
    ProgressPage progress(folder.File("progress"));
    ASSERT_TRUE(progress.ok());
    std::uint64_t held = 0;  // the save number the target holds
    ASSERT_TRUE(ReplaceFileContents(target, SaveLoopBytes(held)));

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> moment(0, 20000);  // microseconds: about two saves
    int midWrite = 0;
    for (int kill = 0; kill < 200; ++kill) {
        progress->saved = 0;
        progress->saving = 0;
        progress->bytes = 0;
        const pid_t pid = StartLoop(target, progress.path(), held + 1);
        ASSERT_GT(pid, 0);
        ASSERT_TRUE(WaitForFirstSave(progress, pid)) << "the save loop did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ASSERT_EQ(::kill(pid, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop ended by itself, status " << status;

        // The saves finished before the kill, and the one it cut short (if any).
        const std::uint64_t old = held + progress->saved;
        const bool saving = progress->saving != 0;
        if (saving && progress->bytes > 0 && progress->bytes < progress->wholeLength) {
            ++midWrite;
        }
        const std::string bytes = ReadBytes(target);
        if (bytes == SaveLoopBytes(old)) {
            held = old;
        } else if (saving && bytes == SaveLoopBytes(old + 1)) {
            held = old + 1;
        } else {
            FAIL() << "kill " << kill << ": the file is neither save " << old << " nor the next ("
                   << bytes.size() << " bytes, " << progress->bytes << " of the save written)";
        }
    }
    // The kills did land inside the writing, not only between saves.
    EXPECT_GE(midWrite, 50);
    RecordProperty("kills_in_mid_write", midWrite);
}

}  // namespace
}  // namespace moravel::test
