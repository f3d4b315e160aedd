#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "core/cpu/NtCpuInfo.h"
#include "support/AllocationCounter.h"
#include "support/FakeNtMachine.h"

#ifdef _WIN32
#include <windows.h>

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

TEST(UsageFromPercent, NearestWholeHeldTo0To100) {
    EXPECT_EQ(UsageFromPercent(42.5), 42);  // halves to even
    EXPECT_EQ(UsageFromPercent(43.5), 44);
    EXPECT_EQ(UsageFromPercent(137.2), 100);  // a utility above the base frequency
    EXPECT_EQ(UsageFromPercent(-3), 0);
    EXPECT_EQ(UsageFromPercent(std::nan("")), 0);
}

using test::FakeNtMachine;
using test::kNtSecond;
using Calls = std::vector<std::string>;

// A sampler on a machine of the given processor groups.
struct NtRig {
    explicit NtRig(std::vector<std::int32_t> groups = {1})
        : machine(std::move(groups)), info(machine.MakeQuery()) {}
    std::vector<std::string> TakeCalls() {
        std::vector<std::string> calls;
        calls.swap(machine.calls);
        return calls;
    }

    FakeNtMachine machine;
    NtCpuInfo info;
};

TEST(NtSampler, TheFirstCallPrimesThenIdleTimeAgainstRunningTime) {
    NtRig rig;
    EXPECT_EQ(rig.info.Start(), 0);
    EXPECT_EQ(rig.TakeCalls(), Calls{"plain"});  // one group: the plain query
    rig.machine.Run(1, 0);
    EXPECT_EQ(rig.info.Sample(), 0);
    rig.machine.Run(1, 100);
    EXPECT_EQ(rig.info.Sample(), 100);
    rig.machine.Run(1, 25);
    EXPECT_EQ(rig.info.Sample(), 25);
    rig.machine.Run(4, 75);
    EXPECT_EQ(rig.info.Sample(), 75);
    EXPECT_TRUE(rig.machine.zeroed);  // every buffer zero-filled before each query
    EXPECT_EQ(rig.info.Stop(), 0);
}

TEST(NtSampler, OneTwoAndManyProcessorsEachCountOnce) {
    // The idle times of all processors against the running time of all of them.
    for (const std::vector<std::int32_t>& groups :
         std::vector<std::vector<std::int32_t>>{{1}, {2}, {3}, {12}, {64}, {64, 64}, {64, 64, 8}}) {
        NtRig rig(groups);
        const std::int32_t n = rig.machine.processors();
        SCOPED_TRACE(n);
        ASSERT_EQ(rig.info.Start(), 0);
        rig.machine.Run(1, 30);
        EXPECT_EQ(rig.info.Sample(), 30);
        rig.machine.Run(1, 0);
        EXPECT_EQ(rig.info.Sample(), 0);
        rig.machine.RunBusy(1, n);
        EXPECT_EQ(rig.info.Sample(), 100);
        rig.machine.RunBusy(2, 1);  // one processor busy
        EXPECT_EQ(rig.info.Sample(), UsageFromIdle(n - 1, n));
        if (n % 2 == 0) {
            rig.machine.RunBusy(1, n / 2);
            EXPECT_EQ(rig.info.Sample(), 50);
        }
    }
}

TEST(NtSampler, EveryProcessorGroupIsRead) {
    NtRig rig({64, 64, 8});
    ASSERT_EQ(rig.info.Start(), 0);
    EXPECT_EQ(rig.TakeCalls(), (Calls{"group 0", "group 1", "group 2"}));
    rig.machine.RunBusy(1, 64);        // the first group busy, the others idle
    EXPECT_EQ(rig.info.Sample(), 47);  // 64 of 136
    rig.TakeCalls();

    // A group that cannot be read fails the whole reading, which then spans the longer time.
    rig.machine.failingGroup = 1;
    rig.machine.RunBusy(1, 0);
    EXPECT_EQ(rig.info.Sample(), -1);
    rig.machine.failingGroup = -1;
    rig.machine.RunBusy(1, 136);
    EXPECT_EQ(rig.info.Sample(), 50);

    // Several groups and no extended query: a failure, never a reading of the first group alone.
    rig.machine.extendedMissing = true;
    rig.machine.Run(1, 10);
    EXPECT_EQ(rig.info.Sample(), -1);
}

