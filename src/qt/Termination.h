#pragma once

#include <functional>

namespace moravel {

// Runs `onTerminate` on the UI thread when the program is asked to end from outside (SIGTERM,
// SIGINT, SIGHUP on POSIX), so it can shut down as its exit command does.
void InstallTerminationHandler(std::function<void()> onTerminate);

}  // namespace moravel
