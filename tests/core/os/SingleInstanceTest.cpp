#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#endif

#include "core/os/SingleInstance.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

namespace fs = std::filesystem;

TEST(SingleInstanceName, OnePerUserAndFolder) {
    // The folder's UTF-8 bytes are hashed as they are, trailing separator included.
    EXPECT_EQ(SingleInstanceNameFor("1000", "/opt/moravel/"), "moravel-1000-6b1604fbcd8d");
    EXPECT_EQ(SingleInstanceNameFor("1000", "/home/花子/Moravel/"), "moravel-1000-cf252c080340");
    EXPECT_NE(SingleInstanceNameFor("1001", "/opt/moravel/"),
              SingleInstanceNameFor("1000", "/opt/moravel/"));
    EXPECT_NE(SingleInstanceName("/opt/moravel/"), SingleInstanceName("/opt/moravel2/"));
}

// A folder only this user can enter, as the socket's folder must be.
class PrivateFolder : public ::testing::Test {
  protected:
    PrivateFolder() { fs::permissions(folder.path(), fs::perms::owner_all); }

    std::unique_ptr<SingleInstance> Start() {
        return std::make_unique<SingleInstance>(name, folder.path());
    }

    test::TempFolder folder;
    const std::string name = SingleInstanceNameFor("test", folder.path());
};

TEST_F(PrivateFolder, LaterStartsReachTheFirstUntilItEnds) {
    auto first = Start();
    ASSERT_EQ(first->Claim(), InstanceClaim::First);
    EXPECT_EQ(first->TakeRequests(), 0);  // nobody has called: it does not wait
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Start()->Claim(), InstanceClaim::Running);
    }
#ifndef _WIN32
    ASSERT_GE(first->RequestDescriptor(), 0);
    pollfd ready{first->RequestDescriptor(), POLLIN, 0};
    EXPECT_EQ(poll(&ready, 1, 1000), 1);
    EXPECT_EQ(first->TakeRequests(), 2);
    EXPECT_EQ(first->TakeRequests(), 0);
    EXPECT_TRUE(fs::is_socket(first->SocketPath()));  // the later starts left it alone
#endif
    const std::string path = first->SocketPath();
    first.reset();
    EXPECT_TRUE(path.empty() || !fs::exists(path));
    auto next = Start();
    EXPECT_EQ(next->Claim(), InstanceClaim::First);
}

#ifndef _WIN32

int Connect(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    return fd;
}

TEST_F(PrivateFolder, OnlyTheComeForwardByteCounts) {
    auto first = Start();
    ASSERT_EQ(first->Claim(), InstanceClaim::First);
    close(Connect(first->SocketPath()));  // says nothing
    const int other = Connect(first->SocketPath());
    ASSERT_EQ(write(other, "x", 1), 1);
    close(other);
    EXPECT_EQ(first->TakeRequests(), 0);
}

TEST_F(PrivateFolder, TheSocketOfAProgramThatDiedIsTakenOver) {
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance crashed(name, folder.path());
        _exit(crashed.Claim() == InstanceClaim::First ? 0 : 1);  // no clean-up, as in a crash
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::is_socket(folder.File(name)));  // left behind

    auto next = Start();
    EXPECT_EQ(next->Claim(), InstanceClaim::First);
    EXPECT_EQ(Start()->Claim(), InstanceClaim::Running);
    EXPECT_EQ(next->TakeRequests(), 1);
}

TEST_F(PrivateFolder, AFirstThatEndsRemovesOnlyItsOwnSocket) {
    auto first = Start();
    ASSERT_EQ(first->Claim(), InstanceClaim::First);
    fs::remove(first->SocketPath());  // say a clean-up of the folder took it
    auto second = Start();
    ASSERT_EQ(second->Claim(), InstanceClaim::First);
    first.reset();
    EXPECT_EQ(Start()->Claim(), InstanceClaim::Running);
    EXPECT_EQ(second->TakeRequests(), 1);
}

TEST_F(PrivateFolder, AStartDoesNotHangOnALockNobodyReleases) {
    const std::string lockPath = folder.File(name + ".lock");
    const int held = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(held, LOCK_EX), 0);  // as by a start stopped in a debugger
    EXPECT_EQ(Start()->Claim(), InstanceClaim::Failed);
    close(held);
    EXPECT_EQ(Start()->Claim(), InstanceClaim::First);
}

// Starts `count` processes at once; each claims the name. Prints one letter per start (F first,
// R running, X failed) and how many of them ended as the one that heard all the others.
struct Round {
    std::string claims;
    int heardAll = 0;
};

