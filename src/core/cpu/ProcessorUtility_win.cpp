// The performance-data helper's query of one rate counter: collected once when started, so the
// first tick has the interval to the second collection, then once a tick.
#include <windows.h>

#include <pdh.h>
#include <pdhmsg.h>

#include <string>

#include "core/cpu/ProcessorUtility.h"

namespace moravel {
namespace {

using OpenQueryFn = PDH_STATUS(WINAPI*)(LPCWSTR, DWORD_PTR, PDH_HQUERY*);
using AddEnglishCounterFn = PDH_STATUS(WINAPI*)(PDH_HQUERY, LPCWSTR, DWORD_PTR, PDH_HCOUNTER*);
using CollectQueryDataFn = PDH_STATUS(WINAPI*)(PDH_HQUERY);
using GetFormattedCounterValueFn = PDH_STATUS(WINAPI*)(PDH_HCOUNTER, DWORD, LPDWORD,
                                                       PPDH_FMT_COUNTERVALUE);
using CloseQueryFn = PDH_STATUS(WINAPI*)(PDH_HQUERY);

template <typename Fn>
Fn Find(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// pdh.dll of the system folder, never one beside the program.
HMODULE LoadSystemPdh() {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) {
        return nullptr;
    }
    path.resize(length);
    path += L"\\pdh.dll";
    return LoadLibraryW(path.c_str());
}

class ProcessorUtilitySampler final : public CpuSampler {
  public:
    ProcessorUtilitySampler() = default;
    ~ProcessorUtilitySampler() override { Stop(); }  // also when it never started or failed

    std::int32_t Start() override {
        Stop();
        library_ = LoadSystemPdh();
        if (library_ == nullptr) {
            return kSampleFailed;
        }
        const auto open = Find<OpenQueryFn>(library_, "PdhOpenQueryW");
        const auto add = Find<AddEnglishCounterFn>(library_, "PdhAddEnglishCounterW");
        collect_ = Find<CollectQueryDataFn>(library_, "PdhCollectQueryData");
        format_ = Find<GetFormattedCounterValueFn>(library_, "PdhGetFormattedCounterValue");
        close_ = Find<CloseQueryFn>(library_, "PdhCloseQuery");
        PDH_HQUERY query = nullptr;
        if (open == nullptr || add == nullptr || collect_ == nullptr || format_ == nullptr ||
            close_ == nullptr || open(nullptr, 0, &query) != ERROR_SUCCESS) {
            Stop();
            return kSampleFailed;
        }
        query_ = query;
        PDH_HCOUNTER counter = nullptr;
        if (add(query_, kProcessorUtilityCounter, 0, &counter) != ERROR_SUCCESS ||
            collect_(query_) != ERROR_SUCCESS) {
            Stop();
            return kSampleFailed;
        }
        counter_ = counter;
        return 0;
    }

    std::int32_t Sample() override {
        if (query_ == nullptr || collect_(query_) != ERROR_SUCCESS) {
            return kSampleFailed;
        }
        PDH_FMT_COUNTERVALUE value{};
        // Not capped by the helper: the core holds it to 100.
        if (format_(counter_, PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, nullptr, &value) !=
                ERROR_SUCCESS ||
            (value.CStatus != PDH_CSTATUS_VALID_DATA && value.CStatus != PDH_CSTATUS_NEW_DATA)) {
            return kSampleFailed;
        }
        return UsageFromPercent(value.doubleValue);
    }

    std::int32_t Stop() override {
        if (query_ != nullptr) {
            close_(query_);  // its counters with it
            query_ = nullptr;
            counter_ = nullptr;
        }
        if (library_ != nullptr) {
            FreeLibrary(library_);
            library_ = nullptr;
        }
        return 0;
    }

  private:
    HMODULE library_ = nullptr;
    CollectQueryDataFn collect_ = nullptr;
    GetFormattedCounterValueFn format_ = nullptr;
    CloseQueryFn close_ = nullptr;
    PDH_HQUERY query_ = nullptr;
    PDH_HCOUNTER counter_ = nullptr;
};

}  // namespace

std::unique_ptr<CpuSampler> MakeProcessorUtilitySampler() {
    return std::make_unique<ProcessorUtilitySampler>();
}

}  // namespace moravel
