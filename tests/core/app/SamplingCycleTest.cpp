#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/app/SamplingCycle.h"
#include "core/cpu/NtCpuInfo.h"
#include "core/os/Clock.h"
#include "support/AllocationCounter.h"
#include "support/FakeClock.h"
#include "support/FakeCpuSampler.h"
#include "support/FakeNtMachine.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

constexpr std::int64_t kStart = 1'700'000'000;  // a second of the machine's running time

// The newest `n` samples of the history, oldest first.
std::vector<std::int32_t> NewestOf(const SamplingCycle& cycle, int n) {
    std::vector<std::int32_t> values(static_cast<std::size_t>(n));
    std::int32_t slot = cycle.HistoryPos;
    for (int i = n - 1; i >= 0; --i) {
        slot = cycle.PrevIndex(slot);
        values[static_cast<std::size_t>(i)] = cycle.UsageHistory[slot];
    }
    return values;
}

class Sampling : public ::testing::Test {
  protected:
    Sampling() {
        auto fake = std::make_unique<FakeCpuSampler>();
        sampler_ = fake.get();
        settings_.Cycle = 1000;  // no refreshes unless a test wants them
        cycle_ = std::make_unique<SamplingCycle>(std::move(fake), clock_, settings_,
                                                 [this](std::int32_t u) {
                                                     refreshes_.push_back(u);
                                                     refreshTicks_.push_back(ticks_);
                                                 });
        clock_.now = kStart;
    }

    void Start(std::int32_t slots) { ASSERT_EQ(cycle_->StartSampling(slots), 0); }

    // Moves the clock by `seconds` and ticks with the reading `usage`.
    void TickAfter(std::int64_t seconds, std::int32_t usage) {
        clock_.now += seconds;
        sampler_->usage = usage;
        ++ticks_;
        cycle_->Tick();
    }

    std::vector<std::int32_t> Newest(int n) const { return NewestOf(*cycle_, n); }

    FakeClock clock_;
    SettingsRecord settings_;
    FakeCpuSampler* sampler_ = nullptr;
    std::unique_ptr<SamplingCycle> cycle_;
    std::vector<std::int32_t> refreshes_;
    std::vector<int> refreshTicks_;
    int ticks_ = 0;
};

using Samples = std::vector<std::int32_t>;

TEST_F(Sampling, StartSizesAnEmptyHistoryAndPrimesTheSampler) {
    Start(5);
    EXPECT_EQ(cycle_->HistoryCount, 5);
    EXPECT_EQ(cycle_->UsageHistory, Samples(5, 0));
    EXPECT_EQ(cycle_->HistoryPos, 0);
    EXPECT_EQ(cycle_->LastSampleTime, kStart);
    EXPECT_EQ(sampler_->starts, 1);
    EXPECT_EQ(cycle_->PrevIndex(0), 4);
    EXPECT_EQ(cycle_->NextIndex(4), 0);
    EXPECT_EQ(cycle_->PrevIndex(3), 2);
    EXPECT_EQ(cycle_->NextIndex(3), 4);
}

TEST_F(Sampling, ASamplerThatCannotStartFailsTheStartAndNothingTicks) {
    sampler_->startResult = -1;
    EXPECT_EQ(cycle_->StartSampling(5), -1);
    TickAfter(1, 50);
    EXPECT_EQ(sampler_->samples, 0);
    EXPECT_EQ(cycle_->UsageHistory, Samples(5, 0));
}

TEST_F(Sampling, OneSamplePerSecondWrappingAroundTheRing) {
    Start(3);
    TickAfter(1, 10);
    TickAfter(1, 20);
    TickAfter(1, 30);
    EXPECT_EQ(cycle_->UsageHistory, (Samples{10, 20, 30}));
    EXPECT_EQ(cycle_->HistoryPos, 0);
    TickAfter(1, 40);
    EXPECT_EQ(cycle_->UsageHistory, (Samples{40, 20, 30}));
    EXPECT_EQ(cycle_->HistoryPos, 1);
    EXPECT_EQ(cycle_->LastSampleTime, kStart + 4);
}

