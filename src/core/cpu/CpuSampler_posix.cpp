// Linux reads the kernel's processor times: processor time is its only figure.
#include "core/cpu/CpuSampler.h"
#include "core/cpu/ProcStatSampler.h"

namespace moravel {

bool UsageFiguresOffered() {
    return false;
}

bool ProcessorsOffered() {
    return true;
}

std::unique_ptr<CpuSampler> MakeCpuSampler() {
    return std::make_unique<ProcStatSampler>();
}

std::unique_ptr<CpuSampler> MakeCpuSampler(const UsageFigure& /*asked*/) {
    return MakeCpuSampler();
}

}  // namespace moravel
