// A clock that stands wherever it is set, for tests and benchmarks.
#pragma once

#include <cstdint>

#include "core/os/Clock.h"

namespace moravel {

class FakeClock final : public MonotonicClock {
  public:
    std::int64_t NowSeconds() override { return now; }
    std::int64_t now = 0;
};

}  // namespace moravel
