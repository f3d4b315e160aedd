#include "core/app/LoadAlert.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/app/SamplingCycle.h"
#include "core/app/Texts.h"

namespace moravel {

bool SustainedLoadRule::Configure(std::int32_t percent, std::int32_t seconds) {
    const std::int32_t on = std::max(percent, 0);
    const auto length = static_cast<std::uint64_t>(std::max(seconds, 1));
    if (on == percent_ && length == seconds_) {
        return false;
    }
    *this = SustainedLoadRule{};
    percent_ = on;
    seconds_ = length;
    return true;
}

SustainedLoadRule::Step SustainedLoadRule::Observe(std::int32_t usage, std::uint64_t repeat) {
    Step step;
    if (!Enabled() || repeat == 0) {
        return step;
    }
    if (fired_) {
        // Below a threshold of 10 or less there is no 10 points lower: idle is calm enough.
        calm_ = usage < std::max(percent_ - 10, 1) ? calm_ + repeat : 0;
        if (calm_ < seconds_) {
            return step;
        }
        // Calm long enough: the samples past the calm ones are below the threshold too.
        fired_ = false;
        calm_ = 0;
        return step;
    }
    if (usage < percent_) {
        step.runBroken = above_ > 0;
        above_ = 0;
        return step;
    }
    step.runStarted = above_ == 0;
    above_ += repeat;
    if (above_ >= seconds_) {
        step.fired = true;
        fired_ = true;
        above_ = 0;
        calm_ = 0;  // the samples past the firing one are high: no calm yet
    }
    return step;
}

std::string AlertSummary(const AlertNotice& notice) {
    return LocalisedWith("CPU使用率が %1 秒間 %2 % 以上です",
                         {std::to_string(notice.seconds), std::to_string(notice.percent)});
}

std::string AlertBody(const AlertNotice& notice) {
    std::string body;
    for (const ProcessShare& share : notice.top) {
        char figure[32];
        std::snprintf(figure, sizeof figure, "%.1f", share.processors);
        if (!body.empty()) {
            body += "\n";
        }
        body += share.name + " " + figure + " CPU";
    }
    return body;
}

std::string EscapeMarkup(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

LoadAlert::LoadAlert(std::unique_ptr<ProcessLister> lister) : lister_(std::move(lister)) {}

std::optional<AlertNotice> LoadAlert::Update(const SettingsRecord& settings,
                                             const SamplingCycle& cycle, std::uint64_t appended) {
    const bool changed = rule_.Configure(settings.AlertPercent, settings.AlertSeconds);
    if (changed || !rule_.Enabled() || cycle.HistoryCount <= 0) {
        // The processes of a run under other settings, or an alert they fired, count no more.
        runStart_.reset();
        pending_ = false;
    }
    if (!rule_.Enabled() || cycle.HistoryCount <= 0) {
        return std::nullopt;
    }
    // The tick's samples, oldest first: those the ring no longer holds were the busy middle of a
    // gap.
    const auto slots = static_cast<std::uint64_t>(cycle.HistoryCount);
    const std::uint64_t held = std::min(appended, slots);
    SustainedLoadRule::Step tick;
    const auto take = [&](const SustainedLoadRule::Step& step) {
        tick.runStarted = tick.runStarted || step.runStarted;
        tick.runBroken = tick.runBroken || step.runBroken;
        tick.fired = tick.fired || step.fired;
        if (step.runStarted || step.runBroken) {
            runStart_.reset();  // taken for a run that is over
        }
    };
    take(rule_.Observe(100, appended - held));
    auto index = static_cast<std::int32_t>(
        (static_cast<std::uint64_t>(cycle.HistoryPos) + slots - held) % slots);
    for (std::uint64_t k = 0; k < held; ++k) {
        take(rule_.Observe(cycle.UsageHistory[static_cast<std::size_t>(index)]));
        index = cycle.NextIndex(index);
    }
    pending_ = pending_ || tick.fired;
    if (pending_) {
        return Name(settings);
    }
    if (rule_.InRun() && !runStart_) {
        ProcessSnapshot start;
        if (lister_->Read(start)) {
            runStart_ = std::move(start);
        }
    }
    return std::nullopt;
}

std::optional<AlertNotice> LoadAlert::Name(const SettingsRecord& settings) {
    AlertNotice notice;
    notice.percent = settings.AlertPercent;
    notice.seconds = std::max(settings.AlertSeconds, 1);
    ProcessSnapshot now;
    if (!lister_->Read(now)) {
        pending_ = false;
        runStart_.reset();
        return notice;  // the alert without names
    }
    if (!runStart_ || now.seconds - runStart_->seconds < 0.5) {
        runStart_ = std::move(now);  // the run fitted in one tick: measure one more second
        return std::nullopt;
    }
    notice.top = TopProcesses(*runStart_, now);
    pending_ = false;
    runStart_.reset();
    return notice;
}

}  // namespace moravel
