// sample: the platform's CPU usage once a second, one value per line, as TestData.dat holds it;
// with --per-processor each processor's after the total on the same line.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "Args.h"
#include "Commands.h"
#include "core/base/Strings.h"
#include "core/cpu/CpuSampler.h"
#include "core/os/FileSystem.h"

namespace moravel::tool {
namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) {
    gInterrupted = 1;
}

// Waits until `deadline`; false when Ctrl+C came first.
bool SleepUntil(std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono_literals;
    while (!gInterrupted) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return true;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(deadline - now, 50ms));
    }
    return false;
}

// Readings that fail one after another before the sampler counts as broken.
constexpr int kMaxFailures = 5;

// One line: the total, then with `processors` each processor's reading after a comma (nothing
// for one without a reading).
void PrintLine(std::int32_t usage, const CpuSampler& sampler, bool processors) {
    std::printf("%d", usage);
    if (processors) {
        for (const std::uint8_t reading : sampler.Processors()) {
            if (reading == kProcessorOffline) {
                std::printf(",");
            } else {
                std::printf(",%d", reading);
            }
        }
    }
    std::printf("\r\n");
    std::fflush(stdout);
}

}  // namespace

int RunSampleCommand(std::span<const std::string> args) {
    const Args parsed(args, {"seconds"}, {"per-processor"});
    if (!parsed.error().empty()) {
        return UsageError(parsed.error());
    }
    std::int32_t seconds = 10;
    if (const auto text = parsed.Value("seconds")) {
        const auto value = ParseInt32(*text);
        if (!value || *value < 1) {
            return UsageError("--seconds needs a whole number of at least 1");
        }
        seconds = *value;
    }

    const auto sampler = MakeCpuSampler();
    const bool processors = parsed.Flag("per-processor");
    if (processors && !sampler->OffersProcessors()) {
        std::fprintf(stderr, "moravel-tool: this system has no per-processor readings\n");
        return kExitFailure;
    }
    sampler->ReadProcessors(processors);
    if (sampler->Start() < 0) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(kCpuUsageFailureText.size()),
                     kCpuUsageFailureText.data());
        return kExitFailure;
    }
    UseBinaryStandardOutput();  // the lines end in CR LF exactly
    gInterrupted = 0;
    const auto previousHandler = std::signal(SIGINT, OnInterrupt);

    int status = kExitOk;
    int failures = 0;
    auto deadline = std::chrono::steady_clock::now();
    for (std::int32_t printed = 0; printed < seconds;) {
        deadline += std::chrono::seconds(1);
        if (!SleepUntil(deadline)) {
            break;
        }
        const std::int32_t usage = sampler->Sample();
        if (usage < 0) {
            // A reading that failed or came out unusable: the program skips such a second too.
            if (++failures >= kMaxFailures) {
                std::fprintf(stderr, "%.*s\n", static_cast<int>(kCpuUsageFailureText.size()),
                             kCpuUsageFailureText.data());
                status = kExitFailure;
                break;
            }
            continue;
        }
        failures = 0;
        PrintLine(usage, *sampler, processors);
        ++printed;
    }
    std::signal(SIGINT, previousHandler == SIG_ERR ? SIG_DFL : previousHandler);
    sampler->Stop();
    return status;
}

}  // namespace moravel::tool
