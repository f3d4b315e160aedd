// Linux reads the kernel's processor times.
#include "core/cpu/CpuSampler.h"
#include "core/cpu/ProcStatSampler.h"

namespace moravel {

std::unique_ptr<CpuSampler> MakeCpuSampler() {
    return std::make_unique<ProcStatSampler>();
}

}  // namespace moravel
