#include "core/cpu/NtCpuInfo.h"

#include <cstring>
#include <utility>

namespace moravel {
namespace {

std::int64_t Int64At(std::span<const std::byte> record, std::size_t offset) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        value |= static_cast<std::uint64_t>(record[offset + i]) << (8 * i);
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

NtCpuInfo::NtCpuInfo(std::unique_ptr<NtSystemQuery> query) : query_(std::move(query)) {}

std::int32_t NtCpuInfo::GetNtCpuUsage() {
    timeOfDay_.fill(std::byte{0});
    if (query_->Query(kSystemTimeOfDayInformation, timeOfDay_) != 0) {
        return kSampleFailed;
    }
    performance_.fill(std::byte{0});
    if (query_->Query(kSystemPerformanceInformation, performance_) != 0) {
        return kSampleFailed;
    }
    const std::int64_t systemTime = Int64At(timeOfDay_, 8);
    const std::int64_t idleTime = Int64At(performance_, 0);

    std::int32_t usage = 0;
    if (previousSystemTime_ != 0) {
        // Differences in unsigned arithmetic: counters far apart must not overflow.
        const auto elapsed =
            static_cast<std::int64_t>(static_cast<std::uint64_t>(systemTime) -
                                      static_cast<std::uint64_t>(previousSystemTime_));
        const auto idle = static_cast<std::int64_t>(static_cast<std::uint64_t>(idleTime) -
                                                    static_cast<std::uint64_t>(previousIdleTime_));
        if (elapsed <= 0) {
            usage = kSampleFailed;
        } else {
            const std::int32_t processors = query_->ProcessorCount();
            usage = UsageFromIdle(static_cast<double>(idle),
                                  static_cast<double>(elapsed) * (processors > 1 ? processors : 1));
        }
    }
    previousIdleTime_ = idleTime;
    previousSystemTime_ = systemTime;
    return usage;
}

}  // namespace moravel
