// The user's interface language and locale.
#include <windows.h>

#include "core/os/SystemLocale.h"
#include "core/os/WideText_win.h"

namespace moravel {
namespace {

std::string NameOf(LCID lcid) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(lcid, name, LOCALE_NAME_MAX_LENGTH, 0) <= 0) {
        return {};
    }
    return WideToUtf8(name);
}

}  // namespace

std::vector<std::string> SystemLocaleNames() {
    return {NameOf(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT)),
            NameOf(GetUserDefaultLCID())};
}

}  // namespace moravel
