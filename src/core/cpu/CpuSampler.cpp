#include "core/cpu/CpuSampler.h"

#include <limits>

#include "core/base/Strings.h"

namespace moravel {

std::int32_t UsageFromIdle(double idle, double span) {
    const double x = RoundHalfEven(100.0 * idle / span * 10000.0) / 10000.0;
    const double usage = RoundHalfEven(100.0 - x);
    if (usage > 100.0) {
        return 100;
    }
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(usage < kLowest ? kLowest : usage);
}

}  // namespace moravel
