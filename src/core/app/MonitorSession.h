// The running program, once for both main windows: start-up, the one-second cycle and its history,
// the refresh of the window graph and the tray icon, showing and hiding with or without a tray
// host, dragging across work areas, the popup menu's commands and the one shutdown that saves.
//
// A main window makes one session, hands it what the user and the system do as intents (Tick,
// Resized, MousePressed, TrayClicked, Command, ...), and does what the session asks of it through
// its MonitorPort. It decides nothing itself: whatever one main window does, the other does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app/LoadAlert.h"
#include "core/app/MonitorPort.h"
#include "core/app/ProgramState.h"
#include "core/app/SamplingCycle.h"
#include "core/app/ShellRules.h"
#include "core/app/UsageAnnouncer.h"
#include "core/app/WindowDrag.h"
#include "core/os/Clock.h"
#include "core/render/FontEngine.h"
#include "core/render/ImageLoader.h"
#include "core/render/ProcessorView.h"
#include "core/render/Renderer.h"
#include "core/tray/IconImage.h"

namespace moravel {

class MonitorSession {
  public:
    // The window's size when none is saved, its smallest size and the band at its edges that
    // sizes it, in logical pixels.
    static constexpr std::int32_t kDesignedWidth = 300;
    static constexpr std::int32_t kDesignedHeight = 100;
    static constexpr std::int32_t kMinimumWidth = 40;
    static constexpr std::int32_t kMinimumHeight = 20;
    static constexpr std::int32_t kResizeBorder = 4;
    static constexpr std::int32_t kTickMilliseconds = 1000;

    // `program`, `port`, `fonts` and `images` outlive the session. `sampler`, `clock` and
    // `processes` may be replaced (tests); null takes the system's.
    MonitorSession(ProgramState& program, MonitorPort& port, FontEngine& fonts, ImageLoader& images,
                   std::unique_ptr<CpuSampler> sampler = nullptr,
                   std::unique_ptr<MonotonicClock> clock = nullptr,
                   std::unique_ptr<ProcessLister> processes = nullptr);
    ~MonitorSession();
    MonitorSession(const MonitorSession&) = delete;
    MonitorSession& operator=(const MonitorSession&) = delete;

    // Start-up: settings and theme, sampling, the window, the tray icon, the first frame, the
    // place, hiding, and the test-data mode (Shift and Ctrl held). False when the program must end
    // at once (the usage cannot be read: the user was told); nothing is saved then.
    bool Start();

    // Intents.
    void Tick();
    // The window became the active one: a screen reader hears its value.
    void Activated();
    void Resized();
    // The screen's scale or the system's colours changed: everything is drawn anew, the tray icon
    // included.
    void DisplayChanged();
    // `button` 1 left, 2 right, 4 middle; `mouse` on the screen, (x, y) inside the window.
    void MousePressed(std::int32_t button, ScreenPoint mouse, double x, double y);
    void MouseMoved(bool onlyLeftHeld, bool modifierHeld, ScreenPoint mouse, double x, double y);
    void MouseReleased(std::int32_t button, bool modifierHeld, ScreenPoint mouse, double x,
                       double y);
    void MouseCaptureLost();
    // True when the key was the window's: F4 with Alt, closing it only with Alt alone.
    bool KeyPressed(bool f4, bool alt, bool shift, bool ctrl);
    void TrayClicked(TrayClick click);
    // A tray host may have come or gone; after TrayRestarted the icon is added again.
    void TrayHostChanged();
    void TrayRestarted();
    void Command(MenuCommand command);
    // A tray double click or a second start: the window comes back.
    void BringBack();
    // The exit command, Alt+F4 or the window closed by the system: saves, then ends the program.
    void Close();
    // The one shutdown: sampling stopped, tray icon removed, the window's place and the settings
    // saved. Once; also when the session of the desktop ends.
    void Shutdown();

    // Re-applies always-on-top, the theme and the window size, and redraws (the setup dialog's
    // apply, showing the window, closing the setup dialog).
    void ResetPicture();

    // What the main window shows and asks about.
    std::vector<MenuItem> PopupMenu() const;
    const Surface& Frame() const { return renderer_.picGraph; }
    std::int32_t FrameFactor() const { return frame_.factor; }
    bool SetupShown() const { return setupShown_; }
    bool HasTrayHost() const { return trayHost_; }
    bool Started() const { return started_; }
    // What the window tells a screen reader: its name and the value last announced.
    const UsageAnnouncer& Announcer() const { return announcer_; }
    ProgramState& Program() { return program_; }
    Renderer& renderer() { return renderer_; }
    SamplingCycle& cycle() { return cycle_; }

  private:
    void RefreshDisplay(std::int32_t usage);
    void RefreshTray(std::int32_t usage);
    void PlaceWindow();
    void RepaintChangedRows();
    void ToggleShown();
    void SetShown(bool shown);
    void UseTrayHost(bool present);
    void Drag(bool modifierHeld, ScreenPoint mouse, double x, double y);
    void Alert(std::uint64_t appended);

    // The per-processor view (CpuView=1): each processor is read only while it is chosen and the
    // sampler offers them, and drawn once their readings have come.
    void ApplyCpuView();
    bool DrawsProcessors() const;
    void DrawWindowGraph();

    ProgramState& program_;
    MonitorPort& port_;
    std::unique_ptr<MonotonicClock> clock_;
    SamplingCycle cycle_;
    UsageAnnouncer announcer_;
    Renderer renderer_;
    ProcessorView processorView_{renderer_};
    FrameScale frame_;

    IconImage trayPicture_;          // the icon graph's picture the tray was last handed
    bool trayShowsGraph_ = false;    // the tray shows that picture, not the program's icon
    bool trayPictureStale_ = false;  // made for another screen: made again at the next refresh
    std::string trayTip_;
    std::int32_t tipUsage_ = -1;
    BusiestProcessor tipBusiest_;
    bool tipFellBack_ = false;
    bool trayHost_ = false;
    bool waitingForTray_ = false;  // hidden as soon as a tray host appears

    LoadAlert alert_;
    std::string alertTip_;  // an alert no notification showed, below the tray tip's usage
    bool alertTipStale_ = false;

    DragState drag_;
    bool dragging_ = false;
    bool setupShown_ = false;
    bool aboutShown_ = false;
    bool started_ = false;  // start-up got past the sampler: closing saves the settings
    bool shutDown_ = false;
};

}  // namespace moravel