TEST_F(Sampling, TicksThatAppendNothing) {
    Start(4);
    TickAfter(1, 10);
    const std::int32_t counter = cycle_->RedrawCounter;

    TickAfter(0, 99);  // the same second
    EXPECT_EQ(cycle_->UsageHistory, (Samples{10, 0, 0, 0}));
    EXPECT_EQ(cycle_->RedrawCounter, counter);

    TickAfter(-100, 99);  // a clock that went back: nothing until it passes the last sample
    TickAfter(99, 99);
    TickAfter(1, 99);
    EXPECT_EQ(cycle_->UsageHistory, (Samples{10, 0, 0, 0}));
    EXPECT_EQ(cycle_->LastSampleTime, kStart + 1);
    EXPECT_EQ(cycle_->RedrawCounter, counter);
    TickAfter(1, 30);
    EXPECT_EQ(cycle_->UsageHistory, (Samples{10, 30, 0, 0}));

    sampler_->script = {-1};  // a failed reading
    TickAfter(1, 0);
    EXPECT_EQ(cycle_->HistoryPos, 2);
    EXPECT_EQ(cycle_->LastSampleTime, kStart + 2);
}

TEST_F(Sampling, GapsAreFilledWithBlendedAndBusySeconds) {
    Start(10);
    // The first tick blends with the slot before slot 0, the last one, still 0.
    TickAfter(2, 40);
    EXPECT_EQ(Newest(2), (Samples{20, 40}));

    TickAfter(1, 20);
    TickAfter(2, 30);  // (20 + 30) / 2
    EXPECT_EQ(Newest(2), (Samples{25, 30}));

    TickAfter(1, 20);
    TickAfter(5, 30);
    EXPECT_EQ(Newest(5), (Samples{60, 100, 100, 65, 30}));

    TickAfter(1, 21);
    TickAfter(3, 33);  // 60.5 and 66.5 go to the even neighbour
    EXPECT_EQ(Newest(3), (Samples{60, 66, 33}));
    EXPECT_EQ(cycle_->LastSampleTime, kStart + 15);
}

TEST_F(Sampling, ReadingsAbove100AreStoredAs100) {
    Start(3);
    TickAfter(1, 250);
    EXPECT_EQ(Newest(1), (Samples{100}));
}

// The plain way: every sample of a tick written one after the other.
void AppendOneByOne(std::vector<std::int32_t>& history, std::int32_t& pos, std::int64_t c,
                    std::int32_t u) {
    const auto n = static_cast<std::int32_t>(history.size());
    const auto next = [n](std::int32_t i) { return i + 1 >= n ? 0 : i + 1; };
    const std::int32_t p = history[pos - 1 < 0 ? n - 1 : pos - 1];
    const auto write = [&](std::int32_t v) {
        history[pos] = v;
        pos = next(pos);
    };
    if (c == 2) {
        write(static_cast<std::int32_t>(std::nearbyint(p * 0.5 + u * 0.5)));
    } else if (c >= 3) {
        write(static_cast<std::int32_t>(std::nearbyint(p * 0.5 + 50)));
        for (std::int64_t i = 0; i < c - 3; ++i) {
            write(100);
        }
        write(static_cast<std::int32_t>(std::nearbyint(u * 0.5 + 50)));
    }
    write(u);
}

TEST_F(Sampling, LongGapsEndExactlyAsIfEverySampleWereWritten) {
    constexpr std::int32_t n = 7;
    for (const std::int64_t c : {n - 1, n, n + 1, 2 * n + 3, 3600}) {
        for (std::int32_t startPos = 0; startPos < n; ++startPos) {
            Start(n);
            // A full history of distinct values, the next slot at startPos.
            for (std::int32_t i = 0; i < n + startPos; ++i) {
                TickAfter(1, 10 + i);
            }
            std::vector<std::int32_t> expected = cycle_->UsageHistory;
            std::int32_t expectedPos = cycle_->HistoryPos;
            AppendOneByOne(expected, expectedPos, c, 17);

            const std::int64_t before = clock_.now;
            TickAfter(c, 17);
            EXPECT_EQ(cycle_->UsageHistory, expected) << "c = " << c << ", start " << startPos;
            EXPECT_EQ(cycle_->HistoryPos, expectedPos) << "c = " << c << ", start " << startPos;
            EXPECT_EQ(cycle_->LastSampleTime, before + c);
        }
    }
}

TEST_F(Sampling, AHundredYearJumpWritesOnlyTheRing) {
    Start(1000);
    TickAfter(1, 50);
    const std::int64_t c = std::int64_t{100} * 36525 * 86400 / 100;  // 100 years of seconds
    TickAfter(c, 30);
    EXPECT_EQ(cycle_->HistoryPos, static_cast<std::int32_t>((1 + c) % 1000));
    EXPECT_EQ(cycle_->LastSampleTime, kStart + 1 + c);
    EXPECT_EQ(Newest(3), (Samples{100, 65, 30}));
    EXPECT_EQ(std::count(cycle_->UsageHistory.begin(), cycle_->UsageHistory.end(), 100), 998);
    TickAfter(1, 20);  // and sampling goes on
    EXPECT_EQ(Newest(2), (Samples{30, 20}));
}

