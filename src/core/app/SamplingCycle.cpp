#include "core/app/SamplingCycle.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/base/Strings.h"
#include "core/os/ProgramFolder.h"
#include "core/os/TextFile.h"

namespace moravel {
namespace {

std::int32_t Nint(double x) {
    return static_cast<std::int32_t>(RoundHalfEven(x));
}

// Sample j of the `count` samples a tick appends after `newest` with the reading `usage`
// (j = count - 1 is the reading itself): missed seconds are fully busy, the two at the edges of
// the gap blended halfway.
std::int32_t GapSample(std::int32_t newest, std::int32_t usage, std::uint64_t count,
                       std::uint64_t j) {
    if (j + 1 == count) {
        return usage;
    }
    if (j == 0) {
        return Nint(count == 2 ? newest * 0.5 + usage * 0.5 : newest * 0.5 + 50);
    }
    return j + 2 == count ? Nint(usage * 0.5 + 50) : 100;
}

// The same for a processor, whose readings may be missing: a processor without a reading now has
// none for the whole gap; the edge after a missing reading has none either.
std::uint8_t ProcessorGapSample(std::uint8_t newest, std::uint8_t usage, std::uint64_t count,
                                std::uint64_t j) {
    if (usage == kProcessorOffline || (j == 0 && j + 1 != count && newest == kProcessorOffline)) {
        return kProcessorOffline;
    }
    return static_cast<std::uint8_t>(GapSample(newest, usage, count, j));
}

}  // namespace

SamplingCycle::SamplingCycle(std::unique_ptr<CpuSampler> sampler, MonotonicClock& clock,
                             const SettingsRecord& settings, RefreshDisplay refresh)
    : sampler_(std::move(sampler)),
      clock_(clock),
      settings_(settings),
      refresh_(std::move(refresh)) {}

std::int32_t SamplingCycle::StartSampling(std::int32_t slots) {
    HistoryCount = std::max(slots, 1);
    UsageHistory.assign(static_cast<std::size_t>(HistoryCount), 0);
    HistoryPos = 0;
    RedrawCounter = 0;
    if (sampler_->Start() < 0) {
        return kSampleFailed;
    }
    LastSampleTime = clock_.NowSeconds();
    running_ = true;
    return 0;
}

void SamplingCycle::Tick() {
    if (!running_) {
        return;
    }
    std::int32_t usage = sampler_->Sample();
    if (usage < 0) {
        return;
    }
    usage = std::min(usage, 100);  // the history holds percentages, whatever a sampler says
    const std::int64_t now = clock_.NowSeconds();
    if (now <= LastSampleTime) {
        return;
    }
    // Unsigned: no overflow however far apart the two times are.
    Append(usage, static_cast<std::uint64_t>(now) - static_cast<std::uint64_t>(LastSampleTime));
    LastSampleTime = now;
    if (RedrawCounter >= settings_.Cycle) {
        if (refresh_) {
            refresh_(usage);
        }
        RedrawCounter = 0;
    }
    ++RedrawCounter;
}

void SamplingCycle::Append(std::int32_t usage, std::uint64_t count) {
    const auto slots = static_cast<std::uint64_t>(HistoryCount);
    const std::int32_t newest = UsageHistory[static_cast<std::size_t>(PrevIndex(HistoryPos))];
    if (!ProcessorHistory.empty() || !sampler_->Processors().empty()) {
        AppendProcessors(count);
    }
    // Only the last `slots` samples survive in the ring; write those where the whole run puts
    // them, so HistoryPos ends at (HistoryPos + count) mod slots.
    const std::uint64_t written = std::min(count, slots);
    std::uint64_t j = count - written;
    auto slot =
        static_cast<std::int32_t>((static_cast<std::uint64_t>(HistoryPos) + j % slots) % slots);
    for (; j < count; ++j) {
        UsageHistory[static_cast<std::size_t>(slot)] = GapSample(newest, usage, count, j);
        slot = NextIndex(slot);
    }
    HistoryPos = slot;
    Appended += count;
}

void SamplingCycle::ReadProcessors(bool on) {
    if (on == readProcessors_) {
        return;
    }
    readProcessors_ = on;
    sampler_->ReadProcessors(on);
    if (!on) {
        ProcessorCount = 0;
        ProcessorHistory = {};
    }
}

void SamplingCycle::AppendProcessors(std::uint64_t count) {
    const std::span<const std::uint8_t> readings = sampler_->Processors();
    const auto processors = static_cast<std::int32_t>(std::min(readings.size(), kMaxProcessors));
    const auto slots = static_cast<std::size_t>(HistoryCount);
    if (processors > ProcessorCount) {
        // Rows for processors seen for the first time: the first ones start as the total's
        // history does, at 0; one that comes later had no reading before.
        ProcessorHistory.resize(static_cast<std::size_t>(processors) * slots,
                                ProcessorCount == 0 ? 0 : kProcessorOffline);
        ProcessorCount = processors;
    }
    const std::uint64_t written = std::min(count, static_cast<std::uint64_t>(slots));
    const auto first = static_cast<std::size_t>(
        (static_cast<std::uint64_t>(HistoryPos) + (count - written) % slots) % slots);
    const auto newestSlot = static_cast<std::size_t>(PrevIndex(HistoryPos));
    for (std::int32_t p = 0; p < ProcessorCount; ++p) {
        std::uint8_t* row = ProcessorHistory.data() + static_cast<std::size_t>(p) * slots;
        const std::uint8_t usage =
            p < processors ? readings[static_cast<std::size_t>(p)] : kProcessorOffline;
        const std::uint8_t newest = row[newestSlot];
        std::size_t slot = first;
        for (std::uint64_t j = count - written; j < count; ++j) {
            row[slot] = ProcessorGapSample(newest, usage, count, j);
            slot = slot + 1 == slots ? 0 : slot + 1;
        }
    }
}

std::pair<std::int32_t, std::int32_t> SamplingCycle::Busiest() const {
    std::pair<std::int32_t, std::int32_t> busiest{-1, -1};
    if (ProcessorCount == 0) {
        return busiest;
    }
    const auto newestSlot = static_cast<std::size_t>(PrevIndex(HistoryPos));
    for (std::int32_t p = 0; p < ProcessorCount; ++p) {
        const std::uint8_t usage =
            ProcessorHistory[static_cast<std::size_t>(p) * static_cast<std::size_t>(HistoryCount) +
                             newestSlot];
        if (usage != kProcessorOffline && usage > busiest.second) {
            busiest = {p, usage};
        }
    }
    return busiest;
}

std::int32_t SamplingCycle::Newest() const {
    return UsageHistory.empty() ? 0 : UsageHistory[static_cast<std::size_t>(PrevIndex(HistoryPos))];
}

void SamplingCycle::StopSampling() {
    if (running_) {
        running_ = false;
        sampler_->Stop();
    }
}

std::int32_t ReadHistoryText(std::string_view text, std::span<std::int32_t> slots) {
    std::int32_t count = 0;
    while (static_cast<std::size_t>(count) < slots.size()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos) {
            break;
        }
        const std::optional<double> value = ParseReal(TrimBlanks(text.substr(0, end)));
        if (!value) {
            break;
        }
        // Held first, so that no value is too large for the integer.
        slots[static_cast<std::size_t>(count)] = Nint(std::clamp(*value, 0.0, 100.0));
        ++count;
        text.remove_prefix(end + 2);
    }
    return count;
}

