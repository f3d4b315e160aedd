#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <utility>

#include "core/cpu/ProcStatSampler.h"

namespace moravel {

namespace {

// The times of one line after its name: user nice system idle iowait irq softirq steal (guest and
// guest_nice may follow and are not added). At least the first four must be there.
std::optional<CpuTimes> ParseTimes(std::string_view line) {
    std::array<std::uint64_t, 8> fields{};
    std::size_t count = 0;
    while (count < fields.size()) {
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        if (line.empty()) {
            break;
        }
        const auto [next, ec] =
            std::from_chars(line.data(), line.data() + line.size(), fields[count]);
        if (ec != std::errc() || (next != line.data() + line.size() && *next != ' ')) {
            return std::nullopt;
        }
        line.remove_prefix(static_cast<std::size_t>(next - line.data()));
        ++count;
    }
    if (count < 4) {
        return std::nullopt;
    }
    CpuTimes times;
    times.idle = fields[3] + fields[4];
    for (const std::uint64_t field : fields) {
        times.total += field;
    }
    return times;
}

// The whole list of processor lines fits: 256 lines of at most ten 20-digit fields.
constexpr std::size_t kListBytes = 1024 + kMaxProcessors * 256;

}  // namespace

std::optional<CpuTimes> ParseProcStat(std::string_view text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (line.substr(0, 4) != "cpu ") {
        return std::nullopt;
    }
    return ParseTimes(line.substr(4));
}

std::size_t ParseProcStatProcessors(std::string_view text, std::span<ProcessorTimes> processors) {
    for (ProcessorTimes& processor : processors) {
        processor.online = false;
    }
    std::size_t count = 0;
    std::size_t end = text.find('\n');
    while (end != std::string_view::npos) {
        text.remove_prefix(end + 1);
        end = text.find('\n');  // a line cut off at the end of what was read is not taken
        const std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos || line.substr(0, 3) != "cpu") {
            break;
        }
        std::size_t number = 0;
        const char* first = line.data() + 3;
        const auto [next, ec] = std::from_chars(first, line.data() + line.size(), number);
        if (ec != std::errc() || next == first || next == line.data() + line.size() ||
            *next != ' ') {
            break;
        }
        const std::optional<CpuTimes> times =
            ParseTimes(line.substr(static_cast<std::size_t>(next - line.data())));
        if (times && number < processors.size()) {
            processors[number] = {*times, true};
            count = std::max(count, number + 1);
        }
    }
    return count;
}

ProcStatSampler::ProcStatSampler(std::string path) : path_(std::move(path)) {}

void ProcStatSampler::ReadProcessors(bool on) {
    if (on == readProcessors_) {
        return;
    }
    readProcessors_ = on;
    if (on) {
        // Made here, once: a reading allocates nothing.
        listBuffer_.resize(kListBytes);
        times_.assign(kMaxProcessors, {});
        previousTimes_.assign(kMaxProcessors, {});
        usages_.assign(kMaxProcessors, kProcessorOffline);
    } else {
        listBuffer_ = {};
        times_ = {};
        previousTimes_ = {};
        usages_ = {};
    }
    processorCount_ = 0;
}

std::optional<std::string_view> ProcStatSampler::Read() {
    // Only the first line is needed for the total; the processors' lines follow it.
    const std::span<char> buffer =
        readProcessors_ ? std::span<char>(listBuffer_) : std::span<char>(buffer_);
    const std::string_view enough = readProcessors_ ? "\nintr" : "\n";
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::size_t size = 0;
    while (size < buffer.size()) {
        const ssize_t n = read(fd, buffer.data() + size, buffer.size() - size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n < 0) {
                size = 0;
            }
            break;
        }
        size += static_cast<std::size_t>(n);
        if (std::string_view(buffer.data(), size).find(enough) != std::string_view::npos) {
            break;
        }
    }
    close(fd);
    return std::string_view(buffer.data(), size);
}

void ProcStatSampler::UpdateProcessors(std::string_view text) {
    processorCount_ = std::max(processorCount_, ParseProcStatProcessors(text, times_));
    for (std::size_t i = 0; i < processorCount_; ++i) {
        const ProcessorTimes& now = times_[i];
        const ProcessorTimes& before = previousTimes_[i];
        usages_[i] = kProcessorOffline;
        // A processor read both times whose time moved on; one that came back or whose time
        // went back (it was replaced) is read from the next time on. Its idle time counts iowait,
        // which the kernel may step back on a busy processor: held to 0 .. the time gone by.
        if (now.online && before.online && now.times.total > before.times.total) {
            const std::uint64_t span = now.times.total - before.times.total;
            const std::uint64_t idle = now.times.idle > before.times.idle
                                           ? std::min(now.times.idle - before.times.idle, span)
                                           : 0;
            usages_[i] = static_cast<std::uint8_t>(
                UsageFromIdle(static_cast<double>(idle), static_cast<double>(span)));
        }
    }
    times_.swap(previousTimes_);
}

std::int32_t ProcStatSampler::Sample() {
    const std::optional<std::string_view> text = Read();
    if (!text) {
        return kSampleFailed;
    }
    if (text->size() == (readProcessors_ ? listBuffer_.size() : buffer_.size()) &&
        text->find('\n') == std::string_view::npos) {
        return kSampleFailed;  // a first line this long is not the kernel's
    }
    const std::optional<CpuTimes> now = ParseProcStat(*text);
    if (!now) {
        return kSampleFailed;
    }
    std::int32_t usage = 0;
    if (primed_) {
        const auto idle = static_cast<std::int64_t>(now->idle - previous_.idle);
        const auto total = static_cast<std::int64_t>(now->total - previous_.total);
        usage = total > 0 ? UsageFromIdle(static_cast<double>(idle), static_cast<double>(total))
                          : kSampleFailed;
    }
    primed_ = true;
    previous_ = *now;
    if (readProcessors_) {
        UpdateProcessors(*text);
    }
    return usage;
}

}  // namespace moravel
