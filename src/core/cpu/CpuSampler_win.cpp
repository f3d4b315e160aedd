// The NT family reads the native system query, and processor utility through the
// performance-data helper when asked; Windows 95/98/Me the registry statistic.
#include "core/cpu/CpuInfo.h"
#include "core/cpu/CpuSampler.h"
#include "core/cpu/FigureSampler.h"
#include "core/cpu/NtCpuInfo.h"
#include "core/cpu/ProcessorUtility.h"
#include "core/cpu/WinVer.h"

namespace moravel {
namespace {

class NtFigureSamplers final : public FigureSamplers {
  public:
    std::unique_ptr<CpuSampler> ProcessorTime() override {
        return std::make_unique<NtCpuInfo>(MakeNtSystemQuery());
    }
    std::unique_ptr<CpuSampler> ProcessorUtility() override {
        return MakeProcessorUtilitySampler();
    }
};

}  // namespace

bool UsageFiguresOffered() {
    return IsWinNT();
}

bool ProcessorsOffered() {
    return IsWinNT();
}

std::unique_ptr<CpuSampler> MakeCpuSampler() {
    if (IsWinNT()) {
        return std::make_unique<NtCpuInfo>(MakeNtSystemQuery());
    }
    return std::make_unique<CpuInfo>(MakeDynDataRegistry());
}

std::unique_ptr<CpuSampler> MakeCpuSampler(const UsageFigure& asked) {
    if (UsageFiguresOffered()) {
        return std::make_unique<FigureSampler>(asked, std::make_unique<NtFigureSamplers>());
    }
    return MakeCpuSampler();
}

}  // namespace moravel