namespace {

// A usage as a saved history writes it, held to 0..100; nullopt when it is not a number.
std::optional<std::int32_t> ReadUsage(std::string_view field) {
    const std::optional<double> value = ParseReal(TrimBlanks(field));
    if (!value) {
        return std::nullopt;
    }
    return Nint(std::clamp(*value, 0.0, 100.0));  // held first: no value too large
}

// Calls `take(line, field, usage)` for every field of the lines read (usage kProcessorOffline for
// an empty processor field), line by line, until `lines` lines are read or one is not a history
// line; returns the lines read.
template <typename Take>
std::int32_t ForEachField(std::string_view text, std::size_t lines, Take take) {
    std::int32_t count = 0;
    while (static_cast<std::size_t>(count) < lines) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos) {
            break;
        }
        std::string_view line = text.substr(0, end);
        const std::size_t comma = line.find(',');
        const std::optional<std::int32_t> total = ReadUsage(line.substr(0, comma));
        if (!total) {
            break;
        }
        take(count, 0, *total);
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
        for (std::size_t field = 1; comma != std::string_view::npos; ++field) {
            const std::size_t next = line.find(',');
            const std::string_view value = TrimBlanks(line.substr(0, next));
            const std::optional<std::int32_t> usage = ReadUsage(value);
            take(count, field, usage ? *usage : std::int32_t{kProcessorOffline});
            if (next == std::string_view::npos) {
                break;
            }
            line.remove_prefix(next + 1);
        }
        ++count;
        text.remove_prefix(end + 2);
    }
    return count;
}

}  // namespace

std::int32_t ReadProcessorHistoryText(std::string_view text, std::span<std::int32_t> totals,
                                      std::vector<std::uint8_t>* processors,
                                      std::int32_t& processorCount) {
    std::size_t fields = 0;
    ForEachField(text, totals.size(), [&](std::int32_t, std::size_t field, std::int32_t) {
        fields = std::max(fields, std::min(field, kMaxProcessors));
    });
    processorCount = static_cast<std::int32_t>(fields);
    if (processors != nullptr) {
        processors->assign(fields * totals.size(), kProcessorOffline);
    }
    return ForEachField(text, totals.size(),
                        [&](std::int32_t line, std::size_t field, std::int32_t usage) {
                            const auto slot = static_cast<std::size_t>(line);
                            if (field == 0) {
                                totals[slot] = usage;
                            } else if (processors != nullptr && field <= fields) {
                                (*processors)[(field - 1) * totals.size() + slot] =
                                    static_cast<std::uint8_t>(usage);
                            }
                        });
}

std::int32_t SamplingCycle::LoadTestData(std::string_view text) {
    // While each processor is read, a history of each (sample --per-processor) is read as well.
    const std::int32_t count =
        readProcessors_
            ? ReadProcessorHistoryText(text, UsageHistory, &ProcessorHistory, ProcessorCount)
            : ReadHistoryText(text, UsageHistory);
    HistoryPos = HistoryCount > 0 ? count % HistoryCount : 0;
    return count;
}

std::int32_t SamplingCycle::LoadTestDataFile(const std::string& path) {
    return LoadTestData(ReadTextFile(path, "", kMaxTestDataBytes));
}

std::string TestDataFilePath() {
    return ProgramFolder() + std::string(kTestDataFileName);
}

}  // namespace moravel
