#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/cpu/CpuInfo.h"

namespace moravel {
namespace {

// A registry holding the three statistic keys. Any step can be made to fail; it records what it
// was asked and every misuse of a key (use or close of a key that is not open).
class FakeRegistry {
  public:
    using Key = DynDataRegistry::Key;

    bool Open(const char* subKey, Key& key) {
        calls.push_back(std::string("open ") + subKey);
        if (failOpen.count(subKey) != 0) {
            return false;
        }
        key = nextKey++;
        open[key] = subKey;
        return true;
    }
    bool QuerySize(Key key, const char* name, std::uint32_t& size) {
        const std::string* subKey = Find(key, "size");
        calls.push_back("size " + (subKey ? *subKey : "?"));
        if (!subKey || name != std::string(kCpuUsageValue) || failSize.count(*subKey) != 0) {
            return false;
        }
        size = valueSize;
        return true;
    }
    bool Read(Key key, const char* name, std::span<std::byte> buffer) {
        const std::string* subKey = Find(key, "read");
        calls.push_back("read " + (subKey ? *subKey : "?") + " " + std::to_string(buffer.size()));
        if (!subKey || name != std::string(kCpuUsageValue) || failRead.count(*subKey) != 0 ||
            buffer.size() < valueSize) {
            return false;
        }
        for (std::size_t i = 0; i < buffer.size() && i < 4; ++i) {
            buffer[i] = static_cast<std::byte>(static_cast<std::uint32_t>(usage) >> (8 * i));
        }
        return true;
    }
    void Close(Key key) {
        const std::string* subKey = Find(key, "close");
        calls.push_back("close " + (subKey ? *subKey : "?"));
        open.erase(key);
    }

    std::set<std::string> OpenKeys() const {
        std::set<std::string> names;
        for (const auto& [key, name] : open) {
            names.insert(name);
        }
        return names;
    }

    std::set<std::string> failOpen, failSize, failRead;
    std::uint32_t valueSize = 4;
    std::int32_t usage = 0;
    std::vector<std::string> calls;
    std::vector<std::string> misuse;
    std::map<Key, std::string> open;

  private:
    const std::string* Find(Key key, const char* what) {
        const auto it = open.find(key);
        if (it == open.end()) {
            misuse.push_back(std::string(what) + " of key " + std::to_string(key));
            return nullptr;
        }
        return &it->second;
    }
    Key nextKey = 0x1000;
};

// What the sampler owns: a view of the test's registry, which outlives it.
class RegistryView final : public DynDataRegistry {
  public:
    explicit RegistryView(FakeRegistry& registry) : r_(registry) {}
    bool Open(const char* subKey, Key& key) override { return r_.Open(subKey, key); }
    bool QuerySize(Key key, const char* name, std::uint32_t& size) override {
        return r_.QuerySize(key, name, size);
    }
    bool Read(Key key, const char* name, std::span<std::byte> buffer) override {
        return r_.Read(key, name, buffer);
    }
    void Close(Key key) override { r_.Close(key); }

  private:
    FakeRegistry& r_;
};

using Failure = void (*)(FakeRegistry&);

using Calls = std::vector<std::string>;
using Keys = std::set<std::string>;

class Win9xSampler : public ::testing::Test {
  protected:
    Win9xSampler() : info_(std::make_unique<CpuInfo>(std::make_unique<RegistryView>(registry_))) {}
    void TearDown() override {
        info_.reset();
        EXPECT_EQ(registry_.misuse, Calls{});
    }
    // Calls since the last look.
    Calls TakeCalls() {
        Calls calls;
        calls.swap(registry_.calls);
        return calls;
    }

