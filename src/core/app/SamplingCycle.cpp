#include "core/app/SamplingCycle.h"

#include <algorithm>
#include <utility>

#include "core/base/Strings.h"
#include "core/os/ProgramFolder.h"
#include "core/os/TextFile.h"

namespace moravel {
namespace {

std::int32_t Nint(double x) {
    return static_cast<std::int32_t>(RoundHalfEven(x));
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
    // Sample j of the `count` samples (j = count - 1 is the reading itself).
    const std::int32_t leadIn = Nint(count == 2 ? newest * 0.5 + usage * 0.5 : newest * 0.5 + 50);
    const std::int32_t leadOut = Nint(usage * 0.5 + 50);
    const auto sample = [&](std::uint64_t j) {
        if (j + 1 == count) {
            return usage;
        }
        if (j == 0) {
            return leadIn;
        }
        return j + 2 == count ? leadOut : 100;
    };
    // Only the last `slots` samples survive in the ring; write those where the whole run puts
    // them, so HistoryPos ends at (HistoryPos + count) mod slots.
    const std::uint64_t written = std::min(count, slots);
    std::uint64_t j = count - written;
    auto slot =
        static_cast<std::int32_t>((static_cast<std::uint64_t>(HistoryPos) + j % slots) % slots);
    for (; j < count; ++j) {
        UsageHistory[static_cast<std::size_t>(slot)] = sample(j);
        slot = NextIndex(slot);
    }
    HistoryPos = slot;
    Appended += count;
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

std::int32_t SamplingCycle::LoadTestData(std::string_view text) {
    const std::int32_t count = ReadHistoryText(text, UsageHistory);
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