TEST(NtSampler, EachProcessorInEveryGroupInOrder) {
    for (const std::vector<std::int32_t>& groups :
         std::vector<std::vector<std::int32_t>>{{1}, {12}, {64, 64, 8}}) {
        NtRig rig(groups);
        const auto n = static_cast<std::size_t>(rig.machine.processors());
        SCOPED_TRACE(n);
        ASSERT_EQ(rig.info.Start(), 0);
        EXPECT_TRUE(rig.info.Processors().empty());  // not asked for
        rig.info.ReadProcessors(true);
        const std::size_t busy = (n + 1) / 2;  // the first half, across a group's end
        rig.machine.RunBusy(1, static_cast<std::int32_t>(busy));
        const std::int32_t total = rig.info.Sample();
        EXPECT_EQ(total, UsageFromIdle(static_cast<double>(n - busy), static_cast<double>(n)));
        std::vector<std::uint8_t> expected(n, 0);
        std::fill(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(busy), 100);
        const auto readings = rig.info.Processors();
        EXPECT_EQ(std::vector<std::uint8_t>(readings.begin(), readings.end()), expected);

        // A processor added: nothing to compare any of them with for one reading, then all.
        rig.machine.AddProcessor();
        rig.machine.Run(1, 30);
        EXPECT_EQ(rig.info.Sample(), -1);
        EXPECT_EQ(rig.info.Processors().size(), n + 1);
        for (const std::uint8_t reading : rig.info.Processors()) {
            EXPECT_EQ(reading, kProcessorOffline);
        }
        rig.machine.Run(1, 30);
        EXPECT_EQ(rig.info.Sample(), 30);
        for (const std::uint8_t reading : rig.info.Processors()) {
            EXPECT_EQ(reading, 30);
        }
    }
}

TEST(NtSampler, OneGroupNeedsNoExtendedQuery) {
    NtRig rig({8});
    rig.machine.extendedMissing = true;
    ASSERT_EQ(rig.info.Start(), 0);
    rig.machine.Run(1, 40);
    EXPECT_EQ(rig.info.Sample(), 40);
    EXPECT_EQ(rig.TakeCalls(), (Calls{"plain", "plain"}));
}

TEST(NtSampler, AFailedQueryKeepsThePreviousCounters) {
    NtRig rig;
    rig.info.Start();
    rig.machine.failingGroup = 0;
    rig.machine.Run(1, 0);
    EXPECT_EQ(rig.info.Sample(), -1);
    rig.machine.Run(1, 0);
    EXPECT_EQ(rig.info.Sample(), -1);
    rig.machine.failingGroup = -1;
    rig.machine.Run(1, 100);
    EXPECT_EQ(rig.info.Sample(), 33);  // over all three seconds: 1 of 3 busy

    // A failure before the first success leaves nothing primed.
    NtRig fresh;
    fresh.machine.failingGroup = 0;
    EXPECT_EQ(fresh.info.Start(), -1);
    fresh.machine.failingGroup = -1;
    EXPECT_EQ(fresh.info.Sample(), 0);
}

TEST(NtSampler, SleepAndClockChangesAreNoElapsedTime) {
    NtRig rig({4});
    rig.info.Start();
    rig.machine.Run(1, 20);
    EXPECT_EQ(rig.info.Sample(), 20);
    rig.machine.Run(0.5, 20);
    rig.machine.Sleep(3600);
    rig.machine.Run(0.5, 20);
    EXPECT_EQ(rig.info.Sample(), 20);  // not the hour of sleep as busy time
    rig.machine.SetClockBy(365 * 86400);
    rig.machine.Run(1, 20);
    EXPECT_EQ(rig.info.Sample(), 20);
    rig.machine.Run(0.5, 20);
    rig.machine.SetClockBy(-86400);
    rig.machine.Run(0.5, 20);
    EXPECT_EQ(rig.info.Sample(), 20);  // not dropped, and no fresh start
}

TEST(NtSampler, IdleTimeAheadOfTheRunningTimeReadsZero) {
    NtRig rig({2});
    rig.info.Start();
    rig.machine.Run(1, 0);
    rig.machine.idle[0] += kNtSecond / 20;  // x = 102.5
    EXPECT_EQ(rig.info.Sample(), 0);
    rig.machine.Run(1, 0);
    EXPECT_EQ(rig.info.Sample(), 0);
}

// Windows 11 22H2 and 23H2 count the performance information's idle time far too fast, which
// would read as an idle machine; the idle information's is right, group by group.
TEST(NtSampler, TheIdleInformationIsReadWhereThePerformanceIdleRunsFast) {
    for (const std::vector<std::int32_t>& groups :
         std::vector<std::vector<std::int32_t>>{{1}, {4}, {64, 64, 8}}) {
        NtRig rig(groups);
        SCOPED_TRACE(rig.machine.processors());
        rig.machine.performanceIdleRate = 1.6;
        ASSERT_EQ(rig.info.Start(), 0);
        rig.machine.Run(1, 30);
        EXPECT_EQ(rig.info.Sample(), 30);
    }
}

