#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "core/os/TextFile.h"
#include "qt/QtPrompts.h"
#include "qt/TaskTray.h"
#include "qt/fomMain.h"
#include "qt/fomSetup.h"
#include "qt/fomVersion.h"
#include "support/FakeClock.h"
#include "support/FakeCpuSampler.h"
#include "support/OnModal.h"
#include "support/TempFolder.h"

namespace moravel {
namespace {

// The resident memory of this process, in bytes.
long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * 4096;
}

// The share of the window graph's pixels in `colour` (0x00BBGGRR).
double ShareOf(const Surface& graph, std::uint32_t colour) {
    const std::size_t count = static_cast<std::size_t>(graph.Width()) * graph.Height();
    std::size_t hits = 0;
    for (std::int32_t y = 0; y < graph.Height(); ++y) {
        for (std::int32_t x = 0; x < graph.Width(); ++x) {
            hits += graph.Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count == 0 ? 0.0 : static_cast<double>(hits) / static_cast<double>(count);
}

QStringList MenuCaptions(QMenu* menu) {
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QStringList captions;
    for (QAction* action : menu->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions;
}

// The popup menu's item `name` as the menu shows it now.
QAction* MenuAction(QMenu* menu, const char* name) {
    QMetaObject::invokeMethod(menu, "aboutToShow");
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String(name)) {
            return action;
        }
    }
    qFatal("no menu item %s", name);
}

struct Fixture {
    test::TempFolder folder;
    test::ScopedProgramFolder home{folder.path()};
    test::ScopedEnvironment config{"XDG_CONFIG_HOME", folder.File("config")};
    FakeCpuSampler* sampler = new FakeCpuSampler;
    FakeClock* clock = new FakeClock;
    ProgramState program;  // this window's own
    std::unique_ptr<fomMain> window;

    Fixture() {
        clock->now = 1'800'000'000;
        window = std::make_unique<fomMain>(program, std::unique_ptr<CpuSampler>(sampler),
                                           std::unique_ptr<MonotonicClock>(clock));
    }
    void Tick() {
        clock->now += 1;
        window->session().Tick();
    }
    std::string Settings() const { return test::ReadBytes(folder.File("Moravel.ini")); }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QtMessagePrompt::ClearAsked();
        modTaskTray::TrayHost::Pretend(true);  // a desktop with a tray unless a test says not
    }
    void aSamplerThatCannotStartEndsStartUpAndSavesNothing();
    void startsShownWithItsOwnTrayIconAndAnEmptyTip();
    void theMenuFollowsTheWindowState();
    void aStateOtherThanOneIsAShownWindowThatRedraws();
    void theMenuIsFilledBeforeItIsShown();
    void refreshesEveryCycleWithTheTip();
    void theTrayIsHandedOnlyWhatChanged();
    void aDayOfTicksKeepsMemoryFlat();
    void closingSavesThePlace();
    void withoutATrayHostTheWindowIsNeverHidden();
    void aTrayHostComingOrGoingLeavesAShownWindowShown();
    void theSetupEntryOpensTheDialogAndRedrawsAfter();
    void aSecondAboutBoxBringsTheOpenOneForward();
};

void MainWindowTest::aSamplerThatCannotStartEndsStartUpAndSavesNothing() {
    Fixture f;
    f.sampler->startResult = -1;
    QtMessagePrompt::SetNextAnswers({MessageAnswer::Ok});
    QVERIFY(!f.window->Form_Load());
    QCOMPARE(QtMessagePrompt::Asked().size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(QtMessagePrompt::Asked()[0].text),
             QStringLiteral("CPU使用率の取得に失敗しました。"));
    QCOMPARE(QtMessagePrompt::Asked()[0].icon, MessageIcon::Critical);
    f.window.reset();
    QVERIFY(!IsFile(f.folder.File("Moravel.ini")));
}

void MainWindowTest::startsShownWithItsOwnTrayIconAndAnEmptyTip() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->size(), QSize(300, 100));
    QVERIFY(f.window->trayData().tip.empty());
    QVERIFY(!f.window->trayData().icon.isNull());
    QVERIFY(f.window->timCycle().isActive());
    QCOMPARE(f.window->renderer().picGraph.Width(), 298);
}

