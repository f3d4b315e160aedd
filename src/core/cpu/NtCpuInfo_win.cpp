// The native system-information query of ntdll.dll, found at run time.
#include <windows.h>

#include "core/cpu/NtCpuInfo.h"

namespace moravel {
namespace {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

class Win32NtSystemQuery final : public NtSystemQuery {
  public:
    Win32NtSystemQuery() {
        if (const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
            query_ = reinterpret_cast<NtQuerySystemInformationFn>(
                reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtQuerySystemInformation")));
        }
    }

    std::int32_t Query(std::uint32_t infoClass, std::span<std::byte> buffer) override {
        if (query_ == nullptr) {
            return kStatusNotImplemented;
        }
        return query_(infoClass, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr);
    }

    std::int32_t ProcessorCount() override {
        return static_cast<std::int32_t>(GetActiveProcessorCount(ALL_PROCESSOR_GROUPS));
    }

  private:
    static constexpr std::int32_t kStatusNotImplemented = static_cast<std::int32_t>(0xC0000002);
    NtQuerySystemInformationFn query_ = nullptr;
};

}  // namespace

std::unique_ptr<NtSystemQuery> MakeNtSystemQuery() {
    return std::make_unique<Win32NtSystemQuery>();
}

}  // namespace moravel