[[noreturn]] void SimultaneousStart(const std::string& name, const std::string& folder, int go,
                                    int results, int end) {
    char byte = 0;
    [[maybe_unused]] const ssize_t started = read(go, &byte, 1);  // all at once
    SingleInstance instance(name, folder);
    const InstanceClaim claim = instance.Claim();
    const char result = claim == InstanceClaim::First     ? 'F'
                        : claim == InstanceClaim::Running ? 'R'
                                                          : 'X';
    [[maybe_unused]] const ssize_t told = write(results, &result, 1);
    if (claim != InstanceClaim::First) {
        _exit(0);
    }
    [[maybe_unused]] const ssize_t ended = read(end, &byte, 1);  // the round is over
    _exit(instance.TakeRequests());  // and leaves its socket behind, as a crash would
}

Round StartAtOnce(const std::string& name, const std::string& folder, int count) {
    int go[2];
    int results[2];
    int end[2];
    if (pipe(go) != 0 || pipe(results) != 0 || pipe(end) != 0) {
        return {};
    }
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            close(go[1]);
            close(end[1]);
            SimultaneousStart(name, folder, go[0], results[1], end[0]);
        }
        children.push_back(child);
    }
    close(go[0]);
    close(go[1]);  // go
    close(results[1]);
    Round round;
    char result = 0;
    while (round.claims.size() < static_cast<std::size_t>(count) &&
           read(results[0], &result, 1) == 1) {
        round.claims += result;
    }
    close(end[1]);
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        round.heardAll += WIFEXITED(status) && WEXITSTATUS(status) == count - 1 ? 1 : 0;
    }
    close(results[0]);
    close(end[0]);
    return round;
}

TEST_F(PrivateFolder, OfManySimultaneousStartsExactlyOneRuns) {
    constexpr int kStarts = 15;
    // Every round after the first begins with the socket the last round's first left behind.
    for (int i = 0; i < 10; ++i) {
        const Round round = StartAtOnce(name, folder.path(), kStarts);
        ASSERT_EQ(std::count(round.claims.begin(), round.claims.end(), 'F'), 1) << round.claims;
        ASSERT_EQ(std::count(round.claims.begin(), round.claims.end(), 'R'), kStarts - 1);
        ASSERT_EQ(round.heardAll, 1);
    }
}

// The folder for the sockets: the runtime folder when it is private, else our own under the
// temporary root, trusted only when it is private too.
TEST(SingleInstanceFolder, TrustsOnlyPrivateFoldersOfOurOwn) {
    test::TempFolder runtime;
    test::TempFolder temp;
    const std::string own = temp.File("moravel-" + std::to_string(geteuid()));
    ASSERT_EQ(chmod(runtime.path().c_str(), 0700), 0);
    EXPECT_EQ(SingleInstanceFolder(runtime.path(), temp.path()), runtime.path());
    EXPECT_FALSE(fs::exists(own));

    ASSERT_EQ(chmod(runtime.path().c_str(), 0755), 0);
    EXPECT_EQ(SingleInstanceFolder(runtime.path(), temp.path()), own);
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);  // made private
    EXPECT_EQ(SingleInstanceFolder("relative/run", temp.path()), own);
    EXPECT_EQ(SingleInstanceFolder(std::nullopt, temp.path()), own);  // found again

    ASSERT_EQ(chmod(own.c_str(), 0770), 0);  // someone opened it to a group
    EXPECT_EQ(SingleInstanceFolder(std::nullopt, temp.path()), std::nullopt);

    fs::remove(own);
    fs::create_symlink(runtime.path(), own);  // a link, even to a folder of ours
    ASSERT_EQ(chmod(runtime.path().c_str(), 0700), 0);
    EXPECT_EQ(SingleInstanceFolder(std::nullopt, temp.path()), std::nullopt);
    fs::remove(own);

    ASSERT_EQ(chmod(temp.path().c_str(), 0755), 0);
    SingleInstance open(SingleInstanceNameFor("test", "/x/"), temp.path());
    EXPECT_EQ(open.Claim(), InstanceClaim::Failed);
    EXPECT_EQ(open.RequestDescriptor(), -1);
}

TEST(SingleInstanceFolder, RefusesAFolderOfAnotherUser) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give a folder to another user";
    }
    test::TempFolder temp;
    const std::string own = temp.File("moravel-0");
    ASSERT_EQ(mkdir(own.c_str(), 0700), 0);
    ASSERT_EQ(chown(own.c_str(), 65534, 65534), 0);
    EXPECT_EQ(SingleInstanceFolder(std::nullopt, temp.path()), std::nullopt);
    test::TempFolder runtime;
    ASSERT_EQ(chmod(runtime.path().c_str(), 0700), 0);
    ASSERT_EQ(chown(runtime.path().c_str(), 65534, 65534), 0);
    EXPECT_EQ(SingleInstanceFolder(runtime.path(), temp.path()), std::nullopt);
}

#endif

}  // namespace
}  // namespace moravel
