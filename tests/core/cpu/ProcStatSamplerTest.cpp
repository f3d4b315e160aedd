#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/cpu/ProcStatSampler.h"
#include "support/AllocationCounter.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

TEST(ParseProcStat, TheAggregateLine) {
    // user nice system idle iowait irq softirq steal guest guest_nice
    const auto times = ParseProcStat(
        "cpu  36730 1 8633 147427 888 2 71 52 900 7\ncpu0 1 2 3 4 5 6 7 8 9 10\nintr 1\n");
    ASSERT_TRUE(times);
    EXPECT_EQ(times->idle, 147427u + 888u);
    EXPECT_EQ(times->total, 36730u + 1 + 8633 + 147427 + 888 + 2 + 71 + 52);  // no guest time

    const auto old = ParseProcStat("cpu 10 20 30 40\n");  // a kernel without the later fields
    ASSERT_TRUE(old);
    EXPECT_EQ(old->idle, 40u);
    EXPECT_EQ(old->total, 100u);

    const auto huge = ParseProcStat("cpu 18446744073709551615 0 0 0");  // no newline is fine
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->total, 18446744073709551615u);
}

TEST(ParseProcStat, AnythingElseIsRefused) {
    EXPECT_FALSE(ParseProcStat(""));
    EXPECT_FALSE(ParseProcStat("cpu0 1 2 3 4\n"));         // one processor, not the sum
    EXPECT_FALSE(ParseProcStat("intr 1\ncpu 1 2 3 4\n"));  // the sum must come first
    EXPECT_FALSE(ParseProcStat("cpu 1 2 3\n"));            // no idle time
    EXPECT_FALSE(ParseProcStat("cpu 1 2 x 4\n"));
    EXPECT_FALSE(ParseProcStat("cpu 1 2 -3 4\n"));
    EXPECT_FALSE(ParseProcStat("cpu 1 2 3 4x\n"));
    EXPECT_FALSE(ParseProcStat("cpu 1 2 3 18446744073709551616\n"));  // too large
}

// A /proc/stat of our own: "cpu" with the given busy (user) and idle times.
class ProcStatFile : public ::testing::Test {
  protected:
    void Write(std::uint64_t busy, std::uint64_t idle) {
        test::WriteBytes(path_, "cpu  " + std::to_string(busy) + " 0 0 " + std::to_string(idle) +
                                    " 0 0 0 0 0 0\ncpu0 0 0 0 0\n");
    }
    test::TempFolder folder_;
    std::string path_ = folder_.File("stat");
    ProcStatSampler sampler_{path_};
};

TEST_F(ProcStatFile, TheFirstReadingPrimesThenBusyShareOfAllTime) {
    Write(1000, 5000);
    EXPECT_EQ(sampler_.Start(), 0);
    Write(1100, 5100);
    EXPECT_EQ(sampler_.Sample(), 50);
    Write(1100, 5300);
    EXPECT_EQ(sampler_.Sample(), 0);
    Write(1500, 5300);
    EXPECT_EQ(sampler_.Sample(), 100);
    Write(1503, 5304);  // 3 of 7: 42.857...
    EXPECT_EQ(sampler_.Sample(), 43);
    EXPECT_EQ(sampler_.Stop(), 0);
}

TEST_F(ProcStatFile, AFailedReadingKeepsThePreviousTimes) {
    EXPECT_EQ(sampler_.Start(), -1);  // no file yet
    Write(1000, 5000);
    EXPECT_EQ(sampler_.Sample(), 0);  // the first success primes
    test::WriteBytes(path_, "garbage\n");
    EXPECT_EQ(sampler_.Sample(), -1);
    test::WriteBytes(path_, std::string(2000, '7'));  // one endless line
    EXPECT_EQ(sampler_.Sample(), -1);
    Write(1300, 5100);
    EXPECT_EQ(sampler_.Sample(), 75);  // measured from the last good reading
}

TEST_F(ProcStatFile, NoTimePassedOrTheTimesWentBack) {
    Write(1000, 5000);
    sampler_.Start();
    EXPECT_EQ(sampler_.Sample(), -1);  // the same times again
    Write(10, 50);                     // counters reset: start afresh from them
    EXPECT_EQ(sampler_.Sample(), -1);
    Write(20, 60);
    EXPECT_EQ(sampler_.Sample(), 50);
}

TEST_F(ProcStatFile, IdleAheadOfTheTotalReadsZero) {
    Write(1000, 5000);
    sampler_.Start();
    Write(999, 5100);  // a busy counter read a moment back: 100 idle of 99 in all
    EXPECT_EQ(sampler_.Sample(), 0);
    Write(1049, 5150);
    EXPECT_EQ(sampler_.Sample(), 50);
}

TEST_F(ProcStatFile, SamplingDoesNotAllocate) {
    Write(1000, 5000);
    sampler_.Start();
    const std::size_t before = test::AllocationCount();
    for (int i = 0; i < 50; ++i) {
        sampler_.Sample();
    }
    EXPECT_EQ(test::AllocationCount(), before);
}

TEST(ProcStatLive, ReadsTheKernelTimes) {
    const auto sampler = MakeCpuSampler();
    ASSERT_EQ(sampler->Start(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::int32_t usage = sampler->Sample();
    EXPECT_GE(usage, 0);
    EXPECT_LE(usage, 100);
}

}  // namespace
}  // namespace moravel