TEST_F(Sampling, RefreshOnTheTickAfterCycleAppendingTicksThenEveryCycle) {
    settings_.Cycle = 3;
    Start(10);
    for (int i = 0; i < 10; ++i) {
        TickAfter(1, i);
        TickAfter(0, 99);  // same second: does not count
    }
    // Appending ticks are the odd ones here: the 4th, 7th and 10th of them refresh.
    EXPECT_EQ(refreshes_, (Samples{3, 6, 9}));
    EXPECT_EQ(refreshTicks_, (std::vector<int>{7, 13, 19}));

    refreshes_.clear();
    settings_.Cycle = 1;  // read on every tick
    TickAfter(1, 50);
    TickAfter(1, 51);
    TickAfter(1, 52);
    EXPECT_EQ(refreshes_, (Samples{50, 51, 52}));
}

TEST_F(Sampling, CycleOfOneRefreshesFromTheSecondAppendingTick) {
    settings_.Cycle = 1;
    Start(10);
    TickAfter(1, 11);
    EXPECT_TRUE(refreshes_.empty());
    TickAfter(1, 12);
    TickAfter(3, 13);  // a gap is one appending tick
    EXPECT_EQ(refreshes_, (Samples{12, 13}));
}

TEST_F(Sampling, StopReleasesTheSamplerOnceAndEndsTheTicks) {
    Start(4);
    TickAfter(1, 10);
    cycle_->StopSampling();
    cycle_->StopSampling();
    EXPECT_EQ(sampler_->stops, 1);
    const int samples = sampler_->samples;
    TickAfter(1, 20);
    EXPECT_EQ(sampler_->samples, samples);
    EXPECT_EQ(cycle_->UsageHistory, (Samples{10, 0, 0, 0}));
}

TEST_F(Sampling, TicksDoNotAllocate) {
    settings_.Cycle = 2;
    Start(1920);
    TickAfter(1, 5);
    refreshes_.reserve(5000);  // what the test's own refresh records
    refreshTicks_.reserve(5000);
    const std::size_t before = test::AllocationCount();
    for (int i = 0; i < 5000; ++i) {
        TickAfter(i % 100 == 0 ? 3600 : 1, i % 101);
    }
    EXPECT_EQ(test::AllocationCount(), before);
    EXPECT_FALSE(refreshes_.empty());
}

// The cycle on a Windows machine of four processors: the NT sampler over the native query, the
// ticks timed by the machine's running time.
class OnAMachine : public ::testing::Test {
  protected:
    OnAMachine()
        : cycle_(std::make_unique<NtCpuInfo>(machine_.MakeQuery()), machine_.clock, settings_,
                 nullptr) {
        settings_.Cycle = 1000;
        EXPECT_EQ(cycle_.StartSampling(100), 0);
    }
    // `seconds` of running at `percent` load, then the timer's tick.
    void RunAndTick(double seconds, double percent) {
        machine_.Run(seconds, percent);
        cycle_.Tick();
    }
    // The slots written since the history was last looked at.
    std::vector<std::int32_t> Appended() {
        const std::int32_t count =
            (cycle_.HistoryPos - seen_ + cycle_.HistoryCount) % cycle_.HistoryCount;
        seen_ = cycle_.HistoryPos;
        return NewestOf(cycle_, count);
    }

    test::FakeNtMachine machine_{{4}};
    SettingsRecord settings_;
    SamplingCycle cycle_;
    std::int32_t seen_ = 0;
};

TEST_F(OnAMachine, AnHourOfSleepIsOneOrdinaryTick) {
    for (int i = 0; i < 5; ++i) {
        RunAndTick(1, 20);
    }
    EXPECT_EQ(Appended(), Samples(5, 20));
    machine_.Run(0.4, 20);
    machine_.Sleep(3600);
    RunAndTick(0.6, 20);
    EXPECT_EQ(Appended(), Samples{20});
    RunAndTick(1, 20);
    EXPECT_EQ(Appended(), Samples{20});
}

TEST_F(OnAMachine, TheClockSetAYearForwardOrADayBackIsOneOrdinaryTick) {
    RunAndTick(1, 20);
    machine_.SetClockBy(366 * 86400);
    RunAndTick(1, 30);
    EXPECT_EQ(Appended(), (Samples{20, 30}));
    machine_.SetClockBy(-86400);
    RunAndTick(1, 40);
    RunAndTick(1, 50);  // and the graph goes on
    EXPECT_EQ(Appended(), (Samples{40, 50}));
}

