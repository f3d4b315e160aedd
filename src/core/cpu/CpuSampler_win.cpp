// The NT family reads the native system query; Windows 95/98/Me the registry statistic.
#include "core/cpu/CpuInfo.h"
#include "core/cpu/CpuSampler.h"
#include "core/cpu/NtCpuInfo.h"
#include "core/cpu/WinVer.h"

namespace moravel {

std::unique_ptr<CpuSampler> MakeCpuSampler() {
    if (IsWinNT()) {
        return std::make_unique<NtCpuInfo>(MakeNtSystemQuery());
    }
    return std::make_unique<CpuInfo>(MakeDynDataRegistry());
}

}  // namespace moravel