void MainWindowTest::theMenuFollowsTheWindowState() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    QCOMPARE(MenuCaptions(f.window->popupMenu()),
             (QStringList{"隠す(&B)", "-", "設定(&S)...", "バージョン情報", "ヘルプ(&H)", "-",
                          "終了(&X)"}));
    f.window->mnuHidden_Click();
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.program.settings.State, WindowState::Hidden);
    QCOMPARE(MenuCaptions(f.window->popupMenu()).first(), QStringLiteral("表示(&B)"));
    // The tray's double click brings it back; its other messages do nothing.
    f.window->picIcon_MouseDown(TrayClick::Click);
    QVERIFY(!f.window->isVisible());
    f.window->picIcon_MouseDown(TrayClick::DoubleClick);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.program.settings.State, WindowState::Shown);
}

void MainWindowTest::aStateOtherThanOneIsAShownWindowThatRedraws() {
    Fixture f;
    test::WriteBytes(f.folder.File("Moravel.ini"), "[Settings]\r\nState=2\r\n");
    test::WriteBytes(f.folder.File("Themes/graph.tm"),
                     "[Theme]\r\nGraphHType=0\r\nGraphVType=0\r\nTextType=0\r\n");
    f.sampler->usage = 100;
    QVERIFY(f.window->Form_Load());
    QVERIFY(f.window->isVisible());
    const Surface& graph = f.window->renderer().picGraph;
    const int right = graph.Width() - 1;
    const int middle = graph.Height() / 2;
    QCOMPARE(graph.Pixel(right, middle) & 0xFFFFFF, 0x000000u);
    // Every refresh draws the newest samples, as for State=0.
    f.Tick();
    f.Tick();
    QCOMPARE(graph.Pixel(right, middle) & 0xFFFFFF, 0x007F00u);
    QCOMPARE(MenuCaptions(f.window->popupMenu()).first(), QStringLiteral("隠す(&B)"));
    // The show/hide item hides it at the first click.
    f.window->mnuHidden_Click();
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.program.settings.State, WindowState::Hidden);
}

// A StatusNotifierItem host builds its menu from the exported items without opening the menu
// first, and refers to them by identity afterwards.
void MainWindowTest::theMenuIsFilledBeforeItIsShown() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    const QList<QAction*> before = f.window->popupMenu()->actions();
    QCOMPARE(before.size(), 7);
    QCOMPARE(before.first()->text(), QStringLiteral("隠す(&B)"));
    QCOMPARE(before.last()->text(), QStringLiteral("終了(&X)"));
    f.window->mnuHidden_Click();
    QCOMPARE(f.window->popupMenu()->actions(), before);
    QCOMPARE(before.first()->text(), QStringLiteral("表示(&B)"));
    f.window->picIcon_MouseDown(TrayClick::DoubleClick);
    QCOMPARE(before.first()->text(), QStringLiteral("隠す(&B)"));
    QCOMPARE(MenuCaptions(f.window->popupMenu()).first(), QStringLiteral("隠す(&B)"));
    QCOMPARE(f.window->popupMenu()->actions(), before);
}

void MainWindowTest::refreshesEveryCycleWithTheTip() {
    Fixture f;
    f.sampler->script = {0, 42, 43, 44};
    QVERIFY(f.window->Form_Load());
    f.Tick();  // the first appending tick only counts
    QVERIFY(f.window->trayData().tip.empty());
    f.Tick();
    QCOMPARE(f.window->trayData().tip, std::string("CPU使用率 42 %"));
}

