#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

#include <QSocketNotifier>

#include "qt/Termination.h"

namespace moravel {
namespace {

int gSignalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &byte, 1);
}

}  // namespace

void InstallTerminationHandler(std::function<void()> onTerminate) {
    if (gSignalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [onTerminate = std::move(onTerminate)] {
                         char byte = 0;
                         [[maybe_unused]] const ssize_t n = ::read(gSignalPipe[0], &byte, 1);
                         onTerminate();
                     });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace moravel
