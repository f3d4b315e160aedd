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

bool NtCpuInfo::ReadIdleTimes(std::uint32_t infoClass) {
    static_assert(kIdleRecordSize <= kProcessorRecordSize);  // the buffer holds 64 of either
    const std::size_t recordSize =
        infoClass == kSystemProcessorIdleInformation ? kIdleRecordSize : kProcessorRecordSize;
    const std::uint16_t groups = std::max<std::uint16_t>(query_->GroupCount(), 1);
    // Room for full groups in both readings, made once: no allocation while sampling.
    const std::size_t room = std::size_t{groups} * kMaxGroupProcessors;
    idle_.reserve(room);
    previousIdle_.reserve(room);
    idle_.clear();
    for (std::uint16_t group = 0; group < groups; ++group) {
        records_.fill(std::byte{0});
        std::uint32_t returned = 0;
        // With one group the plain query answers for all processors, also where the extended
        // query is missing (systems before processor groups, Wine).
        const std::int32_t status = groups == 1
                                        ? query_->Query(infoClass, records_, returned)
                                        : query_->QueryGroup(infoClass, group, records_, returned);
        const std::size_t count = std::min<std::size_t>(returned, records_.size()) / recordSize;
        if (status != 0 || count == 0) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            idle_.push_back(UInt64At(records_, i * recordSize));
        }
    }
    return true;
}

std::int32_t NtCpuInfo::UsageSince(std::int64_t elapsed) const {
    double idle = 0;
    for (std::size_t i = 0; i < idle_.size(); ++i) {
        // In unsigned arithmetic: counters far apart must not overflow. No processor is idle
        // for less than none or more than all of the time that passed.
        const auto gathered = static_cast<std::int64_t>(idle_[i] - previousIdle_[i]);
        idle += static_cast<double>(std::clamp<std::int64_t>(gathered, 0, elapsed));
    }
    return UsageFromIdle(idle, static_cast<double>(elapsed) * static_cast<double>(idle_.size()));
}

void NtCpuInfo::ReadProcessors(bool on) {
    readProcessors_ = on;
    if (on) {
        usages_.assign(kMaxProcessors, kProcessorOffline);
    } else {
        usages_ = {};
    }
    processorCount_ = 0;
}

void NtCpuInfo::UpdateProcessors(bool comparable, std::int64_t elapsed) {
    const std::size_t count = std::min(idle_.size(), kMaxProcessors);
    processorCount_ = std::max(processorCount_, count);
    std::fill(usages_.begin(), usages_.begin() + static_cast<std::ptrdiff_t>(processorCount_),
              kProcessorOffline);
    if (!comparable) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const auto gathered = static_cast<std::int64_t>(idle_[i] - previousIdle_[i]);
        usages_[i] = static_cast<std::uint8_t>(
            UsageFromIdle(static_cast<double>(std::clamp<std::int64_t>(gathered, 0, elapsed)),
                          static_cast<double>(elapsed)));
    }
}

std::int32_t NtCpuInfo::GetNtCpuUsage() {
    std::uint32_t infoClass = kSystemProcessorIdleInformation;
    if (!ReadIdleTimes(infoClass)) {
        infoClass = kSystemProcessorPerformanceInformation;
        if (!ReadIdleTimes(infoClass)) {
            return kSampleFailed;
        }
    }
    const std::int64_t runningTime = query_->RunningTime();

    std::int32_t usage = 0;
    if (primed_ && idle_.size() == previousIdle_.size() && infoClass == previousClass_) {
        const std::int64_t elapsed = runningTime - previousRunningTime_;
        if (elapsed <= 0) {
            return kSampleFailed;  // measured from the same counters next time
        }
        usage = UsageSince(elapsed);
        if (readProcessors_) {
            UpdateProcessors(true, elapsed);
        }
    } else {
        if (primed_) {
            usage = kSampleFailed;  // idle times of other processors: nothing to compare with
        }
        if (readProcessors_) {
            UpdateProcessors(false, 0);
        }
    }
    primed_ = true;
    previousIdle_.swap(idle_);
    previousClass_ = infoClass;
    previousRunningTime_ = runningTime;
    return usage;
}

}  // namespace moravel
