// A sampler that answers from a script, for tests and benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/cpu/CpuSampler.h"

namespace moravel {

class FakeCpuSampler final : public CpuSampler {
  public:
    std::int32_t Start() override {
        ++starts;
        return startResult;
    }
    // The next scripted reading; once the script is used up, the last one again (or `usage`
    // when there is no script).
    std::int32_t Sample() override {
        ++samples;
        if (next < script.size()) {
            usage = script[next++];
        }
        return usage;
    }
    std::int32_t Stop() override {
        ++stops;
        return 0;
    }
    bool FellBack() const override { return fellBack; }
    bool OffersProcessors() const override { return true; }
    void ReadProcessors(bool on) override { readsProcessors = on; }
    // `processors` while asked for.
    std::span<const std::uint8_t> Processors() const override {
        return readsProcessors ? std::span<const std::uint8_t>(processors)
                               : std::span<const std::uint8_t>();
    }

    std::int32_t startResult = 0;
    std::int32_t usage = 0;
    std::vector<std::int32_t> script;
    std::size_t next = 0;
    int starts = 0;
    int samples = 0;
    int stops = 0;
    bool fellBack = false;
    bool readsProcessors = false;
    std::vector<std::uint8_t> processors;
};

}  // namespace moravel