void MainWindowTest::theTrayIsHandedOnlyWhatChanged() {
    Fixture f;
    test::WriteBytes(f.folder.File("Moravel.ini"), "[Settings]\r\nIconGraphMode=2\r\n");
    f.sampler->usage = 30;
    QVERIFY(f.window->Form_Load());
    const modTaskTray::TrayData& tray = f.window->trayData();
    f.Tick();
    f.Tick();
    f.Tick();
    QCOMPARE(tray.tip, std::string("CPU使用率 30 %"));
    // The meter shows the same bars again: the very icon the tray has, so nothing is sent.
    const qint64 still = tray.icon.cacheKey();
    f.Tick();
    QCOMPARE(tray.icon.cacheKey(), still);
    QCOMPARE(tray.shownIconKey, still);
    f.sampler->usage = 80;
    f.Tick();
    QVERIFY(tray.icon.cacheKey() != still);
    QCOMPARE(tray.shownIconKey, tray.icon.cacheKey());
    QCOMPARE(tray.tip, std::string("CPU使用率 80 %"));

    // Hidden, the window draws nothing, and the tray still follows the usage.
    f.window->mnuHidden_Click();
    const Surface shown = f.window->renderer().picGraph;
    const qint64 before = tray.icon.cacheKey();
    f.sampler->usage = 5;
    f.Tick();
    QCOMPARE(tray.tip, std::string("CPU使用率 5 %"));
    QVERIFY(tray.icon.cacheKey() != before);
    const Surface& graph = f.window->renderer().picGraph;
    for (std::int32_t y = 0; y < graph.Height(); ++y) {
        for (std::int32_t x = 0; x < graph.Width(); ++x) {
            QCOMPARE(graph.Pixel(x, y), shown.Pixel(x, y));
        }
    }

    // The program's own icon without the graph, and a graph icon again when it comes back, though
    // its picture is the one last made.
    f.program.settings.IconGraphMode = TrayIconMode::Off;
    f.Tick();
    QCOMPARE(tray.icon.availableSizes().size(), 5);
    f.program.settings.IconGraphMode = TrayIconMode::Meter1;
    f.Tick();
    QCOMPARE(tray.icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
}

void MainWindowTest::aDayOfTicksKeepsMemoryFlat() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    f.program.settings.IconGraphMode = TrayIconMode::Meter1;
    f.program.settings.Cycle = 10;  // a tray icon and a frame every ten seconds: 8640 of them a day
    f.window->ResetPicture();
    for (int i = 0; i < 3600; ++i) {
        f.sampler->usage = (i * 37) % 101;
        f.Tick();
    }
    const long before = ResidentBytes();
    for (int i = 0; i < 86400; ++i) {
        f.sampler->usage = (i * 37) % 101;
        f.Tick();
    }
    const long growth = ResidentBytes() - before;
#ifndef __SANITIZE_ADDRESS__  // the sanitizer holds freed memory back on purpose; it finds leaks
                              // itself
    QVERIFY2(growth < 512 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
#else
    Q_UNUSED(growth);
#endif
    QVERIFY(!f.window->trayData().icon.isNull());
    // One picture in its three sizes (16, 32 and 48 pixels), no pile-up.
    QCOMPARE(f.window->trayData().icon.availableSizes().size(), 3);
}

void MainWindowTest::closingSavesThePlace() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    f.window->setGeometry(40, 30, 320, 120);
    f.window->mnuHidden_Click();  // closing while hidden still saves the last place
    f.window->close();
    const std::string ini = f.Settings();
    QVERIFY(ini.find("Left=40\r\nWidth=320\r\nHeight=120\r\n") != std::string::npos);
    QVERIFY(ini.find("Top=30\r\n") != std::string::npos);
    QVERIFY(ini.find("State=1\r\n") != std::string::npos);
    QCOMPARE(f.sampler->stops, 1);
}

