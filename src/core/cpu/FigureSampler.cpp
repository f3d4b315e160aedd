#include "core/cpu/FigureSampler.h"

#include <utility>

namespace moravel {

FigureSampler::FigureSampler(const UsageFigure& asked, std::unique_ptr<FigureSamplers> samplers)
    : asked_(asked), samplers_(std::move(samplers)) {}

std::int32_t FigureSampler::Start() {
    bool started = false;
    return Choose(AsksProcessorUtility(asked_), started);
}

std::int32_t FigureSampler::Sample() {
    const bool utility = AsksProcessorUtility(asked_);
    if (current_ == nullptr || utility != askedUtility_) {
        bool started = false;
        Choose(utility, started);
        if (started) {
            return kSampleFailed;  // nothing to compare the new counters with yet
        }
    }
    const std::int32_t usage = current_->Sample();
    if (usage < 0 && showsUtility_ && !confirmed_) {
        StartProcessorTime();  // the counter is there but reads nothing
        return kSampleFailed;
    }
    confirmed_ = confirmed_ || usage >= 0;
    return usage;
}

std::int32_t FigureSampler::Stop() {
    return current_ != nullptr ? current_->Stop() : 0;
}

void FigureSampler::ReadProcessors(bool on) {
    readProcessors_ = on;
    if (current_ != nullptr) {
        current_->ReadProcessors(on);
    }
}

std::span<const std::uint8_t> FigureSampler::Processors() const {
    if (current_ == nullptr || showsUtility_) {
        return {};
    }
    return current_->Processors();
}

std::int32_t FigureSampler::Choose(bool utility, bool& started) {
    askedUtility_ = utility;
    started = false;
    if (current_ != nullptr && showsUtility_ == utility) {
        return 0;
    }
    if (utility) {
        std::unique_ptr<CpuSampler> sampler = samplers_->ProcessorUtility();
        if (sampler->Start() >= 0) {
            Replace(std::move(sampler), true);
            started = true;
            return 0;
        }
        if (current_ != nullptr) {
            return 0;  // processor time goes on in its place
        }
    }
    started = true;
    return StartProcessorTime();
}

std::int32_t FigureSampler::StartProcessorTime() {
    std::unique_ptr<CpuSampler> sampler = samplers_->ProcessorTime();
    const std::int32_t result = sampler->Start();
    Replace(std::move(sampler), false);
    return result;
}

void FigureSampler::Replace(std::unique_ptr<CpuSampler> sampler, bool utility) {
    if (current_ != nullptr) {
        current_->Stop();
    }
    current_ = std::move(sampler);
    current_->ReadProcessors(readProcessors_);
    showsUtility_ = utility;
    confirmed_ = false;
}

}  // namespace moravel
