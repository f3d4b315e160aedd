#include "core/shell/ShellRules.h"

#include <algorithm>

#include "core/os/Encoding.h"

namespace moravel {

std::string_view HiddenCaption(WindowState state) {
    return IsHidden(state) ? kShowCaption : kHideCaption;
}

std::vector<MenuItem> PopupMenuItems(WindowState state) {
    std::vector<MenuItem> items;
    items.push_back({"mnuHidden", HiddenCaption(state), MenuCommand::Hidden});
    items.push_back({"mnuPart1", "-", MenuCommand::None});
    items.push_back({"mnuSetup", "設定(&S)...", MenuCommand::Setup});
    items.push_back({"mnuVersion", "バージョン情報", MenuCommand::Version});
    items.push_back({"mnuHelp", "ヘルプ(&H)", MenuCommand::Help});
    items.push_back({"mnuPart2", "-", MenuCommand::None});
    items.push_back({"mnuExit", "終了(&X)", MenuCommand::Exit});
    return items;
}

TrayAction DecodeTrayCallback(std::int32_t button, TrayMessage message) {
    if (button != kTrayCallbackButton) {
        return TrayAction::None;
    }
    switch (message) {
        case TrayMessage::LeftDoubleClick:
            return TrayAction::BringBack;
        case TrayMessage::RightButtonUp:
            return TrayAction::OpenMenu;
        default:
            return TrayAction::None;
    }
}

BringBackPlan PlanBringBack(bool setupDialogShown, WindowState state, TopMostMode topMost) {
    return {!setupDialogShown && IsHidden(state), !KeepsOnTop(topMost)};
}

std::string TrayTipText(std::int32_t usage) {
    constexpr std::size_t kTipBytes = 64;
    return TruncateToAnsiBytes("CPU使用率 " + std::to_string(usage) + " %", kTipBytes - 1);
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
