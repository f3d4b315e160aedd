// The alert on a sustained load: when the usage has stayed at or above AlertPercent for
// AlertSeconds in a row, the user is told once, with the processes that used the most processor
// time meanwhile. A steady load gives one alert: the next comes only after the usage has stayed
// below AlertPercent - 10 for AlertSeconds.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/Settings.h"
#include "core/cpu/ProcessTimes.h"

namespace moravel {

class SamplingCycle;

// The rule over the per-second samples, without the processes.
class SustainedLoadRule {
  public:
    struct Step {
        bool runStarted = false;  // a run at or above the threshold began
        bool runBroken = false;   // it ended before it was long enough
        bool fired = false;
    };

    // Takes the settings; a change of either starts the rule afresh (true). `percent` 0 or
    // less: off.
    bool Configure(std::int32_t percent, std::int32_t seconds);
    bool Enabled() const { return percent_ > 0; }
    // A run at or above the threshold is on and has not fired yet.
    bool InRun() const { return above_ > 0; }
    // Fired, and the calm that allows the next alert not yet there.
    bool Fired() const { return fired_; }
    // `repeat` samples of `usage`, one per second.
    Step Observe(std::int32_t usage, std::uint64_t repeat = 1);

  private:
    std::int32_t percent_ = 0;
    std::uint64_t seconds_ = 1;
    bool fired_ = false;       // waiting for the calm that allows the next alert
    std::uint64_t above_ = 0;  // samples in a row at or above the threshold
    std::uint64_t calm_ = 0;   // after an alert: samples in a row below the threshold - 10
};

struct AlertNotice {
    std::int32_t percent = 0;
    std::int32_t seconds = 0;
    std::vector<ProcessShare> top;  // most first; may be empty
};

// "CPU使用率が 30 秒間 90 % 以上です"
std::string AlertSummary(const AlertNotice& notice);
// One line per process: its name and share in processors to one decimal, "firefox 1.8 CPU".
std::string AlertBody(const AlertNotice& notice);
// Text for a notification body, which some notification services read as markup: "&", "<", ">"
// and quotes as entities.
std::string EscapeMarkup(std::string_view text);

// The rule with the processes: fed the samples of every tick, reads the processes only while a
// run at or above the threshold is on (once when it starts, once when it fires) and hands back
// the alert.
class LoadAlert {
  public:
    explicit LoadAlert(std::unique_ptr<ProcessLister> lister);

    // After a tick that appended `appended` samples to `cycle`'s history (those beyond its reach
    // counted busy, as the history fills a gap). An alert to show, or nothing.
    std::optional<AlertNotice> Update(const SettingsRecord& settings, const SamplingCycle& cycle,
                                      std::uint64_t appended);
    // The last alert still holds: the usage has not calmed down since.
    bool Alerting() const { return rule_.Fired(); }

  private:
    std::optional<AlertNotice> Name(const SettingsRecord& settings);

    std::unique_ptr<ProcessLister> lister_;
    SustainedLoadRule rule_;
    std::optional<ProcessSnapshot> runStart_;  // the processes as the run began
    bool pending_ = false;                     // fired, waiting for a second snapshot
};

}  // namespace moravel
