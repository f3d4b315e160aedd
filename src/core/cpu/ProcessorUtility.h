// Windows' processor utility, read through the performance-data helper (Windows only).
#pragma once

#include <memory>

#include "core/cpu/CpuSampler.h"

namespace moravel {

// Task Manager's figure from Windows 8 on, by its English path: the counters' names are
// translated on a Japanese Windows, and the English path finds them there too.
inline constexpr wchar_t kProcessorUtilityCounter[] =
    L"\\Processor Information(_Total)\\% Processor Utility";

// A sampler of that counter. pdh.dll is loaded from the system folder only when it starts, so a
// program that does not ask for the figure never loads it. Start fails where the library, the
// English path or the counter is missing (before Windows 8, damaged performance counters, Wine);
// a reading fails where the counter gives no valid value.
std::unique_ptr<CpuSampler> MakeProcessorUtilitySampler();

}  // namespace moravel
