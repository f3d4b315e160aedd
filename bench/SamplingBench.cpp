// The once-a-second tick of the sampling cycle: an ordinary tick, and the one after an hour in
// which the machine ran without ticks (3600 samples, almost all over a full-HD screen width).
#include <benchmark/benchmark.h>

#include "core/app/SamplingCycle.h"
#include "core/os/Clock.h"
#include "support/FakeClock.h"
#include "support/FakeCpuSampler.h"

namespace moravel {
namespace {

constexpr std::int32_t kScreenWidth = 1920;

void RunTicks(benchmark::State& state, std::int64_t secondsPerTick) {
    FakeClock clock;
    SettingsRecord settings;
    settings.Cycle = 1;
    std::int64_t refreshes = 0;
    auto sampler = std::make_unique<FakeCpuSampler>();
    FakeCpuSampler& fake = *sampler;
    SamplingCycle cycle(std::move(sampler), clock, settings,
                        [&refreshes](std::int32_t) { ++refreshes; });
    cycle.StartSampling(kScreenWidth);
    for (auto _ : state) {
        clock.now += secondsPerTick;
        fake.usage = static_cast<std::int32_t>(clock.now % 101);
        cycle.Tick();
        benchmark::DoNotOptimize(cycle.UsageHistory.data());
    }
    benchmark::DoNotOptimize(refreshes);
}

void BM_Tick(benchmark::State& state) {
    RunTicks(state, 1);
}
BENCHMARK(BM_Tick);

void BM_TickAfterAnHourGap(benchmark::State& state) {
    RunTicks(state, 3600);
}
BENCHMARK(BM_TickAfterAnHourGap);

}  // namespace
}  // namespace moravel
