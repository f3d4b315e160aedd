// Moravel for Windows: a small monitor of the total CPU load.
#include <windows.h>

#include "core/app/Language.h"
#include "core/app/ProgramState.h"
#include "core/app/Texts.h"
#include "core/os/ProgramFolder.h"
#include "core/os/SingleInstance.h"
#include "win32/SystemColours.h"
#include "win32/fomMain.h"

namespace {

// A second start: the running program's window comes forward. Its window may not exist yet when
// both were started at once, so it is looked for a little while.
void CallRunningProgram(const std::wstring& className) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const HWND first = FindWindowW(className.c_str(), nullptr);
        if (first != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(first, &process);
            // This start is the foreground one; the first may come forward in its place.
            AllowSetForegroundWindow(process);
            PostMessageW(first, moravel::fomMain::kBringBackMessage, 0, 0);
            return;
        }
        Sleep(100);
    }
}

int RunMessageLoop() {
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::string instanceName = moravel::SingleInstanceName(moravel::ProgramFolder());
    const std::wstring className = moravel::fomMain::ClassName(instanceName);
    moravel::SingleInstance instance(instanceName);
    if (instance.Claim() == moravel::InstanceClaim::Running) {
        CallRunningProgram(className);
        return 0;
    }
    moravel::UseDesktopSystemColours();

    moravel::SetUiLanguage(moravel::StartLanguage());

    moravel::ProgramState program;
    moravel::fomMain window(program, className);
    if (!window.Form_Load()) {
        return 1;
    }
    return RunMessageLoop();
}
