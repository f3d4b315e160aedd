// The NT family's sampler: the system's idle time against the elapsed system time, both read
// through the native system-information query.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "core/cpu/CpuSampler.h"

namespace moravel {

// The native query as the sampler uses it; the real one lives in NtCpuInfo_win.cpp.
class NtSystemQuery {
  public:
    NtSystemQuery() = default;
    virtual ~NtSystemQuery() = default;
    NtSystemQuery(const NtSystemQuery&) = delete;
    NtSystemQuery& operator=(const NtSystemQuery&) = delete;

    // Fills `buffer` with the record of information class `infoClass`; the NT status, 0 = done.
    virtual std::int32_t Query(std::uint32_t infoClass, std::span<std::byte> buffer) = 0;
    // The number of logical processors whose idle times the performance record adds up.
    virtual std::int32_t ProcessorCount() = 0;
};

inline constexpr std::uint32_t kSystemPerformanceInformation = 2;
inline constexpr std::uint32_t kSystemTimeOfDayInformation = 3;
inline constexpr std::size_t kTimeOfDayRecordSize = 32;     // current system time at offset 8
inline constexpr std::size_t kPerformanceRecordSize = 312;  // idle time at offset 0

class NtCpuInfo final : public CpuSampler {
  public:
    explicit NtCpuInfo(std::unique_ptr<NtSystemQuery> query);

    // The usage in percent since the previous successful call; 0 on the first one, which only
    // records the counters. -1 when a query fails (the previous counters stay) or when no system
    // time passed or the clock went back (the counters start afresh from this call). The idle
    // time adds up all processors, so it is compared with the elapsed time of all of them.
    std::int32_t GetNtCpuUsage();

    std::int32_t Start() override { return GetNtCpuUsage(); }
    std::int32_t Sample() override { return GetNtCpuUsage(); }
    std::int32_t Stop() override { return 0; }

  private:
    std::unique_ptr<NtSystemQuery> query_;
    std::int64_t previousIdleTime_ = 0;
    std::int64_t previousSystemTime_ = 0;  // 0: no previous sample
    std::array<std::byte, kTimeOfDayRecordSize> timeOfDay_{};
    std::array<std::byte, kPerformanceRecordSize> performance_{};
};

// The real query (Windows only).
std::unique_ptr<NtSystemQuery> MakeNtSystemQuery();

}  // namespace moravel
