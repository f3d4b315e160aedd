// The NT family's sampler: the idle time of every processor against the time the machine ran,
// both read through the native system-information query.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/cpu/CpuSampler.h"

namespace moravel {

// The native query as the sampler uses it; the real one lives in NtCpuInfo_win.cpp.
class NtSystemQuery {
  public:
    NtSystemQuery() = default;
    virtual ~NtSystemQuery() = default;
    NtSystemQuery(const NtSystemQuery&) = delete;
    NtSystemQuery& operator=(const NtSystemQuery&) = delete;

    // NtQuerySystemInformation: fills `buffer` with the records of information class
    // `infoClass` and sets `returned` to the bytes written. The NT status, 0 = done. Per-processor
    // records come for the processor group of the calling thread only.
    virtual std::int32_t Query(std::uint32_t infoClass, std::span<std::byte> buffer,
                               std::uint32_t& returned) = 0;
    // NtQuerySystemInformationEx with a processor group number as its input: the per-processor
    // records of that group.
    virtual std::int32_t QueryGroup(std::uint32_t infoClass, std::uint16_t group,
                                    std::span<std::byte> buffer, std::uint32_t& returned) = 0;
    // The number of processor groups: 1 up to 64 logical processors, more beyond.
    virtual std::uint16_t GroupCount() = 0;
    // The unbiased interrupt time in 100-ns units: it runs only while the machine runs (not in
    // sleep or hibernation) and does not follow changes of the date and time.
    virtual std::int64_t RunningTime() = 0;
};

inline constexpr std::uint32_t kSystemProcessorPerformanceInformation = 8;
// One processor's record: idle time (8 bytes, 100-ns units) at offset 0, then kernel, user, DPC
// and interrupt times and the interrupt count.
inline constexpr std::size_t kProcessorRecordSize = 48;
// The idle information, since Windows XP: one processor's record holds its idle time (8 bytes,
// 100-ns units) at offset 0, then the C1, C2 and C3 times (8 bytes each), their three transition
// counts (4 bytes each) and 4 bytes of padding. Its idle time is right where the performance
// record's runs far ahead (Windows 11 22H2 and 23H2).
inline constexpr std::uint32_t kSystemProcessorIdleInformation = 42;
inline constexpr std::size_t kIdleRecordSize = 48;
inline constexpr std::size_t kMaxGroupProcessors = 64;

class NtCpuInfo final : public CpuSampler {
  public:
    explicit NtCpuInfo(std::unique_ptr<NtSystemQuery> query);

    // The usage in percent since the previous successful call; 0 on the first one, which only
    // records the counters. Each processor's idle time comes from the idle information, or from
    // the performance information where that cannot be read (the query fails or answers no
    // records in some group), one of them for all processors of a reading. The idle time each
    // processor gathered since the previous call, held to 0..the running time passed (the
    // counters are read a moment apart from each other and from the running time), is added up
    // and compared with the running time passed times the number of processors: neither a sleep
    // nor a change of the date and time counts. -1 when both queries fail (the previous counters
    // stay), when no running time passed (likewise), or when the number of processors or the
    // information read changed (the counters start afresh from this call).
    std::int32_t GetNtCpuUsage();

    std::int32_t Start() override { return GetNtCpuUsage(); }
    std::int32_t Sample() override { return GetNtCpuUsage(); }
    std::int32_t Stop() override { return 0; }

    // Each processor from the same records as the total, numbered group after group: its idle
    // time against the running time passed, as the total.
    bool OffersProcessors() const override { return true; }
    void ReadProcessors(bool on) override;
    std::span<const std::uint8_t> Processors() const override {
        return {usages_.data(), processorCount_};
    }

  private:
    // Every processor's idle time from the records of `infoClass` into idle_, group after group;
    // false when a query fails or answers no processor.
    bool ReadIdleTimes(std::uint32_t infoClass);
    // The usage from idle_ against the previous counters, `elapsed` > 0 running time later.
    std::int32_t UsageSince(std::int64_t elapsed) const;
    // Each processor's usage from the same counters; with `comparable` false (the first reading,
    // processors or records changed) every processor has none.
    void UpdateProcessors(bool comparable, std::int64_t elapsed);

    std::unique_ptr<NtSystemQuery> query_;
    bool primed_ = false;
    std::vector<std::uint64_t> idle_;  // per processor, this reading
    std::vector<std::uint64_t> previousIdle_;
    std::uint32_t previousClass_ = 0;
    std::int64_t previousRunningTime_ = 0;
    std::array<std::byte, kProcessorRecordSize * kMaxGroupProcessors> records_{};
    bool readProcessors_ = false;
    std::vector<std::uint8_t> usages_;  // kMaxProcessors, made when asked for
    std::size_t processorCount_ = 0;
};

// The real query (Windows only).
std::unique_ptr<NtSystemQuery> MakeNtSystemQuery();

}  // namespace moravel
