// Wall-clock time in whole seconds, behind an interface so that tests can move it at will.
#pragma once

#include <cstdint>

namespace moravel {

class WallClock {
  public:
    WallClock() = default;
    virtual ~WallClock() = default;
    WallClock(const WallClock&) = delete;
    WallClock& operator=(const WallClock&) = delete;

    // Whole seconds since 1970-01-01 00:00 UTC, rounded down.
    virtual std::int64_t NowSeconds() = 0;
};

// The system's clock. UTC, so a change to or from summer time is no jump.
class SystemClock final : public WallClock {
  public:
    std::int64_t NowSeconds() override;
};

// A clock that stands wherever it is set.
class FakeClock final : public WallClock {
  public:
    std::int64_t NowSeconds() override { return now; }
    std::int64_t now = 0;
};

}  // namespace moravel
