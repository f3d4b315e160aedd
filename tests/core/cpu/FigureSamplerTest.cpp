#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/cpu/FigureSampler.h"

namespace moravel {
namespace {

// A system whose processor time reads 40 and whose processor utility reads 70, read live from
// here (-1: the start or the reading fails). Its log: "T+" processor time started, "U-" the
// utility stopped, and so on.
class FakeSystem final : public FigureSamplers {
  public:
    std::unique_ptr<CpuSampler> ProcessorTime() override {
        return std::make_unique<Sampler>(*this, 0);
    }
    std::unique_ptr<CpuSampler> ProcessorUtility() override {
        return std::make_unique<Sampler>(*this, 1);
    }

    std::int32_t starts[2] = {0, 0};  // processor time, utility
    std::int32_t readings[2] = {40, 70};
    std::string log;

  private:
    class Sampler final : public CpuSampler {
      public:
        Sampler(FakeSystem& system, int figure) : s_(system), figure_(figure) {}
        std::int32_t Start() override {
            Note('+');
            return s_.starts[figure_];
        }
        std::int32_t Sample() override { return s_.readings[figure_]; }
        std::int32_t Stop() override {
            Note('-');
            return 0;
        }
        // Processor time reads two processors, at its own reading.
        bool OffersProcessors() const override { return figure_ == 0; }
        void ReadProcessors(bool on) override {
            processors_.assign(on && figure_ == 0 ? 2 : 0,
                               static_cast<std::uint8_t>(s_.readings[figure_]));
        }
        std::span<const std::uint8_t> Processors() const override { return processors_; }

      private:
        void Note(char what) {
            s_.log += std::string(s_.log.empty() ? "" : " ") + "TU"[figure_] + what;
        }
        FakeSystem& s_;
        int figure_;
        std::vector<std::uint8_t> processors_;
    };
};

struct Rig {
    explicit Rig(UsageFigure figure) : asked(figure) {}
    std::string TakeLog() { return std::exchange(system.log, {}); }

    UsageFigure asked;
    FakeSystem* owned = new FakeSystem;  // the sampler's
    FakeSystem& system = *owned;
    FigureSampler sampler{asked, std::unique_ptr<FigureSamplers>(owned)};
};

constexpr auto kTime = UsageFigure::ProcessorTime;
constexpr auto kUtility = UsageFigure::ProcessorUtility;

// The figure asked for at start, and processor time (40) standing in for a utility (70) that
// cannot be started or read.
TEST(FigureSampler, TheFigureAskedForOrProcessorTimeInItsPlace) {
    struct Case {
        const char* name;
        UsageFigure asked;
        std::int32_t utilityStart;
        std::int32_t utilityReading;
        std::vector<std::int32_t> readings;
        bool fellBack;
        const char* log;
    };
    const Case cases[] = {
        {"processor time", kTime, 0, 70, {40}, false, "T+"},
        {"utility", kUtility, 0, 70, {70}, false, "U+"},
        {"the counter is missing", kUtility, -1, 70, {40}, true, "U+ T+"},
        {"the counter reads nothing", kUtility, 0, -1, {-1, 40}, true, "U+ T+ U-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.asked);
        rig.system.starts[1] = c.utilityStart;
        rig.system.readings[1] = c.utilityReading;
        ASSERT_EQ(rig.sampler.Start(), 0);
        std::vector<std::int32_t> readings;
        for (std::size_t i = 0; i < c.readings.size(); ++i) {
            readings.push_back(rig.sampler.Sample());
        }
        EXPECT_EQ(readings, c.readings);
        EXPECT_EQ(rig.sampler.FellBack(), c.fellBack);
        EXPECT_EQ(rig.TakeLog(), c.log);
    }
}

// The figure chosen in the setup dialog is read from the next tick on: a new sampler gives no
// reading on its first tick, while processor time standing in for the utility goes on without
// a gap. A utility that has read once fails a tick like any sampler and stays.
TEST(FigureSampler, AnotherFigureAskedForWhileRunning) {
    Rig rig(kTime);
    ASSERT_EQ(rig.sampler.Start(), 0);
    rig.asked = kUtility;
    EXPECT_EQ(rig.sampler.Sample(), -1);
    EXPECT_EQ(rig.sampler.Sample(), 70);
    rig.system.readings[1] = -1;
    EXPECT_EQ(rig.sampler.Sample(), -1);
    rig.asked = kTime;
    EXPECT_EQ(rig.sampler.Sample(), -1);
    EXPECT_EQ(rig.sampler.Sample(), 40);
    EXPECT_EQ(rig.TakeLog(), "T+ U+ T- T+ U-");

    rig.system.starts[1] = -1;
    rig.asked = kUtility;
    EXPECT_EQ(rig.sampler.Sample(), 40);
    EXPECT_TRUE(rig.sampler.FellBack());
    rig.asked = kTime;
    EXPECT_EQ(rig.sampler.Sample(), 40);
    EXPECT_FALSE(rig.sampler.FellBack());
    EXPECT_EQ(rig.sampler.Stop(), 0);
    EXPECT_EQ(rig.TakeLog(), "U+ T-");

    // Processor time that cannot start fails the start: the program says so and ends.
    Rig broken(kUtility);
    broken.system.starts[0] = broken.system.starts[1] = -1;
    EXPECT_LT(broken.sampler.Start(), 0);
}

// Each processor comes from processor time, and is offered only while that is asked for.
TEST(FigureSampler, EachProcessorWhileProcessorTimeIsAskedFor) {
    Rig rig(kTime);
    EXPECT_TRUE(rig.sampler.OffersProcessors());
    rig.sampler.ReadProcessors(true);  // before the start: the sampler started reads them
    ASSERT_EQ(rig.sampler.Start(), 0);
    EXPECT_EQ(rig.sampler.Processors().size(), 2u);
    rig.asked = kUtility;
    EXPECT_FALSE(rig.sampler.OffersProcessors());
    rig.sampler.Sample();
    EXPECT_TRUE(rig.sampler.Processors().empty());
    rig.asked = kTime;
    rig.sampler.Sample();
    EXPECT_EQ(rig.sampler.Processors().size(), 2u);
    rig.sampler.ReadProcessors(false);
    EXPECT_TRUE(rig.sampler.Processors().empty());
}

}  // namespace
}  // namespace moravel
