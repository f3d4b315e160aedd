// alert-test: the alert on a sustained load, fired from recorded usage and process samples.
#include <cstdio>
#include <memory>
#include <string_view>

#include "Args.h"
#include "Commands.h"
#include "core/app/LoadAlert.h"
#include "core/app/SamplingCycle.h"
#include "core/base/Strings.h"
#include "core/os/Clock.h"
#include "core/os/FileSystem.h"

namespace moravel::tool {
namespace {

constexpr std::uintmax_t kMaxRecordBytes = std::uintmax_t{64} * 1024 * 1024;

class ReplayClock final : public MonotonicClock {
  public:
    std::int64_t NowSeconds() override { return now; }
    std::int64_t now = 0;
};

// Plays recorded readings back, one per tick.
class ReplaySampler final : public CpuSampler {
  public:
    std::int32_t Start() override { return 0; }
    std::int32_t Sample() override { return usage; }
    std::int32_t Stop() override { return 0; }
    bool FellBack() const override { return false; }
    std::int32_t usage = 0;
};

struct RecordedTick {
    std::int32_t usage = 0;
    std::int64_t after = 1;
};

// "USAGE" or "USAGE +SECONDS" per line (the tick that many seconds after the one before).
bool ParseTicks(std::string_view text, std::vector<RecordedTick>& ticks) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = TrimBlanks(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#') {
            continue;
        }
        RecordedTick tick;
        const std::size_t plus = line.find('+');
        const auto usage = ParseInt32(TrimBlanks(line.substr(0, plus)));
        if (!usage) {
            return false;
        }
        tick.usage = *usage;
        if (plus != std::string_view::npos) {
            const auto after = ParseInt32(TrimBlanks(line.substr(plus + 1)));
            if (!after || *after < 0) {
                return false;
            }
            tick.after = *after;
        }
        ticks.push_back(tick);
    }
    return true;
}

std::optional<std::string> ReadInput(const std::optional<std::string>& path) {
    std::string bytes;
    if (!path || ReadFileBytes(*path, kMaxRecordBytes, bytes) != ReadStatus::Ok) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

int RunAlertTestCommand(std::span<const std::string> args) {
    const Args parsed(args, {"usage", "processes", "percent", "seconds"}, {});
    if (!parsed.error().empty()) {
        return UsageError(parsed.error());
    }
    SettingsRecord settings;
    SetDefaultSettings(settings);
    settings.Cycle = 1;
    settings.AlertPercent = ParseInt32(parsed.Value("percent").value_or("90")).value_or(-1);
    settings.AlertSeconds = ParseInt32(parsed.Value("seconds").value_or("30")).value_or(-1);
    if (settings.AlertPercent < 1 || settings.AlertSeconds < 1) {
        return UsageError("--percent and --seconds need whole numbers of at least 1");
    }
    const auto usageText = ReadInput(parsed.Value("usage"));
    std::vector<RecordedTick> ticks;
    if (!usageText || !ParseTicks(*usageText, ticks)) {
        return UsageError("--usage needs a readable file of usage lines");
    }
    std::vector<ProcessSnapshot> snapshots;
    if (const auto path = parsed.Value("processes")) {
        const auto text = ReadInput(path);
        auto record = text ? ParseProcessRecord(*text) : std::nullopt;
        if (!record) {
            return UsageError("--processes needs a readable file of process samples");
        }
        snapshots = std::move(*record);
    }

    ReplayClock clock;
    auto sampler = std::make_unique<ReplaySampler>();
    ReplaySampler& replay = *sampler;
    SamplingCycle cycle(std::move(sampler), clock, settings, nullptr);
    LoadAlert alert(std::make_unique<RecordedProcesses>(
        std::move(snapshots), [&clock] { return static_cast<double>(clock.now); }));
    cycle.StartSampling(3600);
    for (const RecordedTick& tick : ticks) {
        replay.usage = tick.usage;
        clock.now += tick.after;
        const std::uint64_t before = cycle.Appended;
        cycle.Tick();
        if (auto notice = alert.Update(settings, cycle, cycle.Appended - before)) {
            std::printf("%lld: %s\n", static_cast<long long>(clock.now),
                        AlertSummary(*notice).c_str());
            const std::string body = AlertBody(*notice);
            for (std::size_t at = 0; at < body.size();) {
                const std::size_t end = std::min(body.find('\n', at), body.size());
                std::printf("    %s\n", body.substr(at, end - at).c_str());
                at = end + 1;
            }
        }
    }
    return kExitOk;
}

}  // namespace moravel::tool
