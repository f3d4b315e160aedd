// The native system-information queries of ntdll.dll, found at run time, the processor groups
// and the unbiased interrupt time.
#include <windows.h>

#include "core/cpu/NtCpuInfo.h"

namespace moravel {
namespace {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
using NtQuerySystemInformationExFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PVOID, ULONG, PULONG);

template <typename Fn>
Fn Find(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class Win32NtSystemQuery final : public NtSystemQuery {
  public:
    Win32NtSystemQuery()
        : query_(Find<NtQuerySystemInformationFn>(ntdll_, "NtQuerySystemInformation")),
          queryEx_(Find<NtQuerySystemInformationExFn>(ntdll_, "NtQuerySystemInformationEx")) {}

    std::int32_t Query(std::uint32_t infoClass, std::span<std::byte> buffer,
                       std::uint32_t& returned) override {
        if (query_ == nullptr) {
            return kStatusNotImplemented;
        }
        ULONG length = 0;
        const LONG status =
            query_(infoClass, buffer.data(), static_cast<ULONG>(buffer.size()), &length);
        returned = length;
        return status;
    }

    std::int32_t QueryGroup(std::uint32_t infoClass, std::uint16_t group,
                            std::span<std::byte> buffer, std::uint32_t& returned) override {
        if (queryEx_ == nullptr) {
            return kStatusNotImplemented;
        }
        USHORT input = group;
        ULONG length = 0;
        const LONG status = queryEx_(infoClass, &input, sizeof input, buffer.data(),
                                     static_cast<ULONG>(buffer.size()), &length);
        returned = length;
        return status;
    }

    std::uint16_t GroupCount() override { return GetActiveProcessorGroupCount(); }

    std::int64_t RunningTime() override {
        ULONGLONG units = 0;
        QueryUnbiasedInterruptTime(&units);
        return static_cast<std::int64_t>(units);
    }

  private:
    static constexpr std::int32_t kStatusNotImplemented = static_cast<std::int32_t>(0xC0000002);
    HMODULE ntdll_ = GetModuleHandleW(L"ntdll.dll");  // before the two that are found in it
    NtQuerySystemInformationFn query_;
    NtQuerySystemInformationExFn queryEx_;
};

}  // namespace

std::unique_ptr<NtSystemQuery> MakeNtSystemQuery() {
    return std::make_unique<Win32NtSystemQuery>();
}

}  // namespace moravel
