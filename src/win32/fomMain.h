// The main window: a borderless window showing the graph, with the tray icon and the popup menu
// through which every command is reached. It presents the monitor session: the window's messages
// go to the session as intents, and the session's requests come back through the MonitorPort.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/app/MonitorSession.h"
#include "core/app/ProgramState.h"
#include "core/dialogs/ComDlg.h"
#include "win32/Accessible.h"
#include "win32/FileDialog.h"
#include "win32/FrameEdges.h"
#include "win32/GdiFontEngine.h"
#include "win32/Handles.h"
#include "win32/HelpLauncher.h"
#include "win32/Prompts.h"
#include "win32/TaskTray.h"
#include "win32/WicImageLoader.h"
#include "win32/WindowHelpers.h"

namespace moravel {

class fomVersion;

class fomMain : private MonitorPort {
  public:
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
    ~fomMain() override;

    // Start-up: creates the window. False when the program must end at once.
    bool Form_Load() { return session_.Start(); }

    HWND hwnd() const { return window_.get(); }

  private:
    // The port.
    bool CreateMainWindow() override;
    ClientArea Client() const override;
    Desktop Screens() const override;
    WindowScales Scales() const override;
    ScreenRect WindowRect() const override;
    void PlaceWindow(const ScreenRect& frame) override;
    void MoveWindow(ScreenPoint topLeft) override;
    void ShowWindow(bool shown) override;
    void SetTopMost(bool onTop) override;
    void Activate() override;
    void BringToFront() override { moravel::BringToFront(hwnd()); }
    void Repaint(std::int32_t top, std::int32_t bottom) override;
    void SetDragging(bool dragging, WindowCursor cursor) override;
    void SetTicking(bool ticking) override;
    bool TestDataKeysHeld() const override { return IsShiftDown() && IsCtrlDown(); }
    bool AddTrayIcon() override;
    bool TrayHostPresent() override { return TrayData.added; }
    void SetTrayIcon(const IconImage* picture, bool newPicture, const std::string& tip) override;
    void RemoveTrayIcon() override;
    bool ShowAlert(const std::string& title, const std::string& text) override;
    void AnnounceUsage() override;
    void OpenPopupMenu() override;
    void MenuChanged() override {}  // made anew each time it opens
    void RunSetupDialog() override;
    void RunAboutBox() override;
    void RaiseAboutBox() override;
    void ShowHelp(const std::string& helpFile, HelpContext context) override {
        moravel::ShowHelp(hwnd(), helpFile, context);
    }
    void ShowMessage(const MessageRequest& message) override {
        moravel::ShowMessage(hwnd(), message);
    }
    // Form_Unload: the program ends with its main window.
    void EndProgram() override { DestroyWindow(hwnd()); }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT SizingBand_Mouse(FrameButton button, UINT message, WPARAM hit, LPARAM lParam);

    void Form_Paint();
    void Form_GetMinMaxInfo(MINMAXINFO& info) const;
    void Form_DpiChanged(UINT dpi, const RECT& suggested);
    void picIcon_MouseDown(UINT mouseMessage);
    void TaskbarRestarted();

    // Makes `dpi` the window's: the factor of its frame pixels and the size of its text follow.
    void UseDpi(UINT dpi);

    std::wstring className_;
    GdiFontEngine fonts_;
    WicImageLoader images_;
    MonitorSession session_;
    GraphAccessible graph_{session_.Announcer()};  // what screen readers are told of the graph
    WindowHandle window_;
    HICON ownIcon_ = nullptr;  // the program's own, from its resources (shared)
    HICON ownSmallIcon_ = nullptr;
    IconHandle trayGraphIcon_;  // the icon the tray shows, made of the icon graph
    modTaskTray::TrayData TrayData;
    double pixelRatio_ = 1.0;  // device pixels per logical pixel on the window's monitor
    int trayIconSize_ = 16;    // the tray's small icons, in pixels
    Win32FileDialog fileDialogs_;
    clsComDlg comDlg_{fileDialogs_};    // the one open/save dialog object of the run
    fomVersion* versionBox_ = nullptr;  // the about box while it is open
};

}  // namespace moravel
