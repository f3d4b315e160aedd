#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cpu/FigureSampler.h"

namespace moravel {
namespace {

using Log = std::vector<std::string>;

// A system's two figures, read live from here; what the samplers do is logged.
struct FakeSystem {
    bool utilityMade = true;  // false: no utility sampler can be made
    std::int32_t utilityStart = 0;
    std::int32_t utility = 70;
    std::int32_t timeStart = 0;
    std::int32_t time = 40;
    Log log;
};

class LoggedSampler final : public CpuSampler {
  public:
    LoggedSampler(FakeSystem& system, bool utility) : system_(system), utility_(utility) {}
    std::int32_t Start() override {
        Note("start");
        return utility_ ? system_.utilityStart : system_.timeStart;
    }
    std::int32_t Sample() override { return utility_ ? system_.utility : system_.time; }
    std::int32_t Stop() override {
        Note("stop");
        return 0;
    }

  private:
    void Note(const char* what) {
        system_.log.push_back((utility_ ? "utility " : "time ") + std::string(what));
    }

    FakeSystem& system_;
    bool utility_;
};

class FakeSamplers final : public FigureSamplers {
  public:
    explicit FakeSamplers(FakeSystem& system) : system_(system) {}
    std::unique_ptr<CpuSampler> ProcessorTime() override {
        return std::make_unique<LoggedSampler>(system_, false);
    }
    std::unique_ptr<CpuSampler> ProcessorUtility() override {
        if (!system_.utilityMade) {
            return nullptr;
        }
        return std::make_unique<LoggedSampler>(system_, true);
    }

  private:
    FakeSystem& system_;
};

struct Rig {
    explicit Rig(UsageFigure figure) : asked(figure) {}
    Log TakeLog() {
        Log log;
        log.swap(system.log);
        return log;
    }

    FakeSystem system;
    UsageFigure asked;
    FigureSampler sampler{asked, std::make_unique<FakeSamplers>(system)};
};

constexpr auto kTime = UsageFigure::ProcessorTime;
constexpr auto kUtility = UsageFigure::ProcessorUtility;

// The figure asked for when the program starts, and what is shown: processor time (40) stands in
// for a utility (70) that cannot be made, started or read.
TEST(FigureSampler, TheFigureAskedForOrProcessorTimeInItsPlace) {
    struct Case {
        const char* name;
        UsageFigure asked;
        void (*system)(FakeSystem&);
        std::vector<std::int32_t> readings;
        bool fellBack;
        Log log;
    };
    const Case cases[] = {
        {"processor time", kTime, [](FakeSystem&) {}, {40, 40}, false, {"time start"}},
        {"a code no name stands for",
         static_cast<UsageFigure>(7),
         [](FakeSystem&) {},
         {40},
         false,
         {"time start"}},
        {"utility", kUtility, [](FakeSystem&) {}, {70, 70}, false, {"utility start"}},
        {"no utility sampler",
         kUtility,
         [](FakeSystem& s) { s.utilityMade = false; },
         {40},
         true,
         {"time start"}},
        {"the counter is missing",
         kUtility,
         [](FakeSystem& s) { s.utilityStart = -1; },
         {40},
         true,
         {"utility start", "time start"}},
        {"the counter reads nothing",
         kUtility,
         [](FakeSystem& s) { s.utility = -1; },
         {-1, 40, 40},
         true,
         {"utility start", "time start", "utility stop"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.asked);
        c.system(rig.system);
        ASSERT_EQ(rig.sampler.Start(), 0);
        std::vector<std::int32_t> readings;
        for (std::size_t i = 0; i < c.readings.size(); ++i) {
            readings.push_back(rig.sampler.Sample());
        }
        EXPECT_EQ(readings, c.readings);
        EXPECT_EQ(rig.sampler.FellBack(), c.fellBack);
        EXPECT_EQ(rig.TakeLog(), c.log);
    }

    // Processor time that cannot start fails the start, whatever was asked for.
    for (const UsageFigure asked : {kTime, kUtility}) {
        Rig rig(asked);
        rig.system.utilityStart = -1;
        rig.system.timeStart = -1;
        EXPECT_LT(rig.sampler.Start(), 0);
    }
}

// The figure chosen in the setup dialog is read from the next tick on. A new sampler gives no
// reading on its first tick; processor time standing in for the utility goes on without a gap.
TEST(FigureSampler, AnotherFigureAskedForWhileRunning) {
    Rig rig(kTime);
    ASSERT_EQ(rig.sampler.Start(), 0);
    EXPECT_EQ(rig.sampler.Sample(), 40);
    rig.asked = kUtility;
    EXPECT_EQ(rig.sampler.Sample(), -1);
    EXPECT_EQ(rig.sampler.Sample(), 70);
    rig.asked = kTime;
    EXPECT_EQ(rig.sampler.Sample(), -1);
    EXPECT_EQ(rig.sampler.Sample(), 40);
    EXPECT_EQ(rig.TakeLog(),
              (Log{"time start", "utility start", "time stop", "time start", "utility stop"}));

    rig.system.utilityStart = -1;
    rig.asked = kUtility;
    EXPECT_EQ(rig.sampler.Sample(), 40);
    EXPECT_TRUE(rig.sampler.FellBack());
    rig.asked = kTime;
    EXPECT_EQ(rig.sampler.Sample(), 40);
    EXPECT_FALSE(rig.sampler.FellBack());
    EXPECT_EQ(rig.TakeLog(), Log{"utility start"});

    EXPECT_EQ(rig.sampler.Stop(), 0);
    EXPECT_EQ(rig.TakeLog(), Log{"time stop"});
}

// Once the utility has given a reading, a failed one is a failed tick, not a reason to leave it.
TEST(FigureSampler, AUtilityThatHasReadFailsLikeAnySampler) {
    Rig rig(kUtility);
    ASSERT_EQ(rig.sampler.Start(), 0);
    EXPECT_EQ(rig.sampler.Sample(), 70);
    rig.system.utility = -1;
    EXPECT_EQ(rig.sampler.Sample(), -1);
    rig.system.utility = 65;
    EXPECT_EQ(rig.sampler.Sample(), 65);
    EXPECT_FALSE(rig.sampler.FellBack());
    EXPECT_EQ(rig.TakeLog(), Log{"utility start"});
}

}  // namespace
}  // namespace moravel
