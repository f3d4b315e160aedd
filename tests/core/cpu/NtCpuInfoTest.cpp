#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "core/cpu/NtCpuInfo.h"
#include "support/AllocationCounter.h"

#ifdef _WIN32
#include "core/cpu/WinVer.h"
#endif

namespace moravel {
namespace {

TEST(UsageFromIdle, PercentOfTheSpanNotIdleHeldTo0To100) {
    EXPECT_EQ(UsageFromIdle(1000, 1000), 0);
    EXPECT_EQ(UsageFromIdle(0, 1000), 100);
    EXPECT_EQ(UsageFromIdle(375, 1000), 62);  // 62.5 to the even neighbour
    EXPECT_EQ(UsageFromIdle(365, 1000), 64);  // 63.5
    EXPECT_EQ(UsageFromIdle(333, 1000), 67);
    // x = 37.49996 is kept as 37.5000, so 62.5 and then 62, not 62.50004 and 63.
    EXPECT_EQ(UsageFromIdle(3749996, 10000000), 62);
    // More idle than time: the counters of an idle machine read a moment apart.
    EXPECT_EQ(UsageFromIdle(1025, 1000), 0);
    EXPECT_EQ(UsageFromIdle(1e300, 1), 0);     // no overflow on the way to an integer
    EXPECT_EQ(UsageFromIdle(-10, 1000), 100);  // an idle counter that went back
}

TEST(HeldUsage, OnlyAFailureIsNegative) {
    EXPECT_EQ(HeldUsage(-1), 0);
    EXPECT_EQ(HeldUsage(-2'000'000'000), 0);
    EXPECT_EQ(HeldUsage(0), 0);
    EXPECT_EQ(HeldUsage(37), 37);
    EXPECT_EQ(HeldUsage(100), 100);
    EXPECT_EQ(HeldUsage(4'000'000'000.0), 100);
    EXPECT_EQ(HeldUsage(std::nan("")), 0);
}

// Answers the two queries from counters the test sets, checking how it is asked.
class FakeNtQuery final : public NtSystemQuery {
  public:
    std::int32_t Query(std::uint32_t infoClass, std::span<std::byte> buffer) override {
        asked.push_back(infoClass);
        sizes.push_back(buffer.size());
        for (const std::byte b : buffer) {
            zeroed = zeroed && b == std::byte{0};
        }
        const bool timeOfDay = infoClass == kSystemTimeOfDayInformation;
        if (timeOfDay ? failTimeOfDay : failPerformance) {
            return static_cast<std::int32_t>(0xC0000004);
        }
        Put(buffer, timeOfDay ? 8 : 0, timeOfDay ? systemTime : idleTime);
        if (timeOfDay) {
            Put(buffer, 0, 0x0123456789ABCDEF);  // boot time, not used
        }
        return 0;
    }
    std::int32_t ProcessorCount() override { return processors; }

    static void Put(std::span<std::byte> buffer, std::size_t offset, std::int64_t value) {
        for (std::size_t i = 0; i < 8; ++i) {
            buffer[offset + i] =
                static_cast<std::byte>(static_cast<std::uint64_t>(value) >> (8 * i));
        }
    }

    std::int64_t systemTime = 0;
    std::int64_t idleTime = 0;
    std::int32_t processors = 1;
    bool failTimeOfDay = false;
    bool failPerformance = false;
    std::vector<std::uint32_t> asked;
    std::vector<std::size_t> sizes;
    bool zeroed = true;
};

// A sampler on a fake query, the counters at some time of a running system.
struct NtRig {
    NtRig() {
        auto query = std::make_unique<FakeNtQuery>();
        query_ = query.get();
        query_->systemTime = 130'000'000'000'000'000;  // 100-ns units since 1601
        query_->idleTime = 5'000'000'000;
        info_ = std::make_unique<NtCpuInfo>(std::move(query));
    }
    // Moves both counters on by 100-ns units and samples.
    std::int32_t After(std::int64_t elapsed, std::int64_t idle) {
        query_->systemTime += elapsed;
        query_->idleTime += idle;
        return info_->GetNtCpuUsage();
    }

    FakeNtQuery* query_ = nullptr;
    std::unique_ptr<NtCpuInfo> info_;
};

class NtSampler : public ::testing::Test, public NtRig {};

constexpr std::int64_t kSecond = 10'000'000;

TEST_F(NtSampler, TheFirstCallPrimesThenIdleTimeAgainstElapsedTime) {
    EXPECT_EQ(info_->Start(), 0);
    EXPECT_EQ(query_->asked, (std::vector<std::uint32_t>{3, 2}));
    EXPECT_EQ(query_->sizes, (std::vector<std::size_t>{32, 312}));
    EXPECT_EQ(After(kSecond, kSecond), 0);
    EXPECT_EQ(After(kSecond, 0), 100);
    EXPECT_EQ(After(kSecond, kSecond / 4), 75);
    EXPECT_EQ(After(4 * kSecond, kSecond), 75);
    EXPECT_TRUE(query_->zeroed);  // every buffer zero-filled before each query
    EXPECT_EQ(info_->Stop(), 0);
}

TEST_F(NtSampler, IdleTimeOfAllProcessorsAgainstTheTimeOfAll) {
    query_->processors = 4;
    info_->GetNtCpuUsage();
    EXPECT_EQ(After(kSecond, 4 * kSecond), 0);  // idle: near -300 without the processor count
    EXPECT_EQ(After(kSecond, 3 * kSecond), 25);
    EXPECT_EQ(After(kSecond, 2 * kSecond), 50);  // two of four busy
    EXPECT_EQ(After(kSecond, 0), 100);
    EXPECT_EQ(After(kSecond, 5 * kSecond), 0);  // more idle than time: an idle machine
    query_->processors = 0;                     // a count that cannot be had counts as one
    EXPECT_EQ(After(kSecond, kSecond / 2), 50);
}

TEST_F(NtSampler, AFailedQueryKeepsThePreviousCounters) {
    info_->GetNtCpuUsage();
    query_->failTimeOfDay = true;
    EXPECT_EQ(After(kSecond, kSecond), -1);
    query_->failTimeOfDay = false;
    query_->failPerformance = true;
    EXPECT_EQ(After(kSecond, kSecond), -1);
    query_->failPerformance = false;
    EXPECT_EQ(After(kSecond, 0), 33);  // over all three seconds: 2 of 3 idle

    // A failure before the first success leaves nothing primed.
    NtRig fresh;
    fresh.query_->failPerformance = true;
    EXPECT_EQ(fresh.info_->Start(), -1);
    fresh.query_->failPerformance = false;
    EXPECT_EQ(fresh.info_->GetNtCpuUsage(), 0);
}

TEST_F(NtSampler, NoTimePassedOrTheClockWentBack) {
    info_->GetNtCpuUsage();
    EXPECT_EQ(After(0, 0), -1);
    EXPECT_EQ(After(-3600 * kSecond, 0), -1);  // clock set back: start afresh from here
    EXPECT_EQ(After(kSecond, kSecond / 2), 50);
}

TEST_F(NtSampler, SamplingDoesNotAllocate) {
    info_->GetNtCpuUsage();
    query_->asked.reserve(1000);  // what the fake itself records
    query_->sizes.reserve(1000);
    const std::size_t before = test::AllocationCount();
    for (int i = 0; i < 100; ++i) {
        After(kSecond, kSecond / 2);
    }
    EXPECT_EQ(test::AllocationCount(), before);
}

#ifdef _WIN32
TEST(NtSamplerLive, ReadsTheSystemCounters) {
    EXPECT_TRUE(IsWinNT());
    const auto query = MakeNtSystemQuery();
    std::array<std::byte, kTimeOfDayRecordSize> timeOfDay{};
    std::array<std::byte, kPerformanceRecordSize> performance{};
    EXPECT_EQ(query->Query(kSystemTimeOfDayInformation, timeOfDay), 0);
    EXPECT_EQ(query->Query(kSystemPerformanceInformation, performance), 0);
    EXPECT_GE(query->ProcessorCount(), 1);

    const auto sampler = MakeCpuSampler();
    ASSERT_EQ(sampler->Start(), 0);
    for (int i = 0; i < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        const std::int32_t usage = sampler->Sample();
        EXPECT_GE(usage, 0) << "reading " << i;
        EXPECT_LE(usage, 100) << "reading " << i;
    }
}
#endif

}  // namespace
}  // namespace moravel
