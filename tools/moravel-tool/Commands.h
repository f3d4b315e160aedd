// The subcommands of moravel-tool.
#pragma once

#include <span>
#include <string>

namespace moravel::tool {

struct Subcommand {
    const char* name;
    const char* help;  // usage lines and a description, printed by --help
    int (*run)(std::span<const std::string> args);
};

int RunThemeCommand(std::span<const std::string> args);
int RunSettingsCommand(std::span<const std::string> args);
int RunSampleCommand(std::span<const std::string> args);
int RunAlertTestCommand(std::span<const std::string> args);
// Built with a front end's fonts and pictures only (MORAVEL_TOOL_RENDER): Qt's or Win32's.
int RunRenderCommand(std::span<const std::string> args);

}  // namespace moravel::tool
