#include <windows.h>

#include "core/os/Clock.h"

namespace moravel {

std::int64_t SystemMonotonicClock::NowSeconds() {
    // The interrupt time without the time spent in sleep and hibernation, in 100-ns units.
    // (QueryPerformanceCounter and GetTickCount64 go on counting across a sleep.)
    ULONGLONG units = 0;
    QueryUnbiasedInterruptTime(&units);
    return static_cast<std::int64_t>(units / 10'000'000);
}

}  // namespace moravel
