#include <ctime>

#include "core/os/Clock.h"

namespace moravel {

std::int64_t SystemMonotonicClock::NowSeconds() {
    // CLOCK_MONOTONIC leaves out suspended time (CLOCK_BOOTTIME would count it) and is only
    // slewed, never stepped, by time adjustments.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec);
}

}  // namespace moravel
