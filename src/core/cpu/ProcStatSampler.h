// The Linux sampler: the kernel's processor times in /proc/stat.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

  private:
    std::optional<CpuTimes> Read();

    std::string path_;
    std::array<char, 1024> buffer_{};  // the first line is far shorter
    bool primed_ = false;
    CpuTimes previous_;
};

}  // namespace moravel
