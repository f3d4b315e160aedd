#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <utility>

#include "core/cpu/ProcStatSampler.h"

namespace moravel {

std::optional<CpuTimes> ParseProcStat(std::string_view text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.substr(0, 4) != "cpu ") {
        return std::nullopt;
    }
    line.remove_prefix(4);
    // user nice system idle iowait irq softirq steal (guest guest_nice follow, not added).
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

ProcStatSampler::ProcStatSampler(std::string path) : path_(std::move(path)) {}

std::optional<CpuTimes> ProcStatSampler::Read() {
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::size_t size = 0;
    while (size < buffer_.size()) {
        const ssize_t n = read(fd, buffer_.data() + size, buffer_.size() - size);
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
        if (std::string_view(buffer_.data(), size).find('\n') != std::string_view::npos) {
            break;
        }
    }
    close(fd);
    const std::string_view text(buffer_.data(), size);
    if (size == buffer_.size() && text.find('\n') == std::string_view::npos) {
        return std::nullopt;  // a first line this long is not the kernel's
    }
    return ParseProcStat(text);
}

std::int32_t ProcStatSampler::Sample() {
    const std::optional<CpuTimes> now = Read();
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
    return usage;
}

}  // namespace moravel
