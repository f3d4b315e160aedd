// The Linux sampler: the kernel's processor times in /proc/stat.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/cpu/CpuSampler.h"

namespace moravel {

struct CpuTimes {
    std::uint64_t idle = 0;   // idle + iowait
    std::uint64_t total = 0;  // user + nice + system + idle + iowait + irq + softirq + steal
};

// The aggregate "cpu" line that starts the text of /proc/stat. Guest time is already counted in
// user and nice, so it is not added again. At least user, nice, system and idle must be there;
// the fields an older kernel does not write count as 0.
std::optional<CpuTimes> ParseProcStat(std::string_view text);

// One processor's times in a reading; a processor without a line is offline.
struct ProcessorTimes {
    CpuTimes times;
    bool online = false;
};

// The "cpuN" lines that follow the aggregate line, read into `processors` by their number N
// (numbers may have gaps: the kernel lists online processors only). Every processor without a
// well-formed line is offline; lines numbered past the end of `processors` are skipped. Reading
// stops at the first line that is not a processor's. Returns the highest number read plus one
// (0 when there is none).
std::size_t ParseProcStatProcessors(std::string_view text, std::span<ProcessorTimes> processors);

class ProcStatSampler final : public CpuSampler {
  public:
    explicit ProcStatSampler(std::string path = "/proc/stat");

    // The first successful reading only records the times and gives 0. Afterwards: the usage
    // of all processors together since the previous reading. A failed reading gives -1 and
    // keeps the previous times; a reading in which no time passed, or the times went back,
    // gives -1 and starts afresh from it.
    std::int32_t Sample() override;
    std::int32_t Start() override { return Sample(); }
    std::int32_t Stop() override { return 0; }

    // Each processor from the same reading as the total: the whole list of processor lines is
    // read then, into room made when they are asked for.
    bool OffersProcessors() const override { return true; }
    void ReadProcessors(bool on) override;
    std::span<const std::uint8_t> Processors() const override {
        return {usages_.data(), processorCount_};
    }

  private:
    // The text read, or nullopt when the file could not be read.
    std::optional<std::string_view> Read();
    void UpdateProcessors(std::string_view text);

    std::string path_;
    std::array<char, 1024> buffer_{};  // the first line is far shorter
    bool primed_ = false;
    CpuTimes previous_;

    // While each processor is read: the whole processor list's text, this reading's and the
    // previous reading's times, and the usages.
    bool readProcessors_ = false;
    std::vector<char> listBuffer_;
    std::vector<ProcessorTimes> times_;
    std::vector<ProcessorTimes> previousTimes_;
    std::vector<std::uint8_t> usages_;
    std::size_t processorCount_ = 0;
};

}  // namespace moravel
