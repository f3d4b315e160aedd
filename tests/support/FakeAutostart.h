// An Autostart that keeps its entry in memory, for tests; it can be told to refuse writes.
#pragma once

#include <optional>
#include <string>

#include "core/os/Autostart.h"

namespace moravel {

class FakeAutostart : public Autostart {
  public:
    bool StartsProgram(const std::string& program) const override { return entry == program; }
    bool Enable(const std::string& program) override {
        ++writes;
        if (refuse) {
            return false;
        }
        entry = program;
        return true;
    }
    bool Disable() override {
        ++writes;
        if (refuse) {
            return false;
        }
        entry.reset();
        return true;
    }

    std::optional<std::string> entry;  // the program the entry starts, if there is one
    bool refuse = false;
    int writes = 0;  // calls of Enable and Disable
};

}  // namespace moravel
