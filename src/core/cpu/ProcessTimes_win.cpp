// The processes of the system's process information (NtQuerySystemInformation, class 5): every
// process with its start and processor times, without opening any of them.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/cpu/ProcessTimes.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
constexpr double kHundredNanoseconds = 1e7;

struct CountedText {
    USHORT Length;  // bytes
    USHORT MaximumLength;
    PWSTR Buffer;
};

// The head of one entry, as the system lays it out.
struct ProcessEntry {
    ULONG NextEntryOffset;
    ULONG NumberOfThreads;
    LARGE_INTEGER WorkingSetPrivateSize;
    ULONG HardFaultCount;
    ULONG NumberOfThreadsHighWatermark;
    ULONGLONG CycleTime;
    LARGE_INTEGER CreateTime;
    LARGE_INTEGER UserTime;
    LARGE_INTEGER KernelTime;
    CountedText ImageName;
    LONG BasePriority;
    HANDLE UniqueProcessId;
};

class NtProcessLister final : public ProcessLister {
  public:
    bool Read(ProcessSnapshot& snapshot) override {
        if (query_ == nullptr || !Fill()) {
            return false;
        }
        ULONGLONG running = 0;
        QueryUnbiasedInterruptTime(&running);
        snapshot.seconds = static_cast<double>(running) / kHundredNanoseconds;
        snapshot.processes.clear();
        for (std::size_t at = 0; at + sizeof(ProcessEntry) <= filled_;) {
            ProcessEntry entry{};
            std::memcpy(&entry, buffer_.data() + at, sizeof entry);
            const auto pid =
                static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(entry.UniqueProcessId));
            if (pid != 0) {  // the idle process: the processors' idle time
                ProcessTime process;
                process.pid = pid;
                process.started = static_cast<std::uint64_t>(entry.CreateTime.QuadPart);
                process.cpuSeconds =
                    static_cast<double>(entry.UserTime.QuadPart + entry.KernelTime.QuadPart) /
                    kHundredNanoseconds;
                const std::wstring_view image(entry.ImageName.Buffer,
                                              entry.ImageName.Buffer == nullptr
                                                  ? 0
                                                  : entry.ImageName.Length / sizeof(wchar_t));
                process.name = CleanProcessName(WideToUtf8(image));
                snapshot.processes.push_back(std::move(process));
            }
            if (entry.NextEntryOffset == 0) {
                break;
            }
            at += entry.NextEntryOffset;
        }
        return true;
    }

  private:
    // The list into the buffer, grown until it fits.
    bool Fill() {
        for (int attempt = 0; attempt < 8; ++attempt) {
            ULONG needed = 0;
            const LONG status = query_(kSystemProcessInformation, buffer_.data(),
                                       static_cast<ULONG>(buffer_.size()), &needed);
            if (status >= 0) {
                filled_ = std::min<std::size_t>(needed, buffer_.size());
                return true;
            }
            if (status != kStatusInfoLengthMismatch) {
                return false;
            }
            buffer_.resize(std::max<std::size_t>(needed, buffer_.size()) + 64 * 1024);
        }
        return false;
    }

    NtQuerySystemInformationFn query_ =
        reinterpret_cast<NtQuerySystemInformationFn>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<unsigned char> buffer_ = std::vector<unsigned char>(256 * 1024);
    std::size_t filled_ = 0;
};

}  // namespace

std::unique_ptr<ProcessLister> MakeProcessLister() {
    return std::make_unique<NtProcessLister>();
}

}  // namespace moravel
