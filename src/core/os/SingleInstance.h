// One running program per user and program folder. A second start asks the first to come
// forward and ends.
//
// POSIX: the first start listens on a stream socket in a folder only its user can enter
// ($XDG_RUNTIME_DIR, or a private folder under /tmp); a later start connects, sends one byte and
// ends. A socket file left by a program that died answers nobody and is replaced. Starts are
// serialised by a lock on a file beside the socket, so of two simultaneous starts exactly one
// listens.
//
// Windows: a named mutex per user and folder tells whether the first runs; the front end finds
// the first's window itself (SingleInstanceName gives it a name to look for).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

// "moravel-<user>-<the first 12 hexadecimal digits of the SHA-1 of the folder's UTF-8 bytes>".
std::string SingleInstanceNameFor(std::string_view user, std::string_view folder);
// The name for `folder` and the user running this program (the user id on POSIX, the user name
// on Windows).
std::string SingleInstanceName(std::string_view folder);

enum class InstanceClaim {
    First,    // no other one runs: this one now answers later starts
    Running,  // another one runs (on POSIX it has been asked to come forward): end this one
    Failed,   // neither could be found out; the program runs without the check
};

class SingleInstance {
  public:
    // `name` from SingleInstanceName.
    explicit SingleInstance(std::string name);
    // POSIX: the socket goes in `folder` itself, which must be private (tests).
    SingleInstance(std::string name, std::string folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    InstanceClaim Claim();

    // POSIX, after Claim gave First: the descriptor that becomes readable when a later start
    // calls; -1 otherwise and on Windows.
    int RequestDescriptor() const;
    // Takes the calls waiting on RequestDescriptor without blocking; the result says how many
    // asked to come forward.
    int TakeRequests();

    // The socket file's path (POSIX; "" until Claim chose a folder, and on Windows).
    const std::string& SocketPath() const;

  private:
    struct State;
    std::string name_;
    std::unique_ptr<State> state_;
};

#ifndef _WIN32
// POSIX: the private folder for the socket files: `runtimeFolder` when it is given, a folder,
// owned by this user and closed to everyone else; otherwise "<tempRoot>/moravel-<user id>",
// made when missing and trusted only when it is a real folder (not a link) with those same
// properties. Nothing when neither holds.
std::optional<std::string> SingleInstanceFolder(const std::optional<std::string>& runtimeFolder,
                                                const std::string& tempRoot);
#endif

}  // namespace moravel
