#include "core/os/Clock.h"

#include <chrono>

namespace moravel {

std::int64_t SystemClock::NowSeconds() {
    const auto now = std::chrono::system_clock::now();
    return std::chrono::floor<std::chrono::seconds>(now.time_since_epoch()).count();
}

}  // namespace moravel