// Where the idle information cannot be read, all processors' idle times come from the
// performance information. Its counters count from elsewhere: a reading from the other
// information than the previous one starts afresh.
TEST(NtSampler, ThePerformanceInformationStandsInForTheIdleInformation) {
    using IdleClass = FakeNtMachine::IdleClass;
    struct Case {
        const char* name;
        std::vector<std::int32_t> groups;
        IdleClass idleClass;
        std::int32_t failingGroup;
    };
    const Case cases[] = {
        {"unknown class", {4}, IdleClass::Unknown, -1},
        {"no records", {4}, IdleClass::NoRecords, -1},
        {"the second group fails", {64, 64}, IdleClass::Answers, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NtRig rig(c.groups);
        for (std::int64_t& time : rig.machine.performanceIdle) {
            time += 3600 * kNtSecond;  // counted from another start
        }
        const auto readable = [&](bool yes) {
            rig.machine.idleClass = yes ? IdleClass::Answers : c.idleClass;
            rig.machine.idleClassFailingGroup = yes ? -1 : c.failingGroup;
        };
        readable(false);
        ASSERT_EQ(rig.info.Start(), 0);
        rig.machine.Run(1, 30);
        EXPECT_EQ(rig.info.Sample(), 30);

        readable(true);
        rig.machine.Run(1, 30);
        EXPECT_EQ(rig.info.Sample(), -1);
        rig.machine.Run(1, 40);
        EXPECT_EQ(rig.info.Sample(), 40);
    }
}

// Each processor's idle time is read a moment apart from the others' and from the running time:
// none counts as idle for less than none or more than all of the time that passed, so one
// counter's error does not cancel or add to another's busy time.
TEST(NtSampler, NoProcessorIsIdleLessThanNeverOrMoreThanAlways) {
    struct Case {
        std::size_t processor;  // the first is busy, the second idle
        std::int64_t offset;
    };
    const Case cases[] = {
        {1, kNtSecond / 20},   // the idle one read a little late
        {0, -kNtSecond / 20},  // the busy one read early: its counter went back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        NtRig rig({2});
        ASSERT_EQ(rig.info.Start(), 0);
        rig.machine.RunBusy(1, 1);
        rig.machine.idle[c.processor] += c.offset;
        EXPECT_EQ(rig.info.Sample(), 50);
    }
}

TEST(NtSampler, NoRunningTimePassedOrOtherProcessors) {
    NtRig rig({2});
    rig.info.Start();
    EXPECT_EQ(rig.info.Sample(), -1);  // no time: no reading, the counters stay
    rig.machine.Run(1, 50);
    EXPECT_EQ(rig.info.Sample(), 50);

    // A processor came online: its idle time is not part of the previous sum.
    rig.machine.AddProcessor();
    rig.machine.Run(1, 10);
    EXPECT_EQ(rig.info.Sample(), -1);
    rig.machine.RunBusy(1, 1);
    EXPECT_EQ(rig.info.Sample(), 33);  // 1 of 3
}

TEST(NtSampler, SamplingDoesNotAllocate) {
    NtRig rig({64, 64});
    rig.info.Start();
    rig.machine.calls.reserve(1000);  // what the fake itself records
    const std::size_t before = test::AllocationCount();
    for (int i = 0; i < 100; ++i) {
        rig.machine.Run(1, 50);
        rig.info.Sample();
    }
    EXPECT_EQ(test::AllocationCount(), before);
}

#ifdef _WIN32
TEST(NtSamplerLive, ReadsTheSystemCounters) {
    EXPECT_TRUE(IsWinNT());
    const auto query = MakeNtSystemQuery();
    std::array<std::byte, kProcessorRecordSize * kMaxGroupProcessors> records{};
    std::uint32_t returned = 0;
    EXPECT_EQ(query->Query(kSystemProcessorPerformanceInformation, records, returned), 0);
    EXPECT_EQ(returned % kProcessorRecordSize, 0u);
    EXPECT_EQ(returned / kProcessorRecordSize, GetActiveProcessorCount(0));
    EXPECT_GE(query->GroupCount(), 1);

    const std::int64_t before = query->RunningTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const std::int64_t passed = query->RunningTime() - before;
    EXPECT_GT(passed, 3 * kNtSecond / 10);  // 100-ns units
    EXPECT_LT(passed, 10 * kNtSecond);

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
