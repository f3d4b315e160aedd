#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/LoadAlert.h"
#include "core/app/SamplingCycle.h"
#include "support/FakeClock.h"
#include "support/FakeCpuSampler.h"

namespace moravel {
namespace {

struct Tick {
    std::int32_t usage;
    std::int64_t after = 1;  // seconds after the previous tick on the running machine's clock
};

std::vector<Tick> Repeat(std::vector<Tick> ticks, std::int32_t usage, int count) {
    ticks.insert(ticks.end(), static_cast<std::size_t>(count), Tick{usage});
    return ticks;
}

// One process, "burner", using one and a half processors all along.
std::vector<ProcessSnapshot> Burner() {
    std::vector<ProcessSnapshot> snapshots;
    for (int t = 0; t <= 400; ++t) {
        snapshots.push_back({double(t), {{10, 1, 1.5 * t, "burner"}, {11, 1, 0.01 * t, "idle"}}});
    }
    return snapshots;
}

struct Played {
    std::vector<int> alerts;  // the ticks (from 1) that gave an alert
    std::vector<AlertNotice> notices;
    std::int32_t reads = 0;  // snapshots of the processes taken
};

// The ticks through the sampling cycle and the alert, AlertPercent 80, AlertSeconds 5.
Played Play(const std::vector<Tick>& ticks, std::vector<ProcessSnapshot> processes = Burner()) {
    FakeClock clock;
    SettingsRecord settings;
    settings.Cycle = 1000;
    settings.AlertPercent = 80;
    settings.AlertSeconds = 5;
    auto sampler = std::make_unique<FakeCpuSampler>();
    FakeCpuSampler& script = *sampler;
    SamplingCycle cycle(std::move(sampler), clock, settings, nullptr);
    auto recorded = std::make_unique<RecordedProcesses>(
        std::move(processes), [&clock] { return static_cast<double>(clock.now); });
    const RecordedProcesses& lister = *recorded;
    LoadAlert alert(std::move(recorded));
    cycle.StartSampling(100);
    Played run;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        script.usage = ticks[i].usage;
        clock.now += ticks[i].after;
        const std::uint64_t before = cycle.Appended;
        cycle.Tick();
        if (auto notice = alert.Update(settings, cycle, cycle.Appended - before)) {
            run.alerts.push_back(static_cast<int>(i) + 1);
            run.notices.push_back(*notice);
        }
    }
    run.reads = lister.Reads();
    return run;
}

TEST(LoadAlert, FiresOnceForASustainedLoadAndAgainOnlyAfterACalm) {
    const struct {
        const char* name;
        std::vector<Tick> ticks;
        std::vector<int> alerts;
        std::int32_t reads;  // -1: not looked at
    } cases[] = {
        {"quiet", Repeat({}, 79, 40), {}, 0},
        {"spike", Repeat(Repeat({}, 100, 4), 0, 20), {}, 1},
        {"steady load", Repeat({}, 100, 120), {5}, 2},
        {"hovering at the threshold", Repeat(Repeat(Repeat({}, 85, 4), 75, 1), 85, 4), {}, 2},
        {"hovering after an alert",
         Repeat(Repeat(Repeat(Repeat({}, 100, 5), 72, 3), 90, 1), 72, 20),
         {5},
         -1},
        {"calm, then load again", Repeat(Repeat(Repeat({}, 100, 5), 50, 5), 100, 5), {5, 15}, -1},
        {"calm cut short",
         Repeat(Repeat(Repeat(Repeat({}, 100, 5), 50, 4), 75, 1), 100, 9),
         {5},
         -1},
        // The clock stands still while the machine sleeps: the tick after it is one second on,
        // and the hours asleep are no busy seconds.
        {"sleep gap", {{100}, {100}, {100}, {100, 1}, {0}, {0}}, {}, -1},
        // A tick 6 s late: its missed seconds count busy, as the history has them.
        {"late tick in a load", {{100}, {100, 6}}, {2}, 2},
        // A late tick alone makes the whole run: the processes get one more second.
        {"late tick from quiet", {{0}, {0, 40}, {0}, {0}}, {3}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Played run = Play(c.ticks);
        EXPECT_EQ(run.alerts, c.alerts);
        if (c.reads >= 0) {
            EXPECT_EQ(run.reads, c.reads);
        }
    }
}

TEST(LoadAlert, NamesTheBusiestProcessesOfTheRun) {
    const Played run = Play(Repeat({}, 100, 10));
    ASSERT_EQ(run.notices.size(), 1u);
    EXPECT_EQ(AlertSummary(run.notices[0]), "CPU使用率が 5 秒間 80 % 以上です");
    EXPECT_EQ(AlertBody(run.notices[0]), "burner 1.5 CPU");
    // Nothing recorded: the alert comes without names.
    const Played unnamed = Play(Repeat({}, 100, 10), {});
    ASSERT_EQ(unnamed.notices.size(), 1u);
    EXPECT_EQ(AlertBody(unnamed.notices[0]), "");
}

TEST(LoadAlert, SettingsTurnTheRuleOffAndRestartIt) {
    SustainedLoadRule rule;
    rule.Configure(0, 5);
    EXPECT_FALSE(rule.Observe(100, 100).fired);
    rule.Configure(80, 5);
    EXPECT_FALSE(rule.Observe(100, 4).fired);
    rule.Configure(80, 6);  // a new length starts the count again
    EXPECT_FALSE(rule.Observe(100, 5).fired);
    EXPECT_TRUE(rule.Observe(100).fired);
    // A threshold of 10 or less (a hand-edited file): an idle machine is the calm that re-arms it.
    rule.Configure(5, 2);
    EXPECT_TRUE(rule.Observe(9, 2).fired);
    EXPECT_FALSE(rule.Observe(0, 2).fired);
    EXPECT_TRUE(rule.Observe(50, 2).fired);
}

// Two snapshots ten seconds apart.
std::string TopOf(const std::string& before, const std::string& after) {
    const auto first = ParseProcessRecord(before);
    const auto second = ParseProcessRecord(after);
    if (!first || !second || first->size() != 1 || second->size() != 1) {
        return "(broken record)";
    }
    AlertNotice notice;
    notice.top = TopProcesses(first->front(), second->front());
    return AlertBody(notice);
}

TEST(LoadAlert, RanksProcessesByProcessorTimeInTheWindow) {
    const struct {
        const char* name;
        const char* before;
        const char* after;
        const char* body;
    } cases[] = {
        {"most first, three at most, none that used nothing",
         "0 1 5 100 a\n0 2 5 0 b\n0 3 5 0 c\n0 4 5 0 d\n0 5 5 7 e\n",
         "10 1 5 101 a\n10 2 5 20 b\n10 3 5 9 c\n10 4 5 30 d\n10 5 5 7 e\n",
         "d 3.0 CPU\nb 2.0 CPU\nc 0.9 CPU"},
        {"a process that ended", "0 1 5 0 gone\n0 2 5 0 stays\n", "10 2 5 4 stays\n",
         "stays 0.4 CPU"},
        {"a process that started meanwhile", "0 2 5 0 old\n", "10 2 5 1 old\n10 3 9 12 new\n",
         "new 1.2 CPU\nold 0.1 CPU"},
        // The pid came back for another process: its own time counts, not the old one's.
        {"a reused pid", "0 7 100 500 first\n", "10 7 200 15 second\n", "second 1.5 CPU"},
        {"a name as the system has it", "0 1 1 0 <b>x&amp;y</b> 'z'\n",
         "10 1 1 10 <b>x&amp;y</b> 'z'\n", "<b>x&amp;y</b> 'z' 1.0 CPU"},
        {"no time between", "0 1 1 0 a\n", "0 1 1 5 a\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TopOf(c.before, c.after), c.body);
    }
    EXPECT_EQ(EscapeMarkup("<b>x&amp;y</b> 'z\""), "&lt;b&gt;x&amp;amp;y&lt;/b&gt; &apos;z&quot;");
}

TEST(LoadAlert, ReadsNamesFromProcStatAndKeepsThemSafe) {
    const struct {
        const char* line;
        const char* name;  // nullptr: not read
        double cpu;
        std::uint64_t started;
    } cases[] = {
        {"42 (burner) R 1 42 42 0 -1 4194304 100 0 0 0 250 50 0 0 20 0 1 0 777 0 0", "burner", 3.0,
         777},
        {"42 (a) (b c)) S 1 1 1 0 -1 0 0 0 0 0 1 1 0 0 20 0 1 0 9 0 0", "a) (b c)", 0.02, 9},
        {"42 (x\ny\x7f) S 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 9 0 0", "x?y?", 0, 9},
        {"42 (\xff\xfe) S 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 9 0 0", "??", 0, 9},
        {"42 (cut) S 1 1 1 0 -1 0 0 0 0 0 1 1", nullptr, 0, 0},
        {"42 cut S 1 1 1 0 -1 0 0 0 0 0 1 1 0 0 20 0 1 0 9 0 0", nullptr, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto process = ParseProcStat(c.line, 42, 100.0);
        ASSERT_EQ(process.has_value(), c.name != nullptr);
        if (process) {
            EXPECT_EQ(process->name, c.name);
            EXPECT_DOUBLE_EQ(process->cpuSeconds, c.cpu);
            EXPECT_EQ(process->started, c.started);
        }
    }
    // Cut at a character's start: 11 three-byte characters are 33 bytes, 10 fit.
    std::string wide;
    for (int i = 0; i < 11; ++i) {
        wide += "負";
    }
    EXPECT_EQ(CleanProcessName(wide), wide.substr(0, 30));
}

// The system's own list holds this test, with processor time it has used.
TEST(LoadAlert, TheSystemsListHoldsThisProcess) {
    ProcessSnapshot snapshot;
    ASSERT_TRUE(MakeProcessLister()->Read(snapshot));
    EXPECT_GT(snapshot.processes.size(), 1u);
    bool found = false;
    for (const ProcessTime& process : snapshot.processes) {
        found = found || process.name.find("app_tests") != std::string::npos;
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace moravel
