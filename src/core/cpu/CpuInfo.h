// The Windows 95/98/Me sampler: the kernel's own CPU-usage statistic, a dynamic registry value
// under HKEY_DYN_DATA that is started before use and stopped after.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "core/cpu/CpuSampler.h"

namespace moravel {

// The registry as this sampler uses it: keys under HKEY_DYN_DATA opened for reading. The real
// one lives in CpuInfo_win.cpp.
class DynDataRegistry {
  public:
    using Key = std::uintptr_t;

    DynDataRegistry() = default;
    virtual ~DynDataRegistry() = default;
    DynDataRegistry(const DynDataRegistry&) = delete;
    DynDataRegistry& operator=(const DynDataRegistry&) = delete;

    // Opens `subKey` for reading; false on failure.
    virtual bool Open(const char* subKey, Key& key) = 0;
    // The size in bytes of the value `name`, asked without a buffer.
    virtual bool QuerySize(Key key, const char* name, std::uint32_t& size) = 0;
    // Reads the value `name` into `buffer` (offered whole); false when that fails.
    virtual bool Read(Key key, const char* name, std::span<std::byte> buffer) = 0;
    virtual void Close(Key key) = 0;
};

inline constexpr const char* kStartStatKey = "PerfStats\\StartStat";
inline constexpr const char* kStatDataKey = "PerfStats\\StatData";
inline constexpr const char* kStopStatKey = "PerfStats\\StopStat";
inline constexpr const char* kCpuUsageValue = "Kernel\\CPUUsage";

class CpuInfo final : public CpuSampler {
  public:
    explicit CpuInfo(std::unique_ptr<DynDataRegistry> registry);
    ~CpuInfo() override;

    // Starts the statistic and opens its data key: 0, also when already started; -1 on failure.
    std::int32_t StartCpuUsage();
    // The usage in percent, held to 0..100. When it cannot be read: -1, after stopping and starting
    // the statistic again, so that a later call may read it.
    std::int32_t GetCpuUsage();
    // Stops the statistic: 0 when stopped cleanly or not started, -1 when the stop failed (the
    // statistic counts as stopped anyway).
    std::int32_t StopCpuUsage();

    bool started() const { return started_; }

    std::int32_t Start() override { return StartCpuUsage(); }
    std::int32_t Sample() override { return GetCpuUsage(); }
    std::int32_t Stop() override { return StopCpuUsage(); }

  private:
    // Reads `name` of `key` whole, into a buffer two bytes larger than its size: the read that
    // starts or stops the kernel's collection.
    bool ReadWhole(DynDataRegistry::Key key, const char* name);

    std::unique_ptr<DynDataRegistry> registry_;
    bool started_ = false;
    DynDataRegistry::Key dataKey_ = 0;  // open while started_
};

// The real registry (Windows only).
std::unique_ptr<DynDataRegistry> MakeDynDataRegistry();

}  // namespace moravel
