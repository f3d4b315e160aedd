// The total CPU usage of the machine, read once a second by the sampling cycle.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "core/cpu/UsageFigure.h"

namespace moravel {

// The result of every sampler operation that failed.
inline constexpr std::int32_t kSampleFailed = -1;

// What the program says, and then ends, when the usage cannot be read at start-up.
inline constexpr std::string_view kCpuUsageFailureText = "CPU使用率の取得に失敗しました。";

// A processor's reading when it has none: it is offline, has just come back, or its counters
// could not be compared with the previous ones.
inline constexpr std::uint8_t kProcessorOffline = 0xFF;
// The most processors read one by one; those numbered beyond are not shown.
inline constexpr std::size_t kMaxProcessors = 256;

// One sampler per program, used from the UI thread only.
class CpuSampler {
  public:
    CpuSampler() = default;
    virtual ~CpuSampler() = default;
    CpuSampler(const CpuSampler&) = delete;
    CpuSampler& operator=(const CpuSampler&) = delete;

    // Makes the sampler ready: 0, or a negative value when the usage cannot be read at all.
    virtual std::int32_t Start() = 0;
    // The usage since the previous call in percent, 0..100; a negative value only when the
    // reading failed or gave no usage at all (no time passed), and the caller skips it.
    virtual std::int32_t Sample() = 0;
    // Releases what Start took: 0, or -1 when that failed.
    virtual std::int32_t Stop() = 0;
    // True while the readings are processor time standing in for a figure asked for that cannot
    // be read.
    virtual bool FellBack() const { return false; }

    // Each processor one by one. Whether this sampler can read them (the Windows 9x statistic has
    // only a total).
    virtual bool OffersProcessors() const { return false; }
    // From the next Sample on, reads each processor beside the total (true) or stops (false);
    // nothing is read per processor while it is off. The first reading after it is turned on may
    // give every processor kProcessorOffline.
    virtual void ReadProcessors(bool /*on*/) {}
    // The readings of the last Sample that gave a total, in the system's numbering of the
    // processors: 0..100, or kProcessorOffline. Empty while not read; as long as the highest
    // processor ever seen (at most kMaxProcessors), so a processor that goes offline keeps its
    // place.
    virtual std::span<const std::uint8_t> Processors() const { return {}; }
};

// Whether the system's sampler reads each processor (OffersProcessors): not the Windows 9x
// statistic.
bool ProcessorsOffered();

// The sampler of the system the program runs on: processor time.
std::unique_ptr<CpuSampler> MakeCpuSampler();
// The same, of the figure `asked` names where the system offers a choice (UsageFiguresOffered);
// `asked` is read while the sampler runs and must outlive it.
std::unique_ptr<CpuSampler> MakeCpuSampler(const UsageFigure& asked);

// A successful reading, a whole number, as the history keeps it: below 0 is 0 and above 100 is 100.
// Every sampler passes what it read through here, so that only a failed reading is negative: a
// small negative value is an idle machine whose counters were read a moment apart, not a failure.
std::int32_t HeldUsage(double usage);

// The usage over an interval in which the processors were idle for `idle` out of `span` (both
// in the same units, summed over all processors): x = 100 * idle / span kept to four decimals,
// then 100 - x to the nearest integer, halves to even, held to 0..100 (HeldUsage). `span` must be
// positive.
std::int32_t UsageFromIdle(double idle, double span);

// A reading given in percent (processor utility, which may pass 100 while the processors run
// above their base frequency): to the nearest integer, halves to even, held to 0..100.
std::int32_t UsageFromPercent(double percent);

}  // namespace moravel
