#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

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

TEST(ParseProcStatProcessors, ByNumberWithGapsAndOnlyWholeLines) {
    constexpr bool on = true;
    constexpr bool off = false;
    struct Case {
        const char* text;
        std::size_t count;
        std::vector<bool> online;  // of four places
    };
    const std::vector<Case> cases = {
        {"cpu 1 2 3 4\ncpu0 1 0 0 3\ncpu1 1 0 0 3\nintr 1\n", 2, {on, on, off, off}},
        // Processor 1 offline: the kernel leaves its line out.
        {"cpu 1 2 3 4\ncpu0 1 0 0 3\ncpu2 1 0 0 3\ncpu3 1 0 0 3\n", 4, {on, off, on, on}},
        {"cpu 1 2 3 4\ncpu3 1 0 0 3\n", 4, {off, off, off, on}},
        {"cpu 1 2 3 4\ncpu9 1 0 0 3\ncpu1 1 0 0 3\n", 2, {off, on, off, off}},  // past the end
        {"cpu 1 2 3 4\ncpu0 1 0 0 3\ncpu1 1 0 0", 1, {on, off, off, off}},  // cut off: not taken
        {"cpu 1 2 3 4\ncpu0 1 0 0 3\nintr 1\ncpu1 1 0 0 3\n", 1, {on, off, off, off}},
        {"cpu 1 2 3 4\ncpu0 1 0\ncpu1 1 0 0 3\n", 2, {off, on, off, off}},  // no idle time
        {"cpu 1 2 3 4\ncpux 1 0 0 3\ncpu1 1 0 0 3\n", 0, {off, off, off, off}},
        {"cpu 1 2 3 4\n", 0, {off, off, off, off}},
        {"", 0, {off, off, off, off}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::array<ProcessorTimes, 4> processors{};
        processors[0].online = true;  // whatever was there before
        EXPECT_EQ(ParseProcStatProcessors(c.text, processors), c.count);
        for (std::size_t i = 0; i < processors.size(); ++i) {
            EXPECT_EQ(processors[i].online, c.online[i]) << i;
        }
    }
    std::array<ProcessorTimes, 2> one{};
    ParseProcStatProcessors("cpu 0 0 0 0\ncpu1 10 2 3 40 5 6 7 8 9 10\n", one);
    EXPECT_EQ(one[1].times.idle, 45u);
    EXPECT_EQ(one[1].times.total, 81u);
}

// A /proc/stat whose processors each have the given busy and idle times (-1: offline).
class ProcessorsFile : public ProcStatFile {
  protected:
    void WriteProcessors(const std::vector<std::pair<int, int>>& times) {
        std::string text = "cpu  0 0 0 0\n";
        std::uint64_t busy = 0;
        std::uint64_t idle = 0;
        for (std::size_t i = 0; i < times.size(); ++i) {
            if (times[i].first >= 0) {
                text += "cpu" + std::to_string(i) + " " + std::to_string(times[i].first) + " 0 0 " +
                        std::to_string(times[i].second) + "\n";
                busy += static_cast<std::uint64_t>(times[i].first);
                idle += static_cast<std::uint64_t>(times[i].second);
            }
        }
        text.replace(0, text.find('\n'),
                     "cpu  " + std::to_string(busy) + " 0 0 " + std::to_string(idle));
        test::WriteBytes(path_, text + "intr 1 2 3\n");
    }
    std::vector<int> Readings() const {
        const auto span = sampler_.Processors();
        return {span.begin(), span.end()};
    }
    static constexpr int kOff = kProcessorOffline;
};

TEST_F(ProcessorsFile, EachProcessorOfflineAndBackAndTheSameTotal) {
    WriteProcessors({{0, 0}, {0, 0}, {0, 0}});
    ASSERT_EQ(sampler_.Start(), 0);
    EXPECT_TRUE(Readings().empty());  // not asked for: nothing read
    sampler_.ReadProcessors(true);
    WriteProcessors({{100, 0}, {50, 50}, {0, 100}});
    EXPECT_EQ(sampler_.Sample(), 50);
    EXPECT_EQ(Readings(), (std::vector<int>{kOff, kOff, kOff}));  // nothing to compare with
    WriteProcessors({{200, 0}, {75, 125}, {0, 200}});
    EXPECT_EQ(sampler_.Sample(), 42);  // 125 of 300, as the aggregate line says
    EXPECT_EQ(Readings(), (std::vector<int>{100, 25, 0}));
    // Processor 1 goes offline, then comes back with its old counters: one reading without.
    WriteProcessors({{300, 0}, {-1, -1}, {0, 300}});
    sampler_.Sample();
    EXPECT_EQ(Readings(), (std::vector<int>{100, kOff, 0}));
    WriteProcessors({{400, 0}, {75, 125}, {0, 400}});
    sampler_.Sample();
    EXPECT_EQ(Readings(), (std::vector<int>{100, kOff, 0}));
    WriteProcessors({{500, 0}, {175, 125}, {0, 500}, {0, 0}});  // and one more hot-plugged
    sampler_.Sample();
    EXPECT_EQ(Readings(), (std::vector<int>{100, 100, 0, kOff}));
    // The highest processor offline: its place stays.
    WriteProcessors({{600, 0}, {175, 225}, {0, 600}, {-1, -1}});
    sampler_.Sample();
    EXPECT_EQ(Readings(), (std::vector<int>{100, 0, 0, kOff}));
    // Counters that went back (a replaced processor) are not a reading.
    WriteProcessors({{1, 0}, {275, 225}, {0, 700}, {-1, -1}});
    sampler_.Sample();
    EXPECT_EQ(Readings(), (std::vector<int>{kOff, 100, 0, kOff}));
    // Idle time stepped back (iowait does) while the processor's time went on: busy, not offline.
    WriteProcessors({{2, 0}, {375, 220}, {100, 650}, {-1, -1}});
    sampler_.Sample();
    EXPECT_EQ(Readings(), (std::vector<int>{100, 100, 100, kOff}));

    const std::size_t before = test::AllocationCount();
    for (int i = 0; i < 20; ++i) {
        sampler_.Sample();
    }
    EXPECT_EQ(test::AllocationCount(), before);
    sampler_.ReadProcessors(false);
    EXPECT_TRUE(Readings().empty());
}

TEST(ProcStatLive, ReadsTheKernelTimes) {
    const auto sampler = MakeCpuSampler();
    ASSERT_EQ(sampler->Start(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::int32_t usage = sampler->Sample();
    EXPECT_GE(usage, 0);
    EXPECT_LE(usage, 100);
}

TEST(ProcStatLive, ReadsEveryOnlineProcessor) {
    ProcStatSampler sampler;
    sampler.ReadProcessors(true);
    ASSERT_EQ(sampler.Start(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_GE(sampler.Sample(), 0);
    const auto readings = sampler.Processors();
    EXPECT_GE(readings.size(), std::thread::hardware_concurrency());
    for (const std::uint8_t reading : readings) {
        EXPECT_TRUE(reading <= 100 || reading == kProcessorOffline);
    }
}

}  // namespace
}  // namespace moravel
