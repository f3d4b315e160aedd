// The once-a-second tick of the sampling cycle: an ordinary tick, and the one after an hour in
// which the machine ran without ticks (3600 samples, almost all over a full-HD screen width); and
// the Linux sampler's reading of a /proc/stat of 16 processors, the total alone and with each
// processor.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/app/SamplingCycle.h"
#include "core/os/Clock.h"
#ifndef _WIN32
#include <unistd.h>

#include "core/cpu/ProcStatSampler.h"
#endif
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

#ifndef _WIN32
void BM_ProcStatSample(benchmark::State& state) {
    // A kernel's text of 16 processors, with the interrupt counts that follow them.
    std::string text = "cpu  3673000 100 863300 14742700 88800 200 7100 5200 0 0\n";
    for (int i = 0; i < 16; ++i) {
        text += "cpu" + std::to_string(i) + " 229562 6 53956 921418 5550 12 443 325 0 0\n";
    }
    text += "intr 123456789" + std::string(4000, ' ') + "\nctxt 987654321\n";
    const std::string path = "/tmp/moravel-bench-stat-" + std::to_string(getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    ProcStatSampler sampler(path);
    sampler.ReadProcessors(state.range(0) != 0);
    sampler.Start();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.Sample());
    }
    std::remove(path.c_str());
    state.SetLabel(state.range(0) != 0 ? "each of 16 processors" : "the total");
}
BENCHMARK(BM_ProcStatSample)->Arg(0)->Arg(1);
#endif

}  // namespace
}  // namespace moravel
