#include "core/app/ShellRules.h"

#include <algorithm>
#include <cmath>

#include "core/app/Texts.h"
#include "core/base/Strings.h"
#include "core/os/Encoding.h"

namespace moravel {

std::string_view HiddenCaption(WindowState state) {
    return Localised(IsHidden(state) ? kShowCaption : kHideCaption);
}

std::vector<MenuItem> PopupMenuItems(WindowState state, bool trayHost) {
    std::vector<MenuItem> items;
    items.push_back({"mnuHidden", HiddenCaption(state), MenuCommand::Hidden, trayHost});
    items.push_back({"mnuPart1", "-", MenuCommand::None});
    items.push_back({"mnuSetup", Localised("設定(&S)..."), MenuCommand::Setup});
    items.push_back({"mnuVersion", Localised("バージョン情報"), MenuCommand::Version});
    items.push_back({"mnuHelp", Localised("ヘルプ(&H)"), MenuCommand::Help});
    items.push_back({"mnuPart2", "-", MenuCommand::None});
    items.push_back({"mnuExit", Localised("終了(&X)"), MenuCommand::Exit});
    return items;
}

HidingPlan PlanHiding(WindowState state, bool waitingForTray, bool trayHost) {
    if (trayHost) {
        return {waitingForTray ? WindowState::Hidden : state, false};
    }
    if (IsHidden(state)) {
        return {WindowState::Shown, true};
    }
    return {state, waitingForTray};
}

WindowState SavedWindowState(WindowState state, bool waitingForTray) {
    return waitingForTray ? WindowState::Hidden : state;
}

BringBackPlan PlanBringBack(bool setupDialogShown, WindowState state, TopMostMode topMost) {
    return {!setupDialogShown && IsHidden(state), !KeepsOnTop(topMost)};
}

std::string TrayTipText(std::int32_t usage, bool fellBack) {
    return TrayTipText(usage, fellBack, BusiestProcessor{});
}

std::string TrayTipText(std::int32_t usage, bool fellBack, const BusiestProcessor& busiest) {
    constexpr std::size_t kTipBytes = 64;
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) of "x" + std::string.
    std::string text(Localised("CPU使用率"));
    text += ' ';
    text += std::to_string(usage);
    text += " %";
    if (busiest.number >= 0) {
        text += " (CPU";
        text += std::to_string(busiest.number);
        text += ' ';
        text += std::to_string(busiest.usage);
        text += " %)";
    }
    if (fellBack) {
        text += Localised(kFellBackTipNote);
    }
    return TruncateToAnsiBytes(text, kTipBytes - 1);
}

Guid TrayIconGuid(std::string_view executablePath) {
    // The namespace of the program's tray icons: no other name-based UUID falls in it.
    static constexpr Guid kTrayIcons{{0xe9, 0x48, 0xe5, 0x69, 0xb3, 0x45, 0x4b, 0x7e, 0x93, 0xb4,
                                      0x2a, 0xf4, 0x84, 0x4e, 0x71, 0x69}};
    return NameBasedGuid(kTrayIcons, ToLowerAscii(executablePath));
}

SizingBandRoute RouteSizingBandButton(std::int32_t button, MouseAction action) {
    if (button == 2) {
        return SizingBandRoute::Window;
    }
    return button == 1 && action == MouseAction::DoubleClick ? SizingBandRoute::Nothing
                                                             : SizingBandRoute::System;
}

std::int32_t WholeScaleFactor(double devicePixelRatio) {
    // Ratios a hair below a whole number (1.9999 from a rounded scale) count as that number.
    constexpr double kSlack = 1e-6;
    constexpr double kLargest = 16;
    if (!(devicePixelRatio >= 1)) {
        return 1;  // also NaN
    }
    return static_cast<std::int32_t>(std::floor(std::min(devicePixelRatio, kLargest) + kSlack));
}

FrameScale FrameScaleFor(std::int32_t deviceWidth, std::int32_t deviceHeight,
                         double devicePixelRatio) {
    const std::int32_t factor = WholeScaleFactor(devicePixelRatio);
    return {factor, std::max(deviceWidth, 0) / factor, std::max(deviceHeight, 0) / factor};
}

DeviceRows FrameRowsOnDevice(std::int32_t factor, std::int32_t frameTop, std::int32_t frameBottom) {
    if (frameBottom <= frameTop) {
        return {};
    }
    const std::int64_t k = std::max(factor, 1);
    const auto device = [k](std::int32_t row) {
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(k * (std::int64_t{row} + 1), 0, INT32_MAX));
    };
    return {device(frameTop), device(frameBottom)};
}

double DevicePixelRatioForDpi(std::int32_t dpi) {
    constexpr double kStandardDpi = 96;
    return dpi >= 1 ? dpi / kStandardDpi : 1.0;
}

std::int32_t DeviceLength(std::int32_t logical, double devicePixelRatio) {
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;  // also NaN
    return static_cast<std::int32_t>(
        std::clamp(std::round(logical * ratio), -2147483648.0, 2147483647.0));
}

std::int32_t LogicalLength(std::int32_t device, double devicePixelRatio) {
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    return static_cast<std::int32_t>(
        std::clamp(std::round(device / ratio), -2147483648.0, 2147483647.0));
}

double FrameFontDpi(std::int32_t dpi) {
    const double ratio = DevicePixelRatioForDpi(dpi);
    return 96.0 * ratio / WholeScaleFactor(ratio);
}

ScreenRect InitialWindowRect(std::int32_t savedLeft, std::int32_t savedTop, std::int32_t savedWidth,
                             std::int32_t savedHeight, std::int32_t designedWidth,
                             std::int32_t designedHeight, const ScreenRect& primaryScreen,
                             std::span<const ScreenRect> workAreas) {
    const auto centred = [&](std::int32_t width, std::int32_t height) {
        const std::int32_t left = primaryScreen.left + (primaryScreen.width() - width) / 2;
        const std::int32_t top = primaryScreen.top + (primaryScreen.height() - height) / 2;
        return ScreenRect{left, top, left + width, top + height};
    };
    if (savedWidth < 1 || savedHeight < 1) {
        return centred(designedWidth, designedHeight);
    }

    // The desktop: the smallest rectangle holding every screen.
    ScreenRect desktop = primaryScreen;
    for (const ScreenRect& area : workAreas) {
        desktop.left = std::min(desktop.left, area.left);
        desktop.top = std::min(desktop.top, area.top);
        desktop.right = std::max(desktop.right, area.right);
        desktop.bottom = std::max(desktop.bottom, area.bottom);
    }
    const std::int32_t width = std::min(savedWidth, desktop.width());
    const std::int32_t height = std::min(savedHeight, desktop.height());
    const ScreenRect saved{savedLeft, savedTop,
                           static_cast<std::int32_t>(static_cast<std::int64_t>(savedLeft) + width),
                           static_cast<std::int32_t>(static_cast<std::int64_t>(savedTop) + height)};
    const bool reachable =
        std::any_of(workAreas.begin(), workAreas.end(), [&](const ScreenRect& a) {
            return saved.left < a.right && a.left < saved.right && saved.top < a.bottom &&
                   a.top < saved.bottom;
        });
    return reachable ? saved : centred(width, height);
}

}  // namespace moravel
