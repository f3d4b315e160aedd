#include "core/cpu/NtCpuInfo.h"

#include <algorithm>
#include <utility>

namespace moravel {
namespace {

std::uint64_t UInt64At(std::span<const std::byte> record, std::size_t offset) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        value |= static_cast<std::uint64_t>(record[offset + i]) << (8 * i);
    }
    return value;
}

}  // namespace

NtCpuInfo::NtCpuInfo(std::unique_ptr<NtSystemQuery> query) : query_(std::move(query)) {}

bool NtCpuInfo::ReadIdleTime(std::uint64_t& idle, std::int32_t& processors) {
    const std::uint16_t groups = std::max<std::uint16_t>(query_->GroupCount(), 1);
    idle = 0;
    processors = 0;
    for (std::uint16_t group = 0; group < groups; ++group) {
        records_.fill(std::byte{0});
        std::uint32_t returned = 0;
        // With one group the plain query answers for all processors, also where the extended
        // query is missing (systems before processor groups, Wine).
        const std::int32_t status =
            groups == 1 ? query_->Query(kSystemProcessorPerformanceInformation, records_, returned)
                        : query_->QueryGroup(kSystemProcessorPerformanceInformation, group,
                                             records_, returned);
        const std::size_t count =
            std::min<std::size_t>(returned, records_.size()) / kProcessorRecordSize;
        if (status != 0 || count == 0) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            idle += UInt64At(records_, i * kProcessorRecordSize);  // wraps as the differences do
        }
        processors += static_cast<std::int32_t>(count);
    }
    return true;
}

std::int32_t NtCpuInfo::GetNtCpuUsage() {
    std::uint64_t idleTime = 0;
    std::int32_t processors = 0;
    if (!ReadIdleTime(idleTime, processors)) {
        return kSampleFailed;
    }
    const std::int64_t runningTime = query_->RunningTime();

    std::int32_t usage = 0;
    if (primed_ && processors == previousProcessors_) {
        const std::int64_t elapsed = runningTime - previousRunningTime_;
        if (elapsed <= 0) {
            return kSampleFailed;  // measured from the same counters next time
        }
        // In unsigned arithmetic: counters far apart must not overflow.
        const auto idle = static_cast<std::int64_t>(idleTime - previousIdleTime_);
        usage = UsageFromIdle(static_cast<double>(idle),
                              static_cast<double>(elapsed) * static_cast<double>(processors));
    } else if (primed_) {
        usage = kSampleFailed;  // idle times of other processors: nothing to compare with
    }
    primed_ = true;
    previousIdleTime_ = idleTime;
    previousRunningTime_ = runningTime;
    previousProcessors_ = processors;
    return usage;
}

}  // namespace moravel
