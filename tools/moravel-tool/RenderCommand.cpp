// render: draws one frame of the window graph (and optionally the tray-icon graph) to PNG, exactly
// as the window's first frame after its pictures are reset. Needs no display: the fonts, pictures
// and the PNG writer come from the build's RenderPlatform.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "Args.h"
#include "Commands.h"
#include "RenderPlatform.h"
#include "core/app/SamplingCycle.h"
#include "core/base/Strings.h"
#include "core/config/Settings.h"
#include "core/config/Theme.h"
#include "core/os/TextFile.h"
#include "core/render/ProcessorView.h"
#include "core/render/Renderer.h"
#include "core/tray/IconImage.h"

namespace moravel::tool {
namespace {

// The window's designed outer size less its one-pixel border.
constexpr std::int32_t kDefaultWidth = 298;
constexpr std::int32_t kDefaultHeight = 98;
constexpr std::int32_t kDefaultHistorySize = 1920;
constexpr std::int32_t kMaxHistorySize = 1 << 20;
constexpr std::int32_t kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = 64ll * 1024 * 1024;
// Tools measure text at the common desktop resolution, so pictures are the same everywhere.
constexpr double kToolDpi = 96;

std::optional<std::int32_t> ParseCount(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "WxH", both at least 1.
bool ParseSize(std::string_view text, std::int32_t& width, std::int32_t& height) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos) {
        return false;
    }
    const auto w = ParseCount(text.substr(0, x));
    const auto h = ParseCount(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxSide || *h > kMaxSide ||
        static_cast<std::int64_t>(*w) * *h > kMaxPixels) {
        return false;
    }
    width = *w;
    height = *h;
    return true;
}

// Reports a picture that could not be written.
bool Written(bool ok, const std::string& path) {
    if (!ok) {
        std::fprintf(stderr, "moravel-tool: cannot write '%s'\n", path.c_str());
    }
    return ok;
}

// What `render` is asked to draw and where to write it.
struct RenderRequest {
    std::string history;
    std::optional<std::string> theme;
    std::optional<std::string> themesDir;
    std::optional<std::string> out;
    std::optional<std::string> iconOut;
    std::int32_t width = kDefaultWidth;
    std::int32_t height = kDefaultHeight;
    std::int32_t historySize = kDefaultHistorySize;
    std::int32_t iconMode = 0;
    bool processors = false;  // --view processors
};

// --size, --history-size and --icon-mode into `request`: kExitOk, or a usage error's status.
int ReadNumbers(const Args& parsed, RenderRequest& request) {
    if (const auto size = parsed.Value("size");
        size && !ParseSize(*size, request.width, request.height)) {
        return UsageError("--size wants WxH, each side 1.." + std::to_string(kMaxSide));
    }
    if (const auto n = parsed.Value("history-size")) {
        const auto count = ParseCount(*n);
        if (!count || *count < 1 || *count > kMaxHistorySize) {
            return UsageError("--history-size wants a number from 1 to " +
                              std::to_string(kMaxHistorySize));
        }
        request.historySize = *count;
    }
    if (const auto mode = parsed.Value("icon-mode")) {
        const auto value = ParseCount(*mode);
        if (!value || *value < 1 || *value > 4) {
            return UsageError("--icon-mode wants 1, 2, 3 or 4");
        }
        request.iconMode = *value;
    }
    return kExitOk;
}

// The options in `args` into `request`: kExitOk, or a usage error's status.
int ParseRenderRequest(std::span<const std::string> args, RenderRequest& request) {
    const Args parsed(args,
                      {"history", "theme", "themes-dir", "size", "history-size", "out", "icon-mode",
                       "icon-out", "view"},
                      {});
    if (!parsed.error().empty()) {
        return UsageError(parsed.error());
    }
    const auto history = parsed.Value("history");
    if (!history) {
        return UsageError("--history FILE is required");
    }
    request.history = *history;
    if (const int status = ReadNumbers(parsed, request); status != kExitOk) {
        return status;
    }
    if (const auto view = parsed.Value("view")) {
        if (*view != "total" && *view != "processors") {
            return UsageError("--view wants total or processors");
        }
        request.processors = *view == "processors";
    }
    request.theme = parsed.Value("theme");
    request.themesDir = parsed.Value("themes-dir");
    request.out = parsed.Value("out");
    request.iconOut = parsed.Value("icon-out");
    if ((request.iconMode != 0) != request.iconOut.has_value()) {
        return UsageError("--icon-mode and --icon-out go together");
    }
    if (!request.out && !request.iconOut) {
        return UsageError("nothing to write: give --out FILE.png or --icon-out FILE.png");
    }
    return kExitOk;
}

// The window's first frame after its pictures are reset, and the icon picture if asked for, as
// PNG files.
int DrawAndSave(RenderPlatform& platform, const RenderRequest& request, const ThemeRecord& theme,
                const SettingsRecord& settings, std::vector<std::int32_t>& samples,
                std::int32_t& historyPos, const ProcessorHistoryView& processors) {
    ThemeFolders folders =
        request.themesDir ? ThemeFolders{*request.themesDir} : ProgramThemeFolders();
    Renderer renderer(platform.Fonts(), platform.Images(), std::move(folders), theme, settings);
    renderer.SetHistory(HistoryView{samples.data(), request.historySize, &historyPos});
    renderer.Rebuild(request.width + 2, request.height + 2);
    if (!processors.Empty()) {
        ProcessorView view(renderer);
        view.Draw(processors, HistoryView{samples.data(), request.historySize, &historyPos});
    }

    if (request.out &&
        !Written(platform.WritePicture(renderer.picGraph, *request.out), *request.out)) {
        return kExitFailure;
    }
    if (request.iconOut) {
        Surface& frame = renderer.IconPicture();
        renderer.DrawIconGraph(frame);
        const IconImage icon = MakeIconImage(frame, kButtonFaceColour);
        if (!Written(platform.WriteIcon(icon, *request.iconOut), *request.iconOut)) {
            return kExitFailure;
        }
    }
    return kExitOk;
}

}  // namespace

