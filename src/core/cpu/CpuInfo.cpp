#include "core/cpu/CpuInfo.h"

#include <array>
#include <utility>
#include <vector>

namespace moravel {
namespace {

// Larger sizes are not the small statistic value; reading them would only cost memory.
constexpr std::uint32_t kMaxValueSize = 64 * 1024;

}  // namespace

CpuInfo::CpuInfo(std::unique_ptr<DynDataRegistry> registry) : registry_(std::move(registry)) {}

CpuInfo::~CpuInfo() {
    StopCpuUsage();
}

bool CpuInfo::ReadWhole(DynDataRegistry::Key key, const char* name) {
    std::uint32_t size = 0;
    if (!registry_->QuerySize(key, name, size) || size > kMaxValueSize) {
        return false;
    }
    std::vector<std::byte> buffer(static_cast<std::size_t>(size) + 2);
    return registry_->Read(key, name, buffer);
}

std::int32_t CpuInfo::StartCpuUsage() {
    if (started_) {
        return 0;
    }
    std::int32_t result = kSampleFailed;
    DynDataRegistry::Key startKey = 0;
    if (!registry_->Open(kStartStatKey, startKey)) {
        return kSampleFailed;
    }
    if (ReadWhole(startKey, kCpuUsageValue)) {
        if (registry_->Open(kStatDataKey, dataKey_)) {
            started_ = true;
            result = 0;
        } else {
            dataKey_ = 0;
        }
    }
    registry_->Close(startKey);
    return result;
}

std::int32_t CpuInfo::GetCpuUsage() {
    // Without a started statistic there is no open data key to read: go straight to the restart.
    if (started_) {
        std::array<std::byte, 4> value{};
        if (registry_->Read(dataKey_, kCpuUsageValue, value)) {
            const std::uint32_t bits = static_cast<std::uint32_t>(value[0]) |
                                       static_cast<std::uint32_t>(value[1]) << 8 |
                                       static_cast<std::uint32_t>(value[2]) << 16 |
                                       static_cast<std::uint32_t>(value[3]) << 24;
            return HeldUsage(static_cast<std::int32_t>(bits));
        }
    }
    StopCpuUsage();
    StartCpuUsage();
    return kSampleFailed;
}

std::int32_t CpuInfo::StopCpuUsage() {
    if (!started_) {
        return 0;
    }
    std::int32_t result = kSampleFailed;
    registry_->Close(dataKey_);
    dataKey_ = 0;
    DynDataRegistry::Key stopKey = 0;
    if (registry_->Open(kStopStatKey, stopKey)) {
        if (ReadWhole(stopKey, kCpuUsageValue)) {
            result = 0;
        }
        registry_->Close(stopKey);
    }
    started_ = false;
    return result;
}

}  // namespace moravel
