// The sampler of the figure the settings ask for, on a system that offers a choice: processor
// utility where it can be read, processor time where it cannot and where it is not asked for.
#pragma once

#include <cstdint>
#include <memory>

#include "core/cpu/CpuSampler.h"
#include "core/cpu/UsageFigure.h"

namespace moravel {

// The system's samplers of each figure, made afresh on every call and not started; the real
// ones come from CpuSampler_win.cpp.
class FigureSamplers {
  public:
    FigureSamplers() = default;
    virtual ~FigureSamplers() = default;
    FigureSamplers(const FigureSamplers&) = delete;
    FigureSamplers& operator=(const FigureSamplers&) = delete;

    virtual std::unique_ptr<CpuSampler> ProcessorTime() = 0;
    virtual std::unique_ptr<CpuSampler> ProcessorUtility() = 0;
};

class FigureSampler final : public CpuSampler {
  public:
    // `asked` (the settings' field) is read at Start and at every Sample, so a figure chosen in
    // the setup dialog is read from the next tick on; it must outlive the sampler.
    FigureSampler(const UsageFigure& asked, std::unique_ptr<FigureSamplers> samplers);

    // Processor utility, when asked for, is started first; when it cannot start (the counter is
    // missing, the performance counters are damaged) processor time is started instead, and its
    // result is Start's.
    std::int32_t Start() override;
    // A reading of the figure shown. When another figure is asked for than at the last call, the
    // sampler of that figure is started and this tick gives no reading (-1); processor time that
    // stands in for a utility that cannot be read goes on without a gap when processor time is
    // asked for. A utility whose first reading fails reads nothing: processor time takes over
    // for good, and this tick gives -1. Later failures are failed readings, as with any sampler.
    std::int32_t Sample() override;
    std::int32_t Stop() override;
    // Processor utility was asked for and processor time is shown.
    bool FellBack() const override { return askedUtility_ && !showsUtility_; }
    // Each processor as processor time reads it, while processor time is asked for: processor
    // utility has only a total, and while it is shown there are no per-processor readings.
    bool OffersProcessors() const override { return !AsksProcessorUtility(asked_); }
    void ReadProcessors(bool on) override;
    std::span<const std::uint8_t> Processors() const override;

  private:
    // Makes the sampler of the figure asked for current, keeping the one there when it already
    // reads that figure. Sets `started` when another sampler was started; returns its result.
    std::int32_t Choose(bool utility, bool& started);
    std::int32_t StartProcessorTime();
    void Replace(std::unique_ptr<CpuSampler> sampler, bool utility);

    const UsageFigure& asked_;
    std::unique_ptr<FigureSamplers> samplers_;
    std::unique_ptr<CpuSampler> current_;
    bool askedUtility_ = false;  // the figure asked for when current_ was chosen
    bool showsUtility_ = false;  // current_ reads processor utility
    bool confirmed_ = false;     // current_ gave a reading
    bool readProcessors_ = false;
};

}  // namespace moravel
