#include <windows.h>

#include "core/cpu/WinVer.h"

namespace moravel {

bool IsWinNT() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    static_assert(sizeof version == 148);
    return GetVersionExA(&version) != 0 && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace moravel
