// The processes of /proc, each read from its /proc/<pid>/stat.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <ctime>
#include <string>

#include "core/cpu/ProcessTimes.h"

namespace moravel {
namespace {

// The whole of a small file (a stat line is far shorter than the buffer), or "" when it cannot
// be read.
std::string_view ReadSmallFile(const std::string& path, std::array<char, 1024>& buffer) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    const ssize_t got = read(fd, buffer.data(), buffer.size());
    close(fd);
    return got > 0 ? std::string_view(buffer.data(), static_cast<std::size_t>(got))
                   : std::string_view{};
}

class ProcLister final : public ProcessLister {
  public:
    bool Read(ProcessSnapshot& snapshot) override {
        DIR* proc = opendir("/proc");
        if (proc == nullptr) {
            return false;
        }
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        snapshot.seconds = static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
        snapshot.processes.clear();
        std::array<char, 1024> buffer{};
        while (const dirent* entry = readdir(proc)) {
            const std::string_view name = entry->d_name;
            std::int64_t pid = 0;
            const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
            if (error != std::errc{} || end != name.data() + name.size()) {
                continue;  // not a process
            }
            const std::string_view line =
                ReadSmallFile("/proc/" + std::string(name) + "/stat", buffer);
            if (auto process = ParseProcStat(line, pid, ticksPerSecond_)) {
                snapshot.processes.push_back(std::move(*process));
            }
        }
        closedir(proc);
        return true;
    }

  private:
    double ticksPerSecond_ = static_cast<double>(sysconf(_SC_CLK_TCK));
};

}  // namespace

std::unique_ptr<ProcessLister> MakeProcessLister() {
    return std::make_unique<ProcLister>();
}

}  // namespace moravel
