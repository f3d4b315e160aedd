#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/app/MonitorSession.h"
#include "core/os/Clock.h"
#include "support/FakeClock.h"
#include "support/FakeCpuSampler.h"
#include "support/FakeFontEngine.h"
#include "support/FakeImageLoader.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

// A main window and a desktop of two screens side by side, the right one with a panel on top.
class FakeWindow final : public MonitorPort {
  public:
    ScreenRect rect{0, 0, 300, 100};
    bool visible = false;
    bool onTop = false;
    bool ticking = false;
    bool dragging = false;
    WindowCursor cursor = WindowCursor::Arrow;
    bool testKeys = false;
    bool trayTakes = true;  // the shell takes the icon
    bool trayPresent = false;
    int trayAdds = 0;
    int trayIcons = 0;  // icons made
    int trayUpdates = 0;
    std::string tip;
    bool ownIcon = true;
    int menus = 0;
    int menuChanges = 0;
    int fronts = 0;
    int fullRepaints = 0;
    int abouts = 0;
    int helps = 0;
    bool ended = false;
    std::vector<MessageRequest> messages;
    std::function<void()> setupDialog;

    bool CreateMainWindow() override { return true; }
    ClientArea Client() const override { return {rect.width(), rect.height(), 1.0}; }
    Desktop Screens() const override {
        return {{0, 0, 1000, 800},
                1000,
                1.0,
                {{{0, 0, 1000, 800}, {0, 0, 1000, 760}},
                 {{1000, 0, 2000, 800}, {1000, 40, 2000, 800}}}};
    }
    WindowScales Scales() const override { return {}; }
    ScreenRect WindowRect() const override { return rect; }
    void PlaceWindow(const ScreenRect& frame) override { rect = frame; }
    void MoveWindow(ScreenPoint p) override {
        rect = {p.x, p.y, p.x + rect.width(), p.y + rect.height()};
    }
    void ShowWindow(bool shown) override { visible = shown; }
    void SetTopMost(bool top) override { onTop = top; }
    void Activate() override {}
    void BringToFront() override { ++fronts; }
    void Repaint(std::int32_t top, std::int32_t) override { fullRepaints += top < 0 ? 1 : 0; }
    void SetDragging(bool on, WindowCursor shown) override {
        dragging = on;
        cursor = shown;
    }
    void SetTicking(bool on) override { ticking = on; }
    bool TestDataKeysHeld() const override { return testKeys; }
    bool AddTrayIcon() override {
        ++trayAdds;
        trayPresent = trayTakes;
        return trayPresent;
    }
    bool TrayHostPresent() override { return trayPresent; }
    void SetTrayIcon(const IconImage* picture, bool newPicture, const std::string& text) override {
        ++trayUpdates;
        trayIcons += newPicture ? 1 : 0;
        ownIcon = picture == nullptr;
        tip = text;
    }
    void RemoveTrayIcon() override { trayPresent = false; }
    void OpenPopupMenu() override { ++menus; }
    void MenuChanged() override { ++menuChanges; }
    void RunSetupDialog() override {
        if (setupDialog) {
            setupDialog();
        }
    }
    void RunAboutBox() override { ++abouts; }
    void RaiseAboutBox() override {}
    void ShowHelp(const std::string&, HelpContext) override { ++helps; }
    void ShowMessage(const MessageRequest& message) override { messages.push_back(message); }
    void EndProgram() override { ended = true; }
    bool ShowAlert(const std::string& title, const std::string& text) override {
        alerts.push_back(title + "|" + text);
        return notifies;
    }
    void AnnounceUsage() override {}
    bool notifies = true;  // a notification service runs
    std::vector<std::string> alerts;
};

// One process keeping two processors busy, sampled every second.
std::vector<ProcessSnapshot> TwoBusyProcessors() {
    std::vector<ProcessSnapshot> snapshots;
    for (int t = 0; t < 100; ++t) {
        snapshots.push_back({double(t), {{9, 1, 2.0 * t, "burner"}}});
    }
    return snapshots;
}

