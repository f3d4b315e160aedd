#include "core/cpu/CpuSampler.h"

#include "core/base/Strings.h"

namespace moravel {

std::int32_t HeldUsage(double usage) {
    if (!(usage > 0.0)) {
        return 0;  // NaN too
    }
    return usage >= 100.0 ? 100 : static_cast<std::int32_t>(usage);
}

std::int32_t UsageFromIdle(double idle, double span) {
    const double x = RoundHalfEven(100.0 * idle / span * 10000.0) / 10000.0;
    return HeldUsage(RoundHalfEven(100.0 - x));
}

std::int32_t UsageFromPercent(double percent) {
    return HeldUsage(RoundHalfEven(percent));
}

}  // namespace moravel
