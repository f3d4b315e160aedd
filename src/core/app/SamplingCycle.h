// The usage history and the one-second tick that fills it: the main window owns one of these,
// starts it when it loads, calls Tick() from its timer and stops it when it closes. The renderer
// reads the history members directly.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/Settings.h"
#include "core/cpu/CpuSampler.h"
#include "core/os/Clock.h"
#include "core/render/HistoryView.h"

namespace moravel {

inline constexpr std::string_view kTestDataFileName = "TestData.dat";

class SamplingCycle {
  public:
    // Called every `Cycle` appending ticks with the newest usage.
    using RefreshDisplay = std::function<void(std::int32_t usage)>;

    // `clock` and `settings` must outlive the cycle; `settings.Cycle` is read on every tick.
    SamplingCycle(std::unique_ptr<CpuSampler> sampler, MonotonicClock& clock,
                  const SettingsRecord& settings, RefreshDisplay refresh);
    SamplingCycle(const SamplingCycle&) = delete;
    SamplingCycle& operator=(const SamplingCycle&) = delete;

    // The history: a ring of HistoryCount per-second samples in percent (0..100). HistoryPos is
    // the slot the next sample goes to; the newest is at PrevIndex(HistoryPos).
    std::int32_t HistoryCount = 0;
    std::vector<std::int32_t> UsageHistory;
    std::int32_t HistoryPos = 0;
    // The second of the newest sample, on the clock of the running machine.
    std::int64_t LastSampleTime = 0;
    // Appending ticks since the last refresh.
    std::int32_t RedrawCounter = 0;
    // Samples appended since sampling started, gaps included.
    std::uint64_t Appended = 0;

    // Each processor's history beside it, while it is read (ReadProcessors): ProcessorCount rows
    // of HistoryCount bytes, one row per processor in the sampler's numbering, the slots written
    // with the total's (0..100, or kProcessorOffline where a processor had no reading). Empty
    // while not read.
    std::int32_t ProcessorCount = 0;
    std::vector<std::uint8_t> ProcessorHistory;

    std::int32_t PrevIndex(std::int32_t i) const { return i - 1 < 0 ? HistoryCount - 1 : i - 1; }
    std::int32_t NextIndex(std::int32_t i) const { return i + 1 >= HistoryCount ? 0 : i + 1; }

    // The history as the renderer reads it; valid until the history is sized again.
    HistoryView History() const { return {UsageHistory.data(), HistoryCount, &HistoryPos}; }
    ProcessorHistoryView Processors() const {
        return {ProcessorHistory.data(), ProcessorCount, HistoryCount, &HistoryPos};
    }
    // Reads each processor from the next tick on (true: the sampler must offer them), or stops
    // and drops their history (false). The rows are made when the first readings come (all 0, as
    // the total's) and grow when a processor numbered higher than any before comes online
    // (without readings before it); no other tick allocates.
    void ReadProcessors(bool on);
    bool ReadsProcessors() const { return readProcessors_; }
    // The busiest processor of the newest samples and its usage; {-1, -1} when none has a reading.
    std::pair<std::int32_t, std::int32_t> Busiest() const;

    // The newest sample (0 before any).
    std::int32_t Newest() const;
    // The newest sample is taken to be from now: the seconds before do not count as missed.
    void RestartClock() { LastSampleTime = clock_.NowSeconds(); }

    // Sizes the history to `slots` samples, all 0 (at least one slot; the screen width in the
    // program), starts the sampler and takes the time. 0, or -1 when the sampler cannot start:
    // the program then shows kCpuUsageFailureText and ends.
    std::int32_t StartSampling(std::int32_t slots);

    // The timer's work, once a second. Reads the usage u; a failed reading ends the tick. Then
    // appends one sample per whole second the machine ran since the newest sample (none within
    // the same second), the last of them u: a sleep or a change of the date and time is no
    // elapsed time, so the tick after it appends one sample. Missed seconds count as fully busy and
    // the samples at the edges of a gap are blended halfway, p being the newest stored sample:
    // after 2 seconds (p + u) / 2, u; after c >= 3 seconds p / 2 + 50, 100 (c - 3 times),
    // u / 2 + 50, u. A gap longer than the history writes only the slots that exist, ending
    // exactly as the whole run would. Every `Cycle` appending ticks (first on the Cycle + 1-th)
    // it calls the refresh with u. Ticks before StartSampling or after StopSampling do nothing.
    void Tick();

    // Releases the sampler (the Windows 9x statistic is stopped); later ticks do nothing.
    void StopSampling();
    const CpuSampler& Sampler() const { return *sampler_; }

    // A saved history, such as moravel-tool sample writes: one usage per line, each ended by CR
    // LF, blanks around it allowed; a decimal number (sign, fraction, exponent) or &H
    // hexadecimal, taken to the nearest integer (halves to even) and held to 0..100. Fills the
    // slots from 0 until the history is full, the text ends, a line lacks its CR LF or is not
    // a number; HistoryPos = count mod HistoryCount. Returns the count. Needs a sized history.
    // While each processor is read, the lines are those of ReadProcessorHistoryText and each
    // processor's history is filled too.
    std::int32_t LoadTestData(std::string_view text);
    // The same, read from a file in the ANSI code page (missing: nothing read).
    std::int32_t LoadTestDataFile(const std::string& path);

  private:
    // Appends the `count` samples of one tick.
    void Append(std::int32_t usage, std::uint64_t count);
    // The same for each processor, from the sampler's readings, before HistoryPos moves on.
    void AppendProcessors(std::uint64_t count);

    std::unique_ptr<CpuSampler> sampler_;
    MonotonicClock& clock_;
    const SettingsRecord& settings_;
    RefreshDisplay refresh_;
    bool running_ = false;
    bool readProcessors_ = false;
};

// A saved history larger than this is not read (no screen is that wide).
inline constexpr std::uintmax_t kMaxTestDataBytes = std::uintmax_t{16} * 1024 * 1024;

// Reads a saved history into `slots` from slot 0, by the rules of LoadTestData; returns how many
// slots were filled.
std::int32_t ReadHistoryText(std::string_view text, std::span<std::int32_t> slots);

// A saved history of each processor, as moravel-tool sample --per-processor writes it: each line
// the total, then every processor's usage, separated by commas (an empty field is a processor
// without a reading), ended by CR LF. The number of processors is the most fields a line has
// after the total, at most kMaxProcessors. Reads the totals into `totals` as ReadHistoryText
// reads its lines and, when `processors` is given, makes it that many rows of totals.size()
// slots, each processor's usage in its row (kProcessorOffline where a line has none). Returns
// the lines read and sets `processorCount`.
std::int32_t ReadProcessorHistoryText(std::string_view text, std::span<std::int32_t> totals,
                                      std::vector<std::uint8_t>* processors,
                                      std::int32_t& processorCount);

// ProgramFolder() + "TestData.dat": in the user's folder.
std::string TestDataFilePath();

}  // namespace moravel
