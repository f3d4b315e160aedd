// Linux reads the kernel's processor times.
#include "cpu/CpuSampler.h"
#include "cpu/ProcStatSampler.h"

namespace moravel {

std::unique_ptr<CpuSampler> MakeCpuSampler() {
    return std::make_unique<ProcStatSampler>();
}

}  // namespace moravel