void MainWindowTest::withoutATrayHostTheWindowIsNeverHidden() {
    Fixture f;
    modTaskTray::TrayHost::Pretend(false);
    test::WriteBytes(f.folder.File("Moravel.ini"), "[Settings]\r\nState=1\r\n");
    QVERIFY(f.window->Form_Load());
    // A hidden start shows the window: nothing else would ever bring it back.
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.program.settings.State, WindowState::Shown);
    QCOMPARE(MenuAction(f.window->popupMenu(), "mnuHidden")->text(), QStringLiteral("隠す(&B)"));
    QVERIFY(!MenuAction(f.window->popupMenu(), "mnuHidden")->isEnabled());
    QVERIFY(MenuAction(f.window->popupMenu(), "mnuSetup")->isEnabled());
    f.window->mnuHidden_Click();
    QVERIFY(f.window->isVisible());

    // A tray host appears: the hidden start is taken now, and the item works again.
    modTaskTray::TrayHost::Pretend(true);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(f.program.settings.State, WindowState::Hidden);
    QCOMPARE(MenuAction(f.window->popupMenu(), "mnuHidden")->text(), QStringLiteral("表示(&B)"));
    QVERIFY(MenuAction(f.window->popupMenu(), "mnuHidden")->isEnabled());

    // The host goes while the window is hidden: it comes back, and is saved as hidden still.
    modTaskTray::TrayHost::Pretend(false);
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.program.settings.State, WindowState::Shown);
    f.window->close();
    QVERIFY(f.Settings().find("State=1\r\n") != std::string::npos);
}

void MainWindowTest::aTrayHostComingOrGoingLeavesAShownWindowShown() {
    Fixture f;
    modTaskTray::TrayHost::Pretend(false);
    QVERIFY(f.window->Form_Load());
    QVERIFY(f.window->isVisible());
    modTaskTray::TrayHost::Pretend(true);
    QVERIFY(f.window->isVisible());
    QVERIFY(MenuAction(f.window->popupMenu(), "mnuHidden")->isEnabled());
    // Hidden by the user, then the host goes and comes back: shown, then hidden again.
    f.window->mnuHidden_Click();
    QVERIFY(!f.window->isVisible());
    modTaskTray::TrayHost::Pretend(false);
    QVERIFY(f.window->isVisible());
    modTaskTray::TrayHost::Pretend(true);
    QVERIFY(!f.window->isVisible());
    // Shown by the user: nothing waits any more.
    f.window->mnuHidden_Click();
    modTaskTray::TrayHost::Pretend(false);
    modTaskTray::TrayHost::Pretend(true);
    QVERIFY(f.window->isVisible());
    f.window->close();
    QVERIFY(f.Settings().find("State=0\r\n") != std::string::npos);
}