int RunRenderCommand(std::span<const std::string> args) {
    RenderRequest request;
    if (const int status = ParseRenderRequest(args, request); status != kExitOk) {
        return status;
    }
    if (!IsFile(request.history)) {
        std::fprintf(stderr, "moravel-tool: no history file '%s'\n", request.history.c_str());
        return kExitFailure;
    }
    std::vector<std::int32_t> samples(static_cast<std::size_t>(request.historySize), 0);
    std::vector<std::uint8_t> rows;
    std::int32_t processorCount = 0;
    // Plain histories read as ever; a per-processor one gives its totals to the total view.
    const std::int32_t read =
        ReadProcessorHistoryText(ReadTextFile(request.history, "", kMaxTestDataBytes), samples,
                                 request.processors ? &rows : nullptr, processorCount);
    std::int32_t historyPos = read % request.historySize;
    ProcessorHistoryView processors;
    if (request.processors && processorCount > 0) {
        processors = {rows.data(), processorCount, request.historySize, &historyPos};
    }

    ThemeRecord theme;
    if (request.theme) {
        LoadThemeFile(theme, *request.theme);  // a missing file gives the built-in theme
    } else {
        SetDefaultTheme(theme);
    }
    SettingsRecord settings;
    SetDefaultSettings(settings);
    settings.IconGraphMode = static_cast<TrayIconMode>(request.iconMode);  // 1 to 4, checked
    settings.State = WindowState::Shown;

    const std::unique_ptr<RenderPlatform> platform = MakeRenderPlatform(kToolDpi);
    return DrawAndSave(*platform, request, theme, settings, samples, historyPos, processors);
}

}  // namespace moravel::tool
