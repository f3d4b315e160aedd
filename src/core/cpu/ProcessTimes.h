// The processes of the machine and the processor time each has used: read only when the usage is
// high, to name who is behind it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace moravel {

struct ProcessTime {
    std::int64_t pid = 0;
    // When the process started, in the system's own units: a pid used again by a later process
    // comes with another start.
    std::uint64_t started = 0;
    double cpuSeconds = 0;  // processor time used since it started, all its threads
    std::string name;       // as the system has it, UTF-8
};

struct ProcessSnapshot {
    double seconds = 0;  // the machine's running time when it was read
    std::vector<ProcessTime> processes;
};

// One process's part of a stretch of time: processor seconds per second, so 1.0 is one processor
// kept busy.
struct ProcessShare {
    std::string name;
    double processors = 0;
};

// The processes that used the most processor time between two snapshots, most first, at most
// `most` of them and none whose share rounds to 0.0. A process missing from `after` has ended and
// is left out; one that started in between (a new pid, or an old pid with another start) counts
// all its time. Empty when no time passed between the two.
std::vector<ProcessShare> TopProcesses(const ProcessSnapshot& before, const ProcessSnapshot& after,
                                       std::size_t most = 3);

// A process name fit to show: control characters become "?", a broken UTF-8 sequence "?", and
// the name is cut to kMaxProcessNameBytes at a character's start. Nothing else is changed.
inline constexpr std::size_t kMaxProcessNameBytes = 32;
std::string CleanProcessName(std::string_view raw);

// One line of /proc/<pid>/stat: the name between the first "(" and the last ")", then the CPU
// times (fields 14 and 15) and the start (field 22) in clock ticks. Nothing when it does not
// have them.
std::optional<ProcessTime> ParseProcStat(std::string_view line, std::int64_t pid,
                                         double ticksPerSecond);

class ProcessLister {
  public:
    ProcessLister() = default;
    virtual ~ProcessLister() = default;
    ProcessLister(const ProcessLister&) = delete;
    ProcessLister& operator=(const ProcessLister&) = delete;

    // Every process that can be read now; one that ends meanwhile or cannot be read (another
    // user's, access denied) is left out. False when the list itself cannot be read.
    virtual bool Read(ProcessSnapshot& snapshot) = 0;
};

// /proc on Linux; the system's process information on Windows.
std::unique_ptr<ProcessLister> MakeProcessLister();

// Recorded process samples, one process per line: "SECONDS PID START CPU-SECONDS NAME", the
// name the rest of the line; the lines of one snapshot share SECONDS, in rising order. Blank lines
// and lines starting with "#" are skipped; nothing when a line is broken.
std::optional<std::vector<ProcessSnapshot>> ParseProcessRecord(std::string_view text);

// Plays recorded snapshots back: Read gives the last one taken at or before `now()`.
class RecordedProcesses final : public ProcessLister {
  public:
    RecordedProcesses(std::vector<ProcessSnapshot> snapshots, std::function<double()> now)
        : snapshots_(std::move(snapshots)), now_(std::move(now)) {}
    bool Read(ProcessSnapshot& snapshot) override;
    std::int32_t Reads() const { return reads_; }

  private:
    std::vector<ProcessSnapshot> snapshots_;
    std::function<double()> now_;
    std::int32_t reads_ = 0;
};

}  // namespace moravel
