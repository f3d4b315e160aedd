#include "qt/QtSystemColours.h"

#include <QGuiApplication>
#include <array>

namespace moravel {
namespace {

struct RoleOf {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup kActive = QPalette::Active;
constexpr QPalette::ColorGroup kInactive = QPalette::Inactive;
constexpr QPalette::ColorGroup kDisabled = QPalette::Disabled;

// By system colour index; index 25 has no colour of its own and keeps the classic value.
constexpr std::array<RoleOf, kSystemColourCount> kRoles = {{
    {kActive, QPalette::Button},             //  0 scroll bar
    {kActive, QPalette::Window},             //  1 desktop
    {kActive, QPalette::Highlight},          //  2 active caption
    {kInactive, QPalette::Highlight},        //  3 inactive caption
    {kActive, QPalette::Window},             //  4 menu
    {kActive, QPalette::Base},               //  5 window
    {kActive, QPalette::Shadow},             //  6 window frame
    {kActive, QPalette::WindowText},         //  7 menu text
    {kActive, QPalette::Text},               //  8 window text
    {kActive, QPalette::HighlightedText},    //  9 caption text
    {kActive, QPalette::Button},             // 10 active border
    {kInactive, QPalette::Button},           // 11 inactive border
    {kActive, QPalette::Mid},                // 12 application workspace
    {kActive, QPalette::Highlight},          // 13 highlight
    {kActive, QPalette::HighlightedText},    // 14 highlight text
    {kActive, QPalette::Button},             // 15 button face
    {kActive, QPalette::Dark},               // 16 button shadow
    {kDisabled, QPalette::Text},             // 17 grey text
    {kActive, QPalette::ButtonText},         // 18 button text
    {kInactive, QPalette::HighlightedText},  // 19 inactive caption text
    {kActive, QPalette::Light},              // 20 button highlight
    {kActive, QPalette::Shadow},             // 21 3D dark shadow
    {kActive, QPalette::Midlight},           // 22 3D light
    {kActive, QPalette::ToolTipText},        // 23 tooltip text
    {kActive, QPalette::ToolTipBase},        // 24 tooltip background
    {kActive, QPalette::NoRole},             // 25 (unused)
    {kActive, QPalette::Link},               // 26 hot-tracked item
    {kActive, QPalette::Highlight},          // 27 active caption gradient
    {kInactive, QPalette::Highlight},        // 28 inactive caption gradient
    {kActive, QPalette::Highlight},          // 29 menu highlight
    {kActive, QPalette::Window},             // 30 menu bar
}};

}  // namespace

SystemColourTable SystemColoursFromPalette(const QPalette& palette) {
    SystemColourTable table = ClassicSystemColours();
    for (std::size_t i = 0; i < kRoles.size(); ++i) {
        if (kRoles[i].role == QPalette::NoRole) {
            continue;
        }
        const QColor c = palette.color(kRoles[i].group, kRoles[i].role);
        table[i] = Rgb(static_cast<std::uint32_t>(c.red()), static_cast<std::uint32_t>(c.green()),
                       static_cast<std::uint32_t>(c.blue()));
    }
    return table;
}

void UseDesktopSystemColours() {
    SetSystemColours(SystemColoursFromPalette(QGuiApplication::palette()));
}

}  // namespace moravel
