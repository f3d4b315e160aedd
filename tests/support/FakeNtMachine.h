// A Windows machine as the NT sampler sees it through the native query: processor groups with
// each processor's idle time, in the idle information and in the performance information (whose
// idle time runs fast on Windows 11 22H2 and 23H2), the running time that stands still in sleep,
// and the wall clock (the time-of-day record) that a sleep and the user's changes move.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/cpu/NtCpuInfo.h"
#include "core/os/Clock.h"

namespace moravel::test {

inline constexpr std::int64_t kNtSecond = 10'000'000;  // 100-ns units
inline constexpr std::uint32_t kTimeOfDayClass = 3;    // current system time at offset 8

class FakeNtMachine {
  public:
    // `groups` holds the number of processors of each group.
    explicit FakeNtMachine(std::vector<std::int32_t> groups = {1}) : groups_(std::move(groups)) {
        for (const std::int32_t size : groups_) {
            processors_ += size;
        }
        idle.assign(static_cast<std::size_t>(processors_), 5'000 * kNtSecond);
        performanceIdle = idle;
    }

    // How the idle information answers.
    enum class IdleClass {
        Answers,
        Unknown,    // an information class the system does not know (before Windows XP)
        NoRecords,  // done, and nothing written
    };

    // Runs for `seconds` with every processor busy `percent` of the time.
    void Run(double seconds, double percent) {
        const auto span = static_cast<std::int64_t>(seconds * kNtSecond);
        const auto busyPart = static_cast<std::int64_t>(span * percent / 100.0);
        for (std::size_t i = 0; i < idle.size(); ++i) {
            Idle(i, span - busyPart);
        }
        running += span;
        wall += span;
    }
    // Runs for `seconds` with the first `count` processors fully busy and the others idle.
    void RunBusy(std::int64_t seconds, std::int32_t count) {
        for (std::size_t i = static_cast<std::size_t>(count); i < idle.size(); ++i) {
            Idle(i, seconds * kNtSecond);
        }
        running += seconds * kNtSecond;
        wall += seconds * kNtSecond;
    }
    // A processor comes online in the last group, with the times it gathered before.
    void AddProcessor() {
        ++groups_.back();
        ++processors_;
        idle.push_back(7 * kNtSecond);
        performanceIdle.push_back(7 * kNtSecond);
    }
    // Sleeps or hibernates: only the wall clock goes on.
    void Sleep(std::int64_t seconds) { wall += seconds * kNtSecond; }
    // The user sets the date and time.
    void SetClockBy(std::int64_t seconds) { wall += seconds * kNtSecond; }

    std::int32_t processors() const { return processors_; }

    // The query the sampler owns; it answers from this machine, which must outlive it.
    std::unique_ptr<NtSystemQuery> MakeQuery() { return std::make_unique<QueryView>(*this); }

    std::vector<std::int64_t> idle;  // per processor, group after group: the idle information's
    std::vector<std::int64_t> performanceIdle;  // the same, as the performance information has it
    double performanceIdleRate = 1;  // how much faster than the true idle time that one runs
    IdleClass idleClass = IdleClass::Answers;
    std::int32_t idleClassFailingGroup = -1;  // only the idle information fails in that group
    std::int64_t running = 90'000 * kNtSecond;
    std::int64_t wall = 133'000'000'000'000'000;  // since 1601
    bool extendedMissing = false;  // the extended query is not there (before Windows 7, Wine)
    std::int32_t failingGroup = -1;
    std::vector<std::string> calls;  // "plain" or "group N", for the per-processor records of
                                     // either class
    bool zeroed = true;              // every buffer came zero-filled

    // The clock of the sampling cycle on this machine: its running time in seconds.
    class RunningClock final : public MonotonicClock {
      public:
        explicit RunningClock(const FakeNtMachine& m) : m_(m) {}
        std::int64_t NowSeconds() override { return m_.running / kNtSecond; }

      private:
        const FakeNtMachine& m_;
    };
    RunningClock clock{*this};

  private:
    static constexpr std::int32_t kInvalidInfoClass = static_cast<std::int32_t>(0xC0000003);
    static constexpr std::int32_t kNotImplemented = static_cast<std::int32_t>(0xC0000002);
    static constexpr std::int32_t kInvalidParameter = static_cast<std::int32_t>(0xC000000D);
    static constexpr std::int32_t kLengthMismatch = static_cast<std::int32_t>(0xC0000004);

    static void Put(std::span<std::byte> buffer, std::size_t offset, std::int64_t value) {
        for (std::size_t i = 0; i < 8; ++i) {
            buffer[offset + i] =
                static_cast<std::byte>(static_cast<std::uint64_t>(value) >> (8 * i));
        }
    }

    void Idle(std::size_t processor, std::int64_t time) {
        idle[processor] += time;
        performanceIdle[processor] += static_cast<std::int64_t>(time * performanceIdleRate);
    }

    void Look(std::span<std::byte> buffer) {
        for (const std::byte b : buffer) {
            zeroed = zeroed && b == std::byte{0};
        }
    }

    std::int32_t Records(std::uint32_t infoClass, std::size_t group, std::span<std::byte> buffer,
                         std::uint32_t& returned) {
        Look(buffer);
        const bool idleInformation = infoClass == kSystemProcessorIdleInformation;
        if (static_cast<std::int32_t>(group) == failingGroup ||
            (idleInformation && static_cast<std::int32_t>(group) == idleClassFailingGroup)) {
            return kInvalidParameter;
        }
        if (idleInformation && idleClass == IdleClass::NoRecords) {
            returned = 0;
            return 0;
        }
        std::size_t first = 0;
        for (std::size_t g = 0; g < group; ++g) {
            first += static_cast<std::size_t>(groups_[g]);
        }
        const auto count = static_cast<std::size_t>(groups_[group]);
        returned = static_cast<std::uint32_t>(count * kProcessorRecordSize);
        if (buffer.size() < returned) {
            return kLengthMismatch;
        }
        const std::vector<std::int64_t>& times = idleInformation ? idle : performanceIdle;
        for (std::size_t i = 0; i < count; ++i) {
            Put(buffer, i * kProcessorRecordSize, times[first + i]);
        }
        return 0;
    }
    bool Knows(std::uint32_t infoClass) const {
        return infoClass == kSystemProcessorPerformanceInformation ||
               (infoClass == kSystemProcessorIdleInformation && idleClass != IdleClass::Unknown);
    }

    class QueryView final : public NtSystemQuery {
      public:
        explicit QueryView(FakeNtMachine& m) : m_(m) {}
        std::int32_t Query(std::uint32_t infoClass, std::span<std::byte> buffer,
                           std::uint32_t& returned) override {
            if (infoClass == kTimeOfDayClass && buffer.size() >= 32) {
                m_.Look(buffer);
                Put(buffer, 8, m_.wall);
                returned = 32;
                return 0;
            }
            if (!m_.Knows(infoClass)) {
                return kInvalidInfoClass;
            }
            m_.calls.push_back("plain");
            return m_.Records(infoClass, 0, buffer, returned);  // the calling thread's group
        }
        std::int32_t QueryGroup(std::uint32_t infoClass, std::uint16_t group,
                                std::span<std::byte> buffer, std::uint32_t& returned) override {
            if (m_.extendedMissing) {
                return kNotImplemented;
            }
            if (!m_.Knows(infoClass)) {
                return kInvalidInfoClass;
            }
            m_.calls.push_back("group " + std::to_string(group));
            if (group >= m_.groups_.size()) {
                return kInvalidParameter;
            }
            return m_.Records(infoClass, group, buffer, returned);
        }
        std::uint16_t GroupCount() override {
            return static_cast<std::uint16_t>(m_.groups_.size());
        }
        std::int64_t RunningTime() override { return m_.running; }

      private:
        FakeNtMachine& m_;
    };

    std::vector<std::int32_t> groups_;
    std::int32_t processors_ = 0;
};

}  // namespace moravel::test
