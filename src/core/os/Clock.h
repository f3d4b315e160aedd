// The clock that measures the time between two ticks, behind an interface so that tests can move
// it at will.
#pragma once

#include <cstdint>

namespace moravel {

// Time that passes only while the machine runs. It stands still while the machine sleeps or
// hibernates and does not follow changes of the date and time, so neither reads as elapsed time.
class MonotonicClock {
  public:
    MonotonicClock() = default;
    virtual ~MonotonicClock() = default;
    MonotonicClock(const MonotonicClock&) = delete;
    MonotonicClock& operator=(const MonotonicClock&) = delete;

    // Whole seconds of running since some fixed moment (the machine's start), rounded down.
    virtual std::int64_t NowSeconds() = 0;
};

// The system's clock: CLOCK_MONOTONIC on Linux, the unbiased interrupt time on Windows.
class SystemMonotonicClock final : public MonotonicClock {
  public:
    std::int64_t NowSeconds() override;
};

}  // namespace moravel
