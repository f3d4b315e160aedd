#include "core/cpu/ProcessTimes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>

#include "core/os/Encoding.h"

namespace moravel {

std::vector<ProcessShare> TopProcesses(const ProcessSnapshot& before, const ProcessSnapshot& after,
                                       std::size_t most) {
    const double elapsed = after.seconds - before.seconds;
    if (!(elapsed > 0)) {
        return {};
    }
    std::unordered_map<std::int64_t, const ProcessTime*> earlier;
    for (const ProcessTime& process : before.processes) {
        earlier.emplace(process.pid, &process);
    }
    std::vector<ProcessShare> shares;
    for (const ProcessTime& process : after.processes) {
        double used = process.cpuSeconds;
        const auto found = earlier.find(process.pid);
        if (found != earlier.end() && found->second->started == process.started) {
            used -= found->second->cpuSeconds;
        }
        const double share = used / elapsed;
        if (share >= 0.05) {  // shows as at least 0.1
            shares.push_back({process.name, share});
        }
    }
    const std::size_t kept = std::min(most, shares.size());
    std::partial_sort(
        shares.begin(), shares.begin() + static_cast<std::ptrdiff_t>(kept), shares.end(),
        [](const ProcessShare& a, const ProcessShare& b) { return a.processors > b.processors; });
    shares.resize(kept);
    return shares;
}

std::string CleanProcessName(std::string_view raw) {
    std::string name;
    std::size_t pos = 0;
    while (pos < raw.size()) {
        std::size_t length = Utf8SequenceLength(raw, pos);
        std::string_view piece = raw.substr(pos, std::max<std::size_t>(length, 1));
        const auto lead = static_cast<unsigned char>(piece.front());
        if (length == 0 || lead < 0x20 || lead == 0x7F) {
            piece = "?";
            length = 1;
        }
        if (name.size() + piece.size() > kMaxProcessNameBytes) {
            break;
        }
        name.append(piece);
        pos += length;
    }
    return name;
}

namespace {

// The `index`-th blank-separated field of `text` (0 the first), as an unsigned number.
std::optional<std::uint64_t> NumberField(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t i = 0;; ++i) {
        pos = text.find_first_not_of(' ', pos);
        if (pos == std::string_view::npos) {
            return std::nullopt;
        }
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        if (i == index) {
            std::uint64_t value = 0;
            const auto [ptr, error] = std::from_chars(text.data() + pos, text.data() + end, value);
            if (error != std::errc{} || ptr != text.data() + end) {
                return std::nullopt;
            }
            return value;
        }
        pos = end;
    }
}

}  // namespace

std::optional<ProcessTime> ParseProcStat(std::string_view line, std::int64_t pid,
                                         double ticksPerSecond) {
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open ||
        !(ticksPerSecond > 0)) {
        return std::nullopt;
    }
    // After the name: field 3 (the state) is the first, so field n is number n - 3.
    const std::string_view rest = line.substr(close + 1);
    const auto user = NumberField(rest, 14 - 3);
    const auto system = NumberField(rest, 15 - 3);
    const auto started = NumberField(rest, 22 - 3);
    if (!user || !system || !started) {
        return std::nullopt;
    }
    ProcessTime process;
    process.pid = pid;
    process.started = *started;
    process.cpuSeconds = static_cast<double>(*user + *system) / ticksPerSecond;
    process.name = CleanProcessName(line.substr(open + 1, close - open - 1));
    return process;
}

}  // namespace moravel

namespace moravel {

std::optional<std::vector<ProcessSnapshot>> ParseProcessRecord(std::string_view text) {
    std::vector<ProcessSnapshot> snapshots;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        // Four numbers, then the name.
        std::string_view rest = line;
        double numbers[4] = {};
        for (double& number : numbers) {
            const auto [ptr, error] =
                std::from_chars(rest.data(), rest.data() + rest.size(), number);
            if (error != std::errc{} || ptr == rest.data() + rest.size() || *ptr != ' ') {
                return std::nullopt;
            }
            rest.remove_prefix(static_cast<std::size_t>(ptr - rest.data()) + 1);
        }
        if (snapshots.empty() || snapshots.back().seconds != numbers[0]) {
            if (!snapshots.empty() && snapshots.back().seconds > numbers[0]) {
                return std::nullopt;
            }
            snapshots.push_back({numbers[0], {}});
        }
        snapshots.back().processes.push_back({static_cast<std::int64_t>(numbers[1]),
                                              static_cast<std::uint64_t>(numbers[2]), numbers[3],
                                              CleanProcessName(rest)});
    }
    return snapshots;
}

bool RecordedProcesses::Read(ProcessSnapshot& snapshot) {
    ++reads_;
    const double now = now_();
    const ProcessSnapshot* last = nullptr;
    for (const ProcessSnapshot& recorded : snapshots_) {
        if (recorded.seconds <= now) {
            last = &recorded;
        }
    }
    if (last == nullptr) {
        return false;
    }
    snapshot = *last;
    snapshot.seconds = now;  // read now: the processes as they were last recorded
    return true;
}

}  // namespace moravel