void MainWindowTest::theSetupEntryOpensTheDialogAndRedrawsAfter() {
    Fixture f;
    test::WriteBytes(
        f.folder.File("Themes/graph.tm"),
        "[Theme]\r\nTitle=\"graph\"\r\nGraphHType=0\r\nGraphVType=0\r\nBackColor=255\r\n");
    test::WriteBytes(
        f.folder.File("Themes/blue.tm"),
        "[Theme]\r\nTitle=\"blue\"\r\nGraphHType=0\r\nGraphVType=0\r\nBackColor=16711680\r\n");
    f.sampler->usage = 0;
    QVERIFY(f.window->Form_Load());
    QVERIFY(f.window->comDlg() != nullptr);  // made at start-up, kept for the whole run
    f.Tick();
    f.Tick();
    QVERIFY(ShareOf(f.window->renderer().picGraph, 0x0000FF) > 0.5);

    // Another theme and OK: the window is drawn in it as the dialog closes.
    test::OnModal([&](QWidget* modal) {
        auto* setup = qobject_cast<fomSetup*>(modal);
        QVERIFY(setup != nullptr);
        QVERIFY(f.window->setupShown());
        auto* themes = setup->findChild<QComboBox*>(QStringLiteral("cboThemeName"));
        const int blue = themes->findText(QStringLiteral("blue"));
        themes->setCurrentIndex(blue);
        emit themes->activated(blue);
        setup->findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
    });
    f.window->mnuSetup_Click();
    QVERIFY(!f.window->setupShown());
    QCOMPARE(f.program.settings.ThemeName, std::string("blue.tm"));
    QVERIFY(ShareOf(f.window->renderer().picGraph, 0xFF0000) > 0.5);

    // While the dialog is open a tray double click leaves the hidden window hidden, and the menu
    // does not open a second dialog.
    f.window->mnuHidden_Click();
    bool staysHidden = false;
    test::OnModal([&](QWidget* modal) {
        auto* setup = qobject_cast<fomSetup*>(modal);
        QVERIFY(setup != nullptr);
        f.window->picIcon_MouseDown(TrayClick::DoubleClick);
        staysHidden = !f.window->isVisible();
        f.window->mnuSetup_Click();
        QCOMPARE(QApplication::activeModalWidget(), setup);
        setup->reject();
    });
    f.window->mnuSetup_Click();
    QVERIFY(staysHidden);
    QCOMPARE(f.program.settings.State, WindowState::Hidden);
    // With the dialog closed it comes back.
    f.window->picIcon_MouseDown(TrayClick::DoubleClick);
    QVERIFY(f.window->isVisible());
}

void MainWindowTest::aSecondAboutBoxBringsTheOpenOneForward() {
    Fixture f;
    QVERIFY(f.window->Form_Load());
    // What the test sees while the box is open, checked once it is closed again.
    QWidget* first = nullptr;  // compared only: gone once closed
    bool firstIsTheAboutBox = false;
    bool leftForTheMainWindow = false;
    bool stacked = false;
    qsizetype boxes = 0;
    QWidget* modal = nullptr;
    bool broughtForward = false;
    QTimer::singleShot(0, [&] {
        first = QApplication::activeModalWidget();
        firstIsTheAboutBox =
            qobject_cast<fomVersion*>(first) != nullptr && f.window->versionBox() == first;
        f.window->activateWindow();  // the user went back to the main window
        leftForTheMainWindow =
            QTest::qWaitFor([&] { return QApplication::activeWindow() != first; }, 2000);

        // Should a second box open, this closes it again, so that the test ends either way.
        QTimer closeSecond;
        closeSecond.setSingleShot(true);
        connect(&closeSecond, &QTimer::timeout, [&] {
            if (QWidget* top = QApplication::activeModalWidget(); top != first) {
                stacked = true;
                top->close();
            }
        });
        closeSecond.start(0);
        f.window->mnuVersion_Click();  // "バージョン情報" from the tray menu
        boxes = f.window->findChildren<fomVersion*>().size();
        modal = QApplication::activeModalWidget();
        broughtForward =
            QTest::qWaitFor([&] { return QApplication::activeWindow() == first; }, 2000);
        first->close();
    });
    f.window->mnuVersion_Click();
    QVERIFY(firstIsTheAboutBox);
    QVERIFY(leftForTheMainWindow);
    QVERIFY(!stacked);
    QCOMPARE(boxes, qsizetype{1});
    QCOMPARE(modal, first);
    QVERIFY(broughtForward);
    QVERIFY(f.window->versionBox() == nullptr);

    // Closed, it opens anew.
    bool openedAgain = false;
    QTimer::singleShot(0, [&] {
        openedAgain = qobject_cast<fomVersion*>(QApplication::activeModalWidget()) != nullptr;
        QApplication::activeModalWidget()->close();
    });
    f.window->mnuVersion_Click();
    QVERIFY(openedAgain);
}

}  // namespace moravel

QTEST_MAIN(moravel::MainWindowTest)
#include "MainWindowTest.moc"