TEST_F(OnAMachine, AFiveSecondStallWhileAwakeFillsTheGap) {
    RunAndTick(1, 20);
    RunAndTick(5, 30);  // five seconds without a tick: a busy machine
    EXPECT_EQ(Appended(), (Samples{20, 60, 100, 100, 65, 30}));
}

TEST_F(OnAMachine, AnIdleMachineWhoseIdleTimeRunsAheadDrawsNoSpike) {
    // The idle times and the running time are read a moment apart: the idle sum comes out a
    // little ahead twice, then a little behind.
    const std::int64_t offsets[] = {test::kNtSecond / 20, test::kNtSecond / 10, 0};
    std::int64_t previous = 0;
    for (int i = 0; i < 12; ++i) {
        machine_.Run(1, 0);
        machine_.idle[0] += offsets[i % 3] - previous;
        previous = offsets[i % 3];
        cycle_.Tick();
    }
    // 0, 0 and then 2 (100 - 97.5), where dropping the first two drew 50, 50, 51.
    EXPECT_EQ(Appended(), (Samples{0, 0, 2, 0, 0, 2, 0, 0, 2, 0, 0, 2}));
}

// Each processor's newest `n` samples, oldest first (kOff: no reading).
constexpr std::int32_t kOff = kProcessorOffline;
Samples NewestOfProcessor(const SamplingCycle& cycle, std::int32_t processor, int n) {
    const std::uint8_t* row = cycle.Processors().Row(processor);
    Samples values(static_cast<std::size_t>(n));
    std::int32_t slot = cycle.HistoryPos;
    for (int i = n - 1; i >= 0; --i) {
        slot = cycle.PrevIndex(slot);
        values[static_cast<std::size_t>(i)] = row[slot];
    }
    return values;
}

TEST_F(Sampling, EachProcessorsHistoryIsFilledByTheTotalsRule) {
    Start(10);
    sampler_->processors = {40, 20};
    TickAfter(1, 30);
    EXPECT_TRUE(cycle_->ProcessorHistory.empty());  // not asked for
    cycle_->ReadProcessors(true);
    EXPECT_TRUE(sampler_->readsProcessors);
    TickAfter(1, 30);
    ASSERT_EQ(cycle_->ProcessorCount, 2);
    EXPECT_EQ(NewestOfProcessor(*cycle_, 0, 2), (Samples{0, 40}));  // from 0, as the total
    // Processor 1 goes offline, a third comes, and the tick is 5 seconds late.
    sampler_->processors = {30, kOff, 90};
    TickAfter(5, 30);
    ASSERT_EQ(cycle_->ProcessorCount, 3);
    EXPECT_EQ(NewestOfProcessor(*cycle_, 0, 5), (Samples{70, 100, 100, 65, 30}));
    EXPECT_EQ(NewestOfProcessor(*cycle_, 1, 5), (Samples(5, kOff)));
    EXPECT_EQ(NewestOfProcessor(*cycle_, 2, 5), (Samples{kOff, 100, 100, 95, 90}));
    EXPECT_EQ(Newest(5), (Samples{65, 100, 100, 65, 30}));  // the total as ever
    sampler_->processors = {20, 60, 90};
    TickAfter(2, 30);
    EXPECT_EQ(NewestOfProcessor(*cycle_, 0, 2), (Samples{25, 20}));
    EXPECT_EQ(NewestOfProcessor(*cycle_, 1, 2), (Samples{kOff, 60}));
    EXPECT_EQ(cycle_->Busiest(), std::make_pair(2, 90));
    sampler_->processors = {kOff, kOff, kOff};
    TickAfter(1, 30);
    EXPECT_EQ(cycle_->Busiest(), std::make_pair(-1, -1));

    // A long gap writes each row only where the ring has room, as the total.
    sampler_->processors = {10, 20, 30};
    TickAfter(1, 30);
    const std::size_t before = test::AllocationCount();
    TickAfter(3600, 50);
    EXPECT_EQ(test::AllocationCount(), before);
    EXPECT_EQ(NewestOfProcessor(*cycle_, 2, 10),
              (Samples{100, 100, 100, 100, 100, 100, 100, 100, 65, 30}));
    cycle_->ReadProcessors(false);
    EXPECT_FALSE(sampler_->readsProcessors);
    EXPECT_EQ(cycle_->ProcessorCount, 0);
    EXPECT_TRUE(cycle_->ProcessorHistory.empty());
}