    FakeRegistry registry_;
    std::unique_ptr<CpuInfo> info_;
};

const Calls kStartCalls = {"open PerfStats\\StartStat", "size PerfStats\\StartStat",
                           "read PerfStats\\StartStat 6", "open PerfStats\\StatData",
                           "close PerfStats\\StartStat"};
const Calls kStopCalls = {"close PerfStats\\StatData", "open PerfStats\\StopStat",
                          "size PerfStats\\StopStat", "read PerfStats\\StopStat 6",
                          "close PerfStats\\StopStat"};

TEST_F(Win9xSampler, StartReadStop) {
    EXPECT_EQ(info_->StartCpuUsage(), 0);
    EXPECT_EQ(TakeCalls(), kStartCalls);  // the start value is read into size + 2 bytes
    EXPECT_TRUE(info_->started());
    EXPECT_EQ(registry_.OpenKeys(), Keys{"PerfStats\\StatData"});

    EXPECT_EQ(info_->StartCpuUsage(), 0);  // already started: opens nothing
    EXPECT_EQ(TakeCalls(), Calls{});

    registry_.usage = 37;
    EXPECT_EQ(info_->GetCpuUsage(), 37);
    EXPECT_EQ(TakeCalls(), Calls{"read PerfStats\\StatData 4"});
    registry_.usage = 1;  // four bytes, little-endian
    EXPECT_EQ(info_->Sample(), 1);
    registry_.usage = 0x01000000;  // held to 100
    EXPECT_EQ(info_->Sample(), 100);
    registry_.usage = -3;  // read well, so a reading: 0, not a failure
    EXPECT_EQ(info_->Sample(), 0);
    TakeCalls();

    EXPECT_EQ(info_->StopCpuUsage(), 0);
    EXPECT_EQ(TakeCalls(), kStopCalls);
    EXPECT_FALSE(info_->started());
    EXPECT_EQ(registry_.OpenKeys(), Keys{});

    EXPECT_EQ(info_->StopCpuUsage(), 0);  // not started: touches nothing
    EXPECT_EQ(TakeCalls(), Calls{});
}

TEST_F(Win9xSampler, AStartFailingAtAnyStepLeavesNothingOpen) {
    registry_.valueSize = 10;
    const std::vector<Failure> failures = {
        [](FakeRegistry& r) { r.failOpen.insert("PerfStats\\StartStat"); },
        [](FakeRegistry& r) { r.failSize.insert("PerfStats\\StartStat"); },
        [](FakeRegistry& r) { r.failRead.insert("PerfStats\\StartStat"); },
        [](FakeRegistry& r) { r.failOpen.insert("PerfStats\\StatData"); },
    };
    int step = 0;
    for (const auto& fail : failures) {
        SCOPED_TRACE(step++);
        registry_.failOpen.clear();
        registry_.failSize.clear();
        registry_.failRead.clear();
        fail(registry_);
        EXPECT_EQ(info_->StartCpuUsage(), -1);
        EXPECT_FALSE(info_->started());
        EXPECT_EQ(registry_.OpenKeys(), Keys{});  // closed, and only once (see TearDown)
        TakeCalls();
        EXPECT_EQ(info_->StopCpuUsage(), 0);  // nothing to stop
        EXPECT_EQ(TakeCalls(), Calls{});
    }
    registry_.failOpen.clear();
    EXPECT_EQ(info_->StartCpuUsage(), 0);
    EXPECT_EQ(TakeCalls()[2], "read PerfStats\\StartStat 12");
}

TEST_F(Win9xSampler, AStopFailingAtAnyStepStillStops) {
    const std::vector<Failure> failures = {
        [](FakeRegistry& r) { r.failOpen.insert("PerfStats\\StopStat"); },
        [](FakeRegistry& r) { r.failSize.insert("PerfStats\\StopStat"); },
        [](FakeRegistry& r) { r.failRead.insert("PerfStats\\StopStat"); },
    };
    int step = 0;
    for (const auto& fail : failures) {
        SCOPED_TRACE(step++);
        registry_.failOpen.clear();
        registry_.failSize.clear();
        registry_.failRead.clear();
        ASSERT_EQ(info_->StartCpuUsage(), 0);
        TakeCalls();
        fail(registry_);
        EXPECT_EQ(info_->StopCpuUsage(), -1);
        EXPECT_FALSE(info_->started());
        EXPECT_EQ(registry_.OpenKeys(), Keys{});
        const Calls calls = TakeCalls();
        EXPECT_EQ(calls.front(), "close PerfStats\\StatData");
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "close PerfStats\\StatData"), 1);
    }
}

TEST_F(Win9xSampler, AFailedReadRestartsTheStatistic) {
    ASSERT_EQ(info_->StartCpuUsage(), 0);
    TakeCalls();
    registry_.failRead.insert("PerfStats\\StatData");
    EXPECT_EQ(info_->GetCpuUsage(), -1);
    Calls expected = {"read PerfStats\\StatData 4"};
    expected.insert(expected.end(), kStopCalls.begin(), kStopCalls.end());
    expected.insert(expected.end(), kStartCalls.begin(), kStartCalls.end());
    EXPECT_EQ(TakeCalls(), expected);
    EXPECT_TRUE(info_->started());
    EXPECT_EQ(registry_.OpenKeys(), Keys{"PerfStats\\StatData"});

    registry_.failRead.clear();
    registry_.usage = 12;
    EXPECT_EQ(info_->GetCpuUsage(), 12);  // the restarted statistic reads again
}

TEST_F(Win9xSampler, ARestartThatFailsIsTriedAgainOnTheNextRead) {
    ASSERT_EQ(info_->StartCpuUsage(), 0);
    registry_.failRead.insert("PerfStats\\StatData");
    registry_.failOpen.insert("PerfStats\\StartStat");
    EXPECT_EQ(info_->GetCpuUsage(), -1);
    EXPECT_FALSE(info_->started());
    EXPECT_EQ(registry_.OpenKeys(), Keys{});
    TakeCalls();

    // Not started: the closed data key is not read again, the start is tried once more.
    EXPECT_EQ(info_->GetCpuUsage(), -1);
    EXPECT_EQ(TakeCalls(), Calls{"open PerfStats\\StartStat"});

    registry_.failOpen.clear();
    registry_.failRead.clear();
    EXPECT_EQ(info_->GetCpuUsage(), -1);  // this call restarts...
    registry_.usage = 55;
    EXPECT_EQ(info_->GetCpuUsage(), 55);  // ...and the next one reads
}

TEST_F(Win9xSampler, OversizedValuesAreNotRead) {
    registry_.valueSize = 0xFFFFFFFF;
    EXPECT_EQ(info_->StartCpuUsage(), -1);
    EXPECT_EQ(TakeCalls(), (Calls{"open PerfStats\\StartStat", "size PerfStats\\StartStat",
                                  "close PerfStats\\StartStat"}));
}

TEST_F(Win9xSampler, DestroyingAStartedSamplerStopsTheStatistic) {
    ASSERT_EQ(info_->Start(), 0);
    TakeCalls();
    info_.reset();
    EXPECT_EQ(TakeCalls(), kStopCalls);
    EXPECT_EQ(registry_.OpenKeys(), Keys{});
}

}  // namespace
}  // namespace moravel
