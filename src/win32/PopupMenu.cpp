#include "win32/PopupMenu.h"

#include "core/os/WideText_win.h"

namespace moravel {

MenuHandle MakePopupMenu(std::span<const MenuItem> items) {
    MenuHandle menu(CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    for (const MenuItem& item : items) {
        if (item.command == MenuCommand::None) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                        kPopupMenuBase + static_cast<UINT>(item.command),
                        Utf8ToWide(item.caption).c_str());
        }
    }
    return menu;
}

MenuCommand ChooseFromPopupMenu(HWND owner, std::span<const MenuItem> items, POINT at) {
    const MenuHandle menu = MakePopupMenu(items);
    if (!menu) {
        return MenuCommand::None;
    }
    // The menu closes when the user clicks elsewhere only if its owner is the foreground window,
    // and the message after it lets the tray see the menu has gone.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    return chosen > kPopupMenuBase ? static_cast<MenuCommand>(chosen - kPopupMenuBase)
                                   : MenuCommand::None;
}

}  // namespace moravel
