// theme and settings: read a file with the program's reader and write it with its writer.
#include <cstdio>

#include "Args.h"
#include "Commands.h"
#include "core/config/Settings.h"
#include "core/config/Theme.h"

namespace moravel::tool {
namespace {

// Runs `roundTrip(in, out)` after checking the two required options.
template <class RoundTrip>
int RunRoundTrip(std::span<const std::string> args, RoundTrip roundTrip) {
    const Args parsed(args, {"in", "out"}, {});
    if (!parsed.error().empty()) {
        return UsageError(parsed.error());
    }
    const auto in = parsed.Value("in");
    const auto out = parsed.Value("out");
    if (!in || !out) {
        return UsageError("both --in FILE and --out FILE are required");
    }
    if (roundTrip(*in, *out) < 0) {
        std::fprintf(stderr, "moravel-tool: cannot write '%s'\n", out->c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

int RunThemeCommand(std::span<const std::string> args) {
    return RunRoundTrip(args, [](const std::string& in, const std::string& out) {
        ThemeRecord theme;
        LoadThemeFile(theme, in);
        return SaveThemeFile(theme, out, kBuildVersion);
    });
}

int RunSettingsCommand(std::span<const std::string> args) {
    return RunRoundTrip(args, [](const std::string& in, const std::string& out) {
        SettingsRecord settings;
        LoadSettings(settings, in);
        return SaveSettings(settings, out, kBuildVersion);
    });
}

}  // namespace moravel::tool