TEST_F(Sampling, TestDataOfEachProcessorWhileTheyAreRead) {
    Start(4);
    EXPECT_EQ(cycle_->LoadTestData("30,10,90\r\n"), 0);  // the total view takes plain lines only
    cycle_->ReadProcessors(true);
    EXPECT_EQ(cycle_->LoadTestData("30,10,90\r\n40,,95\r\n"), 2);
    EXPECT_EQ(cycle_->ProcessorCount, 2);
    EXPECT_EQ(NewestOf(*cycle_, 2), (Samples{30, 40}));
    EXPECT_EQ(NewestOfProcessor(*cycle_, 0, 2), (Samples{10, kOff}));
    EXPECT_EQ(NewestOfProcessor(*cycle_, 1, 2), (Samples{90, 95}));
}

TEST(ProcessorHistoryText, TheTotalFirstThenEachProcessor) {
    std::vector<std::int32_t> totals(4, -1);
    std::vector<std::uint8_t> rows;
    std::int32_t processors = -1;
    EXPECT_EQ(ReadProcessorHistoryText("37,10,98\r\n50, ,99.5, 7\r\n12\r\nx,1\r\n", totals, &rows,
                                       processors),
              3);
    EXPECT_EQ(processors, 3);
    EXPECT_EQ(totals, (Samples{37, 50, 12, -1}));
    EXPECT_EQ(Samples(rows.begin(), rows.end()),
              (Samples{10, kOff, kOff, kOff, 98, 100, kOff, kOff, kOff, 7, kOff, kOff}));
    // A plain history is one with no processors; the totals alone need no rows.
    EXPECT_EQ(ReadProcessorHistoryText("5\r\n6\r\n", totals, nullptr, processors), 2);
    EXPECT_EQ(processors, 0);
    EXPECT_EQ(totals[1], 6);
}

TEST_F(Sampling, TestDataFillsTheHistoryFromSlotZero) {
    Start(10);
    EXPECT_EQ(cycle_->LoadTestData("150\r\n-3\r\nabc\r\n40\r\n"), 2);
    EXPECT_EQ(Samples(cycle_->UsageHistory.begin(), cycle_->UsageHistory.begin() + 3),
              (Samples{100, 0, 0}));
    EXPECT_EQ(cycle_->HistoryPos, 2);

    EXPECT_EQ(cycle_->LoadTestData(" 42.5\t\r\n43.5\r\n&H20\r\n+7\r\n1e300\r\n-1e300\r\n0.49\r\n"
                                   "99.5\r\n100.5\r\n"),
              9);
    EXPECT_EQ(Samples(cycle_->UsageHistory.begin(), cycle_->UsageHistory.begin() + 9),
              (Samples{42, 44, 32, 7, 100, 0, 0, 100, 100}));
    EXPECT_EQ(cycle_->HistoryPos, 9);
}

TEST_F(Sampling, TestDataStopsAtTheFirstLineItCannotTake) {
    Start(3);
    EXPECT_EQ(cycle_->LoadTestData("5\r\n6"), 1);          // the last line lacks CR LF
    EXPECT_EQ(cycle_->LoadTestData("5\n6\r\n7\r\n"), 0);   // LF alone does not end a line
    EXPECT_EQ(cycle_->LoadTestData("5\r\n\r\n7\r\n"), 1);  // an empty line is not a number
    EXPECT_EQ(cycle_->LoadTestData(""), 0);
    EXPECT_EQ(cycle_->HistoryPos, 0);
    EXPECT_EQ(cycle_->LoadTestData("1\r\n2\r\n3\r\n4\r\n5\r\n"), 3);  // the history is full
    EXPECT_EQ(cycle_->UsageHistory, (Samples{1, 2, 3}));
    EXPECT_EQ(cycle_->HistoryPos, 0);  // 3 mod 3
}

TEST_F(Sampling, TestDataFileInTheProgramFolder) {
    test::TempFolder folder;
    test::ScopedProgramFolder home(folder.path());
    Start(4);
    EXPECT_EQ(TestDataFilePath(), folder.File("TestData.dat"));
    EXPECT_EQ(cycle_->LoadTestDataFile(TestDataFilePath()), 0);  // missing
    test::WriteBytes(TestDataFilePath(), "12\r\n34\r\n");
    EXPECT_EQ(cycle_->LoadTestDataFile(TestDataFilePath()), 2);
    EXPECT_EQ(cycle_->UsageHistory, (Samples{12, 34, 0, 0}));
}

}  // namespace
}  // namespace moravel