struct Session {
    test::TempFolder folder;
    test::ScopedProgramFolder home{folder.path()};
    ProgramState program;
    FakeWindow window;
    test::FakeFontEngine fonts;
    test::FakeImageLoader images;
    FakeCpuSampler* sampler = new FakeCpuSampler;
    FakeClock* clock = new FakeClock;
    RecordedProcesses* processes = new RecordedProcesses(
        TwoBusyProcessors(), [this] { return static_cast<double>(clock->now - 1'800'000'000); });
    MonitorSession session{program,
                           window,
                           fonts,
                           images,
                           std::unique_ptr<CpuSampler>(sampler),
                           std::unique_ptr<MonotonicClock>(clock),
                           std::unique_ptr<ProcessLister>(processes)};

    explicit Session(std::string_view ini = "") {
        clock->now = 1'800'000'000;
        test::WriteBytes(folder.File("Moravel.ini"), "[Settings]\r\n" + std::string(ini));
    }
    void Tick(int seconds = 1) {
        for (int i = 0; i < seconds; ++i) {
            clock->now += 1;
            session.Tick();
        }
    }
    std::string HiddenItem() const {
        const MenuItem item = session.PopupMenu().front();
        return std::string(item.caption) + (item.enabled ? "" : " (disabled)");
    }
    std::string Saved() const { return test::ReadBytes(folder.File("Moravel.ini")); }
};

bool Has(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

TEST(MonitorSession, ASamplerThatCannotStartIsReportedAndNothingIsSaved) {
    Session s;
    s.sampler->startResult = -1;
    EXPECT_FALSE(s.session.Start());
    ASSERT_EQ(s.window.messages.size(), 1u);
    EXPECT_EQ(s.window.messages[0].text, "CPU使用率の取得に失敗しました。");
    EXPECT_EQ(s.window.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(s.window.trayAdds, 0);
    s.session.Close();
    EXPECT_EQ(s.Saved(), "[Settings]\r\n");
}

// A hidden start is taken only where the tray icon can bring the window back; without a tray host
// the window shows, 隠す is disabled, and the hidden state waits for a host.
TEST(MonitorSession, HiddenStartWithAndWithoutATrayHost) {
    struct Case {
        const char* ini;
        bool trayTakes;
        bool visible;
        const char* item;
    } cases[] = {
        {"State=1\r\n", true, false, "表示(&B)"},
        {"State=1\r\n", false, true, "隠す(&B) (disabled)"},
        {"State=0\r\n", false, true, "隠す(&B) (disabled)"},
        {"State=0\r\n", true, true, "隠す(&B)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini + std::string(c.trayTakes ? "tray" : "no tray"));
        Session s(c.ini);
        s.window.trayTakes = c.trayTakes;
        ASSERT_TRUE(s.session.Start());
        EXPECT_EQ(s.window.visible, c.visible);
        EXPECT_EQ(s.HiddenItem(), c.item);
        EXPECT_TRUE(s.window.ticking);
        s.session.Command(MenuCommand::Hidden);  // hides only with a host
        EXPECT_EQ(s.window.visible, !c.trayTakes || !c.visible);
    }
}

// The Windows shell refuses the icon before the taskbar exists: it is offered again at every tick
// and when the taskbar is made, and the hidden start is taken once it is there.
TEST(MonitorSession, ATrayThatComesLateIsRetriedAndThenHides) {
    for (const bool byTaskbar : {false, true}) {
        Session s("State=1\r\n");
        s.window.trayTakes = false;
        ASSERT_TRUE(s.session.Start());
        s.Tick(3);
        EXPECT_EQ(s.window.trayAdds, 4);
        EXPECT_TRUE(s.window.visible);
        s.window.trayTakes = true;
        if (byTaskbar) {
            s.session.TrayRestarted();
        } else {
            s.Tick();
        }
        EXPECT_FALSE(s.window.visible);
        EXPECT_EQ(s.HiddenItem(), "表示(&B)");
        const int adds = s.window.trayAdds;
        s.Tick(2);
        EXPECT_EQ(s.window.trayAdds, adds);  // there now: only asked after
        // The host goes while hidden: the window comes back, and is saved hidden still.
        s.window.trayPresent = false;
        s.session.TrayHostChanged();
        EXPECT_TRUE(s.window.visible);
        s.session.Close();
        EXPECT_TRUE(Has(s.Saved(), "State=1\r\n"));
        EXPECT_TRUE(s.window.ended);
    }
}

TEST(MonitorSession, HideShowAndBringBack) {
    Session s("TopMost=0\r\n");
    ASSERT_TRUE(s.session.Start());
    s.session.TrayClicked(TrayClick::DoubleClick);  // shown: only raised
    EXPECT_TRUE(s.window.visible);
    EXPECT_EQ(s.window.fronts, 1);
    s.session.Command(MenuCommand::Hidden);
    EXPECT_FALSE(s.window.visible);
    EXPECT_EQ(s.program.settings.State, WindowState::Hidden);
    EXPECT_EQ(s.HiddenItem(), "表示(&B)");
    s.session.TrayClicked(TrayClick::Click);  // a single click does nothing
    EXPECT_FALSE(s.window.visible);
    s.session.TrayClicked(TrayClick::RightClick);
    EXPECT_EQ(s.window.menus, 1);

    // While the setup dialog is open a double click leaves the window hidden, and the menu opens
    // no second dialog.
    int dialogs = 0;
    s.window.setupDialog = [&] {
        ++dialogs;
        s.session.TrayClicked(TrayClick::DoubleClick);
        s.session.Command(MenuCommand::Setup);
    };
    s.session.Command(MenuCommand::Setup);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(s.window.visible);

    // A second start brings it back.
    s.session.BringBack();
    EXPECT_TRUE(s.window.visible);
    EXPECT_EQ(s.program.settings.State, WindowState::Shown);
    EXPECT_EQ(s.HiddenItem(), "隠す(&B)");
}

// Dragging: inside the work area of the screen under the mouse, each axis on its own, unless a
// modifier is held; the right screen's panel keeps the window below it.
TEST(MonitorSession, ADragFollowsTheMouseAcrossWorkAreas) {
    struct Case {
        ScreenPoint mouse;  // where the mouse goes, the window pressed at (10, 10)
        bool modifier;
        ScreenPoint window;
    } cases[] = {
        {{500, 400}, false, {490, 390}},
        {{-50, -50}, false, {0, 0}},        // over no screen: the last work area
        {{5, 790}, false, {0, 660}},        // above the primary's panel
        {{1500, 10}, false, {1490, 40}},    // below the right screen's panel
        {{1995, 400}, false, {1700, 390}},  // its right edge
        {{1500, 10}, true, {1490, 0}},
        {{-50, -50}, true, {-60, -60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mouse.x << "," << c.mouse.y);
        Session s;
        ASSERT_TRUE(s.session.Start());
        s.window.rect = {100, 100, 400, 200};
        s.session.MousePressed(1, {110, 110}, 10, 10);
        EXPECT_TRUE(s.window.dragging);
        const double x = c.mouse.x - s.window.rect.left;
        const double y = c.mouse.y - s.window.rect.top;
        s.session.MouseMoved(true, c.modifier, c.mouse, x, y);
        EXPECT_EQ((ScreenPoint{s.window.rect.left, s.window.rect.top}), c.window);
        // Other buttons held do not drag; the release moves once more and ends the drag.
        const ScreenRect before = s.window.rect;
        s.session.MouseMoved(false, c.modifier, {0, 0}, -500, -500);
        EXPECT_EQ(s.window.rect, before);
        s.session.MouseReleased(1, c.modifier, c.mouse, 10, 10);
        EXPECT_EQ(s.window.rect, before);
        EXPECT_FALSE(s.window.dragging);
    }
}

// A drag shows the move cursor; it ends with the arrow whether the button is let go (the window
// keeps the mouse, so also outside it) or the mouse is taken away, and only a new press drags
// again.
TEST(MonitorSession, ADragEndsWithTheArrowByAReleaseOrALostMouse) {
    for (const bool released : {true, false}) {
        SCOPED_TRACE(released ? "released" : "mouse taken away");
        Session s;
        ASSERT_TRUE(s.session.Start());
        s.window.rect = {100, 100, 400, 200};
        s.session.MousePressed(1, {110, 110}, 10, 10);
        EXPECT_EQ(s.window.cursor, WindowCursor::Move);
        if (released) {
            s.session.MouseReleased(1, false, {900, 700}, 800, 600);
        } else {
            s.session.MouseCaptureLost();
        }
        EXPECT_FALSE(s.window.dragging);
        EXPECT_EQ(s.window.cursor, WindowCursor::Arrow);
        const ScreenRect after = s.window.rect;
        s.session.MouseMoved(true, false, {500, 500}, 400, 400);
        EXPECT_EQ(s.window.rect, after);
    }
}

TEST(MonitorSession, RightClickOpensTheMenuAndOnlyAltF4Closes) {
    Session s;
    ASSERT_TRUE(s.session.Start());
    s.session.MousePressed(2, {5, 5}, 5, 5);
    s.session.MouseReleased(2, false, {5, 5}, 5, 5);
    s.session.MousePressed(1, {5, 5}, 5, 5);
    s.session.MouseReleased(2, false, {5, 5}, 5, 5);  // a left press: no menu
    EXPECT_EQ(s.window.menus, 1);
    struct Key {
        bool f4, alt, shift, ctrl, handled, closes;
    } keys[] = {
        {true, true, true, false, true, false},    {true, true, false, true, true, false},
        {true, false, false, false, false, false}, {false, true, false, false, false, false},
        {true, true, false, false, true, true},
    };
    for (const Key& k : keys) {
        EXPECT_EQ(s.session.KeyPressed(k.f4, k.alt, k.shift, k.ctrl), k.handled);
        EXPECT_EQ(s.window.ended, k.closes);
    }
}

// The tray is handed a new icon only when its picture changed, and the tip only with a new value.
TEST(MonitorSession, TheTrayIsHandedOnlyWhatChanged) {
    Session s("IconGraphMode=2\r\nCycle=1\r\n");
    s.sampler->usage = 30;
    ASSERT_TRUE(s.session.Start());
    s.Tick(2);
    EXPECT_EQ(s.window.tip, "CPU使用率 30 %");
    EXPECT_FALSE(s.window.ownIcon);
    const int icons = s.window.trayIcons;
    const int updates = s.window.trayUpdates;
    s.Tick(3);  // the meter and the tip stay
    EXPECT_EQ(s.window.trayUpdates, updates);
    s.sampler->usage = 80;
    s.Tick();
    EXPECT_EQ(s.window.trayIcons, icons + 1);
    EXPECT_EQ(s.window.tip, "CPU使用率 80 %");
    s.program.settings.IconGraphMode = TrayIconMode::Off;
    s.Tick();
    EXPECT_TRUE(s.window.ownIcon);
    s.program.settings.IconGraphMode = TrayIconMode::Meter1;
    s.Tick();  // the same picture as last made, but the tray shows the program's icon now
    EXPECT_FALSE(s.window.ownIcon);
    EXPECT_EQ(s.window.trayIcons, icons + 3);
    s.session.DisplayChanged();  // another scale: made again for it
    s.Tick();
    EXPECT_EQ(s.window.trayIcons, icons + 4);
}

// The tip says so while processor time stands in for the figure asked for, and no longer when it
// does not: a new tip at the same value.
TEST(MonitorSession, TheTipTellsWhenTheSamplerFellBack) {
    Session s("Cycle=1\r\n");
    s.sampler->usage = 30;
    s.sampler->fellBack = true;
    ASSERT_TRUE(s.session.Start());
    s.Tick(2);
    EXPECT_EQ(s.window.tip, "CPU使用率 30 % （プロセッサ時間）");
    s.sampler->fellBack = false;
    s.Tick();
    EXPECT_EQ(s.window.tip, "CPU使用率 30 %");
}

// CpuView=1 reads each processor and draws their bands once their readings come; the tip names the
// busiest. CpuView=0 never asks the sampler for them.
TEST(MonitorSession, ThePerProcessorViewAndItsTip) {
    Session total("Cycle=1\r\n");
    total.sampler->processors = {10, 90};
    ASSERT_TRUE(total.session.Start());
    total.Tick(3);
    EXPECT_FALSE(total.sampler->readsProcessors);
    EXPECT_TRUE(total.session.cycle().ProcessorHistory.empty());

    Session s("Cycle=1\r\nCpuView=1\r\nWidth=100\r\nHeight=60\r\n");
    s.sampler->usage = 30;
    s.sampler->processors = {10, 90};
    ASSERT_TRUE(s.session.Start());
    EXPECT_TRUE(s.sampler->readsProcessors);
    s.Tick(3);
    EXPECT_EQ(s.window.tip, "CPU使用率 30 % (CPU1 90 %)");
    // Two bands of graphs: the newest column of the second (90 %) is filled well above where the
    // total's 30 % would reach; the first (10 %) only at its bottom.
    const Surface& frame = s.session.Frame();
    const std::int32_t x = frame.Width() - 1;
    const std::int32_t band = frame.Height() / 2;
    const Colour fill = frame.Pixel(x, frame.Height() - 1);
    EXPECT_EQ(frame.Pixel(x, band + 8), fill);
    EXPECT_EQ(frame.Pixel(x, band - 1), fill);
    EXPECT_NE(frame.Pixel(x, band - 6), fill);
    s.sampler->fellBack = true;
    s.sampler->processors = {kProcessorOffline, kProcessorOffline};
    s.Tick();
    EXPECT_EQ(s.window.tip, "CPU使用率 30 % （プロセッサ時間）");
    // Chosen off in the setup dialog: no longer read.
    s.program.settings.CpuView = CpuViewMode::Total;
    s.session.ResetPicture();
    EXPECT_FALSE(s.sampler->readsProcessors);
    EXPECT_TRUE(s.session.cycle().ProcessorHistory.empty());
}

TEST(MonitorSession, TheSetupDialogsThemeIsDrawnWhenItIsApplied) {
    Session s("Cycle=1\r\n");
    ASSERT_TRUE(s.session.Start());
    s.window.setupDialog = [&] {
        EXPECT_TRUE(s.session.SetupShown());
        s.program.currentTheme = ThemeRecord{};  // a plain board, no lines, no text
        s.program.currentTheme.BackColor = 0x0000FF;
        s.program.settings.TopMost = TopMostMode::OnTop;
        s.session.ResetPicture();  // the dialog's 更新
        EXPECT_EQ(s.session.Frame().Pixel(5, 5) & 0xFFFFFF, 0x0000FFu);
        s.program.currentTheme.BackColor = 0x00FF00;  // then OK: drawn as it closes
    };
    s.session.Command(MenuCommand::Setup);
    EXPECT_FALSE(s.session.SetupShown());
    EXPECT_TRUE(s.window.onTop);
    EXPECT_EQ(s.session.Frame().Pixel(5, 5) & 0xFFFFFF, 0x00FF00u);
}

TEST(MonitorSession, ClosingOrTheDesktopsEndSavesOnce) {
    for (const bool desktopEnds : {false, true}) {
        Session s;
        ASSERT_TRUE(s.session.Start());
        s.window.rect = {40, 30, 360, 150};
        s.session.Command(MenuCommand::Hidden);  // closing while hidden still saves the place
        if (desktopEnds) {
            s.session.Shutdown();
        } else {
            s.session.Command(MenuCommand::Exit);
        }
        const std::string saved = s.Saved();
        EXPECT_TRUE(Has(saved, "Left=40\r\nWidth=320\r\nHeight=120\r\n")) << saved;
        EXPECT_TRUE(Has(saved, "Top=30\r\n"));
        EXPECT_TRUE(Has(saved, "State=1\r\n"));
        EXPECT_EQ(s.window.ended, !desktopEnds);
        EXPECT_FALSE(s.window.ticking);
        s.session.Close();  // saved once; nothing runs after
        s.Tick();
        EXPECT_EQ(s.sampler->stops, 1);
        EXPECT_EQ(s.sampler->samples, 0);
    }
}

// Shift and Ctrl held at start: the saved history, frozen, drawn at once.
TEST(MonitorSession, TestDataIsLoadedFrozen) {
    Session s("IconGraphMode=1\r\n");
    test::WriteBytes(s.folder.File("TestData.dat"), "10\r\n20\r\n70\r\n");
    s.window.testKeys = true;
    ASSERT_TRUE(s.session.Start());
    EXPECT_FALSE(s.window.ticking);
    EXPECT_EQ(s.session.cycle().Newest(), 70);
    EXPECT_EQ(s.window.tip, "CPU使用率 70 %");
}

// The alert goes to the system's notification; where none can be shown, into the tray tip until
// the usage has calmed down. Switched off, nothing about processes is read.
TEST(MonitorSession, AnAlertIsNotifiedOrShownInTheTip) {
    const struct {
        const char* ini;
        bool notifies;
        std::size_t alerts;
        const char* tip;  // while alerting
    } cases[] = {
        {"AlertPercent=80\r\nAlertSeconds=5\r\n", true, 1, "CPU使用率 100 %"},
        {"AlertPercent=80\r\nAlertSeconds=5\r\n", false, 1,
         "CPU使用率 100 %\nCPU使用率が 5 秒間 80 % 以上です\nburner 2.0 CPU"},
        {"", true, 0, "CPU使用率 100 %"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini + std::string(c.notifies ? "notifies" : "no notifications"));
        Session s(c.ini);
        s.window.notifies = c.notifies;
        ASSERT_TRUE(s.session.Start());
        s.sampler->usage = 100;
        s.Tick(20);
        ASSERT_EQ(s.window.alerts.size(), c.alerts);
        if (c.alerts > 0) {
            EXPECT_EQ(s.window.alerts[0], "CPU使用率が 5 秒間 80 % 以上です|burner 2.0 CPU");
        } else {
            EXPECT_EQ(s.processes->Reads(), 0);
        }
        EXPECT_EQ(s.window.tip, c.tip);
        s.sampler->usage = 10;
        s.Tick(5);
        EXPECT_EQ(s.window.tip, "CPU使用率 10 %");
    }
}

}  // namespace
}  // namespace moravel
