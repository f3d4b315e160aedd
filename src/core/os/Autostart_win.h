// The Run value of the registry as an Autostart (Windows only).
#pragma once

#include <string>

#include "core/os/Autostart.h"

namespace moravel {

// The value `valueName` under HKEY_CURRENT_USER\`subKey`: the program's path in quotes. Tests
// name a key of their own.
class RunKeyAutostart : public Autostart {
  public:
    RunKeyAutostart(std::string subKey, std::string valueName);
    bool StartsProgram(const std::string& program) const override;
    bool Enable(const std::string& program) override;
    bool Disable() override;

  private:
    std::wstring subKey_;
    std::wstring valueName_;
};

}  // namespace moravel
