// The main window: a borderless window showing the graph, its one-second sampling timer, the
// tray icon and the popup menu through which every command is reached.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/ProgramState.h"
#include "core/app/SamplingCycle.h"
#include "core/app/ShellRules.h"
#include "core/app/WindowDrag.h"
#include "core/dialogs/ComDlg.h"
#include "core/os/Clock.h"
#include "core/render/Renderer.h"
#include "win32/FileDialog.h"
#include "win32/GdiFontEngine.h"
#include "win32/Handles.h"
#include "win32/TaskTray.h"
#include "win32/WicImageLoader.h"

namespace moravel {

class fomVersion;

class fomMain {
  public:
    // The window's size when no size is saved, in logical pixels (as the settings keep sizes).
    static constexpr int kDesignedWidth = 300;
    static constexpr int kDesignedHeight = 100;
    // Posted by a second start to the running program's window: come forward.
    static constexpr UINT kBringBackMessage = WM_APP + 2;

    // The window class of the program running from `instanceName` (SingleInstanceName): a second
    // start looks for a window of this class.
    static std::wstring ClassName(const std::string& instanceName);

    // `program` outlives the window. `sampler` and `clock` may be replaced; null takes the
    // system's.
    fomMain(ProgramState& program, std::wstring className,
            std::unique_ptr<CpuSampler> sampler = nullptr,
            std::unique_ptr<MonotonicClock> clock = nullptr);
    ~fomMain();
    fomMain(const fomMain&) = delete;
    fomMain& operator=(const fomMain&) = delete;

    // Start-up: creates the window. False when the program must end at once.
    bool Form_Load();
    void ResetPicture();
    void RefreshDisplay(std::int32_t u);
    void BringBack();

    HWND hwnd() const { return window_.get(); }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);

    bool CreateMainWindow();
    void PlaceWindow();
    void StartTray();

    void Form_Paint();
    void Form_Resize();
    void Form_QueryUnload();
    void Form_Close();
    void Form_MouseDown(int button, POINT at);
    void Form_MouseMove(POINT at, bool leftDown);
    void Form_MouseUp(int button, POINT at);
    void Form_GetMinMaxInfo(MINMAXINFO& info);
    void Form_DpiChanged(UINT dpi, const RECT& suggested);
    void timCycle_Timer();
    void picIcon_MouseDown(int button, TrayMessage message);
    void TaskbarRestarted();

    void ShowPopup(POINT screen);
    void RunMenuCommand(MenuCommand command);
    void mnuHidden_Click();
    void mnuSetup_Click();
    void mnuVersion_Click();
    void mnuHelp_Click();
    void mnuExit_Click();

    ScreenRect FrameRect() const;
    // The client area in frame pixels and their factor at the window's dpi.
    FrameScale ClientFrameScale() const;
    double PixelRatio() const { return DevicePixelRatioForDpi(static_cast<std::int32_t>(dpi_)); }
    // Makes `dpi` the window's: the factor of its frame pixels and the size of its text follow.
    void UseDpi(UINT dpi);

    ProgramState& program_;
    std::wstring className_;
    std::unique_ptr<MonotonicClock> clock_;
    GdiFontEngine fonts_;
    WicImageLoader images_;
    std::unique_ptr<SamplingCycle> cycle_;
    Renderer renderer_;
    WindowHandle window_;
    HICON ownIcon_ = nullptr;  // the program's own, from its resources (shared)
    HICON ownSmallIcon_ = nullptr;
    IconHandle trayGraphIcon_;  // TrayIconHandle: the icon made from the icon graph
    modTaskTray::TrayData TrayData;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;  // of the monitor the window is on
    int trayIconSize_ = 16;               // the tray's small icons, in pixels
    DragState drag_;
    bool dragging_ = false;
    Win32FileDialog fileDialogs_;
    clsComDlg comDlg_{fileDialogs_};    // the one open/save dialog object of the run
    bool setupShown_ = false;           // while the setup dialog is open
    fomVersion* versionBox_ = nullptr;  // the about box while it is open
    bool loaded_ = false;               // start-up got past the sampler: closing saves the settings
    bool unloaded_ = false;
};

}  // namespace moravel
